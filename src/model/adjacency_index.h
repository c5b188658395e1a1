#pragma once

#include "net_types.h"

#include <array>

namespace plax {

// Each pair's edge entry, looked up once for a whole call, so a procedure that asks about every
// pair of points does not walk a list per question. Answers as FindEdge, EdgeExists and the
// getters do; valid while the net's lists are not changed.
class AdjacencyIndex {
public:
    explicit AdjacencyIndex(const NetWorkType& net);

    // The first entry of `from`'s list that goes to `to`; null for no edge or an invalid pair.
    const EdgeType* Find(int from, int to) const {
        if (from < 1 || to < 1 || from > MaxPoints || to > MaxPoints) return nullptr;
        return entry_[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
    }
    bool Exists(int from, int to) const { return Find(from, to) != nullptr; }
    // The entry the getters read: on an undirected net the one whose source is the smaller point.
    const EdgeType* Ordered(int from, int to) const {
        return undirected_ && from > to ? Find(to, from) : Find(from, to);
    }
    // As GetEdgeReal's flow and weight: 0 where there is no edge.
    double Flow(int from, int to) const {
        const EdgeType* e = Ordered(from, to);
        return e != nullptr ? e->flow : 0.0;
    }
    double Weight(int from, int to) const {
        const EdgeType* e = Ordered(from, to);
        return e != nullptr ? e->weight : 0.0;
    }

private:
    std::array<std::array<const EdgeType*, MaxPoints + 1>, MaxPoints + 1> entry_{};
    bool undirected_ = false;
};

} // namespace plax
