#include "critical_path.h"

#include "graph_utils.h"

#include "model/net_store.h"
#include "model/real48.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plax {

namespace {

// Above every time a valid net can produce, so jobs of 1.0E38 still get their true times.
constexpr double NoTime = std::numeric_limits<double>::infinity();

// Kahn's numbering with a last-in first-out stack from the source; the points in that order.
std::vector<int> TopologicalOrder(const NetWorkType& net) {
    std::array<int, MaxPoints + 1> in{};
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            ++in[e.target];
    }
    std::vector<int> order;
    PointStack stack;
    stack.Push(net.sourcePoint);
    while (!stack.Empty()) {
        const int u = stack.Top();
        stack.Pop();
        order.push_back(u);
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            if (--in[e.target] == 0) stack.Push(e.target);
        }
    }
    return order;
}

// Longest paths as shortest paths of negated lengths, negated back at the end, so that the
// walk back along the critical path can test its sums for equality exactly.
std::array<double, MaxPoints + 1> EarliestTimes(const NetWorkType& net, const std::vector<int>& order) {
    std::array<double, MaxPoints + 1> e{};
    e.fill(NoTime);
    e[net.sourcePoint] = 0.0;
    for (const int v : order) {
        for (int u = 1; u <= net.n; ++u) {
            if (u == v || !EdgeExists(net, u, v)) continue;
            const auto k = static_cast<std::size_t>(v);
            e[k] = std::min(e[k], e[static_cast<std::size_t>(u)] - GetEdgeReal(net, EdgeRealWeight, u, v));
        }
    }
    // 0 - x rather than -x, so that the source starts at 0 and not at minus zero.
    for (double& x : e)
        x = 0.0 - x;
    return e;
}

// Back from the sink, always to the lowest-numbered predecessor that gives the time exactly.
std::vector<int> LongestPath(const NetWorkType& net, const std::array<double, MaxPoints + 1>& e) {
    const int s = net.sourcePoint;
    std::vector<int> path{net.sinkPoint};
    std::array<bool, MaxPoints + 1> onPath{};
    onPath[net.sinkPoint] = true;
    while (path.back() != s) {
        const int cur = path.back();
        int next = 0;
        for (int u = 1; u <= net.n && next == 0; ++u) {
            const auto k = static_cast<std::size_t>(u);
            if (!onPath[k] && EdgeExists(net, u, cur) &&
                e[k] + GetEdgeReal(net, EdgeRealWeight, u, cur) == e[static_cast<std::size_t>(cur)])
                next = u;
        }
        if (next == 0) break; // only a net the command's tests refuse gets here
        onPath[static_cast<std::size_t>(next)] = true;
        path.push_back(next);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

std::array<double, MaxPoints + 1> LatestTimes(const NetWorkType& net, const std::vector<int>& order,
                                              const std::array<double, MaxPoints + 1>& earliest) {
    std::array<double, MaxPoints + 1> l{};
    l.fill(NoTime);
    const int t = net.sinkPoint;
    l[static_cast<std::size_t>(t)] = earliest[static_cast<std::size_t>(t)];
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (*it == t) continue;
        double best = NoTime;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(*it)]) {
            const double candidate = std::fabs(l[e.target] - e.weight);
            if (candidate < best) best = candidate;
        }
        l[static_cast<std::size_t>(*it)] = best;
    }
    return l;
}

bool EndsAreValid(const NetWorkType& net) {
    return net.sourcePoint >= 1 && net.sourcePoint <= net.n && net.sinkPoint >= 1 && net.sinkPoint <= net.n;
}

} // namespace

ActivitySchedule ComputeSchedule(const NetWorkType& net) {
    ActivitySchedule s;
    s.earliest.fill(NoTime);
    s.latest.fill(NoTime);
    if (!EndsAreValid(net)) return s;
    const std::vector<int> order = TopologicalOrder(net);
    s.earliest = EarliestTimes(net, order);
    s.path = LongestPath(net, s.earliest);
    s.latest = LatestTimes(net, order, s.earliest);
    return s;
}

double ActivityReserve(const ActivitySchedule& s, int i, const EdgeType& e) {
    return std::fabs(s.latest[e.target] - (s.earliest[static_cast<std::size_t>(i)] + e.weight));
}

// True when some reserve was too large for the flow field and is held at the largest value.
bool StoreActivityReserves(NetWorkType& net, const ActivitySchedule& s) {
    bool clamped = false;
    for (int i = 1; i <= net.n; ++i) {
        for (EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            const double reserve = ActivityReserve(s, i, e);
            e.flow = StorableReal48(reserve);
            clamped = clamped || e.flow != reserve;
        }
    }
    return clamped;
}

double MeasureCriticalPath(NetWorkType& net) {
    if (!EndsAreValid(net)) return -1.0;
    ClearDecomposedLengths(net);
    return ComputeSchedule(net).earliest[net.sinkPoint];
}

} // namespace plax
