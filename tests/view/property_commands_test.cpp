#include "view/property_commands.h"

#include "view/picking_commands.h"

#include "net_builders.h"
#include "test_document.h"
#include "view_test_nets.h"

#include "accounts/activity_net_checks.h"
#include "accounts/critical_path_account.h"
#include "accounts/procedure_texts.h"
#include "algorithms/graph_utils.h"

#include <QMenu>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using testing::AddEdge;
using testing::MakeNet;
using testing::Red;
using testing::TestDocument;
using testing::TestHost;

constexpr Color Normal = 0x202020; // the settings' fore default colour in these tests
constexpr Color Old = 0x123456;    // a mark left by an earlier run

class PropertyCommandsTest : public ::testing::Test {
protected:
    PropertyCommandsTest() { doc.host.state.options.foreDefaultColor = Normal; }

    // The net of the document, every element carrying an old mark.
    void Use(NetWorkType net) {
        doc.net = std::move(net);
        for (int i = 1; i <= doc.net.n; ++i) {
            doc.net.points[static_cast<std::size_t>(i)].color = Old;
            for (EdgeType& e : doc.net.lists[static_cast<std::size_t>(i)])
                e.color = Old;
        }
    }

    // The Results text of a run on the document's net: the header at the host's clock, then `body`.
    std::vector<std::string> Account(const std::string& title, const std::vector<std::string>& body) const {
        std::vector<std::string> lines = {"",
                                          title,
                                          "                Time : 12:00",
                                          "                Date : 01.01.2027",
                                          "             NetWork : " + doc.net.name,
                                          "                Type : " + doc.net.kindName,
                                          "    Number of Points : " + std::to_string(doc.net.n),
                                          "    Number of Edges  : " + std::to_string(EdgeCount(doc.net)),
                                          "",
                                          "    ---------------------------------------------",
                                          ""};
        lines.insert(lines.end(), body.begin(), body.end());
        return lines;
    }

    Color PointColor(int p) const { return doc.net.points[static_cast<std::size_t>(p)].color; }
    std::vector<Color> PointColors() const {
        std::vector<Color> out;
        for (int p = 1; p <= doc.net.n; ++p)
            out.push_back(PointColor(p));
        return out;
    }
    Color EdgeColor(int from, int to) const {
        for (const EdgeType& e : doc.net.lists[static_cast<std::size_t>(from)])
            if (e.target == to) return e.color;
        ADD_FAILURE() << "no edge " << from << "->" << to;
        return 0;
    }
    std::vector<testing::ScriptedDialogs::Call>& Calls() { return doc.host.dialogs.calls; }

    TestDocument doc;
    QMenu property;
    PickingCommands picking{doc, doc};
    PropertyCommands commands{doc, picking, property};
};

QStringList Captions(const QMenu& menu) {
    QStringList out;
    for (const QAction* a : menu.actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST_F(PropertyCommandsTest, MenuHoldsGraphNetWorkAndGetInfoAndEnablesByKind) {
    ASSERT_EQ(Captions(property), (QStringList{"Graph", "NetWork", "-", "Get Info"}));
    EXPECT_EQ(Captions(*property.actions()[0]->menu()),
              (QStringList{"Quick Metrics", "Cut Points", "Bridges", "Eulerian Path", "Eulerian Cycle",
                           "Hamiltonian Path", "Hamiltonian Cycle", "Density", "Undensity", "Point Cover",
                           "Point Coloration (Min)", "Quick Color 1", "Quick Color 2", "Sort Automorphism",
                           "Unsort Automorphism", "Symmetry Group"}));
    EXPECT_EQ(Captions(*property.actions()[1]->menu()),
              (QStringList{"Shortest Path", "All Shortest Path", "Min. Spanning Tree ", "Maximal Flow",
                           "Critical Path", "k Shortest Paths", "Max Capacity Path", "Salesman Problem"}));
    EXPECT_EQ(property.actions()[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    EXPECT_EQ(property.findChild<QAction*>("Bridges1")->statusTip(),
              "Search Bridges for the Graph (for undirected only)");

    const QStringList undirectedOnly = {"MinSpanningTree1", "Density1",         "Undensity1",
                                        "PointCover1",      "PointColoration1", "QuickColor11",
                                        "QuickColor21",     "CutPoints1",       "Bridges1"};
    const QStringList always = {
        "QuickMetrics1",    "EulerianPath1", "EulerianCycle1",   "SortAutomorphism1", "UnsortAutomorphism1",
        "SymmetryGroup1",   "GetInfo1",      "HamiltonianPath1", "HamiltonianCicle1", "ShortestPath1",
        "AllShortestPath1", "MaximalFlow1",  "kshortestPath1",   "MaxCapacityPath1",  "SalesmanProblem1"};
    for (const bool directed : {true, false}) {
        commands.DefEnableItem(MakeNet(directed ? DirNetCode : UndirNetCode, 2));
        for (const QString& name : undirectedOnly)
            EXPECT_EQ(property.findChild<QAction*>(name)->isEnabled(), !directed) << name.toStdString();
        for (const QString& name : always)
            EXPECT_TRUE(property.findChild<QAction*>(name)->isEnabled()) << name.toStdString();
        EXPECT_EQ(property.findChild<QAction*>("CriticalPath1")->isEnabled(), directed);
    }
}

// Only "dirNet" is directed: the other kinds the reader accepts are offered what "undirNet" is,
// and the commands run on them as plax-cli does.
TEST_F(PropertyCommandsTest, KindsOtherThanDirNetAreNotDirected) {
    for (const std::uint16_t kind : {std::uint16_t{0}, std::uint16_t{1}}) {
        SCOPED_TRACE(NetKind[kind]);
        NetWorkType line = MakeNet(kind, 3, "line");
        AddEdge(line, 1, 2, 1);
        AddEdge(line, 2, 3, 2);
        Use(line);
        commands.DefEnableItem(doc.net);
        EXPECT_TRUE(property.findChild<QAction*>("MinSpanningTree1")->isEnabled());
        EXPECT_TRUE(property.findChild<QAction*>("Density1")->isEnabled());
        EXPECT_FALSE(property.findChild<QAction*>("CriticalPath1")->isEnabled());

        property.findChild<QAction*>("MinSpanningTree1")->trigger();
        const auto lines = doc.host.LastResults();
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(lines[5], "                Type : " + std::string(NetKind[kind]));
        EXPECT_EQ(lines[11], "    Min. Spanning Tree Weight = 3");
        EXPECT_EQ(lines[13], "      (  1,  2),  (  2,  3).");
        EXPECT_EQ(EdgeColor(1, 2), Red);
        EXPECT_EQ(EdgeColor(2, 3), Red);
    }
}

// Triangle 1-2-3 with point 4 hanging on 3: the tree is (1,2), (2,3), (3,4) of weight 4.
NetWorkType TriangleWithTail() {
    NetWorkType net = MakeNet(UndirNetCode, 4, "tail");
    AddEdge(net, 1, 2, 1);
    AddEdge(net, 2, 3, 2);
    AddEdge(net, 1, 3, 3);
    AddEdge(net, 3, 4, 1);
    return net;
}

TEST_F(PropertyCommandsTest, SpanningTreeWritesItsAccountAndMarksTheTreeRed) {
    Use(TriangleWithTail());
    const auto expected = Account("                Min. Spanning Tree",
                                  {"    Min. Spanning Tree Weight = 4", "     Edges of Min. Spanning Tree:",
                                   "      (  1,  2),  (  2,  3),  (  3,  4).", "    Procedure complete. "});
    commands.MinSpanningTree1Click();
    EXPECT_EQ(doc.host.LastResults(), expected);
    ASSERT_GT(expected.size(), 12u);
    EXPECT_EQ(expected[11], "    Min. Spanning Tree Weight = 4");
    EXPECT_EQ(doc.prompts, std::vector<std::string>{"Min. Spanning Tree"});
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{{1, 2}, {2, 3}, {3, 4}}) {
        EXPECT_EQ(EdgeColor(from, to), Red);
        EXPECT_EQ(EdgeColor(to, from), Red);
    }
    EXPECT_EQ(EdgeColor(1, 3), Normal);
    EXPECT_EQ(EdgeColor(3, 1), Normal);
    EXPECT_EQ(PointColors(), std::vector<Color>(4, Normal));
    EXPECT_EQ(doc.repaints, 1);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(PropertyCommandsTest, RefusalsAreWarningsAndLeaveTheNetAlone) {
    NetWorkType split = MakeNet(UndirNetCode, 3);
    AddEdge(split, 1, 2, 1);
    Use(split);
    commands.MinSpanningTree1Click();
    Use(MakeNet(UndirNetCode, 1));
    commands.MinSpanningTree1Click();
    commands.CutPoints1Click();
    commands.Density1Click();
    const std::vector<testing::ScriptedDialogs::Call> expected = {
        {"warning", "NetWork not connected.\r\n    Procedure terminated! "},
        {"warning", "There isnt Minimal Tree! Trivial NetWork."},
        {"warning", "Trivial NetWork."},
        {"warning", "Trivial Graph. Procedure terminated!"}};
    EXPECT_EQ(Calls(), expected);
    EXPECT_TRUE(doc.host.results.empty());
    // Density refuses only after the redraw in normal colours, as its run would.
    EXPECT_EQ(PointColor(1), Normal);
    EXPECT_EQ(doc.resets, 4);
}

TEST_F(PropertyCommandsTest, NothingStartsWhileAProcedureRunsHereOrElsewhere) {
    Use(TriangleWithTail());
    doc.net.interaction.busy = 1;
    commands.QuickMetrics1Click();
    doc.net.interaction.busy = 0;
    doc.host.state.run.busy = 1;
    commands.GetInfo1Click();
    commands.Density1Click();
    commands.SortAutomorphism1Click();
    EXPECT_EQ(doc.host.dialogs.Texts("warning"), std::vector<std::string>(4, ProcedureInProgressMessage));
    EXPECT_EQ(Calls().size(), 4u);
    EXPECT_TRUE(doc.host.results.empty());
    EXPECT_EQ(PointColor(1), Old);
    EXPECT_EQ(doc.resets, 4);
}

// A listing longer than anyone reads is asked for first; No runs nothing, the symmetry group
// answers at once and colours the orbits.
TEST_F(PropertyCommandsTest, ALongListingIsAskedForAndTheGroupGivenAtOnce) {
    Use(MakeNet(UndirNetCode, 9, "nine"));
    doc.host.dialogs.answer = Answer::No;
    commands.SortAutomorphism1Click();
    commands.UnsortAutomorphism1Click();
    EXPECT_EQ(doc.host.dialogs.Texts("confirm"),
              std::vector<std::string>(2, "The group has 362880 automorphisms. List them all?"));
    EXPECT_TRUE(doc.host.results.empty());
    commands.SymmetryGroup1Click();
    ASSERT_EQ(doc.host.results.size(), 1u);
    EXPECT_EQ(PointColors(), std::vector<Color>(9, 0x0000FF));
}

NetWorkType Path3() {
    NetWorkType path = MakeNet(UndirNetCode, 3, "path");
    AddEdge(path, 1, 2, 1);
    AddEdge(path, 2, 3, 0.25);
    return path;
}

// On the path 1-2-3: point 2 is the centre and the cut point, both edges are bridges, and the
// ends have odd degree.
TEST_F(PropertyCommandsTest, PointAndEdgeMarksOfThePath) {
    Use(Path3());
    const auto metrics =
        Account("                Metrics of the Graph",
                {"    Number of Connected Component : 1", "      Radius : 1", "    Diameter : 2",
                 "    Center   Points - Green Color Points", "    Diameter Points -   Red Color Points",
                 "    ", "    Graph is Not Regular.", "    ",
                 "    Degrees of the Points:", "    Point       1    2    3", "    Degree      1    2    1",
                 " ", "    Sorted Degrees:", "        1    1    2", "    ", "    Procedure complete. "});
    commands.QuickMetrics1Click();
    EXPECT_EQ(doc.host.LastResults(), metrics);
    EXPECT_EQ(PointColors(), (std::vector<Color>{Red, 0x008000, Red}));
    EXPECT_EQ(EdgeColor(1, 2), Normal);

    commands.CutPoints1Click();
    EXPECT_EQ(PointColors(), (std::vector<Color>{Normal, Red, Normal}));
    commands.Bridges1Click();
    EXPECT_EQ(PointColor(2), Normal);
    EXPECT_EQ(std::vector<Color>({EdgeColor(1, 2), EdgeColor(2, 1), EdgeColor(2, 3), EdgeColor(3, 2)}),
              std::vector<Color>(4, Red));

    // The Euler commands do not redraw first: only the odd points change.
    Use(Path3());
    commands.EulerianCycle1Click();
    EXPECT_EQ(doc.host.dialogs.Texts("warning"),
              std::vector<std::string>{"Eulerian Cycle doesnt Exists!\r\nProcedure terminated! "});
    EXPECT_EQ(PointColors(), (std::vector<Color>{Red, Old, Red}));
    // From the last odd point.
    const auto walk = Account("                Eulerian Path ",
                              {"", "    Source = 3", "", "    Eulerian Path :", "      3   2   1 ", "    ",
                               "    Procedure complete. "});
    commands.EulerianPath1Click();
    EXPECT_EQ(doc.host.LastResults(), walk);
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(PropertyCommandsTest, DensityMarksTheCliqueAndColoringsUseTheColourTable) {
    Use(TriangleWithTail());
    const auto expected = Account("             Density ",
                                  {"", "    Density = 3", "    Greatest Clique is :", "    {  1,  2,  3 }",
                                   "    Procedure complete. "});
    commands.Density1Click();
    EXPECT_EQ(doc.host.LastResults(), expected);
    EXPECT_EQ(PointColors(), (std::vector<Color>{Red, Red, Red, Normal}));
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(3, 1), Red);
    EXPECT_EQ(EdgeColor(2, 3), Red);
    EXPECT_EQ(EdgeColor(4, 3), Normal);
    EXPECT_EQ(doc.net.interaction.busy, 0);

    // The path 1-3, 3-4, 4-2: the greedy colouring needs three colours: red, blue, silver.
    NetWorkType path = MakeNet(UndirNetCode, 4, "path");
    AddEdge(path, 1, 3, 1);
    AddEdge(path, 3, 4, 1);
    AddEdge(path, 4, 2, 1);
    Use(path);
    commands.QuickColor11Click();
    EXPECT_EQ(PointColors(), (std::vector<Color>{0x0000FF, 0x0000FF, 0xFF0000, 0xC0C0C0}));
    EXPECT_EQ(EdgeColor(1, 3), Normal);

    commands.PointColoration1Click();
    EXPECT_EQ(PointColor(1), PointColor(4));
    EXPECT_EQ(PointColor(2), PointColor(3));
    EXPECT_NE(PointColor(1), PointColor(3));
    EXPECT_TRUE(PointColor(1) == ProcedureColors[0] || PointColor(1) == ProcedureColors[1]);
    EXPECT_TRUE(PointColor(2) == ProcedureColors[0] || PointColor(2) == ProcedureColors[1]);
}

// Exactly one source (1) and one sink (4), with the cycle 2 -> 3 -> 2 between them.
NetWorkType ActivityNetWithCycle() {
    NetWorkType net = MakeNet(DirNetCode, 4, "loop");
    AddEdge(net, 1, 2, 1);
    AddEdge(net, 2, 3, 1);
    AddEdge(net, 3, 2, 1);
    AddEdge(net, 3, 4, 1);
    return net;
}

TEST_F(PropertyCommandsTest, CriticalPathShowsACycleOnlyWhenAsked) {
    Use(ActivityNetWithCycle());
    doc.host.dialogs.answers = {Answer::No, Answer::Yes};
    commands.CriticalPath1Click();
    EXPECT_EQ(EdgeColor(2, 3), Old);
    EXPECT_EQ(doc.repaints, 0);
    commands.CriticalPath1Click();
    EXPECT_EQ(doc.host.dialogs.Texts("confirm"), std::vector<std::string>(2, NetWorkHasCycleQuestion));
    EXPECT_EQ(EdgeColor(2, 3), Red);
    EXPECT_EQ(EdgeColor(3, 2), Red);
    EXPECT_EQ(EdgeColor(1, 2), Old);
    EXPECT_EQ(EdgeColor(3, 4), Old);
    EXPECT_TRUE(doc.host.results.empty());
}

// Jobs 1->2 (3), 1->3 (2), 2->4 (4), 3->4 (4): the critical path is 1, 2, 4 of length 7.
NetWorkType Jobs() {
    NetWorkType net = MakeNet(DirNetCode, 4, "jobs");
    AddEdge(net, 1, 2, 3);
    AddEdge(net, 1, 3, 2);
    AddEdge(net, 2, 4, 4);
    AddEdge(net, 3, 4, 4);
    return net;
}

TEST_F(PropertyCommandsTest, CriticalPathColoursCriticalJobsAndOffersTheGanttChart) {
    Use(Jobs());
    // Events 1, 2, 3, 4 at 0, 3, 2, 7 at the earliest and 0, 3, 3, 7 at the latest; job 1->3
    // listed first, as the head of list 1.
    const auto expected =
        Account("                Critical Path",
                {"    Source = 1    Sink = 4",
                 "    Critical Path from 1 to 4 has Length : 7",
                 "    Critical Path from 1 to 4 :",
                 "      1,   2,   4.",
                 "    ",
                 "    Critical Path by Name of Points",
                 "    , , .",
                 "    ",
                 "",
                 "                    Events",
                 "                       Event     E.Start     L.Start     Reserve",
                 "                         (1)           0           0           0",
                 "                         (2)           3           3           0",
                 "                         (3)           2           3           1",
                 "                         (4)           7           7           0",
                 "",
                 "",
                 "                    Jobs",
                 "                         Job      Length     E.Start     L.Start     Reserve",
                 "               No Name (1,3)           2           0           1           1",
                 "               No Name (1,2)           3           0           0           0",
                 "               No Name (2,4)           4           3           3           0",
                 "               No Name (3,4)           4           2           3           1",
                 "",
                 "    Procedure complete. "});
    commands.CriticalPath1Click();
    EXPECT_EQ(doc.host.LastResults(), expected);
    EXPECT_EQ(doc.host.dialogs.Texts("confirm"),
              (std::vector<std::string>{SourceAndSinkQuestion(1, 4), GanttChartQuestion}));
    ASSERT_EQ(doc.host.gantt.size(), 4u);
    EXPECT_EQ(EdgeColor(1, 2), Red);
    EXPECT_EQ(EdgeColor(2, 4), Red);
    EXPECT_EQ(EdgeColor(1, 3), Normal);
    EXPECT_EQ(EdgeColor(3, 4), Normal);
    EXPECT_EQ(PointColor(1), Normal);

    // Declined at the source question: no account, and the jobs are coloured by the reserves
    // the last run left in the flows.
    Use(Jobs());
    doc.net.lists[1][0].flow = 1.0; // 1->3
    doc.host.dialogs.answer = Answer::No;
    commands.CriticalPath1Click();
    EXPECT_TRUE(doc.host.LastResults().empty());
    EXPECT_EQ(EdgeColor(1, 3), Normal);
    EXPECT_EQ(EdgeColor(3, 4), Red);
    EXPECT_EQ(doc.host.requests, std::vector<std::string>{"gantt"});

    // Without "Select Confirmation" only the Gantt chart is offered.
    Use(Jobs());
    doc.host.state.options.selectConfirmation = 0;
    doc.host.dialogs.calls.clear();
    commands.CriticalPath1Click();
    EXPECT_EQ(doc.host.dialogs.Texts("confirm"), std::vector<std::string>{GanttChartQuestion});
    EXPECT_EQ(doc.host.LastResults(), expected);
}

TEST_F(PropertyCommandsTest, ListingsAndAutomorphismsMarkNothing) {
    Use(Path3());
    const auto info = Account(
        "                Information",
        {"", "    Information about  the Points", "    Point Name                 Type    Value         ",
         "    1                          Circle  1             ",
         "    2                          Circle  1             ",
         "    3                          Circle  1             ", "", "    Information about the Edges",
         "    Edge      Name                 Type    Weight        Flow          ",
         "    (1,2)     No Name              Line    1             0",
         "    (2,3)     No Name              Line    0.25          0", "    ", "    Procedure complete. "});
    // Besides the identity only the mirror image 3, 2, 1.
    const auto group =
        Account("            Automorphism Group", {"      2  (  3,  2,  1)", "    Procedure complete. "});
    property.findChild<QAction*>("GetInfo1")->trigger();
    EXPECT_EQ(doc.host.LastResults(), info);
    commands.UnsortAutomorphism1Click();
    EXPECT_EQ(doc.host.LastResults(), group);
    EXPECT_EQ(doc.net.interaction.busy, 0);
    EXPECT_EQ(doc.host.state.run.busy, 0);
    EXPECT_EQ(PointColor(2), Old);
    EXPECT_EQ(EdgeColor(2, 3), Old);
    EXPECT_TRUE(Calls().empty());
}

} // namespace
} // namespace plax
