#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace plax {

// The 6-byte real of the net file: byte 0 the biased exponent (0 means zero), bytes 1..5 a
// 39-bit fraction, least significant byte first, and the sign in the top bit of byte 5.
// value = (-1)^s * 2^(e - 129) * (1 + f / 2^39).
using Real48 = std::array<std::uint8_t, 6>;

// Rounds the fraction to 39 bits, a half away from zero; a magnitude below the smallest
// representable value becomes 0. No value for NaN, infinities and magnitudes above the largest.
[[nodiscard]] std::optional<Real48> DoubleToReal48(double value);
double Real48ToDouble(const Real48& bytes);

inline constexpr double Real48Max = 1.7014118346031449e38; // 2^127 * (1 - 2^-40)
inline constexpr double Real48Min = 2.938735877055719e-39; // 2^-128

// What a computed value becomes in a stored 48-bit field: a magnitude above the largest is
// held as the largest, so that a net never becomes unsavable through a value of its own.
double StorableReal48(double value);

} // namespace plax
