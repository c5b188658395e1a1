#include "model/mark_value.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace plax {

TEST(MarkValue, AcceptsCompleteDecimalNumbersFromZeroTo1E38) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"0", 0.0},
        {"1.0E38", 1.0E38},
        {"2.5", 2.5},
        {" 12 ", 12.0},
        {"+3", 3.0},
        {".5", 0.5},
        {"7.", 7.0},
        {"1e-3", 0.001},
        {"-0", 0.0},
        {"1e39", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"1.5.2", std::nullopt},
        {"0x10", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"   ", std::nullopt},
        {"1e", std::nullopt},
        {".", std::nullopt},
        {"2,5", std::nullopt},
        {"1.0000001E38", std::nullopt},
        {"1e400", std::nullopt},
        {"3 4", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMark(c.text), c.value) << '"' << c.text << '"';
}

} // namespace plax
