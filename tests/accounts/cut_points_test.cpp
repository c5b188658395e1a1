#include "accounts/cut_points_account.h"
#include "catalogue/refusals.h"

#include "algorithms/marking_buffer.h"

#include "model/net_store.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

const std::string CutTitle = "            CutPoints of the Graph";
const std::string BridgeTitle = "            Bridges of the Graph";
using Edges = std::vector<EdgeMark>;

ProcedureRun Search(const NetWorkType& net, CutSearchMode mode, MarkingBuffer& marks, int failAt = 0) {
    return RunProcedure([&](ProcedureOutput out) { CutPointsAndBridges(net, mode, marks, "c.net", out); },
                        failAt);
}

std::vector<int> MarkedPoints(const MarkingBuffer& marks) {
    std::vector<int> points;
    for (int i = 1; i <= MaxPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (marks.pointColor[k] == 0) continue;
        EXPECT_EQ(marks.pointColor[k], 0x0000FFu);
        EXPECT_EQ(marks.pointIndex[k], 9);
        points.push_back(i);
    }
    return points;
}

TEST(CutPoints, PathOfThreeAndACycle) {
    const NetWorkType path = PathNet(3);
    MarkingBuffer marks;
    const ProcedureRun cuts = Search(path, CutSearchMode::CutPoints, marks);
    EXPECT_EQ(cuts.lines, ResultsText(CutTitle, path, "undirNet", 2,
                                      {
                                          "        CutPoints:",
                                          "     2.",
                                          "    Counter = 1",
                                      }));
    EXPECT_TRUE(cuts.calls.empty());
    EXPECT_EQ(MarkedPoints(marks), std::vector<int>{2});
    EXPECT_TRUE(marks.MarkedEdges(3).empty());

    // The bridge found last (1-2, on the way back to the root) is written first.
    const ProcedureRun bridges = Search(path, CutSearchMode::Bridges, marks);
    EXPECT_EQ(bridges.lines, ResultsText(BridgeTitle, path, "undirNet", 2,
                                         {
                                             "        Bridges:",
                                             "    ( 2, 1),( 3, 2).",
                                             "    Counter = 2",
                                         }));
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));
    EXPECT_TRUE(MarkedPoints(marks).empty());

    // A cycle has neither; the marks of the run before are gone.
    const NetWorkType ring = CycleNet(5);
    EXPECT_EQ(Search(ring, CutSearchMode::CutPoints, marks).lines,
              ResultsText(CutTitle, ring, "undirNet", 5,
                          {"    CutPoints of the Graph Not Found. ", "    Counter = 0"}));
    EXPECT_TRUE(MarkedPoints(marks).empty());
    EXPECT_EQ(Search(ring, CutSearchMode::Bridges, marks).lines,
              ResultsText(BridgeTitle, ring, "undirNet", 5,
                          {"    Bridges of the Graph Not Found. ", "    Counter = 0"}));
    EXPECT_TRUE(marks.MarkedEdges(5).empty());
}

TEST(CutPoints, StarCentreIsReportedOnce) {
    // Centre 1 as the root: the root rule reports it once.
    NetWorkType star = MakeNet(UndirNetCode, 5, "star");
    for (int leaf = 2; leaf <= 5; ++leaf)
        AddEdge(star, 1, leaf, 1.0);
    MarkingBuffer marks;
    EXPECT_EQ(BodyOf(Search(star, CutSearchMode::CutPoints, marks).lines),
              (Lines{"        CutPoints:", "     1.", "    Counter = 1"}));
    EXPECT_EQ(MarkedPoints(marks), std::vector<int>{1});
    // List 1 runs 5, 4, 3, 2, so 1-5 is found first and written last.
    EXPECT_EQ(BodyOf(Search(star, CutSearchMode::Bridges, marks).lines),
              (Lines{"        Bridges:", "    ( 2, 1),( 3, 1),( 4, 1),( 5, 1).", "    Counter = 4"}));
    EXPECT_EQ(marks.MarkedEdges(5), (Edges{{1, 2}, {1, 3}, {1, 4}, {1, 5}}));

    // Centre 3 below the root 1: each of its children would report it; it is written once.
    NetWorkType inner = MakeNet(UndirNetCode, 5, "inner");
    for (int leaf : {1, 2, 4, 5})
        AddEdge(inner, 3, leaf, 1.0);
    EXPECT_EQ(BodyOf(Search(inner, CutSearchMode::CutPoints, marks).lines),
              (Lines{"        CutPoints:", "     3.", "    Counter = 1"}));
    EXPECT_EQ(MarkedPoints(marks), std::vector<int>{3});
}

TEST(CutPoints, ComponentsAreSearchedOneAfterTheOther) {
    // 1-2-3 and 4-5-6: 2 is found first, so 5 is written first.
    NetWorkType two = MakeNet(UndirNetCode, 6, "two");
    AddEdge(two, 1, 2, 1.0);
    AddEdge(two, 2, 3, 1.0);
    AddEdge(two, 4, 5, 1.0);
    AddEdge(two, 5, 6, 1.0);
    MarkingBuffer marks;
    EXPECT_EQ(BodyOf(Search(two, CutSearchMode::CutPoints, marks).lines),
              (Lines{"        CutPoints:", "     5, 2.", "    Counter = 2"}));
    EXPECT_EQ(MarkedPoints(marks), (std::vector<int>{2, 5}));
    EXPECT_EQ(BodyOf(Search(two, CutSearchMode::Bridges, marks).lines),
              (Lines{"        Bridges:", "    ( 5, 4),( 6, 5),( 2, 1),( 3, 2).", "    Counter = 4"}));
    EXPECT_EQ(marks.MarkedEdges(6), (Edges{{4, 5}, {5, 6}, {1, 2}, {2, 3}}));
}

TEST(CutPoints, NumbersAndLineWrapping) {
    // A path of 15: thirteen cut points on one line, two-digit numbers without a blank.
    MarkingBuffer marks;
    EXPECT_EQ(
        BodyOf(Search(PathNet(15), CutSearchMode::CutPoints, marks).lines),
        (Lines{"        CutPoints:", "     2, 3, 4, 5, 6, 7, 8, 9,10,11,12,13,14.", "    Counter = 13"}));

    // Exactly eight bridges fill one line and leave no empty line behind.
    EXPECT_EQ(
        BodyOf(Search(PathNet(9), CutSearchMode::Bridges, marks).lines),
        (Lines{"        Bridges:", "    ( 2, 1),( 3, 2),( 4, 3),( 5, 4),( 6, 5),( 7, 6),( 8, 7),( 9, 8).",
               "    Counter = 8"}));

    // 1-...-10, then 10-12-11: the search enters 12 from 10, so that bridge reads (12,10).
    NetWorkType net = PathNet(10, "twelve");
    net.n = 12;
    AddEdge(net, 10, 12, 1.0);
    AddEdge(net, 12, 11, 1.0);
    EXPECT_EQ(
        BodyOf(Search(net, CutSearchMode::Bridges, marks).lines),
        (Lines{"        Bridges:", "    ( 2, 1),( 3, 2),( 4, 3),( 5, 4),( 6, 5),( 7, 6),( 8, 7),( 9, 8),",
               "    (10, 9),(12,10),(11,12).", "    Counter = 11"}));
    EXPECT_EQ(marks.MarkedEdges(12).size(), 11u);
    EXPECT_EQ(marks.MarkedEdges(12)[9], (EdgeMark{10, 12}));
}

TEST(CutPoints, RefusalsAndWriteFailure) {
    EXPECT_EQ(CutPointsRefusal(MakeNet(UndirNetCode, 1)), "Trivial NetWork.");
    EXPECT_EQ(CutPointsRefusal(MakeNet(UndirNetCode, 4)), "Trivial NetWork.");
    NetWorkType path = PathNet(3);
    EXPECT_EQ(CutPointsRefusal(path), std::nullopt);

    // A failure on the counter line: the list stays written, nothing is marked.
    MarkingBuffer marks;
    marks.pointColor[1] = 0x0000FF;
    const ProcedureRun run = Search(PathNet(3), CutSearchMode::Bridges, marks, 14);
    EXPECT_EQ(run.calls, (Calls{{"warning", CannotWriteText}}));
    EXPECT_EQ(run.lines.back(), "    ( 2, 1),( 3, 2).");
    EXPECT_TRUE(marks.MarkedEdges(3).empty());
    EXPECT_EQ(marks.pointColor[1], 0u);
}

// The parts of `net` without point `skip` (0 = none) and without the edge {a, b}.
int ComponentsWithout(const NetWorkType& net, int skip, int a = 0, int b = 0) {
    std::vector<int> seen(static_cast<std::size_t>(net.n) + 1, 0);
    int parts = 0;
    for (int s = 1; s <= net.n; ++s) {
        if (s == skip || seen[static_cast<std::size_t>(s)]) continue;
        ++parts;
        std::vector<int> todo{s};
        seen[static_cast<std::size_t>(s)] = 1;
        while (!todo.empty()) {
            const int u = todo.back();
            todo.pop_back();
            for (int v = 1; v <= net.n; ++v) {
                const bool removed = (u == a && v == b) || (u == b && v == a);
                if (v == skip || seen[static_cast<std::size_t>(v)] || removed || !EdgeExists(net, u, v))
                    continue;
                seen[static_cast<std::size_t>(v)] = 1;
                todo.push_back(v);
            }
        }
    }
    return parts;
}

TEST(CutPoints, RandomNetsAgreeWithRemovingEachPointAndEdge) {
    std::mt19937 rng(4242);
    for (int round = 0; round < 300; ++round) {
        const int n = 2 + round % (MaxPoints - 1);
        const NetWorkType net = RandomNet(rng, false, n, round % 2 == 0 ? 0.2 : 0.35);
        SCOPED_TRACE("round " + std::to_string(round));
        const int whole = ComponentsWithout(net, 0);
        EXPECT_EQ(whole, UnionFindComponents(net));

        std::vector<int> cuts;
        for (int p = 1; p <= n; ++p) {
            // A point whose removal leaves more parts than the rest of its own component had.
            const int isolated = OutDegree(net, p) == 0 ? 1 : 0;
            if (ComponentsWithout(net, p) > whole - isolated) cuts.push_back(p);
        }
        MarkingBuffer marks;
        Search(net, CutSearchMode::CutPoints, marks);
        EXPECT_EQ(MarkedPoints(marks), cuts);

        std::set<std::pair<int, int>> bridges;
        for (int a = 1; a <= n; ++a) {
            for (int b = a + 1; b <= n; ++b) {
                if (EdgeExists(net, a, b) && ComponentsWithout(net, 0, a, b) > whole) bridges.insert({a, b});
            }
        }
        const ProcedureRun run = Search(net, CutSearchMode::Bridges, marks);
        std::set<std::pair<int, int>> found;
        for (const EdgeMark& e : marks.MarkedEdges(n)) {
            EXPECT_TRUE(EdgeExists(net, e.from, e.to));
            found.insert({std::min<int>(e.from, e.to), std::max<int>(e.from, e.to)});
        }
        EXPECT_EQ(found, bridges);
        EXPECT_EQ(run.lines[run.lines.size() - 2], "    Counter = " + std::to_string(bridges.size()));
    }
}

} // namespace
} // namespace plax
