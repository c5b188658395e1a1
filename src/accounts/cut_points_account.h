#pragma once

#include "results_sink.h"

#include "algorithms/cut_points.h"
#include "algorithms/marking_buffer.h"

#include "model/net_types.h"

#include <cstdint>
#include <string>

namespace plax {

// Cut points are marked in this colour, bridges are handed back as the edge list.
inline constexpr Color CutPointColor = 0x0000FF;
inline constexpr std::uint16_t CutPointColorIndex = 9;

// Lists the cut points or bridges (the last found first) and marks them once the whole account
// is written.
void CutPointsAndBridges(const NetWorkType& net, CutSearchMode mode, MarkingBuffer& marks,
                         const std::string& fileName, ProcedureOutput out);

} // namespace plax
