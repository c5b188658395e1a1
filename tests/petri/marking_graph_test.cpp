#include "petri/marking_graph.h"

#include "petri/petri_net.h"

#include "model/net_file.h"
#include "procedure_run.h"
#include "recording_messages.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <new>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

NetWorkType ExampleNet() {
    NetWorkType net;
    SilentMessages messages;
    EXPECT_TRUE(LoadNetFile(net, std::string(PLAX_EXAMPLES_DIR) + "/petri.net", OptionType{}, messages));
    return net;
}

// Two processes take the resources A and B in opposite orders: 1 A, 2 B, 3 P, 4 t1 (P takes A),
// 5 Pa, 6 t2 (takes B), 7 Pab, 8 t3 (gives both back), 9 Q, 10 u1 (Q takes B), 11 Qb,
// 12 u2 (takes A), 13 Qab, 14 u3 (gives both back).
NetWorkType Deadlock() {
    return PetriNet({{Place, 1},
                     {Place, 1},
                     {Place, 1},
                     {TransitionV, 0},
                     {Place, 0},
                     {TransitionV, 0},
                     {Place, 0},
                     {TransitionV, 0},
                     {Place, 1},
                     {TransitionH, 0},
                     {Place, 0},
                     {TransitionH, 0},
                     {Place, 0},
                     {TransitionH, 0}},
                    {{3, 4},  {1, 4},   {4, 5},   {5, 6},  {2, 6},  {6, 7},   {7, 8},
                     {8, 1},  {8, 2},   {8, 3},   {9, 10}, {2, 10}, {10, 11}, {11, 12},
                     {1, 12}, {12, 13}, {13, 14}, {14, 1}, {14, 2}, {14, 9}});
}

// A transition without inputs feeding an empty place: its count climbs to the ceiling.
NetWorkType Source() { return PetriNet({{TransitionV, 0}, {Place, 0}}, {{1, 2}}); }

using Tokens = std::vector<std::uint16_t>;

Lines Account(NetWorkType net, std::uint64_t bound, int stopAt = 0) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    StoppingSink sink(clock, flags);
    sink.stopAtPoll = stopAt;
    RecordingMessages messages;
    ReachabilityAnalysis(net, "/tmp/x.net", bound, {sink, messages});
    EXPECT_EQ(flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
    return Lines(sink.Lines().begin() + 11, sink.Lines().end());
}

TEST(Reachability, ProducerAndConsumerOfTheThreeSlotBuffer) {
    // Producer Ready or Made, consumer Idle or Got, 0..3 items in the buffer: 2 * 2 * 4 markings.
    const NetWorkType net = ExampleNet();
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    RecordingMessages messages;
    NetWorkType copy = net;
    ReachabilityAnalysis(copy, "/tmp/petri.net", DefaultMaxMarkings, {sink, messages});
    const Lines header = ResultsHeader(ReachabilityTitle, "petri", "dirNet", 10, 12);
    ASSERT_GE(sink.Lines().size(), header.size());
    EXPECT_EQ(Lines(sink.Lines().begin(), sink.Lines().begin() + 11), header);
    EXPECT_EQ(
        Account(net, DefaultMaxMarkings),
        (Lines{"    Places (the order of a marking) :  1,  3,  5,  6,  8, 10.",
               "    Initial marking : ( 1, 0, 0, 3, 0, 1 )", "    Reachable markings : 16", "",
               "    Bounded : yes, no firing meets the ceiling of 10000 tokens.",
               "    Largest count per place :",
               "      1 :     1  3 :     1  5 :     3  6 :     3  8 :     1 10 :     1", "",
               "    Dead markings : none", "", "    Transitions that never fire : none",
               "    Reversible : yes, the initial marking is reached again from every reachable marking.", "",
               "    Procedure complete. "}));
    EXPECT_EQ(TokensOf(copy), TokensOf(net)) << "the exploration leaves the tokens alone";
}

TEST(Reachability, DeadlockWithItsShortestFiringSequence) {
    // Both idle; P holds A or both; Q holds B or both; P holds A while Q holds B: dead.
    UnstoppedRun run;
    const ReachabilityResult r = ExploreMarkings(Deadlock(), DefaultMaxMarkings, run);
    EXPECT_EQ(r.places, (std::vector<int>{1, 2, 3, 5, 7, 9, 11, 13}));
    EXPECT_EQ(r.markings, 6u);
    EXPECT_EQ(r.end, ExplorationEnd::Complete);
    EXPECT_EQ(r.deadMarkings, 1u);
    ASSERT_EQ(r.firstDead.size(), 1u);
    EXPECT_EQ(r.firstDead[0].tokens, (std::vector<std::uint16_t>{0, 0, 0, 1, 0, 0, 1, 0}));
    EXPECT_EQ(r.firstDead[0].firings, (std::vector<int>{4, 10}));
    EXPECT_TRUE(r.neverFired.empty());
    EXPECT_EQ(r.reversibility, Reversibility::NotReversible);
    EXPECT_EQ(r.notReturning, 1u);
    EXPECT_EQ(r.largest, std::vector<std::uint16_t>(8, 1));

    const Lines account = Account(Deadlock(), DefaultMaxMarkings);
    const Lines dead = {"    Dead markings : 1",
                        "    ( 0, 0, 0, 1, 0, 0, 1, 0 ) after firing :", "         4, 10.", ""};
    EXPECT_NE(std::search(account.begin(), account.end(), dead.begin(), dead.end()), account.end());
    EXPECT_NE(std::find(account.begin(), account.end(),
                        "    Reversible : no, the initial marking cannot be reached again from 1 of the "
                        "reachable markings."),
              account.end());
}

TEST(Reachability, UnboundedNetIsCutAtTheCeilingTheBoundOrStop) {
    UnstoppedRun run;
    const ReachabilityResult full = ExploreMarkings(Source(), DefaultMaxMarkings, run);
    EXPECT_EQ(full.markings, 10001u);
    EXPECT_EQ(full.end, ExplorationEnd::Complete);
    EXPECT_TRUE(full.ceilingMet);
    EXPECT_EQ(full.largest, std::vector<std::uint16_t>{10000});
    EXPECT_EQ(full.deadMarkings, 0u);
    EXPECT_EQ(full.notReturning, 10000u);

    EXPECT_EQ(
        Account(Source(), 100),
        (Lines{"    Places (the order of a marking) :  2.", "    Initial marking : ( 0 )",
               "    Reachable markings : at least 100 (the bound on stored markings)", "",
               "    Bounded : not known, the exploration was cut.", "    Largest count per place :",
               "      2 :    99", "", "    Dead markings among those explored : none", "",
               "    Transitions not fired in the markings explored : none",
               "    Reversible : not known, the exploration was cut.", "", "    Procedure complete. "}));

    // Stop at the second poll, the 512th marking's turn: 511 had their firings tried.
    const Lines stopped = Account(Source(), DefaultMaxMarkings, 2);
    EXPECT_EQ(stopped[2], "    Reachable markings : at least 512 (stopped)");
    EXPECT_EQ(stopped.back(), "    Procedure terminated! ");
}

// Tokens going round a ring of three places: every way of sharing k of them out is a marking,
// (k + 1)(k + 2) / 2 of them, 125751 for 500, so the table grows past the size it takes from the
// system as mapped pages; every marking leads back to the first and none is dead.
TEST(Reachability, EveryShareOfTheTokensRoundARingIsReached) {
    const NetWorkType ring =
        PetriNet({{Place, 500}, {TransitionV, 0}, {Place, 0}, {TransitionV, 0}, {Place, 0}, {TransitionV, 0}},
                 {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 1}});
    UnstoppedRun run;
    const ReachabilityResult r = ExploreMarkings(ring, MaxMarkingsLimit, run);
    EXPECT_EQ(r.end, ExplorationEnd::Complete);
    EXPECT_EQ(r.markings, 125751u);
    EXPECT_EQ(r.deadMarkings, 0u);
    EXPECT_EQ(r.notReturning, 0u);
    EXPECT_EQ(r.largest, (std::vector<std::uint16_t>{500, 500, 500}));
}

// A sink whose memory gives out at its second poll, as an allocation of the search would.
class MemoryOutSink : public StoppingSink {
public:
    using StoppingSink::StoppingSink;

protected:
    void DoPoll() override {
        if (++polls == 2) throw std::bad_alloc();
    }
};

TEST(Reachability, RunningOutOfMemoryEndsTheRunAsStopWould) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    MemoryOutSink sink(clock, flags);
    RecordingMessages messages;
    NetWorkType net = Source();
    ReachabilityAnalysis(net, "/tmp/x.net", DefaultMaxMarkings, {sink, messages});
    EXPECT_EQ(flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
    const Lines& lines = sink.Lines();
    ASSERT_GT(lines.size(), 13u);
    EXPECT_EQ(lines[13], "    Reachable markings : at least 512 (stopped: the memory ran out)");
    EXPECT_EQ(lines.back(), "    Procedure terminated! ");
    EXPECT_TRUE(messages.calls.empty());
}

// The markings of a net by brute force: whole token arrays in an ordered set, fired with the
// token game's own functions on copies of the net.
struct BruteForce {
    std::uint64_t markings = 0;
    std::uint64_t dead = 0;
    std::vector<int> neverFired;
    std::uint64_t notReturning = 0;
    std::vector<std::uint16_t> largest;
    bool complete = true;
};

BruteForce Enumerate(const NetWorkType& start, std::size_t cap) {
    std::map<Tokens, std::vector<Tokens>> next;
    std::deque<NetWorkType> todo{start};
    std::set<int> fired;
    BruteForce b;
    next[TokensOf(start)];
    while (!todo.empty() && next.size() <= cap) {
        const NetWorkType net = todo.front();
        todo.pop_front();
        const PointFlags enabled = EnabledTransitions(net);
        b.dead += std::find(enabled.begin(), enabled.end(), true) == enabled.end() ? 1u : 0u;
        for (int t = 1; t <= net.n; ++t) {
            if (!enabled[static_cast<std::size_t>(t)]) continue;
            fired.insert(t);
            NetWorkType after = net;
            FireTransition(after, t);
            next[TokensOf(net)].push_back(TokensOf(after));
            if (next.emplace(TokensOf(after), std::vector<Tokens>{}).second) todo.push_back(after);
        }
    }
    b.complete = todo.empty() && next.size() <= cap;
    b.markings = next.size();
    for (int t = 1; t <= start.n; ++t) {
        if (IsTransition(start.points[static_cast<std::size_t>(t)]) && !fired.count(t))
            b.neverFired.push_back(t);
    }
    for (int p = 1; p <= start.n; ++p) {
        if (!IsTokenPlace(start.points[static_cast<std::size_t>(p)])) continue;
        std::uint16_t most = 0;
        for (const auto& [m, unused] : next)
            most = std::max(most, m[static_cast<std::size_t>(p - 1)]);
        b.largest.push_back(most);
    }
    // Each marking searches on its own for the initial one.
    for (const auto& [m, unused] : next) {
        std::set<Tokens> seen{m};
        std::deque<Tokens> queue{m};
        while (!queue.empty() && !seen.count(TokensOf(start))) {
            for (const Tokens& n : next[queue.front()])
                if (seen.insert(n).second) queue.push_back(n);
            queue.pop_front();
        }
        b.notReturning += seen.count(TokensOf(start)) ? 0u : 1u;
    }
    return b;
}

NetWorkType RandomPetriNet(std::mt19937& random) {
    const int n = std::uniform_int_distribution<int>(2, 8)(random);
    std::vector<PetriPoint> points;
    for (int i = 0; i < n; ++i) {
        const auto kind = std::uniform_int_distribution<int>(0, 5)(random);
        const std::uint16_t shape = kind < 2 ? Place : kind < 4 ? TransitionV : kind == 4 ? Square : Diamond;
        const auto tokens = static_cast<std::uint16_t>(std::uniform_int_distribution<int>(0, 2)(random));
        points.push_back({shape, shape == TransitionV ? std::uint16_t{0} : tokens});
    }
    std::vector<std::pair<int, int>> edges;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const bool across = (points[static_cast<std::size_t>(i - 1)].shape == TransitionV) !=
                                (points[static_cast<std::size_t>(j - 1)].shape == TransitionV);
            if (across && std::uniform_int_distribution<int>(0, 2)(random) == 0) edges.emplace_back(i, j);
        }
    }
    return PetriNet(points, edges);
}

TEST(Reachability, AgreesWithBruteForceOnRandomNets) {
    std::mt19937 random(20261208);
    int compared = 0;
    for (int k = 0; k < 150; ++k) {
        const NetWorkType net = RandomPetriNet(random);
        SCOPED_TRACE("net " + std::to_string(k));
        const BruteForce b = Enumerate(net, 200);
        UnstoppedRun run;
        const ReachabilityResult r = ExploreMarkings(net, 200, run);
        if (!b.complete) {
            EXPECT_NE(r.end, ExplorationEnd::Complete);
            continue;
        }
        ++compared;
        EXPECT_EQ(r.end, ExplorationEnd::Complete);
        EXPECT_EQ(r.markings, b.markings);
        EXPECT_EQ(r.deadMarkings, b.dead);
        EXPECT_EQ(r.neverFired, b.neverFired);
        EXPECT_EQ(r.largest, b.largest);
        EXPECT_EQ(r.notReturning, b.notReturning);
        EXPECT_EQ(r.reversibility,
                  b.notReturning == 0 ? Reversibility::Reversible : Reversibility::NotReversible);
    }
    EXPECT_GT(compared, 60) << compared;
}

} // namespace
} // namespace plax
