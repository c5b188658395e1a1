#pragma once

#include "long_run.h"
#include "point_set.h"

#include <functional>
#include <vector>

namespace plax {

// The greatest clique of one block as the clique list finds it: the block's points taken in
// increasing order as they become reachable, each offered to a list of candidate cliques.
// `offerEvery` offers every point, otherwise only those whose block degree can still reach the
// best size. Polls every ten list steps; `afterPoint` hears the number of points taken.
PointSet BlockClique(const NeighbourSets& nbr, const std::vector<int>& block, bool offerEvery,
                     StepPoller& poller, const std::function<void(int)>& afterPoint);

// The greatest clique among `among`: of all the largest, the first in lexicographic order of
// their increasing point lists.
// Cost: exponential: the clique list search over the subsets of `among` (at most 2^15).
PointSet GreatestClique(const NeighbourSets& nbr, PointSet among);

} // namespace plax
