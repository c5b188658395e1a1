#pragma once

#include "marking_graph.h"

#include "accounts/results_sink.h"
#include "algorithms/run_control.h"
#include "model/net_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plax {

inline constexpr const char* CoverabilityTitle = "        Coverability of the Petri Net";

// One arc of the coverability graph: node `from` fires `transition` (its point number) into `to`.
struct CoverArc {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    int transition = 0;
};

// What the Karp-Miller construction found from the net's current marking. Counts are those of
// the ordinary net, without the token game's ceiling, and Omega stands for a count that grows
// without bound. MarkingBound means the bound on stored nodes.
struct CoverabilityResult {
    std::vector<int> places;
    std::vector<std::uint16_t> initial;
    std::uint64_t nodes = 0;
    ExplorationEnd end = ExplorationEnd::Complete;
    std::vector<std::uint32_t> bound; // per place, over the nodes built; Omega when unbounded
    std::vector<int> dead;            // transitions that no node built enables
    // Kept only when asked for (the state graph): every node and arc built.
    std::vector<std::vector<std::uint32_t>> nodeMarkings;
    std::vector<CoverArc> arcs;
};

// Breadth-first Karp-Miller: a successor that covers a marking on its way from the initial one
// gets Omega wherever it exceeds it; equal nodes are one. Stores at most `maxNodes` nodes and
// polls `control`, so Stop ends it; running out of memory ends it as Stop would.
CoverabilityResult BuildCoverability(const NetWorkType& net, std::uint64_t maxNodes, RunControl& control,
                                     bool keepGraph = false);

// The account of a construction, after the header.
void WriteCoverability(ResultsSink& sink, const CoverabilityResult& result);

// The whole command: opens the Results window, builds the graph as a long run and writes it.
void CoverabilityAnalysis(NetWorkType& net, const std::string& fileName, std::uint64_t maxNodes,
                          ProcedureOutput out);

} // namespace plax
