#include "tour_search.h"

#include "salesman_bound.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include <limits>

namespace plax {

namespace {

// Above every cycle weight a valid net can give (weights reach 1.0E38), so the first cycle found
// is always taken.
constexpr double NoCycleYet = std::numeric_limits<double>::infinity();

// A relative margin far above the rounding of any sum of at most sixteen weights, so that the
// bound never cuts off a cycle that the search's own sums would find strictly lighter.
constexpr double RoundingMargin = 1.0 - 1e-9;

// The backtracking that the Hamiltonian searches and the salesman share: from the net's source
// point along the edge lists in list order, pruned by reachability (and, for the salesman, by
// weight), handing every find to the visitor.
class TourSearch {
public:
    TourSearch(const NetWorkType& net, TourKind kind, RunControl& control, const TourVisitor& onFind);

    TourSearchResult Run();

private:
    struct Step {
        int to = 0;
        double weight = 0.0;
    };

    void Search(int k);
    bool SearchLastStep(int k);
    bool Completes(int k, const Step& e) const;
    void Complete(int k, const Step& e);
    bool Accepts(const Step& e) const;
    bool ReachesTheRest(int w) const;
    void Extend(int k, const Step& e);
    void PollBeforeExtending();
    bool Stopped() const { return control_.Stopped(); }
    std::span<const int> FoundPoints() const;
    int SequenceLength() const { return kind_ == TourKind::HamiltonianPath ? n_ : n_ + 1; }

    const TourKind kind_;
    RunControl& control_;
    const TourVisitor& onFind_;
    const int n_;
    const int source_;
    std::array<std::vector<Step>, MaxPoints + 1> steps_;
    // How a point's list runs: in the order of the points' numbers either way, or neither.
    enum class ListOrder : std::uint8_t { Rising, Falling, Other };
    std::array<ListOrder, MaxPoints + 1> order_{};
    std::array<PointSet, MaxPoints + 1> stepTo_{};                          // the targets of steps_[p]
    std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1> stepWeight_{}; // and their weights
    NeighbourSets out_{};
    std::optional<SalesmanBound> bound_;
    double globalBound_ = 0.0;

    std::array<int, MaxPoints + 2> position_{};
    PointSet unvisited_ = 0;
    double weight_ = 0.0;
    std::uint64_t counter_ = 0;
    std::array<int, MaxPoints + 2> found_{};
    double foundWeight_ = 0.0;
    bool finished_ = false;
    std::uint8_t pollCounter_ = 0;
};

TourSearch::TourSearch(const NetWorkType& net, TourKind kind, RunControl& control, const TourVisitor& onFind)
    : kind_(kind), control_(control), onFind_(onFind), n_(net.n), source_(net.sourcePoint),
      out_(OutNeighbours(net)) {
    for (int p = 1; p <= n_; ++p) {
        double least = NoCycleYet;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(p)]) {
            if (e.target < 1 || e.target > n_ || e.target == p) continue;
            steps_[static_cast<std::size_t>(p)].push_back({e.target, e.weight});
            stepTo_[static_cast<std::size_t>(p)] |= PointBit(e.target);
            stepWeight_[static_cast<std::size_t>(p)][e.target] = e.weight;
            least = std::min(least, e.weight);
        }
        globalBound_ += least;
        const std::vector<Step>& list = steps_[static_cast<std::size_t>(p)];
        const auto runs = [&list](auto before) {
            return std::adjacent_find(list.begin(), list.end(), [&](const Step& a, const Step& b) {
                       return !before(a.to, b.to);
                   }) == list.end();
        };
        order_[static_cast<std::size_t>(p)] = runs(std::less<>())      ? ListOrder::Rising
                                              : runs(std::greater<>()) ? ListOrder::Falling
                                                                       : ListOrder::Other;
    }
    if (kind_ == TourKind::Salesman && n_ >= 2) bound_.emplace(net, source_);
    foundWeight_ = kind_ == TourKind::Salesman ? NoCycleYet : 0.0;
}

TourSearchResult TourSearch::Run() {
    TourSearchResult result;
    if (source_ >= 1 && source_ <= n_) {
        unvisited_ = static_cast<PointSet>(AllPoints(n_) & ~PointBit(source_));
        position_[1] = source_;
        weight_ = 0.0;
        Search(2);
        finished_ = true;
    }
    result.finds = counter_;
    if (counter_ != 0) {
        const std::span<const int> last = FoundPoints();
        result.last.assign(last.begin(), last.end());
        result.lastWeight = foundWeight_;
    }
    // A visitor may press Stop too (a text that takes no more lines), so this is read last.
    result.stopped = Stopped();
    return result;
}

void TourSearch::Search(int k) {
    if (finished_ || Stopped()) return;
    if (SearchLastStep(k)) return;
    const auto at = static_cast<std::size_t>(position_[static_cast<std::size_t>(k - 1)]);
    if (k < n_ && order_[at] != ListOrder::Other) {
        // Below the last step nothing completes a sequence, and a list in the order of the
        // points' numbers is walked by its unvisited targets alone, in the same order.
        auto candidates = static_cast<PointSet>(unvisited_ & stepTo_[at]);
        while (candidates != 0) {
            const int to = order_[at] == ListOrder::Rising ? LowestPoint(candidates) : HighestPoint(candidates);
            candidates = static_cast<PointSet>(candidates & ~PointBit(to));
            const Step e{to, stepWeight_[at][static_cast<std::size_t>(to)]};
            if (!Accepts(e)) continue;
            Extend(k, e);
            if (Stopped()) return;
        }
        return;
    }
    // Stop comes only from a poll within an extension or from a find's visitor, so it is read
    // after those.
    for (const Step& e : steps_[at]) {
        if (Completes(k, e)) {
            Complete(k, e);
            if (finished_ || Stopped()) return;
            continue;
        }
        if (Contains(unvisited_, e.to) && Accepts(e)) {
            Extend(k, e);
            if (Stopped()) return;
        }
    }
}

// The last step of a sequence has one candidate, the one point left (or, closing a cycle, the
// source), so it is looked up instead of walking the list; the finds, their order and the polls
// are the walk's. Answers false where the walk is needed.
bool TourSearch::SearchLastStep(int k) {
    const bool path = kind_ == TourKind::HamiltonianPath;
    const bool lastPoint = k == n_ && n_ >= 2;
    const bool closing = !path && k == n_ + 1 && n_ >= 2;
    if (!lastPoint && !closing) return false;
    const auto at = static_cast<std::size_t>(position_[static_cast<std::size_t>(k - 1)]);
    const int to = closing ? source_ : LowestPoint(unvisited_);
    if (!Contains(stepTo_[at], to)) return true;
    const Step e{to, stepWeight_[at][static_cast<std::size_t>(to)]};
    if (Completes(k, e)) {
        Complete(k, e);
    } else if (!closing && Accepts(e)) {
        Extend(k, e);
    }
    return true;
}

// Every path from the source is a different sequence, so a path is reported whatever number its
// last point has.
bool TourSearch::Completes(int k, const Step& e) const {
    switch (kind_) {
    case TourKind::HamiltonianPath: return k == n_ && Contains(unvisited_, e.to);
    case TourKind::HamiltonianCycle: return k == n_ + 1 && e.to == source_;
    case TourKind::Salesman: return k == n_ + 1 && e.to == source_ && weight_ + e.weight < foundWeight_;
    }
    return false;
}

void TourSearch::Complete(int k, const Step& e) {
    if (kind_ == TourKind::HamiltonianPath) position_[static_cast<std::size_t>(k)] = e.to;
    found_ = position_;
    found_[static_cast<std::size_t>(n_ + 1)] = source_;
    ++counter_;
    foundWeight_ = weight_ + e.weight;
    onFind_({counter_, FoundPoints(), foundWeight_});
    // No cycle is lighter than the sum of the lightest edge out of every point.
    if (kind_ == TourKind::Salesman && foundWeight_ == globalBound_) finished_ = true;
}

bool TourSearch::Accepts(const Step& e) const {
    if (kind_ == TourKind::Salesman) {
        if (!(weight_ + e.weight < foundWeight_)) return false;
        const double least = weight_ + e.weight + bound_->Rest(unvisited_, e.to);
        if (!(least * RoundingMargin < foundWeight_)) return false;
    }
    return ReachesTheRest(e.to);
}

// Whether every other unvisited point can still be reached from w through unvisited points.
// Answers as soon as the rest is reached, which in a dense net is after w's own neighbours.
bool TourSearch::ReachesTheRest(int w) const {
    const auto rest = static_cast<PointSet>(unvisited_ & ~PointBit(w));
    if (IsSubset(rest, out_[static_cast<std::size_t>(w)])) return true;
    PointSet reached = PointBit(w);
    PointSet frontier = reached;
    while (frontier != 0) {
        const int v = LowestPoint(frontier);
        frontier = static_cast<PointSet>(frontier & ~PointBit(v));
        const auto fresh = static_cast<PointSet>(out_[static_cast<std::size_t>(v)] & unvisited_ & ~reached);
        reached |= fresh;
        if (IsSubset(unvisited_, reached)) return true;
        frontier |= fresh;
    }
    return IsSubset(unvisited_, reached);
}

void TourSearch::Extend(int k, const Step& e) {
    const double before = weight_;
    position_[static_cast<std::size_t>(k)] = e.to;
    weight_ += e.weight;
    unvisited_ = static_cast<PointSet>(unvisited_ & ~PointBit(e.to));
    PollBeforeExtending();
    Search(k + 1);
    unvisited_ |= PointBit(e.to);
    weight_ = before;
}

// The first extension polls, then every hundredth.
void TourSearch::PollBeforeExtending() {
    if (pollCounter_ % 100 == 0) {
        pollCounter_ = 1;
        control_.Poll();
    } else {
        ++pollCounter_;
    }
}

std::span<const int> TourSearch::FoundPoints() const {
    return std::span<const int>(found_).subspan(1, static_cast<std::size_t>(SequenceLength()));
}

} // namespace

TourSearchResult SearchTours(const NetWorkType& net, TourKind kind, RunControl& control,
                             const TourVisitor& onFind) {
    return TourSearch(net, kind, control, onFind).Run();
}

} // namespace plax
