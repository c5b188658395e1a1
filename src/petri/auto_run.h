#pragma once

#include "model/net_types.h"
#include "model/seeded_random.h"
#include "algorithms/reachability.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace plax {

// Picks one of the `enabled` transitions, each with a chance of (level + 1) over the sum of
// (level + 1) of them all; 0 when none is enabled.
int ChooseTransition(const NetWorkType& net, const PointFlags& enabled, RandomSource& random);

inline constexpr std::uint64_t DefaultFiringLimit = 10000;
inline constexpr std::uint64_t MaxFiringLimit = 1000000000;

// What an automatic run is asked for: when it ends at the latest, and the seed of its choices
// (none: a fresh one, reported so that the run can be repeated).
struct AutoRunParameters {
    std::uint64_t firingLimit = DefaultFiringLimit;
    std::optional<std::uint64_t> seed;
};

// The seed asked for, or a fresh one from the system's source of entropy.
std::uint64_t RunSeed(const AutoRunParameters& parameters);

enum class AutoRunEnd { NoneEnabled, FiringLimit, Stopped };

struct AutoRunResult {
    std::uint64_t firings = 0;
    AutoRunEnd end = AutoRunEnd::NoneEnabled;
};

// Fires randomly chosen enabled transitions until none is enabled, `firingLimit` firings have
// run, or `stopRequested` (asked before every firing; may be empty) says so. `fired` (may be
// empty) hears of every transition fired.
AutoRunResult RunAutomatic(NetWorkType& net, RandomSource& random, std::uint64_t firingLimit,
                           const std::function<bool()>& stopRequested,
                           const std::function<void(int)>& fired = {});

} // namespace plax
