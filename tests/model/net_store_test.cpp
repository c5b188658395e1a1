#include "model/net_store.h"

#include <gtest/gtest.h>

namespace plax {
namespace {

NetWorkType Net(std::uint16_t kind, int n) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    net.n = static_cast<std::uint8_t>(n);
    net.defaultOptions = DefaultPointOptions();
    return net;
}

EdgeType Edge(double weight, const std::string& name = "e") {
    EdgeType e;
    e.weight = weight;
    e.name = name;
    e.lineWidth = 1;
    return e;
}

TEST(NetStore, PairsAreRejectedOutsideTheNetAndForLoops) {
    NetWorkType net = Net(DirNetCode, 3);
    EXPECT_FALSE(InsertEdge(net, 3, 3, Edge(1)));
    EXPECT_FALSE(InsertEdge(net, 0, 1, Edge(1)));
    EXPECT_FALSE(InsertEdge(net, 1, 4, Edge(1)));
    EXPECT_TRUE(InsertEdge(net, 1, 2, Edge(1)));
    EXPECT_FALSE(InsertEdge(net, 1, 2, Edge(5))) << "a second edge leaves the first unchanged";
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 1, 2), 1.0);

    // An entry with target 3 in list 3 cannot be made by any operation; the look-up ignores it.
    net.lists[3].push_back(Edge(1));
    net.lists[3].back().target = 3;
    EXPECT_FALSE(EdgeExists(net, 3, 3));
    EXPECT_FALSE(EdgeExists(net, 2, 1));
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 0, 2), 0.0);
    EXPECT_EQ(GetEdgeName(net, 2, 1), "");
    EXPECT_EQ(GetEdgeAttributes(net, 2, 3), EdgeAttributes{});
    EXPECT_EQ(GetSubNet(net, 1, 3), nullptr);
}

TEST(NetStore, NewEdgesGoToTheHeadAndUndirectedEdgesAreStoredTwice) {
    NetWorkType net = Net(UndirNetCode, 4);
    InsertEdge(net, 1, 2, Edge(1));
    InsertEdge(net, 1, 3, Edge(2));
    InsertEdge(net, 4, 1, Edge(3));
    EXPECT_EQ(Neighbour(net, 1, 1), 4);
    EXPECT_EQ(Neighbour(net, 1, 2), 3);
    EXPECT_EQ(Neighbour(net, 1, 3), 2);
    EXPECT_EQ(Neighbour(net, 1, 4), 0);
    EXPECT_EQ(Neighbour(net, 4, 1), 1);
    EXPECT_EQ(OutDegree(net, 1), 3);
    EXPECT_EQ(EdgeCount(net), 3);
    EXPECT_TRUE(EdgeExists(net, 2, 1));

    // Lists of lengths 1, 2 and 1 on an undirected net hold two edges.
    NetWorkType path = Net(UndirNetCode, 3);
    InsertEdge(path, 1, 2, Edge(1));
    InsertEdge(path, 2, 3, Edge(1));
    EXPECT_EQ(EdgeCount(path), 2);
    path.kindName = "dirNet";
    EXPECT_EQ(EdgeCount(path), 4);
}

TEST(NetStore, SettersKeepBothEntriesEqualAndGettersOrderThePair) {
    NetWorkType net = Net(UndirNetCode, 5);
    InsertEdge(net, 2, 5, Edge(1, "road"));
    SetEdgeReal(net, EdgeRealWeight, 5, 2, 7.0);
    EXPECT_EQ(FindEdge(net, 2, 5)->weight, 7.0);
    EXPECT_EQ(FindEdge(net, 5, 2)->weight, 7.0);
    SetEdgeReal(net, EdgeRealFlow, 2, 5, 3.5);
    EXPECT_EQ(FindEdge(net, 5, 2)->flow, 3.5);

    // Getters read the (2, 5) entry whatever order they are asked in.
    FindEdge(net, 5, 2)->weight = 99.0;
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 5, 2), 7.0);
    EXPECT_EQ(GetEdgeReal(net, 9, 2, 5), 0.0);

    SetEdgeField(net, EdgeFieldColor, 5, 2, 0x0000FF);
    SetEdgeField(net, EdgeFieldReserved, 2, 5, 9);
    SetEdgeField(net, EdgeFieldShape, 2, 5, 3);
    SetEdgeField(net, EdgeFieldLineStyle, 2, 5, 2);
    SetEdgeField(net, 8, 2, 5, 1234);
    for (auto [a, b] : {std::pair{2, 5}, std::pair{5, 2}}) {
        const EdgeType& e = *FindEdge(net, a, b);
        EXPECT_EQ(e.color, 0x0000FFu);
        EXPECT_EQ(e.reserved, 9u);
        EXPECT_EQ(e.shape, 3u);
        EXPECT_EQ(e.lineStyle, 2u);
    }
    EXPECT_EQ(GetEdgeField(net, EdgeFieldShape, 5, 2), 3);
    EXPECT_EQ(GetEdgeField(net, 8, 2, 5), 0);
    EXPECT_EQ(GetEdgeField(net, EdgeFieldColor, 1, 2), 0);

    EdgeAttributes block{2.5, 0x00FF00, 4, std::string(30, 'x'), 4, 0, 3};
    SetEdgeAttributes(net, 5, 2, block);
    block.name = std::string(20, 'x');
    EXPECT_EQ(GetEdgeAttributes(net, 5, 2), block);
    EXPECT_EQ(GetEdgeAttributes(net, 2, 5), block);
    EXPECT_EQ(FindEdge(net, 5, 2)->lineWidth, 3);

    // Setters on a missing edge do nothing.
    SetEdgeReal(net, EdgeRealWeight, 1, 2, 4.0);
    EXPECT_FALSE(EdgeExists(net, 1, 2));
}

TEST(NetStore, DirectedSettersTouchOneEntryOnly) {
    NetWorkType net = Net(DirNetCode, 2);
    InsertEdge(net, 1, 2, Edge(1));
    InsertEdge(net, 2, 1, Edge(2));
    SetEdgeReal(net, EdgeRealWeight, 2, 1, 8.0);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 1, 2), 1.0);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 2, 1), 8.0);
}

TEST(NetStore, UndirectedSubNetIsSharedAndCopiesStaySharedButIndependent) {
    NetWorkType net = Net(UndirNetCode, 3);
    InsertEdge(net, 1, 3, Edge(1));
    auto sub = std::make_shared<NetWorkType>(Net(UndirNetCode, 2));
    InsertEdge(*sub, 1, 2, Edge(4));
    SetSubNet(net, 3, 1, sub);
    EXPECT_EQ(GetSubNet(net, 1, 3), sub);
    EXPECT_EQ(GetSubNet(net, 3, 1), sub);

    NetWorkType copy;
    CopyNet(net, copy);
    const auto copied = GetSubNet(copy, 1, 3);
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, sub);
    EXPECT_EQ(GetSubNet(copy, 3, 1), copied) << "both entries of the copy share one sub-net copy";
    SetEdgeReal(*copied, EdgeRealWeight, 1, 2, 9.0);
    EXPECT_EQ(GetEdgeReal(*sub, EdgeRealWeight, 1, 2), 4.0);
    SetEdgeReal(copy, EdgeRealWeight, 1, 3, 6.0);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 1, 3), 1.0);

    CopyEdges(net, copy);
    EXPECT_NE(GetSubNet(copy, 1, 3), sub);
    FreeNet(net);
    EXPECT_EQ(OutDegree(net, 1), 0);
    EXPECT_EQ(EdgeCount(copy), 1);
}

TEST(NetStore, InitAndClearResetTheLists) {
    NetWorkType net = Net(DirNetCode, 3);
    net.points[2].name = "kept";
    InsertEdge(net, 1, 2, Edge(1));
    NetInit(net);
    EXPECT_EQ(net.n, 0);
    EXPECT_EQ(net.kindName, "undirNet");
    EXPECT_EQ(net.kindCode, DirNetCode) << "the code is not touched";
    EXPECT_EQ(net.points[2].name, "kept");
    EXPECT_EQ(OutDegree(net, 1), 0);
    EXPECT_EQ(KindCodeOf(net), UndirNetCode);
    net.kindName = "Lattice";
    EXPECT_EQ(KindCodeOf(net), 4);
    net.kindName = "whatever";
    EXPECT_FALSE(IsUndirected(net));
    EXPECT_EQ(KindCodeOf(net), DirNetCode);
}

TEST(NetStore, PointAtIsASquareWithTheLowestNumberWinning) {
    NetWorkType net = Net(UndirNetCode, 3);
    net.points[1].x = 100;
    net.points[1].y = 100;
    net.points[2].x = 105;
    net.points[2].y = 100;
    net.points[3].x = 300;
    net.points[3].y = 300;
    net.points[3].customOptions = 1;
    net.points[3].options.radius = 1;
    EXPECT_EQ(PointAt(net, 103, 100), 1);
    EXPECT_EQ(PointAt(net, 109, 109), 1) << "a corner of the square, outside the circle";
    EXPECT_EQ(PointAt(net, 110, 100), 2);
    EXPECT_EQ(PointAt(net, 115, 100), 0) << "the inequality is strict";
    // Radius 1 is raised to 2: hit within one pixel, not two.
    EXPECT_EQ(PointAt(net, 301, 299), 3);
    EXPECT_EQ(PointAt(net, 302, 300), 0);
    net.n = 0;
    EXPECT_EQ(PointAt(net, 100, 100), 0);
}

TEST(NetStore, FillPointNeedsABorderAndNoNumber) {
    PointOptionType o = DefaultPointOptions();
    o.fillPoint = 1;
    ApplyFillPointRule(o);
    EXPECT_EQ(o.fillPoint, 0);
    o.fillPoint = 1;
    o.showNumber = 0;
    ApplyFillPointRule(o);
    EXPECT_EQ(o.fillPoint, 1);
    o.showBorder = 0;
    ApplyFillPointRule(o);
    EXPECT_EQ(o.fillPoint, 0);
}

TEST(NetStore, StartUpOptions) {
    const OptionType o;
    EXPECT_EQ(o.selectConfirmation, 1);
    EXPECT_EQ(o.editConfirmation, 0);
    EXPECT_EQ(o.loadMode, 1);
    EXPECT_EQ(o.newLineWidth, 1);
    EXPECT_EQ(o.newPointName, "No Name");
    EXPECT_EQ(o.options.radius, 10);
    EXPECT_EQ(o.options.fontSize, 8);
    EXPECT_EQ(o.options.showBorder, 1);
    EXPECT_EQ(o.options.showNumber, 1);
    EXPECT_EQ(o.newNetOptions, o.options);
    EXPECT_EQ(o.popUp, (std::array<std::uint8_t, 8>{1, 0, 0, 0, 1, 1, 1, 0}));
    EXPECT_EQ(o.newDocumentView, ViewFlags{});
}

} // namespace
} // namespace plax
