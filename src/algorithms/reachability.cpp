#include "reachability.h"

#include <array>

namespace plax {

PointFlags ReachableFrom(const NetWorkType& net, int start) {
    PointFlags reached{};
    if (start < 1 || start > MaxPoints) return reached;
    reached[static_cast<std::size_t>(start)] = true;
    // Each point enters the queue once, so a fixed array holds it.
    std::array<int, MaxPoints> queue{};
    std::size_t head = 0;
    std::size_t tail = 0;
    queue[tail++] = start;
    while (head < tail) {
        const int u = queue[head++];
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            if (e.target < 1 || e.target > MaxPoints || reached[e.target]) continue;
            reached[e.target] = true;
            queue[tail++] = e.target;
        }
    }
    return reached;
}

int CountReachable(const NetWorkType& net, int start) {
    const PointFlags reached = ReachableFrom(net, start);
    int count = 0;
    for (int i = 1; i <= net.n; ++i) {
        if (i != start && reached[static_cast<std::size_t>(i)]) ++count;
    }
    return count;
}

bool EveryPointReachesEveryPoint(const NetWorkType& net) {
    for (int v = 1; v <= net.n; ++v) {
        const PointFlags reached = ReachableFrom(net, v);
        for (int p = 1; p <= net.n; ++p) {
            if (!reached[static_cast<std::size_t>(p)]) return false;
        }
    }
    return true;
}

} // namespace plax
