#include "accounts/shortest_paths_account.h"
#include "catalogue/refusals.h"

#include "accounts/results_sink.h"
#include "algorithms/marking_buffer.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include "net_builders.h"
#include "procedure_run.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace plax {
namespace {

// An entry by point numbers.
template <class Row> auto& At(Row& row, int i) { return row[static_cast<std::size_t>(i)]; }
template <class Table> auto& At(Table& table, int i, int j) { return At(At(table, i), j); }

using plax::testing::AddEdge;
using plax::testing::BodyOf;
using plax::testing::CompleteLine;
using plax::testing::RecordingMessages;
using plax::testing::ResultsText;
constexpr auto Net = plax::testing::MakeNet;
constexpr auto Header = plax::testing::ResultsHeader;
using Lines = std::vector<std::string>;
using Calls = std::vector<RecordingMessages::Call>;

const std::string SingleTitle = "                Shortest Path ";
const std::string AllTitle = "        All Shortest Path  from Source";

std::shared_ptr<NetWorkType> SubNet(NetWorkType net) { return std::make_shared<NetWorkType>(std::move(net)); }

// An undirected path 1 - 2 - ... - n with edges of weight 1.
NetWorkType Chain(int n) { return plax::testing::PathNet(n, "chain"); }

struct Outcome {
    double value = 0.0;
    Lines lines;
    bool finished = false;
    Calls calls;
};

Outcome RunShortestPath(NetWorkType& net, ShortestPathMode mode, MarkingBuffer& marks,
                        const std::string& fileName = "test.net") {
    Outcome run;
    const plax::testing::ProcedureRun r = plax::testing::RunProcedure(
        [&](ProcedureOutput out) { run.value = ShortestPath(net, mode, marks, fileName, out); });
    run.lines = r.lines;
    run.finished = r.finished;
    run.calls = r.calls;
    return run;
}

using Edges = std::vector<EdgeMark>;

TEST(ShortestPath, DirectedTriangleTakesTheTwoEdgePath) {
    NetWorkType net = plax::testing::DirectedTriangle();
    MarkingBuffer marks;

    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks, "/nets/tri.net");
    EXPECT_EQ(run.value, 4.5);
    EXPECT_EQ(run.lines, ResultsText(Header(SingleTitle, "tri", "dirNet", 3, 3),
                                     {
                                         "    Source = 1    Sink = 3",
                                         "    Shortest Path  from Source (1) to Sink (3) has Length : 4.5",
                                         "    Path from 1 to Sink 3 :",
                                         "     ( 1, 2)  ( 2, 3) ",
                                     }));
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));
    EXPECT_EQ(marks.edges[3], (EdgeMark{0, 0}));

    // The same net from all sides: the tree holds the edges that gave each distance.
    const Outcome all = RunShortestPath(net, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(all.lines, ResultsText(Header(AllTitle, "tri", "dirNet", 3, 3),
                                     {
                                         "    Source = 1",
                                         "    The Lengths of the Shortest Paths from 1 to other Points :",
                                         "     (  2) 2               (  3) 4.5            ",
                                     }));
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));
}

TEST(ShortestPath, TiesKeepTheFirstPredecessorAndFinishTheLowestPointFirst) {
    // Points 2 and 3 both lie at 1; 3 is offered first (head of list 1) but 2 is finalised
    // first, so 2 is the one that reaches 4 first, and 3's equal offer does not replace it.
    NetWorkType low = Net(DirNetCode, 4, "tieA");
    AddEdge(low, 1, 2, 1.0);
    AddEdge(low, 1, 3, 1.0);
    AddEdge(low, 2, 4, 2.0);
    AddEdge(low, 3, 4, 2.0);
    low.sourcePoint = 1;
    low.sinkPoint = 4;
    MarkingBuffer marks;
    const Outcome a = RunShortestPath(low, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(a.value, 3.0);
    EXPECT_EQ(a.lines, ResultsText(Header(SingleTitle, "tieA", "dirNet", 4, 4),
                                   {
                                       "    Source = 1    Sink = 4",
                                       "    Shortest Path  from Source (1) to Sink (4) has Length : 3",
                                       "    Path from 1 to Sink 4 :",
                                       "     ( 1, 2)  ( 2, 4) ",
                                   }));
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{1, 2}, {2, 4}}));
    RunShortestPath(low, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{1, 2}, {1, 3}, {2, 4}}));

    // Here 3 is closer, so it is finalised first and gives 4 its distance; the equal offer
    // through 2 comes later and loses although 2 is the lower number.
    NetWorkType high = Net(DirNetCode, 4, "tieB");
    AddEdge(high, 1, 2, 2.0);
    AddEdge(high, 1, 3, 1.0);
    AddEdge(high, 3, 4, 3.0);
    AddEdge(high, 2, 4, 2.0);
    high.sourcePoint = 1;
    high.sinkPoint = 4;
    const Outcome b = RunShortestPath(high, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(b.value, 4.0);
    EXPECT_EQ(BodyOf(b.lines), (Lines{
                                   "    Source = 1    Sink = 4",
                                   "    Shortest Path  from Source (1) to Sink (4) has Length : 4",
                                   "    Path from 1 to Sink 4 :",
                                   "     ( 1, 3)  ( 3, 4) ",
                               }));
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{1, 3}, {3, 4}}));
}

TEST(ShortestPath, AllPathsListUnreachablePointsAsNoPath) {
    NetWorkType net = Net(DirNetCode, 4, "part");
    AddEdge(net, 1, 2, 3.0);
    AddEdge(net, 2, 3, 1.25);
    AddEdge(net, 4, 1, 1.0);
    net.sourcePoint = 1;
    MarkingBuffer marks;
    const Outcome run = RunShortestPath(net, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(run.lines,
              ResultsText(Header(AllTitle, "part", "dirNet", 4, 3),
                          {
                              "    Source = 1",
                              "    The Lengths of the Shortest Paths from 1 to other Points :",
                              "     (  2) 3               (  3) 4.25            (  4) No Path        ",
                          }));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{1, 2}, {2, 3}}));

    // From point 3 nothing is reachable: a warning, and no account.
    net.sourcePoint = 3;
    marks.SetEdges({{1, 2}});
    const Outcome none = RunShortestPath(net, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(none.calls, (Calls{{"warning", "There aren`t Paths from 3"}}));
    for (const std::string& line : none.lines)
        EXPECT_EQ(line, "");
    EXPECT_TRUE(marks.MarkedEdges(4).empty());
}

TEST(ShortestPath, SinglePairWithUnreachableSinkAnswersMinusOneAndWritesNothing) {
    NetWorkType net = Net(DirNetCode, 4, "part");
    AddEdge(net, 1, 2, 3.0);
    AddEdge(net, 2, 3, 1.25);
    AddEdge(net, 4, 1, 1.0);
    net.sourcePoint = 1;
    net.sinkPoint = 4;
    MarkingBuffer marks;
    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, -1.0);
    EXPECT_TRUE(run.calls.empty());
    for (const std::string& line : run.lines)
        EXPECT_EQ(line, "");
    EXPECT_TRUE(marks.MarkedEdges(4).empty());
    EXPECT_EQ(MeasureShortestPath(net), -1.0);

    // The other way round the sink is reachable.
    net.sourcePoint = 4;
    net.sinkPoint = 3;
    EXPECT_EQ(MeasureShortestPath(net), 5.25);
    EXPECT_EQ(RunShortestPath(net, ShortestPathMode::SinglePair, marks).value, 5.25);
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{4, 1}, {1, 2}, {2, 3}}));
}

TEST(ShortestPath, AllPathEntriesWrapThreeToALine) {
    // Six entries fill exactly two lines; a source other than 1 is left out of the list.
    NetWorkType star = Net(UndirNetCode, 7, "star");
    for (int i = 2; i <= 7; ++i)
        AddEdge(star, 1, i, i);
    star.sourcePoint = 3;
    MarkingBuffer marks;
    const Outcome six = RunShortestPath(star, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(six.lines,
              ResultsText(Header(AllTitle, "star", "undirNet", 7, 6),
                          {
                              "    Source = 3",
                              "    The Lengths of the Shortest Paths from 3 to other Points :",
                              "     (  1) 3               (  2) 5               (  4) 7              ",
                              "     (  5) 8               (  6) 9               (  7) 10             ",
                          }));
    EXPECT_EQ(marks.MarkedEdges(7), (Edges{{3, 1}, {1, 2}, {1, 4}, {1, 5}, {1, 6}, {1, 7}}));

    // Seven entries: the last one on a line of its own.
    NetWorkType eight = Chain(8);
    eight.sourcePoint = 1;
    const Outcome seven = RunShortestPath(eight, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(BodyOf(seven.lines),
              (Lines{
                  "    Source = 1",
                  "    The Lengths of the Shortest Paths from 1 to other Points :",
                  "     (  2) 1               (  3) 2               (  4) 3              ",
                  "     (  5) 4               (  6) 5               (  7) 6              ",
                  "     (  8) 7              ",
              }));

    // Fifteen points: two-digit numbers stay right-aligned, and the tree fills the whole buffer.
    NetWorkType full = Chain(15);
    full.sourcePoint = 1;
    const Outcome fourteen = RunShortestPath(full, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(BodyOf(fourteen.lines),
              (Lines{
                  "    Source = 1",
                  "    The Lengths of the Shortest Paths from 1 to other Points :",
                  "     (  2) 1               (  3) 2               (  4) 3              ",
                  "     (  5) 4               (  6) 5               (  7) 6              ",
                  "     (  8) 7               (  9) 8               ( 10) 9              ",
                  "     ( 11) 10              ( 12) 11              ( 13) 12             ",
                  "     ( 14) 13              ( 15) 14             ",
              }));
    Edges chain;
    for (std::uint16_t i = 1; i < 15; ++i)
        chain.push_back({i, static_cast<std::uint16_t>(i + 1)});
    EXPECT_EQ(marks.MarkedEdges(15), chain);
}

TEST(ShortestPath, PathEdgesWrapFiveToALine) {
    NetWorkType seven = Chain(7);
    seven.sourcePoint = 1;
    seven.sinkPoint = 7;
    MarkingBuffer marks;
    const Outcome six = RunShortestPath(seven, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(six.value, 6.0);
    EXPECT_EQ(six.lines, ResultsText(Header(SingleTitle, "chain", "undirNet", 7, 6),
                                     {
                                         "    Source = 1    Sink = 7",
                                         "    Shortest Path  from Source (1) to Sink (7) has Length : 6",
                                         "    Path from 1 to Sink 7 :",
                                         "     ( 1, 2)  ( 2, 3)  ( 3, 4)  ( 4, 5)  ( 5, 6) ",
                                         "     ( 6, 7) ",
                                     }));
    EXPECT_EQ(marks.MarkedEdges(7), (Edges{{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}}));

    // Backwards along the same chain the edges are listed from the source.
    seven.sourcePoint = 7;
    seven.sinkPoint = 1;
    const Outcome back = RunShortestPath(seven, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(BodyOf(back.lines), (Lines{
                                      "    Source = 7    Sink = 1",
                                      "    Shortest Path  from Source (7) to Sink (1) has Length : 6",
                                      "    Path from 7 to Sink 1 :",
                                      "     ( 7, 6)  ( 6, 5)  ( 5, 4)  ( 4, 3)  ( 3, 2) ",
                                      "     ( 2, 1) ",
                                  }));
    EXPECT_EQ(marks.MarkedEdges(7), (Edges{{7, 6}, {6, 5}, {5, 4}, {4, 3}, {3, 2}, {2, 1}}));

    // Exactly five edges make one line and no empty second one.
    NetWorkType sixPoints = Chain(6);
    sixPoints.sourcePoint = 1;
    sixPoints.sinkPoint = 6;
    const Outcome five = RunShortestPath(sixPoints, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(BodyOf(five.lines), (Lines{
                                      "    Source = 1    Sink = 6",
                                      "    Shortest Path  from Source (1) to Sink (6) has Length : 5",
                                      "    Path from 1 to Sink 6 :",
                                      "     ( 1, 2)  ( 2, 3)  ( 3, 4)  ( 4, 5)  ( 5, 6) ",
                                  }));

    // Fourteen edges over three lines, two-digit numbers unpadded.
    NetWorkType fifteen = Chain(15);
    fifteen.sourcePoint = 1;
    fifteen.sinkPoint = 15;
    const Outcome longest = RunShortestPath(fifteen, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(BodyOf(longest.lines), (Lines{
                                         "    Source = 1    Sink = 15",
                                         "    Shortest Path  from Source (1) to Sink (15) has Length : 14",
                                         "    Path from 1 to Sink 15 :",
                                         "     ( 1, 2)  ( 2, 3)  ( 3, 4)  ( 4, 5)  ( 5, 6) ",
                                         "     ( 6, 7)  ( 7, 8)  ( 8, 9)  ( 9,10)  (10,11) ",
                                         "     (11,12)  (12,13)  (13,14)  (14,15) ",
                                     }));
    EXPECT_EQ(marks.MarkedEdges(15).size(), 14u);
}

// 1->3 (2), 3->2 (1.5), 1->2 (5): from 1 to 2 the way through 3 is 3.5.
NetWorkType ThreeAndAHalf() {
    NetWorkType sub = Net(DirNetCode, 3, "");
    AddEdge(sub, 1, 3, 2.0);
    AddEdge(sub, 3, 2, 1.5);
    AddEdge(sub, 1, 2, 5.0);
    sub.sourcePoint = 3;
    sub.sinkPoint = 1;
    return sub;
}

// No path from 1 to 2.
NetWorkType Dead() {
    NetWorkType sub = Net(DirNetCode, 3, "");
    AddEdge(sub, 2, 1, 1.0);
    AddEdge(sub, 1, 3, 1.0);
    return sub;
}

TEST(ShortestPath, DecomposedEdgeCountsAsTheShortestPathThroughItsSubNet) {
    NetWorkType net = Net(DirNetCode, 3, "main");
    AddEdge(net, 1, 2, 10.0);
    AddEdge(net, 2, 3, 1.0);
    AddEdge(net, 1, 3, 20.0);
    const auto sub = SubNet(ThreeAndAHalf());
    SetSubNet(net, 1, 2, sub);
    net.sourcePoint = 1;
    net.sinkPoint = 3;
    FindEdge(net, 1, 2)->decomposedLength = 99.0; // left from an earlier run: not trusted
    FindEdge(net, 1, 3)->decomposedLength = 7.0;
    MarkingBuffer marks;

    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, 4.5);
    EXPECT_EQ(run.lines, ResultsText(Header(SingleTitle, "main", "dirNet", 3, 3),
                                     {
                                         "    Source = 1    Sink = 3",
                                         "    Shortest Path  from Source (1) to Sink (3) has Length : 4.5",
                                         "    Path from 1 to Sink 3 :",
                                         "     ( 1, 2)  ( 2, 3) ",
                                     }));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}})) << "the sub-net's edges are not marked";
    EXPECT_EQ(sub->name, "main->Edge(1,2)");
    EXPECT_EQ(sub->sourcePoint, 1);
    EXPECT_EQ(sub->sinkPoint, 2);
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 3.5);
    EXPECT_EQ(FindEdge(net, 1, 3)->decomposedLength, 0.0);
    EXPECT_EQ(FindEdge(net, 2, 3)->decomposedLength, 0.0);

    // Without a file name only the length comes back; the marks stay as they were.
    marks.SetEdges({{3, 1}});
    sub->name = "x";
    EXPECT_EQ(RunShortestPath(net, ShortestPathMode::SinglePair, marks, "").lines, Lines{});
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{3, 1}}));
    EXPECT_EQ(sub->name, "main->Edge(1,2)");
    EXPECT_EQ(MeasureShortestPath(net), 4.5);

    // All Shortest Path counts every edge by its own weight and leaves the sub-net alone.
    sub->name = "kept";
    const Outcome all = RunShortestPath(net, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(BodyOf(all.lines), (Lines{
                                     "    Source = 1",
                                     "    The Lengths of the Shortest Paths from 1 to other Points :",
                                     "     (  2) 10              (  3) 11             ",
                                 }));
    EXPECT_EQ(sub->name, "kept");
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 0.0);

    // The sub-net's name is cut to 100 characters.
    net.name = std::string(95, 'a');
    EXPECT_EQ(MeasureShortestPath(net), 4.5);
    EXPECT_EQ(sub->name, std::string(95, 'a') + "->Edg");
}

TEST(ShortestPath, EachEntryOfAnUndirectedEdgeKeepsItsOwnDecomposedLength) {
    NetWorkType net = Net(UndirNetCode, 3, "und");
    AddEdge(net, 1, 2, 10.0);
    AddEdge(net, 2, 3, 1.0);
    const auto sub = SubNet(ThreeAndAHalf());
    SetSubNet(net, 1, 2, sub);
    net.sourcePoint = 1;
    net.sinkPoint = 3;
    MarkingBuffer marks;
    // Point 1 is expanded first (entry 1->2), then point 2 (entries 2->3 and 2->1).
    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, 4.5);
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 3.5);
    EXPECT_EQ(FindEdge(net, 2, 1)->decomposedLength, 3.5);
    EXPECT_EQ(FindEdge(net, 2, 3)->decomposedLength, 0.0);
    EXPECT_EQ(sub->name, "und->Edge(2,1)") << "the shared sub-net was last measured from point 2";
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));
}

TEST(ShortestPath, SubNetWithoutAPathUsesTheEdgesOwnWeightAndWarns) {
    NetWorkType net = Net(DirNetCode, 3, "main");
    AddEdge(net, 1, 2, 7.0);
    AddEdge(net, 2, 3, 1.0);
    const auto first = SubNet(Dead());
    const auto second = SubNet(Dead());
    SetSubNet(net, 1, 2, first);
    SetSubNet(net, 2, 3, second);
    net.sourcePoint = 1;
    net.sinkPoint = 3;
    MarkingBuffer marks;

    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, 8.0);
    EXPECT_EQ(run.lines, ResultsText(Header(SingleTitle, "main", "dirNet", 3, 2),
                                     {
                                         "    Source = 1    Sink = 3",
                                         "    Shortest Path  from Source (1) to Sink (3) has Length : 8",
                                         "    Path from 1 to Sink 3 :",
                                         "    ",
                                         "    Warning about decomposition of the Edges",
                                         "    No Path in decomposition of the main->Edge(1,2)!",
                                         "    No Path in decomposition of the main->Edge(2,3)!",
                                         "    ",
                                         "     ( 1, 2)  ( 2, 3) ",
                                     }));
    EXPECT_TRUE(run.calls.empty()) << "a missing path in a sub-net is not an error";
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 0.0);
    EXPECT_EQ(FindEdge(net, 2, 3)->decomposedLength, 0.0);
    EXPECT_EQ(first->name, "main->Edge(1,2)");
    EXPECT_EQ(first->sourcePoint, 1);
    EXPECT_EQ(first->sinkPoint, 2);
    EXPECT_EQ(second->name, "main->Edge(2,3)");

    // A later run starts with an empty warning list.
    first->lists[1].clear();
    AddEdge(*first, 1, 2, 0.5);
    const Outcome again = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(again.value, 1.5);
    EXPECT_EQ(BodyOf(again.lines), (Lines{
                                       "    Source = 1    Sink = 3",
                                       "    Shortest Path  from Source (1) to Sink (3) has Length : 1.5",
                                       "    Path from 1 to Sink 3 :",
                                       "    ",
                                       "    Warning about decomposition of the Edges",
                                       "    No Path in decomposition of the main->Edge(2,3)!",
                                       "    ",
                                       "     ( 1, 2)  ( 2, 3) ",
                                   }));
}

TEST(ShortestPath, SubNetsInsideSubNetsAreMeasuredToAnyDepth) {
    // B: 1->2 (2.5), 1->3 (1), 3->2 (1): 2.  A: 1->3 (1), 3->2 (50, decomposed by B): 3.
    NetWorkType b = Net(DirNetCode, 3, "");
    AddEdge(b, 1, 2, 2.5);
    AddEdge(b, 1, 3, 1.0);
    AddEdge(b, 3, 2, 1.0);
    NetWorkType a = Net(DirNetCode, 3, "");
    AddEdge(a, 1, 3, 1.0);
    AddEdge(a, 3, 2, 50.0);
    SetSubNet(a, 3, 2, SubNet(b));
    NetWorkType net = Net(DirNetCode, 2, "deep");
    AddEdge(net, 1, 2, 100.0);
    SetSubNet(net, 1, 2, SubNet(a));
    // Copying a net copies its sub-nets: look them up where they hang now.
    const auto outer = GetSubNet(net, 1, 2);
    const auto inner = GetSubNet(*outer, 3, 2);
    ASSERT_NE(inner, nullptr);
    net.sourcePoint = 1;
    net.sinkPoint = 2;
    MarkingBuffer marks;

    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, 3.0);
    EXPECT_EQ(run.lines, ResultsText(Header(SingleTitle, "deep", "dirNet", 2, 1),
                                     {
                                         "    Source = 1    Sink = 2",
                                         "    Shortest Path  from Source (1) to Sink (2) has Length : 3",
                                         "    Path from 1 to Sink 2 :",
                                         "     ( 1, 2) ",
                                     }));
    EXPECT_EQ(outer->name, "deep->Edge(1,2)");
    EXPECT_EQ(inner->name, "deep->Edge(1,2)->Edge(3,2)");
    EXPECT_EQ(inner->sourcePoint, 1);
    EXPECT_EQ(inner->sinkPoint, 2);
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 3.0);
    EXPECT_EQ(FindEdge(*outer, 3, 2)->decomposedLength, 2.0);
    EXPECT_EQ(marks.MarkedEdges(2), (Edges{{1, 2}}));

    // A dead end two levels down is reported in the top-level account.
    inner->lists[1].clear();
    const Outcome dead = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(dead.value, 51.0);
    EXPECT_EQ(BodyOf(dead.lines), (Lines{
                                      "    Source = 1    Sink = 2",
                                      "    Shortest Path  from Source (1) to Sink (2) has Length : 51",
                                      "    Path from 1 to Sink 2 :",
                                      "    ",
                                      "    Warning about decomposition of the Edges",
                                      "    No Path in decomposition of the deep->Edge(1,2)->Edge(3,2)!",
                                      "    ",
                                      "     ( 1, 2) ",
                                  }));
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 51.0);
    EXPECT_EQ(FindEdge(*outer, 3, 2)->decomposedLength, 0.0);
}

// Undirected levels of points 1, 2, 3 with edges 1-3 and 3-2 of weight 1 (the deepest without
// 3-2 when `deadEnd`), each edge 1-3 decomposed into the next level. Point 3 is final before the
// sink 2, so every level is asked for from both entries of its edge 1-3.
NetWorkType DecomposedChain(int levels, bool deadEnd = false) {
    std::shared_ptr<NetWorkType> below;
    for (int level = levels; level >= 1; --level) {
        auto net = SubNet(Net(UndirNetCode, 3, "chain"));
        AddEdge(*net, 1, 3, 1.0);
        if (!deadEnd || level < levels) AddEdge(*net, 3, 2, 1.0);
        if (below) SetSubNet(*net, 1, 3, below);
        net->sourcePoint = 1;
        net->sinkPoint = 2;
        below = net;
    }
    return std::move(*below);
}

TEST(ShortestPath, DeepChainsOfSubNetsAreMeasuredOnceAndCanBeStopped) {
    using plax::testing::RunSearch;
    using plax::testing::StoppingSink;
    // 63 levels: measuring each level anew from both entries would take 2^62 measurements; Stop
    // pressed at the 1000th poll would cut such a run short.
    NetWorkType net = DecomposedChain(63);
    const auto run = RunSearch(
        [&](MarkingBuffer& marks, ProcedureOutput out) {
            EXPECT_EQ(ShortestPath(net, ShortestPathMode::SinglePair, marks, "chain.net", out), 64.0);
        },
        [](StoppingSink& sink) { sink.stopAtPoll = 1000; });
    EXPECT_EQ(run.lines, ResultsText(Header(SingleTitle, "chain", "undirNet", 3, 2),
                                     {
                                         "    Source = 1    Sink = 2",
                                         "    Shortest Path  from Source (1) to Sink (2) has Length : 64",
                                         "    Path from 1 to Sink 2 :",
                                         "     ( 1, 3)  ( 3, 2) ",
                                     }));
    EXPECT_TRUE(run.longRunEnded);
    EXPECT_EQ(run.flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
    EXPECT_EQ(FindEdge(net, 1, 3)->decomposedLength, 63.0);
    EXPECT_EQ(FindEdge(net, 3, 1)->decomposedLength, 63.0);
    // Each level keeps the name of its last measurement, from point 3.
    const auto second = GetSubNet(net, 1, 3);
    const auto third = GetSubNet(*second, 1, 3);
    EXPECT_EQ(second->name, "chain->Edge(3,1)");
    EXPECT_EQ(third->name, "chain->Edge(3,1)->Edge(3,1)");
    EXPECT_EQ(FindEdge(*third, 3, 1)->decomposedLength, 61.0);
    auto deepest = third;
    while (GetSubNet(*deepest, 1, 3))
        deepest = GetSubNet(*deepest, 1, 3);
    std::string longName = "chain";
    while (longName.size() < 100)
        longName += "->Edge(3,1)";
    EXPECT_EQ(deepest->name, longName.substr(0, 100));

    // Stop at the first poll ends the run with what it has.
    const auto stopped = RunSearch(
        [&](MarkingBuffer& marks, ProcedureOutput out) {
            EXPECT_EQ(ShortestPath(net, ShortestPathMode::SinglePair, marks, "chain.net", out), -1.0);
            EXPECT_EQ(marks.MarkedEdges(3), Edges{});
        },
        [](StoppingSink& sink) { sink.stopAtPoll = 1; });
    Lines expected = Header(SingleTitle, "chain", "undirNet", 3, 2);
    expected.insert(expected.end(), {"    Source = 1    Sink = 2", "    Procedure terminated! "});
    EXPECT_EQ(stopped.lines, expected);
    EXPECT_EQ(stopped.polls, 1);
    EXPECT_EQ(stopped.flags.stop, 0);
    EXPECT_EQ(net.interaction.busy, 0);

    // A level asked for again repeats the warnings of its measurement under its new name.
    NetWorkType dead = DecomposedChain(3, true);
    MarkingBuffer marks;
    const Outcome warned = RunShortestPath(dead, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(warned.value, 3.0);
    EXPECT_EQ(BodyOf(warned.lines), (Lines{
                                        "    Source = 1    Sink = 2",
                                        "    Shortest Path  from Source (1) to Sink (2) has Length : 3",
                                        "    Path from 1 to Sink 2 :",
                                        "    ",
                                        "    Warning about decomposition of the Edges",
                                        "    No Path in decomposition of the chain->Edge(1,3)->Edge(1,3)!",
                                        "    No Path in decomposition of the chain->Edge(1,3)->Edge(3,1)!",
                                        "    No Path in decomposition of the chain->Edge(3,1)->Edge(1,3)!",
                                        "    No Path in decomposition of the chain->Edge(3,1)->Edge(3,1)!",
                                        "    ",
                                        "     ( 1, 3)  ( 3, 2) ",
                                    }));
    EXPECT_EQ(GetSubNet(*GetSubNet(dead, 1, 3), 1, 3)->name, "chain->Edge(3,1)->Edge(3,1)");
}

TEST(ShortestPath, HeaviestEdgesGetTheirTrueLength) {
    const std::string e38 = "1" + std::string(38, '0');
    const std::string twoE38 = "2" + std::string(38, '0');
    NetWorkType net = Net(DirNetCode, 3, "heavy");
    AddEdge(net, 1, 2, MaxWeight);
    AddEdge(net, 2, 3, MaxWeight);
    net.sourcePoint = 1;
    net.sinkPoint = 3;
    MarkingBuffer marks;

    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, 2 * MaxWeight);
    EXPECT_EQ(BodyOf(run.lines), (Lines{
                                     "    Source = 1    Sink = 3",
                                     "    Shortest Path  from Source (1) to Sink (3) has Length : " + twoE38,
                                     "    Path from 1 to Sink 3 :",
                                     "     ( 1, 2)  ( 2, 3) ",
                                 }));
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));

    const Outcome all = RunShortestPath(net, ShortestPathMode::AllFromSource, marks);
    EXPECT_EQ(BodyOf(all.lines),
              (Lines{"    Source = 1", "    The Lengths of the Shortest Paths from 1 to other Points :",
                     "     (  2) " + e38 + " (  3) " + twoE38}));
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));

    // One heavy edge beats two of them.
    AddEdge(net, 1, 3, MaxWeight);
    net.sinkPoint = 3;
    EXPECT_EQ(MeasureShortestPath(net), MaxWeight);
    EXPECT_EQ(RunShortestPath(net, ShortestPathMode::SinglePair, marks).value, MaxWeight);
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 3}}));
}

TEST(ShortestPath, RefusalTexts) {
    NetWorkType net = Net(DirNetCode, 1, "one");
    EXPECT_EQ(ShortestPathRefusal(net, ShortestPathMode::SinglePair),
              std::optional<std::string>("There isnt Shortest Path ! Trivial NetWork."));
    EXPECT_EQ(ShortestPathRefusal(net, ShortestPathMode::AllFromSource),
              std::optional<std::string>("Trivial NetWork."));
    net.n = 0;
    EXPECT_EQ(ShortestPathRefusal(net, ShortestPathMode::AllFromSource),
              std::optional<std::string>("Trivial NetWork."));
    net.n = 2;
    EXPECT_EQ(ShortestPathRefusal(net, ShortestPathMode::SinglePair), std::nullopt);
    EXPECT_EQ(ShortestPathRefusal(net, ShortestPathMode::AllFromSource), std::nullopt);
}

TEST(ShortestPath, ResultNumberFormat) {
    EXPECT_EQ(ResultNumber(12.5), "12.5");
    EXPECT_EQ(ResultNumber(3.0), "3");
    EXPECT_EQ(ResultNumber(0.0), "0");
    EXPECT_EQ(ResultNumber(-2.25), "-2.25");
    EXPECT_EQ(ResultNumber(1e38), "1" + std::string(38, '0'));
    // 0.00005 is stored a hair above itself, so four places round it up.
    EXPECT_EQ(ResultNumber(0.00005), "0.0001");
    EXPECT_EQ(ResultNumber(0.00004), "0");
    EXPECT_EQ(ResultNumber(4.25), "4.25");
    EXPECT_EQ(ResultNumber(20.0), "20");
}

// Invariants over random nets, checked against an all-pairs computation of the test's own.

constexpr double Inf = std::numeric_limits<double>::infinity();
using Matrix = std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1>;

Matrix FloydWarshall(const NetWorkType& net) {
    Matrix d;
    for (auto& row : d)
        row.fill(Inf);
    for (int i = 1; i <= net.n; ++i) {
        At(d, i, i) = 0.0;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            At(d, i, e.target) = e.weight;
    }
    for (int k = 1; k <= net.n; ++k) {
        for (int i = 1; i <= net.n; ++i) {
            for (int j = 1; j <= net.n; ++j) {
                if (At(d, i, k) + At(d, k, j) < At(d, i, j)) At(d, i, j) = At(d, i, k) + At(d, k, j);
            }
        }
    }
    return d;
}

// Weights are integers or eighths, so every sum is exact and distances compare with ==.
NetWorkType ExactWeightNet(std::mt19937& rng, int index) {
    const int n = 2 + static_cast<int>(rng() % 14);
    const bool directed = rng() % 2 == 0;
    const bool fractional = rng() % 2 == 0;
    const double density = static_cast<double>(10 + rng() % 60) / 100.0;
    return testing::RandomNet(
        rng, directed, n, density,
        [fractional](std::mt19937& r) {
            return fractional ? static_cast<double>(r() % 161) / 8.0 : static_cast<double>(r() % 21);
        },
        "r" + std::to_string(index));
}

std::string Entry(int point, double dist) {
    char head[16];
    std::snprintf(head, sizeof head, " (%3d) ", point);
    std::string value = dist == Inf ? "No Path" : ResultNumber(dist);
    if (value.size() < 15) value.append(15 - value.size(), ' ');
    return head + value;
}

void CheckSinglePair(NetWorkType& net, int s, int t, const Matrix& d) {
    SCOPED_TRACE("sink " + std::to_string(t));
    net.sourcePoint = static_cast<std::uint16_t>(s);
    net.sinkPoint = static_cast<std::uint16_t>(t);
    MarkingBuffer marks;
    if (At(d, s, t) == Inf) {
        EXPECT_EQ(MeasureShortestPath(net), -1.0);
        EXPECT_EQ(RunShortestPath(net, ShortestPathMode::SinglePair, marks).value, -1.0);
        return;
    }
    EXPECT_EQ(MeasureShortestPath(net), At(d, s, t));
    const Outcome run = RunShortestPath(net, ShortestPathMode::SinglePair, marks);
    EXPECT_EQ(run.value, At(d, s, t));
    ASSERT_GE(run.lines.size(), 16u);
    EXPECT_EQ(run.lines[12], "    Shortest Path  from Source (" + std::to_string(s) + ") to Sink (" +
                                 std::to_string(t) + ") has Length : " + ResultNumber(At(d, s, t)));
    EXPECT_EQ(run.lines.back(), CompleteLine);

    // The marked path runs from s to t along existing edges, visits no point twice and is as
    // long as the printed length; the path lines name the same edges.
    const Edges path = marks.MarkedEdges(net.n);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front().from, s);
    EXPECT_EQ(path.back().to, t);
    double total = 0.0;
    std::array<bool, MaxPoints + 1> seen{};
    seen[static_cast<std::size_t>(s)] = true;
    std::string entries;
    for (std::size_t k = 0; k < path.size(); ++k) {
        if (k > 0) {
            EXPECT_EQ(path[k].from, path[k - 1].to);
        }
        const EdgeType* e = FindEdge(net, path[k].from, path[k].to);
        ASSERT_NE(e, nullptr);
        total += e->weight;
        EXPECT_FALSE(seen[path[k].to]);
        seen[path[k].to] = true;
        char entry[16];
        std::snprintf(entry, sizeof entry, " (%2d,%2d) ", path[k].from, path[k].to);
        entries += entry;
    }
    EXPECT_EQ(total, At(d, s, t));
    std::string printed;
    const std::size_t pathLines = (path.size() + 4) / 5;
    ASSERT_EQ(run.lines.size(), 15u + pathLines);
    for (std::size_t k = 14; k < 14 + pathLines; ++k) {
        EXPECT_EQ(run.lines[k].substr(0, 4), "    ");
        printed += run.lines[k].substr(4);
    }
    EXPECT_EQ(printed, entries);
}

void CheckAllFromSource(NetWorkType& net, int s, const Matrix& d) {
    net.sourcePoint = static_cast<std::uint16_t>(s);
    MarkingBuffer marks;
    const Outcome run = RunShortestPath(net, ShortestPathMode::AllFromSource, marks);
    int reachable = 0;
    for (int i = 1; i <= net.n; ++i)
        reachable += i != s && At(d, s, i) != Inf ? 1 : 0;
    if (reachable == 0) {
        EXPECT_EQ(run.calls, (Calls{{"warning", "There aren`t Paths from " + std::to_string(s)}}));
        return;
    }
    EXPECT_TRUE(run.calls.empty());
    std::string expected;
    for (int i = 1; i <= net.n; ++i) {
        if (i != s) expected += Entry(i, At(d, s, i));
    }
    const std::size_t entryLines = (static_cast<std::size_t>(net.n) - 1 + 2) / 3;
    ASSERT_EQ(run.lines.size(), 14u + entryLines);
    std::string printed;
    for (std::size_t k = 13; k < 13 + entryLines; ++k) {
        EXPECT_EQ(run.lines[k].substr(0, 4), "    ");
        printed += run.lines[k].substr(4);
    }
    EXPECT_EQ(printed, expected);

    // One tree edge into every reachable point, in point order, each on a shortest path.
    const Edges tree = marks.MarkedEdges(net.n);
    ASSERT_EQ(tree.size(), static_cast<std::size_t>(reachable));
    int previous = 0;
    for (const EdgeMark& m : tree) {
        EXPECT_GT(m.to, previous);
        previous = m.to;
        const EdgeType* e = FindEdge(net, m.from, m.to);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(At(d, s, m.from) + e->weight, At(d, s, m.to));
    }
}

TEST(ShortestPath, RandomNetsAgreeWithFloydWarshall) {
    std::mt19937 rng(20261208u);
    for (int index = 0; index < 200; ++index) {
        NetWorkType net = ExactWeightNet(rng, index);
        SCOPED_TRACE("net " + std::to_string(index) + " (" + net.kindName + ", " + std::to_string(net.n) +
                     " points)");
        const Matrix d = FloydWarshall(net);
        const int s = 1 + static_cast<int>(rng() % net.n);
        SCOPED_TRACE("source " + std::to_string(s));
        CheckAllFromSource(net, s, d);
        for (int t = 1; t <= net.n; ++t) {
            if (t != s) CheckSinglePair(net, s, t, d);
        }
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace plax
