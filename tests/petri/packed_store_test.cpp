#include "petri/packed_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace plax {
namespace {

template <std::size_t W> void RoundTrips(const std::vector<std::uint32_t>& bounds) {
    const PackedLayout layout = PackedLayout::For(bounds);
    ASSERT_EQ(layout.Words(), W);
    PackedStore<W> store(layout, true);
    std::mt19937 random(29);
    std::vector<std::vector<std::uint16_t>> markings;
    for (int k = 0; k < 3000; ++k) {
        std::vector<std::uint16_t> m;
        for (std::uint32_t b : bounds)
            m.push_back(
                static_cast<std::uint16_t>(std::uniform_int_distribution<std::uint32_t>(0, b)(random)));
        markings.push_back(m);
        const auto key = store.Pack(m);
        const auto [number, added, flagged] = store.Insert(key, store.Hash(key));
        EXPECT_EQ(flagged,
                  !added && std::count(markings.begin(), markings.end() - 1, m) > 0 && m == markings.front());
        if (k == 0) store.Flag(static_cast<std::size_t>(store.Find(key, store.Hash(key))));
        std::vector<std::uint16_t> back(m.size());
        store.Unpack(store.At(number), back);
        EXPECT_EQ(back, m);
        EXPECT_GE(store.Find(key, store.Hash(key)), 0);
        if (!added) {
            EXPECT_GE(std::count(markings.begin(), markings.end(), m), 2) << "stored twice";
        }
    }
    std::vector<std::uint16_t> over(bounds.size(), 0);
    over.back() = static_cast<std::uint16_t>((1u << layout.width.back()));
    EXPECT_FALSE(store.Fits(over));
}

TEST(PackedStore, MarkingsOfOneTwoAndFourWordsComeBackWhole) {
    RoundTrips<1>({1, 3, 0, 10000, 255});                                         // 1 + 2 + 0 + 14 + 8 bits
    RoundTrips<2>({10000, 10000, 10000, 10000, 255, 10000, 10000, 10000, 10000}); // 8 bits left in word 0
    RoundTrips<4>(std::vector<std::uint32_t>(14, 10000)); // 4 + 4 + 4 + 2 counts of 14 bits
    const auto words = [](std::size_t places, std::uint32_t bound) {
        return PackedLayout::For(std::vector<std::uint32_t>(places, bound)).Words();
    };
    EXPECT_EQ(words(0, 1), 1u);
    EXPECT_EQ(words(31, 1), 1u) << "62 bits and the table's two";
    EXPECT_EQ(words(9, 127), 2u) << "63 bits leave the table one";
    EXPECT_EQ(words(9, 10000), 4u) << "no count straddles two words: 4 + 4 + 1";
    const PackedLayout straddle = PackedLayout::For({10000, 10000, 10000, 10000, 511}); // 56 + 9 bits
    EXPECT_EQ(straddle.word[4], 1u);
    EXPECT_EQ(straddle.shift[4], 0u);
}

} // namespace
} // namespace plax
