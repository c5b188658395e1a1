#include "accounts/max_capacity_path_account.h"

#include "accounts/results_sink.h"
#include "algorithms/marking_buffer.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::AddEdge;
constexpr auto Net = plax::testing::MakeNet;
using Lines = std::vector<std::string>;

struct Outcome {
    double capacity = 0.0;
    Lines lines;
};

Outcome RunCapacity(NetWorkType& net, int s, int t) {
    net.sourcePoint = static_cast<std::uint16_t>(s);
    net.sinkPoint = static_cast<std::uint16_t>(t);
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    plax::testing::RecordingMessages messages;
    MarkingBuffer marks;
    marks.SetEdges({{1, 2}});
    Outcome run{MaxCapacityPath(net, marks, "cap.net", {sink, messages}), sink.Lines()};
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_TRUE(marks.MarkedEdges(MaxPoints).empty()) << "the marks are cleared";
    return run;
}

std::string CapacityLine(NetWorkType net, const std::vector<std::array<double, 3>>& edges, int s, int t) {
    for (const auto& [a, b, w] : edges)
        AddEdge(net, static_cast<int>(a), static_cast<int>(b), w);
    const Outcome run = RunCapacity(net, s, t);
    return run.lines.size() == 17 ? run.lines[14] : "";
}

TEST(MaxCapacityPath, WidestWaysBottlenecksZeroAndFractions) {
    // 1-2-3 carries 3, more than the direct edge's 2.
    NetWorkType net = Net(DirNetCode, 3, "three");
    AddEdge(net, 1, 2, 5);
    AddEdge(net, 2, 3, 3);
    AddEdge(net, 1, 3, 2);
    const Outcome run = RunCapacity(net, 1, 3);
    EXPECT_EQ(run.capacity, 3.0);
    Lines expected =
        plax::testing::ResultsHeader("                Max. Capacity Path ", "three", "dirNet", 3, 3);
    for (const char* line :
         {"", "    Source = 1    Sink = 3", "", "    Max. Capacity = 3", "", "    Procedure complete. "})
        expected.emplace_back(line);
    EXPECT_EQ(run.lines, expected);

    EXPECT_EQ(CapacityLine(Net(UndirNetCode, 3, "back"), {{1, 2, 5}, {2, 3, 3}, {1, 3, 2}}, 3, 1),
              "    Max. Capacity = 3");
    EXPECT_EQ(CapacityLine(Net(DirNetCode, 4, "routes"), {{1, 2, 4}, {2, 4, 9}, {1, 3, 8}, {3, 4, 6}}, 1, 4),
              "    Max. Capacity = 6");
    EXPECT_EQ(CapacityLine(Net(DirNetCode, 2, "zero"), {{1, 2, 0}}, 1, 2), "    Max. Capacity = 0");
    EXPECT_EQ(CapacityLine(Net(DirNetCode, 3, "part"), {{1, 2, 2.75}, {2, 3, 10}}, 1, 3),
              "    Max. Capacity = 2.75");
    EXPECT_EQ(CapacityLine(Net(UndirNetCode, 3, "heavy"), {{1, 2, MaxWeight}, {2, 3, MaxWeight}}, 3, 1),
              "    Max. Capacity = 1" + std::string(38, '0'));
}

// The widest path found another way: the largest weight w such that the sink is reached from
// the source along edges of weight at least w.
double WidestByThreshold(const NetWorkType& net, int s, int t) {
    std::set<double> weights;
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            weights.insert(e.weight);
    }
    for (auto w = weights.rbegin(); w != weights.rend(); ++w) {
        std::vector<bool> seen(static_cast<std::size_t>(net.n) + 1, false);
        seen[static_cast<std::size_t>(s)] = true;
        std::deque<int> queue{s};
        while (!queue.empty()) {
            const int u = queue.front();
            queue.pop_front();
            for (const EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
                if (e.weight < *w || seen[e.target]) continue;
                seen[e.target] = true;
                queue.push_back(e.target);
            }
        }
        if (seen[static_cast<std::size_t>(t)]) return *w;
    }
    return -1.0;
}

TEST(MaxCapacityPath, RandomNetsAgreeWithAThresholdSearch) {
    std::mt19937 rng(1789u);
    int checked = 0;
    for (int index = 0; index < 300; ++index) {
        const int n = 2 + static_cast<int>(rng() % 14);
        const bool directed = rng() % 2 == 0;
        NetWorkType net = Net(directed ? DirNetCode : UndirNetCode, n, "r" + std::to_string(index));
        const unsigned density = static_cast<unsigned>(10 + rng() % 50);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                if (i != j && (directed || i < j) && rng() % 100 < density)
                    AddEdge(net, i, j, static_cast<double>(rng() % 1000) / 7.0);
            }
        }
        const int s = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        const int t = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        const double widest = WidestByThreshold(net, s, t);
        if (s == t || widest < 0.0) continue;
        SCOPED_TRACE(net.name + " from " + std::to_string(s) + " to " + std::to_string(t));
        const Outcome run = RunCapacity(net, s, t);
        EXPECT_EQ(run.capacity, widest);
        EXPECT_EQ(run.lines[14], "    Max. Capacity = " + ResultNumber(widest));
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

} // namespace
} // namespace plax
