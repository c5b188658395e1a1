#include "cut_points.h"

#include "graph_utils.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plax {

namespace {

std::size_t At(int p) { return static_cast<std::size_t>(p); }

// Tarjan's lowpoint search. Findings go on the point stack: a cut point as one entry, a bridge
// u-w as u then w.
class LowpointSearch {
public:
    LowpointSearch(const NetWorkType& net, CutSearchMode mode) : net_(net), mode_(mode) {}

    void Run();
    PointStack& Found() { return stack_; }
    int Findings() const { return findings_; }

private:
    void Visit(int u, int parent);
    void AfterChild(int u, int w);

    const NetWorkType& net_;
    CutSearchMode mode_;
    PointStack stack_;
    std::array<bool, MaxPoints + 1> visited_{};
    std::array<int, MaxPoints + 1> discovery_{};
    std::array<int, MaxPoints + 1> low_{};
    std::array<bool, MaxPoints + 1> reported_{};
    int counter_ = 1;
    int findings_ = 0;
    int root_ = 0;
    int rootChildren_ = 0;
};

void LowpointSearch::Run() {
    for (int r = 1; r <= net_.n; ++r) {
        if (visited_[At(r)]) continue;
        root_ = r;
        rootChildren_ = 0;
        Visit(r, r);
        if (mode_ == CutSearchMode::CutPoints && rootChildren_ > 1) {
            ++findings_;
            stack_.Push(r);
            reported_[At(r)] = true;
        }
    }
}

void LowpointSearch::Visit(int u, int parent) {
    visited_[At(u)] = true;
    discovery_[At(u)] = low_[At(u)] = counter_++;
    for (const EdgeType& e : net_.lists[At(u)]) {
        const int w = e.target;
        if (w < 1 || w > net_.n) continue;
        if (!visited_[At(w)]) {
            if (u == root_) ++rootChildren_;
            Visit(w, u);
            low_[At(u)] = std::min(low_[At(u)], low_[At(w)]);
            AfterChild(u, w);
        } else if (w != parent && discovery_[At(w)] < discovery_[At(u)]) {
            low_[At(u)] = std::min(low_[At(u)], discovery_[At(w)]);
        }
    }
}

void LowpointSearch::AfterChild(int u, int w) {
    if (low_[At(w)] < discovery_[At(u)]) return;
    if (mode_ == CutSearchMode::CutPoints) {
        // The root is judged by its number of children once its search is over.
        if (u == root_ || reported_[At(u)]) return;
        stack_.Push(u);
        reported_[At(u)] = true;
        ++findings_;
    } else if (low_[At(w)] == discovery_[At(w)]) {
        stack_.Push(u);
        stack_.Push(w);
        ++findings_;
    }
}

} // namespace

CutSearchResult ComputeCutPointsOrBridges(const NetWorkType& net, CutSearchMode mode) {
    LowpointSearch search(net, mode);
    search.Run();
    CutSearchResult result;
    result.findings = search.Findings();
    PointStack& found = search.Found();
    // The first pop of a bridge is its second point w, the next its first point u.
    while (!found.Empty()) {
        const int p = found.Top();
        found.Pop();
        if (mode == CutSearchMode::CutPoints) {
            result.cutPoints.push_back(p);
            continue;
        }
        const int u = found.Top();
        found.Pop();
        result.bridges.push_back({static_cast<std::uint16_t>(u), static_cast<std::uint16_t>(p)});
    }
    return result;
}

} // namespace plax
