#include "test_document.h"
#include "view_test_nets.h"

#include "view/edit_machine.h"

#include "model/net_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using testing::TestDocument;

// The window side of the machine, recorded.
struct RecordingDisplay : EditMachineDisplay {
    void ClearCommandDisplay() override { ++clears; }
    void EnableReset(bool enabled) override { resetEnabled = enabled; }
    void UnsetCursor() override {
        ++cursorUnsets;
        cross = false;
    }
    void SetCrossCursor() override { cross = true; }
    void PickingClick(int p) override { calls.push_back("pick " + std::to_string(p)); }
    void PasteAt(int x, int y) override {
        calls.push_back("paste " + std::to_string(x) + "," + std::to_string(y));
    }

    int clears = 0;
    int cursorUnsets = 0;
    bool cross = false;
    bool resetEnabled = false;
    std::vector<std::string> calls;
};

struct Machine {
    Machine() {
        doc.net = testing::NewTestNet(false);
        testing::AddTestPoint(doc.net, 100, 100);
        testing::AddTestPoint(doc.net, 200, 100);
        testing::AddTestPoint(doc.net, 150, 200);
    }
    void ClickAt(int x, int y) {
        machine.Pressed(x, y);
        machine.Click();
    }
    std::string LastPrompt() const { return doc.prompts.empty() ? "" : doc.prompts.back(); }

    TestDocument doc;
    RecordingDisplay display;
    EditMachine machine{doc, display};
};

TEST(EditMachineTest, EachEditingCommandArmsByItsOwnRule) {
    struct Row {
        Command command;
        const char* prompt;
        bool refusedWhileBusy;
        bool unsetsCursor;
        bool reEnables;
    };
    const Row rows[] = {
        {Command::AddPoint, "Add Point: Select Position for the point and Click", true, false, true},
        {Command::AddEdge, "Add Edge: Select first point of the Edge", true, false, true},
        {Command::DeletePoint, "Delete Point: Select Point  to Delete", true, true, true},
        {Command::DeleteEdge, "Delete Edge: Select first Edge point", true, true, true},
        {Command::DeleteComponent, "Delete Component: Select Component Point", true, true, true},
        {Command::MovePoint, "Move Point: Select Point ", false, false, false},
        {Command::MoveComponent, "Move Component: Select Point ", false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.prompt);
        Machine idle;
        idle.machine.SetFirstPoint(3);
        idle.machine.ArmEdit(row.command);
        EXPECT_EQ(idle.machine.Armed(), row.command);
        EXPECT_EQ(idle.LastPrompt(), row.prompt);
        EXPECT_TRUE(idle.display.resetEnabled);
        EXPECT_EQ(idle.display.clears, 1);
        EXPECT_EQ(idle.display.cursorUnsets, row.unsetsCursor ? 1 : 0);
        EXPECT_EQ(idle.doc.enablings, row.reEnables ? 1 : 0);

        Machine busy;
        busy.doc.host.state.run.busy = 1;
        busy.machine.ArmEdit(row.command);
        EXPECT_EQ(busy.machine.Armed(), row.refusedWhileBusy ? Command::None : row.command);
        EXPECT_EQ(busy.doc.host.dialogs.Texts("warning").size(), row.refusedWhileBusy ? 1U : 0U);
    }
}

TEST(EditMachineTest, ClicksBuildAndRemoveAnEdgeThenReachTheirTargets) {
    Machine m;
    m.machine.ArmEdit(Command::AddEdge);
    m.ClickAt(400, 400);
    EXPECT_EQ(m.doc.host.dialogs.Texts("beep").size(), 1U);
    m.ClickAt(100, 100);
    EXPECT_EQ(m.LastPrompt(), "Add Edge: Has been selected point 1. Select second point");
    m.ClickAt(100, 100);
    EXPECT_EQ(m.LastPrompt(), "Add Edge: Select another second point for point 1.");
    m.ClickAt(200, 100);
    EXPECT_TRUE(EdgeExists(m.doc.net, 1, 2) && EdgeExists(m.doc.net, 2, 1));
    EXPECT_EQ(m.machine.FirstPoint(), 0);
    EXPECT_EQ(m.LastPrompt(), "Add Edge: Select first point of the Edge");
    EXPECT_EQ(m.machine.Armed(), Command::AddEdge);

    m.doc.host.state.options.editConfirmation = 1;
    m.doc.host.dialogs.answers = {Answer::No, Answer::Yes};
    m.machine.ArmEdit(Command::DeleteEdge);
    for (int round = 0; round < 2; ++round) {
        m.ClickAt(100, 100);
        m.ClickAt(200, 100);
    }
    EXPECT_EQ(m.doc.host.dialogs.Texts("ask").size(), 2U);
    EXPECT_FALSE(EdgeExists(m.doc.net, 1, 2));
    EXPECT_EQ(m.machine.Armed(), Command::None); // no edge left to delete
    EXPECT_FALSE(m.display.resetEnabled);

    m.machine.Arm(Command::ShortestPath, "Shortest Path : Select Source Point");
    m.ClickAt(200, 100);
    m.machine.Arm(Command::PastePlacement, "");
    m.ClickAt(30, 40);
    EXPECT_EQ(m.display.calls, (std::vector<std::string>{"pick 2", "paste 30,40"}));
}

} // namespace
} // namespace plax
