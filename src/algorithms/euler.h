#pragma once

#include "model/net_types.h"

#include <array>
#include <vector>

namespace plax {

enum class EulerMode { Cycle = 0, Path = 1 };

struct EulerResult {
    bool connected = false;
    bool exists = false;                         // the degrees allow the walk asked for
    std::array<bool, MaxPoints + 1> violating{}; // the points that break the degree condition
    int start = 0;
    std::vector<int> sequence; // the walk, when it exists
};

// The walk asked for, or why there is none: a net in more than one piece is judged no further.
// A cycle starts at point 1, a path at the highest-numbered start candidate. Cost: O(N + E) for
// the degrees, O(E²) for the walk.
EulerResult ComputeEuler(const NetWorkType& net, EulerMode mode);

// The walk itself by Hierholzer's two stacks: the points in order, every edge used once,
// beginning at `start` (nothing for a point outside the net). Cost: O(E²) at most.
std::vector<int> EulerSequence(const NetWorkType& net, int start);

} // namespace plax
