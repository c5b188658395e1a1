#include "accounts/critical_path_account.h"

#include "accounts/results_sink.h"
#include "accounts/activity_net_checks.h"
#include "algorithms/marking_buffer.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "model/real48.h"

#include "net_builders.h"
#include "recording_messages.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

// An entry by point numbers.
template <class Row> auto& At(Row& row, int i) { return row[static_cast<std::size_t>(i)]; }
template <class Table> auto& At(Table& table, int i, int j) { return At(At(table, i), j); }

using plax::testing::AddEdge;
using plax::testing::RecordingMessages;
using plax::testing::ScratchDir;
constexpr auto Net = plax::testing::MakeNet;
using Lines = std::vector<std::string>;
using Calls = std::vector<RecordingMessages::Call>;
using Edges = std::vector<EdgeMark>;

constexpr Color Red = 0x0000FF;
constexpr Color Green = 0x008000;
const std::string GanttQuestion = "Do you wish to show Gantt Chart?";

struct Outcome {
    double length = 0.0;
    Lines lines;
    Calls calls;
    std::vector<GanttBar> bars;
};

// Every question is answered `answer`; "Select Confirmation" is `confirm`; the chart is offered.
Outcome RunCritical(NetWorkType& net, MarkingBuffer& marks, bool answer = true, bool confirm = false) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    RecordingMessages messages(answer);
    Outcome run;
    const CriticalPathOptions options{confirm,
                                      [&run](const std::vector<GanttBar>& bars) { run.bars = bars; }};
    run.length = CriticalPath(net, marks, "plan.net", {sink, messages}, options);
    run.lines = sink.Lines();
    run.calls = messages.calls;
    return run;
}

// A table row: the label right-aligned in 28 characters, each cell in 12.
std::string Row(const std::string& label, const std::vector<std::string>& cells) {
    std::string row = std::string(28 - label.size(), ' ') + label;
    for (const std::string& cell : cells)
        row += std::string(12 - std::min<std::size_t>(12, cell.size()), ' ') + cell;
    return row;
}

const std::string EventsHeading = Row("Event", {"E.Start", "L.Start", "Reserve"});
const std::string JobsHeading = Row("Job", {"Length", "E.Start", "L.Start", "Reserve"});

// Jobs 1->2 (3), 1->3 (2), 2->4 (4), 3->4 (4), every point and job named.
NetWorkType Plan() {
    NetWorkType net = Net(DirNetCode, 4, "plan");
    const std::array<std::string, 4> names = {"Start", "Dig", "Buy", "End"};
    for (int i = 1; i <= 4; ++i)
        net.points[static_cast<std::size_t>(i)].name = names[static_cast<std::size_t>(i - 1)];
    AddEdge(net, 1, 2, 3, "Survey");
    AddEdge(net, 1, 3, 2, "Order");
    AddEdge(net, 2, 4, 4, "Build");
    AddEdge(net, 3, 4, 4, "Fit");
    RecordingMessages quiet;
    EXPECT_TRUE(OneSourceOneSink(net, quiet));
    return net;
}

TEST(CriticalPath, FourJobsWithTimesReservesNamesAndChart) {
    // E = 0, 3, 2, 7; L = 0, 3, 3, 7; the path 1, 2, 4; jobs 1->3 and 3->4 can wait 1.
    NetWorkType net = Plan();
    MarkingBuffer marks;
    const Outcome run = RunCritical(net, marks, true, true);
    EXPECT_EQ(run.length, 7.0);
    Lines expected = plax::testing::ResultsHeader("                Critical Path", "plan", "dirNet", 4, 4);
    const Lines body = {"    Source = 1    Sink = 4",
                        "    Critical Path from 1 to 4 has Length : 7",
                        "    Critical Path from 1 to 4 :",
                        "      1,   2,   4.",
                        "    ",
                        "    Critical Path by Name of Points",
                        "    Start, Dig, End.",
                        "    ",
                        "    Critical Path by Name of Edges",
                        "    Survey, Build.",
                        "    ",
                        "",
                        "                    Events",
                        EventsHeading,
                        Row("Start (1)", {"0", "0", "0"}),
                        Row("Dig (2)", {"3", "3", "0"}),
                        Row("Buy (3)", {"2", "3", "1"}),
                        Row("End (4)", {"7", "7", "0"}),
                        "",
                        "",
                        "                    Jobs",
                        JobsHeading,
                        Row("Order (1,3)", {"2", "0", "1", "1"}),
                        Row("Survey (1,2)", {"3", "0", "0", "0"}),
                        Row("Build (2,4)", {"4", "3", "3", "0"}),
                        Row("Fit (3,4)", {"4", "2", "3", "1"}),
                        "",
                        "    Procedure complete. "};
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(run.calls,
              (Calls{{"confirm", "The Source is Point 1. The Sink is Point 4.Do you wish to Continue?"},
                     {"confirm", GanttQuestion}}));
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{1, 2}, {2, 4}}));
    EXPECT_EQ(FindEdge(net, 1, 3)->flow, 1.0) << "reserves are kept in the flow fields";
    EXPECT_EQ(FindEdge(net, 2, 4)->flow, 0.0);
    EXPECT_EQ(run.bars, (std::vector<GanttBar>{{"(1,3) - Order", 0, 2, Green, 1},
                                               {"(1,2) - Survey", 0, 3, Red, 0},
                                               {"(2,4) - Build", 3, 7, Red, 0},
                                               {"(3,4) - Fit", 2, 6, Green, 1}}));

    // One unnamed point and one unnamed job: neither names list. Declining the chart shows none.
    net.points[2].name = "No Name";
    FindEdge(net, 2, 4)->name = "No Name";
    const Outcome unnamed = RunCritical(net, marks, false);
    EXPECT_EQ(Lines(unnamed.lines.begin() + 14, unnamed.lines.begin() + 18),
              (Lines{"      1,   2,   4.", "    ", "", "                    Events"}));
    EXPECT_EQ(unnamed.calls, (Calls{{"confirm", GanttQuestion}}));
    EXPECT_TRUE(unnamed.bars.empty());

    // Declining to go on opens no window.
    const Outcome declined = RunCritical(net, marks, false, true);
    EXPECT_EQ(declined.length, -1.0);
    EXPECT_TRUE(declined.lines.empty());
    EXPECT_EQ(declined.calls.size(), 1u);
}

TEST(CriticalPath, TiesWidthsAndHeavyJobs) {
    // Into 4 both 1-3-4 and 1-2-4 take 5: the walk back takes the lower point, 2.
    NetWorkType tie = Net(DirNetCode, 4, "tie");
    AddEdge(tie, 1, 3, 2);
    AddEdge(tie, 3, 4, 3);
    AddEdge(tie, 1, 2, 3);
    AddEdge(tie, 2, 4, 2);
    tie.sourcePoint = 1;
    tie.sinkPoint = 4;
    MarkingBuffer marks;
    EXPECT_EQ(RunCritical(tie, marks).lines[14], "      1,   2,   4.");

    // Fifteen points: numbers in width 2 in the tables, 3 in the path; lists wrap after 14, the
    // edge names after 13; a chain of one-day jobs beats a three-day shortcut 1->15.
    NetWorkType chain = Net(DirNetCode, 15, "long");
    for (int i = 1; i <= 15; ++i)
        chain.points[static_cast<std::size_t>(i)].name = "P" + std::to_string(i);
    for (int i = 1; i < 15; ++i)
        AddEdge(chain, i, i + 1, 1, "J" + std::to_string(i));
    AddEdge(chain, 1, 15, 3, "Jump");
    chain.sourcePoint = 1;
    chain.sinkPoint = 15;
    const Outcome run = RunCritical(chain, marks);
    EXPECT_EQ(Lines(run.lines.begin() + 12, run.lines.begin() + 29),
              (Lines{"    Critical Path from  1 to 15 has Length : 14", "    Critical Path from  1 to 15 :",
                     "      1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14, ", "     15.",
                     "    ", "    Critical Path by Name of Points",
                     "    P1, P2, P3, P4, P5, P6, P7, P8, P9, P10, P11, P12, P13, P14, ", "    P15.", "    ",
                     "    Critical Path by Name of Edges",
                     "    J1, J2, J3, J4, J5, J6, J7, J8, J9, J10, J11, J12, J13, ", "    J14.", "    ", "",
                     "                    Events", EventsHeading, Row("P1 ( 1)", {"0", "0", "0"})}));
    EXPECT_EQ(Lines(run.lines.begin() + 47, run.lines.begin() + 49),
              (Lines{Row("Jump ( 1,15)", {"3", "0", "11", "11"}), Row("J1 ( 1, 2)", {"1", "0", "0", "0"})}));
    EXPECT_EQ(run.lines[run.lines.size() - 3], Row("J14 (14,15)", {"1", "13", "13", "0"}));

    // Jobs of 1.0E38 keep true latest times, so the critical jobs have no reserve.
    NetWorkType heavy = Net(DirNetCode, 3, "heavy");
    AddEdge(heavy, 1, 2, MaxWeight);
    AddEdge(heavy, 2, 3, MaxWeight);
    AddEdge(heavy, 1, 3, 1);
    heavy.sourcePoint = 1;
    heavy.sinkPoint = 3;
    const ActivitySchedule s = ComputeSchedule(heavy);
    EXPECT_EQ(s.latest[2], MaxWeight);
    EXPECT_EQ(s.path, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(RunCritical(heavy, marks).length, 2 * MaxWeight);
    EXPECT_EQ(FindEdge(heavy, 1, 2)->flow, 0.0);
    EXPECT_EQ(FindEdge(heavy, 2, 3)->flow, 0.0);
    EXPECT_EQ(FindEdge(heavy, 1, 3)->flow, Real48Max); // a reserve of 2.0E38 is kept at the largest
}

// Whitespace-separated words of a line.
std::size_t Words(const std::string& line) {
    std::istringstream in(line);
    return static_cast<std::size_t>(std::distance(std::istream_iterator<std::string>(in), {}));
}

TEST(CriticalPath, ReservesBeyondTheFileAreStoredAtTheLargestAndTheNetSaves) {
    // Two jobs of 1.0E38 in a row beside a short job: its reserve is 2.0E38 - 1.
    NetWorkType heavy = Net(DirNetCode, 3, "heavy");
    for (int i = 1; i <= 3; ++i)
        heavy.points[static_cast<std::size_t>(i)].name = std::string(1, static_cast<char>('R' + i));
    AddEdge(heavy, 1, 2, MaxWeight, "A");
    AddEdge(heavy, 2, 3, MaxWeight, "B");
    AddEdge(heavy, 1, 3, 1, "C");
    heavy.sourcePoint = 1;
    heavy.sinkPoint = 3;
    MarkingBuffer marks;
    const Lines lines = RunCritical(heavy, marks).lines;
    ASSERT_GE(lines.size(), 13u);
    const auto fromEnd = [&](std::size_t k) { return lines[lines.size() - k]; };
    EXPECT_EQ(fromEnd(1), "    Procedure complete. ");
    EXPECT_EQ(fromEnd(2), "");
    EXPECT_EQ(fromEnd(3), "    Values above 1.7E38 are stored in the net as 1.7E38.");
    // Wide numbers still stand apart: name, number, and four numbers for a job; three for an event.
    for (std::size_t k = 4; k <= 6; ++k)
        EXPECT_EQ(Words(fromEnd(k)), 6u) << fromEnd(k);
    for (std::size_t k = 11; k <= 13; ++k)
        EXPECT_EQ(Words(fromEnd(k)), 5u) << fromEnd(k);
    EXPECT_EQ(FindEdge(heavy, 1, 3)->flow, Real48Max);

    ScratchDir dir;
    RecordingMessages messages;
    ASSERT_TRUE(SaveNetFile(heavy, dir.File("heavy.net"), messages));
    NetWorkType back;
    NetInit(back);
    ASSERT_TRUE(LoadNetFile(back, dir.File("heavy.net"), OptionType{}, messages));
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(FindEdge(back, 1, 3)->flow, Real48Max);
}

TEST(CriticalPath, OneSourceOneSinkAndCycles) {
    const std::string notOne = "It Must be One Source and One Sink.\r\nThere isnt Critical Path";
    std::vector<EdgeMark> shown;
    NetWorkType two = Net(DirNetCode, 3, "two");
    AddEdge(two, 1, 3, 1);
    AddEdge(two, 2, 3, 1);
    RecordingMessages first;
    EXPECT_FALSE(ActivityNetReady(two, first, shown));
    EXPECT_EQ(first.calls, (Calls{{"warning", notOne}}));

    // One of each, but the sink lies beyond a cycle the source cannot reach: both warnings.
    NetWorkType apart = Net(DirNetCode, 6, "apart");
    for (const auto& [a, b] :
         std::vector<std::pair<int, int>>{{1, 2}, {2, 4}, {4, 2}, {6, 5}, {5, 6}, {5, 3}})
        AddEdge(apart, a, b, 1);
    RecordingMessages both;
    EXPECT_FALSE(ActivityNetReady(apart, both, shown));
    EXPECT_EQ(both.calls,
              (Calls{{"warning", "There aren`t Paths from Source 1 to Sink3"}, {"warning", notOne}}));
    EXPECT_EQ(apart.sinkPoint, 3);

    // A cycle on the way from the source, listed against the edges: 3, 2.
    const std::string question =
        "NetWork has a Cycle.\r\nThere isnt Critical Path\r\nDo you wish to Show Cycle?";
    NetWorkType near = Net(DirNetCode, 4, "near");
    for (const auto& [a, b] : std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {3, 2}, {3, 4}})
        AddEdge(near, a, b, 1);
    RecordingMessages yes(true);
    EXPECT_FALSE(ActivityNetReady(near, yes, shown));
    EXPECT_EQ(yes.calls, (Calls{{"confirm", question}}));
    EXPECT_EQ(shown, (Edges{{2, 3}, {3, 2}}));

    // One source 1, one sink 3, and a cycle 4->5->6->4 (feeding 3) that the source never reaches.
    NetWorkType far = Net(DirNetCode, 6, "far");
    for (const auto& [a, b] :
         std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {4, 5}, {4, 3}, {5, 6}, {6, 4}})
        AddEdge(far, a, b, 1);
    std::vector<int> cycle;
    ASSERT_TRUE(OneSourceOneSink(far, yes));
    EXPECT_TRUE(HasCycle(far, cycle));
    EXPECT_EQ(cycle, (std::vector<int>{6, 5, 4}));
    RecordingMessages no(false);
    EXPECT_FALSE(ActivityNetReady(far, no, shown));
    EXPECT_EQ(no.calls, (Calls{{"confirm", question}}));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(ActivityNetReady(far, yes, shown));
    EXPECT_EQ(shown, (Edges{{5, 6}, {4, 5}, {6, 4}}));
}

TEST(CriticalPath, WithoutAFileNameItMeasures) {
    NetWorkType net = Plan();
    net.sourcePoint = net.sinkPoint = 0;
    RecordingMessages messages;
    MarkingBuffer marks;
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    EXPECT_EQ(CriticalPath(net, marks, "", {sink, messages}, {}), 7.0);
    EXPECT_TRUE(sink.Lines().empty());
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(net.sinkPoint, 4);

    // Two sinks: refused unless the source and sink already set are points 1 and 2.
    NetWorkType two = Net(DirNetCode, 3, "two");
    AddEdge(two, 1, 2, 4);
    AddEdge(two, 1, 3, 1);
    two.sourcePoint = 3;
    two.sinkPoint = 2;
    EXPECT_EQ(CriticalPath(two, marks, "", {sink, messages}, {}), -1.0);
    two.sourcePoint = 1;
    EXPECT_EQ(CriticalPath(two, marks, "", {sink, messages}, {}), 4.0);
}

TEST(CriticalPath, RandomActivityNetsHaveTrueTimesAndReserves) {
    std::mt19937 rng(1957u);
    for (int index = 0; index < 300; ++index) {
        // Jobs run forward in a shuffled order of the points, and every point is fed from the
        // first and feeds the last, so there is one source and one sink.
        const int n = 2 + static_cast<int>(rng() % 14);
        NetWorkType net = Net(DirNetCode, n, "a" + std::to_string(index));
        std::vector<int> rank(static_cast<std::size_t>(n));
        std::iota(rank.begin(), rank.end(), 1);
        std::shuffle(rank.begin(), rank.end(), rng);
        const unsigned density = static_cast<unsigned>(10 + rng() % 60);
        const auto weight = [&] { return static_cast<double>(rng() % 41) / 4.0; };
        std::vector<bool> fed(static_cast<std::size_t>(n) + 1, false);
        for (std::size_t a = 0; a < rank.size(); ++a) {
            for (std::size_t b = a + 1; b < rank.size(); ++b) {
                if (rng() % 100 >= density) continue;
                AddEdge(net, rank[a], rank[b], weight());
                fed[static_cast<std::size_t>(rank[b])] = true;
            }
        }
        for (std::size_t a = 1; a < rank.size(); ++a) {
            if (!fed[static_cast<std::size_t>(rank[a])]) AddEdge(net, rank.front(), rank[a], weight());
            if (OutDegree(net, rank[a - 1]) == 0) AddEdge(net, rank[a - 1], rank.back(), weight());
        }
        SCOPED_TRACE(net.name);
        RecordingMessages messages;
        std::vector<EdgeMark> cycle;
        ASSERT_TRUE(ActivityNetReady(net, messages, cycle));
        ASSERT_TRUE(net.sourcePoint == rank.front() && net.sinkPoint == rank.back());

        // Longest paths forwards and backwards in the shuffled order.
        std::array<double, MaxPoints + 1> early{};
        for (int v : rank) {
            for (int u = 1; u <= n; ++u) {
                if (EdgeExists(net, u, v))
                    At(early, v) =
                        std::max(At(early, v), At(early, u) + GetEdgeReal(net, EdgeRealWeight, u, v));
            }
        }
        std::array<double, MaxPoints + 1> late{};
        late.fill(At(early, rank.back()));
        for (auto it = rank.rbegin(); it != rank.rend(); ++it) {
            for (const EdgeType& e : net.lists[static_cast<std::size_t>(*it)])
                At(late, *it) = std::min(At(late, *it), At(late, e.target) - e.weight);
        }

        MarkingBuffer marks;
        const Outcome run = RunCritical(net, marks);
        EXPECT_EQ(run.length, At(early, rank.back()));
        std::size_t bars = 0;
        for (int i = 1; i <= n; ++i) {
            for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
                const double slack = At(late, e.target) - At(early, i) - e.weight;
                EXPECT_GE(slack, 0.0);
                EXPECT_EQ(e.flow, slack) << i << "->" << static_cast<int>(e.target);
                bars += e.weight != 0.0 ? 1 : 0;
            }
        }
        ASSERT_EQ(run.bars.size(), bars);
        for (const GanttBar& b : run.bars)
            EXPECT_EQ(b.color, b.reserve == 0.0 ? Red : Green);

        // The critical path runs from source to sink along jobs without reserve.
        const Edges path = marks.MarkedEdges(n);
        ASSERT_FALSE(path.empty());
        EXPECT_TRUE(path.front().from == net.sourcePoint && path.back().to == net.sinkPoint);
        double along = 0.0;
        for (const EdgeMark& m : path) {
            ASSERT_TRUE(EdgeExists(net, m.from, m.to));
            EXPECT_EQ(FindEdge(net, m.from, m.to)->flow, 0.0);
            along += GetEdgeReal(net, EdgeRealWeight, m.from, m.to);
        }
        EXPECT_EQ(along, At(early, rank.back()));
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace plax
