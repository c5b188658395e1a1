#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/spanning_tree.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// Grows a spanning tree of least weight from point 1 (Prim), writes its weight and edges and
// marks the tree edges in the order they were taken.
void MinSpanningTree(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                     ProcedureOutput out);

} // namespace plax
