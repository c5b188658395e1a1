#include "marking_graph.h"

#include "firing_rules.h"
#include "marking_store.h"
#include "petri_net.h"

#include "algorithms/long_run.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace plax {

namespace {

// Markings whose firings are tried between two polls of Stop.
constexpr int PollEvery = 256;

using Marking = std::vector<std::uint16_t>;

// The firing rule on `m`, in which `rule` is enabled; answers whether the ceiling held an output
// back.
bool Fire(const TransitionRule& rule, Marking& m) {
    for (std::uint8_t i : rule.inputs)
        --m[i];
    bool held = false;
    for (std::uint8_t o : rule.outputs) {
        if (m[o] < TokenCeiling) {
            ++m[o];
        } else {
            held = true;
        }
    }
    return held;
}

// The markings found so far and how they hang together: the marking and transition each was
// first reached by (so the path back is a shortest firing sequence), and the arcs of every
// marking whose firings were tried, arcs[firstArc[i]] .. arcs[firstArc[i + 1]].
struct Graph {
    explicit Graph(std::size_t width) : store(width) {}
    MarkingStore store;
    std::vector<std::uint32_t> parent;
    std::vector<std::uint8_t> via;
    std::vector<std::uint32_t> firstArc;
    std::vector<std::uint32_t> arcs;
    std::vector<std::uint32_t> dead;
};

class Exploration {
public:
    Exploration(const NetWorkType& net, std::uint64_t maxMarkings, RunControl& control, StateGraph* out)
        : rules_(RulesOf(net)), graph_(rules_.places.size()),
          maxMarkings_(std::max<std::uint64_t>(1, maxMarkings)), control_(control),
          fired_(rules_.transitions.size(), false), out_(out) {
        result_.places = rules_.places;
        result_.initial = MarkingOf(net, rules_);
    }

    ReachabilityResult Run();

private:
    // Tries every firing of marking i; false when the bound on stored markings cut it short.
    bool Expand(std::uint32_t i);
    void Store(std::uint32_t from, int transition, const Marking& m);
    void Summarise();
    std::vector<int> FiringsTo(std::uint32_t i) const;
    std::uint64_t NotReturning() const;

    Rules rules_;
    Graph graph_;
    std::uint64_t maxMarkings_;
    RunControl& control_;
    std::vector<bool> fired_;
    StateGraph* out_;
    Marking from_;
    Marking next_;
    ReachabilityResult result_;
};

ReachabilityResult Exploration::Run() {
    result_.largest = result_.initial;
    graph_.store.Insert(result_.initial);
    graph_.parent.push_back(0);
    graph_.via.push_back(0);
    StepPoller poller(control_, PollEvery);
    try {
        for (std::uint32_t i = 0; i < graph_.store.Size(); ++i) {
            if (poller.Step()) {
                result_.end = ExplorationEnd::Stopped;
                break;
            }
            if (i % (PollEvery * 16) == 0)
                control_.Progress(static_cast<int>(std::uint64_t{graph_.store.Size()} * 100 / maxMarkings_));
            if (!Expand(i)) {
                result_.end = ExplorationEnd::MarkingBound;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        // The markings found so far are kept for the account; the arcs only serve a complete one.
        result_.end = ExplorationEnd::OutOfMemory;
        std::vector<std::uint32_t>().swap(graph_.arcs);
    }
    Summarise();
    return std::move(result_);
}

bool Exploration::Expand(std::uint32_t i) {
    const auto stored = graph_.store.At(i);
    from_.assign(stored.begin(), stored.end());
    graph_.firstArc.push_back(static_cast<std::uint32_t>(graph_.arcs.size()));
    bool any = false;
    for (std::size_t k = 0; k < rules_.transitions.size(); ++k) {
        const TransitionRule& rule = rules_.transitions[k];
        if (!rule.Enabled(from_)) continue;
        any = true;
        fired_[k] = true;
        next_ = from_;
        if (Fire(rule, next_)) result_.ceilingMet = true;
        if (graph_.store.Size() >= maxMarkings_ && !graph_.store.Contains(next_)) return false;
        Store(i, rule.point, next_);
    }
    if (!any) graph_.dead.push_back(i);
    return true;
}

void Exploration::Store(std::uint32_t from, int transition, const Marking& m) {
    const auto [index, added] = graph_.store.Insert(m);
    graph_.arcs.push_back(index);
    if (!added) return;
    graph_.parent.push_back(from);
    graph_.via.push_back(static_cast<std::uint8_t>(transition));
    for (std::size_t k = 0; k < m.size(); ++k)
        result_.largest[k] = std::max(result_.largest[k], m[k]);
}

void Exploration::Summarise() {
    result_.markings = graph_.store.Size();
    result_.deadMarkings = graph_.dead.size();
    for (std::size_t k = 0; k < graph_.dead.size() && k < ListedDeadMarkings; ++k) {
        const auto tokens = graph_.store.At(graph_.dead[k]);
        result_.firstDead.push_back({Marking(tokens.begin(), tokens.end()), FiringsTo(graph_.dead[k])});
    }
    for (std::size_t k = 0; k < rules_.transitions.size(); ++k) {
        if (!fired_[k]) result_.neverFired.push_back(rules_.transitions[k].point);
    }
    if (result_.end != ExplorationEnd::Complete) return;
    graph_.firstArc.push_back(static_cast<std::uint32_t>(graph_.arcs.size()));
    result_.notReturning = NotReturning();
    result_.reversibility =
        result_.notReturning == 0 ? Reversibility::Reversible : Reversibility::NotReversible;
    if (!out_) return;
    out_->size = graph_.store.Size();
    out_->width = graph_.store.Width();
    for (std::uint32_t v = 0; v < out_->size; ++v) {
        const auto tokens = graph_.store.At(v);
        out_->tokens.insert(out_->tokens.end(), tokens.begin(), tokens.end());
    }
    out_->firstArc = std::move(graph_.firstArc);
    out_->arcs = std::move(graph_.arcs);
}

std::vector<int> Exploration::FiringsTo(std::uint32_t i) const {
    std::vector<int> firings;
    for (; i != 0; i = graph_.parent[i])
        firings.push_back(graph_.via[i]);
    std::reverse(firings.begin(), firings.end());
    return firings;
}

// The markings that reach the initial one are those the initial one reaches on the arcs turned
// round: one breadth-first pass over the reversed graph.
std::uint64_t Exploration::NotReturning() const {
    const std::size_t n = graph_.store.Size();
    std::vector<std::uint32_t> firstIn(n + 1, 0);
    for (std::uint32_t target : graph_.arcs)
        ++firstIn[target + 1];
    std::partial_sum(firstIn.begin(), firstIn.end(), firstIn.begin());
    std::vector<std::uint32_t> sources(graph_.arcs.size());
    std::vector<std::uint32_t> cursor(firstIn.begin(), firstIn.end() - 1);
    for (std::uint32_t from = 0; from < n; ++from) {
        for (std::uint32_t a = graph_.firstArc[from]; a < graph_.firstArc[from + 1]; ++a)
            sources[cursor[graph_.arcs[a]]++] = from;
    }
    std::vector<bool> reaches(n, false);
    std::vector<std::uint32_t> queue{0};
    reaches[0] = true;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t m = queue[head];
        for (std::uint32_t a = firstIn[m]; a < firstIn[m + 1]; ++a) {
            if (reaches[sources[a]]) continue;
            reaches[sources[a]] = true;
            queue.push_back(sources[a]);
        }
    }
    return n - queue.size();
}

} // namespace

ReachabilityResult ExploreMarkings(const NetWorkType& net, std::uint64_t maxMarkings, RunControl& control,
                                   StateGraph* graph) {
    return Exploration(net, maxMarkings, control, graph).Run();
}

} // namespace plax
