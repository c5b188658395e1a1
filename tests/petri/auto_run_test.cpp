#include "petri/auto_run.h"

#include "petri/petri_net.h"

#include "model/net_file.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

// Answers the numbers it was given, in order, and records the ranges it was asked for.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::deque<std::uint32_t> answers) : answers_(std::move(answers)) {}
    std::uint32_t Draw(std::uint32_t max) override {
        asked.push_back(max);
        const std::uint32_t r = answers_.front();
        answers_.pop_front();
        return r;
    }
    std::vector<std::uint32_t> asked;

private:
    std::deque<std::uint32_t> answers_;
};

// Transitions 1 (level 0), 3 (level 2, but not enabled), 4 (level 2) and 5 (level 1), each fed
// from the place before it.
NetWorkType FourTransitions() {
    return PetriNet({{TransitionV, 0}, {Place, 0}, {TransitionV, 2}, {TransitionH, 2}, {TransitionV, 1}},
                    {{2, 3}});
}

TEST(PetriChoice, IntervalsFollowTheLevels) {
    const NetWorkType net = FourTransitions();
    const PointFlags enabled = EnabledTransitions(net);
    ASSERT_EQ(enabled, (PointFlags{false, true, false, false, true, true}));
    // Intervals: 1 owns 0, 4 owns 1..3, 5 owns 4..5.
    ScriptedRandom random({0, 1, 3, 4, 5});
    std::vector<int> chosen;
    for (int k = 0; k < 5; ++k)
        chosen.push_back(ChooseTransition(net, enabled, random));
    EXPECT_EQ(chosen, (std::vector<int>{1, 4, 4, 5, 5}));
    EXPECT_EQ(random.asked, (std::vector<std::uint32_t>(5, 5)));

    ScriptedRandom unused({});
    EXPECT_EQ(ChooseTransition(net, PointFlags{}, unused), 0);
    EXPECT_TRUE(unused.asked.empty());
}

TEST(PetriChoice, SeededDrawsMatchTheWeights) {
    // Levels 0 and 2: chances 1/4 and 3/4. Over 40000 draws the count of the first has a standard
    // deviation near 87; the tolerance of 400 is more than four of them.
    const NetWorkType net = PetriNet({{TransitionV, 0}, {TransitionH, 2}}, {});
    const PointFlags enabled = EnabledTransitions(net);
    SeededRandom random(12345);
    std::array<int, 3> count{};
    constexpr int Draws = 40000;
    for (int k = 0; k < Draws; ++k)
        ++count[static_cast<std::size_t>(ChooseTransition(net, enabled, random))];
    EXPECT_EQ(count[0], 0);
    EXPECT_NEAR(count[1], Draws / 4, 400);
    EXPECT_NEAR(count[2], 3 * Draws / 4, 400);

    // Every value of a draw turns up about equally often.
    std::array<int, 7> values{};
    for (int k = 0; k < 70000; ++k)
        ++values[SeededRandom(static_cast<std::uint64_t>(k)).Draw(6)];
    for (int v : values)
        EXPECT_NEAR(v, 10000, 450);
}

TEST(PetriAutoRun, EndsWhenNothingIsEnabledAtTheLimitOrOnStop) {
    // Three tokens drain through the transition into the square: three firings.
    NetWorkType drain = PetriNet({{Place, 3}, {TransitionV, 0}, {Square, 0}}, {{1, 2}, {2, 3}});
    SeededRandom random(1);
    const AutoRunResult dry = RunAutomatic(drain, random, DefaultFiringLimit, {});
    EXPECT_EQ(dry.firings, 3u);
    EXPECT_EQ(dry.end, AutoRunEnd::NoneEnabled);
    EXPECT_EQ(Tokens(drain, 1), 0);
    EXPECT_EQ(Tokens(drain, 3), 3);

    // A self-loop stays live: the limit ends it.
    NetWorkType loop = PetriNet({{Place, 1}, {TransitionV, 0}}, {{1, 2}, {2, 1}});
    const AutoRunResult limited = RunAutomatic(loop, random, 50, {});
    EXPECT_EQ(limited.firings, 50u);
    EXPECT_EQ(limited.end, AutoRunEnd::FiringLimit);
    EXPECT_EQ(RunAutomatic(loop, random, 0, {}).end, AutoRunEnd::FiringLimit);
    EXPECT_EQ(DefaultFiringLimit, 10000u);

    // Stop is asked before every firing; pressed on the seventh question, six firings ran.
    int asked = 0;
    const AutoRunResult stopped =
        RunAutomatic(loop, random, DefaultFiringLimit, [&] { return ++asked == 7; });
    EXPECT_EQ(stopped.firings, 6u);
    EXPECT_EQ(stopped.end, AutoRunEnd::Stopped);
}

TEST(PetriAutoRun, ExampleNetReplaysFromItsSeedAndKeepsItsInvariants) {
    NetWorkType start;
    SilentMessages messages;
    ASSERT_TRUE(LoadNetFile(start, std::string(PLAX_EXAMPLES_DIR) + "/petri.net", OptionType{}, messages));
    ASSERT_TRUE(IsOrdinaryPetriNet(start));
    for (std::uint64_t seed : {1u, 2u, 99u}) {
        NetWorkType a = start;
        NetWorkType b = start;
        SeededRandom ra(seed);
        SeededRandom rb(seed);
        const AutoRunResult runA = RunAutomatic(a, ra, 777, {});
        const AutoRunResult runB = RunAutomatic(b, rb, 777, {});
        EXPECT_EQ(runA.firings, 777u) << "the producer and consumer never stop";
        EXPECT_EQ(runA.end, AutoRunEnd::FiringLimit);
        EXPECT_EQ(runB.firings, runA.firings);
        for (int p = 1; p <= a.n; ++p)
            EXPECT_EQ(Tokens(a, p), Tokens(b, p)) << "seed " << seed << " point " << p;
        // Ready + Made, Buffer + Free and Idle + Got are each kept by every firing.
        EXPECT_EQ(Tokens(a, 1) + Tokens(a, 3), 1);
        EXPECT_EQ(Tokens(a, 5) + Tokens(a, 6), 3);
        EXPECT_EQ(Tokens(a, 10) + Tokens(a, 8), 1);
    }
}

} // namespace
} // namespace plax
