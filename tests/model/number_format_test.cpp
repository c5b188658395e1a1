// The trimmed number format against the printf-based formatter it replaced, over millions of
// values: every Results text that prints a number depends on the two agreeing byte for byte.
#include "model/text_utils.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace plax {
namespace {

// The formatter as it was: printf's "%.*f", or the shortest digits written out from 1e15 on.
std::string ReferenceTrimmed(double value, int decimals) {
    std::string s;
    if (!std::isfinite(value)) {
        s = value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
    } else if (std::fabs(value) >= 1e15) {
        char buf[64];
        const std::string sci(buf,
                              std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific).ptr);
        const auto ePos = sci.find('e');
        const int exponent = std::stoi(sci.substr(ePos + 1));
        std::string digits;
        for (char c : sci.substr(0, ePos)) {
            if (c >= '0' && c <= '9') digits.push_back(c);
        }
        const auto intDigits = static_cast<std::size_t>(exponent + 1);
        if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
        if (value < 0) s.push_back('-');
        s.append(digits, 0, intDigits);
        if (digits.size() > intDigits) s += "." + digits.substr(intDigits);
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
        s = buf;
    }
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s == "-0") s.erase(0, 1);
    return s;
}

#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr int Rounds = 100000; // the instrumented builds check fewer values
#else
constexpr int Rounds = 1000000;
#endif

void ExpectSame(double value, int decimals, int& failures) {
    const std::string expected = ReferenceTrimmed(value, decimals);
    if (FormatTrimmed(value, decimals) == expected || ++failures > 10) return;
    ADD_FAILURE() << std::hexfloat << value << " with " << decimals
                  << " places: " << FormatTrimmed(value, decimals) << " instead of " << expected;
}

TEST(NumberFormat, AgreesWithPrintfOnRandomAndBoundaryValues) {
    std::mt19937_64 rng(48);
    int failures = 0;
    const double specials[] = {0.0,
                               -0.0,
                               1e15,
                               -1e15,
                               std::nextafter(1e15, 0.0),
                               std::nextafter(-1e15, 0.0),
                               1e38,
                               2e38,
                               -1e38,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::lowest(),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN(),
                               0.00005,
                               -0.00005,
                               0.00004999,
                               0.125,
                               0.375,
                               2.5,
                               99999.99995,
                               1e22,
                               1e23};
    for (const double v : specials) {
        for (int d = 0; d <= 6; ++d)
            ExpectSame(v, d, failures);
    }
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int round = 0; round < Rounds; ++round) {
        // Any bit pattern; numbers a user types (k / 10^4, nudged by an ulp); halves of the last
        // place, where rounding ties; integers near 2^53 and 1e15.
        ExpectSame(std::bit_cast<double>(rng()), 4, failures);
        const double typed =
            static_cast<double>(static_cast<std::int64_t>(rng() % 2000000001) - 1000000000) / 1e4;
        ExpectSame(typed, 4, failures);
        ExpectSame(std::nextafter(typed, 1e300), 4, failures);
        ExpectSame(std::nextafter(typed, -1e300), 2, failures);
        ExpectSame(std::ldexp(static_cast<double>(rng() % 4096), -static_cast<int>(rng() % 16)), 4, failures);
        ExpectSame(unit(rng) * std::pow(10.0, static_cast<double>(rng() % 40) - 20.0), 2 + round % 3,
                   failures);
        ExpectSame(std::nextafter(1e15, 0.0) - static_cast<double>(rng() % 100000), 4, failures);
        ExpectSame(
            static_cast<double>(static_cast<std::int64_t>(rng() % 2000000000000001) - 1000000000000000),
            round % 5, failures);
    }
    EXPECT_EQ(failures, 0);
}

TEST(NumberFormat, AppendsWithoutChangingWhatIsThere) {
    std::string line = "    Flow = ";
    AppendResultNumber(line, -2.25);
    AppendTrimmed(line, 3.14159, 2);
    EXPECT_EQ(line, "    Flow = -2.253.14");
}

} // namespace
} // namespace plax
