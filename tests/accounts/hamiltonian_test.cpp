#include "accounts/hamiltonian_account.h"
#include "catalogue/refusals.h"

#include "model/text_utils.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>

namespace plax {
namespace {

using testing::Body;
using testing::Connect;
using testing::Header;
using testing::Joined;
using testing::Lines;
using testing::MakeNet;
using testing::RunSearch;
using testing::SearchRun;
using testing::StoppingSink;

const std::string PathTitle = "                Hamiltonian Path ";
const std::string CycleTitle = "                Hamiltonian Cycle ";
const std::string SalesmanTitle = "            Salesman problem";
const std::string Complete = "    Procedure complete. ";

SearchRun RunHamiltonian(NetWorkType& net, HamiltonianMode mode, int source,
                         const std::function<void(StoppingSink&)>& setUp = {}) {
    net.sourcePoint = static_cast<std::uint16_t>(source);
    return RunSearch(
        [&](MarkingBuffer& marks, ProcedureOutput out) { Hamiltonian(net, mode, marks, "h.net", out); },
        setUp);
}

SearchRun RunSalesman(NetWorkType& net, int source, const std::function<void(StoppingSink&)>& setUp = {}) {
    net.sourcePoint = static_cast<std::uint16_t>(source);
    return RunSearch([&](MarkingBuffer& marks, ProcedureOutput out) { Salesman(net, marks, "s.net", out); },
                     setUp);
}

Lines PathBlock(int counter, const std::string& sequence, const std::string& weight) {
    return {"", "    Counter = " + std::to_string(counter), "    Hamiltonian Path :     ", sequence,
            "    Weight of the current Hamiltonian Path  =  " + weight};
}

Lines CycleBlock(int counter, const std::string& sequence, const std::string& weight) {
    return {"", "    Counter = " + std::to_string(counter), "    Hamiltonian Cycle :     ", sequence,
            "    Weight of the current Hamiltonian Cycle  =  " + weight};
}

Lines SalesmanBlock(int counter, const std::string& sequence, const std::string& weight) {
    return {"", "    Counter = " + std::to_string(counter), "     Cycle :    ", sequence,
            "    Weight of the Cycle =  " + weight};
}

using Edges = std::vector<EdgeMark>;

// The undirected path 1 - 2 - 3, weights 2.5 and 4.
NetWorkType Path3() {
    NetWorkType net = MakeNet(UndirNetCode, 3, "path");
    Connect(net, 1, 2, 2.5);
    Connect(net, 2, 3, 4.0);
    return net;
}

TEST(HamiltonianRefusal, TrivialAndDisconnectedNets) {
    NetWorkType one = MakeNet(UndirNetCode, 1, "net");
    EXPECT_EQ(HamiltonianRefusal(one, HamiltonianMode::Path),
              "Trivial NetWork.There isnt Hamiltonian Path !");
    EXPECT_EQ(HamiltonianRefusal(one, HamiltonianMode::Cycle),
              "Trivial NetWork.There isnt Hamiltonian Cycle !");
    EXPECT_EQ(SalesmanRefusal(one), "Trivial NetWork.There isnt Hamiltonian Cycle !");

    // Point 3 reaches nothing.
    NetWorkType directed = MakeNet(DirNetCode, 3, "net");
    Connect(directed, 1, 2);
    Connect(directed, 2, 3);
    EXPECT_EQ(HamiltonianRefusal(directed, HamiltonianMode::Path),
              "There isnt Hamiltonian Path !\r\nProcedure terminated! ");
    EXPECT_EQ(SalesmanRefusal(directed), "There isnt Hamiltonian Cycle !\r\nProcedure terminated! ");

    NetWorkType path = Path3();
    EXPECT_EQ(HamiltonianRefusal(path, HamiltonianMode::Cycle), std::nullopt);
}

TEST(HamiltonianPath, UndirectedPathFromTheLowEnd) {
    NetWorkType net = Path3();
    const SearchRun run = RunHamiltonian(net, HamiltonianMode::Path, 1);
    const Lines expected =
        Joined(Joined(Joined(Header(PathTitle, "path", "undirNet", 3, 2), {"", "    Source = 1"}),
                      Joined(PathBlock(1, "      1, 2, 3.", "6.5"), PathBlock(1, "      1, 2, 3.", "6.5"))),
               {Complete});
    EXPECT_EQ(run.lines, expected);
    EXPECT_EQ(run.marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}}));
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
}

// A path from a fixed source is never listed twice, so one that ends below the source counts too.
TEST(HamiltonianPath, UndirectedPathFromTheHighEndIsFound) {
    NetWorkType net = Path3();
    const SearchRun run = RunHamiltonian(net, HamiltonianMode::Path, 3);
    EXPECT_EQ(Body(run.lines),
              Joined(Joined({"", "    Source = 3"}, Joined(PathBlock(1, "      3, 2, 1.", "6.5"),
                                                           PathBlock(1, "      3, 2, 1.", "6.5"))),
                     {Complete}));
    EXPECT_EQ(run.marks.MarkedEdges(3), (Edges{{3, 2}, {2, 1}}));
}

// Lists: 1: 3, 2; 2: 3, 1; 3: 1, 2. Weights 1-2 = 1, 2-3 = 2, 1-3 = 4.
TEST(HamiltonianCycle, TriangleGivesBothDirections) {
    NetWorkType net = MakeNet(UndirNetCode, 3, "tri");
    Connect(net, 1, 2, 1);
    Connect(net, 2, 3, 2);
    Connect(net, 1, 3, 4);
    const SearchRun run = RunHamiltonian(net, HamiltonianMode::Cycle, 1);
    const Lines blocks =
        Joined(Joined(CycleBlock(1, "      1, 3, 2, 1.", "7"), CycleBlock(2, "      1, 2, 3, 1.", "7")),
               CycleBlock(2, "      1, 2, 3, 1.", "7"));
    EXPECT_EQ(
        run.lines,
        Joined(Joined(Joined(Header(CycleTitle, "tri", "undirNet", 3, 3), {"", "    Source = 1"}), blocks),
               {Complete}));
    EXPECT_EQ(run.marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}, {3, 1}}));
}

// The search walks each list in its own order, whether it runs by the points' numbers or not.
// Each edge goes to the head of both lists. Added 1-4, 1-2, 1-3, 2-3, 2-4, 3-4, list 1 runs
// 3, 2, 4 (neither way), list 2 runs 4, 3, 1, list 3 runs 4, 2, 1 and list 4 runs 3, 2, 1; added
// 3-4, 2-4, 2-3, 1-4, 1-3, 1-2, every list rises.
TEST(HamiltonianCycle, ListOrderIsTheOrderOfTheFinds) {
    struct Case {
        std::vector<std::pair<int, int>> edges;
        HamiltonianMode mode;
        std::string label;
        Lines sequences; // the last find comes again at the end
    };
    const std::vector<std::pair<int, int>> mixed = {{1, 4}, {1, 2}, {1, 3}, {2, 3}, {2, 4}, {3, 4}};
    const std::vector<std::pair<int, int>> rising = {{3, 4}, {2, 4}, {2, 3}, {1, 4}, {1, 3}, {1, 2}};
    const std::vector<Case> cases = {
        {mixed, HamiltonianMode::Cycle, "    Hamiltonian Cycle :     ",
         {"      1, 3, 4, 2, 1.", "      1, 3, 2, 4, 1.", "      1, 2, 4, 3, 1.", "      1, 2, 3, 4, 1.",
          "      1, 4, 3, 2, 1.", "      1, 4, 2, 3, 1.", "      1, 4, 2, 3, 1."}},
        {rising, HamiltonianMode::Cycle, "    Hamiltonian Cycle :     ",
         {"      1, 2, 3, 4, 1.", "      1, 2, 4, 3, 1.", "      1, 3, 2, 4, 1.", "      1, 3, 4, 2, 1.",
          "      1, 4, 2, 3, 1.", "      1, 4, 3, 2, 1.", "      1, 4, 3, 2, 1."}},
        {rising, HamiltonianMode::Path, "    Hamiltonian Path :     ",
         {"      1, 2, 3, 4.", "      1, 2, 4, 3.", "      1, 3, 2, 4.", "      1, 3, 4, 2.", "      1, 4, 2, 3.",
          "      1, 4, 3, 2.", "      1, 4, 3, 2."}},
    };
    for (const Case& c : cases) {
        NetWorkType net = MakeNet(UndirNetCode, 4, "k4");
        for (const auto& [a, b] : c.edges)
            Connect(net, a, b);
        const SearchRun run = RunHamiltonian(net, c.mode, 1);
        Lines sequences;
        for (std::size_t i = 0; i + 1 < run.lines.size(); ++i) {
            if (run.lines[i] == c.label) sequences.push_back(run.lines[i + 1]);
        }
        EXPECT_EQ(sequences, c.sequences) << c.label << (c.edges == mixed ? " mixed" : " rising");
    }
}

// The counter's digits are counted up from find to find, over every carry, and a weight that
// changes is written anew: K6 with weights i * j has 120 cycles of many weights.
TEST(HamiltonianCycle, EveryFindHasItsOwnCounterAndWeight) {
    NetWorkType net = MakeNet(UndirNetCode, 6, "k6");
    for (int i = 1; i <= 6; ++i) {
        for (int j = i + 1; j <= 6; ++j)
            Connect(net, i, j, i * j);
    }
    const SearchRun run = RunHamiltonian(net, HamiltonianMode::Cycle, 1);
    int finds = 0;
    for (std::size_t i = 0; i + 3 < run.lines.size(); ++i) {
        if (run.lines[i].rfind("    Counter = ", 0) != 0) continue;
        ++finds;
        // The final repeat of the last find has the last counter again.
        EXPECT_EQ(run.lines[i], "    Counter = " + std::to_string(std::min(finds, 120)));
        std::istringstream points(run.lines[i + 2]);
        std::vector<int> cycle;
        for (std::string p; std::getline(points, p, ',');)
            cycle.push_back(std::stoi(p));
        int weight = 0;
        for (std::size_t k = 1; k < cycle.size(); ++k)
            weight += cycle[k - 1] * cycle[k];
        EXPECT_EQ(run.lines[i + 3], "    Weight of the current Hamiltonian Cycle  =  " + std::to_string(weight));
    }
    EXPECT_EQ(finds, 121);
}

TEST(HamiltonianCycle, FourteenPointRingWrapsTheClosingPoint) {
    NetWorkType net = MakeNet(UndirNetCode, 14, "ring");
    for (int i = 1; i < 14; ++i)
        Connect(net, i, i + 1);
    Connect(net, 14, 1); // heads list 1, so the ring is first walked downwards
    const SearchRun run = RunHamiltonian(net, HamiltonianMode::Cycle, 1);
    const Lines body = Body(run.lines);
    const Lines expected = {"",
                            "    Source = 1",
                            "",
                            "    Counter = 1",
                            "    Hamiltonian Cycle :     ",
                            "      1,14,13,12,11,10, 9, 8, 7, 6, 5, 4, 3, 2,",
                            "      1.",
                            "    Weight of the current Hamiltonian Cycle  =  14",
                            "",
                            "    Counter = 2",
                            "    Hamiltonian Cycle :     ",
                            "      1, 2, 3, 4, 5, 6, 7, 8, 9,10,11,12,13,14,",
                            "      1.",
                            "    Weight of the current Hamiltonian Cycle  =  14"};
    ASSERT_GE(body.size(), expected.size());
    EXPECT_EQ(Lines(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    EXPECT_EQ(run.marks.MarkedEdges(14).size(), 14u);
    EXPECT_EQ(run.marks.MarkedEdges(14).back(), (EdgeMark{14, 1}));
}

TEST(HamiltonianCycle, NotFoundEndsWithoutTheCompletionLine) {
    // A star: every point reaches every point, but no cycle passes the centre twice.
    NetWorkType net = MakeNet(UndirNetCode, 4, "star");
    Connect(net, 1, 2);
    Connect(net, 1, 3);
    Connect(net, 1, 4);
    const SearchRun run = RunHamiltonian(net, HamiltonianMode::Cycle, 2);
    EXPECT_EQ(Body(run.lines), (Lines{"", "    Source = 2", "    Hamiltonian Cycle  Not Found. "}));
    EXPECT_TRUE(run.marks.MarkedEdges(4).empty());
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(net.interaction.busy, 0);
}

// Complete net of six points: every extension is taken; from each second point 65 extensions and
// 24 cycles. The second poll comes with the 101st extension, the fifth-level step below the
// third point of the second subtree, after 24 + 6 + 6 cycles.
TEST(HamiltonianCycle, StopAfterSomeCyclesSaysSo) {
    NetWorkType net = MakeNet(UndirNetCode, 6, "k6");
    for (int i = 1; i <= 6; ++i) {
        for (int j = i + 1; j <= 6; ++j)
            Connect(net, i, j);
    }
    const SearchRun run =
        RunHamiltonian(net, HamiltonianMode::Cycle, 1, [](StoppingSink& s) { s.stopAtPoll = 2; });
    EXPECT_EQ(run.polls, 2);
    const auto blocks = std::count_if(run.lines.begin(), run.lines.end(),
                                      [](const std::string& l) { return l.rfind("    Counter = ", 0) == 0; });
    EXPECT_EQ(blocks, 36);
    ASSERT_GE(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[run.lines.size() - 3], "    Weight of the current Hamiltonian Cycle  =  6");
    EXPECT_EQ(run.lines[run.lines.size() - 2], Complete);
    EXPECT_EQ(run.lines.back(), "    Procedure terminated! Hamiltonian Cycle  Found. ");
    EXPECT_EQ(run.marks.MarkedEdges(6).size(), 6u);
    EXPECT_TRUE(run.longRunEnded);
    EXPECT_EQ(run.flags.stop, 0);
    EXPECT_EQ(run.flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);

    const SearchRun first =
        RunHamiltonian(net, HamiltonianMode::Path, 1, [](StoppingSink& s) { s.stopAtPoll = 1; });
    EXPECT_EQ(Body(first.lines), (Lines{"", "    Source = 1", "    Hamiltonian Path  Not Found. "}));
}

// A line that cannot be written ends the run; the long run is still ended.
TEST(HamiltonianCycle, WriteFailureEndsTheLongRun) {
    class FailingSink : public LineSink {
    public:
        using LineSink::LineSink;

    protected:
        bool DoAddLine(std::string_view text) override {
            return text.rfind("    Counter", 0) != 0 && LineSink::DoAddLine(text);
        }
    };
    NetWorkType net = Path3();
    net.sourcePoint = 1;
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    FailingSink sink(clock, flags);
    testing::RecordingMessages messages;
    MarkingBuffer marks;
    Hamiltonian(net, HamiltonianMode::Path, marks, "p.net", {sink, messages});
    EXPECT_EQ(messages.calls,
              (std::vector<testing::RecordingMessages::Call>{
                  {"warning", " Cannot write string to Results Window.\r\nProcedure terminated! "}}));
    EXPECT_TRUE(sink.Finished());
    EXPECT_EQ(flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
}

// Lists: 1: 3 (8), 2 (6); 2: 3 (3), 1 (3); 3: 2 (5), 1 (5). The cycle 1, 3, 2 (16) comes first;
// then 1, 2, 3 (14). Adding the source's least out-weight (6) in place of the edge 2 -> 3 (3) would
// give 6 + 6 + 5 = 17 and cut the lighter cycle off.
TEST(Salesman, LighterCycleAfterAHeavyStartIsFound) {
    NetWorkType net = MakeNet(DirNetCode, 3, "tour");
    Connect(net, 1, 2, 6);
    Connect(net, 3, 1, 5);
    Connect(net, 2, 1, 3);
    Connect(net, 1, 3, 8);
    Connect(net, 3, 2, 5);
    Connect(net, 2, 3, 3);
    const SearchRun run = RunSalesman(net, 1);
    const Lines blocks = Joined(
        Joined(SalesmanBlock(1, "      1, 3, 2, 1.", "16"), SalesmanBlock(2, "      1, 2, 3, 1.", "14")),
        SalesmanBlock(2, "      1, 2, 3, 1.", "14"));
    EXPECT_EQ(
        run.lines,
        Joined(Joined(Joined(Header(SalesmanTitle, "tour", "dirNet", 3, 6), {"", "    Source = 1"}), blocks),
               {Complete}));
    EXPECT_EQ(run.marks.MarkedEdges(3), (Edges{{1, 2}, {2, 3}, {3, 1}}));
}

// The square 1-2-3-4 (weight 1 each) with the diagonal 1-3 (10): the first cycle weighs 4, the sum
// of the least out-weights, and ends the search.
TEST(Salesman, CycleAtTheGlobalBoundEndsTheSearch) {
    NetWorkType net = MakeNet(UndirNetCode, 4, "square");
    Connect(net, 1, 2);
    Connect(net, 2, 3);
    Connect(net, 3, 4);
    Connect(net, 4, 1);
    Connect(net, 1, 3, 10);
    const SearchRun run = RunSalesman(net, 1);
    EXPECT_EQ(Body(run.lines),
              Joined(Joined({"", "    Source = 1"}, Joined(SalesmanBlock(1, "      1, 4, 3, 2, 1.", "4"),
                                                           SalesmanBlock(1, "      1, 4, 3, 2, 1.", "4"))),
                     {Complete}));
}

// A cycle of weight 3.0E38 is heavier than 9.9999999E37 and still a cycle.
TEST(Salesman, HeaviestWeightsStillGiveACycle) {
    NetWorkType net = MakeNet(UndirNetCode, 3, "heavy");
    Connect(net, 1, 2, MaxWeight);
    Connect(net, 2, 3, MaxWeight);
    Connect(net, 3, 1, MaxWeight);
    const SearchRun run = RunSalesman(net, 1);
    ASSERT_GE(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[run.lines.size() - 2], "    Weight of the Cycle =  " + ResultNumber(3.0 * MaxWeight));
    EXPECT_EQ(run.lines.back(), Complete);
}

TEST(Salesman, StoppedRuns) {
    NetWorkType net = MakeNet(DirNetCode, 3, "tour");
    Connect(net, 1, 2, 6);
    Connect(net, 2, 3, 3);
    Connect(net, 3, 1, 5);
    Connect(net, 1, 3, 8);
    Connect(net, 3, 2, 5);
    Connect(net, 2, 1, 3);

    const SearchRun early = RunSalesman(net, 1, [](StoppingSink& s) { s.stopAtPoll = 1; });
    EXPECT_EQ(Body(early.lines), (Lines{"", "    Source = 1", "    Salesman Cycle  Not Found. "}));
    EXPECT_TRUE(early.marks.MarkedEdges(3).empty());

    // Stop is seen at a poll, and the cycles listed before it are shown. In the complete net of 6
    // points with weights i + j every cycle weighs 42, so the first, 1, 6, 5, ..., 2, 1 (each list
    // holds its last edge first), stays the only one; the search goes on past the 101st extension
    // and its second poll.
    NetWorkType k6 = MakeNet(UndirNetCode, 6, "k6");
    for (int i = 1; i <= 6; ++i) {
        for (int j = i + 1; j <= 6; ++j)
            Connect(k6, i, j, i + j);
    }
    const SearchRun late = RunSalesman(k6, 1, [](StoppingSink& s) { s.stopAtPoll = 2; });
    EXPECT_EQ(late.polls, 2);
    EXPECT_EQ(Body(late.lines),
              Joined(Joined({"", "    Source = 1"}, SalesmanBlock(1, "      1, 6, 5, 4, 3, 2, 1.", "42")),
                     {Complete, "    Procedure terminated!  Cycle  Found. "}));
    EXPECT_EQ(late.marks.MarkedEdges(6), (Edges{{1, 6}, {6, 5}, {5, 4}, {4, 3}, {3, 2}, {2, 1}}));
    EXPECT_EQ(late.flags.stop, 0);
    EXPECT_EQ(k6.interaction.busy, 0);
}

// What the solution blocks of a run list.
struct Block {
    std::vector<int> sequence;
    std::string weight;
};

std::vector<Block> Blocks(const Lines& lines) {
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("    Counter = ", 0) != 0) continue;
        Block b;
        std::size_t k = i + 2;
        for (; k < lines.size() && lines[k].rfind("    Weight", 0) != 0; ++k) {
            for (std::size_t at = 0; at < lines[k].size();) {
                const std::size_t start = lines[k].find_first_of("0123456789", at);
                if (start == std::string::npos) break;
                const std::size_t end = lines[k].find_first_not_of("0123456789", start);
                b.sequence.push_back(std::stoi(lines[k].substr(start, end - start)));
                at = end;
            }
        }
        b.weight = lines[k].substr(lines[k].find("=  ") + 3);
        blocks.push_back(b);
        i = k;
    }
    return blocks;
}

// Every ordering of the other points that the edges allow, counted directly.
std::size_t BruteForceCount(const NetWorkType& net, int source, bool cycle) {
    std::vector<int> others;
    for (int p = 1; p <= net.n; ++p) {
        if (p != source) others.push_back(p);
    }
    std::size_t count = 0;
    do {
        int at = source;
        bool ok = true;
        for (int p : others) {
            ok = ok && EdgeExists(net, at, p);
            at = p;
        }
        if (ok && (!cycle || EdgeExists(net, at, source))) ++count;
    } while (std::next_permutation(others.begin(), others.end()));
    return count;
}

bool IsWalkOfEdges(const NetWorkType& net, const std::vector<int>& sequence) {
    for (std::size_t k = 0; k + 1 < sequence.size(); ++k) {
        if (!EdgeExists(net, sequence[k], sequence[k + 1])) return false;
    }
    return true;
}

bool VisitsEveryPointOnce(const std::vector<int>& points, int n) {
    std::vector<int> sorted = points;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> all(static_cast<std::size_t>(n));
    std::iota(all.begin(), all.end(), 1);
    return sorted == all;
}

TEST(HamiltonianInvariants, ListingsMatchABruteForceCount) {
    std::mt19937 rng(20261208);
    for (int trial = 0; trial < 120; ++trial) {
        const int n = 2 + trial % 7;
        const bool directed = trial % 3 == 0;
        NetWorkType net = testing::RandomNet(rng, directed, n, directed ? 0.7 : 0.6, 9);
        const int source = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        for (const HamiltonianMode mode : {HamiltonianMode::Cycle, HamiltonianMode::Path}) {
            const bool cycle = mode == HamiltonianMode::Cycle;
            const SearchRun run = RunHamiltonian(net, mode, source);
            std::vector<Block> blocks = Blocks(run.lines);
            const std::size_t expected = BruteForceCount(net, source, cycle);
            ASSERT_EQ(blocks.empty() ? 0 : blocks.size() - 1, expected)
                << "trial " << trial << " cycle " << cycle;
            for (const Block& b : blocks) {
                EXPECT_EQ(b.sequence.front(), source);
                EXPECT_TRUE(IsWalkOfEdges(net, b.sequence));
                std::vector<int> points = b.sequence;
                if (cycle) {
                    EXPECT_EQ(points.back(), source);
                    points.pop_back();
                }
                EXPECT_TRUE(VisitsEveryPointOnce(points, n));
            }
        }
    }
}

constexpr double Infinite = std::numeric_limits<double>::infinity();

double Weight(const NetWorkType& net, int a, int b) {
    const EdgeType* e = FindEdge(net, a, b);
    return e == nullptr ? Infinite : e->weight;
}

// The least cycle weight through every point by dynamic programming over subsets.
double HeldKarp(const NetWorkType& net, int source) {
    const int n = net.n;
    const std::size_t full = std::size_t{1} << n;
    std::vector<double> best(full * static_cast<std::size_t>(n), Infinite);
    const auto at = [&](std::size_t mask, int v) -> double& {
        return best[mask * static_cast<std::size_t>(n) + static_cast<std::size_t>(v - 1)];
    };
    at(std::size_t{1} << (source - 1), source) = 0.0;
    for (std::size_t mask = 1; mask < full; ++mask) {
        for (int v = 1; v <= n; ++v) {
            if (at(mask, v) == Infinite) continue;
            for (int w = 1; w <= n; ++w) {
                const std::size_t bit = std::size_t{1} << (w - 1);
                if ((mask & bit) == 0)
                    at(mask | bit, w) = std::min(at(mask | bit, w), at(mask, v) + Weight(net, v, w));
            }
        }
    }
    double least = Infinite;
    for (int v = 1; v <= n; ++v) {
        if (v != source) least = std::min(least, at(full - 1, v) + Weight(net, v, source));
    }
    return least;
}

TEST(SalesmanInvariants, LastCycleWeighsWhatHeldKarpFinds) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 150; ++trial) {
        const int n = 3 + trial % 10;
        const bool directed = trial % 2 == 0;
        const double density = trial % 5 == 0 ? 1.0 : 0.55;
        NetWorkType net = testing::RandomNet(rng, directed, n, density, 100);
        if (trial % 7 == 0) SetEdgeReal(net, EdgeRealWeight, 1, 2, 0.5); // not only whole numbers
        const int source = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        const double optimum = HeldKarp(net, source);
        const SearchRun run = RunSalesman(net, source);
        if (optimum == Infinite) {
            EXPECT_EQ(run.lines.back(), "    Salesman Cycle  Not Found. ") << "trial " << trial;
            continue;
        }
        const std::vector<Block> blocks = Blocks(run.lines);
        ASSERT_FALSE(blocks.empty()) << "trial " << trial;
        EXPECT_EQ(blocks.back().weight, ResultNumber(optimum)) << "trial " << trial;
        EXPECT_EQ(run.marks.MarkedEdges(n).size(), static_cast<std::size_t>(n));
    }
}

// The search with no weight pruning at all: every cycle in list order, each strictly lighter one
// kept.
class PlainSalesman {
public:
    PlainSalesman(const NetWorkType& net, int source) : net_(net), source_(source) {}
    std::vector<Block> Run() {
        path_ = {source_};
        Extend(0.0);
        return improving_;
    }

private:
    void Extend(double weight) {
        const int u = path_.back();
        for (const EdgeType& e : net_.lists[static_cast<std::size_t>(u)]) {
            if (static_cast<int>(path_.size()) == net_.n) {
                if (e.target == source_ && weight + e.weight < best_) {
                    best_ = weight + e.weight;
                    Block b{path_, ResultNumber(best_)};
                    b.sequence.push_back(source_);
                    improving_.push_back(b);
                }
                continue;
            }
            if (std::find(path_.begin(), path_.end(), e.target) != path_.end()) continue;
            path_.push_back(e.target);
            Extend(weight + e.weight);
            path_.pop_back();
        }
    }

    const NetWorkType& net_;
    const int source_;
    std::vector<int> path_;
    double best_ = Infinite;
    std::vector<Block> improving_;
};

TEST(SalesmanInvariants, PruningWritesTheSameImprovingCyclesAsNoPruning) {
    std::mt19937 rng(11);
    int compared = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int n = 3 + trial % 7;
        const bool directed = trial % 2 == 1;
        NetWorkType net =
            testing::RandomNet(rng, directed, n, trial % 3 == 0 ? 1.0 : 0.7, trial % 4 == 0 ? 5 : 100);
        const int source = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        std::vector<Block> expected = PlainSalesman(net, source).Run();
        std::vector<Block> written = Blocks(RunSalesman(net, source).lines);
        if (!written.empty()) written.pop_back(); // the best one again
        ASSERT_EQ(written.size(), expected.size()) << "trial " << trial;
        for (std::size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(written[k].sequence, expected[k].sequence) << "trial " << trial;
            EXPECT_EQ(written[k].weight, expected[k].weight) << "trial " << trial;
        }
        compared += static_cast<int>(expected.size());
    }
    EXPECT_GT(compared, 400);
}

} // namespace
} // namespace plax
