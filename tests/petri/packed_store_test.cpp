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
        const auto [number, added] = store.Insert(key, store.Hash(key));
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
    RoundTrips<1>({1, 3, 0, 10000, 255});                 // 1 + 2 + 0 + 14 + 8 bits
    RoundTrips<2>(std::vector<std::uint32_t>(9, 10000));  // 126 bits, counts across words
    RoundTrips<4>(std::vector<std::uint32_t>(14, 10000)); // 196 bits
    EXPECT_EQ(PackedLayout::For(std::vector<std::uint32_t>(9, 127)).Words(), 1u) << "63 bits and the flag";
    EXPECT_EQ(PackedLayout::For(std::vector<std::uint32_t>(8, 255)).Words(), 2u) << "64 bits leave no flag";
}

} // namespace
} // namespace plax
