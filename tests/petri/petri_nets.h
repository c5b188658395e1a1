#pragma once

// Small Petri nets for tests: points with a shape and a token count, joined by directed edges.
#include "net_builders.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace plax::testing {

inline constexpr std::uint16_t Place = 0;
inline constexpr std::uint16_t Square = 1;
inline constexpr std::uint16_t TransitionV = 2;
inline constexpr std::uint16_t TransitionH = 3;
inline constexpr std::uint16_t Diamond = 4;
inline constexpr std::uint16_t RoundSquare = 5;
inline constexpr std::uint16_t TriangleUp = 6;

struct PetriPoint {
    std::uint16_t shape;
    std::uint16_t tokens;
};

inline NetWorkType PetriNet(const std::vector<PetriPoint>& points,
                            const std::vector<std::pair<int, int>>& edges, std::uint16_t kind = DirNetCode) {
    NetWorkType net = MakeNet(kind, static_cast<int>(points.size()), "petri");
    for (std::size_t k = 0; k < points.size(); ++k) {
        net.points[k + 1].shape = points[k].shape;
        net.points[k + 1].tokens = points[k].tokens;
    }
    for (auto [from, to] : edges)
        AddEdge(net, from, to, 1.0);
    return net;
}

inline std::uint16_t Tokens(const NetWorkType& net, int p) {
    return net.points[static_cast<std::size_t>(p)].tokens;
}

// The token count of every point, in point order.
inline std::vector<std::uint16_t> TokensOf(const NetWorkType& net) {
    std::vector<std::uint16_t> t;
    for (int p = 1; p <= net.n; ++p)
        t.push_back(Tokens(net, p));
    return t;
}

// Two processes share a mutex: 1 idle1, 2 enter1, 3 crit1, 4 exit1, 5 mutex, 6 idle2, 7 enter2,
// 8 crit2, 9 exit2.
inline NetWorkType MutualExclusion() {
    return PetriNet(
        {{Place, 1},
         {TransitionV, 0},
         {Place, 0},
         {TransitionV, 0},
         {Place, 1},
         {Place, 1},
         {TransitionH, 0},
         {Place, 0},
         {TransitionH, 0}},
        {{1, 2}, {5, 2}, {2, 3}, {3, 4}, {4, 1}, {4, 5}, {6, 7}, {5, 7}, {7, 8}, {8, 9}, {9, 6}, {9, 5}});
}

// 1 a place with `tokens`, 2 a transition that keeps its token and puts one into 3.
inline NetWorkType Pump(std::uint16_t tokens) {
    return PetriNet({{Place, tokens}, {TransitionV, 0}, {Place, 0}}, {{1, 2}, {2, 1}, {2, 3}});
}

// A net of up to 6 places and 6 transitions (of both transition shapes and both token places),
// edges across the classes at random, 0..2 tokens a place.
inline NetWorkType RandomSmallPetriNet(std::mt19937& random, int tokensUpTo = 2) {
    const auto count = [&random](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const int places = count(1, 6);
    const int transitions = count(1, 6);
    std::vector<PetriPoint> points;
    for (int k = 0; k < places + transitions; ++k) {
        const bool place = k < places;
        points.push_back({static_cast<std::uint16_t>(place ? count(0, 1) : count(2, 3)),
                          static_cast<std::uint16_t>(place ? count(0, tokensUpTo) : 0)});
    }
    std::shuffle(points.begin(), points.end(), random);
    std::vector<std::pair<int, int>> edges;
    for (int i = 1; i <= places + transitions; ++i) {
        for (int j = 1; j <= places + transitions; ++j) {
            const bool across = (points[static_cast<std::size_t>(i - 1)].shape >= TransitionV) !=
                                (points[static_cast<std::size_t>(j - 1)].shape >= TransitionV);
            if (across && count(0, 2) == 0) edges.emplace_back(i, j);
        }
    }
    return PetriNet(points, edges);
}

} // namespace plax::testing
