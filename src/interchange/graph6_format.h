#pragma once

#include "graph_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace plax {

// graph6 (undirected) and digraph6 (directed, starting with '&'), as nauty and networkx write
// them: the first graph of the file, with or without the ">>graph6<<" header; a file with more
// says so in the document's note. Nodes are "0".."n-1", as networkx numbers them.
std::string ReadGraph6(std::string_view bytes, GraphDocument& graph);

// The net's line: graph6 for an undirected graph, digraph6 for a directed one; nothing when the
// graph's direction is not the one asked for.
std::optional<std::string> Graph6Text(const GraphDocument& graph, bool digraph);

} // namespace plax
