#include "spanning_tree.h"

#include <array>
#include <limits>
#include <vector>

namespace plax {

namespace {

// Above every weight a valid net can hold, so an edge of 1.0E38 still becomes a key.
constexpr double NoKey = std::numeric_limits<double>::infinity();

std::vector<SpanningTreeEdge> PrimTree(const NetWorkType& net) {
    std::array<double, MaxPoints + 1> key{};
    key.fill(NoKey);
    std::array<int, MaxPoints + 1> parent{};
    std::array<bool, MaxPoints + 1> inTree{};
    inTree[1] = true;
    for (const EdgeType& e : net.lists[1]) {
        key[e.target] = e.weight;
        parent[e.target] = 1;
    }
    std::vector<SpanningTreeEdge> tree;
    tree.reserve(MaxPoints);
    for (int added = 1; added < net.n; ++added) {
        // Less than or equal: the highest-numbered point wins a tie.
        int next = 0;
        double best = NoKey;
        for (int i = 1; i <= net.n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (!inTree[k] && key[k] <= best) {
                best = key[k];
                next = i;
            }
        }
        const auto k = static_cast<std::size_t>(next);
        tree.push_back({parent[k], next, key[k]});
        inTree[k] = true;
        for (const EdgeType& e : net.lists[k]) {
            if (!inTree[e.target] && key[e.target] > e.weight) {
                key[e.target] = e.weight;
                parent[e.target] = next;
            }
        }
    }
    return tree;
}

} // namespace

SpanningTreeResult ComputeMinSpanningTree(const NetWorkType& net) {
    SpanningTreeResult result;
    result.edges = PrimTree(net);
    for (const SpanningTreeEdge& e : result.edges)
        result.weight += e.weight;
    return result;
}

} // namespace plax
