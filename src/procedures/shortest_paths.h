#pragma once

#include "marking_buffer.h"
#include "results_sink.h"

#include "model/net_types.h"
#include "model/user_messages.h"

#include <optional>
#include <string>

namespace plax {

enum class ShortestPathMode { SinglePair = 0, AllFromSource = 1 };

// From the net's source point to its sink (SinglePair) or to every point (AllFromSource).
// With a file name it writes its account and fills `marks`; it answers the distance to the sink,
// or -1 when the sink cannot be reached. Decomposed edges count, in SinglePair mode, as the
// shortest path from point 1 to point 2 of their sub-net; the lengths found stay in the edges'
// decomposed-length fields. Each sub-net is measured once a run; a single-pair run through
// sub-nets polls the sink and, when Stop ends it, writes the stop line and answers -1.
double ShortestPath(NetWorkType& net, ShortestPathMode mode, MarkingBuffer& marks,
                    const std::string& fileName, ProcedureOutput out);

// The same measurement with no account: the length from the net's source to its sink, or -1.
double MeasureShortestPath(NetWorkType& net);

// Why the menu command refuses to start, if it does.
std::optional<std::string> ShortestPathRefusal(const NetWorkType& net, ShortestPathMode mode);

} // namespace plax
