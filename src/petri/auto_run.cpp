#include "auto_run.h"

#include "petri_net.h"

#include <array>
#include <limits>
#include <random>

namespace plax {

int ChooseTransition(const NetWorkType& net, const PointFlags& enabled, RandomSource& random) {
    // Transition t owns the numbers from the running total to the total plus its level.
    std::array<std::uint32_t, MaxPoints + 1> intervalEnd{};
    std::uint32_t total = 0;
    bool any = false;
    for (int t = 1; t <= net.n; ++t) {
        const auto k = static_cast<std::size_t>(t);
        if (!enabled[k] || !IsTransition(net.points[k])) continue;
        intervalEnd[k] = total + net.points[k].tokens;
        total = intervalEnd[k] + 1;
        any = true;
    }
    if (!any) return 0;
    const std::uint32_t r = random.Draw(total - 1);
    for (int t = 1; t <= net.n; ++t) {
        const auto k = static_cast<std::size_t>(t);
        if (enabled[k] && IsTransition(net.points[k]) && r <= intervalEnd[k]) return t;
    }
    return 0;
}

std::uint64_t RunSeed(const AutoRunParameters& parameters) {
    if (parameters.seed) return *parameters.seed;
    std::random_device entropy;
    return (std::uint64_t{entropy()} << 32) ^ entropy();
}

AutoRunResult RunAutomatic(NetWorkType& net, RandomSource& random, std::uint64_t firingLimit,
                           const std::function<bool()>& stopRequested,
                           const std::function<void(int)>& fired) {
    AutoRunResult result;
    for (;;) {
        const PointFlags enabled = EnabledTransitions(net);
        if (!AnyEnabled(enabled)) return result;
        if (result.firings >= firingLimit) {
            result.end = AutoRunEnd::FiringLimit;
            return result;
        }
        if (stopRequested && stopRequested()) {
            result.end = AutoRunEnd::Stopped;
            return result;
        }
        const int t = ChooseTransition(net, enabled, random);
        FireTransition(net, t);
        ++result.firings;
        if (fired) fired(t);
    }
}

} // namespace plax
