#pragma once

#include "results_sink.h"

#include "algorithms/automorphisms.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// Lists every renumbering of the points that maps the edges onto edges, exchanging only points
// with equal invariants, as a long run that Stop ends. Nothing is marked.
void Automorphisms(NetWorkType& net, AutomorphismOrder order, const std::string& fileName,
                   ProcedureOutput out);

} // namespace plax
