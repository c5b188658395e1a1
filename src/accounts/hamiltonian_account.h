#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/tour_search.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// Lists every Hamiltonian cycle or path that starts at the net's source point, as a long run that
// Stop ends. The last one found goes into the edge list of `marks`.
void Hamiltonian(NetWorkType& net, HamiltonianMode mode, MarkingBuffer& marks, const std::string& fileName,
                 ProcedureOutput out);

// The lightest cycle through every point from the net's source point: each strictly lighter one
// is written as it is found, the last one is marked.
void Salesman(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out);

} // namespace plax
