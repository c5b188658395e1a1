#include "state_graph.h"

#include "petri_net.h"

#include "model/text_utils.h"

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
        net.points[static_cast<std::size_t>(places[k])].tokens = tokens[k];
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

std::string MarkingText(const StateGraph& graph, const NetWorkType& net, std::size_t marking) {
    std::string text;
    const Tokens& tokens = graph.markings[marking].tokens;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k] == 0) continue;
        if (!text.empty()) text += " + ";
        if (tokens[k] > 1) text += std::to_string(tokens[k]) + " ";
        text += PetriPointLabel(net, graph.places[k]);
    }
    return text.empty() ? "0" : text;
}

std::string StateGraphDot(const StateGraph& graph, const NetWorkType& net) {
    std::string out = "digraph " + DotString(net.name + " states") + " {\n  node [shape=box];\n";
    for (std::size_t i = 0; i < graph.markings.size(); ++i) {
        out += "  m" + std::to_string(i) +
               " [label=" + DotString("M" + std::to_string(i) + "\n" + MarkingText(graph, net, i));
        if (i == 0) out += ", peripheries=2";
        if (graph.markings[i].dead) out += ", style=filled, fillcolor=\"#FFD0D0\"";
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
