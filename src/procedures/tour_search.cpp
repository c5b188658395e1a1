#include "tour_search.h"

#include "procedure_texts.h"

#include "model/text_utils.h"

#include <limits>

namespace plax {

namespace {

// Above every cycle weight a valid net can give (weights reach 1.0E38), so the first cycle found
// is always taken.
constexpr double NoCycleYet = std::numeric_limits<double>::infinity();

// A relative margin far above the rounding of any sum of at most sixteen weights, so that the
// bound never cuts off a cycle that the search's own sums would find strictly lighter.
constexpr double RoundingMargin = 1.0 - 1e-9;

std::string NameText(TourKind kind) {
    return kind == TourKind::HamiltonianPath ? "Hamiltonian Path " : "Hamiltonian Cycle ";
}

// Appends only: GCC 12 at -O3 takes a prefix added to a number's temporary text for an overlap.
std::string ItemText(int p, bool last) {
    std::string item;
    if (p < 10) item.push_back(' ');
    item.append(std::to_string(p));
    item.push_back(last ? '.' : ',');
    return item;
}

} // namespace

TourSearch::TourSearch(const NetWorkType& net, TourKind kind, ResultsSink& sink)
    : kind_(kind), sink_(sink), n_(net.n), source_(net.sourcePoint), name_(NameText(kind)),
      out_(OutNeighbours(net)) {
    for (int p = 1; p <= n_; ++p) {
        double least = NoCycleYet;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(p)]) {
            if (e.target < 1 || e.target > n_ || e.target == p) continue;
            steps_[static_cast<std::size_t>(p)].push_back({e.target, e.weight});
            least = std::min(least, e.weight);
        }
        globalBound_ += least;
    }
    if (kind_ == TourKind::Salesman && n_ >= 2) bound_.emplace(net, source_);
    foundWeight_ = kind_ == TourKind::Salesman ? NoCycleYet : 0.0;
}

void TourSearch::Run() {
    if (source_ < 1 || source_ > n_) return;
    unvisited_ = static_cast<PointSet>(AllPoints(n_) & ~PointBit(source_));
    position_[1] = source_;
    weight_ = 0.0;
    Search(2);
    finished_ = true;
}

void TourSearch::Search(int k) {
    if (finished_ || Stopped()) return;
    for (const Step& e : steps_[static_cast<std::size_t>(position_[static_cast<std::size_t>(k - 1)])]) {
        if (Stopped()) return;
        if (Completes(k, e)) {
            Complete(k, e);
            if (finished_) return;
            continue;
        }
        if (Contains(unvisited_, e.to) && Accepts(e)) Extend(k, e);
    }
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
    WriteSolution();
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
bool TourSearch::ReachesTheRest(int w) const {
    PointSet reached = PointBit(w);
    PointSet frontier = reached;
    while (frontier != 0) {
        const int v = LowestPoint(frontier);
        frontier = static_cast<PointSet>(frontier & ~PointBit(v));
        const auto fresh = static_cast<PointSet>(out_[static_cast<std::size_t>(v)] & unvisited_ & ~reached);
        reached |= fresh;
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
        sink_.Poll();
    } else {
        ++pollCounter_;
    }
}

void TourSearch::WriteSolution() {
    const bool salesman = kind_ == TourKind::Salesman;
    sink_.AddLine("");
    sink_.AddLine("    Counter = " + std::to_string(counter_));
    sink_.AddLine(salesman ? "     Cycle :    " : "    " + name_ + ": " + "    ");
    const int length = SequenceLength();
    std::string line = "    ";
    for (int i = 1; i <= length; ++i) {
        line += ItemText(found_[static_cast<std::size_t>(i)], i == length);
        if (i % 14 == 0 || i == length) {
            sink_.AddLine(" " + line);
            line = "    ";
        }
    }
    sink_.AddLine((salesman ? "    Weight of the Cycle =  " : "    Weight of the current " + name_ + " =  ") +
                  ResultNumber(foundWeight_));
}

void TourSearch::WriteEnding(bool stopped) {
    const bool salesman = kind_ == TourKind::Salesman;
    if (counter_ == 0) {
        sink_.AddLine(salesman ? "    Salesman Cycle  Not Found. " : "    " + name_ + " Not Found. ");
        return;
    }
    if (!stopped) {
        WriteSolution();
        sink_.AddLine(ProcedureCompleteLine);
        return;
    }
    sink_.AddLine(ProcedureCompleteLine);
    sink_.AddLine(salesman ? "    Procedure terminated!  Cycle  Found. "
                           : "    Procedure terminated! " + name_ + " Found. ");
}

std::vector<EdgeMark> TourSearch::FoundEdges() const {
    std::vector<EdgeMark> edges;
    if (counter_ == 0) return edges;
    const int last = kind_ == TourKind::HamiltonianPath ? n_ - 1 : n_;
    for (int k = 1; k <= last; ++k) {
        edges.push_back({static_cast<std::uint16_t>(found_[static_cast<std::size_t>(k)]),
                         static_cast<std::uint16_t>(found_[static_cast<std::size_t>(k + 1)])});
    }
    return edges;
}

} // namespace plax
