#include "state_graph.h"

#include "coverability.h"
#include "petri_lines.h"
#include "petri_net.h"

#include "algorithms/long_run.h"

#include "model/text_utils.h"

#include <algorithm>
#include <map>

namespace plax {

namespace {

using Tokens = std::vector<std::uint16_t>;

Tokens MarkingOf(const NetWorkType& net, const std::vector<int>& places) {
    Tokens tokens;
    tokens.reserve(places.size());
    for (int p : places)
        tokens.push_back(net.points[static_cast<std::size_t>(p)].tokens);
    return tokens;
}

void SetMarking(NetWorkType& net, const std::vector<int>& places, const Tokens& tokens) {
    for (std::size_t k = 0; k < places.size(); ++k)
        if (tokens[k] != OmegaTokens) net.points[static_cast<std::size_t>(places[k])].tokens = tokens[k];
}

// A quoted DOT string; a line end becomes DOT's own "\n", other control characters blanks.
std::string DotString(const std::string& latin1) {
    std::string out = "\"";
    for (const char c : Latin1ToUtf8(latin1)) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (c == '"' || c == '\\') out += '\\';
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return out + "\"";
}

} // namespace

std::string PetriPointLabel(const NetWorkType& net, int p) {
    const PointType& point = net.points[static_cast<std::size_t>(p)];
    if (!point.name.empty()) return point.name;
    return (IsTransition(point) ? "T" : "P") + std::to_string(p);
}

StateGraph ExploreStateGraph(const NetWorkType& net, std::size_t maxMarkings) {
    StateGraph graph;
    for (int p = 1; p <= net.n; ++p) {
        if (IsTokenPlace(net.points[static_cast<std::size_t>(p)])) graph.places.push_back(p);
    }
    // Firing changes only the token places, so one copy of the net serves every marking.
    NetWorkType work = net;
    std::map<Tokens, std::size_t> index;
    graph.markings.push_back({MarkingOf(net, graph.places), 0, false});
    index.emplace(graph.markings[0].tokens, 0);
    for (std::size_t i = 0; i < graph.markings.size(); ++i) {
        const Tokens from = graph.markings[i].tokens;
        SetMarking(work, graph.places, from);
        const PointFlags enabled = EnabledTransitions(work);
        graph.markings[i].dead = !AnyEnabled(enabled);
        for (int t = 1; t <= net.n; ++t) {
            if (!enabled[static_cast<std::size_t>(t)]) continue;
            FireTransition(work, t);
            Tokens to = MarkingOf(work, graph.places);
            SetMarking(work, graph.places, from);
            auto found = index.find(to);
            if (found == index.end()) {
                if (graph.markings.size() == maxMarkings) {
                    graph.complete = false;
                    continue;
                }
                found = index.emplace(to, graph.markings.size()).first;
                graph.markings.push_back({std::move(to), graph.markings[i].layer + 1, false});
            }
            graph.arcs.push_back({i, found->second, t});
        }
    }
    return graph;
}

bool StateGraphMarking::Omega() const {
    return std::find(tokens.begin(), tokens.end(), OmegaTokens) != tokens.end();
}

StateGraph CoverabilityStateGraph(const NetWorkType& net, std::size_t maxNodes) {
    UnstoppedRun run;
    const CoverabilityResult cover = BuildCoverability(net, maxNodes, run, true);
    StateGraph graph;
    graph.places = cover.places;
    graph.coverability = true;
    graph.complete = cover.end == ExplorationEnd::Complete;
    for (const auto& node : cover.nodeMarkings) {
        StateGraphMarking m;
        for (std::uint32_t count : node)
            m.tokens.push_back(count == Omega ? OmegaTokens : static_cast<std::uint16_t>(count));
        m.layer = -1;
        m.dead = true;
        graph.markings.push_back(std::move(m));
    }
    for (const CoverArc& a : cover.arcs) {
        graph.arcs.push_back({a.from, a.to, a.transition});
        graph.markings[a.from].dead = false;
    }
    // The nodes come breadth-first, so an arc's tail has its layer before its head needs it.
    if (!graph.markings.empty()) graph.markings[0].layer = 0;
    for (const StateGraphArc& a : graph.arcs)
        if (graph.markings[a.to].layer < 0) graph.markings[a.to].layer = graph.markings[a.from].layer + 1;
    return graph;
}

StateGraph DrawnStateGraph(const NetWorkType& net) {
    StateGraph graph = ExploreStateGraph(net);
    if (graph.complete) return graph;
    StateGraph cover = CoverabilityStateGraph(net);
    const bool unbounded =
        std::any_of(cover.markings.begin(), cover.markings.end(), [](const auto& m) { return m.Omega(); });
    return cover.complete && unbounded ? cover : graph;
}

std::string MarkingText(const StateGraph& graph, const NetWorkType& net, std::size_t marking) {
    std::string text;
    const Tokens& tokens = graph.markings[marking].tokens;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k] == 0) continue;
        if (!text.empty()) text += " + ";
        if (tokens[k] == OmegaTokens) {
            text += "w ";
        } else if (tokens[k] > 1) {
            text += std::to_string(tokens[k]) + " ";
        }
        text += PetriPointLabel(net, graph.places[k]);
    }
    return text.empty() ? "0" : text;
}

std::string StateGraphDot(const StateGraph& graph, const NetWorkType& net) {
    const char* what = graph.coverability ? " coverability" : " states";
    std::string out = "digraph " + DotString(net.name + what) + " {\n  node [shape=box];\n";
    for (std::size_t i = 0; i < graph.markings.size(); ++i) {
        out += "  m" + std::to_string(i) +
               " [label=" + DotString("M" + std::to_string(i) + "\n" + MarkingText(graph, net, i));
        if (i == 0) out += ", peripheries=2";
        if (graph.markings[i].dead) {
            out += ", style=filled, fillcolor=\"#FFD0D0\"";
        } else if (graph.markings[i].Omega()) {
            out += ", style=filled, fillcolor=\"#D0E0FF\"";
        }
        out += "];\n";
    }
    for (const StateGraphArc& a : graph.arcs) {
        out += "  m" + std::to_string(a.from) + " -> m" + std::to_string(a.to) +
               " [label=" + DotString(PetriPointLabel(net, a.transition)) + "];\n";
    }
    return out + "}\n";
}

void TakeMarking(NetWorkType& net, const StateGraph& graph, std::size_t marking) {
    SetMarking(net, graph.places, graph.markings[marking].tokens);
}

} // namespace plax
