#include "k_shortest_paths.h"

#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

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

void WriteLengths(ResultsSink& sink, const std::vector<double>& lengths) {
    const std::size_t m = lengths.size();
    sink.AddLine("    Distinct Lengths of " + std::to_string(m) + " shortest paths in increasing order:");
    ListLines lines(sink, 14);
    for (std::size_t i = 0; i < m; ++i)
        lines.Add(ResultNumber(lengths[i]) + (i + 1 < m ? ", " : ""));
    lines.Flush();
    sink.AddLine("");
}

void WriteWalk(ResultsSink& sink, const std::vector<int>& walk, int rank) {
    if (walk.empty()) {
        sink.AddLine("     Cannot generate the path " + std::to_string(rank));
        return;
    }
    ListLines lines(sink, 14);
    for (std::size_t i = 0; i < walk.size(); ++i)
        lines.Add(PadLeft(std::to_string(walk[i]), 3) + (i + 1 == walk.size() ? "" : ","));
    lines.Flush();
}

// The document window pops the walk forwards from the point after the source.
void ShowWalk(const std::vector<int>& walk, TMyWordStack& walkToShow) {
    walkToShow.Clear();
    for (std::size_t i = walk.size(); i > 1; --i)
        walkToShow.Push(static_cast<std::uint16_t>(walk[i - 1]));
}

void WriteFound(ResultsSink& sink, const KShortestResult& found, int k, TMyWordStack* walkToShow,
                int showNumber) {
    const int m = static_cast<int>(found.lengths.size());
    if (m < k) sink.AddLine("    " + std::to_string(m) + " paths have been found");
    if (m > 0) WriteLengths(sink, found.lengths);
    for (int rank = 1; rank <= m; ++rank) {
        const auto at = static_cast<std::size_t>(rank - 1);
        sink.AddLine("    ");
        sink.AddLine("    " + std::to_string(rank) + " Path ");
        sink.AddLine("    Path has length " + ResultNumber(found.lengths[at]));
        sink.AddLine("    Point sequence:");
        if (walkToShow != nullptr && (rank == showNumber || (rank == m && m < showNumber)))
            ShowWalk(found.walks[at], *walkToShow);
        WriteWalk(sink, found.walks[at], rank);
    }
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

void KShortestPaths(const NetWorkType& net, TMyWordStack* walkToShow, const std::string& fileName,
                    const KShortestParameters& parameters, ProcedureOutput out) {
    assert(parameters.k >= 1 && parameters.k <= MaxPoints);
    const int k = std::clamp(parameters.k, 1, MaxPoints);
    if (walkToShow != nullptr) walkToShow->Clear();
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (net.n > MaxPoints || s < 1 || s > net.n || t < 1 || t > net.n || s == t) return;
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    const KShortestResult found = ComputeKShortestPaths(net, k, parameters.iterationLimit);
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.BeginAccount(
            {"", "    K Shortest Paths with distinct length", "        Strictly increasing order"});
        out.sink.WriteHeaderBlock(net);
        out.sink.AddLine("    Source = " + std::to_string(s) + "    Sink = " + std::to_string(t));
        out.sink.AddLine("    K = " + std::to_string(k));
        out.sink.AddLine("");
        if (found.converged) {
            WriteFound(out.sink, found, k, walkToShow, parameters.showNumber);
        } else {
            out.sink.AddLine("    Too many iterations have been performed. Number exceeds " +
                             std::to_string(parameters.iterationLimit));
        }
        out.sink.AddLine("");
    });
}

std::optional<std::string> KShortestPathsRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (net.n < 2) return std::string(TrivialNetWorkText);
    return std::nullopt;
}

} // namespace plax
