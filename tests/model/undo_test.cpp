#include "model/undo.h"

#include "model/net_store.h"

#include <gtest/gtest.h>

#include <memory>

namespace plax {
namespace {

NetWorkType TwoPointNet() {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, UndirNetCode);
    net.defaultOptions = DefaultPointOptions();
    net.n = 2;
    net.points[1].x = 10;
    net.points[1].y = 20;
    net.points[2].x = 100;
    net.points[2].y = 20;
    EdgeType e;
    e.weight = 1.0;
    e.lineWidth = 1;
    InsertEdge(net, 1, 2, e);
    return net;
}

TEST(Undo, NothingToUndoAnswersFalse) {
    NetWorkType net = TwoPointNet();
    EXPECT_FALSE(HasUndo(net));
    EXPECT_FALSE(Undo(net));
    EXPECT_EQ(net.n, 2);
}

TEST(Undo, PointsOnlySnapshotRestoresPointsAndLeavesEdges) {
    NetWorkType net = TwoPointNet();
    net.changed = 1;
    SaveUndoPoints(net);
    ASSERT_TRUE(HasUndo(net));
    EXPECT_EQ(net.undo->snapshotKind, SnapshotKind::PointsOnly);
    EXPECT_FALSE(EdgeExists(*net.undo, 1, 2)) << "a points-only snapshot owns no edges";

    net.points[1].x = 300;
    net.points[2].selected = 1;
    SetEdgeReal(net, EdgeRealWeight, 1, 2, 7.0);

    EXPECT_TRUE(Undo(net));
    EXPECT_EQ(net.points[1].x, 10);
    EXPECT_EQ(net.points[2].selected, 0);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 2, 1), 7.0) << "edges stay as they are now";
    EXPECT_EQ(net.changed, 1);
    EXPECT_FALSE(HasUndo(net));

    net.points[1].x = 55;
    EXPECT_FALSE(Undo(net)) << "one step only";
    EXPECT_EQ(net.points[1].x, 55);
}

TEST(Undo, FullSnapshotRestoresPointsEdgesAndSubNets) {
    NetWorkType net = TwoPointNet();
    auto sub = std::make_shared<NetWorkType>();
    NetInit(*sub);
    sub->name = "inside";
    SetSubNet(net, 1, 2, sub);
    SaveUndoPoints(net);
    SaveUndoFull(net);
    ASSERT_TRUE(HasUndo(net));
    EXPECT_EQ(net.undo->snapshotKind, SnapshotKind::Full);
    EXPECT_FALSE(net.undo->undo) << "the snapshot replaces the earlier one and holds none itself";

    // Add a point and an edge, as the add commands do, and change the sub-net in place.
    net.n = 3;
    net.points[3].x = 50;
    InsertEdge(net, 1, 3, EdgeType{});
    net.changed = 1;
    sub->name = "edited";

    EXPECT_TRUE(Undo(net));
    EXPECT_EQ(net.n, 2);
    EXPECT_FALSE(EdgeExists(net, 1, 3));
    EXPECT_TRUE(EdgeExists(net, 2, 1));
    ASSERT_NE(GetSubNet(net, 1, 2), nullptr);
    EXPECT_EQ(GetSubNet(net, 1, 2)->name, "inside");
    EXPECT_EQ(net.changed, 0) << "the whole record comes back, its changed flag too";
    EXPECT_FALSE(Undo(net));
    EXPECT_EQ(net.n, 2);
}

TEST(Undo, ClearCustomPointOptionsGivesBackTheDefaultBlock) {
    NetWorkType net = TwoPointNet();
    net.points[2].customOptions = 1;
    net.points[2].options.radius = 5;
    net.points[1].options.radius = 3; // a block without its flag is not in force and stays

    EXPECT_EQ(ClearCustomPointOptions(net), std::vector<int>{2});
    EXPECT_EQ(net.points[2].customOptions, 0);
    EXPECT_EQ(net.points[2].options, net.defaultOptions);
    EXPECT_EQ(net.points[1].options.radius, 3);

    ASSERT_TRUE(Undo(net));
    EXPECT_EQ(net.points[2].customOptions, 1);
    EXPECT_EQ(net.points[2].options.radius, 5);
}

} // namespace
} // namespace plax
