#include "coloring.h"
#include "density.h"
#include "graph_utils.h"

#include "model/net_store.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <set>

namespace plax {

namespace {

// The smallest colour from 1 on that none of `others` carries.
int SmallestFree(const PointColors& color, PointSet others) {
    PointSet used = 0;
    for (int j : PointsIn(others))
        used |= PointBit(color[static_cast<std::size_t>(j)]);
    used = static_cast<PointSet>(used | 1u); // colour 0 blocks nothing
    return std::countr_one(used);
}

PointColors GreedyInPointOrder(const NeighbourSets& out, int n) {
    PointColors color{};
    color[1] = 1;
    for (int i = 1; i <= n; ++i) {
        PointSet colored = 0;
        for (int j = 1; j <= n; ++j) {
            if (j != i && color[static_cast<std::size_t>(j)] != 0) colored |= PointBit(j);
        }
        color[static_cast<std::size_t>(i)] =
            SmallestFree(color, static_cast<PointSet>(out[static_cast<std::size_t>(i)] & colored));
    }
    return color;
}

// A sparse net makes 8m - 4N + 1 negative; its root is taken as 0, which gives three passes.
int RecolouringPasses(const NetWorkType& net) {
    const int radicand = 8 * EdgeCount(net) - 4 * net.n + 1;
    return static_cast<int>(std::nearbyint(std::sqrt(std::max(0, radicand)) / 2.0 + 3.0));
}

PointColors RepeatedRecolouring(const NetWorkType& net, const NeighbourSets& out) {
    const int n = net.n;
    PointColors color{};
    color[1] = 1;
    for (int pass = RecolouringPasses(net); pass > 0; --pass) {
        for (int i = 1; i <= n; ++i) {
            PointSet into = 0;
            for (int j = 1; j <= n; ++j) {
                if (j != i && Contains(out[static_cast<std::size_t>(j)], i)) into |= PointBit(j);
            }
            color[static_cast<std::size_t>(i)] = SmallestFree(color, into);
        }
    }
    return color;
}

} // namespace

QuickColorResult ComputeQuickColor(const NetWorkType& net, int variant) {
    const NeighbourSets neighbours = OutNeighbours(net);
    QuickColorResult r;
    r.color = variant == 1 ? GreedyInPointOrder(neighbours, net.n) : RepeatedRecolouring(net, neighbours);
    std::set<int> distinct;
    for (int p = 1; p <= net.n; ++p)
        distinct.insert(r.color[static_cast<std::size_t>(p)]);
    r.colors = static_cast<int>(distinct.size());
    return r;
}

} // namespace plax
