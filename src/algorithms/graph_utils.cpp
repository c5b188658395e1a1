#include "graph_utils.h"

#include "point_set.h"

#include "model/net_store.h"

namespace plax {

Components CountComponents(const NetWorkType& net) {
    Components c;
    const NeighbourSets nbr = UndirectedNeighbours(net);
    PointSet unvisited = AllPoints(net.n);
    // Each point enters the queue once, so a fixed array holds it.
    std::array<int, MaxPoints> queue{};
    while (unvisited != 0) {
        const int p = LowestPoint(unvisited);
        ++c.count;
        unvisited = static_cast<PointSet>(unvisited & ~PointBit(p));
        c.number[static_cast<std::size_t>(p)] = static_cast<std::uint16_t>(c.count);
        std::size_t head = 0;
        std::size_t tail = 0;
        queue[tail++] = p;
        while (head < tail) {
            const auto u = static_cast<std::size_t>(queue[head++]);
            // Edges either way, the lower points first.
            PointSet found = static_cast<PointSet>(nbr[u] & unvisited);
            unvisited = static_cast<PointSet>(unvisited & ~found);
            for (; found != 0; found = static_cast<PointSet>(found & (found - 1))) {
                const int v = LowestPoint(found);
                c.number[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(c.count);
                c.parent[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(u);
                queue[tail++] = v;
            }
        }
    }
    return c;
}

HopCounts HopDistances(const NeighbourSets& out, int n, int s) {
    HopCounts hops;
    hops.fill(UnreachedHops);
    if (s < 1 || s > n || s > MaxPoints) return hops;
    hops[static_cast<std::size_t>(s)] = 0;
    // Breadth first by whole layers.
    PointSet reached = PointBit(s);
    PointSet layer = reached;
    for (std::uint8_t d = 1; layer != 0; ++d) {
        PointSet next = 0;
        for (const int p : PointsIn(layer))
            next |= out[static_cast<std::size_t>(p)];
        layer = static_cast<PointSet>(next & ~reached);
        reached |= layer;
        for (const int p : PointsIn(layer))
            hops[static_cast<std::size_t>(p)] = d;
    }
    return hops;
}

int PointEccentricity(const NeighbourSets& out, int n, int s) {
    if (n == 0 || s < 1 || s > n) return 0;
    int eccentricity = 0;
    for (const std::uint8_t hops : HopDistances(out, n, s))
        if (hops != UnreachedHops && hops > eccentricity) eccentricity = hops;
    return eccentricity;
}

int PointEccentricity(const NetWorkType& net, int s) {
    return PointEccentricity(OutNeighbours(net), net.n, s);
}

Eccentricities ComputeEccentricities(const NetWorkType& net) {
    Eccentricities t;
    const NeighbourSets out = OutNeighbours(net);
    for (int v = 1; v <= net.n; ++v) {
        const int e = PointEccentricity(out, net.n, v);
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
    const NeighbourSets out = OutNeighbours(net);
    const NeighbourSets in = IsUndirected(net) ? out : InNeighbours(out, net.n);
    for (int i = 1; i <= net.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        d.out[k] = static_cast<std::uint16_t>(SetSize(out[k]));
        d.in[k] = static_cast<std::uint16_t>(SetSize(in[k]));
    }
    return d;
}

bool ClearDecomposedLengths(NetWorkType& net) {
    bool subNets = false;
    for (int i = 1; i <= net.n; ++i) {
        for (EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.decomposedLength != 0.0) e.decomposedLength = 0.0; // a clean entry stays clean
            subNets = subNets || e.subNet != nullptr;
        }
    }
    return subNets;
}

} // namespace plax
