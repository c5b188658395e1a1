#pragma once

#include <cstdint>
#include <random>

namespace plax {

// Where random choices take their chances from, so that a test or a seed can fix them.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A whole number from 0 to `max`, each equally likely.
    virtual std::uint32_t Draw(std::uint32_t max) = 0;
};

// A source that gives the same numbers for the same seed on every platform: the engine is fixed
// by the standard, and Draw uses no library distribution (those differ between libraries).
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    std::uint32_t Draw(std::uint32_t max) override;

private:
    std::mt19937_64 engine_;
};

// A real number in [0, 1) from the source, with 2^32 steps.
double DrawUnit(RandomSource& random);

} // namespace plax
