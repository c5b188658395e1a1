#include "recording_messages.h"
#include "scratch_dir.h"
#include "test_host.h"
#include "view_test_nets.h"

#include "view/attribute_dialogs.h"
#include "view/document_window.h"
#include "view/net_canvas_widget.h"

#include "model/mark_value.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "render/net_geometry.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace plax {
namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::NewTestNet;

TEST(PointDialogLogic, CopyCustomBlockAndShapeLock) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100, 2, "Gate");
    net.points[1].options.radius = 3; // stale: the flag is clear
    PointDialogState s = PointDialogFor(net, 1, true);
    EXPECT_EQ(s.point.options, DefaultPointOptions());
    EXPECT_EQ(MarkText(2.5), "2.5");
    EXPECT_STREQ(TokenLabel(s.point.shape), "Level:");
    EXPECT_STREQ(TokenLabel(4), "Tokens:");
    // The lock leaves only the last three shapes.
    for (int shape = 0; shape < 8; ++shape)
        EXPECT_EQ(ShapeEnabled(s, shape), shape >= 5) << shape;
    EXPECT_TRUE(ShapeEnabled(PointDialogFor(net, 1, false), 0));

    SetCustomOptions(s, true);
    s.point.options.radius = 14;
    SetCustomOptions(s, false);
    EXPECT_EQ(s.point.options.radius, 10);
    EXPECT_EQ(s.point.customOptions, 0);
}

TEST(EdgeDialogLogic, StoredWidthsStylesAndShapesShowAsTheDialogCan) {
    const struct {
        std::uint8_t width;
        std::uint32_t style, shape;
        std::uint8_t shownWidth;
        std::uint32_t shownStyle, shownShape;
    } cases[] = {
        {7, 2, 3, 1, 0, 3}, {1, 2, 4, 1, 2, 4}, {1, 5, 9, 1, 0, 0}, {3, 2, 1, 3, 0, 1}, {0, 1, 0, 1, 1, 0},
    };
    for (const auto& c : cases) {
        EdgeAttributes b;
        b.lineWidth = c.width;
        b.lineStyle = c.style;
        b.shape = c.shape;
        const EdgeAttributes shown = AsShown(b);
        EXPECT_EQ(shown.lineWidth, c.shownWidth) << int(c.width);
        EXPECT_EQ(shown.lineStyle, c.shownStyle) << int(c.width);
        EXPECT_EQ(shown.shape, c.shownShape) << int(c.width);
    }
    EdgeAttributes b;
    b.lineWidth = 1;
    b.lineStyle = 3;
    EXPECT_TRUE(StyleEnabled(b));
    SetLineWidth(b, 2);
    EXPECT_EQ(b.lineStyle, 0u);
    EXPECT_FALSE(StyleEnabled(b));
}

TEST(EdgeDialogLogic, ReverseEdgeOnlyForADirectedTwoWayPairAndEditsTheOtherDirection) {
    NetWorkType undirected = NewTestNet(false);
    AddTestPoint(undirected, 100, 100);
    AddTestPoint(undirected, 200, 100);
    AddTestEdge(undirected, 1, 2);
    EdgeDialogState u = EdgeDialogFor(undirected, 1, 2);
    EXPECT_FALSE(u.twoWay);
    ReverseEdge(u);
    EXPECT_EQ(EdgeTitle(u), "( 1,2 )");

    NetWorkType net = NewTestNet(true);
    AddTestPoint(net, 100, 100);
    AddTestPoint(net, 200, 100);
    AddTestPoint(net, 300, 100);
    AddTestEdge(net, 1, 2, 5.0)->color = 0x0000FF;
    AddTestEdge(net, 2, 1, 6.0)->color = 0x00FF00;
    AddTestEdge(net, 2, 3, 7.0);
    EXPECT_FALSE(EdgeDialogFor(net, 2, 3).twoWay);

    EdgeDialogState s = EdgeDialogFor(net, 1, 2);
    ASSERT_TRUE(s.twoWay);
    ReverseEdge(s);
    EXPECT_EQ(EdgeTitle(s), "( 2,1 )");
    EXPECT_EQ(s.block.weight, 6.0);
    EXPECT_EQ(s.oldColor, 0x00FF00u);
    EXPECT_EQ(s.oldReverseColor, 0x0000FFu);
    s.block.weight = 9.0;
    s.block.name = "Back";
    ApplyEdgeDialog(net, s);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 2, 1), 9.0);
    EXPECT_EQ(GetEdgeName(net, 2, 1), "Back");
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 1, 2), 5.0);
    EXPECT_EQ(GetEdgeName(net, 1, 2), "");
    EXPECT_EQ(GetEdgeField(net, EdgeFieldColor, 1, 2), 0x0000FF);
}

// The dialogs through the document: road.net opened, a double-click on point 3 (and on an edge
// handle), the script answers, Save, and the file read back.
class AttributeDialogsWindowTest : public ::testing::Test {
protected:
    AttributeDialogsWindowTest() {
        std::filesystem::copy_file(PLAX_EXAMPLES_DIR "/road.net", path);
        doc->show();
        doc->OpenDocument(path);
    }
    NetCanvasWidget* Canvas() const { return doc->findChild<NetCanvasWidget*>(); }
    void DoubleClick(int x, int y) {
        QTest::mouseDClick(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void DoubleClickPoint(int p) {
        const PointType& point = doc->Net().points[static_cast<std::size_t>(p)];
        DoubleClick(point.x, point.y);
    }
    NetWorkType Reloaded() {
        NetWorkType net;
        NetInit(net);
        testing::RecordingMessages messages;
        EXPECT_TRUE(LoadNetFile(net, path, host.state.options, messages));
        return net;
    }

    testing::ScratchDir dir;
    std::string path = dir.File("road.net");
    testing::TestHost host;
    std::unique_ptr<TMDIChild> doc = std::make_unique<TMDIChild>(host);
};

TEST_F(AttributeDialogsWindowTest, OkStoresTheEditedPointAndEdgeAndTheSaveKeepsThem) {
    testing::RecordingMessages ui;
    host.editPoint = [&](PointDialogState& s) {
        EXPECT_EQ(s.number, 3);
        EXPECT_FALSE(s.shapeLocked);
        s.point.name = "Harbour";
        return CommitMark(s.point.weight, "42.75", ui);
    };
    DoubleClickPoint(3);
    EXPECT_EQ(host.requests.back(), "point dialog 3");
    EXPECT_EQ(doc->Net().changed, 1);

    doc->ShowEdgelabels1Click();
    EdgeAnchors& anchors = doc->findChild<NetCanvasWidget*>()->Anchors();
    ComputeEdgeAnchors(doc->Net(), anchors);
    const EdgeType& first = doc->Net().lists[1].front();
    const int to = first.target;
    host.editEdge = [](EdgeDialogState& s) {
        s.block.weight = 0.0;
        return true;
    };
    const PixelPoint anchor = anchors.Of(doc->Net(), 1, to);
    DoubleClick(anchor.x, anchor.y);
    EXPECT_EQ(host.requests.back(), "edge dialog ( 1," + std::to_string(to) + " )");

    ASSERT_TRUE(doc->SaveNet());
    const NetWorkType net = Reloaded();
    EXPECT_EQ(net.points[3].name, "Harbour");
    EXPECT_EQ(net.points[3].weight, 42.75);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 1, to), 0.0);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, to, 1), 0.0);
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(AttributeDialogsWindowTest, CancelChangesNothing) {
    ASSERT_TRUE(doc->SaveNet());
    const std::string before = testing::ReadAll(path);
    host.editPoint = [](PointDialogState& s) {
        s.point.name = "Harbour";
        s.point.shape = 5;
        return false;
    };
    DoubleClickPoint(3);
    EXPECT_EQ(host.requests.back(), "point dialog 3");
    EXPECT_EQ(doc->Net().changed, 0);
    ASSERT_TRUE(doc->SaveNet());
    EXPECT_EQ(testing::ReadAll(path), before);
}

} // namespace
} // namespace plax
