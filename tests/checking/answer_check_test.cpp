// Verdicts on students' answers, worked out by hand on small nets, and the proofs of the right
// answers checked on random nets by checkers of the test's own.
#include "accounts/spanning_tree_account.h"
#include "checking/answer_check.h"
#include "checking/certificates.h"
#include "checking/exercise_file.h"

#include "model/net_store.h"

#include "net_builders.h"
#include "random_nets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace plax::testing {
namespace {

using Lines = std::vector<std::string>;

NetWorkType Build(std::uint16_t kind, int n, const std::vector<std::tuple<int, int, double>>& edges) {
    NetWorkType net = MakeNet(kind, n, "net");
    for (const auto& [a, b, w] : edges)
        AddEdge(net, a, b, w);
    return net;
}

// A square 1-2-3-4 (weights 1, 2, 1, 3) with the diagonal 1-3 of weight 5.
NetWorkType Square() {
    return Build(UndirNetCode, 4, {{1, 2, 1}, {2, 3, 2}, {3, 4, 1}, {4, 1, 3}, {1, 3, 5}});
}
// A triangle 1-2-3 with the tail 3-4-5.
NetWorkType Kite() { return Build(UndirNetCode, 5, {{1, 2, 1}, {2, 3, 1}, {1, 3, 1}, {3, 4, 1}, {4, 5, 1}}); }
// Four jobs: 1->2 (3), 1->3 (2), 2->4 (4), 3->4 (4).
NetWorkType Jobs() { return Build(DirNetCode, 4, {{1, 2, 3}, {1, 3, 2}, {2, 4, 4}, {3, 4, 4}}); }
// Pipes 1->2 (3), 1->3 (2), 2->4 (2), 3->4 (3): the maximal flow is 4.
NetWorkType Pipes() { return Build(DirNetCode, 4, {{1, 2, 3}, {1, 3, 2}, {2, 4, 2}, {3, 4, 3}}); }
NetWorkType Ring() {
    return Build(UndirNetCode, 4, {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 1, 1}, {1, 3, 5}, {2, 4, 5}});
}
NetWorkType Star() { return Build(UndirNetCode, 4, {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}}); }

struct Case {
    const char* question;
    NetWorkType (*net)();
    int source;
    int sink;
    const char* answer;
    Lines verdict;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"shortest-path", Square, 1, 3, "1,2,3", {"Correct"}},
        {"shortest-path",
         Square,
         1,
         3,
         "1,3",
         {"the path has length 5; a shortest path has length 3: 1, 2, 3"}},
        {"shortest-path", Square, 1, 3, "1,2,4,3", {"(2,4) is not an edge of the net"}},
        {"shortest-path", Square, 1, 3, "2,3", {"the path starts at 2, not at the source 1"}},
        {"shortest-path", Square, 1, 3, "1,7,3", {"point 7 is not a point of the net"}},
        {"spanning-tree", Square, 0, 0, "(1,2),(2,3),(3,4)", {"Correct"}},
        {"spanning-tree",
         Square,
         0,
         0,
         "(1,2),(1,4),(3,4)",
         {"edge (2,3) of weight 2 could replace (1,4) of weight 3: your tree is not minimal"}},
        {"spanning-tree",
         Square,
         0,
         0,
         "1-2 2-3",
         {"the tree has 2 edges; a spanning tree of 4 points has 3",
          "point 4 is not joined to point 1 by your tree"}},
        {"spanning-tree", Square, 0, 0, "(1,2),(2,3),(1,3)", {"your edges form a cycle: 1, 2, 3, 1"}},
        {"spanning-tree", Square, 0, 0, "(2,4),(1,2),(3,4)", {"(2,4) is not an edge of the net"}},
        {"max-flow", Pipes, 1, 4, "4", {"Correct"}},
        {"max-flow", Pipes, 1, 4, "3", {"your value 3 is not the maximal flow: a flow of 4 exists"}},
        {"max-flow", Pipes, 1, 4, "5", {"no flow of 5 exists: the cut around {1,2} has capacity 4"}},
        {"max-flow", Pipes, 1, 4, "4; 1-2=2, 1-3=2, 2-4=2, 3-4=2", {"Correct"}},
        {"max-flow",
         Pipes,
         1,
         4,
         "4; 1-2=3, 1-3=1, 2-4=3, 3-4=1",
         {"edge (2,4) carries 3, more than its capacity 2"}},
        {"max-flow",
         Pipes,
         1,
         4,
         "4; 1-2=2, 1-3=2, 2-4=2, 3-4=1",
         {"the flow breaks conservation at point 3 (in 2, out 1)"}},
        {"max-flow",
         Pipes,
         1,
         4,
         "3; 1-2=2, 1-3=2, 2-4=2, 3-4=2",
         {"your flows carry 4 out of the source, not 3"}},
        {"critical-path", Jobs, 0, 0, "1,2,4", {"Correct"}},
        {"critical-path",
         Jobs,
         0,
         0,
         "1,3,4",
         {"the path has length 6; a critical path has length 7: 1, 2, 4"}},
        {"critical-path", Jobs, 0, 0, "1,2", {"the path ends at 2, not at the sink 4"}},
        {"critical-path", Jobs, 0, 0, "1,4", {"(1,4) is not an edge of the net"}},
        {"euler-path", Kite, 0, 0, "5,4,3,1,2,3", {"Correct"}},
        {"euler-path", Kite, 0, 0, "5,4,3,2", {"edge (1,3) is not used", "edge (1,2) is not used"}},
        {"euler-path", Kite, 0, 0, "5,4,3,1,3,2", {"edge (1,3) is used twice", "edge (1,2) is not used"}},
        {"euler-path", Kite, 0, 0, "none", {"an Eulerian path exists: 5, 4, 3, 1, 2, 3"}},
        {"euler-cycle", Kite, 0, 0, "none", {"Correct"}},
        {"euler-cycle", Triangle, 0, 0, "1,2,3,1", {"Correct"}},
        {"euler-cycle",
         Triangle,
         0,
         0,
         "1,2,3",
         {"edge (1,3) is not used", "the cycle ends at 3, not where it starts (1)"}},
        {"euler-cycle", Triangle, 0, 0, "none", {"an Eulerian cycle exists: 1, 3, 2, 1"}},
        {"hamiltonian-cycle", Square, 0, 0, "1,2,3,4,1", {"Correct"}},
        {"hamiltonian-cycle", Square, 0, 0, "1,2,3,4", {"the cycle ends at 4, not where it starts (1)"}},
        {"hamiltonian-cycle", Square, 0, 0, "1,3,2,1", {"point 4 is not visited"}},
        {"hamiltonian-cycle", Square, 0, 0, "1,2,4,3,1", {"(2,4) is not an edge of the net"}},
        {"hamiltonian-cycle", Square, 0, 0, "none", {"a Hamiltonian cycle exists: 1, 4, 3, 2, 1"}},
        {"hamiltonian-path", Kite, 0, 0, "1,2,3,4,5", {"Correct", "another correct answer exists"}},
        {"hamiltonian-path", Kite, 0, 0, "5,4,3,2", {"point 1 is not visited"}},
        {"hamiltonian-path", Kite, 0, 0, "1,2,1,3,4,5", {"point 1 is visited twice"}},
        {"hamiltonian-path", Kite, 0, 0, "1,3,2,4,5", {"(2,4) is not an edge of the net"}},
        {"hamiltonian-path", Star, 0, 0, "none", {"Correct"}},
        {"salesman", Ring, 0, 0, "1,2,3,4,1", {"Correct"}},
        {"salesman",
         Ring,
         0,
         0,
         "1,3,2,4,1",
         {"the cycle has weight 12; a lightest cycle has weight 4: 1, 4, 3, 2, 1"}},
        {"salesman", Ring, 0, 0, "1,2,3,4", {"the cycle ends at 4, not where it starts (1)"}},
        {"salesman", Ring, 0, 0, "1,2,3,1", {"point 4 is not visited"}},
        {"density", Kite, 0, 0, "1,2,3", {"Correct"}},
        {"density", Kite, 0, 0, "3,4", {"your set of 2 is a clique but not the greatest: {1,2,3} has 3"}},
        {"density",
         Kite,
         0,
         0,
         "1,2,4",
         {"points 1 and 4 are not adjacent", "points 2 and 4 are not adjacent"}},
        {"density", Kite, 0, 0, "1,1,2", {"point 1 is listed twice"}},
        {"undensity", Kite, 0, 0, "1,4", {"Correct", "another correct answer exists"}},
        {"undensity", Kite, 0, 0, "1", {"your set of 1 is independent but not the greatest: {1,4} has 2"}},
        {"undensity", Kite, 0, 0, "1,2", {"points 1 and 2 are adjacent"}},
        {"undensity", Kite, 0, 0, "6", {"point 6 is not a point of the net"}},
        {"point-cover", Kite, 0, 0, "2,3,5", {"Correct", "another correct answer exists"}},
        {"point-cover",
         Kite,
         0,
         0,
         "1,2,3,4",
         {"your set of 4 covers every edge but is not the smallest: {2,3,5} has 3"}},
        {"point-cover", Kite, 0, 0, "2,3", {"edge (4,5) is not covered"}},
        {"point-cover", Kite, 0, 0, "2,3,5,5", {"point 5 is listed twice"}},
        {"coloring", Kite, 0, 0, "1,2,3,1,2", {"Correct"}},
        {"coloring", Kite, 0, 0, "1,2,3,4,1", {"a proper colouring with 3 colours exists; yours uses 4"}},
        {"coloring", Kite, 0, 0, "1,1,2,1,2", {"points 1 and 2 are adjacent and both have colour 1"}},
        {"coloring", Kite, 0, 0, "1,2,3", {"point 4 has no colour", "point 5 has no colour"}},
        {"cut-points", Kite, 0, 0, "3,4", {"Correct"}},
        {"cut-points", Kite, 0, 0, "3", {"point 4 is a cut point too: without it 1 and 5 are apart"}},
        {"cut-points",
         Kite,
         0,
         0,
         "2,3,4",
         {"point 2 is not a cut point: the net without it stays as connected"}},
        {"cut-points", Kite, 0, 0, "3,3,4", {"point 3 is listed twice"}},
        {"bridges", Kite, 0, 0, "(3,4),(4,5)", {"Correct"}},
        {"bridges", Kite, 0, 0, "(4,5)", {"(3,4) is a bridge too"}},
        {"bridges",
         Kite,
         0,
         0,
         "(1,2),(3,4),(4,5)",
         {"(1,2) is not a bridge: the net without it stays as connected"}},
        {"bridges", Kite, 0, 0, "(1,4),(3,4),(4,5)", {"(1,4) is not an edge of the net"}},
    };
    return cases;
}

TEST(AnswerCheck, EveryQuestionGivesItsExactVerdict) {
    for (const Case& c : Cases()) {
        const QuestionInfo* info = FindQuestion(c.question);
        ASSERT_NE(info, nullptr) << c.question;
        const NetWorkType net = c.net();
        const CheckRequest request{info->question, c.source, c.sink, false};
        ASSERT_FALSE(QuestionRefusal(net, request)) << c.question;
        const ParsedAnswer parsed = ParseAnswer(info->kind, c.answer);
        ASSERT_TRUE(parsed.answer) << c.answer << ": " << parsed.error;
        UnstoppedRun run;
        const Verdict v = CheckAnswer(net, request, *parsed.answer, run);
        EXPECT_EQ(v.lines, c.verdict) << c.question << " " << c.answer;
        EXPECT_EQ(v.outcome == Outcome::Correct, c.verdict.front() == "Correct")
            << c.question << " " << c.answer;
    }
}

TEST(AnswerCheck, ShowsARightAnswerOnlyWhenAsked) {
    const CheckRequest ask{Question::Clique, 0, 0, true};
    UnstoppedRun run;
    const Verdict wrong = CheckAnswer(Kite(), ask, *ParseAnswer(AnswerKind::PointSet, "1,2,4").answer, run);
    EXPECT_EQ(wrong.lines.back(), "a correct answer: {1,2,3}");
    const Verdict right = CheckAnswer(Kite(), {Question::IndependentSet, 0, 0, true},
                                      *ParseAnswer(AnswerKind::PointSet, "1,4").answer, run);
    EXPECT_EQ(right.lines,
              (Lines{"Correct", "another correct answer exists", "another correct answer: {2,4}"}));
    EXPECT_EQ(right.points.size(), 2u) << "the right set is marked";
}

// The salesman's right answer is the lightest cycle whatever the student gave, and it is right
// when it is checked: on this K4 the first cycle in point order, 1-2-3-4, weighs 12, 1-3-2-4 4.
TEST(AnswerCheck, TheSalesmansShownAnswerIsTheLightestCycle) {
    const NetWorkType net =
        Build(UndirNetCode, 4, {{1, 2, 5}, {2, 3, 1}, {3, 4, 5}, {4, 1, 1}, {1, 3, 1}, {2, 4, 1}});
    const CheckRequest ask{Question::Salesman, 0, 0, true};
    for (const char* answer : {"none", "1, 2", "1, 2, 3, 4, 1"}) {
        UnstoppedRun run;
        const Verdict wrong = CheckAnswer(net, ask, *ParseAnswer(AnswerKind::Walk, answer).answer, run);
        ASSERT_EQ(wrong.outcome, Outcome::Incorrect) << answer;
        const std::string shown = wrong.lines.back().substr(std::string("a correct answer: ").size());
        EXPECT_EQ(shown, "1, 3, 2, 4, 1") << answer;
        const Verdict again = CheckAnswer(net, ask, *ParseAnswer(AnswerKind::Walk, shown).answer, run);
        EXPECT_EQ(again.outcome, Outcome::Correct) << shown;
    }
}

TEST(AnswerCheck, RefusesWhatTheProceduresRefuse) {
    EXPECT_EQ(QuestionRefusal(Pipes(), {Question::Clique, 0, 0, false}),
              "The question is asked of undirected nets only.");
    EXPECT_EQ(QuestionRefusal(Pipes(), {Question::ShortestPath, 4, 1, false}),
              "You have Selected Source - 4.\r\nThere are not Paths to other Points.");
    EXPECT_EQ(QuestionRefusal(Pipes(), {Question::ShortestPath, 1, 9, false}),
              "The question needs a sink point.");
    NetWorkType loop = Jobs();
    AddEdge(loop, 4, 1, 1);
    EXPECT_TRUE(QuestionRefusal(loop, {Question::CriticalPath, 0, 0, false}));
}

TEST(AnswerCheck, ReadsHostileAnswersWithoutHarm) {
    const std::vector<std::pair<AnswerKind, std::string>> bad = {
        {AnswerKind::Walk, std::string(5000, '1')},
        {AnswerKind::Walk, "1,2,x"},
        {AnswerKind::Walk, "99999"},
        {AnswerKind::EdgeSet, "1,2,3"},
        {AnswerKind::Flow, "4; 1-2"},
        {AnswerKind::Flow, "-1"},
        {AnswerKind::Flow, "4; 1-2=nan"},
        {AnswerKind::Coloring, "1.5"},
        {AnswerKind::PointSet, "\x01"},
        {AnswerKind::PointSet, "-1"},
        {AnswerKind::Walk, "1, -2"},
        {AnswerKind::EdgeSet, "(1,2) (-3,4)"},
    };
    for (const auto& [kind, text] : bad) {
        const ParsedAnswer p = ParseAnswer(kind, text);
        EXPECT_FALSE(p.answer) << text.substr(0, 20);
        EXPECT_FALSE(p.error.empty());
    }
    EXPECT_EQ(ParseAnswer(AnswerKind::PointSet, "-1").error,
              "a point or colour number must be a whole number from 0 to 9999")
        << "a sign is no separator";
    const StudentAnswer spaced = *ParseAnswer(AnswerKind::EdgeSet, " { (1, 2) ; 3-4 } ").answer;
    EXPECT_EQ(spaced.edges, (std::vector<EdgeMark>{{1, 2}, {3, 4}}));
    EXPECT_TRUE(ParseAnswer(AnswerKind::Walk, " NONE ").answer->none);
    UnstoppedRun run;
    const Verdict empty = CheckAnswer(Square(), {Question::ShortestPath, 1, 3, false}, StudentAnswer{}, run);
    EXPECT_EQ(empty.lines, (Lines{"the answer is empty"}));
}

// A point is its number, else its name or its file id; a name with a separator in it is quoted.
TEST(AnswerCheck, PointsByNameOrFileId) {
    NetWorkType net = Pipes();
    const std::vector<std::string> names = {"", "Saint-Denis", "Lyon", "Lyon", "4"};
    for (int i = 1; i <= 4; ++i)
        net.points[static_cast<std::size_t>(i)].name = names[static_cast<std::size_t>(i)];
    const std::vector<std::string> ids = {"n0", "n1", "n2", "n3"};
    const PointWord word = [&](std::string_view w, std::string& error) {
        return NamedPoint(net, ids, w, error);
    };
    struct Row {
        AnswerKind kind;
        std::string text;
        std::vector<int> points;
        std::string error;
    };
    const std::vector<Row> rows = {
        {AnswerKind::Walk, "\"Saint-Denis\", n1, 4", {1, 2, 4}, ""},
        {AnswerKind::Walk, "n0-n3", {1, 4}, ""},
        {AnswerKind::Walk, "\"4\", 1", {4, 1}, "" /* a quoted word is a name */},
        {AnswerKind::Walk, "1, Paris", {}, "no point is named \"Paris\""},
        {AnswerKind::Walk, "Lyon", {}, "more than one point is named \"Lyon\""},
        {AnswerKind::Walk, "\"Saint-Denis", {}, "a name in quotes needs its closing quote"},
        {AnswerKind::Coloring, "n0", {}, "a point or colour number must be a whole number from 0 to 9999"},
    };
    for (const Row& row : rows) {
        const ParsedAnswer parsed = ParseAnswer(row.kind, row.text, word);
        EXPECT_EQ(parsed.error, row.error) << row.text;
        if (row.error.empty()) {
            EXPECT_EQ(parsed.answer->points, row.points) << row.text;
        }
    }
    const ParsedAnswer flow = ParseAnswer(AnswerKind::Flow, "4; \"Saint-Denis\"-n1=2, n2-4=2", word);
    ASSERT_TRUE(flow.answer) << flow.error;
    ASSERT_EQ(flow.answer->flows.size(), 2U);
    EXPECT_EQ(std::pair(flow.answer->flows[0].from, flow.answer->flows[0].to), std::pair(1, 2));
    EXPECT_EQ(std::pair(flow.answer->flows[1].from, flow.answer->flows[1].to), std::pair(3, 4));
    EXPECT_EQ(ParseAnswer(AnswerKind::Flow, "4; 1-Nice=2", word).error, "no point is named \"Nice\"");
    EXPECT_EQ(ParseAnswer(AnswerKind::Walk, "n0", {}).error,
              "a point or colour number must be a whole number from 0 to 9999")
        << "without names only numbers";
}

// Random nets with a fixed seed: 4 to 8 points, edges with probability 1/2, weights 1..9.
NetWorkType SmallRandomNet(std::mt19937& rng, std::uint16_t kind) {
    return testing::RandomNet(rng, kind == DirNetCode, std::uniform_int_distribution<int>(4, 8)(rng), 0.5, 9);
}

bool Adjacent(const NetWorkType& net, int a, int b) { return EdgeExists(net, a, b) || EdgeExists(net, b, a); }

bool ProperlyColored(const NetWorkType& net, const PointColors& color, int colors) {
    for (int a = 1; a <= net.n; ++a) {
        if (color[static_cast<std::size_t>(a)] < 1 || color[static_cast<std::size_t>(a)] > colors)
            return false;
        for (int b = a + 1; b <= net.n; ++b)
            if (Adjacent(net, a, b) &&
                color[static_cast<std::size_t>(a)] == color[static_cast<std::size_t>(b)])
                return false;
    }
    return true;
}

// Brute force: some colouring of the points with `k` colours is proper.
bool Colorable(const NetWorkType& net, int k) {
    PointColors color{};
    std::function<bool(int)> go = [&](int p) {
        if (p > net.n) return true;
        for (int c = 1; c <= k; ++c) {
            color[static_cast<std::size_t>(p)] = c;
            bool clash = false;
            for (int q = 1; q < p; ++q)
                clash = clash || (Adjacent(net, p, q) && color[static_cast<std::size_t>(q)] == c);
            if (!clash && go(p + 1)) return true;
        }
        return false;
    };
    return go(1);
}

TEST(Certificates, ProofsHoldOnRandomNets) {
    std::mt19937 rng(20261210);
    for (int round = 0; round < 40; ++round) {
        NetWorkType flowNet = SmallRandomNet(rng, round % 2 == 0 ? DirNetCode : UndirNetCode);
        flowNet.sourcePoint = 1;
        flowNet.sinkPoint = flowNet.n;
        const MinimumCut cut = ComputeMinimumCut(flowNet);
        double best = 1e300; // every cut around the source, by brute force
        for (unsigned bits = 0; bits < (1u << (flowNet.n - 2)); ++bits) {
            const auto side = static_cast<PointSet>(PointBit(1) | (bits << 2));
            double capacity = 0.0;
            for (int u : PointsOf(side))
                for (int v = 1; v <= flowNet.n; ++v)
                    if (!Contains(side, v) && EdgeExists(flowNet, u, v))
                        capacity += GetEdgeReal(flowNet, 0, u, v);
            best = std::min(best, capacity);
        }
        EXPECT_TRUE(Contains(cut.sourceSide, 1) && !Contains(cut.sourceSide, flowNet.n));
        EXPECT_DOUBLE_EQ(cut.capacity, cut.flowValue);
        EXPECT_DOUBLE_EQ(cut.capacity, best) << "round " << round;

        const NetWorkType net = SmallRandomNet(rng, UndirNetCode);
        UnstoppedRun run;
        const ChromaticProof chi = ProveChromatic(net, run);
        ASSERT_GT(chi.chromatic, 0);
        EXPECT_TRUE(ProperlyColored(net, chi.coloring, chi.chromatic));
        if (!chi.clique.empty()) {
            EXPECT_EQ(static_cast<int>(chi.clique.size()), chi.chromatic);
            for (std::size_t i = 0; i < chi.clique.size(); ++i)
                for (std::size_t j = i + 1; j < chi.clique.size(); ++j)
                    EXPECT_TRUE(Adjacent(net, chi.clique[i], chi.clique[j]));
        } else if (!chi.oddCycle.empty()) {
            EXPECT_EQ(chi.chromatic, 3);
            EXPECT_EQ(chi.oddCycle.front(), chi.oddCycle.back());
            EXPECT_EQ(chi.oddCycle.size() % 2, 0u) << "an odd number of edges";
            for (std::size_t i = 0; i + 1 < chi.oddCycle.size(); ++i)
                EXPECT_TRUE(Adjacent(net, chi.oddCycle[i], chi.oddCycle[i + 1]));
        } else {
            EXPECT_GT(chi.searchNodes, 0u);
        }
        EXPECT_FALSE(Colorable(net, chi.chromatic - 1)) << "round " << round;

        const DistanceLabels d = ComputeDistanceLabels(net, 1);
        EXPECT_EQ(d[1], 0.0);
        for (int u = 1; u <= net.n; ++u) {
            bool tight = u == 1 || std::isinf(d[static_cast<std::size_t>(u)]);
            for (int v = 1; v <= net.n; ++v) {
                if (!EdgeExists(net, v, u)) continue;
                const double w = GetEdgeReal(net, 0, v, u);
                EXPECT_LE(d[static_cast<std::size_t>(u)], d[static_cast<std::size_t>(v)] + w);
                tight = tight || d[static_cast<std::size_t>(u)] == d[static_cast<std::size_t>(v)] + w;
            }
            EXPECT_TRUE(tight) << "point " << u << " has a label some path reaches";
        }

        const SpanningTreeResult tree = ComputeMinSpanningTree(net);
        if (std::ranges::any_of(tree.edges, [](const SpanningTreeEdge& e) { return e.from == 0; })) continue;
        for (const TreeEdgeCut& c : TreeCuts(tree.edges))
            for (int u : PointsOf(c.side))
                for (int v = 1; v <= net.n; ++v) {
                    if (!Contains(c.side, v) && Adjacent(net, u, v)) {
                        EXPECT_GE(GetEdgeReal(net, 0, u, v), c.edge.weight);
                    }
                }
    }
}

} // namespace
} // namespace plax::testing

namespace plax::testing {
namespace {

// The proofs that no greater clique, independent set or smaller cover exists, checked against
// the net's own edges: the set found has the property and no larger one has (by brute force);
// its proof's classes cover the points, none is empty, there are as many as the set has points,
// and each is independent (for a clique) or a clique (for an independent set).
TEST(Certificates, SetProofsHoldByTheirDefinitionOnRandomNets) {
    std::mt19937 rng(31);
    for (int round = 0; round < 60; ++round) {
        const NetWorkType net = SmallRandomNet(rng, UndirNetCode);
        const int n = net.n;
        for (const bool clique : {true, false}) {
            SCOPED_TRACE(std::to_string(round) + (clique ? " clique" : " independent set"));
            const auto holds = [&](const std::vector<int>& set) {
                for (std::size_t i = 0; i < set.size(); ++i)
                    for (std::size_t j = i + 1; j < set.size(); ++j)
                        if (Adjacent(net, set[i], set[j]) != clique) return false;
                return true;
            };
            std::size_t best = 0;
            for (unsigned bits = 1; bits < (1u << n); ++bits) {
                std::vector<int> set;
                for (int p = 1; p <= n; ++p)
                    if ((bits >> (p - 1)) & 1u) set.push_back(p);
                if (holds(set)) best = std::max(best, set.size());
            }
            const NeighbourSets adjacent = UndirectedNeighbours(net);
            UnstoppedRun run;
            const CliqueProof proof =
                ProveGreatestClique(clique ? adjacent : ComplementSets(adjacent, n), n, run);
            EXPECT_TRUE(holds(proof.clique));
            EXPECT_EQ(proof.clique.size(), best);
            if (!proof.coloring) {
                EXPECT_GT(proof.searchNodes, 0u);
                continue;
            }
            const int size = static_cast<int>(proof.clique.size());
            for (int c = 1; c <= size; ++c) {
                std::vector<int> members;
                for (int p = 1; p <= n; ++p)
                    if ((*proof.coloring)[static_cast<std::size_t>(p)] == c) members.push_back(p);
                EXPECT_FALSE(members.empty()) << "class " << c;
                for (std::size_t i = 0; i < members.size(); ++i)
                    for (std::size_t j = i + 1; j < members.size(); ++j)
                        EXPECT_NE(Adjacent(net, members[i], members[j]), clique) << "class " << c;
            }
            for (int p = 1; p <= n; ++p) {
                const int c = (*proof.coloring)[static_cast<std::size_t>(p)];
                EXPECT_TRUE(c >= 1 && c <= size) << "point " << p << " is in no class";
            }
        }
    }
}

TEST(ExerciseFile, RoundTripAndHostileText) {
    const Exercise e{"road.net", {Question::ShortestPath, 1, 9, false}, true};
    const std::string text = ExerciseText(e);
    EXPECT_EQ(text,
              "PLAX EXERCISE 1\nnet=road.net\nquestion=shortest-path\nsource=1\nsink=9\nhide-weights=yes\n");
    const ReadExercise back = ParseExercise(text);
    ASSERT_TRUE(back.exercise);
    EXPECT_EQ(ExerciseText(*back.exercise), text);
    EXPECT_TRUE(ParseExercise("PLAX EXERCISE 1\r\nnet=a.net\r\nquestion=coloring\r\n").exercise)
        << "CR LF lines";
    EXPECT_TRUE(ParseExercise("PLAX EXERCISE 1\rnet=a.net\rquestion=coloring\r").exercise) << "CR lines";
    EXPECT_FALSE(ParseExercise("PLAX EXERCISE 1\nnet=a.net\nquestion=coloring\nhide-weights=no\n")
                     .exercise->hideWeights);
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"", "This is not a Plax exercise file."},
        {"PLAX EXERCISE 2\nnet=a.net\nquestion=coloring\n", "This is not a Plax exercise file."},
        {"PLAX EXERCISE 1\nnet=../a.net\nquestion=coloring\n",
         "The exercise file names no net file in its folder."},
        {"PLAX EXERCISE 1\nnet=a.net\nquestion=guess\n",
         "The exercise file names no question Plax can check."},
        {"PLAX EXERCISE 1\nnet=a.net\nnet=b.net\nquestion=coloring\n",
         "The exercise file has a line it cannot read: net=b.net"},
        {"PLAX EXERCISE 1\nnet=a.net\nquestion=coloring\nsource=16\n",
         "The exercise file has a line it cannot read: source=16"},
        {"PLAX EXERCISE 1\nnet=a.net\nquestion=coloring\nhide-weights=maybe\n",
         "The exercise file has a line it cannot read: hide-weights=maybe"},
        {"PLAX EXERCISE 1\nnet=a.net\nquestion=coloring\nweights\n",
         "The exercise file has a line it cannot read: weights"},
        {std::string(5000, 'x'), "The exercise file is too large."},
        {std::string("PLAX EXERCISE 1\nnet=a\0b\nquestion=coloring\n", 42),
         "The exercise file names no net file in its folder."},
    };
    for (const auto& [input, error] : bad) {
        const ReadExercise r = ParseExercise(input);
        EXPECT_FALSE(r.exercise) << input.substr(0, 40);
        EXPECT_EQ(r.error, error);
    }
    EXPECT_EQ(ExerciseNetPath("/tmp/class/week1.pex", e), "/tmp/class/road.net");
}

} // namespace
} // namespace plax::testing
