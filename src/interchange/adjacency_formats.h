#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// An adjacency matrix as CSV (commas, semicolons or tabs): a header row of names, with or
// without an empty corner cell and a name at the head of each row, or numbers alone; a cell that
// is not 0 is an edge with that weight. Undirected when the matrix is symmetric; then each edge
// comes both ways, and the reader of the file keeps one (SettleDirection).
std::string ReadAdjacencyMatrix(std::string_view bytes, GraphDocument& graph);
std::string AdjacencyMatrixText(const GraphDocument& graph);

// networkx's adjacency list: each line a node and the neighbours listed after it, '#' comments.
// The file does not say its direction: undirected unless the reader is told otherwise.
std::string ReadAdjacencyList(std::string_view bytes, GraphDocument& graph);
std::string AdjacencyListText(const GraphDocument& graph);

} // namespace plax
