#pragma once

#include "graph_utils.h"

#include "model/net_types.h"

namespace plax {

struct MetricsResult {
    int components = 0;
    bool undirected = false;
    bool measured = false; // connected and undirected: `eccentricities` holds radius and diameter
    Eccentricities eccentricities;
    Degrees degrees;
};

// Components, degrees and, for a connected undirected net, every point's eccentricity by
// breadth-first layers. Cost: O(N * (N + E)).
MetricsResult ComputeMetrics(const NetWorkType& net);

} // namespace plax
