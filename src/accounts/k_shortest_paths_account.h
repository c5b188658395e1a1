#pragma once

#include "results_sink.h"

#include "algorithms/k_shortest_paths.h"
#include "algorithms/word_stack.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// What the k shortest paths dialog asks for.
struct KShortestParameters {
    int k = 1;                // how many distinct lengths, 1..15
    int iterationLimit = 100; // sweeps allowed before giving up
    int showNumber = 1;       // the walk to mark, 1..k; 0 marks none
};

// The k smallest distinct lengths of walks from the net's source to its sink, each with one walk
// that has it. When `walkToShow` is given (it is not owned), it receives the walk numbered
// `showNumber` (the last one found when fewer were found) from the sink back to the point after
// the source, so popping it yields the walk forwards; it is left empty when that walk cannot be
// rebuilt.
void KShortestPaths(const NetWorkType& net, TMyWordStack* walkToShow, const std::string& fileName,
                    const KShortestParameters& parameters, ProcedureOutput out);

} // namespace plax
