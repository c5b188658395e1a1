#pragma once

#include "model/net_types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plax {

// The most markings a state graph is drawn with; larger graphs are told by their count.
inline constexpr std::size_t MaxStateGraphMarkings = 500;
// The count of a place in a coverability node that grows without bound (written "w").
inline constexpr std::uint16_t OmegaTokens = 0xFFFF;

struct StateGraphMarking {
    std::vector<std::uint16_t> tokens; // in the order of StateGraph::places
    int layer = 0;                     // the fewest firings that reach it
    bool dead = false;                 // no transition is enabled

    bool Omega() const;
};

struct StateGraphArc {
    std::size_t from = 0;
    std::size_t to = 0;
    int transition = 0; // its point number
};

// The reachability graph of the token game from the net's current marking: every marking once,
// numbered breadth-first (0 is the current one), and an arc for every enabled firing.
struct StateGraph {
    std::vector<int> places; // the points of shapes 0 and 1, whose tokens a firing moves
    std::vector<StateGraphMarking> markings;
    std::vector<StateGraphArc> arcs;
    bool complete = true;      // false: the graph holds more markings than it was allowed
    bool coverability = false; // the nodes of the coverability graph, with OmegaTokens
};

// Breadth-first with the firing rule of the token game (ceiling included), keeping at most
// `maxMarkings` markings. Cost: O(M · T · N) for M markings and T transitions.
StateGraph ExploreStateGraph(const NetWorkType& net, std::size_t maxMarkings = MaxStateGraphMarkings);

// The coverability graph (Karp-Miller, the ordinary net's firing rule) as a state graph: its nodes
// numbered breadth-first, unbounded counts OmegaTokens.
StateGraph CoverabilityStateGraph(const NetWorkType& net, std::size_t maxNodes = MaxStateGraphMarkings);

// The graph the State Graph window draws: the reachability graph, or where that is too large
// because some place grows without bound, the coverability graph when it fits. Otherwise the
// incomplete reachability graph, to be told by its bound.
StateGraph DrawnStateGraph(const NetWorkType& net);

// A point's name, or for one without a name "P" and its number for a place, "T" and its number
// for a transition.
std::string PetriPointLabel(const NetWorkType& net, int p);

// A marking as a sum of its places, "Ready + 2 Free" ("0" for none, "w Free" for an unbounded
// count), by PetriPointLabel.
std::string MarkingText(const StateGraph& graph, const NetWorkType& net, std::size_t marking);

// The graph in Graphviz's DOT: a box per marking labelled "M0" and its sum, the current one with a
// double border, dead ones filled red, unbounded ones blue; arcs labelled with their transitions'
// names.
std::string StateGraphDot(const StateGraph& graph, const NetWorkType& net);

// The net with `marking` as its tokens; a marking with an unbounded count is no marking of the
// net, and its unbounded places are left as they are.
void TakeMarking(NetWorkType& net, const StateGraph& graph, std::size_t marking);

} // namespace plax
