#pragma once

#include "marking_buffer.h"

#include "model/net_types.h"

#include <vector>

namespace plax {

// The ends of an activity net: whether exactly one point has no incoming edge and exactly one
// has no outgoing edge, which they are, and whether the first reaches the second.
struct ActivityEnds {
    bool one = false;
    int source = 0;
    int sink = 0;
    bool connected = false;
};
// Cost: O(N²).
ActivityEnds FindSourceAndSink(const NetWorkType& net);

// Looks for a cycle, first from the net's source and then from every point that search did not
// reach, so a cycle anywhere in the net is found. `cycle` receives its points against the edge
// direction: c1, c2, ..., cm with the edges (c2,c1), ..., (cm,cm-1) and (c1,cm). Cost: exponential
// at worst (a depth-first search along every path), N is at most 15.
bool HasCycle(const NetWorkType& net, std::vector<int>& cycle);

// The edges of a cycle that HasCycle found, in the order it names them.
std::vector<EdgeMark> CycleEdges(const std::vector<int>& cycle);

} // namespace plax
