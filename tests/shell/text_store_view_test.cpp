#include "shell/text_store_view.h"

#include <gtest/gtest.h>

#include <string>

namespace plax::testing {
namespace {

// A scroll bar counts in int: a text of billions of lines is scaled onto it, a smaller one not.
TEST(TextStoreView, ScrollBarMapsAnyLineCount) {
    EXPECT_EQ(ScrollRangeOf(0), 0);
    EXPECT_EQ(ScrollRangeOf(1000), 1000);
    EXPECT_EQ(ScrollValueOf(500, 1000), 500);
    EXPECT_EQ(ScrollValueOf(2000, 1000), 1000);
    EXPECT_EQ(TopLineOf(500, 1000), 500u);
    EXPECT_EQ(TopLineOf(-5, 1000), 0u);

    constexpr std::uint64_t Huge = 4'000'000'000;
    EXPECT_EQ(ScrollRangeOf(Huge), ScrollSteps);
    EXPECT_EQ(ScrollValueOf(0, Huge), 0);
    EXPECT_EQ(ScrollValueOf(Huge, Huge), ScrollSteps);
    EXPECT_EQ(ScrollValueOf(2'000'000'000, Huge), 1 << 29);
    EXPECT_EQ(TopLineOf(1 << 29, Huge), 2'000'000'000u);
    EXPECT_EQ(TopLineOf(ScrollSteps, Huge), Huge);
    EXPECT_EQ(TopLineOf(0, Huge), 0u);
}

TextStore RowsWithAlpha() {
    TextStore store({.memoryBytes = 1000, .totalBytes = std::uint64_t{1} << 30, .tempDir = {}});
    for (int i = 0; i < 10000; ++i) {
        std::string line = "row " + std::to_string(i);
        if (i == 3) line = "Alpha beta";
        if (i == 5000) line = "gamma ALPHA";
        if (i == 9998) line = "alpha alpha";
        EXPECT_EQ(store.Append(line), TextStore::Status::Ok);
    }
    EXPECT_TRUE(store.Spilled());
    return store;
}

// Forward and backward, across the blocks a backward search reads and around the ends.
TEST(TextStoreView, FindsInEitherDirectionAndWraps) {
    const TextStore store = RowsWithAlpha();
    struct Case {
        TextPosition from;
        bool backward;
        TextPosition expected;
    };
    const Case cases[] = {
        {{0, 0}, false, {3, 0}},       {{3, 1}, false, {5000, 6}}, {{5000, 7}, false, {9998, 0}},
        {{9998, 1}, false, {9998, 6}}, {{9998, 7}, false, {3, 0}}, {{9998, 6}, true, {9998, 0}},
        {{9998, 0}, true, {5000, 6}},  {{5000, 6}, true, {3, 0}},  {{3, 0}, true, {9998, 6}},
        {{20000, 0}, false, {3, 0}},
    };
    for (const Case& c : cases) {
        TextPosition found;
        ASSERT_TRUE(FindInStore(store, "aLPHa", c.from, c.backward, found))
            << c.from.line << ":" << c.from.column;
        EXPECT_EQ(found, c.expected) << c.from.line << ":" << c.from.column << (c.backward ? " back" : "");
    }
    TextPosition found{7, 7};
    EXPECT_FALSE(FindInStore(store, "delta", {0, 0}, false, found));
    EXPECT_FALSE(FindInStore(store, "delta", {9000, 0}, true, found));
    EXPECT_FALSE(FindInStore(store, "", {0, 0}, false, found));
    EXPECT_EQ(found, (TextPosition{7, 7}));
}

TEST(TextStoreView, SelectedTextJoinsLinesAndStopsAtItsLimit) {
    TextStore store;
    for (const char* line : {"first line", "second", "third line"})
        ASSERT_EQ(store.Append(line), TextStore::Status::Ok);
    std::string out;
    bool whole = false;
    ASSERT_TRUE(SelectedText(store, {0, 6}, {2, 5}, 100, out, whole));
    EXPECT_EQ(out, "line\nsecond\nthird");
    EXPECT_TRUE(whole);
    ASSERT_TRUE(SelectedText(store, {0, 6}, {2, 5}, 6, out, whole));
    EXPECT_EQ(out, "line\nsecond"); // the line that passed the limit is the last one taken
    EXPECT_FALSE(whole);
    ASSERT_TRUE(SelectedText(store, {1, 3}, {1, 40}, 100, out, whole));
    EXPECT_EQ(out, "ond");
    ASSERT_TRUE(SelectedText(store, {1, 3}, {1, 3}, 100, out, whole));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(whole);
    ASSERT_TRUE(SelectedText(store, {2, 0}, {2, 10}, 100, out, whole));
    EXPECT_EQ(out, "third line");
}

} // namespace
} // namespace plax::testing
