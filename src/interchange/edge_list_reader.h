#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// Reads an edge list into `graph`, in either of two forms:
// - the one this program exports: N, then "i,j,weight" lines, then "0","0","0" (the points are
//   1..N; the net is undirected when every edge has its reverse with the same weight);
// - lines "a b [weight]" with "#" comments, as networkx's write_weighted_edgelist writes them:
//   the nodes are the words a and b, the net undirected unless some pair appears both ways.
// Answers why not, or an empty text.
[[nodiscard]] std::string ReadEdgeList(std::string_view text, GraphDocument& graph);

} // namespace plax
