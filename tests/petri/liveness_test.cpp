#include "petri/liveness.h"

#include "petri/petri_net.h"

#include "model/net_file.h"
#include "procedure_run.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>
#include <set>

namespace plax {
namespace {

using namespace plax::testing;

Lines Account(NetWorkType net) {
    const FixedClock clock("12:00", "10.12.2026");
    RunFlags flags;
    StoppingSink sink(clock, flags);
    RecordingMessages messages;
    LivenessAnalysis(net, "/tmp/x.net", DefaultMaxMarkings, {sink, messages});
    EXPECT_EQ(sink.Lines()[1], LivenessTitle);
    EXPECT_EQ(flags.busy, 0);
    return Lines(sink.Lines().begin() + 11, sink.Lines().end());
}

TEST(Liveness, TextbookNetsWorkedByHand) {
    // 1 start, 2 go (once), 3 a, 4 there, 5 b, 6 back: a token goes round 3 and 5 for ever after
    // one firing of 2; 8 never holds a token for 7.
    const NetWorkType once = PetriNet({{Place, 1},
                                       {TransitionV, 0},
                                       {Place, 0},
                                       {TransitionV, 0},
                                       {Place, 0},
                                       {TransitionV, 0},
                                       {TransitionH, 0},
                                       {Place, 0}},
                                      {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 3}, {8, 7}});
    EXPECT_EQ(Account(once),
              (Lines{"    Places (the order of a marking) :  1,  3,  5,  8.",
                     "    Initial marking : ( 1, 0, 0, 0 )", "    Reachable markings : 3", "",
                     "    Dead transitions (L0, never fire) :  7.",
                     "    Transitions that fire at least once (L1) :  2,  4,  6.",
                     "    Live transitions (L4, can fire again from every reachable marking) :  4,  6.",
                     "    Live : no.", "", "    Deadlock-free : yes, no reachable marking is dead.",
                     "    Dead markings : none", "", "    Terminal strongly connected components : 1",
                     "    Home markings : 2, not the initial marking.", "", "    Procedure complete. "}));

    NetWorkType buffer;
    SilentMessages silent;
    ASSERT_TRUE(LoadNetFile(buffer, std::string(PLAX_EXAMPLES_DIR) + "/petri.net", OptionType{}, silent));
    const Lines live = Account(buffer);
    EXPECT_EQ(live[6],
              "    Live transitions (L4, can fire again from every reachable marking) :  2,  4,  7,  9.");
    EXPECT_EQ(live[7], "    Live : yes, every transition is live.");
    EXPECT_EQ(live[13], "    Home markings : 16, the initial marking among them.");

    // Two consumers race for one token: each dead end is a terminal component of its own.
    const Lines race =
        Account(PetriNet({{Place, 1}, {TransitionV, 0}, {TransitionV, 0}, {Place, 0}, {Place, 0}},
                         {{1, 2}, {1, 3}, {2, 4}, {3, 5}}));
    EXPECT_EQ(race[9], "    Deadlock-free : no.");
    EXPECT_EQ(race[10], "    Dead markings : 2");
    EXPECT_EQ(race[11], "    ( 0, 1, 0 ) after firing :");
    EXPECT_EQ(race[12], "         2.");
    EXPECT_EQ(race[16], "    Terminal strongly connected components : 2");
    EXPECT_EQ(race[17], "    Home markings : none, no marking is reached from every reachable marking.");
}

using Tokens = std::vector<std::uint16_t>;

// By the definitions, on copies of the net: t is live when every reachable marking reaches one
// that enables it; a home marking is reached from every reachable one.
TEST(Liveness, AgreesWithTheDefinitionsOnRandomNets) {
    std::mt19937 random(101210);
    int compared = 0;
    for (int k = 0; k < 120; ++k) {
        const NetWorkType start = RandomSmallPetriNet(random, 1);
        SCOPED_TRACE("net " + std::to_string(k));
        UnstoppedRun run;
        const LivenessResult r = ExploreLiveness(start, 300, run);
        if (!r.known) continue;
        ++compared;
        std::map<Tokens, NetWorkType> nets{{TokensOf(start), start}};
        std::map<Tokens, std::set<Tokens>> next;
        for (std::deque<NetWorkType> todo{start}; !todo.empty(); todo.pop_front()) {
            const PointFlags enabled = EnabledTransitions(todo.front());
            for (int t = 1; t <= start.n; ++t) {
                if (!enabled[static_cast<std::size_t>(t)]) continue;
                NetWorkType after = todo.front();
                FireTransition(after, t);
                next[TokensOf(todo.front())].insert(TokensOf(after));
                if (nets.emplace(TokensOf(after), after).second) todo.push_back(after);
            }
        }
        std::map<Tokens, std::set<Tokens>> reach;
        for (const auto& [m, unused] : nets) {
            std::set<Tokens>& seen = reach[m];
            seen.insert(m);
            for (std::deque<Tokens> queue{m}; !queue.empty(); queue.pop_front())
                for (const Tokens& n : next[queue.front()])
                    if (seen.insert(n).second) queue.push_back(n);
        }
        std::vector<int> live;
        for (int t = 1; t <= start.n; ++t) {
            if (!IsTransition(start.points[static_cast<std::size_t>(t)])) continue;
            const bool everywhere = std::all_of(reach.begin(), reach.end(), [&](const auto& entry) {
                return std::any_of(entry.second.begin(), entry.second.end(), [&](const Tokens& m) {
                    return EnabledTransitions(nets.at(m))[static_cast<std::size_t>(t)];
                });
            });
            if (everywhere) live.push_back(t);
        }
        EXPECT_EQ(r.live, live);
        std::uint64_t home = 0;
        for (const auto& [m, unused] : nets)
            home +=
                std::all_of(reach.begin(), reach.end(), [&m](const auto& e) { return e.second.count(m) > 0; })
                    ? 1u
                    : 0u;
        EXPECT_EQ(r.homeMarkings, home);
        EXPECT_EQ(r.initialIsHome, r.reachability.notReturning == 0);
    }
    EXPECT_GT(compared, 60) << compared;
}

} // namespace
} // namespace plax
