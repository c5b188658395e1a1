#pragma once

#include "model/net_types.h"

#include <array>
#include <vector>

namespace plax {

// Event times of an activity net, by point number, and its critical path from source to sink.
struct ActivitySchedule {
    std::array<double, MaxPoints + 1> earliest{};
    std::array<double, MaxPoints + 1> latest{};
    std::vector<int> path;
};

// Earliest and latest times (forward and backward pass in topological order) and the critical
// path of the acyclic net from its source to its sink; every time is infinite when the source or
// sink is not a point of the net. The net must have no cycle (ActivityNetReady tests it).
// Cost: O(N + E).
ActivitySchedule ComputeSchedule(const NetWorkType& net);

// The reserve of the job on edge (i, e.target): how long it may slip without delaying the end.
double ActivityReserve(const ActivitySchedule& s, int i, const EdgeType& e);

// Stores each job's reserve in its edge's flow field. True when some reserve was too large for
// the field and is held at the largest value. Cost: O(E).
bool StoreActivityReserves(NetWorkType& net, const ActivitySchedule& s);

// The length of the critical path from the net's source to its sink with nothing stored but the
// cleared decomposed lengths, or -1 when the source or sink is not a point of the net.
double MeasureCriticalPath(NetWorkType& net);

} // namespace plax
