#include "algorithms/graph_utils.h"

#include "model/net_store.h"

#include <gtest/gtest.h>

namespace plax {
namespace {

NetWorkType Net(std::uint16_t kind, int n, std::initializer_list<std::pair<int, int>> edges) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    net.n = static_cast<std::uint8_t>(n);
    for (auto [a, b] : edges) {
        EdgeType e;
        e.weight = 1.0;
        InsertEdge(net, a, b, e);
    }
    return net;
}

TEST(GraphUtils, ComponentsIgnoreDirectionsAndNumberByLowestPoint) {
    EXPECT_EQ(CountComponents(Net(UndirNetCode, 0, {})).count, 0);
    // 1 <- 3, 2 alone, 4 -> 5 -> 1: points 1, 3, 4, 5 form one weak component.
    const Components c = CountComponents(Net(DirNetCode, 6, {{3, 1}, {4, 5}, {5, 1}}));
    EXPECT_EQ(c.count, 3);
    EXPECT_EQ(c.number, (PointNumbers{0, 1, 2, 1, 1, 1, 3}));
    // From 1 the search takes 3 and 5 (increasing number order), then 4 from 5.
    EXPECT_EQ(c.parent[3], 1);
    EXPECT_EQ(c.parent[5], 1);
    EXPECT_EQ(c.parent[4], 5);
    EXPECT_EQ(c.parent[1], 0);
}

TEST(GraphUtils, EccentricitiesOfAPathAndADirectedChain) {
    const NetWorkType path = Net(UndirNetCode, 3, {{1, 2}, {2, 3}});
    const Eccentricities t = ComputeEccentricities(path);
    EXPECT_EQ(t.of, (PointNumbers{0, 2, 1, 2}));
    EXPECT_EQ(t.radius, 1);
    EXPECT_EQ(t.diameter, 2);
    EXPECT_EQ(t.maxPoint, 1) << "the first point with the largest";
    EXPECT_EQ(t.minPoint, 2);
    EXPECT_EQ(PointEccentricity(path, 0), 0);
    EXPECT_EQ(PointEccentricity(path, 4), 0);

    // Along the directions only: 3 reaches nothing.
    const NetWorkType chain = Net(DirNetCode, 3, {{1, 2}, {2, 3}});
    EXPECT_EQ(PointEccentricity(chain, 1), 2);
    EXPECT_EQ(PointEccentricity(chain, 3), 0);

    const Eccentricities single = ComputeEccentricities(Net(UndirNetCode, 1, {}));
    EXPECT_EQ(single.radius, 0);
    EXPECT_EQ(single.diameter, 0);
}

TEST(GraphUtils, HopDistancesTakeTheFewestStepsAlongTheDirections) {
    // 1 -> 2 -> 3 with the shortcut 1 -> 3, then 3 -> 4; nothing leads to 5.
    const NeighbourSets out = OutNeighbours(Net(DirNetCode, 5, {{1, 2}, {2, 3}, {1, 3}, {3, 4}}));
    constexpr std::uint8_t U = UnreachedHops;
    HopCounts expected;
    expected.fill(U);
    for (const auto& [p, hops] : {std::pair{1, 0}, {2, 1}, {3, 1}, {4, 2}})
        expected[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(hops);
    EXPECT_EQ(HopDistances(out, 5, 1), expected);
    HopCounts none;
    none.fill(U);
    EXPECT_EQ(HopDistances(out, 5, 6), none) << "a point outside the net reaches nothing";
    EXPECT_EQ(HopDistances(out, 5, 0), none);
}

TEST(GraphUtils, DegreesCountNeighbours) {
    const Degrees u = ComputeDegrees(Net(UndirNetCode, 4, {{1, 2}, {1, 3}, {1, 4}, {3, 4}}));
    EXPECT_EQ(u.in, (PointNumbers{0, 3, 1, 2, 2}));
    EXPECT_EQ(u.out, u.in);
    const Degrees d = ComputeDegrees(Net(DirNetCode, 3, {{1, 2}, {2, 1}, {1, 3}}));
    EXPECT_EQ(d.out, (PointNumbers{0, 2, 1, 0}));
    EXPECT_EQ(d.in, (PointNumbers{0, 1, 1, 1}));
}

TEST(GraphUtils, PointStackIsLastInFirstOut) {
    PointStack s;
    EXPECT_TRUE(s.Empty());
    EXPECT_EQ(s.Top(), 0);
    s.Pop();
    s.Push(3);
    s.Push(12);
    EXPECT_EQ(s.Top(), 12);
    s.Pop();
    EXPECT_EQ(s.Top(), 3);
    s.Clear();
    EXPECT_TRUE(s.Empty());
}

} // namespace
} // namespace plax
