#include "coverability.h"

#include "exploration_account.h"
#include "firing_rules.h"
#include "marking_store.h"
#include "petri_lines.h"

#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"
#include "algorithms/long_run.h"

#include <algorithm>
#include <new>
#include <span>

namespace plax {

namespace {

using Node = std::vector<std::uint32_t>;

// Nodes expanded between two polls of Stop, and comparisons with earlier nodes.
constexpr int PollEvery = 256;
constexpr std::uint64_t CompareEvery = 1u << 16;

// The firing rule of the ordinary net on a node: Omega stays Omega.
void Fire(const TransitionRule& rule, Node& m) {
    for (std::uint8_t i : rule.inputs)
        if (m[i] != Omega) --m[i];
    for (std::uint8_t o : rule.outputs)
        if (m[o] != Omega) ++m[o];
}

// Whether `small` <= `large` place by place, with some place strictly less.
bool StrictlyCovers(const Node& large, std::span<const std::uint32_t> small) {
    bool less = false;
    for (std::size_t k = 0; k < large.size(); ++k) {
        if (small[k] > large[k]) return false;
        less = less || small[k] < large[k];
    }
    return less;
}

class Construction {
public:
    Construction(const NetWorkType& net, std::uint64_t maxNodes, RunControl& control, bool keepGraph)
        : rules_(RulesOf(net)), store_(rules_.places.size()), maxNodes_(std::max<std::uint64_t>(1, maxNodes)),
          control_(control), poller_(control, PollEvery), keepGraph_(keepGraph),
          enabledSomewhere_(rules_.transitions.size(), false) {
        result_.places = rules_.places;
        result_.initial = MarkingOf(net, rules_);
    }

    CoverabilityResult Run();

private:
    // Tries every firing of node i; false when the bound on nodes or Stop cut it short.
    bool Expand(std::uint32_t i);
    // Omega wherever `m` exceeds a node it strictly covers on the way from the initial node to i.
    bool Accelerate(std::uint32_t i, Node& m);
    void Summarise();

    Rules rules_;
    BasicMarkingStore<std::uint32_t> store_;
    std::vector<std::uint32_t> parent_;
    std::uint64_t maxNodes_;
    RunControl& control_;
    StepPoller poller_;
    bool keepGraph_;
    std::uint64_t compared_ = 0;
    std::vector<bool> enabledSomewhere_;
    Node from_;
    Node next_;
    CoverabilityResult result_;
};

CoverabilityResult Construction::Run() {
    try {
        const Node first(result_.initial.begin(), result_.initial.end());
        store_.Insert(first);
        parent_.push_back(0);
        for (std::uint32_t i = 0; i < store_.Size() && result_.end == ExplorationEnd::Complete; ++i) {
            if (poller_.Step()) {
                result_.end = ExplorationEnd::Stopped;
                break;
            }
            if (i % (PollEvery * 16) == 0)
                control_.Progress(static_cast<int>(std::uint64_t{store_.Size()} * 100 / maxNodes_));
            if (!Expand(i) && result_.end == ExplorationEnd::Complete)
                result_.end = ExplorationEnd::MarkingBound;
        }
    } catch (const std::bad_alloc&) {
        result_.end = ExplorationEnd::OutOfMemory;
        std::vector<CoverArc>().swap(result_.arcs);
        result_.nodeMarkings.clear();
    }
    Summarise();
    return std::move(result_);
}

bool Construction::Expand(std::uint32_t i) {
    const auto stored = store_.At(i);
    from_.assign(stored.begin(), stored.end());
    for (std::size_t k = 0; k < rules_.transitions.size(); ++k) {
        const TransitionRule& rule = rules_.transitions[k];
        if (!rule.Enabled(from_)) continue;
        enabledSomewhere_[k] = true;
        next_ = from_;
        Fire(rule, next_);
        if (!Accelerate(i, next_)) {
            result_.end = ExplorationEnd::Stopped;
            return false;
        }
        if (store_.Size() >= maxNodes_ && !store_.Contains(next_)) return false;
        const auto [index, added] = store_.Insert(next_);
        if (added) parent_.push_back(i);
        if (keepGraph_) result_.arcs.push_back({i, index, rule.point});
    }
    return true;
}

bool Construction::Accelerate(std::uint32_t i, Node& m) {
    for (std::uint32_t a = i;; a = parent_[a]) {
        if ((++compared_ % CompareEvery) == 0 && (control_.Poll() || control_.Stopped())) return false;
        const auto earlier = store_.At(a);
        if (StrictlyCovers(m, earlier)) {
            for (std::size_t k = 0; k < m.size(); ++k)
                if (earlier[k] < m[k]) m[k] = Omega;
        }
        if (a == 0) return true;
    }
}

void Construction::Summarise() {
    result_.nodes = store_.Size();
    result_.bound.assign(rules_.places.size(), 0);
    for (std::uint32_t i = 0; i < store_.Size(); ++i) {
        const auto node = store_.At(i);
        for (std::size_t k = 0; k < node.size(); ++k)
            result_.bound[k] = std::max(result_.bound[k], node[k]);
        if (keepGraph_ && result_.end != ExplorationEnd::OutOfMemory)
            result_.nodeMarkings.emplace_back(node.begin(), node.end());
    }
    for (std::size_t k = 0; k < rules_.transitions.size(); ++k)
        if (!enabledSomewhere_[k]) result_.dead.push_back(rules_.transitions[k].point);
}

constexpr std::size_t BoundsPerLine = 6;
constexpr std::size_t BoundWidth = 6;

std::vector<int> PlacesWhere(const CoverabilityResult& r, bool unbounded) {
    std::vector<int> places;
    for (std::size_t k = 0; k < r.places.size(); ++k)
        if ((r.bound[k] == Omega) == unbounded) places.push_back(r.places[k]);
    return places;
}

void WriteNodes(ResultsSink& sink, const CoverabilityResult& r) {
    std::string count =
        "    Coverability nodes : " + std::string(r.end == ExplorationEnd::Complete ? "" : "at least ") +
        std::to_string(r.nodes);
    if (r.end == ExplorationEnd::MarkingBound) count += " (the bound on stored nodes)";
    if (r.end == ExplorationEnd::Stopped) count += " (stopped)";
    if (r.end == ExplorationEnd::OutOfMemory) count += " (stopped: the memory ran out)";
    sink.AddLine("    Places (the order of a marking) :" + PointList(r.places));
    sink.AddLine("    Initial marking : " + MarkingText(r.initial));
    sink.AddLine(count);
    if (r.end != ExplorationEnd::Complete)
        sink.AddLine("    The construction was cut: what follows holds for the nodes built.");
    sink.AddLine("");
}

void WriteBounds(ResultsSink& sink, const CoverabilityResult& r) {
    const bool complete = r.end == ExplorationEnd::Complete;
    const std::vector<int> unbounded = PlacesWhere(r, true);
    const std::vector<int> bounded = PlacesWhere(r, false);
    sink.AddLine("    Unbounded places (w) :" + PointsOrNone(unbounded));
    sink.AddLine(complete ? "    Bound per bounded place :"
                          : "    Largest count per place not found unbounded :");
    std::vector<std::string> items;
    for (std::size_t k = 0; k < r.places.size(); ++k)
        if (r.bound[k] != Omega) items.push_back(CountItem(r.places[k], r.bound[k], BoundWidth));
    if (items.empty()) sink.AddLine("    none");
    WriteItemLines(sink, items, BoundsPerLine);
    const bool safe = std::all_of(r.bound.begin(), r.bound.end(), [](std::uint32_t b) { return b <= 1; });
    if (!unbounded.empty()) {
        sink.AddLine("    Bounded : no, " + std::to_string(unbounded.size()) + " of " +
                     std::to_string(r.places.size()) + " places are unbounded.");
        sink.AddLine("    Safe : no, a place is unbounded.");
    } else if (!complete) {
        sink.AddLine("    Bounded : not known, the construction was cut.");
        sink.AddLine(safe ? "    Safe : not known, the construction was cut."
                          : "    Safe : no, a place holds more than one token.");
    } else {
        sink.AddLine("    Bounded : yes, every place is bounded.");
        sink.AddLine(safe ? "    Safe : yes, no place ever holds more than one token."
                          : "    Safe : no, a place holds more than one token.");
    }
    sink.AddLine("");
}

} // namespace

CoverabilityResult BuildCoverability(const NetWorkType& net, std::uint64_t maxNodes, RunControl& control,
                                     bool keepGraph) {
    return Construction(net, maxNodes, control, keepGraph).Run();
}

void WriteCoverability(ResultsSink& sink, const CoverabilityResult& result) {
    WriteNodes(sink, result);
    WriteBounds(sink, result);
    const std::string which = result.end == ExplorationEnd::Complete
                                  ? "    Dead transitions (never enabled) :"
                                  : "    Transitions not enabled in the nodes built :";
    sink.AddLine(which + PointsOrNone(result.dead));
    sink.AddLine("");
}

void CoverabilityAnalysis(NetWorkType& net, const std::string& fileName, std::uint64_t maxNodes,
                          ProcedureOutput out) {
    ExplorationAnalysis(
        net, fileName, CoverabilityTitle, out,
        [&](RunControl& control) { return BuildCoverability(net, maxNodes, control); },
        [](ResultsSink& sink, const CoverabilityResult& r) {
            WriteCoverability(sink, r);
            return r.end;
        });
}

} // namespace plax
