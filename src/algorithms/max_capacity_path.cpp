#include "max_capacity_path.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace plax {

namespace {

using Row = std::array<double, MaxPoints + 1>;

// Calls `f(target, weight)` once for each point p's list reaches within the first n points,
// itself aside, with the weight of the last entry to it (a repeated entry's last weight counts):
// the list is walked from its end and a point already met is passed over.
template <class F> void EachWeight(const NetWorkType& net, int p, int n, F f) {
    const EdgeList& list = net.lists[static_cast<std::size_t>(p)];
    std::uint32_t seen = 0;
    for (auto e = list.rbegin(); e != list.rend(); ++e) {
        const int t = e->target;
        const std::uint32_t bit = std::uint32_t{1} << (t & 31);
        if (t == p || t < 1 || t > n || (seen & bit) != 0) continue;
        seen |= bit;
        f(t, e->weight);
    }
}

// The widest path from s alone (Dijkstra with min for concatenation and max for choice): the
// value is the largest bottleneck over all paths, the one the all-pairs closure gives, since min
// and max only pick among the weights and never round. A weight of NoCapacityPath is no edge.
double WidestFrom(const NetWorkType& net, int n, int s, int t) {
    if (s == t) return 0.0;
    Row best;
    best.fill(NoCapacityPath);
    EachWeight(net, s, n, [&](int k, double w) { best[static_cast<std::size_t>(k)] = w; });
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
        EachWeight(net, u, n, [&](int v, double w) {
            const auto k = static_cast<std::size_t>(v);
            if (done[k] || w == NoCapacityPath) return;
            const double through = std::min(best[a], w);
            if (best[k] == NoCapacityPath || through > best[k]) best[k] = through;
        });
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
    return {s, t, WidestFrom(net, n, s, t)};
}

} // namespace plax
