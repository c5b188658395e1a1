#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// GEXF 1.1, 1.2 and 1.3 as Gephi and networkx write them: nodes and edges with their labels, the
// declared attributes' values, viz positions and colours, edge weights; written as GEXF 1.3.
// A node's y is read upwards, as Gephi draws it.
std::string ReadGexf(std::string_view bytes, GraphDocument& graph);
std::string GexfText(const GraphDocument& graph);

} // namespace plax
