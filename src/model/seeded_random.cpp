#include "seeded_random.h"

#include <limits>

namespace plax {

std::uint32_t SeededRandom::Draw(std::uint32_t max) {
    // Rejecting the top sliver of the engine's range keeps every answer equally likely.
    const std::uint64_t range = std::uint64_t{max} + 1;
    const std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t limit = top - top % range;
    std::uint64_t x = engine_();
    while (x >= limit)
        x = engine_();
    return static_cast<std::uint32_t>(x % range);
}

double DrawUnit(RandomSource& random) {
    constexpr double Steps = 4294967296.0;
    return static_cast<double>(random.Draw(std::numeric_limits<std::uint32_t>::max())) / Steps;
}

} // namespace plax
