#include "accounts/automorphisms_account.h"
#include "catalogue/refusals.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
#include <sstream>

namespace plax {
namespace {

using testing::Body;
using testing::Connect;
using testing::Header;
using testing::Lines;
using testing::MakeNet;
using testing::RunSearch;
using testing::SearchRun;
using testing::StoppingSink;
using testing::Triangle;

const std::string Title = "            Automorphism Group";
const std::string Complete = "    Procedure complete. ";

SearchRun RunAutomorphisms(NetWorkType& net, AutomorphismOrder order,
                           const std::function<void(StoppingSink&)>& setUp = {}) {
    return RunSearch([&](MarkingBuffer&, ProcedureOutput out) { Automorphisms(net, order, "a.net", out); },
                     setUp);
}

TEST(Automorphisms, PathSwapsItsEnds) {
    NetWorkType net = MakeNet(UndirNetCode, 3, "path");
    Connect(net, 1, 2);
    Connect(net, 2, 3);
    Lines expected = Header(Title, "path", "undirNet", 3, 2);
    expected.insert(expected.end(), {"      2  (  3,  2,  1)", Complete});
    EXPECT_EQ(RunAutomorphisms(net, AutomorphismOrder::Sorted).lines, expected);
}

TEST(Automorphisms, TriangleInBothOrders) {
    NetWorkType net = Triangle();
    EXPECT_EQ(Body(RunAutomorphisms(net, AutomorphismOrder::Sorted).lines),
              (Lines{"      2  (  1,  3,  2)", "      3  (  2,  1,  3)", "      4  (  2,  3,  1)",
                     "      5  (  3,  1,  2)", "      6  (  3,  2,  1)", Complete}));
    EXPECT_EQ(Body(RunAutomorphisms(net, AutomorphismOrder::PlainChanges).lines),
              (Lines{"      2  (  2,  1,  3)", "      3  (  2,  3,  1)", "      4  (  3,  2,  1)",
                     "      5  (  3,  1,  2)", "      6  (  1,  3,  2)", Complete}));
}

TEST(Automorphisms, DirectedCycleKeepsOnlyRotations) {
    NetWorkType net = MakeNet(DirNetCode, 3, "turn");
    Connect(net, 1, 2);
    Connect(net, 2, 3);
    Connect(net, 3, 1);
    EXPECT_EQ(Body(RunAutomorphisms(net, AutomorphismOrder::Sorted).lines),
              (Lines{"      2  (  2,  3,  1)", "      3  (  3,  1,  2)", Complete}));
}

// In- and out-degrees differ at every point of a directed path.
TEST(Automorphisms, AllPointsDistinctGiveTheIdentityLine) {
    NetWorkType net = MakeNet(DirNetCode, 3, "line");
    Connect(net, 1, 2);
    Connect(net, 2, 3);
    EXPECT_EQ(Body(RunAutomorphisms(net, AutomorphismOrder::Sorted).lines),
              (Lines{"    Identity Automorphism Group!", Complete}));
}

// An edge 1-2 beside a triangle 3-4-5: two classes, the second turning fastest.
TEST(Automorphisms, OdometerTurnsTheLastClassFastest) {
    NetWorkType net = MakeNet(UndirNetCode, 5, "two");
    Connect(net, 1, 2);
    Connect(net, 3, 4);
    Connect(net, 4, 5);
    Connect(net, 3, 5);
    EXPECT_EQ(Body(RunAutomorphisms(net, AutomorphismOrder::Sorted).lines),
              (Lines{"      2  (  1,  2,  3,  5,  4)", "      3  (  1,  2,  4,  3,  5)",
                     "      4  (  1,  2,  4,  5,  3)", "      5  (  1,  2,  5,  3,  4)",
                     "      6  (  1,  2,  5,  4,  3)", "      7  (  2,  1,  3,  4,  5)",
                     "      8  (  2,  1,  3,  5,  4)", "      9  (  2,  1,  4,  3,  5)",
                     "     10  (  2,  1,  4,  5,  3)", "     11  (  2,  1,  5,  3,  4)",
                     "     12  (  2,  1,  5,  4,  3)", Complete}));
}

TEST(Automorphisms, FifteenPointsFillOneLine) {
    NetWorkType net = MakeNet(UndirNetCode, 15, "dots");
    const SearchRun run =
        RunAutomorphisms(net, AutomorphismOrder::Sorted, [](StoppingSink& s) { s.stopAtPoll = 1; });
    EXPECT_EQ(Body(run.lines).front(),
              "      2  (  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 15, 14)");
}

// Complete net of six points: every candidate is an automorphism. The first poll comes with the
// 25th advance, before its candidate is tested.
TEST(Automorphisms, StopEndsTheListing) {
    NetWorkType net = MakeNet(UndirNetCode, 6, "k6");
    for (int i = 1; i <= 6; ++i) {
        for (int j = i + 1; j <= 6; ++j)
            Connect(net, i, j);
    }
    const SearchRun run =
        RunAutomorphisms(net, AutomorphismOrder::Sorted, [](StoppingSink& s) { s.stopAtPoll = 1; });
    const Lines body = Body(run.lines);
    ASSERT_EQ(body.size(), 26u);
    EXPECT_EQ(body.front(), "      2  (  1,  2,  3,  4,  6,  5)");
    EXPECT_EQ(body[23], "     25  (  1,  3,  2,  4,  5,  6)");
    EXPECT_EQ(body[24], "    Procedure terminated! ");
    EXPECT_EQ(body[25], Complete);
    EXPECT_TRUE(run.longRunEnded);
    EXPECT_EQ(run.flags.stop, 0);
    EXPECT_EQ(net.interaction.busy, 0);
}

using Image = std::vector<int>;

std::vector<Image> Listed(const Lines& lines) {
    std::vector<Image> images;
    for (const std::string& line : Body(lines)) {
        const auto open = line.find('(');
        if (open == std::string::npos) continue;
        Image image;
        std::string cells = line.substr(open + 1);
        std::replace(cells.begin(), cells.end(), ',', ' ');
        std::replace(cells.begin(), cells.end(), ')', ' ');
        std::istringstream in(cells);
        for (int p; in >> p;)
            image.push_back(p);
        images.push_back(image);
    }
    return images;
}

bool Preserves(const NetWorkType& net, const Image& image) {
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            if (EdgeExists(net, i, j) != EdgeExists(net, image[static_cast<std::size_t>(i - 1)],
                                                    image[static_cast<std::size_t>(j - 1)]))
                return false;
        }
    }
    return true;
}

std::size_t BruteForceCount(const NetWorkType& net) {
    Image image(static_cast<std::size_t>(net.n));
    std::iota(image.begin(), image.end(), 1);
    std::size_t count = 0;
    do {
        if (Preserves(net, image)) ++count;
    } while (std::next_permutation(image.begin(), image.end()));
    return count;
}

TEST(AutomorphismInvariants, CountsMatchBruteForce) {
    std::mt19937 rng(99);
    for (int trial = 0; trial < 160; ++trial) {
        const int n = 1 + trial % 8;
        const bool directed = trial % 4 == 1;
        const double density = trial % 5 == 0 ? 0.0 : (trial % 5 == 4 ? 1.0 : 0.4);
        NetWorkType net = testing::RandomNet(rng, directed, n, density, 9);
        const std::size_t expected = BruteForceCount(net);
        std::set<Image> sets[2];
        int k = 0;
        for (const AutomorphismOrder order : {AutomorphismOrder::Sorted, AutomorphismOrder::PlainChanges}) {
            const SearchRun run = RunAutomorphisms(net, order);
            const std::vector<Image> listed = Listed(run.lines);
            ASSERT_EQ(listed.size() + 1, expected) << "trial " << trial;
            for (const Image& image : listed)
                EXPECT_TRUE(Preserves(net, image)) << "trial " << trial;
            sets[k++] = std::set<Image>(listed.begin(), listed.end());
            EXPECT_EQ(sets[k - 1].size(), listed.size());
            EXPECT_EQ(run.lines[run.lines.size() - 2] == "    Identity Automorphism Group!", expected == 1);
        }
        EXPECT_EQ(sets[0], sets[1]);
    }
}

} // namespace
} // namespace plax
