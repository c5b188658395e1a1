#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/max_capacity_path.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// Writes the largest capacity with which the net's source reaches its sink to the Results
// window; marks nothing. Answers the capacity.
double MaxCapacityPath(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                       ProcedureOutput out);

} // namespace plax
