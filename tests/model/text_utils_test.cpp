#include "model/text_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace plax {

TEST(TextUtils, TrimTextRemovesOuterBlanksAndShrinksInnerRuns) {
    EXPECT_EQ(TrimText("  Big   Town  "), "Big Town");
    EXPECT_EQ(TrimText("a b"), "a b");
    EXPECT_EQ(TrimText(" 10    20   North  Gate "), "10 20 North Gate");
    EXPECT_EQ(TrimText("abc"), "abc");
    EXPECT_EQ(TrimText("     "), "");
    EXPECT_EQ(TrimText(""), "");
    EXPECT_EQ(TrimText(" x"), "x");
    EXPECT_EQ(TrimText("x "), "x");
}

TEST(TextUtils, PadFillsToWidthAndNeverCuts) {
    EXPECT_EQ(PadLeft("10", 6), "    10");
    EXPECT_EQ(PadLeft("-20", 6), "   -20");
    EXPECT_EQ(PadLeft("123456", 6), "123456");
    EXPECT_EQ(PadLeft("1234567", 6), "1234567");
    EXPECT_EQ(PadLeft("", 3), "   ");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadRight("abcdef", 3), "abcdef");
    EXPECT_EQ(PadRight("", 2), "  ");
}

TEST(TextUtils, ResultNumberUsesFourPlacesWithoutTrailingZeros) {
    EXPECT_EQ(ResultNumber(12.5), "12.5");
    EXPECT_EQ(ResultNumber(3.0), "3");
    EXPECT_EQ(ResultNumber(0.0), "0");
    EXPECT_EQ(ResultNumber(-2.25), "-2.25");
    EXPECT_EQ(ResultNumber(7.5), "7.5");
    EXPECT_EQ(ResultNumber(10.0), "10");
    EXPECT_EQ(ResultNumber(100.0), "100");
    EXPECT_EQ(ResultNumber(0.125), "0.125");
    EXPECT_EQ(ResultNumber(12.34567), "12.3457");
    EXPECT_EQ(ResultNumber(0.25), "0.25");
    // Below half of the last place: rounds to zero, and a negative one shows no sign.
    EXPECT_EQ(ResultNumber(0.00004), "0");
    EXPECT_EQ(ResultNumber(-0.00004), "0");
    EXPECT_EQ(ResultNumber(-0.0), "0");
    // The largest weight: plain digits, no exponent.
    EXPECT_EQ(ResultNumber(1.0E38), "1" + std::string(38, '0'));
    // Either side of the short way for whole numbers below 1000.
    EXPECT_EQ(ResultNumber(999.0), "999");
    EXPECT_EQ(ResultNumber(1000.0), "1000");
    EXPECT_EQ(ResultNumber(999.5), "999.5");
    EXPECT_EQ(ResultNumber(-3.0), "-3");
    EXPECT_EQ(ResultNumber(1E15), "1" + std::string(15, '0'));
    // Right-aligned numbers either side of it, in a width they fill and one they overflow.
    for (const auto& [value, width, text] :
         std::vector<std::tuple<long long, std::size_t, std::string>>{{7, 3, "  7"},
                                                                      {42, 2, "42"},
                                                                      {999, 2, "999"},
                                                                      {1000, 6, "  1000"},
                                                                      {-5, 3, " -5"},
                                                                      {0, 0, "0"}}) {
        char out[24];
        EXPECT_EQ(std::string(out, WriteRightAligned(out, value, width)), text) << value;
    }
}

TEST(TextUtils, FormatTrimmedWithOtherPlaces) {
    EXPECT_EQ(FormatTrimmed(2.50, 2), "2.5");
    EXPECT_EQ(FormatTrimmed(3.00, 2), "3");
    EXPECT_EQ(FormatTrimmed(120.00, 2), "120");
    EXPECT_EQ(FormatTrimmed(0.004, 2), "0");
    EXPECT_EQ(FormatTrimmed(-1.25, 2), "-1.25");
    // Without decimals there is no decimal point, so the zeros of the integer part stay.
    EXPECT_EQ(FormatTrimmed(100.0, 0), "100");
    EXPECT_EQ(FormatTrimmed(2.0, 0), "2");
}

TEST(TextUtils, UpperExtensionAndFileName) {
    EXPECT_EQ(UpperExtension("Road.Kp"), ".KP");
    EXPECT_EQ(UpperExtension("a.b.net"), ".NET");
    EXPECT_EQ(UpperExtension("noext"), "");
    EXPECT_EQ(UpperExtension("/home/me/graph.Bmp"), ".BMP");
    EXPECT_EQ(UpperExtension("/home/my.nets/graph"), "");
    EXPECT_EQ(UpperExtension("/home/my.nets/edges.txt"), ".TXT");

    EXPECT_EQ(FileNameOf("/home/me/road.net"), "road.net");
    EXPECT_EQ(FileNameOf("road.net"), "road.net");
    EXPECT_EQ(FileNameOf("/home/me/"), "");
    EXPECT_EQ(FileNameOf("/x.kp"), "x.kp");
}

} // namespace plax
