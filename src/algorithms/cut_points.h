#pragma once

#include "marking_buffer.h"

#include "model/net_types.h"

#include <vector>

namespace plax {

enum class CutSearchMode { CutPoints = 0, Bridges = 1 };

// What the lowpoint search found, in the order of the listing (the last found first). A bridge
// (u, w) was reached from u.
struct CutSearchResult {
    int findings = 0;
    std::vector<int> cutPoints;
    std::vector<EdgeMark> bridges;
};

// One depth-first lowpoint search (Tarjan) along the outgoing lists from every point not yet
// reached, finding cut points or bridges. Cost: O(N + E).
CutSearchResult ComputeCutPointsOrBridges(const NetWorkType& net, CutSearchMode mode);

} // namespace plax
