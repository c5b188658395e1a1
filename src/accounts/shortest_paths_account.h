#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/shortest_paths.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// From the net's source point to its sink (SinglePair) or to every point (AllFromSource).
// With a file name it writes its account and fills `marks`; it answers the distance to the sink,
// or -1 when the sink cannot be reached. Without one it only measures. A single-pair run through
// sub-nets polls the sink and, when Stop ends it, writes the stop line and answers -1.
double ShortestPath(NetWorkType& net, ShortestPathMode mode, MarkingBuffer& marks,
                    const std::string& fileName, ProcedureOutput out);

} // namespace plax
