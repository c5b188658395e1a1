#include "model/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plax {
namespace {

Real48 Bytes(double v) {
    const auto r = DoubleToReal48(v);
    EXPECT_TRUE(r.has_value()) << v;
    return r.value_or(Real48{});
}

TEST(Real48, KnownBytes) {
    EXPECT_EQ(Bytes(0.0), (Real48{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(1.0), (Real48{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(1.5), (Real48{0x81, 0, 0, 0, 0, 0x40}));
    EXPECT_EQ(Bytes(100.0), (Real48{0x87, 0, 0, 0, 0, 0x48}));
    EXPECT_EQ(Bytes(0.1), (Real48{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C}));
    EXPECT_EQ(Bytes(-0.1), (Real48{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC}));
    EXPECT_EQ(Bytes(-1.0), (Real48{0x81, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(Bytes(1.0E38), (Real48{0xFF, 0xB5, 0x50, 0x99, 0x76, 0x16}));
    EXPECT_EQ(Bytes(-0.0), (Real48{0, 0, 0, 0, 0, 0}));
}

TEST(Real48, RoundsHalfAwayFromZeroAtTheLastFractionBit) {
    // 1 + 2^-40 lies exactly between the fractions 0 and 1.
    EXPECT_EQ(Bytes(1.0 + std::ldexp(1.0, -40)), (Real48{0x81, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(-(1.0 + std::ldexp(1.0, -40))), (Real48{0x81, 1, 0, 0, 0, 0x80}));
    EXPECT_EQ(Bytes(1.0 + std::ldexp(1.0, -41)), (Real48{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(1.0 + 3 * std::ldexp(1.0, -41)), (Real48{0x81, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(1.0 + 3 * std::ldexp(1.0, -40)), (Real48{0x81, 2, 0, 0, 0, 0}));
    // Rounding up a full fraction carries into the exponent: just below 2 becomes 2.
    EXPECT_EQ(Bytes(2.0 - std::ldexp(1.0, -41)), (Real48{0x82, 0, 0, 0, 0, 0}));
}

TEST(Real48, SmallestAndUnderflow) {
    EXPECT_EQ(Bytes(Real48Min), (Real48{1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Real48ToDouble(Real48{1, 0, 0, 0, 0, 0}), std::ldexp(1.0, -128));
    EXPECT_EQ(Bytes(std::ldexp(1.0, -129)), (Real48{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(-std::ldexp(1.0, -140)), (Real48{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(std::numeric_limits<double>::denorm_min()), (Real48{0, 0, 0, 0, 0, 0}));
    // Just below the smallest value, rounding lifts it to the smallest.
    EXPECT_EQ(Bytes(std::ldexp(1.0 - std::ldexp(1.0, -42), -128)), (Real48{1, 0, 0, 0, 0, 0}));
}

TEST(Real48, LargestAndOverflow) {
    EXPECT_EQ(Bytes(Real48Max), (Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(Real48ToDouble(Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), Real48Max);
    EXPECT_FALSE(DoubleToReal48(std::ldexp(1.0, 127)).has_value());
    EXPECT_FALSE(DoubleToReal48(-1.0E39).has_value());
    EXPECT_FALSE(DoubleToReal48(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(DoubleToReal48(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(Real48, ReadingIgnoresTheFractionOfAZeroExponent) {
    EXPECT_EQ(Real48ToDouble(Real48{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0.0);
    EXPECT_EQ(Real48ToDouble(Real48{0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC}), -Real48ToDouble(Bytes(0.1)));
}

TEST(Real48, ValuesOfFortyBitsSurviveExactly) {
    for (double v : {0.5, 3.25, 12345.0, 1e-30, 0.3, 7.0 / 3.0, 1e38, -2.5}) {
        const double stored = Real48ToDouble(Bytes(v));
        EXPECT_EQ(Real48ToDouble(Bytes(stored)), stored);
        EXPECT_NEAR(stored, v, std::fabs(v) * std::ldexp(1.0, -40));
    }
}

} // namespace
} // namespace plax
