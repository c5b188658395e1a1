#include "petri/petri_net.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

// The points whose flag is set, in order.
std::vector<int> Members(const PointFlags& flags) {
    std::vector<int> out;
    for (int i = 1; i <= MaxPoints; ++i) {
        if (flags[static_cast<std::size_t>(i)]) out.push_back(i);
    }
    return out;
}

TEST(PetriStructure, PlacesAndTransitionsMustAlternate) {
    // place -> transition -> square: a Petri net.
    const NetWorkType good = PetriNet({{Place, 1}, {TransitionV, 0}, {Square, 0}}, {{1, 2}, {2, 3}});
    EXPECT_TRUE(IsOrdinaryPetriNet(good));
    EXPECT_EQ(PetriRefusal(good), std::nullopt);

    // The same points in an undirected net.
    const NetWorkType undirected =
        PetriNet({{Place, 1}, {TransitionV, 0}, {Square, 0}}, {{1, 2}, {2, 3}}, UndirNetCode);
    EXPECT_FALSE(IsOrdinaryPetriNet(undirected));
    EXPECT_EQ(PetriRefusal(undirected), "Graph doesnt bichromatic!\r\nProcedure terminated! ");

    // Only transitions, only places, nothing at all.
    EXPECT_FALSE(IsOrdinaryPetriNet(PetriNet({{TransitionV, 0}, {TransitionH, 0}}, {})));
    EXPECT_FALSE(IsOrdinaryPetriNet(PetriNet({{Place, 0}, {Diamond, 0}}, {})));
    EXPECT_FALSE(IsOrdinaryPetriNet(PetriNet({}, {})));
    EXPECT_TRUE(IsOrdinaryPetriNet(PetriNet({{TransitionH, 0}, {TriangleUp, 0}}, {})));

    // Transition to transition, and place to place among the shapes 0, 1, 4 and 5.
    EXPECT_FALSE(
        IsOrdinaryPetriNet(PetriNet({{Place, 1}, {TransitionV, 0}, {TransitionH, 0}}, {{1, 2}, {2, 3}})));
    EXPECT_FALSE(
        IsOrdinaryPetriNet(PetriNet({{Diamond, 1}, {TransitionV, 0}, {RoundSquare, 0}}, {{1, 2}, {3, 1}})));
    // A triangle point takes no side, so its edges are not checked.
    EXPECT_TRUE(
        IsOrdinaryPetriNet(PetriNet({{TriangleUp, 1}, {TransitionV, 0}, {Place, 0}}, {{1, 3}, {1, 2}})));

    NetWorkType busy = good;
    busy.interaction.busy = 1;
    EXPECT_EQ(PetriRefusal(busy), "Procedure in Progress!\r\nFirst terminate procedure!");
}

TEST(PetriFiring, SelfLoopPlaceStaysAtOne) {
    NetWorkType net = PetriNet({{Place, 1}, {TransitionV, 0}}, {{1, 2}, {2, 1}});
    for (int click = 0; click < 5; ++click) {
        EXPECT_EQ(Members(EnabledTransitions(net)), std::vector<int>{2});
        EXPECT_TRUE(Members(FireTransition(net, 2)).empty()) << "the count is back where it was";
        EXPECT_EQ(Tokens(net, 1), 1);
    }
}

// Files may hold up to 60000 tokens in a place, firing keeps at most the ceiling: such a net is
// refused, naming the place, and a firing never loses a token of it.
TEST(PetriFiring, CountsAboveTheCeilingAreRefusedAndNeverLost) {
    NetWorkType loop = PetriNet({{TransitionV, 0}, {Place, 1}}, {{2, 1}, {1, 2}});
    loop.points[2].tokens = 20000;
    EXPECT_EQ(PetriRefusal(loop), "Place 2 holds 20000 tokens; the token game keeps at most 10000 in a "
                                  "place.\r\nProcedure terminated! ");
    for (int click = 0; click < 3; ++click)
        FireTransition(loop, 1);
    EXPECT_EQ(Tokens(loop, 2), 20000);
    loop.points[2].tokens = 10000;
    EXPECT_EQ(PetriRefusal(loop), std::nullopt);
}

TEST(PetriFiring, DeadNetAndTransitionsWithoutInputs) {
    // A place with no token feeding the only transition: nothing is enabled.
    NetWorkType dead = PetriNet({{Place, 0}, {TransitionV, 0}, {Place, 0}}, {{1, 2}, {2, 3}});
    EXPECT_TRUE(Members(EnabledTransitions(dead)).empty());
    EXPECT_EQ(std::string(NotLiveMessage), "Petry Net not live!\r\nProcess terminated! ");

    // A transition without inputs is always enabled and keeps filling its output.
    NetWorkType source = PetriNet({{TransitionH, 0}, {Square, 7}}, {{1, 2}});
    EXPECT_EQ(Members(EnabledTransitions(source)), std::vector<int>{1});
    EXPECT_EQ(Members(FireTransition(source, 1)), std::vector<int>{2});
    EXPECT_EQ(Tokens(source, 2), 8);

    // Firing moves a token from every input to every output.
    NetWorkType split = PetriNet({{Place, 2}, {Place, 1}, {TransitionV, 0}, {Place, 0}, {Square, 5}},
                                 {{1, 3}, {2, 3}, {3, 4}, {3, 5}});
    EXPECT_EQ(Members(FireTransition(split, 3)), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ((std::vector<int>{Tokens(split, 1), Tokens(split, 2), Tokens(split, 4), Tokens(split, 5)}),
              (std::vector<int>{1, 0, 1, 6}));
    EXPECT_TRUE(Members(EnabledTransitions(split)).empty()) << "place 2 ran dry";

    // Points outside the net fire nothing.
    EXPECT_TRUE(Members(FireTransition(split, 0)).empty());
    EXPECT_TRUE(Members(FireTransition(split, 6)).empty());
}

TEST(PetriFiring, TokenCeilingOfTenThousand) {
    NetWorkType net = PetriNet({{Place, 1}, {TransitionV, 0}, {Place, 10000}, {Place, 9999}, {Square, 60000}},
                               {{1, 2}, {2, 3}, {2, 4}, {2, 5}});
    EXPECT_EQ(Members(FireTransition(net, 2)), (std::vector<int>{1, 4}));
    EXPECT_EQ(Tokens(net, 3), 10000);
    EXPECT_EQ(Tokens(net, 4), 10000);
    EXPECT_EQ(Tokens(net, 5), 60000) << "a count above the ceiling is left as it is";
    EXPECT_EQ(TokenCeiling, 10000);
}

TEST(PetriFiring, OnlyCirclesAndSquaresGiveAndTakeTokens) {
    // A diamond input blocks while empty but is never consumed; a diamond output gets nothing.
    NetWorkType net =
        PetriNet({{Diamond, 0}, {TransitionV, 0}, {RoundSquare, 3}, {Place, 1}}, {{1, 2}, {4, 2}, {2, 3}});
    EXPECT_TRUE(Members(EnabledTransitions(net)).empty());
    net.points[1].tokens = 2;
    EXPECT_EQ(Members(EnabledTransitions(net)), std::vector<int>{2});
    EXPECT_EQ(Members(FireTransition(net, 2)), std::vector<int>{4});
    EXPECT_EQ(Tokens(net, 1), 2);
    EXPECT_EQ(Tokens(net, 3), 3);
    EXPECT_EQ(Tokens(net, 4), 0);

    // Any point can block, even another transition through an edge the structure test forbids.
    NetWorkType chain = PetriNet({{TransitionV, 0}, {TransitionH, 0}}, {{1, 2}});
    EXPECT_EQ(Members(EnabledTransitions(chain)), std::vector<int>{1});
    chain.points[1].tokens = 4;
    EXPECT_EQ(Members(EnabledTransitions(chain)), (std::vector<int>{1, 2}));
    EXPECT_TRUE(Members(FireTransition(chain, 2)).empty());
    EXPECT_EQ(Tokens(chain, 1), 4);
}

} // namespace
} // namespace plax
