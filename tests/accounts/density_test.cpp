#include "accounts/density_account.h"
#include "catalogue/refusals.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

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

const std::string Complete = "    Procedure complete. ";

SearchRun RunDensity(NetWorkType& net, DensityMode mode,
                     const std::function<void(StoppingSink&)>& setUp = {}) {
    return RunSearch(
        [&](MarkingBuffer& marks, ProcedureOutput out) { Density(net, mode, marks, "d.net", out); }, setUp);
}

SearchRun RunQuickColor(const NetWorkType& net, int variant) {
    return RunSearch(
        [&](MarkingBuffer& marks, ProcedureOutput out) { QuickColor(net, variant, marks, "q.net", out); });
}

NetWorkType NetOf(int n, const std::vector<std::pair<int, int>>& edges, const std::string& name = "net") {
    NetWorkType net = MakeNet(UndirNetCode, n, name);
    for (const auto& [a, b] : edges)
        Connect(net, a, b);
    return net;
}

// The points marked with colour index 9, as the point modes mark them.
std::vector<int> MarkedPoints(const MarkingBuffer& marks) {
    std::vector<int> points;
    for (int p = 1; p <= MaxPoints; ++p) {
        if (marks.pointIndex[static_cast<std::size_t>(p)] == 9 &&
            marks.pointColor[static_cast<std::size_t>(p)] == 0x0000FF)
            points.push_back(p);
    }
    return points;
}

std::vector<int> ColorIndices(const MarkingBuffer& marks, int n) {
    std::vector<int> colors;
    for (int p = 1; p <= n; ++p)
        colors.push_back(marks.pointIndex[static_cast<std::size_t>(p)]);
    return colors;
}

TEST(DensityRefusal, OnePointIsTrivial) {
    NetWorkType one = MakeNet(UndirNetCode, 1, "net");
    EXPECT_EQ(DensityRefusal(one), "Trivial Graph. Procedure terminated!");
    const SearchRun run = RunDensity(one, DensityMode::Coloring);
    EXPECT_EQ(run.calls, (std::vector<testing::RecordingMessages::Call>{
                             {"warning", "Trivial Graph. Procedure terminated!"}}));
    EXPECT_TRUE(run.lines.empty());
    EXPECT_EQ(run.flags.busy, 0);

    NetWorkType two = MakeNet(UndirNetCode, 2, "net");
    EXPECT_EQ(DensityRefusal(two), std::nullopt);
}

TEST(Density, ThreeIsolatedPoints) {
    NetWorkType net = MakeNet(UndirNetCode, 3, "dots");
    const SearchRun density = RunDensity(net, DensityMode::Density);
    Lines expected = Header("             Density ", "dots", "undirNet", 3, 0);
    expected.insert(expected.end(),
                    {"", "    Density = 1", "    Greatest Clique is :", "    {  1 }", Complete});
    EXPECT_EQ(density.lines, expected);
    EXPECT_EQ(MarkedPoints(density.marks), (std::vector<int>{1}));
    EXPECT_EQ(density.gauge.front(), 0);

    EXPECT_EQ(Body(RunDensity(net, DensityMode::Undensity).lines),
              (Lines{"", "    Point-Independence Number = 3",
                     "    Greatest Independent Set is :", "    {  1,  2,  3 }", Complete}));
    const SearchRun cover = RunDensity(net, DensityMode::PointCover);
    EXPECT_EQ(Body(cover.lines),
              (Lines{"", "    Point-Covering Number = 0", "    Smallest Point`s cover is :", Complete}));
    EXPECT_TRUE(MarkedPoints(cover.marks).empty());
    const SearchRun colors = RunDensity(net, DensityMode::Coloring);
    EXPECT_EQ(colors.lines[1], "             Chromatic Number ");
    EXPECT_EQ(Body(colors.lines), (Lines{"", "    Chromatic Number = 1",
                                         "    Minimal Point`s Coloration is :", "      Point     1   2   3",
                                         "      Color     1   1   1", "  ", Complete}));
    EXPECT_EQ(ColorIndices(colors.marks, 3), (std::vector<int>{1, 1, 1}));
}

// Blocks {3, 4} and {1, 2, 3}. The complement's blocks are {2, 4} (searched first) and {1, 4}; the
// first already holds a greatest independent set, so it is the one reported.
TEST(Density, TriangleWithAPendantPoint) {
    NetWorkType net = NetOf(4, {{1, 2}, {2, 3}, {1, 3}, {3, 4}}, "kite");
    const SearchRun density = RunDensity(net, DensityMode::Density);
    EXPECT_EQ(Body(density.lines),
              (Lines{"", "    Density = 3", "    Greatest Clique is :", "    {  1,  2,  3 }", Complete}));
    EXPECT_EQ(MarkedPoints(density.marks), (std::vector<int>{1, 2, 3}));

    const SearchRun independent = RunDensity(net, DensityMode::Undensity);
    EXPECT_EQ(independent.lines[1], "             Point-Independence Number ");
    EXPECT_EQ(Body(independent.lines),
              (Lines{"", "    Point-Independence Number = 2",
                     "    Greatest Independent Set is :", "    {  2,  4 }", Complete}));
    EXPECT_EQ(MarkedPoints(independent.marks), (std::vector<int>{2, 4}));

    const SearchRun cover = RunDensity(net, DensityMode::PointCover);
    EXPECT_EQ(Body(cover.lines), (Lines{"", "    Point-Covering Number = 2",
                                        "    Smallest Point`s cover is :", "    {  1,  3 }", Complete}));
    EXPECT_EQ(MarkedPoints(cover.marks), (std::vector<int>{1, 3}));

    // {3, 4} is coloured 1, 2 first; the triangle then takes 1, 2, 3 and the pendant block is
    // brought into line by exchanging colours 1 and 3.
    const SearchRun colors = RunDensity(net, DensityMode::Coloring);
    EXPECT_EQ(Body(colors.lines),
              (Lines{"", "    Chromatic Number = 3", "    Minimal Point`s Coloration is :",
                     "      Point     1   2   3   4", "      Color     1   2   3   2", "  ", Complete}));
    EXPECT_EQ(colors.marks.pointColor[3], 0xC0C0C0u);
    EXPECT_EQ(colors.marks.pointColor[4], 0xFF0000u);
    EXPECT_EQ(ColorIndices(colors.marks, 4), (std::vector<int>{1, 2, 3, 2}));
}

TEST(Density, FifteenPointPath) {
    std::vector<std::pair<int, int>> edges;
    for (int i = 1; i < 15; ++i)
        edges.emplace_back(i, i + 1);
    NetWorkType net = NetOf(15, edges, "line");
    EXPECT_EQ(Body(RunDensity(net, DensityMode::Undensity).lines),
              (Lines{"", "    Point-Independence Number = 8", "    Greatest Independent Set is :",
                     "    {  1,  3,  5,  7,  9, 11, 13, 15 }", Complete}));
    EXPECT_EQ(Body(RunDensity(net, DensityMode::PointCover).lines),
              (Lines{"", "    Point-Covering Number = 7",
                     "    Smallest Point`s cover is :", "    {  2,  4,  6,  8, 10, 12, 14 }", Complete}));
    // The blocks are the edges, last first; each new one turns the colours of those behind it.
    const SearchRun colors = RunDensity(net, DensityMode::Coloring);
    EXPECT_EQ(Body(colors.lines),
              (Lines{"", "    Chromatic Number = 2", "    Minimal Point`s Coloration is :",
                     "      Point     1   2   3   4   5   6   7   8   9  10  11  12  13  14",
                     "      Color     1   2   1   2   1   2   1   2   1   2   1   2   1   2", "  ",
                     "      Point    15", "      Color     1", "  ", Complete}));
    // The first block found, {14, 15}, is already a greatest clique.
    EXPECT_EQ(Body(RunDensity(net, DensityMode::Density).lines),
              (Lines{"", "    Density = 2", "    Greatest Clique is :", "    { 14, 15 }", Complete}));
}

TEST(Density, ListWrapsAfterFourteenPoints) {
    NetWorkType net = MakeNet(UndirNetCode, 15, "dots");
    EXPECT_EQ(
        Body(RunDensity(net, DensityMode::Undensity).lines),
        (Lines{"", "    Point-Independence Number = 15", "    Greatest Independent Set is :",
               "    {  1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14,", "      15 }", Complete}));
}

// The path 1 - 3 - 4 - 2.
TEST(QuickColor, BothVariantsUseThreeColoursWhereTwoDo) {
    NetWorkType net = NetOf(4, {{1, 3}, {3, 4}, {4, 2}}, "zig");
    const Lines table = {"",
                         "    Number of Colors = 3",
                         "    Point`s Coloration :",
                         "      Point     1   2   3   4",
                         "      Color     1   1   2   3",
                         "  ",
                         Complete};
    for (int variant : {1, 2}) {
        const SearchRun run = RunQuickColor(net, variant);
        EXPECT_EQ(run.lines[1], "            Quick Coloration " + std::to_string(variant));
        EXPECT_EQ(Body(run.lines), table);
        EXPECT_EQ(ColorIndices(run.marks, 4), (std::vector<int>{1, 1, 2, 3}));
        EXPECT_EQ(run.marks.pointColor[4], 0xC0C0C0u);
    }
    EXPECT_EQ(Body(RunDensity(net, DensityMode::Coloring).lines),
              (Lines{"", "    Chromatic Number = 2", "    Minimal Point`s Coloration is :",
                     "      Point     1   2   3   4", "      Color     1   2   2   1", "  ", Complete}));
}

// One edge among four points: 8m - 4N + 1 = -7, taken as 0, so three passes.
TEST(QuickColor, SparseNetStillGetsItsPasses) {
    NetWorkType net = NetOf(4, {{1, 2}}, "sparse");
    const SearchRun run = RunQuickColor(net, 2);
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(Body(run.lines), (Lines{"", "    Number of Colors = 2",
                                      "    Point`s Coloration :", "      Point     1   2   3   4",
                                      "      Color     1   2   1   1", "  ", Complete}));
}

// The complement of a complete net has no edge, so no block is found there.
TEST(Density, CompleteNetHasIndependenceOne) {
    NetWorkType net = NetOf(4, {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}, "k4");
    const SearchRun independent = RunDensity(net, DensityMode::Undensity);
    EXPECT_EQ(Body(independent.lines), (Lines{"", "    Point-Independence Number = 1",
                                              "    Greatest Independent Set is :", "    {  1 }", Complete}));
    EXPECT_EQ(MarkedPoints(independent.marks), (std::vector<int>{1}));
    EXPECT_EQ(Body(RunDensity(net, DensityMode::PointCover).lines),
              (Lines{"", "    Point-Covering Number = 3",
                     "    Smallest Point`s cover is :", "    {  2,  3,  4 }", Complete}));
}

// One block: the clique 1-4 is listed first, point 5 (block degree 2) is never offered, and the
// clique 6-10 is reached only through it.
TEST(Density, CliqueBehindAPointNeverOfferedIsFound) {
    std::vector<std::pair<int, int>> edges = {{4, 5}, {5, 6}, {1, 10}};
    for (int a = 1; a <= 4; ++a) {
        for (int b = a + 1; b <= 4; ++b)
            edges.emplace_back(a, b);
    }
    for (int a = 6; a <= 10; ++a) {
        for (int b = a + 1; b <= 10; ++b)
            edges.emplace_back(a, b);
    }
    NetWorkType net = NetOf(10, edges, "two");
    const SearchRun run = RunDensity(net, DensityMode::Density);
    EXPECT_EQ(Body(run.lines), (Lines{"", "    Density = 5",
                                      "    Greatest Clique is :", "    {  6,  7,  8,  9, 10 }", Complete}));
    EXPECT_EQ(MarkedPoints(run.marks), (std::vector<int>{6, 7, 8, 9, 10}));
}

// The ring 1..8: the clique list takes ten steps by the time point 6 is offered; the first poll
// then stops the run with the edge {1, 2}.
TEST(DensityStop, FoundCliqueAndIndependentSet) {
    std::vector<std::pair<int, int>> ring;
    std::vector<std::pair<int, int>> apart;
    for (int a = 1; a <= 8; ++a) {
        for (int b = a + 1; b <= 8; ++b) {
            const bool neighbours = b == a + 1 || (a == 1 && b == 8);
            (neighbours ? ring : apart).emplace_back(a, b);
        }
    }
    const auto stopFirst = [](StoppingSink& s) { s.stopAtPoll = 1; };
    NetWorkType cycle = NetOf(8, ring, "ring");
    const SearchRun density = RunDensity(cycle, DensityMode::Density, stopFirst);
    EXPECT_EQ(Body(density.lines),
              (Lines{"", "    Found Clique is :", "    {  1,  2 }", "    Procedure terminated! ", Complete}));
    EXPECT_EQ(MarkedPoints(density.marks), (std::vector<int>{1, 2}));
    EXPECT_TRUE(density.longRunEnded);
    EXPECT_EQ(density.flags.stop, 0);
    EXPECT_EQ(cycle.interaction.busy, 0);
    EXPECT_EQ(Body(RunDensity(cycle, DensityMode::Density).lines),
              (Lines{"", "    Density = 2", "    Greatest Clique is :", "    {  1,  2 }", Complete}));

    // Its complement: the independent sets are the ring's cliques.
    NetWorkType other = NetOf(8, apart, "apart");
    const SearchRun independent = RunDensity(other, DensityMode::Undensity, stopFirst);
    EXPECT_EQ(Body(independent.lines), (Lines{"", "    Found Independent Set is :", "    {  1,  2 }",
                                              "    Procedure terminated! ", Complete}));
    const SearchRun cover = RunDensity(other, DensityMode::PointCover, stopFirst);
    EXPECT_EQ(Body(cover.lines),
              (Lines{"", "    Cannot Show Point`s cover!", "    Procedure terminated! ", Complete}));
    EXPECT_TRUE(MarkedPoints(cover.marks).empty());
}

// Two five-rings sharing point 5. The ring 5..9 is found first: seven list steps, then three
// colouring polls. The fourth poll comes with the tenth list step, in the ring 1..5.
TEST(DensityStop, ColouringStoppedBeforeAndAfterABlock) {
    NetWorkType net =
        NetOf(9, {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 1}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 5}}, "eight");
    const SearchRun afterOne =
        RunDensity(net, DensityMode::Coloring, [](StoppingSink& s) { s.stopAtPoll = 4; });
    EXPECT_EQ(Body(afterOne.lines),
              (Lines{"", "    Cannot Show Point`s Coloration!", "    Procedure terminated! ", Complete}));
    EXPECT_EQ(ColorIndices(afterOne.marks, 9), std::vector<int>(9, 0));

    const SearchRun inFirst =
        RunDensity(net, DensityMode::Coloring, [](StoppingSink& s) { s.stopAtPoll = 3; });
    EXPECT_EQ(Body(inFirst.lines), (Lines{"", "    Procedure terminated! ", Complete}));

    const SearchRun whole = RunDensity(net, DensityMode::Coloring);
    EXPECT_EQ(whole.polls, 7);
    EXPECT_EQ(Body(whole.lines)[1], "    Chromatic Number = 3");
}

// Adjacency as bits 0..n-1.
std::vector<unsigned> AdjacencyBits(const NetWorkType& net) {
    std::vector<unsigned> bits(static_cast<std::size_t>(net.n));
    for (int a = 1; a <= net.n; ++a) {
        for (int b = 1; b <= net.n; ++b) {
            if (EdgeExists(net, a, b)) bits[static_cast<std::size_t>(a - 1)] |= 1u << (b - 1);
        }
    }
    return bits;
}

bool IsIndependent(const std::vector<unsigned>& adjacent, unsigned mask) {
    for (std::size_t v = 0; v < adjacent.size(); ++v) {
        if ((mask >> v & 1u) && (adjacent[v] & mask) != 0) return false;
    }
    return true;
}

int BruteForceClique(const NetWorkType& net) {
    std::vector<unsigned> adjacent = AdjacencyBits(net);
    const unsigned all = (1u << net.n) - 1u;
    for (std::size_t v = 0; v < adjacent.size(); ++v)
        adjacent[v] = all & ~adjacent[v] & ~(1u << v); // a clique is independent in the complement
    int best = 0;
    for (unsigned mask = 1; mask <= all; ++mask) {
        if (IsIndependent(adjacent, mask)) best = std::max(best, std::popcount(mask));
    }
    return best;
}

// The fewest independent sets that cover all points, over all subsets.
int BruteForceChromatic(const NetWorkType& net) {
    const std::vector<unsigned> adjacent = AdjacencyBits(net);
    const unsigned all = (1u << net.n) - 1u;
    std::vector<bool> independent(all + 1);
    for (unsigned mask = 0; mask <= all; ++mask)
        independent[mask] = IsIndependent(adjacent, mask);
    std::vector<int> fewest(all + 1, net.n + 1);
    fewest[0] = 0;
    for (unsigned mask = 1; mask <= all; ++mask) {
        for (unsigned part = mask; part != 0; part = (part - 1) & mask) {
            if (independent[part]) fewest[mask] = std::min(fewest[mask], fewest[mask & ~part] + 1);
        }
    }
    return fewest[all];
}

std::string NumberLine(const SearchRun& run) { return Body(run.lines).at(1); }

NetWorkType Complement(const NetWorkType& net) {
    NetWorkType complement = MakeNet(UndirNetCode, net.n, "net");
    for (int a = 1; a <= net.n; ++a) {
        for (int b = a + 1; b <= net.n; ++b) {
            if (!EdgeExists(net, a, b)) Connect(complement, a, b);
        }
    }
    return complement;
}

bool Contains(const std::vector<int>& points, int p) {
    return std::find(points.begin(), points.end(), p) != points.end();
}

// Density, Undensity and Point Cover mark a clique, an independent set and a cover of the sizes
// that the brute force finds.
void CheckPointSets(NetWorkType& net, int trial) {
    const int clique = BruteForceClique(net);
    const int independence = BruteForceClique(Complement(net));
    const SearchRun density = RunDensity(net, DensityMode::Density);
    EXPECT_EQ(NumberLine(density), "    Density = " + std::to_string(clique)) << "trial " << trial;
    const std::vector<int> found = MarkedPoints(density.marks);
    EXPECT_EQ(static_cast<int>(found.size()), clique);
    const std::vector<int> apart = MarkedPoints(RunDensity(net, DensityMode::Undensity).marks);
    EXPECT_EQ(static_cast<int>(apart.size()), independence) << "trial " << trial;
    const std::vector<int> cover = MarkedPoints(RunDensity(net, DensityMode::PointCover).marks);
    EXPECT_EQ(static_cast<int>(cover.size()), net.n - independence) << "trial " << trial;
    for (int a = 1; a <= net.n; ++a) {
        for (int b = a + 1; b <= net.n; ++b) {
            const bool edge = EdgeExists(net, a, b);
            EXPECT_TRUE(edge || !(Contains(found, a) && Contains(found, b))) << "trial " << trial;
            EXPECT_TRUE(!edge || !(Contains(apart, a) && Contains(apart, b))) << "trial " << trial;
            EXPECT_TRUE(!edge || Contains(cover, a) || Contains(cover, b)) << "trial " << trial;
        }
    }
}

void CheckProper(const NetWorkType& net, const std::vector<int>& colors, int trial) {
    for (int a = 1; a <= net.n; ++a) {
        EXPECT_GE(colors[static_cast<std::size_t>(a - 1)], 1) << "trial " << trial;
        for (int b = a + 1; b <= net.n; ++b) {
            EXPECT_TRUE(!EdgeExists(net, a, b) ||
                        colors[static_cast<std::size_t>(a - 1)] != colors[static_cast<std::size_t>(b - 1)])
                << "trial " << trial;
        }
    }
}

// The minimal colouring is proper and uses the chromatic number; the quick ones are proper.
void CheckColorings(NetWorkType& net, int trial) {
    const SearchRun coloring = RunDensity(net, DensityMode::Coloring);
    const std::vector<int> colors = ColorIndices(coloring.marks, net.n);
    const int chromatic = BruteForceChromatic(net);
    EXPECT_EQ(NumberLine(coloring), "    Chromatic Number = " + std::to_string(chromatic))
        << "trial " << trial;
    EXPECT_EQ(*std::max_element(colors.begin(), colors.end()), chromatic) << "trial " << trial;
    CheckProper(net, colors, trial);
    for (int variant : {1, 2})
        CheckProper(net, ColorIndices(RunQuickColor(net, variant).marks, net.n), trial);
}

TEST(DensityInvariants, AgreeWithBruteForceOnRandomNets) {
    std::mt19937 rng(42);
    const double densities[] = {0.0, 0.2, 0.5, 0.8, 1.0};
    for (int trial = 0; trial < 150; ++trial) {
        NetWorkType net = testing::RandomNet(rng, false, 2 + trial % 11, densities[trial % 5], 9);
        CheckPointSets(net, trial);
        CheckColorings(net, trial);
    }
}

// Nets whose greatest clique is well below their chromatic number, so the colouring must search:
// the Groetzsch net (clique 2, four colours), the 5-wheel (clique 3, four colours), and the
// complement of five triangles on 15 points (243 greatest cliques).
TEST(DensityInvariants, StructuredNetsAgreeWithBruteForce) {
    std::vector<std::pair<int, int>> groetzsch = {{1, 2}, {2, 3}, {3, 4}, {4, 5},  {5, 1},
                                                  {6, 2}, {6, 5}, {7, 1}, {7, 3},  {8, 2},
                                                  {8, 4}, {9, 3}, {9, 5}, {10, 4}, {10, 1}};
    for (int p = 6; p <= 10; ++p)
        groetzsch.emplace_back(11, p);
    NetWorkType mycielski = NetOf(11, groetzsch);
    NetWorkType wheel =
        NetOf(6, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 2}});
    std::vector<std::pair<int, int>> apart;
    for (int a = 1; a <= 15; ++a) {
        for (int b = a + 1; b <= 15; ++b) {
            if ((a - 1) / 3 != (b - 1) / 3) apart.emplace_back(a, b);
        }
    }
    NetWorkType moonMoser = NetOf(15, apart);
    int trial = 0;
    for (NetWorkType* net : {&mycielski, &wheel, &moonMoser}) {
        CheckPointSets(*net, trial);
        CheckColorings(*net, trial++);
    }
    EXPECT_EQ(NumberLine(RunDensity(mycielski, DensityMode::Coloring)), "    Chromatic Number = 4");
    EXPECT_EQ(NumberLine(RunDensity(moonMoser, DensityMode::Coloring)), "    Chromatic Number = 5");
}

} // namespace
} // namespace plax
