#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// Node-link JSON as networkx's node_link_data writes it: "directed", "multigraph", "graph",
// "nodes" with their "id", and "edges" and "links" (the names of newer and older networkx) with
// "source" and "target", attributes beside them. A
// sub-net is the node-link object "plax_subnet" of its link. Point ids are the numbers 1..N.
std::string NodeLinkJsonText(const GraphDocument& graph);

// Reads node-link JSON into `graph` ("links" or, as newer networkx writes, "edges"); answers why
// not, or an empty text.
[[nodiscard]] std::string ReadNodeLinkJson(std::string_view bytes, GraphDocument& graph);

} // namespace plax
