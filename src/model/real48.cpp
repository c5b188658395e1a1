#include "real48.h"

#include <algorithm>
#include <cmath>

namespace plax {

namespace {
constexpr int FractionBits = 39;
constexpr int ExponentBias = 129;
} // namespace

std::optional<Real48> DoubleToReal48(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    Real48 out{};
    if (value == 0.0) return out;
    const bool negative = std::signbit(value);
    int k = 0;
    const double m = std::frexp(std::fabs(value), &k); // |value| = m * 2^k, m in [0.5, 1)
    int e = k - 1 + ExponentBias;
    // (2m - 1) * 2^39 is exact in a double; std::round takes halves away from zero.
    auto f = static_cast<std::uint64_t>(std::round(std::ldexp(2.0 * m - 1.0, FractionBits)));
    if (f == (std::uint64_t{1} << FractionBits)) {
        f = 0;
        ++e;
    }
    if (e <= 0) return out;
    if (e > 255) return std::nullopt;
    out[0] = static_cast<std::uint8_t>(e);
    for (int i = 1; i <= 5; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(f >> (8 * (i - 1)));
    if (negative) out[5] = static_cast<std::uint8_t>(out[5] | 0x80);
    return out;
}

double StorableReal48(double value) { return std::clamp(value, -Real48Max, Real48Max); }

double Real48ToDouble(const Real48& bytes) {
    if (bytes[0] == 0) return 0.0;
    std::uint64_t f = 0;
    for (int i = 5; i >= 1; --i)
        f = (f << 8) | bytes[static_cast<std::size_t>(i)];
    f &= (std::uint64_t{1} << FractionBits) - 1;
    const double magnitude =
        std::ldexp(1.0 + std::ldexp(static_cast<double>(f), -FractionBits), bytes[0] - ExponentBias);
    return (bytes[5] & 0x80) != 0 ? -magnitude : magnitude;
}

} // namespace plax
