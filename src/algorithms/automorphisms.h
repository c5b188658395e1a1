#pragma once

#include "run_control.h"

#include "model/net_types.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace plax {

enum class AutomorphismOrder { Sorted, PlainChanges };

// One automorphism besides the identity: its number (the identity is 1) and the image of each
// point, points[p - 1] for point p. The points are only valid during the call.
struct AutomorphismFind {
    std::uint64_t counter = 0;
    std::span<const int> image;
};

using AutomorphismVisitor = std::function<void(const AutomorphismFind&)>;

struct AutomorphismsResult {
    std::uint64_t count = 1; // the identity included
    bool complete = true;    // false when Stop ended the search
};

// The classes of two or more points that the search exchanges among themselves (equal
// invariants), each in increasing order, ordered by their lowest points.
// Cost: O(N² + E).
std::vector<std::vector<int>> AutomorphismClasses(const NetWorkType& net);

// The search alone, polling `control` (exponential: up to N! renumberings, bounded by Stop); every
// automorphism but the identity goes to the visitor as it is found, since there can be millions. The caller
// starts and ends the long run.
AutomorphismsResult SearchAutomorphisms(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                                        const AutomorphismVisitor& onFind);

} // namespace plax
