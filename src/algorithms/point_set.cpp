#include "point_set.h"

namespace plax {

std::vector<int> PointsOf(PointSet s) {
    std::vector<int> points;
    for (; s != 0; s = static_cast<PointSet>(s & (s - 1)))
        points.push_back(LowestPoint(s));
    return points;
}

NeighbourSets OutNeighbours(const NetWorkType& net) {
    NeighbourSets out{};
    for (int p = 1; p <= net.n; ++p) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(p)]) {
            if (e.target >= 1 && e.target <= net.n && e.target != p)
                out[static_cast<std::size_t>(p)] |= PointBit(e.target);
        }
    }
    return out;
}

NeighbourSets InNeighbours(const NeighbourSets& out, int n) {
    NeighbourSets in{};
    for (int p = 1; p <= n; ++p) {
        for (PointSet t = out[static_cast<std::size_t>(p)]; t != 0; t = static_cast<PointSet>(t & (t - 1)))
            in[static_cast<std::size_t>(LowestPoint(t))] |= PointBit(p);
    }
    return in;
}

NeighbourSets UndirectedNeighbours(const NetWorkType& net) {
    NeighbourSets nbr = OutNeighbours(net);
    const NeighbourSets in = InNeighbours(nbr, net.n);
    for (std::size_t p = 0; p < nbr.size(); ++p)
        nbr[p] = static_cast<PointSet>(nbr[p] | in[p]);
    return nbr;
}

NeighbourSets ComplementSets(const NeighbourSets& adjacent, int n) {
    NeighbourSets out{};
    for (int p = 1; p <= n; ++p)
        out[static_cast<std::size_t>(p)] =
            static_cast<PointSet>(AllPoints(n) & ~adjacent[static_cast<std::size_t>(p)] & ~PointBit(p));
    return out;
}

} // namespace plax
