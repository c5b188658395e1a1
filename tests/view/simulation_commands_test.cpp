#include "view/simulation_commands.h"
#include "view/state_graph_window.h"

#include "accounts/procedure_texts.h"
#include "petri/coverability.h"
#include "petri/invariants.h"
#include "petri/liveness.h"
#include "petri/marking_graph.h"
#include "petri/petri_net.h"

#include "view/procedure_marks.h"

#include "scratch_dir.h"
#include "test_document.h"
#include "view_test_nets.h"

#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace plax {
namespace {

using testing::TestDocument;

constexpr std::uint16_t Place = 0;
constexpr std::uint16_t Transition = 2;
constexpr std::uint16_t Diamond = 4;

struct Display : EditMachineDisplay {
    void ClearCommandDisplay() override {}
    void EnableReset(bool enabled) override { resetEnabled = enabled; }
    void UnsetCursor() override {}
    void SetCrossCursor() override {}
    void PickingClick(int) override {}
    void PasteAt(int, int) override {}
    bool resetEnabled = false;
};

struct Point {
    std::uint16_t shape;
    std::uint16_t tokens;
};

// Point i stands at (100 i, 100).
NetWorkType Net(const std::vector<Point>& points, const std::vector<std::pair<int, int>>& edges,
                bool directed = true) {
    NetWorkType net = testing::NewTestNet(directed);
    for (const Point& p : points)
        net.points[static_cast<std::size_t>(testing::AddTestPoint(net, 100 * (net.n + 1), 100, p.shape))]
            .tokens = p.tokens;
    for (auto [from, to] : edges)
        testing::AddTestEdge(net, from, to);
    return net;
}

class SimulationTest : public ::testing::Test {
protected:
    void Use(NetWorkType net) { doc.net = std::move(net); }
    void ClickOn(int p) {
        machine.Pressed(100 * p, 100);
        machine.Click();
    }
    std::uint16_t Tokens(int p) const { return doc.net.points[static_cast<std::size_t>(p)].tokens; }
    std::vector<std::string> Texts(const char* kind) const { return doc.host.dialogs.Texts(kind); }
    const ManualSimulation& Game() const { return machine.Simulation(); }

    TestDocument doc;
    Display display;
    EditMachine machine{doc, display};
    QWidget owner;
    SimulationCommands commands{doc, machine, owner};
};

TEST_F(SimulationTest, StartRefusesWhatIsNoLivePetriNet) {
    const auto loop = std::vector<std::pair<int, int>>{{1, 2}, {2, 1}};
    Use(Net({{Place, 1}, {Transition, 0}}, loop, false));
    commands.OrdinaryNet1Click();
    commands.AutoOrdinaryPetriNet1Click();
    commands.Reachability1Click();
    EXPECT_EQ(Texts("warning"), std::vector<std::string>(3, NotBichromaticMessage));
    EXPECT_FALSE(Game().Running());
    EXPECT_TRUE(doc.host.results.empty());

    // A place of 0 tokens feeding the only transition; a diamond of 0 tokens blocks likewise.
    for (const std::uint16_t feeder : {Place, Diamond}) {
        Use(Net({{feeder, 0}, {Transition, 0}, {Place, 0}}, {{1, 2}, {2, 3}}));
        commands.OrdinaryNet1Click();
        EXPECT_FALSE(Game().Running());
    }
    EXPECT_EQ(Texts("information"), std::vector<std::string>(2, NotLiveMessage));

    Use(Net({{Place, 1}, {Transition, 0}}, loop));
    doc.host.state.run.busy = 1;
    commands.OrdinaryNet1Click();
    EXPECT_EQ(Texts("warning").back(), ProcedureInProgressMessage);
    EXPECT_FALSE(Game().Running());
}

TEST_F(SimulationTest, ClicksFireTheEnabledTransitionsByTheFiringRule) {
    // 1 -> 2 -> 1 keeps its one token; 3 (always enabled) adds to 4, which holds the ceiling;
    // the diamond 5 lets 6 fire without losing its token.
    Use(Net({{Place, 1},
             {Transition, 0},
             {Transition, 0},
             {Place, TokenCeiling},
             {Diamond, 1},
             {Transition, 0},
             {Place, 0}},
            {{1, 2}, {2, 1}, {3, 4}, {5, 6}, {6, 7}}));
    commands.OrdinaryNet1Click();
    ASSERT_TRUE(Game().Running());
    EXPECT_TRUE(display.resetEnabled);
    EXPECT_EQ(doc.prompts.back(), ManualSimulationStatus);
    for (const int p : {2, 2, 2, 3, 6, 6, 1, 4})
        ClickOn(p);
    EXPECT_EQ(Tokens(1), 1);
    EXPECT_EQ(Tokens(4), TokenCeiling);
    EXPECT_EQ(Tokens(5), 1);
    EXPECT_EQ(Tokens(7), 2);
    const SimulationProcessData data = commands.ProcessData();
    EXPECT_EQ(data.transitions, (std::vector<ProcessBar>{{2, "", 3}, {3, "", 1}, {6, "", 2}}));
    EXPECT_EQ(data.places,
              (std::vector<ProcessBar>{{1, "", 1}, {4, "", TokenCeiling}, {5, "", 1}, {7, "", 2}}));

    // An edit under the game (an undo) empties place 1: 2 must not make a token from nothing.
    doc.net.points[1].tokens = 0;
    ClickOn(2);
    EXPECT_EQ(Tokens(1), 0);
}

TEST_F(SimulationTest, TransitionsBlinkUntilTheSimulationEnds) {
    // 2 takes the only token of 1, which 3 needs too.
    Use(Net({{Place, 1}, {Transition, 0}, {Transition, 0}, {Place, 0}}, {{1, 2}, {1, 3}, {2, 4}, {3, 4}}));
    commands.OrdinaryNet1Click();
    const PointFlags both = Game().Enabled();
    ASSERT_TRUE(both[2] && both[3]);
    machine.Simulation().Tick(false);
    EXPECT_EQ(Game().Inverted(), both);
    EXPECT_FALSE(machine.Simulation().Tick(true)) << "no blinking under a point drag";
    machine.Simulation().Tick(false);
    EXPECT_EQ(Game().Inverted(), PointFlags{});
    machine.Simulation().Tick(false);
    ClickOn(2);
    EXPECT_EQ(Game().Inverted(), PointFlags{}) << "neither is enabled any more";
    EXPECT_TRUE(Game().Running()) << "a simulation with nothing enabled runs on";
    machine.ResetSoft();
    EXPECT_TRUE(Game().Running()) << "the soft reset ends it only while something is enabled";
    machine.Reset();
    EXPECT_FALSE(Game().Running());
}

TEST_F(SimulationTest, AutomaticRunChoosesByLevelAndReports) {
    // Levels 0 and 2, both always enabled: chosen 1/4 and 3/4 of the time.
    Use(Net({{Transition, 0}, {Place, 0}, {Transition, 2}, {Place, 0}}, {{1, 2}, {3, 4}}));
    doc.host.autoRun = AutoRunParameters{4000, 7};
    commands.AutoOrdinaryPetriNet1Click();
    const FiringCounts& firings = Game().Firings();
    EXPECT_EQ(firings[1] + firings[3], 4000u);
    EXPECT_NEAR(static_cast<double>(firings[1]), 1000.0, 120.0);
    EXPECT_EQ(Tokens(2), firings[1]);
    EXPECT_EQ(Tokens(4), firings[3]);
    const std::vector<std::string> lines = doc.host.LastResults();
    ASSERT_GT(lines.size(), 15u);
    EXPECT_EQ(lines[1], AutoRunTitle);
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + 11, lines.begin() + 14),
        (std::vector<std::string>{"    Firings : 4000", "    End : the firing limit of 4000 was reached.",
                                  "    Seed : 7 (the same seed repeats the run)"}));
    EXPECT_EQ(lines.back(), ProcedureCompleteLine);
    EXPECT_EQ(commands.AutoParameters().seed, 7u);

    // The same seed repeats the run; Cancel runs nothing.
    const std::uint16_t first = Tokens(2);
    Use(Net({{Transition, 0}, {Place, 0}, {Transition, 2}, {Place, 0}}, {{1, 2}, {3, 4}}));
    commands.AutoOrdinaryPetriNet1Click();
    EXPECT_EQ(Tokens(2), first);
    doc.host.autoRun.reset();
    commands.AutoOrdinaryPetriNet1Click();
    EXPECT_EQ(doc.host.results.size(), 2u);
}

TEST_F(SimulationTest, MenuOffersTheItemsOnDirectedNetsAndReachabilityReports) {
    QStringList captions;
    for (const QAction* a : commands.Menu()->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{"Ordinary Petri Net", "Auto Ordinary Petri Net", "-",
                                     "Simulation Process", "Reachability...", "Coverability...",
                                     "Liveness...", "Invariants...", "State Graph"}));
    commands.DefEnableItem(testing::NewTestNet(false));
    EXPECT_FALSE(commands.Menu()->menuAction()->isEnabled());
    commands.DefEnableItem(testing::NewTestNet(true));
    EXPECT_TRUE(commands.Menu()->menuAction()->isEnabled());

    Use(Net({{Place, 2}, {Transition, 0}, {Place, 0}}, {{1, 2}, {2, 3}}));
    commands.Reachability1Click();
    const std::vector<std::string> lines = doc.host.LastResults();
    ASSERT_GT(lines.size(), 14u);
    EXPECT_EQ(lines[1], ReachabilityTitle);
    EXPECT_EQ(lines[13], "    Reachable markings : 3");
    EXPECT_EQ(doc.host.requests.back(), "marking bound");
    // The bound answered is the one explored; a cancelled question runs nothing.
    doc.host.markingBound = 2;
    commands.Reachability1Click();
    EXPECT_EQ(doc.host.LastResults()[13],
              "    Reachable markings : at least 2 (the bound on stored markings)");
    doc.host.markingBound.reset();
    commands.Reachability1Click();
    EXPECT_EQ(doc.host.results.size(), 2u);
    commands.SimulationProcess1Click();
    EXPECT_EQ(doc.host.requests.back(), "simulation process");
}

// The state graph: one box per marking, a click shows one, a double click takes it as a step;
// a graph too large to draw offers the count instead, and a save writes the DOT text.
TEST_F(SimulationTest, StateGraphShowsAndTakesMarkings) {
    Use(Net({{Place, 1}, {Transition, 0}, {Place, 0}}, {{1, 2}, {2, 3}}));
    commands.StateGraph1Click();
    StateGraphWindow* window = commands.StateGraphShown();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Graph().markings.size(), 2u);
    window->ShowMarking(1);
    EXPECT_EQ(window->Shown(), 1u);
    EXPECT_EQ(window->findChild<QLabel*>("StateGraphCaption")->text().toStdString(),
              "M1: P3\n1 firing(s) from M0, dead\nDouble-click to make it the net's marking.");
    window->Take(1);
    EXPECT_EQ(doc.edits, std::vector<std::string>{"Take Marking"});
    EXPECT_EQ(Tokens(1), 0);
    EXPECT_EQ(Tokens(3), 1);
    testing::ScratchDir dir;
    doc.host.dialogs.paths = {dir.File("states.dot")};
    EXPECT_TRUE(window->Save());
    EXPECT_NE(testing::ReadAll(dir.File("states.dot")).find("  m1 [label=\"M1\\nP3\", style=filled"),
              std::string::npos);

    // A place that grows without bound: the coverability graph, whose w node is no marking to take.
    Use(Net({{Transition, 0}, {Place, 0}}, {{1, 2}}));
    commands.StateGraph1Click();
    window = commands.StateGraphShown();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" Coverability Graph")));
    ASSERT_EQ(window->Graph().markings.size(), 2u);
    window->ShowMarking(1);
    EXPECT_EQ(window->findChild<QLabel*>("StateGraphCaption")->text().toStdString(),
              "M1: w P2\n1 firing(s) from M0\nw stands for a count that grows without bound: no one marking "
              "to take.");
    window->Take(1);
    EXPECT_EQ(doc.edits.size(), 1u);
    EXPECT_EQ(Texts("beep").size(), 1u);

    Use(Net({{Place, 600}, {Transition, 0}, {Place, 0}}, {{1, 2}, {2, 3}}));
    doc.host.dialogs.answer = Answer::No;
    commands.StateGraph1Click();
    ASSERT_FALSE(Texts("confirm").empty());
    EXPECT_EQ(Texts("confirm").back(), StateGraphTooLargeQuestion);
    EXPECT_TRUE(doc.host.results.empty());
}

TEST_F(SimulationTest, CoverabilityLivenessAndInvariantsWithItsLinesOnTheCanvas) {
    Use(Net({{Place, 2}, {Transition, 0}, {Place, 0}}, {{1, 2}, {2, 3}}));
    doc.host.markingBound = 100;
    commands.Coverability1Click();
    EXPECT_EQ(doc.host.LastResults()[1], CoverabilityTitle);
    EXPECT_EQ(doc.host.LastResults()[13], "    Coverability nodes : 3");
    commands.Liveness1Click();
    EXPECT_EQ(doc.host.LastResults()[1], LivenessTitle);
    EXPECT_EQ(doc.host.LastResults()[17],
              "    Live transitions (L4, can fire again from every reachable marking) : none");
    commands.Invariants1Click();
    const std::vector<std::string> lines = doc.host.LastResults();
    ASSERT_GT(lines.size(), 18u);
    EXPECT_EQ(lines[17], "        M(p1) + M(p3) = 2");

    const Color normal = doc.net.points[2].color;
    // A click while a sub-net is edited shows nothing there; back on the level it shows again.
    doc.level = {{1, 2}};
    commands.ShowInvariantLine(lines[17], {});
    EXPECT_EQ(doc.net.points[1].color, normal);
    doc.level.clear();
    commands.ShowInvariantLine(lines[17], {});
    EXPECT_EQ(doc.net.points[1].color, MarkRed);
    EXPECT_EQ(doc.net.points[2].color, normal);
    EXPECT_EQ(doc.net.points[3].color, MarkRed);
    commands.ShowInvariantLine(lines[14], {});
    EXPECT_EQ(doc.net.points[1].color, MarkRed) << "a line naming no invariant leaves the marks";
    doc.host.state.run.busy = 1;
    commands.Invariants1Click();
    EXPECT_EQ(Texts("warning").back(), ProcedureInProgressMessage);
}

} // namespace
} // namespace plax
