#pragma once

#include "graph_document.h"

#include "model/net_types.h"

#include <optional>
#include <string>
#include <vector>

namespace plax {

// The graph of a net: points as the nodes "1".."N" (a sub-net's carry the path of edges above
// them, "1-2/1"), every attribute the net stores, and the edges in the order a net file holds
// them, so that reading them back, each put at the head of its list as the net reader does,
// gives the same lists. With `withKept`, the attributes kept from an imported file follow the
// net's own (none that repeats a name already there). Nothing when sub-nets nest deeper than a
// net file allows.
std::optional<GraphDocument> GraphOfNet(const NetWorkType& net, bool withKept = false);

// What the user chose for a file that leaves it open: the edge attribute the weights are read
// from (empty: the guess of WeightAttributes) and, for files that cannot say, the direction.
struct ImportChoices {
    std::string weight;
    std::optional<bool> directed;
};

// The edge attributes that are numbers on every edge that has them, in order of first
// appearance, and the one taken as the weight when nobody chooses: "weight", else "capacity",
// "length", "label", "value", "cost" or "distance", the first the edges have; else none.
struct WeightAttributeList {
    std::vector<std::string> names;
    std::string guess;
};
WeightAttributeList WeightAttributes(const GraphDocument& graph);

// Fills `net` with the net the graph describes, or answers why there is none and leaves `net`
// as it was: nothing is half-loaded. A graph without a name takes `fallbackName`. Points are the
// nodes in file order, unless the ids are exactly the numbers 1..N, which then number the points.
// A node without a name is named by its label or its id; nodes without a position are placed on
// a circle, and positions that are not whole canvas coordinates are scaled into the canvas.
// Each point keeps its node's id. Attributes a net has no field for are kept with their
// elements when `keep` is set (the formats that can write them back), else passed over, and
// `passedOver` (when given) says which, one line each: "Passed over: node attribute population
// (5 nodes)".
[[nodiscard]] std::string NetOfGraph(const GraphDocument& graph, const OptionType& options,
                                     const std::string& fallbackName, NetWorkType& net,
                                     const ImportChoices& choices = {}, std::string* passedOver = nullptr,
                                     bool keep = false);

// The id each point of the net had in the file it was read from, point 1 first.
std::vector<std::string> PointIdsOf(const NetWorkType& net);

} // namespace plax
