#pragma once

#include "run_control.h"

#include "model/net_types.h"

#include <array>
#include <limits>
#include <string>
#include <vector>

namespace plax {

enum class ShortestPathMode { SinglePair = 0, AllFromSource = 1 };

// The distance of a point no path reaches: above every length a valid net can produce.
inline constexpr double UnreachedDistance = std::numeric_limits<double>::infinity();

struct ShortestPathsResult {
    bool reached = false; // the sink (SinglePair) or some other point (AllFromSource) is reachable
    bool stopped = false; // Stop ended the measurement of the sub-nets
    std::array<double, MaxPoints + 1> distance{}; // UnreachedDistance where no path was found
    std::array<int, MaxPoints + 1> predecessor{}; // 0 for none
    std::vector<int> path;                        // SinglePair: source to sink
    std::vector<std::string> noPathSubNets;       // names of the sub-nets without a path, as they were met
};

// Dijkstra from the net's source point to its sink (SinglePair) or to every point (AllFromSource),
// on the points' list order for its tie-breaks. In SinglePair mode a decomposed edge counts as
// the shortest path from point 1 to point 2 of its sub-net, measured recursively once a run; the
// sub-nets keep their names and the edges the lengths found in their decomposed-length fields.
// A single-pair run through sub-nets is a long run on `control` and answers `stopped` when Stop
// ended it. Nothing is reached when the source or sink is not a point of the net.
// Cost: O(N²) per level measured, each sub-net measured once.
ShortestPathsResult ComputeShortestPaths(NetWorkType& net, ShortestPathMode mode, RunControl& control);

// The same single-pair measurement, not stoppable: the length from the net's source to its sink,
// or -1 when the sink cannot be reached. Cost: as ComputeShortestPaths.
double MeasureShortestPath(NetWorkType& net);

} // namespace plax
