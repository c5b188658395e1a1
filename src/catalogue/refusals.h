#pragma once

#include "algorithms/shortest_paths.h"
#include "algorithms/tour_search.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

inline constexpr const char* NoShortestPathMessage = "There isnt Shortest Path ! Trivial NetWork.";
inline constexpr const char* NoMinimalTreeMessage = "There isnt Minimal Tree! Trivial NetWork.";
inline constexpr const char* NetWorkNotConnectedMessage =
    "NetWork not connected.\r\n    Procedure terminated! ";
inline constexpr const char* NoPathTrivialMessage = "There isnt Path ";

// Why a procedure's menu command refuses to start on this net, if it does. A procedure in
// progress is the runner's test (EntryRefusal), made before these; which kinds of net the menu
// offers a procedure for is the table's.
[[nodiscard]] std::optional<std::string> ShortestPathRefusal(const NetWorkType& net, ShortestPathMode mode);
[[nodiscard]] std::optional<std::string> SpanningTreeRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> TrivialNetRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> MaxCapacityPathRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> CutPointsRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> EulerRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> HamiltonianRefusal(const NetWorkType& net, HamiltonianMode mode);
[[nodiscard]] std::optional<std::string> SalesmanRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> DensityRefusal(const NetWorkType& net);

} // namespace plax
