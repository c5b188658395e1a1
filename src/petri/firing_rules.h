#pragma once

#include "model/net_types.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plax {

// What one transition reads and writes, as positions in a marking of the places of shapes 0 and
// 1. An input point outside the marking (a place of another shape) never changes, so it blocks
// the transition for good or never.
struct TransitionRule {
    int point = 0;
    bool blocked = false;
    std::vector<std::uint8_t> inputs;
    std::vector<std::uint8_t> outputs;

    template <class Marking> bool Enabled(const Marking& m) const {
        return !blocked &&
               std::all_of(inputs.begin(), inputs.end(), [&m](std::uint8_t i) { return m[i] > 0; });
    }
};

// The places of a marking (point numbers, in point order) and the rule of every transition.
struct Rules {
    std::vector<int> places;
    std::vector<TransitionRule> transitions;
};

Rules RulesOf(const NetWorkType& net);

// The tokens of the places of a marking, as the net holds them now.
std::vector<std::uint16_t> MarkingOf(const NetWorkType& net, const Rules& rules);

} // namespace plax
