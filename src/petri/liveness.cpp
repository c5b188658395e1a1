#include "liveness.h"

#include "exploration_account.h"
#include "firing_rules.h"
#include "petri_lines.h"

#include "accounts/procedure_texts.h"
#include "algorithms/long_run.h"

#include <algorithm>
#include <limits>
#include <new>

namespace plax {

namespace {

constexpr std::uint32_t Unvisited = std::numeric_limits<std::uint32_t>::max();

struct Frame {
    std::uint32_t node;
    std::uint32_t nextArc;
};

class Tarjan {
public:
    explicit Tarjan(const ReachabilityGraph& g)
        : g_(g), n_(g.Size()), index_(n_, Unvisited), low_(n_, 0), component_(n_, Unvisited) {}

    std::vector<std::uint32_t> Run(std::uint32_t& count) {
        for (std::uint32_t v = 0; v < n_; ++v)
            if (index_[v] == Unvisited) Visit(v);
        count = components_;
        return std::move(component_);
    }

private:
    void Open(std::uint32_t v) {
        index_[v] = low_[v] = next_++;
        stack_.push_back(v);
        calls_.push_back({v, g_.firstArc[v]});
    }

    void Visit(std::uint32_t root) {
        Open(root);
        while (!calls_.empty()) {
            Frame& f = calls_.back();
            const std::uint32_t v = f.node;
            if (f.nextArc < g_.firstArc[v + 1]) {
                const std::uint32_t w = g_.arcs[f.nextArc++];
                if (index_[w] == Unvisited) {
                    Open(w);
                } else if (component_[w] == Unvisited) {
                    low_[v] = std::min(low_[v], index_[w]);
                }
                continue;
            }
            calls_.pop_back();
            if (!calls_.empty()) low_[calls_.back().node] = std::min(low_[calls_.back().node], low_[v]);
            if (low_[v] != index_[v]) continue;
            std::uint32_t w = 0;
            do {
                w = stack_.back();
                stack_.pop_back();
                component_[w] = components_;
            } while (w != v);
            ++components_;
        }
    }

    const ReachabilityGraph& g_;
    std::uint32_t n_;
    std::vector<std::uint32_t> index_;
    std::vector<std::uint32_t> low_;
    std::vector<std::uint32_t> component_;
    std::vector<std::uint32_t> stack_;
    std::vector<Frame> calls_;
    std::uint32_t next_ = 0;
    std::uint32_t components_ = 0;
};

// Terminal components, the transitions enabled in each, and the home markings.
void Summarise(const NetWorkType& net, const ReachabilityGraph& g, LivenessResult& r) {
    std::uint32_t count = 0;
    const std::vector<std::uint32_t> component = StrongComponents(g, count);
    std::vector<bool> terminal(count, true);
    for (std::uint32_t v = 0; v < g.Size(); ++v)
        for (std::uint32_t a = g.firstArc[v]; a < g.firstArc[v + 1]; ++a)
            if (component[g.arcs[a]] != component[v]) terminal[component[v]] = false;
    const Rules rules = RulesOf(net);
    // Transitions by their position, as bits: at most MaxPoints of them.
    std::vector<std::uint32_t> enabledIn(count, 0);
    std::vector<std::uint64_t> size(count, 0);
    std::vector<std::uint16_t> m;
    for (std::uint32_t v = 0; v < g.Size(); ++v) {
        const std::uint32_t c = component[v];
        if (!terminal[c]) continue;
        ++size[c];
        const auto stored = g.At(v);
        m.assign(stored.begin(), stored.end());
        for (std::size_t k = 0; k < rules.transitions.size(); ++k)
            if (rules.transitions[k].Enabled(m)) enabledIn[c] |= 1u << k;
    }
    std::uint32_t live = (1u << rules.transitions.size()) - 1;
    for (std::uint32_t c = 0; c < count; ++c) {
        if (!terminal[c]) continue;
        ++r.terminalComponents;
        live &= enabledIn[c];
        r.homeMarkings = size[c];
    }
    if (r.terminalComponents != 1) r.homeMarkings = 0;
    r.initialIsHome = r.terminalComponents == 1 && terminal[component[0]];
    for (std::size_t k = 0; k < rules.transitions.size(); ++k)
        if ((live >> k) & 1u) r.live.push_back(rules.transitions[k].point);
    r.known = true;
}

} // namespace

std::vector<std::uint32_t> StrongComponents(const ReachabilityGraph& graph, std::uint32_t& count) {
    return Tarjan(graph).Run(count);
}

LivenessResult ExploreLiveness(const NetWorkType& net, std::uint64_t maxMarkings, RunControl& control) {
    LivenessResult r;
    ReachabilityGraph graph;
    r.reachability = ExploreMarkings(net, maxMarkings, control, &graph);
    for (const TransitionRule& t : RulesOf(net).transitions) {
        const auto& never = r.reachability.neverFired;
        if (std::find(never.begin(), never.end(), t.point) == never.end()) r.firedOnce.push_back(t.point);
    }
    if (r.reachability.end != ExplorationEnd::Complete) return r;
    try {
        Summarise(net, graph, r);
    } catch (const std::bad_alloc&) {
        r.live.clear();
        r.known = false;
    }
    return r;
}

void WriteLiveness(ResultsSink& sink, const LivenessResult& r) {
    const ReachabilityResult& reach = r.reachability;
    const bool complete = reach.end == ExplorationEnd::Complete;
    WriteMarkingCounts(sink, reach);
    sink.AddLine((complete ? "    Dead transitions (L0, never fire) :"
                           : "    Transitions not fired in the markings explored :") +
                 PointsOrNone(reach.neverFired));
    sink.AddLine("    Transitions that fire at least once (L1) :" + PointsOrNone(r.firedOnce));
    if (r.known) {
        sink.AddLine("    Live transitions (L4, can fire again from every reachable marking) :" +
                     PointsOrNone(r.live));
        const bool all = r.live.size() == r.firedOnce.size() + reach.neverFired.size();
        sink.AddLine(all ? "    Live : yes, every transition is live." : "    Live : no.");
    } else {
        sink.AddLine(complete ? "    Live transitions : not known, the memory ran out."
                              : "    Live transitions : not known, the exploration was cut.");
    }
    sink.AddLine("");
    if (complete) {
        sink.AddLine(reach.deadMarkings == 0 ? "    Deadlock-free : yes, no reachable marking is dead."
                                             : "    Deadlock-free : no.");
    }
    WriteDeadMarkings(sink, reach);
    if (!r.known) return;
    sink.AddLine("    Terminal strongly connected components : " + std::to_string(r.terminalComponents));
    if (r.terminalComponents == 1) {
        sink.AddLine("    Home markings : " + std::to_string(r.homeMarkings) +
                     (r.initialIsHome ? ", the initial marking among them." : ", not the initial marking."));
    } else {
        sink.AddLine("    Home markings : none, no marking is reached from every reachable marking.");
    }
    sink.AddLine("");
}

void LivenessAnalysis(NetWorkType& net, const std::string& fileName, std::uint64_t maxMarkings,
                      ProcedureOutput out) {
    ExplorationAnalysis(
        net, fileName, LivenessTitle, out,
        [&](RunControl& control) { return ExploreLiveness(net, maxMarkings, control); },
        [](ResultsSink& sink, const LivenessResult& r) {
            WriteLiveness(sink, r);
            return r.reachability.end;
        });
}

} // namespace plax
