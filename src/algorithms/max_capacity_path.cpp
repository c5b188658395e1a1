#include "max_capacity_path.h"

#include <algorithm>
#include <array>

namespace plax {

namespace {

using Row = std::array<double, MaxPoints + 1>;
using Table = std::array<Row, MaxPoints + 1>;

// The edge weights by pair, NoCapacityPath where there is none; a repeated entry's last weight counts.
Table EdgeWeights(const NetWorkType& net, int n) {
    Table c;
    for (auto& row : c)
        row.fill(NoCapacityPath);
    for (int i = 1; i <= n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.target != i && e.target <= n) c[static_cast<std::size_t>(i)][e.target] = e.weight;
        }
    }
    return c;
}

// The widest path from s alone (Dijkstra with min for concatenation and max for choice): the
// value is the largest bottleneck over all paths, the one the all-pairs closure gives, since min
// and max only pick among the weights and never round.
double WidestFrom(const Table& c, int n, int s, int t) {
    if (s == t) return 0.0;
    Row best = c[static_cast<std::size_t>(s)];
    std::array<bool, MaxPoints + 1> done{};
    done[static_cast<std::size_t>(s)] = true;
    for (;;) {
        int u = 0;
        for (int v = 1; v <= n; ++v) {
            const auto k = static_cast<std::size_t>(v);
            if (!done[k] && best[k] != NoCapacityPath &&
                (u == 0 || best[k] > best[static_cast<std::size_t>(u)]))
                u = v;
        }
        if (u == 0 || u == t) break;
        const auto a = static_cast<std::size_t>(u);
        done[a] = true;
        for (int v = 1; v <= n; ++v) {
            const auto k = static_cast<std::size_t>(v);
            if (done[k] || c[a][k] == NoCapacityPath) continue;
            const double through = std::min(best[a], c[a][k]);
            if (best[k] == NoCapacityPath || through > best[k]) best[k] = through;
        }
    }
    return best[static_cast<std::size_t>(t)];
}

} // namespace

MaxCapacityResult ComputeMaxCapacity(const NetWorkType& net) {
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    const int n = std::min<int>(net.n, MaxPoints);
    if (s < 1 || s > MaxPoints || t < 1 || t > MaxPoints) return {s, t, NoCapacityPath};
    // A point beyond the net keeps the table's first values: 0 to itself, no path elsewhere.
    if (s > n || t > n) return {s, t, s == t ? 0.0 : NoCapacityPath};
    return {s, t, WidestFrom(EdgeWeights(net, n), n, s, t)};
}

} // namespace plax
