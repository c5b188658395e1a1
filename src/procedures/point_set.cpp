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

} // namespace plax
