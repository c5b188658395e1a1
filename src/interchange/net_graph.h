#pragma once

#include "graph_document.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

// The graph of a net: points as the nodes "1".."N" (a sub-net's carry the path of edges above
// them, "1-2/1"), every attribute the net stores, and the edges in the order a net file holds
// them, so that reading them back, each put at the head of its list as the net reader does,
// gives the same lists. Nothing when sub-nets nest deeper than a net file allows.
std::optional<GraphDocument> GraphOfNet(const NetWorkType& net);

// Fills `net` with the net the graph describes, or answers why there is none and leaves `net`
// as it was: nothing is half-loaded. A graph without a name takes `fallbackName`. Points are the
// nodes in file order, unless the ids are exactly the numbers 1..N, which then number the points.
// A node without a name is named by its id; nodes without a position are placed on a circle.
[[nodiscard]] std::string NetOfGraph(const GraphDocument& graph, const OptionType& options,
                                     const std::string& fallbackName, NetWorkType& net);

} // namespace plax
