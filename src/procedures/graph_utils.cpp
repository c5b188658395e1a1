#include "graph_utils.h"

#include "model/net_store.h"

#include <algorithm>
#include <deque>

namespace plax {

Components CountComponents(const NetWorkType& net) {
    Components c;
    std::array<bool, MaxPoints + 1> unvisited{};
    for (int i = 1; i <= net.n; ++i)
        unvisited[static_cast<std::size_t>(i)] = true;
    for (int p = 1; p <= net.n; ++p) {
        if (!unvisited[static_cast<std::size_t>(p)]) continue;
        ++c.count;
        unvisited[static_cast<std::size_t>(p)] = false;
        c.number[static_cast<std::size_t>(p)] = static_cast<std::uint16_t>(c.count);
        std::deque<int> queue{p};
        while (!queue.empty()) {
            const int u = queue.front();
            queue.pop_front();
            for (int v = 1; v <= net.n; ++v) {
                const auto k = static_cast<std::size_t>(v);
                if (!unvisited[k] || !(EdgeExists(net, u, v) || EdgeExists(net, v, u))) continue;
                unvisited[k] = false;
                c.number[k] = static_cast<std::uint16_t>(c.count);
                c.parent[k] = static_cast<std::uint16_t>(u);
                queue.push_back(v);
            }
        }
    }
    return c;
}

int PointEccentricity(const NetWorkType& net, int s) {
    if (net.n == 0 || s < 1 || s > net.n) return 0;
    // Breadth first, so the steps back along the parents are the distances.
    std::array<int, MaxPoints + 1> steps{};
    std::array<bool, MaxPoints + 1> reached{};
    reached[static_cast<std::size_t>(s)] = true;
    std::deque<int> queue{s};
    int eccentricity = 0;
    while (!queue.empty()) {
        const int u = queue.front();
        queue.pop_front();
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            const auto v = static_cast<std::size_t>(e.target);
            if (e.target < 1 || e.target > net.n || reached[v]) continue;
            reached[v] = true;
            steps[v] = steps[static_cast<std::size_t>(u)] + 1;
            eccentricity = std::max(eccentricity, steps[v]);
            queue.push_back(e.target);
        }
    }
    return eccentricity;
}

Eccentricities ComputeEccentricities(const NetWorkType& net) {
    Eccentricities t;
    for (int v = 1; v <= net.n; ++v) {
        const int e = PointEccentricity(net, v);
        t.of[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(e);
        if (e > t.diameter) {
            t.diameter = e;
            t.maxPoint = v;
        }
        if (e < t.radius) {
            t.radius = e;
            t.minPoint = v;
        }
    }
    return t;
}

Degrees ComputeDegrees(const NetWorkType& net) {
    Degrees d;
    const bool undirected = IsUndirected(net);
    for (int i = 1; i <= net.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        for (int j = 1; j <= net.n; ++j) {
            if (i == j) continue;
            if (undirected) {
                if (EdgeExists(net, i, j)) {
                    ++d.in[k];
                    ++d.out[k];
                }
            } else {
                if (EdgeExists(net, i, j)) ++d.out[k];
                if (EdgeExists(net, j, i)) ++d.in[k];
            }
        }
    }
    return d;
}

} // namespace plax
