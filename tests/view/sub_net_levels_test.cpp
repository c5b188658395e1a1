#include "recording_messages.h"
#include "scratch_dir.h"
#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/edit_commands.h"
#include "view/net_canvas_widget.h"
#include "view/net_document.h"
#include "view/sub_net_levels.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "model/undo.h"
#include "procedures/shortest_paths.h"
#include "render/net_geometry.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace plax {
namespace {

NetWorkType LoadExample(const std::string& name) {
    NetWorkType net;
    testing::RecordingMessages quiet;
    OptionType options;
    EXPECT_TRUE(LoadNetFile(net, PLAX_EXAMPLES_DIR "/" + name, options, quiet));
    return net;
}

const PointType& PointOf(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

TEST(SubNetLevelsTest, DecomposingAnEdgeAsksOnceAndMakesTheTwoPointSubNet) {
    NetLevels levels;
    NetWorkType net = LoadExample("road.net");
    levels.Reset(net);
    testing::RecordingMessages no(false);
    EXPECT_FALSE(EnterLevel(levels, net, 2, 5, no));
    EXPECT_EQ(no.calls, (std::vector<testing::RecordingMessages::Call>{
                            {"confirm", "Do you wish to Decompose this edge?"}}));
    EXPECT_FALSE(GetSubNet(net, 2, 5));
    EXPECT_EQ(net.changed, 0);

    net.view.pointNames = 1;
    net.sourcePoint = 2;
    testing::RecordingMessages yes(true);
    ASSERT_TRUE(EnterLevel(levels, net, 2, 5, yes));
    EXPECT_EQ(net.name, "road\t -> Edge(2,5)");
    EXPECT_EQ(net.n, 2);
    EXPECT_EQ(EdgeCount(net), 0);
    EXPECT_EQ(PointOf(net, 1).name, "Mill");
    EXPECT_EQ(PointOf(net, 1).x, 170);
    EXPECT_EQ(PointOf(net, 1).y, 70);
    EXPECT_EQ(PointOf(net, 2).name, "Castle");
    EXPECT_EQ(PointOf(net, 2).x, 320);
    EXPECT_EQ(PointOf(net, 2).y, 60);
    EXPECT_EQ(net.view.pointNames, 1);
    EXPECT_EQ(net.sourcePoint, 2);
    EXPECT_EQ(net.changed, 1);
    EXPECT_EQ(levels.Path(), (std::vector<NetLevels::Step>{{2, 5}}));
    const auto shared = GetSubNet(levels.Root(), 2, 5);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared, GetSubNet(levels.Root(), 5, 2));

    // Back up and in again: no question, the level takes the current view flags.
    ASSERT_TRUE(LeaveLevel(levels, net));
    EXPECT_EQ(net.name, "road");
    EXPECT_FALSE(LeaveLevel(levels, net));
    net.view.pointNames = 0;
    ASSERT_TRUE(EnterLevel(levels, net, 5, 2, no));
    EXPECT_EQ(no.calls.size(), 1U);
    EXPECT_EQ(net.name, "road\t -> Edge(5,2)");
    EXPECT_EQ(net.view.pointNames, 0);
    // A name longer than a net's is cut.
    EXPECT_EQ(SubNetName(std::string(95, 'a'), 12, 13), std::string(95, 'a') + "\t -> ");
}

TEST(SubNetLevelsTest, LeavingDropsTheLevelsSnapshotAndFindsTheEnclosingOne) {
    NetLevels levels;
    NetWorkType net = LoadExample("railway.net");
    levels.Reset(net);
    SaveUndoPoints(net);
    net.points[1].x = 999;
    testing::RecordingMessages quiet;
    // The Valley line exists: entered without a question, with the changed flag of the top.
    ASSERT_TRUE(EnterLevel(levels, net, 3, 4, quiet));
    EXPECT_TRUE(quiet.calls.empty());
    EXPECT_EQ(net.n, 5);
    EXPECT_FALSE(HasUndo(net));
    SaveUndoFull(net);
    testing::AddTestPoint(net, 300, 300);
    net.changed = 1;
    ASSERT_TRUE(LeaveLevel(levels, net));
    EXPECT_EQ(net.changed, 1);
    EXPECT_EQ(GetSubNet(net, 3, 4)->n, 6);
    EXPECT_EQ(GetSubNet(net, 3, 4), GetSubNet(net, 4, 3));
    ASSERT_TRUE(HasUndo(net));
    EXPECT_TRUE(Undo(net));
    EXPECT_EQ(net.points[1].x, 60);
    ASSERT_TRUE(EnterLevel(levels, net, 4, 3, quiet));
    EXPECT_FALSE(HasUndo(net));
    EXPECT_EQ(net.n, 6);
}

} // namespace
} // namespace plax
