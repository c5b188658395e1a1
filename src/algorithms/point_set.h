#pragma once

#include "model/net_types.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace plax {

// A set of point numbers 1..15 as bits; bit 0 is never used.
using PointSet = std::uint16_t;

constexpr PointSet PointBit(int p) { return static_cast<PointSet>(1u << p); }
constexpr bool Contains(PointSet s, int p) { return ((s >> p) & 1) != 0; }
constexpr bool IsSubset(PointSet part, PointSet whole) { return (part & ~whole) == 0; }
constexpr int SetSize(PointSet s) { return std::popcount(s); }
// The lowest point of a non-empty set.
constexpr int LowestPoint(PointSet s) { return std::countr_zero(s); }
// The highest point of a non-empty set.
constexpr int HighestPoint(PointSet s) { return 15 - std::countl_zero(s); }
// {1..n}
constexpr PointSet AllPoints(int n) { return static_cast<PointSet>(((1u << (n + 1)) - 1u) & ~1u); }

// The points of `s` in increasing order.
std::vector<int> PointsOf(PointSet s);

// The same as a range that allocates nothing, for loops that run often.
class PointsIn {
public:
    class Iterator {
    public:
        explicit Iterator(PointSet rest) : rest_(rest) {}
        int operator*() const { return LowestPoint(rest_); }
        Iterator& operator++() {
            rest_ = static_cast<PointSet>(rest_ & (rest_ - 1));
            return *this;
        }
        bool operator!=(const Iterator& other) const { return rest_ != other.rest_; }

    private:
        PointSet rest_;
    };

    explicit PointsIn(PointSet s) : set_(s) {}
    Iterator begin() const { return Iterator(set_); }
    Iterator end() const { return Iterator(0); }

private:
    PointSet set_;
};

// Per point, the set of the points in its edge list (points outside 1..n and the point itself left out).
using NeighbourSets = std::array<PointSet, MaxPoints + 1>;
NeighbourSets OutNeighbours(const NetWorkType& net);
// Adds (or takes away) the edge between `a` and `b` in both directions.
inline void Join(NeighbourSets& sets, int a, int b) {
    sets[static_cast<std::size_t>(a)] |= PointBit(b);
    sets[static_cast<std::size_t>(b)] |= PointBit(a);
}
inline void Part(NeighbourSets& sets, int a, int b) {
    sets[static_cast<std::size_t>(a)] &= static_cast<PointSet>(~PointBit(b));
    sets[static_cast<std::size_t>(b)] &= static_cast<PointSet>(~PointBit(a));
}
// The points with an edge into each point: the out-sets turned round.
NeighbourSets InNeighbours(const NeighbourSets& out, int n);
// Both directions of every edge: the adjacency the set questions read.
NeighbourSets UndirectedNeighbours(const NetWorkType& net);
// The neighbour sets of the complement within 1..n.
NeighbourSets ComplementSets(const NeighbourSets& adjacent, int n);

} // namespace plax
