#include "symmetry_group.h"

#include "point_set.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace plax {

namespace {

constexpr std::size_t At(int p) { return static_cast<std::size_t>(p); }

struct Structure {
    int n = 0;
    bool directed = false;
    NeighbourSets out{};
    NeighbourSets in{};
};

// An ordered partition of the points: the class of each point, classes numbered in their order.
// Refinement keeps the order of classes and splits each into consecutive parts, so a point that
// stands alone keeps its position (the number of points in the classes before it) for good.
struct Partition {
    std::array<std::uint8_t, MaxPoints + 1> cell{};
    int cells = 0;
    bool Discrete(int n) const { return cells == n; }
};

using Signature = std::array<std::uint8_t, 2 * MaxPoints + 1>;

// Splits the classes by the number of neighbours (out and in) each point has in every class,
// until the partition is equitable. The new order depends on the structure only, never on the
// points' numbers, so an automorphism maps refinements onto refinements.
void Refine(const Structure& s, Partition& p) {
    std::array<Signature, MaxPoints + 1> sig{};
    // One slot to spare: GCC 12 at -O3 cannot see that sorting the first n of them stays inside.
    std::array<int, MaxPoints + 1> order{};
    for (;;) {
        const std::size_t length = 1 + (s.directed ? 2 : 1) * At(p.cells);
        for (int v = 1; v <= s.n; ++v) {
            Signature& g = sig[At(v)];
            std::fill_n(g.begin(), length, std::uint8_t{0});
            g[0] = p.cell[At(v)];
            for (int u : PointsIn(s.out[At(v)]))
                ++g[1 + p.cell[At(u)]];
            if (!s.directed) continue;
            for (int u : PointsIn(s.in[At(v)]))
                ++g[1 + At(p.cells) + p.cell[At(u)]];
        }
        std::iota(order.begin(), order.begin() + s.n, 1);
        const auto less = [&](int a, int b) {
            return std::lexicographical_compare(sig[At(a)].begin(), sig[At(a)].begin() + length,
                                                sig[At(b)].begin(), sig[At(b)].begin() + length);
        };
        std::sort(order.begin(), order.begin() + s.n, less);
        int id = -1;
        Partition next;
        for (int k = 0; k < s.n; ++k) {
            if (k == 0 || less(order[At(k - 1)], order[At(k)])) ++id;
            next.cell[At(order[At(k)])] = static_cast<std::uint8_t>(id);
        }
        next.cells = id + 1;
        if (next.cells == p.cells) return;
        p = next;
    }
}

// `v` set apart in front of the rest of its class, then refined.
Partition Individualise(const Structure& s, const Partition& p, int v) {
    Partition q = p;
    const std::uint8_t c = p.cell[At(v)];
    for (int u = 1; u <= s.n; ++u) {
        if (p.cell[At(u)] > c || (p.cell[At(u)] == c && u != v)) ++q.cell[At(u)];
    }
    ++q.cells;
    Refine(s, q);
    return q;
}

// The members of the first class with two or more points, in increasing order.
std::vector<int> TargetCell(const Structure& s, const Partition& p) {
    std::array<int, MaxPoints> size{};
    for (int v = 1; v <= s.n; ++v)
        ++size[p.cell[At(v)]];
    for (int c = 0; c < p.cells; ++c) {
        if (size[At(c)] < 2) continue;
        std::vector<int> members;
        for (int v = 1; v <= s.n; ++v) {
            if (p.cell[At(v)] == c) members.push_back(v);
        }
        return members;
    }
    return {};
}

std::array<int, MaxPoints> CellSizes(const Structure& s, const Partition& p) {
    std::array<int, MaxPoints> size{};
    for (int v = 1; v <= s.n; ++v)
        ++size[p.cell[At(v)]];
    return size;
}

class GroupSearch {
public:
    explicit GroupSearch(const NetWorkType& net);
    SymmetryGroup Run();

private:
    // A leaf below `p` at `depth` of the reference path that matches the reference leaf, as the
    // automorphism it gives.
    bool Search(const Partition& p, std::size_t depth, std::vector<int>& found) const;
    bool Matches(const Partition& leaf, std::vector<int>& image) const;
    int Root(int v) const {
        while (parent_[At(v)] != v)
            v = parent_[At(v)];
        return v;
    }
    void Join(const std::vector<int>& image);

    Structure s_;
    std::vector<Partition> path_; // the reference path, its leaf last
    std::vector<std::array<int, MaxPoints>> sizes_;
    std::array<int, MaxPoints + 1> parent_{}; // the orbits of the generators found so far
};

GroupSearch::GroupSearch(const NetWorkType& net) {
    s_.n = net.n;
    s_.directed = !IsUndirected(net);
    s_.out = OutNeighbours(net);
    for (int v = 1; v <= s_.n; ++v) {
        for (int u : PointsIn(s_.out[At(v)]))
            s_.in[At(u)] |= PointBit(v);
    }
    std::iota(parent_.begin(), parent_.end(), 0);
}

bool GroupSearch::Matches(const Partition& leaf, std::vector<int>& image) const {
    std::array<int, MaxPoints> at{}; // the point at each position of the leaf
    for (int v = 1; v <= s_.n; ++v)
        at[leaf.cell[At(v)]] = v;
    const Partition& reference = path_.back();
    image.assign(At(s_.n), 0);
    for (int v = 1; v <= s_.n; ++v)
        image[At(v - 1)] = at[reference.cell[At(v)]];
    for (int v = 1; v <= s_.n; ++v) {
        PointSet mapped = 0;
        for (int u : PointsIn(s_.out[At(v)]))
            mapped |= PointBit(image[At(u - 1)]);
        if (mapped != s_.out[At(image[At(v - 1)])]) return false;
    }
    return true;
}

bool GroupSearch::Search(const Partition& p, std::size_t depth, std::vector<int>& found) const {
    // An automorphism maps the reference path's partitions onto these, class for class.
    if (p.cells != path_[depth].cells || CellSizes(s_, p) != sizes_[depth]) return false;
    if (p.Discrete(s_.n)) return Matches(p, found);
    for (int u : TargetCell(s_, p)) {
        if (Search(Individualise(s_, p, u), depth + 1, found)) return true;
    }
    return false;
}

void GroupSearch::Join(const std::vector<int>& image) {
    for (int v = 1; v <= s_.n; ++v) {
        const int a = Root(v);
        const int b = Root(image[At(v - 1)]);
        if (a != b) parent_[At(std::max(a, b))] = std::min(a, b);
    }
}

SymmetryGroup GroupSearch::Run() {
    SymmetryGroup group;
    Partition p;
    p.cells = s_.n > 0 ? 1 : 0;
    Refine(s_, p);
    std::vector<std::vector<int>> targets;
    for (;;) {
        path_.push_back(p);
        sizes_.push_back(CellSizes(s_, p));
        if (p.Discrete(s_.n)) break;
        targets.push_back(TargetCell(s_, p));
        p = Individualise(s_, p, targets.back().front());
    }
    // From the bottom up: the generators found below a level fix the points set apart above it.
    for (std::size_t level = targets.size(); level-- > 0;) {
        const std::vector<int>& cell = targets[level];
        const int v = cell.front();
        std::vector<int> unreachable; // points no automorphism of this level maps v to
        for (int w : cell) {
            const auto sameOrbit = [&](int u) { return Root(u) == Root(w); };
            if (Root(w) == Root(v) || std::any_of(unreachable.begin(), unreachable.end(), sameOrbit))
                continue;
            std::vector<int> image;
            if (Search(Individualise(s_, path_[level], w), level + 1, image)) {
                Join(image);
                group.generators.push_back(std::move(image));
            } else {
                unreachable.push_back(w);
            }
        }
        group.order *= static_cast<std::uint64_t>(
            std::count_if(cell.begin(), cell.end(), [&](int u) { return Root(u) == Root(v); }));
    }
    std::reverse(group.generators.begin(), group.generators.end());
    for (int v = 1; v <= s_.n; ++v) {
        if (Root(v) != v) continue;
        std::vector<int> orbit;
        for (int u = v; u <= s_.n; ++u) {
            if (Root(u) == v) orbit.push_back(u);
        }
        group.orbits.push_back(std::move(orbit));
    }
    return group;
}

} // namespace

SymmetryGroup ComputeSymmetryGroup(const NetWorkType& net) {
    GroupSearch search(net);
    return search.Run();
}

} // namespace plax
