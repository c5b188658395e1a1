#include "accounts/k_shortest_paths_account.h"

#include "accounts/results_sink.h"
#include "algorithms/word_stack.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <queue>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::AddEdge;
constexpr auto Net = plax::testing::MakeNet;
using Lines = std::vector<std::string>;

struct Outcome {
    Lines lines;
    std::vector<int> shown; // the marked walk, popped from the stack
};

Outcome RunK(NetWorkType& net, int s, int t, int k, int show = 1, int limit = 100) {
    net.sourcePoint = static_cast<std::uint16_t>(s);
    net.sinkPoint = static_cast<std::uint16_t>(t);
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    plax::testing::RecordingMessages messages;
    TMyWordStack stack;
    stack.Push(99);
    KShortestPaths(net, show == 0 ? nullptr : &stack, "k.net", {k, limit, show}, {sink, messages});
    EXPECT_TRUE(messages.calls.empty());
    Outcome run{sink.Lines(), {}};
    while (!stack.IsEmpty() && show != 0)
        run.shown.push_back(stack.Pop());
    return run;
}

// The account after its header and its "Source", "K" and empty lines.
Lines Body(const Outcome& run) { return Lines(run.lines.begin() + 15, run.lines.end()); }

Lines Walk(int rank, const std::string& length, const std::string& points) {
    return {"    ", "    " + std::to_string(rank) + " Path ", "    Path has length " + length,
            "    Point sequence:", points};
}

Lines Concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(KShortestPaths, ChainAndAnEdgeWalkedBackAndForth) {
    // A directed chain has one length only; the opening has the procedure's own two titles
    // before the labelled header lines.
    NetWorkType chain = Net(DirNetCode, 3, "chain");
    AddEdge(chain, 1, 2, 1);
    AddEdge(chain, 2, 3, 2);
    const Outcome run = RunK(chain, 1, 3, 3);
    Lines opening =
        plax::testing::ResultsHeader("    K Shortest Paths with distinct length", "chain", "dirNet", 3, 2);
    opening.insert(opening.begin() + 2, "        Strictly increasing order");
    EXPECT_EQ(run.lines,
              Concat({opening,
                      {"    Source = 1    Sink = 3", "    K = 3", "", "    1 paths have been found",
                       "    Distinct Lengths of 1 shortest paths in increasing order:", "    3", ""},
                      Walk(1, "3", "      1,  2,  3"),
                      {"", "    Procedure complete. "}}));
    EXPECT_EQ(run.shown, (std::vector<int>{2, 3}));

    // Walks may repeat an undirected edge: 1, 3, 5.
    NetWorkType edge = Net(UndirNetCode, 2, "edge");
    AddEdge(edge, 1, 2, 1);
    const Outcome three = RunK(edge, 1, 2, 3, 3);
    EXPECT_EQ(Body(three),
              Concat({{"    Distinct Lengths of 3 shortest paths in increasing order:", "    1, 3, 5", ""},
                      Walk(1, "1", "      1,  2"),
                      Walk(2, "3", "      1,  2,  1,  2"),
                      Walk(3, "5", "      1,  2,  1,  2,  1,  2"),
                      {"", "    Procedure complete. "}}));
    EXPECT_EQ(three.shown, (std::vector<int>{2, 1, 2, 1, 2}));
    // Walk 5 of 3 marks the last one found; 0 marks none.
    EXPECT_EQ(RunK(edge, 2, 1, 2, 5).shown, (std::vector<int>{1, 2, 1}));
    EXPECT_TRUE(RunK(edge, 1, 2, 3, 0).shown.empty());
}

TEST(KShortestPaths, EqualWalksCountOnceAndLongListsWrap) {
    // 1-2-4 and 1-3-4 both take 2; with 1-4 (5) the lengths are 2, 4, 5, 6, 7, ...: fifteen of
    // them wrap after fourteen, the separator kept at the end of the full line.
    NetWorkType net = Net(UndirNetCode, 4, "square");
    for (const auto& [a, b, w] :
         std::vector<std::array<int, 3>>{{1, 2, 1}, {1, 3, 1}, {2, 4, 1}, {3, 4, 1}, {1, 4, 5}})
        AddEdge(net, a, b, w);
    const Lines body = Body(RunK(net, 1, 4, 15, 0));
    EXPECT_EQ(Lines(body.begin(), body.begin() + 9),
              Concat({{"    Distinct Lengths of 15 shortest paths in increasing order:",
                       "    2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, ", "    17", ""},
                      Walk(1, "2", "      1,  2,  4")}));
}

TEST(KShortestPaths, TooManyIterations) {
    // A cycle through 1..14 that turns between low and high numbers at every step, the sink
    // after it: fifteen lengths need fourteen laps of the cycle and more than 100 double sweeps.
    NetWorkType net = Net(DirNetCode, 15, "zigzag");
    const std::vector<int> cycle = {1, 8, 2, 9, 3, 10, 4, 11, 5, 12, 6, 13, 7, 14};
    for (std::size_t k = 0; k < cycle.size(); ++k)
        AddEdge(net, cycle[k], cycle[(k + 1) % cycle.size()], 1);
    AddEdge(net, 14, 15, 1);
    const Outcome run = RunK(net, 1, 15, 15, 1, 100);
    EXPECT_EQ(Body(run), (Lines{"    Too many iterations have been performed. Number exceeds 100", "",
                                "    Procedure complete. "}));
    EXPECT_TRUE(run.shown.empty());

    const Outcome enough = RunK(net, 1, 15, 15, 15, 10000);
    const Lines body = Body(enough);
    EXPECT_EQ(Lines(body.begin() + 1, body.begin() + 3),
              (Lines{"    14, 28, 42, 56, 70, 84, 98, 112, 126, 140, 154, 168, 182, 196, ", "    210"}));
    EXPECT_EQ(enough.shown.size(), 210u);
}

TEST(KShortestPaths, ZeroWeightEdgesCannotTrapTheRebuild) {
    // 2 and 3 are joined both ways at no cost and 3 is lower than 4, the way into 2: the exact
    // sums lead from 2 to 3 and back for ever, so the walk is given up.
    NetWorkType loop = Net(DirNetCode, 5, "loop");
    for (const auto& [a, b, w] :
         std::vector<std::array<int, 3>>{{1, 4, 5}, {4, 2, 1}, {2, 3, 0}, {3, 2, 0}, {2, 5, 1}})
        AddEdge(loop, a, b, w);
    const Outcome run = RunK(loop, 1, 5, 1);
    EXPECT_EQ(Body(run),
              Concat({{"    Distinct Lengths of 1 shortest paths in increasing order:", "    7", ""},
                      Walk(1, "7", "     Cannot generate the path 1"),
                      {"", "    Procedure complete. "}}));
    EXPECT_TRUE(run.shown.empty());

    // A free first edge: reaching 0 at point 2 is not yet reaching the source.
    NetWorkType free = Net(DirNetCode, 3, "free");
    AddEdge(free, 1, 2, 0);
    AddEdge(free, 2, 3, 5);
    const Outcome walk = RunK(free, 1, 3, 1);
    EXPECT_EQ(Body(walk)[7], "      1,  2,  3");
    EXPECT_EQ(walk.shown, (std::vector<int>{2, 3}));
}

// The k smallest distinct walk lengths found another way: (length, point) states in order of
// length, keeping at most k distinct lengths at each point.
std::vector<double> KSmallest(const NetWorkType& net, int s, int t, int k) {
    using State = std::pair<double, int>;
    std::priority_queue<State, std::vector<State>, std::greater<>> queue;
    std::array<std::set<double>, MaxPoints + 1> kept;
    queue.push({0.0, s});
    while (!queue.empty()) {
        const auto [d, v] = queue.top();
        queue.pop();
        auto& at = kept[static_cast<std::size_t>(v)];
        if (at.count(d) != 0 || at.size() >= static_cast<std::size_t>(k)) continue;
        at.insert(d);
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(v)])
            queue.push({d + e.weight, e.target});
    }
    return {kept[static_cast<std::size_t>(t)].begin(), kept[static_cast<std::size_t>(t)].end()};
}

// Every walk listed starts at s, ends at t, runs along edges and is as long as its length.
void CheckWalks(const NetWorkType& net, const Lines& body, std::size_t at, const std::vector<double>& want,
                int s, int t) {
    for (std::size_t r = 0; r < want.size(); ++r) {
        ASSERT_EQ(body[at + 2], "    Path has length " + ResultNumber(want[r]));
        at += 4;
        std::vector<int> walk;
        for (; body[at] != "    " && body[at] != "" && body[at].find("Cannot") == std::string::npos; ++at) {
            std::istringstream in(body[at]);
            std::string item;
            while (std::getline(in, item, ','))
                walk.push_back(std::stoi(item));
        }
        if (walk.empty()) {
            ++at;
            continue;
        }
        EXPECT_TRUE(walk.front() == s && walk.back() == t);
        double sum = 0.0;
        for (std::size_t k = 1; k < walk.size(); ++k) {
            const EdgeType* e = FindEdge(net, walk[k - 1], walk[k]);
            ASSERT_NE(e, nullptr) << walk[k - 1] << "->" << walk[k];
            sum += e->weight;
        }
        EXPECT_EQ(sum, want[r]);
    }
    EXPECT_EQ(body.size(), at + 2);
}

TEST(KShortestPaths, RandomNetsListTheKSmallestDistinctLengthsWithTrueWalks) {
    std::mt19937 rng(1993u);
    int marked = 0;
    for (int index = 0; index < 200; ++index) {
        const int n = 2 + static_cast<int>(rng() % 14);
        const bool directed = rng() % 2 == 0;
        NetWorkType net = Net(directed ? DirNetCode : UndirNetCode, n, "r" + std::to_string(index));
        const unsigned density = static_cast<unsigned>(10 + rng() % 50);
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                if (i != j && (directed || i < j) && rng() % 100 < density)
                    AddEdge(net, i, j, static_cast<double>(rng() % 10 == 0 ? 0 : 1 + rng() % 20));
            }
        }
        const int s = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        const int t = 1 + static_cast<int>(rng() % static_cast<unsigned>(n));
        const int k = 1 + static_cast<int>(rng() % 15);
        const std::vector<double> want = KSmallest(net, s, t, k);
        if (s == t || want.empty()) continue;
        SCOPED_TRACE(net.name + " from " + std::to_string(s) + " to " + std::to_string(t) + ", k " +
                     std::to_string(k));
        const Outcome run = RunK(net, s, t, k, 1, 10000);
        const Lines body = Body(run);
        std::size_t at = 0;
        if (want.size() < static_cast<std::size_t>(k)) {
            EXPECT_EQ(body[at++], "    " + std::to_string(want.size()) + " paths have been found");
        }
        EXPECT_EQ(body[at++], "    Distinct Lengths of " + std::to_string(want.size()) +
                                  " shortest paths in increasing order:");
        std::string listed;
        std::string expected;
        while (body[at] != "")
            listed += body[at++].substr(4);
        for (std::size_t r = 0; r < want.size(); ++r)
            expected += ResultNumber(want[r]) + (r + 1 < want.size() ? ", " : "");
        EXPECT_EQ(listed, expected);
        CheckWalks(net, body, at + 1, want, s, t);
        marked += run.shown.empty() ? 0 : 1;
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(marked, 100);
}

} // namespace
} // namespace plax
