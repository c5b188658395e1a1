#include "petri/coverability.h"

#include "petri/petri_lines.h"

#include "model/net_file.h"
#include "procedure_run.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <random>

namespace plax {
namespace {

using namespace plax::testing;

Lines Account(NetWorkType net, std::uint64_t bound) {
    const FixedClock clock("12:00", "10.12.2026");
    RunFlags flags;
    StoppingSink sink(clock, flags);
    RecordingMessages messages;
    CoverabilityAnalysis(net, "/tmp/x.net", bound, {sink, messages});
    EXPECT_EQ(flags.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
    EXPECT_EQ(sink.Lines()[1], CoverabilityTitle);
    return Lines(sink.Lines().begin() + 11, sink.Lines().end());
}

TEST(Coverability, TextbookNetsWorkedByHand) {
    NetWorkType buffer;
    SilentMessages silent;
    ASSERT_TRUE(LoadNetFile(buffer, std::string(PLAX_EXAMPLES_DIR) + "/petri.net", OptionType{}, silent));
    EXPECT_EQ(Account(buffer, DefaultMaxMarkings),
              (Lines{"    Places (the order of a marking) :  1,  3,  5,  6,  8, 10.",
                     "    Initial marking : ( 1, 0, 0, 3, 0, 1 )", "    Coverability nodes : 16", "",
                     "    Unbounded places (w) : none", "    Bound per bounded place :",
                     "      1 :     1  3 :     1  5 :     3  6 :     3  8 :     1 10 :     1",
                     "    Bounded : yes, every place is bounded.",
                     "    Safe : no, a place holds more than one token.", "",
                     "    Dead transitions (never enabled) : none", "", "    Procedure complete. "}));

    // The pump's output grows for ever: (1, 0) then (1, w), which fires into itself.
    EXPECT_EQ(Account(Pump(1), DefaultMaxMarkings),
              (Lines{"    Places (the order of a marking) :  1,  3.", "    Initial marking : ( 1, 0 )",
                     "    Coverability nodes : 2", "", "    Unbounded places (w) :  3.",
                     "    Bound per bounded place :", "      1 :     1",
                     "    Bounded : no, 1 of 2 places are unbounded.", "    Safe : no, a place is unbounded.",
                     "", "    Dead transitions (never enabled) : none", "", "    Procedure complete. "}));

    // Without its token the pump never fires.
    const Lines dry = Account(Pump(0), DefaultMaxMarkings);
    EXPECT_EQ(dry[2], "    Coverability nodes : 1");
    EXPECT_EQ(dry[7], "    Bounded : yes, every place is bounded.");
    EXPECT_EQ(dry[8], "    Safe : yes, no place ever holds more than one token.");
    EXPECT_EQ(dry[10], "    Dead transitions (never enabled) :  2.");

    UnstoppedRun run;
    const CoverabilityResult mutex = BuildCoverability(MutualExclusion(), DefaultMaxMarkings, run, true);
    EXPECT_EQ(mutex.nodes, 3u);
    EXPECT_EQ(mutex.bound, (std::vector<std::uint32_t>{1, 1, 1, 1, 1}));
    EXPECT_EQ(mutex.arcs.size(), 4u);
    ASSERT_EQ(mutex.nodeMarkings.size(), 3u);
    EXPECT_EQ(MarkingText(mutex.nodeMarkings[1]), "( 0, 1, 0, 1, 0 )");

    // Two sources, one behind the other: 1 t, 2 p, 3 u (takes from 2, keeps it), 4 q.
    const CoverabilityResult chain =
        BuildCoverability(PetriNet({{TransitionV, 0}, {Place, 0}, {TransitionV, 0}, {Place, 0}},
                                   {{1, 2}, {2, 3}, {3, 2}, {3, 4}}),
                          DefaultMaxMarkings, run);
    EXPECT_EQ(chain.bound, (std::vector<std::uint32_t>{Omega, Omega}));
    EXPECT_EQ(chain.nodes, 3u); // (0, 0), (w, 0), (w, w)
}

TEST(Coverability, CutByTheBoundOrStopSaysSo) {
    // A place drained token by token: 11 nodes.
    const NetWorkType drain = PetriNet({{Place, 10}, {TransitionV, 0}}, {{1, 2}});
    const Lines cut = Account(drain, 3);
    EXPECT_EQ(cut[2], "    Coverability nodes : at least 3 (the bound on stored nodes)");
    EXPECT_EQ(cut[3], "    The construction was cut: what follows holds for the nodes built.");
    EXPECT_EQ(cut[6], "    Largest count per place not found unbounded :");
    EXPECT_EQ(cut[8], "    Bounded : not known, the construction was cut.");
    EXPECT_EQ(cut[11], "    Transitions not enabled in the nodes built : none");
    EXPECT_EQ(cut.back(), "    Procedure complete. ");

    const FixedClock clock("12:00", "10.12.2026");
    RunFlags flags;
    StoppingSink sink(clock, flags);
    sink.stopAtPoll = 1;
    RecordingMessages messages;
    NetWorkType counter = PetriNet({{Place, 9999}, {TransitionV, 0}, {Place, 0}}, {{1, 2}, {2, 3}});
    CoverabilityAnalysis(counter, "/tmp/x.net", DefaultMaxMarkings, {sink, messages});
    EXPECT_EQ(sink.Lines()[13], "    Coverability nodes : at least 256 (stopped)");
    EXPECT_EQ(sink.Lines().back(), "    Procedure terminated! ");
    EXPECT_EQ(flags.busy, 0);
}

TEST(Coverability, AgreesWithReachabilityOnRandomBoundedNets) {
    std::mt19937 random(20261210);
    int compared = 0;
    for (int k = 0; k < 300; ++k) {
        const NetWorkType net = RandomSmallPetriNet(random);
        SCOPED_TRACE("net " + std::to_string(k));
        UnstoppedRun run;
        const ReachabilityResult r = ExploreMarkings(net, 2000, run);
        const CoverabilityResult c = BuildCoverability(net, 2000, run);
        if (r.end != ExplorationEnd::Complete) {
            // More markings than the bound: a place grows without bound, or the nodes pass it too.
            const bool omega = std::find(c.bound.begin(), c.bound.end(), Omega) != c.bound.end();
            EXPECT_TRUE(omega || c.end != ExplorationEnd::Complete);
            continue;
        }
        ++compared;
        EXPECT_EQ(c.end, ExplorationEnd::Complete);
        EXPECT_EQ(c.nodes, r.markings);
        EXPECT_EQ(c.bound, std::vector<std::uint32_t>(r.largest.begin(), r.largest.end()));
        EXPECT_EQ(c.dead, r.neverFired);
    }
    EXPECT_GT(compared, 100) << compared;
}

} // namespace
} // namespace plax
