// The widest path from one source against the all-pairs Floyd-Warshall closure it replaced, on
// random nets with ties, zero, negative and fractional weights, for every pair of points.
#include "algorithms/max_capacity_path.h"

#include "model/text_utils.h"

#include "net_builders.h"
#include "random_nets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

namespace plax::testing {
namespace {

constexpr double NoPath = 2E38;

// The closure as the procedure first computed it, every pair at once.
double FloydWarshall(const NetWorkType& net, int s, int t) {
    const int n = net.n;
    std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1> c;
    for (auto& row : c)
        row.fill(NoPath);
    for (int i = 1; i <= n; ++i) {
        c[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 0.0;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.target != i && e.target <= n) c[static_cast<std::size_t>(i)][e.target] = e.weight;
        }
    }
    auto at = [&](int i, int j) -> double& {
        return c[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    };
    for (int k = 1; k <= n; ++k) {
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                if (k == i || k == j || i == j || at(i, k) == NoPath || at(k, j) == NoPath) continue;
                const double through = std::min(at(i, k), at(k, j));
                if (at(i, j) == NoPath || through > at(i, j)) at(i, j) = through;
            }
        }
    }
    return at(s, t);
}

#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr int Trials = 500; // the instrumented builds check fewer nets
#else
constexpr int Trials = 3000;
#endif

TEST(MaxCapacityWidest, AgreesWithTheAllPairsClosure) {
    std::mt19937 rng(37);
    int pairs = 0;
    for (int trial = 0; trial < Trials; ++trial) {
        const int n = 2 + trial % 14;
        NetWorkType net = testing::RandomNet(
            rng, trial % 2 == 0, n, std::array{0.15, 0.3, 0.6, 1.0}[static_cast<std::size_t>(trial % 4)], 5);
        for (int i = 1; i <= n; ++i) {
            for (EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
                if (trial % 3 == 1) e.weight = e.weight / 4.0 - 0.5; // fractions, zero and negatives
            }
        }
        if (trial % 7 == 0 && !net.lists[1].empty()) {
            // A repeated entry, wider or narrower than the first: the last one's weight counts.
            EdgeType again = net.lists[1].front();
            again.weight += trial % 2 == 0 ? 3.0 : -3.0;
            net.lists[1].push_back(again);
        }
        for (int s = 1; s <= n; ++s) {
            for (int t = 1; t <= n; ++t) {
                net.sourcePoint = static_cast<std::uint16_t>(s);
                net.sinkPoint = static_cast<std::uint16_t>(t);
                const double expected = FloydWarshall(net, s, t);
                const double found = ComputeMaxCapacity(net).capacity;
                ASSERT_EQ(found, expected) << "trial " << trial << " " << s << "->" << t;
                ASSERT_EQ(ResultNumber(found), ResultNumber(expected));
                ++pairs;
            }
        }
    }
    EXPECT_GT(pairs, Trials * 60);
}

} // namespace
} // namespace plax::testing
