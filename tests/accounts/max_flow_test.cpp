#include "accounts/max_flow_account.h"

#include "accounts/results_sink.h"
#include "algorithms/marking_buffer.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include "net_builders.h"
#include "random_nets.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace plax {
namespace {

// An entry by point numbers.
template <class Row> auto& At(Row& row, int i) { return row[static_cast<std::size_t>(i)]; }
template <class Table> auto& At(Table& table, int i, int j) { return At(At(table, i), j); }

using plax::testing::AddEdge;
constexpr auto Net = plax::testing::MakeNet;
using Lines = std::vector<std::string>;
using Colors = std::vector<FlowEdgeColor>;

constexpr Color Red = 0x0000FF;
constexpr Color Blue = 0xFF0000;
constexpr Color Green = 0x008000;
constexpr Color Silver = 0xC0C0C0;

struct Outcome {
    double value = 0.0;
    Lines lines;
};

Outcome RunFlow(NetWorkType& net, int s, int t, const std::string& fileName = "flow.net") {
    net.sourcePoint = static_cast<std::uint16_t>(s);
    net.sinkPoint = static_cast<std::uint16_t>(t);
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    plax::testing::RecordingMessages messages;
    MarkingBuffer marks;
    marks.SetEdges({{1, 2}});
    Outcome run{MaximalFlow(net, marks, fileName, {sink, messages}), sink.Lines()};
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(marks.MarkedEdges(MaxPoints), (std::vector<EdgeMark>{{1, 2}})) << "the marks are not touched";
    return run;
}

// The listing: from the value line to the line before the legend.
Lines Listing(const Outcome& run) {
    return run.lines.size() < 18 ? Lines{} : Lines(run.lines.begin() + 13, run.lines.end() - 5);
}

double Flow(const NetWorkType& net, int a, int b) { return GetEdgeReal(net, EdgeRealFlow, a, b); }

NetWorkType Made(std::uint16_t kind, int n, const std::vector<std::array<double, 3>>& edges) {
    NetWorkType net = Net(kind, n, "net");
    for (const auto& [a, b, w] : edges)
        AddEdge(net, static_cast<int>(a), static_cast<int>(b), w);
    return net;
}

TEST(MaximalFlow, FourThroughTwoPathsWithItsColours) {
    // 1-2-4 carries 2 (2-4 full), then 1-3-4 carries 2 (1-3 full).
    NetWorkType net = Made(DirNetCode, 4, {{1, 2, 3}, {1, 3, 2}, {2, 4, 2}, {3, 4, 3}});
    const Outcome run = RunFlow(net, 1, 4);
    EXPECT_EQ(run.value, 4.0);
    Lines text = plax::testing::ResultsHeader("                Maximal Flow", "net", "dirNet", 4, 4);
    for (const char* line :
         {"    Source = 1    Sink = 4", "    Value of the Maximal Flow is equal to", "    4",
          "    Values of the Edges Flow:",
          "      Flow( 1, 2)= 2;        Flow( 1, 3)= 2;        Flow( 2, 4)= 2;      ",
          "      Flow( 3, 4)= 2;      ", "       Red Edge : Flow = Mark", "      Blue Edge : Flow >= Mark/2",
          "     Green Edge : Flow <= Mark/2", "    Silver Edge : Flow = 0", "    Procedure complete. "})
        text.emplace_back(line);
    EXPECT_EQ(run.lines, text);
    EXPECT_EQ(FlowColoring(net), (Colors{{1, 2, Blue}, {1, 3, Red}, {2, 4, Red}, {3, 4, Blue}}));
    EXPECT_EQ(FlowColor(1.5, 4), Green);
    EXPECT_EQ(FlowColor(5, 4), std::nullopt) << "more than the weight keeps its colour";
}

TEST(MaximalFlow, FlowIsTakenBackOnDirectedAndUndirectedNets) {
    // The first path 1-2-4-6 blocks 1-3-4; the second goes 1-3-4, back from 4 to 2, then 2-5-6.
    // Undirected, a search that only adds to edge 2-4 would end at 1. Six flows fill two lines,
    // and a line of four blanks ends the list.
    for (const std::uint16_t kind : {DirNetCode, UndirNetCode}) {
        NetWorkType net =
            Made(kind, 6, {{1, 2, 1}, {1, 3, 1}, {2, 4, 1}, {2, 5, 1}, {3, 4, 1}, {4, 6, 1}, {5, 6, 1}});
        SCOPED_TRACE(net.kindName);
        const Outcome run = RunFlow(net, 1, 6);
        EXPECT_EQ(run.value, 2.0);
        EXPECT_EQ(
            Listing(run),
            (Lines{"    2", "    Values of the Edges Flow:",
                   "      Flow( 1, 2)= 1;        Flow( 1, 3)= 1;        Flow( 2, 5)= 1;      ",
                   "      Flow( 3, 4)= 1;        Flow( 4, 6)= 1;        Flow( 5, 6)= 1;      ", "    "}));
        EXPECT_EQ(FlowColoring(net)[2], (FlowEdgeColor{2, 4, Silver}));
        const FlowTable table = ComputeMaximalFlow(net);
        EXPECT_EQ(table.carried[3][4], 1.0);
        EXPECT_EQ(table.carried[2][4] + table.carried[4][2], 0.0);
    }

    // Flow from a higher to a lower point is listed once, the lower point first.
    NetWorkType down = Made(UndirNetCode, 3, {{1, 3, 2.5}, {3, 2, 4}});
    EXPECT_EQ(Listing(RunFlow(down, 1, 2)), (Lines{"    2.5", "    Values of the Edges Flow:",
                                                   "      Flow( 1, 3)= 2.5;      Flow( 2, 3)= 2.5;    "}));
    EXPECT_EQ(ComputeMaximalFlow(down).carried[3][2], 2.5);
    EXPECT_EQ(FlowColoring(down), (Colors{{1, 3, Red}, {2, 3, Blue}}));
}

TEST(MaximalFlow, HeavyEdgesZeroWeightsAndFieldsReset) {
    const std::string e38 = "1" + std::string(38, '0');
    NetWorkType heavy = Made(DirNetCode, 3, {{1, 2, MaxWeight}, {2, 3, MaxWeight}});
    const Outcome run = RunFlow(heavy, 1, 3);
    EXPECT_EQ(run.value, MaxWeight);
    EXPECT_EQ(Listing(run), (Lines{"    " + e38, "    Values of the Edges Flow:",
                                   "      Flow( 1, 2)= " + e38 + ";  Flow( 2, 3)= " + e38 + ";"}));
    EXPECT_EQ(FlowColoring(heavy), (Colors{{1, 2, Red}, {2, 3, Red}}));

    // Only an edge of weight 0 leads on: value 0, an empty list, and that edge counts as full.
    NetWorkType zero = Made(DirNetCode, 3, {{1, 2, 0}, {2, 3, 5}, {3, 1, 2}});
    for (int i = 1; i <= 3; ++i) {
        for (EdgeType& e : zero.lists[static_cast<std::size_t>(i)])
            e.flow = e.aux = e.decomposedLength = 7;
    }
    EXPECT_EQ(Listing(RunFlow(zero, 1, 3)), (Lines{"    0", "    Values of the Edges Flow:", "    "}));
    for (int i = 1; i <= 3; ++i) {
        for (const EdgeType& e : zero.lists[static_cast<std::size_t>(i)])
            EXPECT_TRUE(e.flow == 0.0 && e.aux == 0.0 && e.decomposedLength == 0.0);
    }
    EXPECT_EQ(FlowColoring(zero), (Colors{{1, 2, Red}, {2, 3, Silver}, {3, 1, Silver}}));
}

TEST(MaximalFlow, WithoutAFileNameItOnlyComputes) {
    NetWorkType net = Made(DirNetCode, 3, {{1, 2, 3}, {2, 3, 2}});
    FindEdge(net, 1, 2)->flow = 1;
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    plax::testing::RecordingMessages messages;
    MarkingBuffer marks;
    net.sourcePoint = 3;
    net.sinkPoint = 1;
    EXPECT_EQ(MaximalFlow(net, marks, "", {sink, messages}), -1.0);
    EXPECT_EQ(Flow(net, 1, 2), 1.0) << "an unreachable sink leaves the flows alone";
    net.sourcePoint = 1;
    net.sinkPoint = 3;
    EXPECT_EQ(MaximalFlow(net, marks, "", {sink, messages}), 2.0);
    EXPECT_EQ(Flow(net, 1, 2), 2.0);
    EXPECT_TRUE(sink.Lines().empty());
    // With a file name an unreachable sink is written with the value 0.
    EXPECT_EQ(Listing(RunFlow(net, 3, 1))[0], "    0");
}

// Independent checks over random nets.

using Table = std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1>;

// The least cut over every set of points that holds s and not t.
double MinCut(const NetWorkType& net, int s, int t) {
    double best = -1.0;
    for (unsigned set = 0; set < (1u << net.n); ++set) {
        const auto in = [&](int p) { return (set >> (p - 1)) & 1u; };
        if (!in(s) || in(t)) continue;
        double cut = 0.0;
        for (int i = 1; i <= net.n; ++i) {
            for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
                cut += in(i) && !in(e.target) ? e.weight : 0.0;
        }
        if (best < 0.0 || cut < best) best = cut;
    }
    return best;
}

// 2 to 12 points, 15 to 64 in a hundred pairs joined, capacities in quarters from 0 to 3, and a
// source and sink drawn at random (perhaps the same point).
NetWorkType FlowNet(std::mt19937& rng, int index, bool directed) {
    const int n = 2 + static_cast<int>(rng() % 11);
    const double density = static_cast<double>(15 + rng() % 50) / 100.0;
    NetWorkType net = testing::RandomNet(
        rng, directed, n, density, [](std::mt19937& r) { return static_cast<double>(r() % 13) / 4.0; },
        "r" + std::to_string(index));
    net.sourcePoint = static_cast<std::uint16_t>(1 + rng() % static_cast<unsigned>(n));
    net.sinkPoint = static_cast<std::uint16_t>(1 + rng() % static_cast<unsigned>(n));
    return net;
}

TEST(MaximalFlow, RandomNetsReachTheMinimumCutAndConserveFlow) {
    std::mt19937 rng(34u);
    for (int index = 0; index < 400; ++index) {
        NetWorkType net = FlowNet(rng, index, index % 2 == 0);
        const int s = net.sourcePoint;
        const int t = net.sinkPoint;
        if (s == t) continue;
        SCOPED_TRACE(net.name + " " + net.kindName + " from " + std::to_string(s) + " to " +
                     std::to_string(t));
        const double cut = MinCut(net, s, t);
        const FlowTable table = ComputeMaximalFlow(net);
        EXPECT_EQ(table.value, cut);
        const Outcome run = RunFlow(net, s, t);
        EXPECT_EQ(run.value, cut);
        EXPECT_EQ(run.lines[13], "    " + ResultNumber(cut));

        // Conserved at inner points, within capacities, one way on an undirected edge, stored.
        const bool undirected = IsUndirected(net);
        for (int v = 1; v <= net.n; ++v) {
            double balance = 0.0;
            for (int u = 1; u <= net.n; ++u) {
                const double carried = At(table.carried, v, u);
                balance += carried - At(table.carried, u, v);
                if (u == v || !EdgeExists(net, v, u)) {
                    EXPECT_EQ(carried, 0.0);
                    continue;
                }
                EXPECT_TRUE(carried >= 0.0 && carried <= GetEdgeReal(net, EdgeRealWeight, v, u));
                EXPECT_TRUE(!undirected || carried == 0.0 || At(table.carried, u, v) == 0.0);
                EXPECT_EQ(Flow(net, v, u), undirected ? carried + At(table.carried, u, v) : carried);
            }
            EXPECT_EQ(balance, v == s ? cut : v == t ? -cut : 0.0) << "at point " << v;
        }
        if (HasFatalFailure()) return;
    }
}

// The search that only ever adds to an undirected edge's one flow field, whichever way a path
// runs along it; `clean` tells whether no path went against the flow already there.
bool PlainUndirectedFlow(const NetWorkType& net, Table& field) {
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    Table along{};
    bool clean = true;
    const auto shared = [&](int a, int b) -> double& { return At(field, std::min(a, b), std::max(a, b)); };
    for (;;) {
        std::array<int, MaxPoints + 1> pred{};
        pred[static_cast<std::size_t>(s)] = s;
        std::deque<int> queue{s};
        while (!queue.empty() && pred[static_cast<std::size_t>(t)] == 0) {
            const int u = queue.front();
            queue.pop_front();
            for (int v = 1; v <= net.n; ++v) {
                if (pred[static_cast<std::size_t>(v)] != 0 || !EdgeExists(net, u, v) ||
                    GetEdgeReal(net, EdgeRealWeight, u, v) <= shared(u, v))
                    continue;
                pred[static_cast<std::size_t>(v)] = u;
                queue.push_back(v);
            }
        }
        if (pred[static_cast<std::size_t>(t)] == 0) return clean;
        double capacity = 1e300;
        for (int v = t; v != s; v = pred[static_cast<std::size_t>(v)])
            capacity =
                std::min(capacity, GetEdgeReal(net, EdgeRealWeight, At(pred, v), v) - shared(At(pred, v), v));
        for (int v = t; v != s; v = pred[static_cast<std::size_t>(v)]) {
            clean = clean && At(along, v, At(pred, v)) == 0.0;
            shared(At(pred, v), v) += capacity;
            At(along, At(pred, v), v) += capacity;
        }
    }
}

TEST(MaximalFlow, UndirectedNetsKeepThePlainSearchWhereItReachesTheMaximum) {
    // Where that search never runs against a flow and ends at the minimum cut, the flows (and
    // so the text) are its own; the value is the minimum cut everywhere.
    std::mt19937 rng(2u);
    int kept = 0;
    int mended = 0;
    for (int index = 0; index < 3000; ++index) {
        const NetWorkType net = FlowNet(rng, index, false);
        const int s = net.sourcePoint;
        if (s == net.sinkPoint) continue;
        SCOPED_TRACE(net.name + " from " + std::to_string(s) + " to " + std::to_string(net.sinkPoint));
        Table plain{};
        const bool clean = PlainUndirectedFlow(net, plain);
        double plainValue = 0.0;
        for (int v = 1; v <= net.n; ++v)
            plainValue += At(plain, std::min(s, v), std::max(s, v));
        const double cut = MinCut(net, s, net.sinkPoint);
        const FlowTable table = ComputeMaximalFlow(net);
        ASSERT_EQ(table.value, cut);
        mended += plainValue < cut ? 1 : 0;
        if (!clean || plainValue != cut) continue;
        ++kept;
        for (int a = 1; a <= net.n; ++a) {
            for (int b = a + 1; b <= net.n; ++b)
                EXPECT_EQ(At(table.carried, a, b) + At(table.carried, b, a), At(plain, a, b))
                    << a << "-" << b;
        }
    }
    EXPECT_GT(kept, 1000);
    EXPECT_GT(mended, 0);
}

} // namespace
} // namespace plax
