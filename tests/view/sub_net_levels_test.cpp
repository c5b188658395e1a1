#include "net_document_fixture.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/edit_commands.h"
#include "view/net_canvas_widget.h"
#include "view/net_document.h"
#include "view/sub_net_levels.h"

#include "accounts/shortest_paths_account.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "render/net_geometry.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
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

TEST(SubNetLevelsTest, LeavingStoresTheLevelAndFindsTheEnclosingOne) {
    NetLevels levels;
    NetWorkType net = LoadExample("railway.net");
    levels.Reset(net);
    net.points[1].x = 999;
    testing::RecordingMessages quiet;
    // The Valley line exists: entered without a question, with the changed flag of the top.
    ASSERT_TRUE(EnterLevel(levels, net, 3, 4, quiet));
    EXPECT_TRUE(quiet.calls.empty());
    EXPECT_EQ(net.n, 5);
    testing::AddTestPoint(net, 300, 300);
    net.changed = 1;
    ASSERT_TRUE(LeaveLevel(levels, net));
    EXPECT_EQ(net.changed, 1);
    EXPECT_EQ(net.points[1].x, 999);
    EXPECT_EQ(GetSubNet(net, 3, 4)->n, 6);
    EXPECT_EQ(GetSubNet(net, 3, 4), GetSubNet(net, 4, 3));
    ASSERT_TRUE(EnterLevel(levels, net, 4, 3, quiet));
    EXPECT_EQ(net.n, 6);
}

class SubNetDocumentTest : public testing::NetDocumentFixture {
protected:
    NetWorkType Reload(const std::string& path) {
        NetWorkType back;
        testing::RecordingMessages quiet;
        EXPECT_TRUE(LoadNetFile(back, path, host.state.options, quiet));
        return back;
    }
    // Inside a level: a new point 3 between the two ends, joined to both.
    void AddDetour(double first, double second) {
        NetWorkType& net = document.Net();
        const int p = testing::AddTestPoint(net, 250, 120);
        testing::AddTestEdge(net, 1, p, first);
        testing::AddTestEdge(net, p, 2, second);
        net.changed = 1;
    }
};

TEST_F(SubNetDocumentTest, ALevelSavedFromAboveMeasuresThroughItsSubNet) {
    const std::string path = OpenRoadCopy();
    host.dialogs.answer = Answer::Yes;
    ASSERT_TRUE(document.EnterSubNet(2, 5));
    EXPECT_EQ(host.dialogs.Texts("confirm"), std::vector<std::string>{"Do you wish to Decompose this edge?"});
    EXPECT_EQ(display.captions.back(), "road\t -> Edge(2,5)");
    EXPECT_TRUE(document.IsSubNet());
    AddDetour(2, 3);
    ASSERT_TRUE(document.UpOneLevel());
    EXPECT_EQ(display.captions.back(), "road");
    EXPECT_FALSE(document.IsSubNet());
    EXPECT_FALSE(document.UpOneLevel());
    ASSERT_TRUE(document.Save());

    NetWorkType back = Reload(path);
    const auto sub = GetSubNet(back, 2, 5);
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub, GetSubNet(back, 5, 2));
    EXPECT_EQ(sub->n, 3);
    EXPECT_EQ(EdgeCount(*sub), 2);
    EXPECT_EQ(GetEdgeReal(*sub, EdgeRealWeight, 3, 2), 3.0);
    // Mill to Castle: 8 km on the road itself, 2 + 3 through its decomposition.
    back.sourcePoint = 2;
    back.sinkPoint = 5;
    EXPECT_DOUBLE_EQ(MeasureShortestPath(back), 5.0);
}

TEST_F(SubNetDocumentTest, TwoLevelsDeepSaveFromInsideAndDeleteTheEdgeOnce) {
    const std::string path = OpenRoadCopy();
    host.dialogs.answer = Answer::Yes;
    ASSERT_TRUE(document.EnterSubNet(2, 5));
    AddDetour(2, 3);
    ASSERT_TRUE(document.EnterSubNet(3, 1));
    EXPECT_EQ(display.captions.back(), "road\t -> Edge(2,5)\t -> Edge(3,1)");
    AddDetour(0.5, 0.5);
    ASSERT_TRUE(document.Save());
    EXPECT_EQ(document.Net().changed, 0);

    NetWorkType back = Reload(path);
    const auto deep = GetSubNet(*GetSubNet(back, 2, 5), 1, 3);
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->n, 3);
    EXPECT_EQ(EdgeCount(*deep), 2);
    back.sourcePoint = 2;
    back.sinkPoint = 5;
    EXPECT_DOUBLE_EQ(MeasureShortestPath(back), 4.0);

    // A save from inside saved everything: going up leaves nothing to ask about.
    ASSERT_TRUE(document.UpOneLevel());
    ASSERT_TRUE(document.UpOneLevel());
    EXPECT_EQ(document.Net().changed, 0);
    const std::weak_ptr<NetWorkType> watched = GetSubNet(document.Net(), 5, 2);
    ASSERT_EQ(watched.lock(), GetSubNet(document.Net(), 2, 5));
    EXPECT_EQ(watched.lock()->n, 3);
    RemoveEdge(document.Net(), 2, 5);
    EXPECT_TRUE(watched.expired());
}

TEST(SubNetWindowTest, AltDoubleClickEntersAndTheButtonLeaves) {
    testing::TestHost host;
    TMDIChild doc(host);
    doc.show();
    doc.OpenDocument(PLAX_EXAMPLES_DIR "/railway.net");
    auto* up = doc.findChild<QPushButton*>("UpOneLevelBtn");
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->text().toStdString(), "Up One Level");
    EXPECT_EQ(up->toolTip().toStdString(), "Up One Level");
    EXPECT_FALSE(up->isEnabled());
    // At the top the button only disables itself.
    up->setEnabled(true);
    doc.UpOneLevel();
    EXPECT_FALSE(up->isEnabled());
    EXPECT_EQ(doc.windowTitle().toStdString(), "railway.net");

    ASSERT_TRUE(EdgeExists(doc.Net(), 3, 4));
    auto* canvas = doc.findChild<NetCanvasWidget*>();
    ComputeEdgeAnchors(doc.Net(), canvas->Anchors());
    const PixelPoint valley = canvas->Anchors().Of(doc.Net(), 3, 4);
    const QPoint handle(valley.x, valley.y);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::AltModifier, handle);
    QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, handle);
    EXPECT_TRUE(host.dialogs.Texts("confirm").empty());
    EXPECT_EQ(doc.windowTitle().toStdString(), "railway\t -> Edge(3,4)");
    EXPECT_EQ(doc.Net().n, 5);
    EXPECT_TRUE(up->isEnabled());
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(doc.windowTitle().toStdString(), "railway");
    EXPECT_EQ(doc.Net().n, 5);
    EXPECT_FALSE(up->isEnabled());
    EXPECT_FALSE(doc.IsSubNet());
}

// Alt + double-click may never reach the program: the pop-up menu, the Edit menu and the keys
// do the same, and the status line names the edges that hold a sub-net.
TEST(SubNetWindowTest, ThePopUpAndTheEditMenuEnterWithoutAlt) {
    testing::TestHost host;
    TMDIChild doc(host);
    doc.show();
    doc.OpenDocument(PLAX_EXAMPLES_DIR "/railway.net");
    auto* canvas = doc.findChild<NetCanvasWidget*>();
    ComputeEdgeAnchors(doc.Net(), canvas->Anchors());
    const auto at = [&](int from, int to) {
        const PixelPoint anchor = canvas->Anchors().Of(doc.Net(), from, to);
        return QPoint(anchor.x, anchor.y);
    };
    const auto popUpAt = [&](QPoint where) {
        emit canvas->customContextMenuRequested(where);
        doc.PopupMenu()->hide();
        return doc.PopupEnterSubNetAction().isVisible() ? doc.PopupEnterSubNetAction().text() : QString();
    };
    // The course of edge (3, 4), a little away from its anchor, counts as the edge too.
    const PointType& three = doc.Net().points[3];
    const QPoint valley = (at(3, 4) + QPoint(three.x, three.y)) / 2;
    QTest::mouseMove(canvas, valley);
    EXPECT_EQ(doc.findChild<QLabel*>("LabelStatus")->text(), "Edge (3,4) holds a sub-net");
    QTest::mouseMove(canvas, QPoint(5, 5));
    EXPECT_EQ(doc.findChild<QLabel*>("LabelStatus")->text(), "");
    EXPECT_EQ(popUpAt(QPoint(5, 5)), "");
    EXPECT_EQ(popUpAt(valley), "Enter Sub-net");
    doc.PopupEnterSubNetAction().trigger();
    EXPECT_EQ(doc.windowTitle().toStdString(), "railway\t -> Edge(3,4)");
    QAction* up = doc.findChild<QAction*>("UpOneLevel1");
    EXPECT_EQ(up->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Backspace));
    ASSERT_TRUE(up->isEnabled());
    up->trigger();
    EXPECT_FALSE(up->isEnabled());
    EXPECT_EQ(doc.windowTitle().toStdString(), "railway");

    // Over an edge without a sub-net the item decomposes it, asking first.
    EXPECT_EQ(popUpAt(at(1, 2)), "Decompose Edge");
    EXPECT_TRUE(host.dialogs.Texts("confirm").empty());
    // The Edit menu's item acts on the edge under the last click.
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, at(1, 2));
    QAction& enter = doc.EnterSubNetAction();
    EXPECT_EQ(enter.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Return));
    enter.trigger();
    EXPECT_EQ(host.dialogs.Texts("confirm"), std::vector<std::string>{"Do you wish to Decompose this edge?"});
    EXPECT_EQ(doc.windowTitle().toStdString(), "railway\t -> Edge(1,2)");
    EXPECT_EQ(doc.Net().n, 2);
}

} // namespace
} // namespace plax
