// The pruned automorphism search against the odometer it replaced: the same automorphisms with
// the same numbers in the same order, in both orders, and a stopped run that lists a prefix.
#include "automorphism_odometer.h"
#include "geng_nets.h"
#include "net_builders.h"
#include "random_nets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace plax::testing {
namespace {

struct Listing {
    std::vector<std::vector<int>> images;
    bool complete = true;
};

Listing Search(const NetWorkType& net, AutomorphismOrder order, RunControl& control) {
    Listing out;
    std::uint64_t expected = 2;
    const AutomorphismsResult r = SearchAutomorphisms(net, order, control, [&](const AutomorphismFind& f) {
        EXPECT_EQ(f.counter, expected++);
        out.images.emplace_back(f.image.begin(), f.image.end());
    });
    EXPECT_EQ(r.count, out.images.size() + 1);
    out.complete = r.complete;
    return out;
}

void ExpectSameListing(const NetWorkType& net, const std::string& what) {
    for (const AutomorphismOrder order : {AutomorphismOrder::Sorted, AutomorphismOrder::PlainChanges}) {
        UnstoppedRun a;
        UnstoppedRun b;
        const Listing pruned = Search(net, order, a);
        const OdometerListing odometer = AutomorphismOdometer(net, order).Run(b);
        ASSERT_TRUE(pruned.complete);
        ASSERT_EQ(pruned.images, odometer.images)
            << what << (order == AutomorphismOrder::Sorted ? " sorted" : " unsorted");
    }
}

// Pair k of the n(n-1)/2 (or n(n-1) directed) pairs is an edge when bit k of `bits` is set.
NetWorkType NetFromBits(int n, bool directed, std::uint32_t bits) {
    NetWorkType net = MakeNet(directed ? DirNetCode : UndirNetCode, n, "bits");
    int k = 0;
    for (int i = 1; i <= n; ++i) {
        for (int j = directed ? 1 : i + 1; j <= n; ++j) {
            if (i == j) continue;
            if (((bits >> k++) & 1u) != 0) Connect(net, i, j);
        }
    }
    return net;
}

#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr int AllUndirectedUpTo = 5; // the instrumented builds check fewer nets
#else
constexpr int AllUndirectedUpTo = 6;
#endif

TEST(AutomorphismOrder, EveryNetUpToSixPointsAndDirectedUpToFour) {
    for (int n = 1; n <= AllUndirectedUpTo; ++n) {
        const int pairs = n * (n - 1) / 2;
        for (std::uint32_t bits = 0; bits < (1u << pairs); ++bits)
            ExpectSameListing(NetFromBits(n, false, bits), "undirected " + std::to_string(bits));
    }
    for (int n = 2; n <= 4; ++n) {
        for (std::uint32_t bits = 0; bits < (1u << (n * (n - 1))); ++bits)
            ExpectSameListing(NetFromBits(n, true, bits), "directed " + std::to_string(bits));
    }
}

// Seven and eight points, every net up to isomorphism (the instrumented builds take seven).
TEST(AutomorphismOrder, EveryNetOfSevenAndEightPointsUpToIsomorphism) {
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
    const std::vector<std::pair<int, std::size_t>> sizes{{7, 1044}};
#else
    const std::vector<std::pair<int, std::size_t>> sizes{{7, 1044}, {8, 12346}};
#endif
    for (const auto& [n, classes] : sizes) {
        const std::vector<NetWorkType> nets = GengNets(n);
        if (nets.empty())
            GTEST_SKIP() << "nauty-geng is missing: scripts/install-deps.sh test installs nauty";
        ASSERT_EQ(nets.size(), classes);
        for (std::size_t k = 0; k < nets.size(); ++k)
            ExpectSameListing(nets[k], std::to_string(n) + " points, class " + std::to_string(k));
    }
}

std::uint64_t Candidates(const NetWorkType& net) {
    std::uint64_t product = 1;
    for (const std::vector<int>& c : AutomorphismClasses(net)) {
        for (std::size_t k = 2; k <= c.size(); ++k)
            product *= k;
    }
    return product;
}

// Seven and eight points at random, and fifteen where the classes keep the odometer short.
TEST(AutomorphismOrder, RandomNetsUpToFifteenPoints) {
    std::mt19937 rng(2026);
    int compared15 = 0;
    for (int trial = 0; trial < 1000; ++trial) {
        const int n = trial < 600 ? 7 + trial % 2 : MaxPoints;
        const double density = std::array{0.1, 0.3, 0.5, 0.7, 0.9}[static_cast<std::size_t>(trial % 5)];
        const NetWorkType net = RandomNet(rng, trial % 3 == 1, n, density, 9);
        if (n == MaxPoints && Candidates(net) > 20000) continue;
        compared15 += n == MaxPoints ? 1 : 0;
        ExpectSameListing(net, "trial " + std::to_string(trial));
    }
    EXPECT_GT(compared15, 100);
}

// Stop at each of the first polls: what the pruned search lists is what the odometer lists when
// stopped at one of its polls. Where every candidate is an automorphism nothing is skipped, so the
// same poll stops both at the same place.
TEST(AutomorphismOrder, StoppedListingIsAnOdometerPrefix) {
    std::mt19937 rng(7);
    NetWorkType complete = RandomNet(rng, false, 6, 1.0, 9);
    NetWorkType sparse = MakeNet(UndirNetCode, 8, "ring"); // 16 automorphisms among 8! candidates
    for (int p = 1; p <= 8; ++p)
        Connect(sparse, p, p % 8 + 1);
    for (const AutomorphismOrder order : {AutomorphismOrder::Sorted, AutomorphismOrder::PlainChanges}) {
        UnstoppedRun whole;
        const OdometerListing all = AutomorphismOdometer(sparse, order).Run(whole);
        for (int stopAt = 1; stopAt <= 30; ++stopAt) {
            StopAtPoll a(stopAt);
            StopAtPoll b(stopAt);
            const Listing pruned = Search(complete, order, a);
            const OdometerListing odometer = AutomorphismOdometer(complete, order).Run(b);
            EXPECT_EQ(pruned.complete, odometer.complete);
            EXPECT_EQ(pruned.images, odometer.images) << stopAt;

            StopAtPoll c(stopAt);
            const Listing part = Search(sparse, order, c);
            ASSERT_LE(part.images.size(), all.images.size());
            EXPECT_TRUE(std::equal(part.images.begin(), part.images.end(), all.images.begin())) << stopAt;
        }
    }
}

} // namespace
} // namespace plax::testing
