#include "scripted_pickers.h"
#include "test_host.h"

#include "view/display_option_rules.h"
#include "view/document_window.h"
#include "view/options_command.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace plax {
namespace {

using testing::ScriptedOptionsDialog;

PointOptionType Block(int number, int border, int fill, int doubleBorder, int colored) {
    PointOptionType o = DefaultPointOptions();
    o.showNumber = static_cast<std::uint8_t>(number);
    o.showBorder = static_cast<std::uint8_t>(border);
    o.fillPoint = static_cast<std::uint8_t>(fill);
    o.doubleBorder = static_cast<std::uint8_t>(doubleBorder);
    o.coloredBorder = static_cast<std::uint8_t>(colored);
    return o;
}

TEST(DisplayOptionRulesTest, NumberAndBorderDecideWhatMayBeUsed) {
    struct Row {
        int number, border;
        DisplayOptionEnabling enabled;
        int fill, doubleBorder, colored; // after the rules, all three set before
    };
    const Row rows[] = {
        {1, 1, {false, true, true}, 0, 1, 1},   // "Show Number" takes "Fill point" away
        {0, 1, {true, true, true}, 1, 1, 1},    // only a border without the number may be filled
        {0, 0, {false, false, false}, 0, 0, 0}, // no border: nothing of it stays
        {1, 0, {false, false, false}, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "number " << row.number << ", border " << row.border);
        PointOptionType o = Block(row.number, row.border, 1, 1, 1);
        EXPECT_EQ(DisplayOptionsEnabled(o), row.enabled);
        ApplyDisplayOptionRules(o);
        EXPECT_EQ(o.fillPoint, row.fill);
        EXPECT_EQ(o.doubleBorder, row.doubleBorder);
        EXPECT_EQ(o.coloredBorder, row.colored);
        EXPECT_EQ(o.showNumber, row.number);
        EXPECT_EQ(o.showBorder, row.border);
    }
}

TEST(OptionsCommandTest, SetDefaultRestoresTheUsualSettingsAndKeepsColoursAndPopUps) {
    OptionType o;
    o.options = Block(0, 0, 1, 1, 1);
    o.options.fontSize = 3;
    o.options.radius = 15;
    o.options.borderColor = 0x123456;
    o.editConfirmation = 1;
    o.selectConfirmation = 0;
    o.showEdgeLabels = 1;
    o.showPopUpInfo = 1;
    o.loadMode = 2;
    o.popUp = {0, 1, 1, 1, 0, 0, 0, 1};
    o.foreDefaultColor = 0x654321;
    SetDefaultOptions(o);
    EXPECT_EQ(o.options.fontSize, 8);
    EXPECT_EQ(o.options.radius, 10);
    EXPECT_EQ(o.options.showNumber, 1);
    EXPECT_EQ(o.options.showBorder, 1);
    EXPECT_EQ(o.options.fillPoint, 0);
    EXPECT_EQ(o.options.doubleBorder, 0);
    EXPECT_EQ(o.options.coloredBorder, 0);
    EXPECT_EQ(o.editConfirmation, 0);
    EXPECT_EQ(o.selectConfirmation, 1);
    EXPECT_EQ(o.showEdgeLabels, 0);
    EXPECT_EQ(o.loadMode, 1);
    EXPECT_EQ(o.options.borderColor, 0x123456u);
    EXPECT_EQ(o.popUp, (std::array<std::uint8_t, 8>{0, 1, 1, 1, 0, 0, 0, 1}));
    EXPECT_EQ(o.foreDefaultColor, 0x654321u);
    EXPECT_EQ(o.showPopUpInfo, 1);
}

TEST(OptionsCommandTest, WithoutDocumentsOnlyNoActionsAndOkChangesOnlyTheSettingsAndFonts) {
    testing::TestHost host;
    ProgramState& state = host.state;
    state.step = 7;
    EXPECT_EQ(state.resultFont.family().toStdString(), "Courier New Cyr");
    EXPECT_EQ(state.resultFont.pixelSize(), 15);

    ScriptedOptionsDialog cancel([](OptionsEdit& edit) {
        edit.options.editConfirmation = 1;
        return false;
    });
    EXPECT_FALSE(RunOptions(state, cancel, {}, nullptr));
    EXPECT_FALSE(cancel.opened.graphsOffered);
    EXPECT_EQ(cancel.opened.target, ApplyTarget::NoActions);
    EXPECT_EQ(state.options.editConfirmation, 0);
    // The dialog's fonts take over at its first opening, whatever its answer.
    for (const QFont* font : {&state.resultFont, &state.reportFont}) {
        EXPECT_EQ(font->family().toStdString(), "Courier New");
        EXPECT_EQ(font->pixelSize(), 13);
    }

    ScriptedOptionsDialog ok([](OptionsEdit& edit) {
        edit.options.editConfirmation = 1;
        edit.options.foreDefaultColor = 0x0000FF;
        edit.target = ApplyTarget::AllGraphs; // not offered: nothing to apply it to
        return true;
    });
    EXPECT_TRUE(RunOptions(state, ok, {}, nullptr));
    EXPECT_EQ(state.options.editConfirmation, 1);
    EXPECT_EQ(state.options.foreDefaultColor, 0x0000FFu);
    EXPECT_EQ(state.step, 7);
    EXPECT_EQ(state.clipboard.n, 0);
}

class OptionsOnDocumentsTest : public ::testing::Test {
protected:
    OptionsOnDocumentsTest() {
        for (int k = 0; k < 3; ++k) {
            documents.push_back(std::make_unique<TMDIChild>(host));
            documents.back()->NewDocument();
            raw.push_back(documents.back().get());
        }
    }
    // The options block the dialog ends with, and where it applies it.
    bool Ok(std::uint16_t radius, ApplyTarget target, TMDIChild* active) {
        ScriptedOptionsDialog dialog([&](OptionsEdit& edit) {
            opened = edit;
            edit.options.options.radius = radius;
            edit.target = target;
            return true;
        });
        return RunOptions(host.state, dialog, raw, active);
    }
    std::vector<int> Radii() const {
        std::vector<int> radii;
        for (TMDIChild* d : raw)
            radii.push_back(d->Net().defaultOptions.radius);
        return radii;
    }

    testing::TestHost host;
    std::vector<std::unique_ptr<TMDIChild>> documents;
    std::vector<TMDIChild*> raw;
    OptionsEdit opened;
};

TEST_F(OptionsOnDocumentsTest, AllGraphsGivesEveryNetTheBlockCurrentGraphOnlyTheActiveOne) {
    EXPECT_TRUE(Ok(14, ApplyTarget::AllGraphs, raw[0]));
    EXPECT_TRUE(opened.graphsOffered);
    EXPECT_EQ(opened.target, ApplyTarget::CurrentGraph);
    EXPECT_EQ(Radii(), (std::vector<int>{14, 14, 14}));
    EXPECT_EQ(host.state.options.options.radius, 14);

    EXPECT_TRUE(Ok(6, ApplyTarget::CurrentGraph, raw[1]));
    EXPECT_EQ(Radii(), (std::vector<int>{14, 6, 14}));

    EXPECT_TRUE(Ok(3, ApplyTarget::NoActions, raw[1]));
    EXPECT_EQ(Radii(), (std::vector<int>{14, 6, 14}));
    EXPECT_EQ(host.state.options.options.radius, 3);
}

TEST_F(OptionsOnDocumentsTest, TheTokenItemsBelongToDirectedNets) {
    TMDIChild& d = *raw[0];
    for (const char* name : {"ShowTokens1", "ShowTokens2"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(d.findChild<QAction*>(name)->isEnabled());
    }
    d.Retype1Click();
    ASSERT_EQ(d.Net().kindName, "dirNet");
    for (const char* name : {"ShowTokens1", "ShowTokens2"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(d.findChild<QAction*>(name)->isEnabled());
    }
}

} // namespace
} // namespace plax
