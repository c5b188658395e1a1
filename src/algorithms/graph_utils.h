#pragma once

#include "point_set.h"

#include "model/net_types.h"

#include <array>
#include <cstdint>
#include <vector>

namespace plax {

// The sixteen colours procedures mark with, by colour index: red, blue, silver, lime, gray,
// aqua, navy, olive, green, yellow, purple, maroon, fuchsia, teal, black, white.
inline constexpr std::array<Color, 16> ProcedureColors = {
    0x0000FF, 0xFF0000, 0xC0C0C0, 0x00FF00, 0x808080, 0xFFFF00, 0x800000, 0x008080,
    0x008000, 0x00FFFF, 0x800080, 0x000080, 0xFF00FF, 0x808000, 0x000000, 0xFFFFFF};

using PointNumbers = std::array<std::uint16_t, MaxPoints + 1>;

struct Components {
    int count = 0;         // 0 for an empty net
    PointNumbers number{}; // the component (1, 2, ...) each point was found in
    PointNumbers parent{}; // the point a search reached it from, 0 for a component's first point
};

// Connected components with edge directions ignored (weak components of a directed net),
// numbered in the order of their lowest-numbered points.
// Cost: O(N + E).
Components CountComponents(const NetWorkType& net);

// Per point, the fewest steps from `s` to it along the edges of a net of `n` points, from the
// out-neighbour sets; UnreachedHops where no path leads, and everywhere for a point not in the net.
using HopCounts = std::array<std::uint8_t, MaxPoints + 1>;
inline constexpr std::uint8_t UnreachedHops = 0xff;
// Cost: O(N²) on the bit sets.
HopCounts HopDistances(const NeighbourSets& out, int n, int s);

// The largest number of steps from `s` to a point it reaches along the edges (breadth first,
// in list order); 0 for an empty net or a point that is not in it.
// Cost: O(N + E).
int PointEccentricity(const NetWorkType& net, int s);
// The same from the out-neighbour sets of a net of `n` points, for a caller that asks for many.
int PointEccentricity(const NeighbourSets& out, int n, int s);

struct Eccentricities {
    PointNumbers of{};
    int radius = 16;   // smallest eccentricity
    int diameter = -1; // largest eccentricity
    int maxPoint = 0;  // first point with the largest
    int minPoint = 0;  // first point with the smallest
};

// Every point's eccentricity with the radius and diameter. Cost: O(N * (N + E)).
Eccentricities ComputeEccentricities(const NetWorkType& net);

// Degrees by point. On an undirected net both rows hold the degree; on a directed net `in`
// holds the in-degree and `out` the out-degree.
struct Degrees {
    PointNumbers in{};
    PointNumbers out{};
};

// In- and out-degrees of every point. Cost: O(N + E).
Degrees ComputeDegrees(const NetWorkType& net);

// A last-in, first-out stack of point numbers.
class PointStack {
public:
    void Clear() { items_.clear(); }
    void Push(int p) { items_.push_back(static_cast<std::uint8_t>(p)); }
    void Pop() {
        if (!items_.empty()) items_.pop_back();
    }
    int Top() const { return items_.empty() ? 0 : items_.back(); }
    bool Empty() const { return items_.empty(); }
    std::size_t Size() const { return items_.size(); }

private:
    std::vector<std::uint8_t> items_;
};

// Sets every edge's decomposed length to 0, the state before a shortest path is measured, and
// answers whether any edge holds a sub-net. Cost: O(E), one pass.
bool ClearDecomposedLengths(NetWorkType& net);

} // namespace plax
