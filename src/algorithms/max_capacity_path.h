#pragma once

#include "model/net_types.h"

namespace plax {

// The capacity answered when the sink cannot be reached: above every weight a valid net can hold.
inline constexpr double NoCapacityPath = 2E38;

struct MaxCapacityResult {
    int source = 0;
    int sink = 0;
    double capacity = 0.0; // NoCapacityPath when the sink cannot be reached
};

// The largest capacity (smallest weight on the way) with which the net's source reaches its
// sink: a widest-path Dijkstra from the source, max for choice and min for concatenation. A
// source or sink outside the net gives NoCapacityPath (0 from a point to itself). Cost: O(N²).
MaxCapacityResult ComputeMaxCapacity(const NetWorkType& net);

} // namespace plax
