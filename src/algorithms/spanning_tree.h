#pragma once

#include "model/net_types.h"

#include <vector>

namespace plax {

struct SpanningTreeEdge {
    int from = 0;
    int to = 0;
    double weight = 0.0;
    bool operator==(const SpanningTreeEdge&) const = default;
};

struct SpanningTreeResult {
    std::vector<SpanningTreeEdge> edges; // in the order they were taken
    double weight = 0.0;
};

// Prim's tree of least weight grown from point 1; on a tie the highest-numbered point is taken
// first. On a net that is not connected it spans point 1's component only. Cost: O(N²).
SpanningTreeResult ComputeMinSpanningTree(const NetWorkType& net);

} // namespace plax
