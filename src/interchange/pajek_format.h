#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// Pajek's text network: "*Network", "*Vertices N" with "id label [x y [z]] [shape] [key value]..."
// lines, "*Arcs" / "*Edges" with "from to [weight] [key value]..." lines, "*Arcslist" /
// "*Edgeslist", "*Matrix", and '%' comments, as networkx, igraph and Pajek write them.
std::string ReadPajek(std::string_view bytes, GraphDocument& graph);
std::string PajekText(const GraphDocument& graph);

} // namespace plax
