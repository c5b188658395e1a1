#pragma once

#include "auto_run.h"

#include "model/net_types.h"
#include "accounts/results_sink.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace plax {

inline constexpr const char* AutoRunTitle = "        Automatic Simulation of the Petri Net";

// How often each transition fired, by point number.
using FiringCounts = std::array<std::uint64_t, MaxPoints + 1>;

// What an automatic run did: its end, the seed that repeats it, and the firings per transition.
struct AutoRunReport {
    AutoRunResult result;
    std::uint64_t firingLimit = DefaultFiringLimit;
    std::uint64_t seed = 0;
    FiringCounts firings{};
};

// The account of a run, after the header: firings, why it ended, the seed, the firings per
// transition and the tokens per place it left.
void WriteAutoRun(ResultsSink& sink, const NetWorkType& net, const AutoRunReport& report);

// The desktop's automatic mode: opens the Results window, fires as a long run whose Stop and
// gauge the window keeps alive, and writes the account. `fired` (may be empty) hears of every
// transition fired.
AutoRunReport AutomaticSimulation(NetWorkType& net, const std::string& fileName,
                                  const AutoRunParameters& parameters, ProcedureOutput out,
                                  const std::function<void(int)>& fired = {});

} // namespace plax
