#pragma once

#include "model/net_types.h"

#include <array>

namespace plax {

using PointFlags = std::array<bool, MaxPoints + 1>;

// The points reachable from `start` along the edges' directions, `start` included: a
// breadth-first search over the lists in list order.
// Cost: O(N + E).
PointFlags ReachableFrom(const NetWorkType& net, int start);

// How many points other than `start` are reachable from it.
int CountReachable(const NetWorkType& net, int start);

// Whether every point reaches every other along the directions. Cost: O(N * (N + E)).
bool EveryPointReachesEveryPoint(const NetWorkType& net);

} // namespace plax
