#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/metrics.h"

#include "model/net_types.h"

#include <cstdint>
#include <string>

namespace plax {

// The marks of a connected undirected net: centre points green, diameter points red.
inline constexpr Color CentreColor = 0x008000;
inline constexpr std::uint16_t CentreColorIndex = 2;
inline constexpr Color DiameterColor = 0x0000FF;
inline constexpr std::uint16_t DiameterColorIndex = 9;

// Quick Metrics: components, radius and diameter, regularity, the degree table and the sorted
// degrees. Marks the centre and diameter points of a connected undirected net once the whole
// account is written.
void QuickMetrics(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                  ProcedureOutput out);

} // namespace plax
