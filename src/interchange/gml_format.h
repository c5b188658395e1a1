#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// GML as networkx and igraph write it: "graph [ directed 1 node [ id 0 label "a" graphics
// [ x 1.5 y 2 ] ] edge [ source 0 target 1 weight 3 ] ]", strings with HTML character references.
std::string ReadGml(std::string_view bytes, GraphDocument& graph);
std::string GmlText(const GraphDocument& graph);

} // namespace plax
