#include "view/picking_commands.h"
#include "view/property_commands.h"

#include "net_builders.h"
#include "test_document.h"
#include "view_test_nets.h"

#include "accounts/k_shortest_paths_account.h"
#include "accounts/procedure_texts.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using testing::AddEdge;
using testing::Blue;
using testing::Green;
using testing::MakeNet;
using testing::Red;
using testing::Silver;
using testing::TestDocument;
using testing::TestHost;

constexpr Color Normal = 0x202020;

class PickingCommandsTest : public ::testing::Test {
protected:
    PickingCommandsTest() { doc.host.state.options.foreDefaultColor = Normal; }

    Color EdgeColor(int from, int to) const {
        for (const EdgeType& e : doc.net.lists[static_cast<std::size_t>(from)])
            if (e.target == to) return e.color;
        ADD_FAILURE() << "no edge " << from << "->" << to;
        return 0;
    }
    Color PointColor(int p) const { return doc.net.points[static_cast<std::size_t>(p)].color; }
    std::vector<std::string> Warnings() const { return doc.host.dialogs.Texts("warning"); }
    std::vector<std::string> Infos() const { return doc.host.dialogs.Texts("information"); }

    // The Results text of a run on the document's net: the title lines and the header at the
    // host's clock, then `body`.
    std::vector<std::string> Account(const std::vector<std::string>& titles,
                                     const std::vector<std::string>& body) const {
        std::vector<std::string> lines = {""};
        lines.insert(lines.end(), titles.begin(), titles.end());
        for (const std::string& line :
             {std::string("                Time : 12:00"), std::string("                Date : 01.01.2027"),
              "             NetWork : " + doc.net.name, "                Type : " + doc.net.kindName,
              "    Number of Points : " + std::to_string(doc.net.n),
              "    Number of Edges  : " + std::to_string(EdgeCount(doc.net)), std::string(),
              std::string("    ---------------------------------------------"), std::string()})
            lines.push_back(line);
        lines.insert(lines.end(), body.begin(), body.end());
        return lines;
    }

    TestDocument doc;
    TestDocument& machine = doc;
    PickingCommands commands{doc, machine};
};

std::vector<std::string> Names(const QMenu& menu) {
    std::vector<std::string> names;
    for (const QAction* a : menu.actions())
        names.push_back(a->objectName().toStdString());
    return names;
}

// The Property menu holds the picking items among the others.
TEST_F(PickingCommandsTest, ItemsSitAtTheirPlaces) {
    QMenu property;
    PropertyCommands items{doc, commands, property};
    EXPECT_EQ(Names(*property.actions()[0]->menu()),
              (std::vector<std::string>{"QuickMetrics1", "CutPoints1", "Bridges1", "EulerianPath1",
                                        "EulerianCycle1", "HamiltonianPath1", "HamiltonianCicle1", "Density1",
                                        "Undensity1", "PointCover1", "PointColoration1", "QuickColor11",
                                        "QuickColor21", "SortAutomorphism1", "UnsortAutomorphism1",
                                        "SymmetryGroup1"}));
    EXPECT_EQ(Names(*property.actions()[1]->menu()),
              (std::vector<std::string>{"ShortestPath1", "AllShortestPath1", "MinSpanningTree1",
                                        "MaximalFlow1", "CriticalPath1", "kshortestPath1", "MaxCapacityPath1",
                                        "SalesmanProblem1"}));
    EXPECT_EQ(property.findChild<QAction*>("SalesmanProblem1")->statusTip(), "Search Salesman Cicle");

    // The item arms the pick as its handler does.
    doc.net = MakeNet(UndirNetCode, 2);
    AddEdge(doc.net, 1, 2, 1.0);
    property.findChild<QAction*>("MaxCapacityPath1")->trigger();
    EXPECT_EQ(machine.armed, Command::MaxCapacityPath);
    EXPECT_EQ(machine.prompts.back(), "Max. Capacity Path  : Select Source Point ");
}

TEST_F(PickingCommandsTest, HandlersRefuseOrArmWithTheirPrompts) {
    struct Case {
        void (PickingCommands::*handler)();
        Command command;
        const char* prompt;
        const char* info;
        const char* refusalKind;
        const char* refusal;
    };
    const std::vector<Case> cases = {
        {&PickingCommands::ShortestPath1Click, Command::ShortestPath, "Shortest Path : Select Source Point ",
         " Select Two Points to find Shortest Path \r\nfrom the Source to the Sink.", "warning",
         "There isnt Shortest Path ! Trivial NetWork."},
        {&PickingCommands::AllShortestPath1Click, Command::AllShortestPath,
         "All Shortest Path : Select Source Point ", "Select Source Point ", "warning", "Trivial NetWork."},
        {&PickingCommands::MaximalFlow1Click, Command::MaximalFlow, "Maximal Flow: Select Source Point ",
         " Select Two Points to find Maximal Flow\r\nfrom the Source to the Sink.", "information",
         "Trivial NetWork."},
        {&PickingCommands::kshortestPath1Click, Command::KShortestPaths,
         "k Shortest Paths: Select Source Point ",
         "Select Two Points to Obtain k Shortest Paths\r\nfrom the Source to the Sink.", "warning",
         "Trivial NetWork."},
        {&PickingCommands::MaxCapacityPath1Click, Command::MaxCapacityPath,
         "Max. Capacity Path  : Select Source Point ",
         " Select Two Points to find Max. Capacity Path \r\nfrom the Source to the Sink.", "warning",
         "There isnt Path "},
        {&PickingCommands::HamiltonianPath1Click, Command::HamiltonianPath,
         "Hamiltonian Path : Select Source Point ", "Select Source Point ", "warning",
         "Trivial NetWork.There isnt Hamiltonian Path !"},
        {&PickingCommands::HamiltonianCicle1Click, Command::HamiltonianCycle,
         "Hamiltonian Cycle : Select Source Point ", "Select Source Point ", "warning",
         "Trivial NetWork.There isnt Hamiltonian Cycle !"},
        {&PickingCommands::SalesmanProblem1Click, Command::Salesman, "Salesman problem: Select Source Point ",
         "Select Source Point ", "warning", "Trivial NetWork.There isnt Hamiltonian Cycle !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        doc.host.dialogs.calls.clear();
        doc.net = MakeNet(UndirNetCode, 1);
        (commands.*c.handler)();
        EXPECT_EQ(machine.armed, Command::None);
        EXPECT_EQ(doc.host.dialogs.Texts(c.refusalKind), std::vector<std::string>{c.refusal});

        doc.host.dialogs.calls.clear();
        doc.net = MakeNet(UndirNetCode, 2);
        AddEdge(doc.net, 1, 2, 1.0);
        doc.host.state.run.busy = 1;
        (commands.*c.handler)();
        EXPECT_EQ(machine.armed, Command::None);
        EXPECT_EQ(Warnings(), std::vector<std::string>{ProcedureInProgressMessage});
        doc.host.state.run.busy = 0;

        doc.host.dialogs.calls.clear();
        (commands.*c.handler)();
        EXPECT_EQ(machine.armed, c.command);
        EXPECT_EQ(machine.prompts.back(), c.prompt);
        EXPECT_EQ(Infos(), std::vector<std::string>{c.info});
    }
    // A net where not every point reaches every other has no Hamiltonian path to look for.
    doc.net = MakeNet(DirNetCode, 2);
    AddEdge(doc.net, 1, 2, 1.0);
    doc.host.dialogs.calls.clear();
    commands.HamiltonianPath1Click();
    EXPECT_EQ(machine.armed, Command::None);
    EXPECT_EQ(Warnings(),
              std::vector<std::string>{"There isnt Hamiltonian Path !\r\nProcedure terminated! "});
    // Without Select Confirmation no box; Cancel in the k dialog ends the command.
    doc.host.state.options.selectConfirmation = 0;
    doc.host.dialogs.calls.clear();
    commands.ShortestPath1Click();
    EXPECT_TRUE(doc.host.dialogs.calls.empty());
    doc.host.kPaths.reset();
    commands.kshortestPath1Click();
    EXPECT_EQ(machine.armed, Command::None);
    EXPECT_EQ(machine.prompts.back(), "k Shortest Paths: Select Source Point ");
}

// 1->2 (2), 2->3 (2.5), 1->3 (5) and a lone point 4.
TEST_F(PickingCommandsTest, ShortestPathPicksSourceAndSinkAndRuns) {
    doc.net = MakeNet(DirNetCode, 4, "road");
    AddEdge(doc.net, 1, 2, 2.0);
    AddEdge(doc.net, 2, 3, 2.5);
    AddEdge(doc.net, 1, 3, 5.0);
    commands.ShortestPath1Click();
    EXPECT_EQ(PointColor(4), Normal);
    commands.Click(0);
    EXPECT_EQ(machine.beeps, 1);
    doc.host.dialogs.calls.clear();

    commands.Click(1);
    EXPECT_EQ(machine.prompts.back(), "Shortest Path : Source = 1. Select Sink.");
    EXPECT_EQ(doc.net.sourcePoint, 1);
    EXPECT_EQ(PointColor(1), Red);
    EXPECT_EQ(PointColor(2), Green);
    EXPECT_EQ(PointColor(3), Green);
    EXPECT_EQ(PointColor(4), Normal);
    EXPECT_EQ(Infos(),
              std::vector<std::string>{"You have Selected Source - 1.\r\nNow Select Second Point (Sink)."});

    commands.Click(4);
    EXPECT_EQ(machine.beeps, 2);
    EXPECT_EQ(Warnings().back(), "There aren`t Paths from 1 to Point 4.\r\nSelect another Point ");
    EXPECT_EQ(machine.armed, Command::ShortestPath);
    commands.Click(1);
    EXPECT_EQ(Warnings().back(), "Select another Point  for 1");
    EXPECT_EQ(machine.beeps, 3);
    EXPECT_TRUE(doc.host.results.empty());

    const auto expected = Account(
        {"                Shortest Path "},
        {"    Source = 1    Sink = 3", "    Shortest Path  from Source (1) to Sink (3) has Length : 4.5",
         "    Path from 1 to Sink 3 :", "     ( 1, 2)  ( 2, 3) ", "    Procedure complete. "});
    commands.Click(3);
    EXPECT_EQ(machine.armed, Command::None);
    EXPECT_EQ(doc.net.sinkPoint, 3);
    EXPECT_EQ(doc.host.LastResults(), expected);
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(2, 3), Red);
    EXPECT_EQ(EdgeColor(1, 3), Normal);
    EXPECT_EQ(PointColor(1), Red);
    EXPECT_EQ(PointColor(2), Normal);
    EXPECT_EQ(PointColor(3), Blue);
}

TEST_F(PickingCommandsTest, SourceWithoutPathsEndsTheCommand) {
    doc.net = MakeNet(DirNetCode, 3);
    AddEdge(doc.net, 1, 2, 1.0);
    AddEdge(doc.net, 2, 3, 1.0);
    for (auto handler : {&PickingCommands::MaxCapacityPath1Click, &PickingCommands::AllShortestPath1Click}) {
        (commands.*handler)();
        commands.Click(3);
        EXPECT_EQ(Warnings().back(), "You have Selected Source - 3.\r\nThere are not Paths to other Points.");
        EXPECT_EQ(machine.armed, Command::None);
        EXPECT_EQ(PointColor(3), Red);
    }
    EXPECT_TRUE(doc.host.results.empty());

    // All Shortest Path runs on the first click and marks the tree.
    const auto expected =
        Account({"        All Shortest Path  from Source"},
                {"    Source = 1", "    The Lengths of the Shortest Paths from 1 to other Points :",
                 "     (  2) 1               (  3) 2              ", "    Procedure complete. "});
    commands.AllShortestPath1Click();
    commands.Click(1);
    EXPECT_EQ(machine.armed, Command::None);
    EXPECT_EQ(doc.host.LastResults(), expected);
    EXPECT_EQ(PointColor(1), Red);
    EXPECT_EQ(PointColor(3), Green);
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(2, 3), Red);
}

// Augmenting paths 1-2-4 (2) and 1-3-4 (1): 1->2 2/2 and 1->3 1/1 full, 2->4 2/3 at least
// half, 3->4 1/4 less, 4->1 0/1 empty.
TEST_F(PickingCommandsTest, MaximalFlowColoursEdgesBySaturation) {
    doc.net = MakeNet(DirNetCode, 4);
    AddEdge(doc.net, 1, 2, 2.0);
    AddEdge(doc.net, 2, 4, 3.0);
    AddEdge(doc.net, 1, 3, 1.0);
    AddEdge(doc.net, 3, 4, 4.0);
    AddEdge(doc.net, 4, 1, 1.0);
    commands.MaximalFlow1Click();
    commands.Click(1);
    EXPECT_EQ(machine.prompts.back(), "Maximal Flow: Source = 1. Select Sink.");
    const auto expected = Account(
        {"                Maximal Flow"},
        {"    Source = 1    Sink = 4", "    Value of the Maximal Flow is equal to", "    3",
         "    Values of the Edges Flow:",
         "      Flow( 1, 2)= 2;        Flow( 1, 3)= 1;        Flow( 2, 4)= 2;      ",
         "      Flow( 3, 4)= 1;      ", "       Red Edge : Flow = Mark", "      Blue Edge : Flow >= Mark/2",
         "     Green Edge : Flow <= Mark/2", "    Silver Edge : Flow = 0", "    Procedure complete. "});
    commands.Click(4);
    EXPECT_EQ(doc.host.LastResults(), expected);
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(1, 3), Red);
    EXPECT_EQ(EdgeColor(2, 4), Blue);
    EXPECT_EQ(EdgeColor(3, 4), Green);
    EXPECT_EQ(EdgeColor(4, 1), Silver);
    EXPECT_EQ(PointColor(1), Red);
    EXPECT_EQ(PointColor(2), Normal);
    EXPECT_EQ(PointColor(4), Blue);
}

// Undirected 1-2 (1), 2-3 (1), 1-3 (5): the two shortest walk lengths are 2 and 4, and a walk
// of length 4 runs on the light edges only.
TEST_F(PickingCommandsTest, KShortestPathsDrawsTheChosenWalk) {
    doc.net = MakeNet(UndirNetCode, 3);
    AddEdge(doc.net, 1, 2, 1.0);
    AddEdge(doc.net, 2, 3, 1.0);
    AddEdge(doc.net, 1, 3, 5.0);
    doc.host.kPaths = KShortestParameters{2, 200, 2};
    commands.kshortestPath1Click();
    EXPECT_EQ(doc.host.requests, std::vector<std::string>{"k paths"});
    EXPECT_EQ(commands.KParameters().iterationLimit, 200);
    commands.Click(1);
    EXPECT_EQ(machine.prompts.back(), "k Shortest Paths: Source = 1. Select Sink.");
    const auto expected =
        Account({"    K Shortest Paths with distinct length", "        Strictly increasing order"},
                {"    Source = 1    Sink = 3", "    K = 2", "",
                 "    Distinct Lengths of 2 shortest paths in increasing order:", "    2, 4", "", "    ",
                 "    1 Path ", "    Path has length 2", "    Point sequence:", "      1,  2,  3", "    ",
                 "    2 Path ", "    Path has length 4", "    Point sequence:", "      1,  2,  1,  2,  3", "",
                 "    Procedure complete. "});
    commands.Click(3);
    EXPECT_EQ(doc.host.LastResults(), expected);
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(2, 3), Red);
    EXPECT_EQ(EdgeColor(1, 3), Normal);
    EXPECT_TRUE(Warnings().empty());
}

// The path 1-2-3: only from an end point is there a Hamiltonian path.
TEST_F(PickingCommandsTest, StartPointProceduresMarkTheirFinding) {
    doc.net = MakeNet(UndirNetCode, 3);
    AddEdge(doc.net, 1, 2, 1.0);
    AddEdge(doc.net, 2, 3, 1.0);
    commands.HamiltonianPath1Click();
    commands.Click(0);
    EXPECT_EQ(machine.beeps, 1);
    commands.Click(1);
    EXPECT_EQ(machine.armed, Command::None);
    EXPECT_EQ(doc.net.sourcePoint, 1);
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(2, 3), Red);
    EXPECT_EQ(PointColor(1), Green);
    EXPECT_EQ(PointColor(2), Normal);

    AddEdge(doc.net, 1, 3, 1.0);
    commands.SalesmanProblem1Click();
    commands.Click(2);
    EXPECT_EQ(doc.host.LastResults()[1], "            Salesman problem");
    EXPECT_EQ(EdgeColor(1, 3), Red);
    EXPECT_EQ(PointColor(2), Green);
    EXPECT_EQ(PointColor(1), Normal);
}

} // namespace
} // namespace plax
