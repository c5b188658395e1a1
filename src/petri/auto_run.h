#pragma once

#include "model/net_types.h"
#include "model/seeded_random.h"
#include "procedures/reachability.h"

#include <cstdint>
#include <functional>

namespace plax {

// Picks one of the `enabled` transitions, each with a chance of (level + 1) over the sum of
// (level + 1) of them all; 0 when none is enabled.
int ChooseTransition(const NetWorkType& net, const PointFlags& enabled, RandomSource& random);

inline constexpr std::uint64_t DefaultFiringLimit = 10000;

enum class AutoRunEnd { NoneEnabled, FiringLimit, Stopped };

struct AutoRunResult {
    std::uint64_t firings = 0;
    AutoRunEnd end = AutoRunEnd::NoneEnabled;
};

// Fires randomly chosen enabled transitions until none is enabled, `firingLimit` firings have
// run, or `stopRequested` (asked before every firing; may be empty) says so.
AutoRunResult RunAutomatic(NetWorkType& net, RandomSource& random, std::uint64_t firingLimit,
                           const std::function<bool()>& stopRequested);

} // namespace plax
