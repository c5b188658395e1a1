#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

enum class HamiltonianMode { Cycle = 0, Path = 1 };

// Lists every Hamiltonian cycle or path that starts at the net's source point, as a long run that
// Stop ends. The last one found goes into the edge list of `marks`.
void Hamiltonian(NetWorkType& net, HamiltonianMode mode, MarkingBuffer& marks, const std::string& fileName,
                 ProcedureOutput out);

// The lightest cycle through every point from the net's source point: each strictly lighter one
// is written as it is found, the last one is marked.
void Salesman(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out);

// Why the menu commands refuse to start, if they do. The salesman uses the cycle test.
[[nodiscard]] std::optional<std::string> HamiltonianRefusal(const NetWorkType& net, HamiltonianMode mode);
[[nodiscard]] std::optional<std::string> SalesmanRefusal(const NetWorkType& net);

} // namespace plax
