#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"
#include "model/user_messages.h"

#include "algorithms/run_control.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plax {

enum class ShortestPathMode { SinglePair = 0, AllFromSource = 1 };

struct ShortestPathsResult {
    bool reached = false; // the sink (SinglePair) or some other point (AllFromSource) is reachable
    bool stopped = false; // Stop ended the measurement of the sub-nets
    std::array<double, MaxPoints + 1> distance{}; // infinity where no path was found
    std::array<int, MaxPoints + 1> predecessor{}; // 0 for none
    std::vector<int> path;                        // SinglePair: source to sink
    std::vector<std::string> warnings;            // sub-nets without a path, as they were met
};

// The measurement alone. A single-pair run through sub-nets is a long run on `control`; the
// sub-nets keep their names and lengths as ShortestPath leaves them.
ShortestPathsResult ComputeShortestPaths(NetWorkType& net, ShortestPathMode mode, RunControl& control);

// From the net's source point to its sink (SinglePair) or to every point (AllFromSource).
// With a file name it writes its account and fills `marks`; it answers the distance to the sink,
// or -1 when the sink cannot be reached. Decomposed edges count, in SinglePair mode, as the
// shortest path from point 1 to point 2 of their sub-net; the lengths found stay in the edges'
// decomposed-length fields. Each sub-net is measured once a run; a single-pair run through
// sub-nets polls the sink and, when Stop ends it, writes the stop line and answers -1.
double ShortestPath(NetWorkType& net, ShortestPathMode mode, MarkingBuffer& marks,
                    const std::string& fileName, ProcedureOutput out);

// The same measurement with no account: the length from the net's source to its sink, or -1.
double MeasureShortestPath(NetWorkType& net);

// Why the menu command refuses to start, if it does.
[[nodiscard]] std::optional<std::string> ShortestPathRefusal(const NetWorkType& net, ShortestPathMode mode);

} // namespace plax
