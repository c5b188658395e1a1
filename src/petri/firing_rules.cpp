#include "firing_rules.h"

#include "petri_net.h"

#include "model/net_store.h"

#include <array>

namespace plax {

Rules RulesOf(const NetWorkType& net) {
    Rules rules;
    std::array<int, MaxPoints + 1> position{};
    position.fill(-1);
    for (int p = 1; p <= net.n; ++p) {
        if (!IsTokenPlace(net.points[static_cast<std::size_t>(p)])) continue;
        position[static_cast<std::size_t>(p)] = static_cast<int>(rules.places.size());
        rules.places.push_back(p);
    }
    for (int t = 1; t <= net.n; ++t) {
        if (!IsTransition(net.points[static_cast<std::size_t>(t)])) continue;
        TransitionRule rule{t, false, {}, {}};
        for (int p = 1; p <= net.n; ++p) {
            const int at = position[static_cast<std::size_t>(p)];
            if (p == t) continue;
            if (EdgeExists(net, p, t)) {
                if (at >= 0) {
                    rule.inputs.push_back(static_cast<std::uint8_t>(at));
                } else if (net.points[static_cast<std::size_t>(p)].tokens == 0) {
                    rule.blocked = true;
                }
            }
            if (at >= 0 && EdgeExists(net, t, p)) rule.outputs.push_back(static_cast<std::uint8_t>(at));
        }
        rules.transitions.push_back(std::move(rule));
    }
    return rules;
}

std::vector<std::uint16_t> MarkingOf(const NetWorkType& net, const Rules& rules) {
    std::vector<std::uint16_t> marking;
    for (int p : rules.places)
        marking.push_back(net.points[static_cast<std::size_t>(p)].tokens);
    return marking;
}

} // namespace plax
