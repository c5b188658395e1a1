#pragma once

#include "accounts/results_sink.h"
#include "algorithms/word_stack.h"

#include "model/net_types.h"

#include <optional>
#include <string>
#include <vector>

namespace plax {

// What the k shortest paths dialog asks for.
struct KShortestParameters {
    int k = 1;                // how many distinct lengths, 1..15
    int iterationLimit = 100; // sweeps allowed before giving up
    int showNumber = 1;       // the walk to mark, 1..k; 0 marks none
};

struct KShortestResult {
    bool converged = false;              // false when the iteration limit was passed first
    std::vector<double> lengths;         // the distinct lengths found, at most k, increasing
    std::vector<std::vector<int>> walks; // a walk of each length, source to sink; empty when it
                                         // cannot be rebuilt
};

// The sweeps alone, from the net's source to its sink (which must be two points of the net).
KShortestResult ComputeKShortestPaths(const NetWorkType& net, int k, int iterationLimit);

// The k smallest distinct lengths of walks from the net's source to its sink, each with one walk
// that has it, by a double sweep over vectors of the k best values per point. When `walkToShow`
// is given (it is not owned), it receives the walk numbered `showNumber` (the last one found
// when fewer were found) from the sink back to the point after the source, so popping it yields
// the walk forwards; it is left empty when that walk cannot be rebuilt.
void KShortestPaths(const NetWorkType& net, TMyWordStack* walkToShow, const std::string& fileName,
                    const KShortestParameters& parameters, ProcedureOutput out);

// Why the menu command refuses to start, if it does.
[[nodiscard]] std::optional<std::string> KShortestPathsRefusal(const NetWorkType& net);

} // namespace plax
