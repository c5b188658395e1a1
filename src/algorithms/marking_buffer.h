#pragma once

#include "model/net_types.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace plax {

struct EdgeMark {
    std::uint16_t from = 0;
    std::uint16_t to = 0;
    bool operator==(const EdgeMark&) const = default;
};

// What a procedure found, handed back for colouring: a colour and a colour index per point
// (index 0 = not marked) and a list of up to 15 edges, numbered from 1, ended by from = 0.
struct MarkingBuffer {
    std::array<Color, MaxPoints + 1> pointColor{};
    std::array<std::uint16_t, MaxPoints + 1> pointIndex{};
    std::array<EdgeMark, MaxPoints + 1> edges{};

    void Clear();
    // Clears the edge list and stores `list` from entry 1 on (at most 15 entries).
    void SetEdges(std::span<const EdgeMark> list);
    void SetEdges(const std::vector<EdgeMark>& list) { SetEdges(std::span(list)); }
    // The edges a caller colours: up to the first empty entry, at most `n` of them.
    std::vector<EdgeMark> MarkedEdges(int n) const;
};

} // namespace plax
