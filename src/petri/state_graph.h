#pragma once

#include "model/net_types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plax {

// The most markings a state graph is drawn with; larger graphs are told by their count.
inline constexpr std::size_t MaxStateGraphMarkings = 500;

struct StateGraphMarking {
    std::vector<std::uint16_t> tokens; // in the order of StateGraph::places
    int layer = 0;                     // the fewest firings that reach it
    bool dead = false;                 // no transition is enabled
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
    bool complete = true; // false: the graph holds more markings than it was allowed
};

// Breadth-first with the firing rule of the token game (ceiling included), keeping at most
// `maxMarkings` markings. Cost: O(M · T · N) for M markings and T transitions.
StateGraph ExploreStateGraph(const NetWorkType& net, std::size_t maxMarkings = MaxStateGraphMarkings);

// A point's name, or for one without a name "P" and its number for a place, "T" and its number
// for a transition.
std::string PetriPointLabel(const NetWorkType& net, int p);

// A marking as a sum of its places, "Ready + 2 Free" ("0" for none), by PetriPointLabel.
std::string MarkingText(const StateGraph& graph, const NetWorkType& net, std::size_t marking);

// The graph in Graphviz's DOT: a box per marking labelled "M0" and its sum, the current one with a
// double border, dead ones filled; arcs labelled with their transitions' names.
std::string StateGraphDot(const StateGraph& graph, const NetWorkType& net);

// The net with `marking` as its tokens.
void TakeMarking(NetWorkType& net, const StateGraph& graph, std::size_t marking);

} // namespace plax
