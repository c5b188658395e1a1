#include "reachability.h"

#include <deque>

namespace plax {

PointFlags ReachableFrom(const NetWorkType& net, int start) {
    PointFlags reached{};
    if (start < 1 || start > MaxPoints) return reached;
    reached[static_cast<std::size_t>(start)] = true;
    std::deque<int> queue{start};
    while (!queue.empty()) {
        const int u = queue.front();
        queue.pop_front();
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            if (e.target < 1 || e.target > MaxPoints || reached[e.target]) continue;
            reached[e.target] = true;
            queue.push_back(e.target);
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

} // namespace plax
