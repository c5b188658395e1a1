#pragma once

#include "results_sink.h"

#include "algorithms/density.h"
#include "algorithms/marking_buffer.h"

#include "model/net_types.h"

#include <string>

namespace plax {

inline constexpr const char* TrivialGraphMessage = "Trivial Graph. Procedure terminated!";

// Greatest clique, greatest independent set, smallest point cover or a minimal colouring with the
// chromatic number, as a long run with a gauge that Stop ends. Marks the points found (colour
// index 9) or the colour classes.
void Density(NetWorkType& net, DensityMode mode, MarkingBuffer& marks, const std::string& fileName,
             ProcedureOutput out);

// The two fast colourings: 1 greedy in point order, 2 repeated recolouring. Marks the colours.
void QuickColor(const NetWorkType& net, int variant, MarkingBuffer& marks, const std::string& fileName,
                ProcedureOutput out);

// The coloured points in rows of fourteen: point numbers, colours, and a line of two blanks.
void WriteColorTable(ResultsSink& sink, const PointColors& color, int n);

} // namespace plax
