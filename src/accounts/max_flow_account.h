#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/max_flow.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// Computes the maximal flow and stores it in the edges' flow fields (on an undirected net the
// amount, whichever way it runs). With a file name it writes its account; `marks` is left alone.
// Answers the flow value, or -1 without a file name when the sink cannot be reached.
double MaximalFlow(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out);

} // namespace plax
