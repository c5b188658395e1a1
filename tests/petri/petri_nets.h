#pragma once

// Small Petri nets for tests: points with a shape and a token count, joined by directed edges.
#include "net_builders.h"

#include <cstdint>
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

} // namespace plax::testing
