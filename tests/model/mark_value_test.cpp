#include "model/mark_value.h"

#include <gtest/gtest.h>

#include <optional>

namespace plax {

TEST(MarkValue, AcceptsCompleteDecimalNumbersFromZeroTo1E38) {
    const struct {
        const char* text;
        double value;
    } accepted[] = {{"0", 0.0},  {"1.0E38", 1.0E38}, {"2.5", 2.5},    {" 12 ", 12.0},
                    {"+3", 3.0}, {".5", 0.5},        {"1e-3", 0.001}, {"-0", 0.0}};
    for (const auto& c : accepted)
        EXPECT_EQ(ParseMark(c.text), c.value) << '"' << c.text << '"';
    for (const char* text : {"1e39", "-1", "", "1.5.2", "0x10", "nan", "inf", "   ", "1e", ".", "2,5",
                             "1.0000001E38", "1e400", "3 4", "--1"})
        EXPECT_EQ(ParseMark(text), std::nullopt) << '"' << text << '"';
}

} // namespace plax
