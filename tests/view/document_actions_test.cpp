#include "test_host.h"

#include "view/document_actions.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

// The commands behind the items, recorded by name.
struct RecordingCommands : DocumentCommands {
    void DoCommand(CommandCode code) override { Run("code " + std::to_string(IndexOf(code))); }
    bool SaveNetAs() override {
        Run("save as");
        return false;
    }
    bool Export1Click() override {
        Run("export");
        return false;
    }
    void Print1Click() override { Run("print"); }
    void PrintSetup1Click() override { Run("print setup"); }
    void CopyToClipboard() override { Run("copy"); }
    void StartPaste() override { Run("paste"); }
    void CopyAsPicture1Click() override { Run("picture"); }
    void CopyAsTikz1Click() override { Run("tikz"); }
    void ClearCustomPOptionsClick() override { Run("clear options"); }
    void MoveGraph(int dx, int dy) override { Run("move " + std::to_string(dx) + "," + std::to_string(dy)); }
    void ResetCommand() override { Run("reset"); }
    void RefreshNet1Click() override { Run("refresh"); }
    void HideAllAttributes2Click() override { Run("hide all"); }
    void ShowEdgeName1Click() override { Run("edge names"); }
    void ShowMark1Click() override { Run("weights"); }
    void ShowFlow1Click() override { Run("flows"); }
    void ShowPointName1Click() override { Run("point names"); }
    void ShowTokens1Click() override { Run("tokens"); }
    void ShowEdgelabels1Click() override { Run("edge labels"); }
    void ShowReport1Click() override { Run("show report"); }
    void ClearReport1Click() override { Run("clear report"); }
    void Layout1Click(LayoutKind kind) override { Run("layout " + std::to_string(static_cast<int>(kind))); }
    void Zoom1Click(ZoomCommand command) override {
        Run("zoom " + std::to_string(static_cast<int>(command)));
    }
    void Run(const std::string& what) { calls.push_back(what); }

    std::vector<std::string> calls;
};

class DocumentActionsTest : public ::testing::Test {
protected:
    QAction* Item(const char* name) const { return owner.findChild<QAction*>(name); }

    testing::TestHost host;
    RecordingCommands commands;
    QWidget owner;
    std::vector<std::string> filled;
    DocumentActions* actions = new DocumentActions(
        owner, host, commands, [this](QMenu& property) { filled.push_back(property.title().toStdString()); });
};

TEST_F(DocumentActionsTest, EveryItemRunsItsCommandAndTheMirrorsRunTheirSources) {
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"Save1", "code 19"},
        {"AddPoint1", "code 0"},
        {"DecrementXandY1", "code 12"},
        {"FitNettoWindow1", "code 15"},
        {"SaveAs1", "save as"},
        {"Export1", "export"},
        {"Print1", "print"},
        {"Copy1", "copy"},
        {"Paste1", "paste"},
        {"CopyAsPicture1", "picture"},
        {"CopyAsTikz1", "tikz"},
        {"ResetCommand1", "reset"},
        {"RefreshNet2", "refresh"},
        {"HideAllAttributes2", "hide all"},
        {"ShowMark2", "weights"},
        {"ShowEdgelabels1", "edge labels"},
        {"MoveGraphToLeft1", "move -10,0"},
        {"MoveGraphToDown1", "move 0,10"},
        {"ClearReport1", "clear report"},
        {"LayoutCircle1", "layout 0"},
        {"LayoutForceDirected1", "layout 3"},
        {"ZoomIn1", "zoom 0"},
        {"ZoomToFit1", "zoom 3"},
    };
    for (const auto& [name, call] : rows) {
        SCOPED_TRACE(name);
        ASSERT_NE(Item(name), nullptr);
        commands.calls.clear();
        Item(name)->setEnabled(true);
        Item(name)->trigger();
        EXPECT_EQ(commands.calls, std::vector<std::string>{call});
    }
    // The frame's own items take their places in the File menu, Exit last.
    actions->AddFrameItems(host.Actions());
    std::vector<std::string> file;
    for (QAction* a : actions->Menus()[0]->actions())
        file.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    EXPECT_EQ(file, (std::vector<std::string>{"New1", "NewFromTemplate1", "Open1", "Recent1", "Close1", "-",
                                              "&Save", "Save &As...", "-", "Import1", "Export...", "-",
                                              "&Print", "Prin&t Setup...", "-", "Options1", "-", "Exit1"}));
    for (QAction* a : actions->Menus()[0]->actions())
        if (a->objectName() == "New1" || a->objectName() == "Import1" ||
            a->objectName() == "NewFromTemplate1")
            a->trigger();
    EXPECT_EQ(host.requests, (std::vector<std::string>{"new", "new from template", "import"}));
    EXPECT_EQ(Item("ZoomIn1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Equal));
    EXPECT_EQ(Item("ZoomOut1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_EQ(Item("ActualSize1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(filled, std::vector<std::string>{"&Property"});
    ASSERT_EQ(actions->Menus().size(), 5U);
    EXPECT_EQ(actions->Menus()[3]->title().toStdString(), "&Property");
}

TEST_F(DocumentActionsTest, EnablingAndCheckMarksComeFromTheGivenStates) {
    ActionStates states;
    states.enabling[CommandCode::AddPoint] = true;
    states.enabling[CommandCode::Save] = true;
    states.paste = true;
    states.view.edgeNames = 1;
    actions->DefEnableItem(states);
    struct Row {
        const char* name;
        bool enabled;
        bool checked;
    };
    const Row rows[] = {
        {"AddPoint1", true, false},
        {"AddEdge1", false, false},
        {"Save1", true, false},
        {"Retype1", false, false},
        {"Copy1", false, false},
        {"Paste1", true, false},
        {"CopyAsPicture1", false, false},
        {"CopyAsTikz1", false, false},
        {"HideAllAttributes1", false, false},
        {"HideAllAttributes2", false, false},
        {"ShowEdgeName1", true, true},
        {"ShowEdgeName2", true, true},
        {"ShowMark1", true, false},
        {"LayoutGrid1", false, false},
        {"ZoomOut1", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Item(row.name)->isEnabled(), row.enabled);
        EXPECT_EQ(Item(row.name)->isChecked(), row.checked);
    }
    states.view.edgeNames = 0;
    actions->SyncViewChecks(states.view);
    EXPECT_FALSE(Item("ShowEdgeName2")->isChecked());
}

} // namespace
} // namespace plax
