#include "net_document_fixture.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/net_canvas_widget.h"
#include "view/net_history.h"
#include "view/sub_net_levels.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "render/net_geometry.h"

#include <QAction>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

// A document's level as a step sees it, without the document.
struct OneLevel : StepTarget {
    bool GoToLevel(const LevelPath& level) override {
        visited.push_back(level);
        return true;
    }
    NetWorkType& LevelNet() override { return net; }
    void StepApplied() override { ++applied; }

    NetWorkType net;
    std::vector<LevelPath> visited;
    int applied = 0;
};

NetWorkType TwoPointNet() {
    NetWorkType net = testing::NewTestNet(false);
    testing::AddTestPoint(net, 10, 20);
    testing::AddTestPoint(net, 100, 20);
    testing::AddTestEdge(net, 1, 2);
    return net;
}

TEST(NetEditStep, APointsStepGivesThePointsBackAndLeavesTheEdges) {
    OneLevel level;
    level.net = TwoPointNet();
    const NetWorkType before = level.net;
    level.net.points[1].x = 300;
    NetEditStep step(level, "Move Point", {{1, 2}}, before, level.net, -1);
    EXPECT_EQ(step.Kind(), SnapshotKind::PointsOnly);
    step.redo(); // pushed: the change is already there
    EXPECT_EQ(level.applied, 0);

    level.net.points[2].selected = 1;
    SetEdgeReal(level.net, EdgeRealWeight, 1, 2, 7.0);
    step.undo();
    EXPECT_EQ(level.net.points[1].x, 10);
    EXPECT_EQ(level.net.points[2].selected, 0);
    EXPECT_EQ(GetEdgeReal(level.net, EdgeRealWeight, 2, 1), 7.0) << "edges stay as they are now";
    const LevelPath edge = {{1, 2}};
    EXPECT_EQ(level.visited, std::vector<LevelPath>{edge}) << "the step goes to its level first";
    step.redo();
    EXPECT_EQ(level.net.points[1].x, 300);
    EXPECT_EQ(level.applied, 2);
}

TEST(NetEditStep, AWholeStepGivesBackPointsEdgesAndSubNets) {
    OneLevel level;
    level.net = TwoPointNet();
    auto sub = std::make_shared<NetWorkType>(testing::NewTestNet(false));
    sub->name = "inside";
    SetSubNet(level.net, 1, 2, sub);
    const NetWorkType before = level.net;
    testing::AddTestPoint(level.net, 50, 50);
    testing::AddTestEdge(level.net, 1, 3);
    sub->name = "edited";
    NetEditStep step(level, "Add Edge", {}, before, level.net, -1);
    EXPECT_EQ(step.Kind(), SnapshotKind::Full);

    step.redo(); // pushed
    step.undo();
    EXPECT_EQ(level.net.n, 2);
    EXPECT_FALSE(EdgeExists(level.net, 1, 3));
    EXPECT_TRUE(EdgeExists(level.net, 2, 1));
    ASSERT_NE(GetSubNet(level.net, 1, 2), nullptr);
    EXPECT_EQ(GetSubNet(level.net, 1, 2)->name, "inside");
    EXPECT_EQ(GetSubNet(level.net, 1, 2), GetSubNet(level.net, 2, 1)) << "both entries share it";
    step.redo();
    EXPECT_EQ(level.net.n, 3);
    EXPECT_TRUE(EdgeExists(level.net, 3, 1));
    EXPECT_EQ(GetSubNet(level.net, 1, 2)->name, "edited");
}

TEST(NetEditStep, TheSameNetIsTheSameWhateverIsSelectedOrViewed) {
    const NetWorkType net = TwoPointNet();
    NetWorkType other = net;
    other.points[1].selected = 1;
    other.view.pointNames = 1;
    EXPECT_TRUE(SameLevelContent(net, other));
    other.lists[1].front().flow = 0.5;
    EXPECT_FALSE(SameLevelContent(net, other));
}

// A document that lets the tests enter a level as the Alt + double-click does.
class LevelDocument : public TMDIChild {
public:
    using TMDIChild::EnterSubNet;
    using TMDIChild::TMDIChild;
};

class NetHistoryTest : public ::testing::Test {
protected:
    NetHistoryTest() {
        // Points 1..5, edges 1-2, 2-3, 3-4; point 5 alone; point 2 with options of its own;
        // the edge 1-2 decomposed into a net of three points.
        NetWorkType net = testing::NewTestNet(false);
        for (const auto& [x, y] : {std::pair{60, 60}, {160, 60}, {160, 160}, {60, 160}, {260, 110}})
            testing::AddTestPoint(net, x, y);
        testing::AddTestEdge(net, 1, 2, 3.0);
        testing::AddTestEdge(net, 2, 3, 4.0);
        testing::AddTestEdge(net, 3, 4, 5.0);
        testing::CustomOptions(net, 2, 14);
        // As this program saves a level it was in: with the options and view of the level above.
        auto sub = NewSubNet(net, 1, 2);
        sub->defaultOptions = net.defaultOptions;
        testing::AddTestPoint(*sub, 110, 120);
        SetSubNet(net, 1, 2, sub);
        path = dir.File("steps.net");
        base = NetFileBytes(net).value_or("");
    }

    // A document on a fresh copy of the net.
    std::unique_ptr<LevelDocument> Open() {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << base;
        auto doc = std::make_unique<LevelDocument>(host);
        doc->resize(700, 500);
        doc->show();
        doc->OpenDocument(path);
        return doc;
    }
    std::string Bytes(TMDIChild& doc) {
        EXPECT_TRUE(doc.SaveNetToFile());
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    testing::TestHost host;
    testing::ScratchDir dir;
    std::string path;
    std::string base;
};

NetCanvasWidget& Canvas(TMDIChild& doc) { return *doc.findChild<NetCanvasWidget*>(); }
QPoint At(TMDIChild& doc, int i) {
    const PointType& p = doc.Net().points[static_cast<std::size_t>(i)];
    return {p.x, p.y};
}
void Click(TMDIChild& doc, QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mouseClick(&Canvas(doc), Qt::LeftButton, keys, at);
}
void Drag(TMDIChild& doc, QPoint from, QPoint to) {
    QTest::mousePress(&Canvas(doc), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&Canvas(doc), (from + to) / 2);
    QTest::mouseMove(&Canvas(doc), to);
    QTest::mouseRelease(&Canvas(doc), Qt::LeftButton, Qt::NoModifier, to);
}
void Arm(TMDIChild& doc, CommandCode code, std::vector<QPoint> clicks) {
    doc.DoCommand(code);
    for (QPoint p : clicks)
        Click(doc, p);
}

TEST_F(NetHistoryTest, EveryCommandUndoesAndRedoesToTheSameFileBytes) {
    using C = CommandCode;
    using Command = std::function<void(LevelDocument&)>;
    const NetWorkType clip = [] {
        NetWorkType net = testing::NewTestNet(false);
        testing::AddTestPoint(net, 0, 0);
        testing::AddTestPoint(net, 30, 0);
        testing::AddTestEdge(net, 1, 2);
        return net;
    }();
    host.editPoint = [](PointDialogState& s) {
        s.point.name = "Mill";
        return true;
    };
    host.editEdge = [](EdgeDialogState& s) {
        s.block.weight = 9.0;
        return true;
    };
    struct Case {
        const char* step;
        Command apply;
    };
    const Case cases[] = {
        {"Add Point",
         [](LevelDocument& d) {
             Arm(d, C::AddPoint, {{400, 300}});
         }},
        {"Add Edge",
         [](LevelDocument& d) {
             Arm(d, C::AddEdge, {At(d, 1), At(d, 4)});
         }},
        {"Delete Point", [](LevelDocument& d) { Arm(d, C::DeletePoint, {At(d, 3)}); }},
        {"Delete Edge",
         [](LevelDocument& d) {
             Arm(d, C::DeleteEdge, {At(d, 2), At(d, 3)});
         }},
        {"Delete Component", [](LevelDocument& d) { Arm(d, C::DeleteComponent, {At(d, 2)}); }},
        {"Delete All", [](LevelDocument& d) { d.DoCommand(C::DeleteAll); }},
        {"Move Point",
         [](LevelDocument& d) {
             d.DoCommand(C::MovePoint);
             Drag(d, At(d, 4), {90, 220});
         }},
        {"Move Points",
         [](LevelDocument& d) {
             Drag(d, {40, 40}, {180, 80}); // the band holds 1 and 2
             Drag(d, At(d, 1), {80, 100});
         }},
        {"Move Component",
         [](LevelDocument& d) {
             Arm(d, C::MoveComponent, {At(d, 5), {300, 300}});
         }},
        {"Retype", [](LevelDocument& d) { d.DoCommand(C::Retype); }},
        {"Increase X and Y Size", [](LevelDocument& d) { d.DoCommand(C::IncrementXY); }},
        {"Decrease X Size", [](LevelDocument& d) { d.DoCommand(C::DecrementX); }},
        {"Move Graph", [](LevelDocument& d) { d.MoveGraph(10, 0); }},
        {"Fit Net to Window", [](LevelDocument& d) { d.DoCommand(C::FitNet); }},
        {"Paste",
         [](LevelDocument& d) {
             d.StartPaste();
             Click(d, {300, 250});
         }},
        {"Clear custom Point options", [](LevelDocument& d) { d.ClearCustomPOptionsClick(); }},
        {"Layout", [](LevelDocument& d) { d.Layout1Click(LayoutKind::Circle); }},
        {"Align edges to Left",
         [](LevelDocument& d) {
             Drag(d, {150, 40}, {280, 130}); // the band holds 2 and 5
             d.DoCommand(C::AlignLeft);
         }},
        {"Point Attributes",
         [](LevelDocument& d) { QTest::mouseDClick(&Canvas(d), Qt::LeftButton, {}, At(d, 4)); }},
        {"Edge Attributes",
         [](LevelDocument& d) {
             ComputeEdgeAnchors(d.Net(), Canvas(d).Anchors());
             const PixelPoint e = Canvas(d).Anchors().Of(d.Net(), 3, 4);
             QTest::mouseDClick(&Canvas(d), Qt::LeftButton, {}, QPoint(e.x, e.y));
         }},
        {"Add Point",
         [](LevelDocument& d) { // inside the sub-net: the file holds it in the top level's edge
             d.EnterSubNet(1, 2);
             Arm(d, C::AddPoint, {{200, 250}});
         }},
    };
    // The handles shown from the start: a view switch changes the file, but is no step.
    host.state.options.newDocumentView.edgeLabels = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        host.state.clipboard = clip;
        host.dialogs.answer = Answer::Yes;
        auto doc = Open();
        const std::string saved = Bytes(*doc);
        c.apply(*doc);
        EXPECT_EQ(doc->History().count(), 1);
        EXPECT_EQ(doc->History().undoText().toStdString(), c.step);
        const std::string edited = Bytes(*doc);
        EXPECT_NE(edited, saved);
        doc->Undo1Click();
        EXPECT_EQ(Bytes(*doc), saved);
        doc->Redo1Click();
        EXPECT_EQ(Bytes(*doc), edited);
    }
}

TEST_F(NetHistoryTest, AStepInsideASubNetTakesTheUndoBackIntoItsLevel) {
    auto doc = Open();
    const std::string saved = Bytes(*doc);
    doc->EnterSubNet(2, 1);
    ASSERT_TRUE(doc->IsSubNet());
    doc->DoCommand(CommandCode::MovePoint);
    Drag(*doc, At(*doc, 3), {150, 250});
    doc->UpOneLevel();
    ASSERT_FALSE(doc->IsSubNet());
    const std::string edited = Bytes(*doc);
    EXPECT_NE(edited, saved);

    doc->Undo1Click();
    EXPECT_TRUE(doc->IsSubNet()) << "undoing goes back where the step was made";
    EXPECT_EQ(doc->Net().points[3].x, 110);
    EXPECT_EQ(Bytes(*doc), saved);
    doc->UpOneLevel();
    doc->Redo1Click();
    EXPECT_TRUE(doc->IsSubNet());
    EXPECT_EQ(Bytes(*doc), edited);

    // Decomposing an edge is a step of the level above.
    doc->UpOneLevel();
    host.dialogs.answer = Answer::Yes;
    doc->EnterSubNet(3, 4);
    ASSERT_TRUE(doc->IsSubNet());
    EXPECT_EQ(doc->History().undoText().toStdString(), "Decompose Edge");
    doc->Undo1Click();
    EXPECT_FALSE(doc->IsSubNet());
    EXPECT_EQ(GetSubNet(doc->Net(), 3, 4), nullptr);
}

TEST_F(NetHistoryTest, UndoAndRedoWalkEveryStepInOrder) {
    auto doc = Open();
    const std::vector<int> xs = {60, 160, 160, 60};
    doc->DoCommand(CommandCode::MovePoint);
    for (int i = 1; i <= 3; ++i)
        Drag(*doc, At(*doc, i), At(*doc, i) + QPoint(0, 15));
    Drag(*doc, At(*doc, 4), At(*doc, 4)); // nothing moved: no step
    EXPECT_EQ(doc->History().count(), 3);
    for (int i = 3; i >= 1; --i) {
        EXPECT_EQ(doc->History().undoText().toStdString(), "Move Point");
        doc->Undo1Click();
        EXPECT_EQ(doc->Net().points[static_cast<std::size_t>(i)].y, i == 1 || i == 2 ? 60 : 160);
    }
    EXPECT_FALSE(doc->History().canUndo());
    doc->Redo1Click();
    doc->Redo1Click();
    EXPECT_EQ(doc->Net().points[2].y, 75);
    EXPECT_EQ(doc->Net().points[3].y, 160);

    // While a procedure runs, the history stays where it is.
    host.state.run.busy = 1;
    doc->Undo1Click();
    host.state.run.busy = 0;
    EXPECT_EQ(doc->Net().points[2].y, 75);
    EXPECT_EQ(host.dialogs.Texts("warning").size(), 1U);
}

TEST_F(NetHistoryTest, TenGrowPressesAreOneStep) {
    auto doc = Open();
    QAction* grow = doc->findChild<QAction*>("IncrementXandY1");
    ASSERT_NE(grow, nullptr);
    EXPECT_EQ(grow->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    for (int i = 0; i < 10; ++i)
        grow->trigger();
    EXPECT_EQ(doc->History().count(), 1);
    EXPECT_NE(doc->Net().points[1].x, 60);
    doc->DoCommand(CommandCode::DecrementXY); // another command: a step of its own
    EXPECT_EQ(doc->History().count(), 2);
    doc->Undo1Click();
    doc->Undo1Click();
    EXPECT_EQ(doc->Net().points[1].x, 60);
    EXPECT_EQ(doc->Net().points[3].y, 160);
}

class ChangedFlagTest : public testing::NetDocumentFixture {};

TEST_F(ChangedFlagTest, TheFlagAndTheCloseQuestionFollowTheSavedStep) {
    OpenRoadCopy();
    const auto move = [this] { document.Edit("Move Point", [](NetWorkType& net) { net.points[1].x += 5; }); };
    EXPECT_FALSE(document.Changed());
    move();
    EXPECT_TRUE(document.Changed());
    EXPECT_EQ(document.Net().changed, 1);
    ASSERT_TRUE(document.Save());
    EXPECT_FALSE(document.Changed());
    EXPECT_EQ(document.Net().changed, 0);
    EXPECT_TRUE(document.CloseQuery());
    EXPECT_TRUE(host.dialogs.Texts("ask").empty());

    document.History().undo(); // back past the save
    EXPECT_TRUE(document.Changed());
    host.dialogs.answer = Answer::Cancel;
    EXPECT_FALSE(document.CloseQuery());
    EXPECT_EQ(host.dialogs.Texts("ask").size(), 1U);
    document.History().redo(); // the saved net again
    EXPECT_FALSE(document.Changed());
    EXPECT_TRUE(document.CloseQuery());
    EXPECT_EQ(host.dialogs.Texts("ask").size(), 1U);

    move();
    document.History().undo();
    EXPECT_FALSE(document.Changed()) << "undone to the saved step";
    // A step that changes nothing is no step.
    EXPECT_FALSE(document.Edit("Nothing", [](NetWorkType&) {}));
    EXPECT_EQ(document.History().count(), 2);
}

} // namespace
} // namespace plax
