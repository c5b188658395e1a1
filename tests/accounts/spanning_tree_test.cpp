#include "accounts/spanning_tree_account.h"
#include "catalogue/refusals.h"

#include "accounts/results_sink.h"
#include "algorithms/marking_buffer.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace plax {
namespace {

using plax::testing::AddEdge;
constexpr auto Net = plax::testing::MakeNet;
using Lines = std::vector<std::string>;
using Edges = std::vector<EdgeMark>;

// The account without its header.
Lines RunTree(const NetWorkType& net, MarkingBuffer& marks) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    plax::testing::RecordingMessages messages;
    MinSpanningTree(net, marks, "tree.net", {sink, messages});
    EXPECT_TRUE(messages.calls.empty());
    const Lines header = plax::testing::ResultsHeader("                Min. Spanning Tree", net.name,
                                                      "undirNet", net.n, EdgeCount(net));
    EXPECT_TRUE(std::equal(header.begin(), header.end(), sink.Lines().begin()));
    return Lines(sink.Lines().begin() + 11, sink.Lines().end());
}

TEST(MinSpanningTree, TiesWrapsAndHeavyEdges) {
    // After point 1 both 2 and 3 have key 1: the higher point, 3, is taken first.
    NetWorkType tri = Net(UndirNetCode, 3, "tri");
    AddEdge(tri, 1, 2, 1);
    AddEdge(tri, 2, 3, 1);
    AddEdge(tri, 1, 3, 1);
    MarkingBuffer marks;
    marks.SetEdges({{2, 3}, {3, 1}, {1, 2}});
    EXPECT_EQ(RunTree(tri, marks), (Lines{"    Min. Spanning Tree Weight = 2",
                                          "     Edges of Min. Spanning Tree:", "      (  1,  3),  (  1,  2).",
                                          "    Procedure complete. "}));
    EXPECT_EQ(marks.MarkedEdges(3), (Edges{{1, 3}, {1, 2}}));
    EXPECT_EQ(marks.edges[3], (EdgeMark{0, 0}));

    // From 1: 2 (2.5), 3 (1.25), 4 (1), 5 (0.5); 7 (2 through 2) before 6 (3 through 5), after
    // which 6 is cheaper through 7 (2). Six edges: five on a line, then one.
    NetWorkType seven = Net(UndirNetCode, 7, "seven");
    for (const auto& [a, b, w] : std::vector<std::tuple<int, int, double>>{{1, 2, 2.5},
                                                                           {2, 3, 1.25},
                                                                           {1, 3, 4},
                                                                           {3, 4, 1},
                                                                           {4, 5, 0.5},
                                                                           {5, 6, 3},
                                                                           {6, 7, 2},
                                                                           {2, 7, 2},
                                                                           {1, 7, 9}})
        AddEdge(seven, a, b, w);
    EXPECT_EQ(RunTree(seven, marks),
              (Lines{"    Min. Spanning Tree Weight = 9.25", "     Edges of Min. Spanning Tree:",
                     "      (  1,  2),  (  2,  3),  (  3,  4),  (  4,  5),  (  2,  7),", "      (  7,  6).",
                     "    Procedure complete. "}));
    EXPECT_EQ(marks.MarkedEdges(7), (Edges{{1, 2}, {2, 3}, {3, 4}, {4, 5}, {2, 7}, {7, 6}}));

    // Edges of 1.0E38 become keys from point 1 (1-2) and when a point joins (3-4).
    NetWorkType heavy = Net(UndirNetCode, 4, "heavy");
    AddEdge(heavy, 1, 2, MaxWeight);
    AddEdge(heavy, 1, 3, 1);
    AddEdge(heavy, 3, 4, MaxWeight);
    EXPECT_EQ(RunTree(heavy, marks)[0], "    Min. Spanning Tree Weight = 2" + std::string(38, '0'));
    EXPECT_EQ(marks.MarkedEdges(4), (Edges{{1, 3}, {3, 4}, {1, 2}}));
}

TEST(MinSpanningTree, RefusalTexts) {
    const std::string trivial = "There isnt Minimal Tree! Trivial NetWork.";
    EXPECT_EQ(SpanningTreeRefusal(Net(UndirNetCode, 1, "one")), trivial);
    EXPECT_EQ(SpanningTreeRefusal(Net(UndirNetCode, 3, "bare")), trivial);
    NetWorkType split = Net(UndirNetCode, 4, "split");
    AddEdge(split, 1, 2, 1);
    AddEdge(split, 3, 4, 1);
    EXPECT_EQ(SpanningTreeRefusal(split), "NetWork not connected.\r\n    Procedure terminated! ");
    AddEdge(split, 2, 3, 1);
    EXPECT_EQ(SpanningTreeRefusal(split), std::nullopt);
}

// Kruskal with a union-find of the test's own.
double KruskalWeight(const NetWorkType& net) {
    std::vector<std::tuple<double, int, int>> edges;
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            edges.emplace_back(e.weight, i, e.target);
    }
    std::sort(edges.begin(), edges.end());
    std::vector<int> root(static_cast<std::size_t>(net.n) + 1);
    std::iota(root.begin(), root.end(), 0);
    const auto find = [&](int x) {
        while (root[static_cast<std::size_t>(x)] != x)
            x = root[static_cast<std::size_t>(x)];
        return x;
    };
    double total = 0.0;
    for (const auto& [w, a, b] : edges) {
        if (find(a) == find(b)) continue;
        root[static_cast<std::size_t>(find(a))] = find(b);
        total += w;
    }
    return total;
}

TEST(MinSpanningTree, RandomNetsWeighAsMuchAsKruskalsTree) {
    std::mt19937 rng(5u);
    for (int index = 0; index < 300; ++index) {
        // A random tree first, then more edges; weights in eighths, so sums are exact.
        const int n = 2 + static_cast<int>(rng() % 14);
        NetWorkType net = Net(UndirNetCode, n, "r" + std::to_string(index));
        const auto weight = [&] { return static_cast<double>(rng() % 97) / 8.0; };
        for (int v = 2; v <= n; ++v)
            AddEdge(net, 1 + static_cast<int>(rng() % static_cast<unsigned>(v - 1)), v, weight());
        for (unsigned k = static_cast<unsigned>(rng() % 40); k > 0; --k) {
            const int a = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
            const int b = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
            if (a != b && !EdgeExists(net, a, b)) AddEdge(net, a, b, weight());
        }
        SCOPED_TRACE(net.name);
        ASSERT_EQ(SpanningTreeRefusal(net), std::nullopt);
        MarkingBuffer marks;
        const Lines body = RunTree(net, marks);
        const double best = KruskalWeight(net);
        ASSERT_EQ(body.size(), 3u + static_cast<std::size_t>(n + 3) / 5);
        EXPECT_EQ(body[0], "    Min. Spanning Tree Weight = " + ResultNumber(best));

        // n-1 edges of the net, each growing the tree from point 1, as heavy as Kruskal's.
        const Edges tree = marks.MarkedEdges(n);
        ASSERT_EQ(tree.size(), static_cast<std::size_t>(n - 1));
        std::vector<bool> joined(static_cast<std::size_t>(n) + 1, false);
        joined[1] = true;
        double total = 0.0;
        for (const EdgeMark& e : tree) {
            ASSERT_TRUE(EdgeExists(net, e.from, e.to));
            EXPECT_TRUE(joined[e.from] && !joined[e.to]);
            joined[e.to] = true;
            total += GetEdgeReal(net, EdgeRealWeight, e.from, e.to);
        }
        EXPECT_EQ(total, best);
        if (HasFatalFailure()) return;
    }
}

} // namespace
} // namespace plax
