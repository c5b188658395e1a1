#include "mark_value.h"

#include "net_types.h"

#include <charconv>
#include <cstddef>
#include <system_error>

namespace plax {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

// Digits with at most one decimal point, at least one digit, then an optional exponent with
// at least one digit. The conversion below would also take "inf" and "nan", so the shape is
// checked first.
bool IsDecimalNumber(std::string_view s) {
    std::size_t i = SkipDigits(s, 0);
    std::size_t digits = i;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fraction = SkipDigits(s, i + 1);
        digits += fraction - i - 1;
        i = fraction;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t exponent = SkipDigits(s, i);
        if (exponent == i) return false;
        i = exponent;
    }
    return i == s.size();
}

std::string_view WithoutBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

std::optional<double> ParseMark(std::string_view text) {
    std::string_view s = WithoutBlanks(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // from_chars is independent of the C locale, which Qt sets from the environment.
    if (!IsDecimalNumber(s)) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    if (value == 0.0) return 0.0; // "-0" is zero, not a negative mark
    if (negative || value > MaxWeight) return std::nullopt;
    return value;
}

} // namespace plax
