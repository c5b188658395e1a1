#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>
#include <vector>

namespace plax {

enum class CutSearchMode { CutPoints = 0, Bridges = 1 };

// Cut points are marked in this colour, bridges are handed back as the edge list.
inline constexpr Color CutPointColor = 0x0000FF;
inline constexpr std::uint16_t CutPointColorIndex = 9;

// What the lowpoint search found, in the order of the listing (the last found first). A bridge
// (u, w) was reached from u.
struct CutSearchResult {
    int findings = 0;
    std::vector<int> cutPoints;
    std::vector<EdgeMark> bridges;
};

CutSearchResult ComputeCutPointsOrBridges(const NetWorkType& net, CutSearchMode mode);

// One depth-first lowpoint search along the outgoing lists, finding cut points or bridges.
// Lists them (the last found first) and marks them once the whole account is written.
void CutPointsAndBridges(const NetWorkType& net, CutSearchMode mode, MarkingBuffer& marks,
                         const std::string& fileName, ProcedureOutput out);

// Why the Cut Points and Bridges commands refuse to start, if they do.
[[nodiscard]] std::optional<std::string> CutPointsRefusal(const NetWorkType& net);

} // namespace plax
