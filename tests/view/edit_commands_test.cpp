#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/edit_commands.h"
#include "view/net_canvas_widget.h"

#include "model/net_store.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace plax {
namespace {

// A document whose dialog seams record what they were asked to open.
class RecordingDocument : public TMDIChild {
public:
    using TMDIChild::TMDIChild;
    std::vector<std::string> opened;

protected:
    void PointDialog(int p) override { opened.push_back("point " + std::to_string(p)); }
    void EdgeDialog(int from, int to) override {
        opened.push_back("edge " + std::to_string(from) + "," + std::to_string(to));
    }
    void EnterSubNet(int from, int to) override {
        opened.push_back("decompose " + std::to_string(from) + "," + std::to_string(to));
    }
};

class EditCommandsTest : public ::testing::Test {
protected:
    EditCommandsTest() {
        doc->show();
        doc->NewDocument();
        host.dialogs.calls.clear();
    }

    NetWorkType& Net() { return doc->Net(); }
    NetCanvasWidget* Canvas() const { return doc->findChild<NetCanvasWidget*>(); }
    std::string Label(const char* name) const { return doc->findChild<QLabel*>(name)->text().toStdString(); }
    std::string Prompt() const { return Label("LabelStatus"); }
    QAction* Item(const char* name) const { return doc->findChild<QAction*>(name); }
    const PointType& Point(int i) { return Net().points[static_cast<std::size_t>(i)]; }

    // Points numbered 1.. at the given places, on a net of the wanted kind.
    void Build(const std::vector<std::pair<int, int>>& at, bool directed = false) {
        SetNetKind(Net(), directed ? DirNetCode : UndirNetCode);
        for (const auto& [x, y] : at)
            testing::AddTestPoint(Net(), x, y);
        doc->DefEnableItem();
    }
    void Click(int x, int y, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mouseClick(Canvas(), Qt::LeftButton, keys, QPoint(x, y));
    }
    void ClickPoint(int i, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Click(Point(i).x, Point(i).y, keys);
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(Canvas(), (from + to) / 2);
        QTest::mouseMove(Canvas(), to);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, to);
    }

    testing::TestHost host;
    std::unique_ptr<RecordingDocument> doc = std::make_unique<RecordingDocument>(host);
};

TEST_F(EditCommandsTest, AddEdgeTakesTwoClicksAndAsksForAnotherSecondPoint) {
    Build({{50, 50}, {150, 50}, {250, 50}, {50, 150}, {150, 150}});
    doc->AddEdge1Click();
    EXPECT_EQ(Prompt(), "Add Edge: Select first point of the Edge");
    EXPECT_TRUE(doc->findChild<QPushButton*>("ResetBtn")->isEnabled());
    ClickPoint(3);
    EXPECT_EQ(Prompt(), "Add Edge: Has been selected point 3. Select second point");
    ClickPoint(5);
    EXPECT_TRUE(EdgeExists(Net(), 3, 5) && EdgeExists(Net(), 5, 3));
    EXPECT_EQ(FindEdge(Net(), 3, 5)->weight, 1.0);
    EXPECT_EQ(Prompt(), "Add Edge: Select first point of the Edge");
    ClickPoint(3);
    ClickPoint(3);
    EXPECT_EQ(Prompt(), "Add Edge: Select another second point for point 3.");
    ClickPoint(5); // exists already
    EXPECT_EQ(Prompt(), "Add Edge: Select another second point for point 3.");
    Click(400, 300); // nothing there
    EXPECT_EQ(host.dialogs.Texts("beep").size(), 1u);
    EXPECT_EQ(EdgeCount(Net()), 1);

    // With Edit Confirmation the question comes first; No adds nothing.
    host.state.options.editConfirmation = 1;
    host.dialogs.answer = Answer::No;
    ClickPoint(1);
    EXPECT_EQ(Prompt(), "Add Edge: Select first point of the Edge");
    EXPECT_EQ(host.dialogs.Texts("ask"),
              std::vector<std::string>{"Add Edge: Do you wish to Add  Edge\r\nfrom 3 to 1?"});
    EXPECT_EQ(EdgeCount(Net()), 1);

    // Undo takes back the last edge added.
    host.dialogs.answer = Answer::Yes;
    ClickPoint(3);
    ClickPoint(1);
    EXPECT_EQ(EdgeCount(Net()), 2);
    EXPECT_EQ(doc->History().undoText().toStdString(), "Add Edge");
    doc->Undo1Click();
    EXPECT_EQ(EdgeCount(Net()), 1);
    EXPECT_EQ(doc->History().undoText().toStdString(), "Add Edge") << "the first edge's step";
    EXPECT_EQ(doc->History().redoText().toStdString(), "Add Edge");

    // Delete Edge follows the same pattern and takes both entries of an undirected edge.
    host.state.options.editConfirmation = 0;
    doc->DoCommand(CommandCode::DeleteEdge);
    ClickPoint(5);
    ClickPoint(1);
    EXPECT_EQ(Prompt(), "Delete Edge: Select second Edge point for point 5.");
    ClickPoint(3);
    EXPECT_FALSE(EdgeExists(Net(), 3, 5) || EdgeExists(Net(), 5, 3));
    EXPECT_EQ(doc->Armed(), Command::None); // no edge left to delete
}

TEST_F(EditCommandsTest, DeletePointRenumbersOnlyTheLastPoint) {
    Build({{50, 50}, {150, 50}, {250, 50}, {50, 150}, {150, 150}}, true);
    Net().points[5].name = "last";
    testing::AddTestEdge(Net(), 2, 1);
    testing::AddTestEdge(Net(), 5, 3, 7.0);
    testing::AddTestEdge(Net(), 4, 5);
    testing::AddTestEdge(Net(), 2, 5);
    host.state.options.editConfirmation = 1;
    doc->DoCommand(CommandCode::DeletePoint);
    EXPECT_EQ(Prompt(), "Delete Point: Select Point  to Delete");
    ClickPoint(2);
    EXPECT_EQ(host.dialogs.Texts("ask"),
              std::vector<std::string>{"Delete Point: Do you wish to Delete  Point 2?"});
    ASSERT_EQ(Net().n, 4);
    EXPECT_EQ(Point(2).name, "last");
    EXPECT_EQ(Point(2).x, 150);
    EXPECT_EQ(Point(2).y, 150);
    EXPECT_EQ(GetEdgeReal(Net(), EdgeRealWeight, 2, 3), 7.0);
    EXPECT_TRUE(EdgeExists(Net(), 4, 2));
    EXPECT_EQ(EdgeCount(Net()), 2); // (2,1) and (2,5) went with point 2
    EXPECT_EQ(doc->Armed(), Command::DeletePoint);

    doc->Undo1Click();
    EXPECT_EQ(Net().n, 5);
    EXPECT_EQ(EdgeCount(Net()), 4);
    EXPECT_EQ(Point(5).name, "last");
}

TEST_F(EditCommandsTest, AddPointStopsAtFifteenPoints) {
    for (int i = 0; i < 14; ++i)
        testing::AddTestPoint(Net(), 40 + 40 * (i % 7), 40 + 40 * (i / 7));
    host.state.options.foreDefaultColor = 0x123456;
    host.state.options.newPointName = "A name longer than twenty";
    doc->DoCommand(CommandCode::AddPoint);
    EXPECT_EQ(Prompt(), "Add Point: Select Position for the point and Click");
    Click(50, 50); // within 11 pixels of point 1
    EXPECT_EQ(host.dialogs.Texts("beep").size(), 1u);
    EXPECT_EQ(Net().n, 14);
    Click(300, 300);
    ASSERT_EQ(Net().n, 15);
    EXPECT_EQ(Point(15).x, 300);
    EXPECT_EQ(Point(15).name, "A name longer than t");
    EXPECT_EQ(Point(15).color, 0x123456u);
    EXPECT_EQ(Point(15).tokens, 1);
    EXPECT_EQ(doc->Armed(), Command::None);
    EXPECT_EQ(Label("LabelCoord"), "Ready");
    EXPECT_FALSE(doc->findChild<QPushButton*>("ResetBtn")->isEnabled());
    EXPECT_FALSE(Item("AddPoint1")->isEnabled());
    EXPECT_FALSE(doc->Enabling()[CommandCode::AddPoint]);
    Click(400, 300);
    EXPECT_EQ(Net().n, 15);
    doc->Undo1Click();
    EXPECT_EQ(Net().n, 14);
    EXPECT_TRUE(Item("AddPoint1")->isEnabled());
}

TEST_F(EditCommandsTest, AddEdgeIsOfferedUntilTheNetIsComplete) {
    Build({{50, 50}, {150, 50}, {50, 150}, {150, 150}});
    for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 4; ++j)
            testing::AddTestEdge(Net(), i, j);
    doc->DefEnableItem();
    EXPECT_FALSE(Item("AddEdge1")->isEnabled());
    EXPECT_FALSE(doc->Enabling()[CommandCode::AddEdge]);

    // A directed net of 4 points takes 12 edges; the last one comes by the mouse.
    FreeEdges(Net());
    SetNetKind(Net(), DirNetCode);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            if (i != j && (i != 4 || j != 1)) testing::AddTestEdge(Net(), i, j);
    doc->DefEnableItem();
    EXPECT_EQ(EdgeCount(Net()), 11);
    EXPECT_TRUE(Item("AddEdge1")->isEnabled());
    doc->AddEdge1Click();
    ClickPoint(4);
    ClickPoint(1);
    EXPECT_EQ(EdgeCount(Net()), 12);
    EXPECT_FALSE(Item("AddEdge1")->isEnabled());
    EXPECT_EQ(doc->Armed(), Command::None); // a complete net ends the command
}

TEST_F(EditCommandsTest, ShiftClicksToggleSinglePoints) {
    Build({{50, 50}, {150, 50}, {250, 50}});
    ClickPoint(2, Qt::ShiftModifier);
    ClickPoint(3, Qt::ShiftModifier);
    EXPECT_EQ(Net().selection.count, 2);
    EXPECT_TRUE(Point(2).selected && Point(3).selected && !Point(1).selected);
    ClickPoint(2, Qt::ShiftModifier);
    EXPECT_FALSE(Point(2).selected);
    EXPECT_EQ(Net().selection.exists, 1);
    ClickPoint(3, Qt::ShiftModifier);
    EXPECT_EQ(Net().selection.count, 0);
    EXPECT_EQ(Net().selection.exists, 0);

    // A plain click clears the selection and selects nothing.
    ClickPoint(1, Qt::ShiftModifier);
    ClickPoint(2);
    EXPECT_EQ(Net().selection.exists, 0);
    EXPECT_FALSE(Point(1).selected);
}

TEST_F(EditCommandsTest, GroupDragMovesEverySelectedPointAlike) {
    Build({{100, 100}, {160, 120}, {300, 300}});
    testing::AddTestEdge(Net(), 2, 3);
    Drag({80, 80}, {200, 200}); // the band holds points 1 and 2
    EXPECT_EQ(Net().selection.count, 2);
    EXPECT_EQ(Label("LabelCoord"), "Ready");
    Drag({100, 100}, {130, 90});
    EXPECT_EQ(Point(1).x, 130);
    EXPECT_EQ(Point(1).y, 90);
    EXPECT_EQ(Point(2).x, 190);
    EXPECT_EQ(Point(2).y, 110);
    EXPECT_EQ(Point(3).x, 300);
    EXPECT_TRUE(EdgeExists(Net(), 2, 3));
    EXPECT_EQ(Net().selection.count, 2); // the selection stays
    EXPECT_FALSE(Canvas()->Dragging());
    EXPECT_EQ(Net().changed, 1);
    doc->Undo1Click();
    EXPECT_EQ(Point(1).x, 100);
    EXPECT_EQ(Point(2).y, 120);
    EXPECT_TRUE(EdgeExists(Net(), 2, 3));
}

TEST_F(EditCommandsTest, LabelDragAndPopUpInfoFollowTheMouse) {
    Build({{200, 200}});
    Net().points[1].name = "Mill";
    host.state.options.showPopUpInfo = 1;
    QTest::mouseMove(Canvas(), QPoint(202, 198));
    EXPECT_EQ(Canvas()->toolTip().toStdString(), "Name = Mill");
    QTest::mouseMove(Canvas(), QPoint(300, 300));
    EXPECT_TRUE(Canvas()->toolTip().isEmpty());

    doc->ShowPointName1Click(); // the name now stands above the point
    Drag({200, 184}, {240, 200});
    EXPECT_EQ(Point(1).labelPosition, 6u); // right of the point
    EXPECT_EQ(Point(1).x, 200);
    EXPECT_EQ(Net().changed, 1);
}

TEST_F(EditCommandsTest, MovePointDragsOnePointAndStaysArmed) {
    Build({{100, 100}, {200, 100}});
    testing::AddTestEdge(Net(), 1, 2);
    doc->DoCommand(CommandCode::MovePoint);
    EXPECT_EQ(Prompt(), "Move Point: Select Point ");
    QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(108, 95)); // near, not on
    EXPECT_EQ(Prompt(), "Move Point: Drag point 1 to another position.");
    QTest::mouseMove(Canvas(), QPoint(140, 180));
    EXPECT_EQ(Label("LabelCoord"), "( 140, 180)");
    // Mid-drag the point is drawn at the mouse and is gone from its old place.
    const QImage image = Canvas()->grab(QRect(0, 0, 300, 300)).toImage();
    auto darkIn = [&image](int x0, int x1, int y) {
        for (int x = x0; x <= x1; ++x)
            if (qGray(image.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(darkIn(128, 132, 180));
    EXPECT_FALSE(darkIn(88, 92, 100));
    QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(140, 180));
    EXPECT_EQ(Point(1).x, 140);
    EXPECT_EQ(Point(1).y, 180);
    EXPECT_EQ(Prompt(), "Move Point: Select Point ");
    EXPECT_EQ(doc->Armed(), Command::MovePoint);
    doc->Undo1Click();
    EXPECT_EQ(Point(1).x, 100);
    EXPECT_TRUE(EdgeExists(Net(), 1, 2));

    // Esc in the middle of a drag disarms; the release still ends the drag.
    QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_TRUE(Canvas()->Dragging());
    QTest::keyClick(doc.get(), Qt::Key_Escape);
    QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_FALSE(Canvas()->Dragging());
    EXPECT_EQ(doc->Armed(), Command::None);
}

TEST_F(EditCommandsTest, ComponentsMoveAndGoWithTheirQuestions) {
    Build({{100, 100}, {200, 100}, {400, 300}, {450, 300}});
    testing::AddTestEdge(Net(), 1, 2);
    testing::AddTestEdge(Net(), 3, 4);
    host.state.options.editConfirmation = 1;
    doc->DoCommand(CommandCode::MoveComponent);
    ClickPoint(2);
    EXPECT_EQ(Prompt(), "Move Component: Select new position for point 2");
    Click(220, 150);
    EXPECT_EQ(host.dialogs.Texts("ask").back(),
              "Move Component: Do you wish to Move  Component With Point 2?");
    EXPECT_EQ(Point(1).x, 120);
    EXPECT_EQ(Point(1).y, 150);
    EXPECT_EQ(Point(3).x, 400);
    EXPECT_EQ(Prompt(), "Move Component: Select Point ");

    doc->DoCommand(CommandCode::DeleteComponent);
    ClickPoint(3);
    EXPECT_EQ(host.dialogs.Texts("ask").back(),
              "Delete Component : Do you wish to Delete  Component With Point 3?");
    EXPECT_EQ(Net().n, 2);
    EXPECT_EQ(Point(2).x, 220);
    EXPECT_TRUE(EdgeExists(Net(), 1, 2));
}

TEST_F(EditCommandsTest, DoubleClickOpensTheEdgeOnlyWhileHandlesShow) {
    Build({{100, 100}, {200, 100}});
    testing::AddTestEdge(Net(), 1, 2);
    const QPoint handle(150, 100);
    QTest::mouseDClick(Canvas(), Qt::LeftButton, Qt::NoModifier, handle);
    EXPECT_TRUE(doc->opened.empty());
    doc->ShowEdgelabels1Click();
    QTest::mouseDClick(Canvas(), Qt::LeftButton, Qt::NoModifier, handle);
    QTest::mouseDClick(Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_EQ(doc->opened, (std::vector<std::string>{"edge 1,2", "point 2"}));
    // Alt on the release before the double-click decomposes, handles shown or not.
    doc->ShowEdgelabels1Click();
    doc->opened.clear();
    QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::AltModifier, handle);
    QTest::mouseDClick(Canvas(), Qt::LeftButton, Qt::NoModifier, handle);
    EXPECT_EQ(doc->opened, std::vector<std::string>{"decompose 1,2"});
}

TEST_F(EditCommandsTest, EscapeDisarmsAPickedProcedure) {
    Build({{100, 100}, {200, 100}});
    testing::AddTestEdge(Net(), 1, 2);
    CommandMachine& machine = *doc;
    machine.Arm(Command::ShortestPath, "Shortest Path : Select Source Point");
    machine.SetFirstPoint(1);
    EXPECT_EQ(Prompt(), "Shortest Path : Select Source Point");
    EXPECT_TRUE(doc->findChild<QPushButton*>("ResetBtn")->isEnabled());
    QTest::keyClick(doc.get(), Qt::Key_Escape);
    EXPECT_EQ(machine.Armed(), Command::None);
    EXPECT_EQ(Label("LabelCoord"), "Ready");
    EXPECT_EQ(Prompt(), "");
    ClickPoint(2);
    EXPECT_TRUE(host.results.empty());
    EXPECT_TRUE(host.dialogs.calls.empty());
    EXPECT_EQ(Prompt(), "");
    EXPECT_EQ(Net().sinkPoint, 0);
}

TEST_F(EditCommandsTest, ChangeSizeAndMoveGraphActOnTheSelection) {
    Build({{100, 100}, {200, 100}, {300, 150}});
    ClickPoint(1, Qt::ShiftModifier);
    ClickPoint(2, Qt::ShiftModifier);
    doc->DoCommand(CommandCode::IncrementX); // Increment X on two selected points: about their own centre
    EXPECT_EQ(Point(1).x, 95);
    EXPECT_EQ(Point(2).x, 205);
    EXPECT_EQ(Point(3).x, 300);
    Item("MoveGraphToLeft1")->trigger();
    EXPECT_EQ(Point(1).x, 85);
    EXPECT_EQ(Point(2).x, 195);
    EXPECT_EQ(Point(3).x, 300);

    ClickPoint(2, Qt::ShiftModifier); // one selected point left: sizes act on all
    doc->DoCommand(CommandCode::IncrementX);
    EXPECT_EQ(Point(1).x, 80);
    EXPECT_EQ(Point(3).x, 305);
    Item("MoveGraphToDown1")->trigger(); // moves act on any selection
    EXPECT_EQ(Point(1).y, 110);
    EXPECT_EQ(Point(2).y, 100);
    // Each command a step, the repeated Increment X one with the step before it only.
    EXPECT_EQ(doc->History().count(), 4);
    EXPECT_EQ(doc->History().undoText().toStdString(), "Move Graph");
}

TEST_F(EditCommandsTest, FitNetToWindowLeavesAFittedNetAlone) {
    const QSize view = doc->findChild<QScrollArea*>()->viewport()->size();
    Build({{40, 40}, {view.width() - 40, view.height() - 40}});
    doc->DoCommand(CommandCode::FitNet);
    EXPECT_EQ(Point(2).x, view.width() - 40);
    EXPECT_FALSE(doc->History().canUndo());

    // A net in a corner is moved to the margins and grown.
    Net().points[1].x = 100;
    Net().points[1].y = 100;
    Net().points[2].x = 200;
    Net().points[2].y = 150;
    Item("FitNettoWindow1")->trigger();
    EXPECT_EQ(Point(1).x, 40);
    EXPECT_GE(Point(2).x, view.width() - 40);
    EXPECT_EQ(doc->History().undoText().toStdString(), "Fit Net to Window");
    doc->Undo1Click();
    EXPECT_EQ(Point(2).x, 200);
}

TEST_F(EditCommandsTest, ViewSwitchesKeepBothCheckMarks) {
    Build({{100, 100}});
    EXPECT_FALSE(Item("HideAllAttributes1")->isEnabled());
    Item("ShowEdgeName2")->trigger();
    EXPECT_EQ(Net().view.edgeNames, 1);
    EXPECT_TRUE(Item("ShowEdgeName1")->isChecked() && Item("ShowEdgeName2")->isChecked());
    EXPECT_TRUE(Item("HideAllAttributes1")->isEnabled());
    doc->ShowTokens1Click();
    doc->ShowEdgelabels1Click();
    EXPECT_TRUE(Item("ShowTokens2")->isChecked() && Item("ShowEdgelabels1")->isChecked());
    Item("HideAllAttributes2")->trigger();
    EXPECT_EQ(Net().view, (ViewFlags{1, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(Item("ShowEdgeName1")->isChecked() || Item("ShowTokens1")->isChecked());
    EXPECT_TRUE(Item("ShowEdgelabels2")->isChecked());

    // The sub-net item and its separator show only over an edge.
    std::vector<std::string> popup;
    for (QAction* a : doc->PopupMenu()->actions())
        if (a->isVisible()) popup.push_back(a->text().toStdString());
    EXPECT_EQ(popup,
              (std::vector<std::string>{"Reset Command", "Refresh Net", "Hide All Attributes",
                                        "Show Edge Name", "Show Edge Weight", "Show  Edge Flow (Reserve)",
                                        "Show Po&int Name", "Show Token", "Show  Edge labels"}));
    EXPECT_EQ(Item("ShowFlow1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_TRUE(Item("ShowFlow2")->shortcut().isEmpty());
}

TEST_F(EditCommandsTest, CommandCodesReachTheirHandlers) {
    Build({{100, 100}, {200, 100}});
    const std::vector<std::pair<CommandCode, std::string>> prompts = {
        {CommandCode::AddEdge, "Add Edge: Select first point of the Edge"},
        {CommandCode::DeleteEdge, "Delete Edge: Select first Edge point"},
        {CommandCode::DeleteComponent, "Delete Component: Select Component Point"},
        {CommandCode::MoveComponent, "Move Component: Select Point "}};
    for (const auto& [code, prompt] : prompts) {
        doc->DoCommand(code);
        EXPECT_EQ(Prompt(), prompt) << IndexOf(code);
    }
    doc->DoCommand(CommandCode::Retype); // an edgeless net changes its kind
    EXPECT_EQ(Net().kindName, "dirNet");
    EXPECT_EQ(Label("LabelType"), "dirNet");
    EXPECT_EQ(doc->Armed(), Command::None);
    doc->DoCommand(CommandCode::IncrementXY);
    EXPECT_EQ(Point(1).x, 95);
    EXPECT_EQ(Point(1).y, 100); // a flat extent does not grow

    // While a procedure runs, only the moves arm.
    host.state.run.busy = 1;
    doc->DoCommand(CommandCode::AddPoint);
    EXPECT_EQ(host.dialogs.Texts("warning"),
              std::vector<std::string>{"Procedure in Progress!\r\nFirst terminate procedure!"});
    EXPECT_EQ(doc->Armed(), Command::None);
    doc->DoCommand(CommandCode::MovePoint);
    EXPECT_EQ(doc->Armed(), Command::MovePoint);
    host.state.run.busy = 0;

    Net().name = "road";
    host.dialogs.answer = Answer::No;
    doc->DoCommand(CommandCode::DeleteAll);
    EXPECT_EQ(host.dialogs.Texts("ask"),
              std::vector<std::string>{
                  "Warning-Delete All: Are You sure? Do you wish to Delete \r\nNetWork   road ?"});
    EXPECT_EQ(Net().n, 2);
    host.dialogs.answer = Answer::Yes;
    doc->DoCommand(CommandCode::DeleteAll);
    EXPECT_EQ(Net().n, 0);
    EXPECT_FALSE(Item("DeletePoint1")->isEnabled());
}

TEST(EditNetTest, DeleteAllAndRetypeOnTheRecord) {
    NetWorkType sub = testing::NewTestNet(false);
    for (int i = 0; i < 4; ++i)
        testing::AddTestPoint(sub, 50 + 50 * i, 50);
    testing::AddTestEdge(sub, 1, 2);
    DeleteAllOf(sub, true); // a sub-net keeps the ends of its edge
    EXPECT_EQ(sub.n, 2);
    EXPECT_EQ(EdgeCount(sub), 0);
    DeleteAllOf(sub, false);
    EXPECT_EQ(sub.n, 0);

    NetWorkType net = testing::NewTestNet(true);
    for (int i = 0; i < 3; ++i)
        testing::AddTestPoint(net, 50 + 50 * i, 50);
    testing::AddTestEdge(net, 1, 2, 4.0);
    testing::AddTestEdge(net, 2, 1, 4.0);
    testing::AddTestEdge(net, 3, 1, 5.0);
    OptionType options;
    ASSERT_TRUE(RetypeNet(net, options));
    EXPECT_EQ(net.kindName, "undirNet");
    EXPECT_EQ(net.lists[3].front().weight, 5.0); // the old direction keeps its record
    EXPECT_EQ(net.lists[1].front().target, 3);   // the new one has new-element values
    EXPECT_EQ(net.lists[1].front().weight, 1.0);
    ASSERT_TRUE(RetypeNet(net, options));
    EXPECT_EQ(net.kindName, "dirNet");
    EXPECT_EQ(EdgeCount(net), 4);
}

} // namespace
} // namespace plax
