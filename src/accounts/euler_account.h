#pragma once

#include "results_sink.h"

#include "algorithms/euler.h"
#include "algorithms/marking_buffer.h"

#include "model/net_types.h"

#include <cstdint>
#include <string>

namespace plax {

// Points that break the degree condition are marked in this colour.
inline constexpr Color EulerViolationColor = 0x0000FF;
inline constexpr std::uint16_t EulerViolationColorIndex = 9;

// Finds an Eulerian cycle (from point 1) or path (from the highest-numbered start candidate)
// and writes its points. Answers whether it wrote that account; otherwise a warning was shown:
// the net is not connected, or its degrees allow no such walk (then the offending points are in
// `marks`), or no Results window could be made.
bool Euler(const NetWorkType& net, EulerMode mode, MarkingBuffer& marks, const std::string& fileName,
           ProcedureOutput out);

} // namespace plax
