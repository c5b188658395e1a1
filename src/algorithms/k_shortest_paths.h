#pragma once

#include "model/net_types.h"

#include <vector>

namespace plax {

struct KShortestResult {
    bool converged = false;              // false when the iteration limit was passed first
    std::vector<double> lengths;         // the distinct lengths found, at most k, increasing
    std::vector<std::vector<int>> walks; // a walk of each length, source to sink; empty when it
                                         // cannot be rebuilt
};

// The k smallest distinct lengths of walks from the net's source to its sink (which must be two
// points of the net), each with one walk that has it, by a double sweep over vectors of the k
// best values per point until nothing changes or `iterationLimit` sweeps have passed.
// Cost: O(iterationLimit * E * k log k).
KShortestResult ComputeKShortestPaths(const NetWorkType& net, int k, int iterationLimit);

} // namespace plax
