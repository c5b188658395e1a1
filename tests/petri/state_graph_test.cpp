#include "petri/state_graph.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace plax::testing {
namespace {

// Two tokens going round A -> t1 -> B -> t2 -> A, worked by hand: markings 2A, A + B, 2B in
// breadth-first order, each firing an arc.
TEST(StateGraph, MarkingsArcsLayersAndDot) {
    NetWorkType net = PetriNet({{Place, 2}, {TransitionV, 0}, {Place, 0}, {TransitionH, 0}},
                               {{1, 2}, {2, 3}, {3, 4}, {4, 1}});
    net.name = "ring";
    net.points[1].name = "A";
    net.points[3].name = "B";
    net.points[4].name = "back";
    const StateGraph graph = ExploreStateGraph(net);
    ASSERT_TRUE(graph.complete);
    EXPECT_EQ(graph.places, (std::vector<int>{1, 3}));
    ASSERT_EQ(graph.markings.size(), 3u);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < 3; ++i)
        texts.push_back(MarkingText(graph, net, i) + " @" + std::to_string(graph.markings[i].layer));
    EXPECT_EQ(texts, (std::vector<std::string>{"2 A @0", "A + B @1", "2 B @2"}));
    std::vector<std::tuple<std::size_t, std::size_t, int>> arcs;
    for (const StateGraphArc& a : graph.arcs)
        arcs.emplace_back(a.from, a.to, a.transition);
    EXPECT_EQ(arcs, (std::vector<std::tuple<std::size_t, std::size_t, int>>{
                        {0, 1, 2}, {1, 2, 2}, {1, 0, 4}, {2, 1, 4}}));
    EXPECT_EQ(StateGraphDot(graph, net), "digraph \"ring states\" {\n"
                                         "  node [shape=box];\n"
                                         "  m0 [label=\"M0\\n2 A\", peripheries=2];\n"
                                         "  m1 [label=\"M1\\nA + B\"];\n"
                                         "  m2 [label=\"M2\\n2 B\"];\n"
                                         "  m0 -> m1 [label=\"T2\"];\n"
                                         "  m1 -> m2 [label=\"T2\"];\n"
                                         "  m1 -> m0 [label=\"back\"];\n"
                                         "  m2 -> m1 [label=\"back\"];\n"
                                         "}\n");
    TakeMarking(net, graph, 2);
    EXPECT_EQ(Tokens(net, 1), 0);
    EXPECT_EQ(Tokens(net, 3), 2);
    EXPECT_EQ(Tokens(net, 4), 0) << "a transition's level stays";
}

// A dead end is marked dead; a transition without inputs makes tokens without end, and the
// graph stops at its bound.
TEST(StateGraph, DeadMarkingsAndTheBound) {
    const NetWorkType once = PetriNet({{Place, 1}, {TransitionV, 0}, {Place, 0}}, {{1, 2}, {2, 3}});
    const StateGraph a = ExploreStateGraph(once);
    ASSERT_EQ(a.markings.size(), 2u);
    EXPECT_FALSE(a.markings[0].dead);
    EXPECT_TRUE(a.markings[1].dead);
    EXPECT_NE(StateGraphDot(a, once).find("m1 [label=\"M1\\nP3\", style=filled"), std::string::npos);
    EXPECT_EQ(MarkingText(a, once, 1), "P3");

    const NetWorkType source = PetriNet({{TransitionV, 0}, {Place, 0}}, {{1, 2}});
    const StateGraph b = ExploreStateGraph(source, 50);
    EXPECT_FALSE(b.complete);
    EXPECT_EQ(b.markings.size(), 50u);
    EXPECT_EQ(MarkingText(b, source, 0), "0");
}

// An unbounded place: the reachability graph runs to its bound, so the coverability graph is
// drawn, worked by hand: P1, then P1 + w P3, which fires into itself; its w is no count to take.
// A bounded net too large for the window stays the incomplete reachability graph.
TEST(StateGraph, CoverabilityGraphOfAnUnboundedNet) {
    NetWorkType pump = Pump(1);
    pump.name = "pump";
    const StateGraph graph = DrawnStateGraph(pump);
    ASSERT_TRUE(graph.complete);
    ASSERT_TRUE(graph.coverability);
    ASSERT_EQ(graph.markings.size(), 2u);
    EXPECT_EQ(graph.markings[1].layer, 1);
    EXPECT_FALSE(graph.markings[0].Omega());
    EXPECT_TRUE(graph.markings[1].Omega());
    EXPECT_EQ(StateGraphDot(graph, pump), "digraph \"pump coverability\" {\n"
                                          "  node [shape=box];\n"
                                          "  m0 [label=\"M0\\nP1\", peripheries=2];\n"
                                          "  m1 [label=\"M1\\nP1 + w P3\", style=filled, fillcolor=\"#D0E0FF\"];\n"
                                          "  m0 -> m1 [label=\"T2\"];\n"
                                          "  m1 -> m1 [label=\"T2\"];\n"
                                          "}\n");
    pump.points[3].tokens = 7;
    TakeMarking(pump, graph, 1);
    EXPECT_EQ(Tokens(pump, 3), 7);

    const NetWorkType large = PetriNet({{Place, 600}, {TransitionV, 0}, {Place, 0}}, {{1, 2}, {2, 3}});
    const StateGraph bounded = DrawnStateGraph(large);
    EXPECT_FALSE(bounded.complete);
    EXPECT_FALSE(bounded.coverability);
}

} // namespace
} // namespace plax::testing
