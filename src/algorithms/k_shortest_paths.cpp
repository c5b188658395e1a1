#include "k_shortest_paths.h"

#include "word_stack.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <limits>
#include <set>
#include <utility>

namespace plax {

namespace {

// A walk may be longer than any single weight, so "none" is a true infinity.
constexpr double Infinite = std::numeric_limits<double>::infinity();

// Index 0 is never used; 1..k hold the k best values in increasing order, the rest Infinite.
using KVector = std::array<double, MaxPoints + 1>;

KVector InfiniteVector() {
    KVector v;
    v.fill(Infinite);
    return v;
}

// Distinct values in increasing order; equal values count once (exact equality).
class SortedValues {
public:
    void Offer(double v) {
        if (v >= Infinite || v < 0.0) return;
        const auto end = values_.begin() + static_cast<std::ptrdiff_t>(size_);
        const auto at = std::lower_bound(values_.begin(), end, v);
        if (at != end && *at == v) return;
        assert(size_ < values_.size());
        std::copy_backward(at, end, end + 1);
        *at = v;
        ++size_;
    }

    KVector Vector(int k) const {
        KVector out = InfiniteVector();
        for (std::size_t i = 0; i < size_ && i < static_cast<std::size_t>(k); ++i)
            out[i + 1] = values_[i];
        return out;
    }

private:
    std::array<double, 2 * (MaxPoints + 1)> values_{};
    std::size_t size_ = 0;
};

// The generalised minimum a (+) b: the k smallest distinct values of both.
KVector Merge(const KVector& a, const KVector& b, int k) {
    SortedValues list;
    for (int i = 0; i <= k; ++i)
        list.Offer(a[static_cast<std::size_t>(i)]);
    for (int i = 0; i <= k; ++i)
        list.Offer(b[static_cast<std::size_t>(i)]);
    return list.Vector(k);
}

// The generalised sum with an edge vector, whose only finite entry is the edge's weight.
KVector Extend(const KVector& a, double weight, int k) {
    SortedValues list;
    for (int i = 1; i <= k; ++i)
        list.Offer(a[static_cast<std::size_t>(i)] + weight);
    return list.Vector(k);
}

class KPaths {
public:
    KPaths(const NetWorkType& net, int k);

    // Sweeps until nothing changes; false when the limit was passed first.
    bool Iterate(int limit);
    const KVector& SinkVector() const { return vectors_[static_cast<std::size_t>(n_)]; }
    // The walk of the given rank and length, from the sink back to the point after the source.
    bool BuildWalk(int rank, double length, TMyWordStack& stack) const;
    int Source() const { return order_[1]; }

private:
    void Sweep(bool lower);
    bool Predecessor(int& c, int& r, double& v) const;

    const NetWorkType& net_;
    int n_;
    int k_;
    std::array<int, MaxPoints + 1> order_{}; // position -> point number
    std::array<KVector, MaxPoints + 1> vectors_{};
};

KPaths::KPaths(const NetWorkType& net, int k) : net_(net), n_(net.n), k_(k) {
    int pos = 1;
    order_[1] = net.sourcePoint;
    for (int p = 1; p <= n_; ++p) {
        if (p != net.sourcePoint && p != net.sinkPoint) order_[static_cast<std::size_t>(++pos)] = p;
    }
    order_[static_cast<std::size_t>(n_)] = net.sinkPoint;
    vectors_.fill(InfiniteVector());
    vectors_[1][1] = 0.0;
}

// The lower sweep takes the edges to lower point numbers, the upper one those to higher.
void KPaths::Sweep(bool lower) {
    for (int step = 1; step <= n_; ++step) {
        const int j = lower ? n_ + 1 - step : step;
        const int to = order_[static_cast<std::size_t>(j)];
        KVector acc = InfiniteVector();
        for (int i = 1; i <= n_; ++i) {
            const int from = order_[static_cast<std::size_t>(i)];
            if (i == j || (lower ? to > from : to < from)) continue;
            const EdgeType* e = FindEdge(net_, from, to);
            if (e != nullptr)
                acc = Merge(acc, Extend(vectors_[static_cast<std::size_t>(i)], e->weight, k_), k_);
        }
        auto& target = vectors_[static_cast<std::size_t>(j)];
        target = Merge(acc, target, k_);
    }
}

bool KPaths::Iterate(int limit) {
    for (int count = 1;; ++count) {
        const auto before = vectors_;
        Sweep(true);
        Sweep(false);
        if (count > limit) return false;
        if (vectors_ == before) return true;
    }
}

// The first position p (ranks from r down, then positions upwards) whose value at that rank
// plus the edge to c gives v exactly.
bool KPaths::Predecessor(int& c, int& r, double& v) const {
    const int to = order_[static_cast<std::size_t>(c)];
    for (int rank = r; rank >= 1; --rank) {
        for (int p = 1; p <= n_; ++p) {
            const double value = vectors_[static_cast<std::size_t>(p)][static_cast<std::size_t>(rank)];
            if (p == c || value >= Infinite) continue;
            const EdgeType* e = FindEdge(net_, order_[static_cast<std::size_t>(p)], to);
            if (e != nullptr && e->weight + value == v) {
                c = p;
                r = rank;
                v = value;
                return true;
            }
        }
    }
    return false;
}

// Zero-weight edges can lead the rebuild round a cycle at one value, so a state seen before
// ends it as failed; and a point other than the source can be reached at 0, so only the
// source ends the walk.
bool KPaths::BuildWalk(int rank, double length, TMyWordStack& stack) const {
    stack.Clear();
    stack.Push(static_cast<std::uint16_t>(order_[static_cast<std::size_t>(n_)]));
    int c = n_;
    int r = rank;
    double v = length;
    std::set<std::pair<int, int>> seen{{c, r}};
    while (Predecessor(c, r, v)) {
        if (c == 1 && v == 0.0) return true;
        if (!seen.insert({c, r}).second) break;
        stack.Push(static_cast<std::uint16_t>(order_[static_cast<std::size_t>(c)]));
    }
    stack.Clear();
    return false;
}

std::vector<int> Walk(const KPaths& paths, int rank, double length) {
    TMyWordStack stack;
    if (!paths.BuildWalk(rank, length, stack)) return {};
    std::vector<int> walk{paths.Source()};
    while (!stack.IsEmpty())
        walk.push_back(stack.Pop());
    return walk;
}

} // namespace

KShortestResult ComputeKShortestPaths(const NetWorkType& net, int k, int iterationLimit) {
    KPaths paths(net, k);
    KShortestResult result;
    result.converged = paths.Iterate(iterationLimit);
    if (!result.converged) return result;
    const KVector& lengths = paths.SinkVector();
    for (int rank = 1; rank <= k && lengths[static_cast<std::size_t>(rank)] < Infinite; ++rank) {
        const double length = lengths[static_cast<std::size_t>(rank)];
        result.lengths.push_back(length);
        result.walks.push_back(Walk(paths, rank, length));
    }
    return result;
}

} // namespace plax
