#include "adjacency_index.h"

#include "net_store.h"

namespace plax {

AdjacencyIndex::AdjacencyIndex(const NetWorkType& net) : undirected_(IsUndirected(net)) {
    const int n = net.n < MaxPoints ? net.n : MaxPoints;
    for (int i = 1; i <= n; ++i) {
        const EdgeList& list = net.lists[static_cast<std::size_t>(i)];
        auto& row = entry_[static_cast<std::size_t>(i)];
        // From the tail, so the first entry of a repeated target is the one kept.
        for (auto e = list.rbegin(); e != list.rend(); ++e) {
            if (e->target >= 1 && e->target <= n && e->target != i) row[e->target] = &*e;
        }
    }
}

} // namespace plax
