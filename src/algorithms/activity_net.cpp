#include "activity_net.h"

#include "reachability.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>

namespace plax {

namespace {

// Depth first along every path from a start point; a point is marked only while it is on the
// current path, so an edge to a marked point closes a cycle.
class CycleSearch {
public:
    explicit CycleSearch(const NetWorkType& net) : net_(net) {}

    bool From(int start) { return Visit(start); }
    const std::vector<int>& Cycle() const { return cycle_; }

private:
    bool Visit(int v) {
        stack_.push_back(v);
        mark_[static_cast<std::size_t>(v)] = static_cast<int>(stack_.size());
        for (const EdgeType& e : net_.lists[static_cast<std::size_t>(v)]) {
            const int w = e.target;
            if (w < 1 || w > net_.n) continue;
            if (mark_[e.target] != 0) {
                Close(w);
                return true;
            }
            if (Visit(w)) return true;
        }
        stack_.pop_back();
        mark_[static_cast<std::size_t>(v)] = 0;
        return false;
    }

    // The cycle runs from the top of the path stack down to w.
    void Close(int w) { cycle_.assign(stack_.rbegin(), std::find(stack_.rbegin(), stack_.rend(), w) + 1); }

    const NetWorkType& net_;
    std::array<int, MaxPoints + 1> mark_{};
    std::vector<int> stack_;
    std::vector<int> cycle_;
};

} // namespace

ActivityEnds FindSourceAndSink(const NetWorkType& net) {
    ActivityEnds ends;
    int sources = 0;
    int sinks = 0;
    for (int i = 1; i <= net.n; ++i) {
        int in = 0;
        for (int j = 1; j <= net.n; ++j)
            in += j != i && EdgeExists(net, j, i) ? 1 : 0;
        if (in == 0) {
            ++sources;
            ends.source = i;
        }
        if (OutDegree(net, i) == 0) {
            ++sinks;
            ends.sink = i;
        }
    }
    ends.one = sources == 1 && sinks == 1;
    ends.connected = ends.one && ReachableFrom(net, ends.source)[static_cast<std::size_t>(ends.sink)];
    return ends;
}

bool HasCycle(const NetWorkType& net, std::vector<int>& cycle) {
    cycle.clear();
    PointFlags explored{};
    std::vector<int> starts{net.sourcePoint};
    for (int p = 1; p <= net.n; ++p)
        starts.push_back(p);
    for (const int start : starts) {
        if (start < 1 || start > net.n || explored[static_cast<std::size_t>(start)]) continue;
        CycleSearch search(net);
        if (search.From(start)) {
            cycle = search.Cycle();
            return true;
        }
        const PointFlags reached = ReachableFrom(net, start);
        for (int p = 1; p <= net.n; ++p)
            explored[static_cast<std::size_t>(p)] =
                explored[static_cast<std::size_t>(p)] || reached[static_cast<std::size_t>(p)];
    }
    return false;
}

std::vector<EdgeMark> CycleEdges(const std::vector<int>& cycle) {
    std::vector<EdgeMark> edges;
    if (cycle.empty()) return edges;
    for (std::size_t k = 1; k < cycle.size(); ++k)
        edges.push_back({static_cast<std::uint16_t>(cycle[k]), static_cast<std::uint16_t>(cycle[k - 1])});
    edges.push_back({static_cast<std::uint16_t>(cycle.front()), static_cast<std::uint16_t>(cycle.back())});
    return edges;
}

} // namespace plax
