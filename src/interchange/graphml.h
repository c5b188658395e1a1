#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// GraphML: a key for every attribute of the table, the graph's direction in its edgedefault, and
// a sub-net as the graph nested in its edge. networkx and igraph read it; they pass over the
// nested graphs.
std::string GraphMLText(const GraphDocument& graph);

// Reads GraphML into `graph`; answers why not, or an empty text. No DTD and so no entities are
// accepted, graphs nest at most as deep as sub-nets may, and markup inside a value is refused.
[[nodiscard]] std::string ReadGraphML(std::string_view bytes, GraphDocument& graph);

} // namespace plax
