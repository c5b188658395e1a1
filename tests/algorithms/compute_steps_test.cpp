// The compute steps on their own: results as structs, no text, and a run that is stopped.
#include "algorithms/automorphisms.h"
#include "algorithms/cut_points.h"
#include "algorithms/density.h"
#include "algorithms/euler.h"
#include "algorithms/k_shortest_paths.h"
#include "algorithms/long_run.h"
#include "algorithms/max_capacity_path.h"
#include "algorithms/metrics.h"
#include "algorithms/point_set.h"
#include "algorithms/shortest_paths.h"
#include "algorithms/spanning_tree.h"
#include "algorithms/tour_search.h"

#include "net_builders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plax::testing {
namespace {

using Points = std::vector<int>;

struct Edge {
    int from;
    int to;
    double weight;
};

NetWorkType Build(std::uint16_t kind, int n, const std::vector<Edge>& edges) {
    NetWorkType net = MakeNet(kind, n, "net");
    for (const Edge& e : edges)
        AddEdge(net, e.from, e.to, e.weight);
    net.sourcePoint = 1;
    net.sinkPoint = static_cast<std::uint8_t>(n);
    return net;
}

// The square 1-2-3-4-1 (weights 1, 2, 1, 3) with the diagonal 1-3 of weight 5.
NetWorkType Square() {
    return Build(UndirNetCode, 4, {{1, 2, 1}, {2, 3, 2}, {3, 4, 1}, {4, 1, 3}, {1, 3, 5}});
}

NetWorkType Path4() { return Build(UndirNetCode, 4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}}); }

NetWorkType Complete(int n, std::uint16_t kind = UndirNetCode) {
    std::vector<Edge> edges;
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j)
            edges.push_back({i, j, 1});
    }
    return Build(kind, n, edges);
}

NetWorkType Cycle(int n) {
    std::vector<Edge> edges;
    for (int i = 1; i <= n; ++i)
        edges.push_back({i, i % n + 1, 1});
    return Build(UndirNetCode, n, edges);
}

void Ignore(const AutomorphismFind&) {}

Points Members(PointSet s) { return PointsOf(s); }

TEST(ComputeSteps, PathsTreesAndCapacities) {
    const SpanningTreeResult tree = ComputeMinSpanningTree(Square());
    EXPECT_EQ(tree.edges, (std::vector<SpanningTreeEdge>{{1, 2, 1}, {2, 3, 2}, {3, 4, 1}}));
    EXPECT_EQ(tree.weight, 4.0);

    NetWorkType square = Square();
    UnstoppedRun control;
    const ShortestPathsResult pair = ComputeShortestPaths(square, ShortestPathMode::SinglePair, control);
    EXPECT_TRUE(pair.reached);
    EXPECT_EQ(pair.distance[4], 3.0);
    EXPECT_EQ(pair.path, (Points{1, 4}));
    const ShortestPathsResult all = ComputeShortestPaths(square, ShortestPathMode::AllFromSource, control);
    EXPECT_EQ((Points{all.predecessor[2], all.predecessor[3], all.predecessor[4]}), (Points{1, 2, 1}));
    EXPECT_EQ((std::vector<double>{all.distance[2], all.distance[3], all.distance[4]}),
              (std::vector<double>{1, 3, 3}));

    NetWorkType apart = Build(DirNetCode, 3, {{1, 2, 1}});
    EXPECT_FALSE(ComputeShortestPaths(apart, ShortestPathMode::SinglePair, control).reached);

    square.sinkPoint = 2;
    EXPECT_EQ(ComputeMaxCapacity(square).capacity, 2.0) << "1-3-2 carries 2 where the edge 1-2 carries 1";

    // Walks 1-2-3 (2) and 1-3 (3): only two distinct lengths for k = 3.
    const KShortestResult k =
        ComputeKShortestPaths(Build(DirNetCode, 3, {{1, 2, 1}, {2, 3, 1}, {1, 3, 3}}), 3, 100);
    EXPECT_TRUE(k.converged);
    EXPECT_EQ(k.lengths, (std::vector<double>{2, 3}));
    EXPECT_EQ(k.walks, (std::vector<Points>{{1, 2, 3}, {1, 3}}));
}

TEST(ComputeSteps, StructureOfThePath) {
    const MetricsResult m = ComputeMetrics(Path4());
    EXPECT_TRUE(m.measured);
    EXPECT_EQ(m.eccentricities.radius, 2);
    EXPECT_EQ(m.eccentricities.diameter, 3);
    EXPECT_EQ((Points{m.degrees.in[1], m.degrees.in[2], m.degrees.in[3], m.degrees.in[4]}),
              (Points{1, 2, 2, 1}));

    const CutSearchResult cuts = ComputeCutPointsOrBridges(Path4(), CutSearchMode::CutPoints);
    EXPECT_EQ(cuts.findings, 2);
    EXPECT_EQ(cuts.cutPoints, (Points{2, 3}));
    const CutSearchResult bridges = ComputeCutPointsOrBridges(Path4(), CutSearchMode::Bridges);
    EXPECT_EQ(bridges.bridges, (std::vector<EdgeMark>{{1, 2}, {2, 3}, {3, 4}}));

    const EulerResult path = ComputeEuler(Path4(), EulerMode::Path);
    EXPECT_TRUE(path.exists);
    EXPECT_EQ(path.start, 4) << "the highest-numbered odd point";
    EXPECT_EQ(path.sequence, (Points{4, 3, 2, 1}));
    const EulerResult cycle = ComputeEuler(Path4(), EulerMode::Cycle);
    EXPECT_FALSE(cycle.exists);
    EXPECT_TRUE(cycle.violating[1] && cycle.violating[4] && !cycle.violating[2] && !cycle.violating[3]);
    EXPECT_FALSE(ComputeEuler(Build(UndirNetCode, 4, {{1, 2, 1}, {3, 4, 1}}), EulerMode::Path).connected);
}

TEST(ComputeSteps, CliquesCoversAndColourings) {
    // A triangle 1-2-3 with 4 hanging from 3: every largest independent set holds 4.
    const NetWorkType net = Build(UndirNetCode, 4, {{1, 2, 1}, {2, 3, 1}, {1, 3, 1}, {3, 4, 1}});
    UnstoppedRun control;
    EXPECT_EQ(Members(ComputeDensity(net, DensityMode::Density, control).set), (Points{1, 2, 3}));
    const Points independent = Members(ComputeDensity(net, DensityMode::Undensity, control).set);
    ASSERT_EQ(independent.size(), 2u);
    EXPECT_EQ(independent[1], 4);
    const Points cover = Members(ComputeDensity(net, DensityMode::PointCover, control).set);
    ASSERT_EQ(cover.size(), 2u);
    EXPECT_EQ(cover[1], 3);

    const DensityResult colored = ComputeDensity(net, DensityMode::Coloring, control);
    EXPECT_EQ(colored.chromatic, 3);
    EXPECT_EQ((Points{colored.color[1], colored.color[2], colored.color[3], colored.color[4]}),
              (Points{1, 2, 3, 2}));
    const QuickColorResult greedy = ComputeQuickColor(net, 1);
    EXPECT_EQ(greedy.colors, 3);
    EXPECT_EQ((Points{greedy.color[1], greedy.color[2], greedy.color[3], greedy.color[4]}),
              (Points{1, 2, 3, 1}));
}

TEST(ComputeSteps, ListingsStreamEveryFind) {
    UnstoppedRun control;
    std::vector<Points> cycles;
    const auto keep = [&](const TourFind& f) { cycles.emplace_back(f.points.begin(), f.points.end()); };
    const TourSearchResult k4 = SearchTours(Complete(4), TourKind::HamiltonianCycle, control, keep);
    EXPECT_EQ(k4.finds, 6u) << "three cycles, each both ways round";
    EXPECT_EQ(cycles.size(), 6u);
    EXPECT_EQ(cycles.front(), (Points{1, 4, 3, 2, 1})) << "the lists run from the last edge added";
    EXPECT_EQ(k4.last, cycles.back());
    EXPECT_FALSE(k4.stopped);

    // The diagonals weigh 5: every lighter cycle is handed over, the square of weight 4 last.
    std::vector<double> weights;
    const NetWorkType square =
        Build(UndirNetCode, 4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}, {1, 3, 5}, {2, 4, 5}});
    const TourSearchResult salesman = SearchTours(square, TourKind::Salesman, control,
                                                  [&](const TourFind& f) { weights.push_back(f.weight); });
    EXPECT_EQ(salesman.lastWeight, 4.0);
    EXPECT_EQ(weights.back(), 4.0);
    EXPECT_TRUE(std::is_sorted(weights.rbegin(), weights.rend()));

    std::vector<Points> images;
    const auto image = [&](const AutomorphismFind& f) {
        images.emplace_back(f.image.begin(), f.image.end());
    };
    const AutomorphismsResult path = SearchAutomorphisms(Build(UndirNetCode, 3, {{1, 2, 1}, {2, 3, 1}}),
                                                         AutomorphismOrder::Sorted, control, image);
    EXPECT_EQ(path.count, 2u);
    EXPECT_EQ(images, (std::vector<Points>{{3, 2, 1}}));
    const AutomorphismsResult cycle =
        SearchAutomorphisms(Cycle(4), AutomorphismOrder::Sorted, control, Ignore);
    EXPECT_EQ(cycle.count, 8u) << "the square's four turns and four mirrors";
}

// The searches poll at the places of the long run: a press of Stop ends them with what they had.
TEST(ComputeSteps, StopEndsASearchWithWhatItFound) {
    const int AllCycles = 720; // 6! orders of the points after the source in the complete net of 7
    StopAtPoll tours(2);
    std::uint64_t heard = 0;
    Points last;
    const TourSearchResult t =
        SearchTours(Complete(7), TourKind::HamiltonianCycle, tours, [&](const TourFind& f) {
            ++heard;
            last.assign(f.points.begin(), f.points.end());
        });
    EXPECT_TRUE(t.stopped);
    EXPECT_EQ(tours.Polls(), 2);
    EXPECT_GT(t.finds, 0u);
    EXPECT_LT(t.finds, static_cast<std::uint64_t>(AllCycles));
    EXPECT_EQ(heard, t.finds);
    EXPECT_EQ(t.last, last);

    StopAtPoll automorphisms(2);
    const AutomorphismsResult a =
        SearchAutomorphisms(Complete(5), AutomorphismOrder::Sorted, automorphisms, Ignore);
    EXPECT_FALSE(a.complete);
    EXPECT_GT(a.count, 1u);
    EXPECT_LT(a.count, 120u) << "all 5! orders are automorphisms of the complete net";

    StopAtPoll coloring(1);
    EXPECT_TRUE(ComputeDensity(Cycle(7), DensityMode::Coloring, coloring).stopped);

    NetWorkType net = Complete(3);
    UnstoppedRun quiet;
    {
        const LongRun run(quiet, net);
        EXPECT_EQ(net.interaction.busy, 1);
        EXPECT_EQ(quiet.Flags().busy, 1);
        EXPECT_FALSE(quiet.Poll());
    }
    EXPECT_EQ(net.interaction.busy, 0);
    EXPECT_EQ(quiet.Flags().busy, 0);
}

} // namespace
} // namespace plax::testing
