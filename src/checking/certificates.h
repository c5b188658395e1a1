#pragma once

#include "algorithms/coloring.h"
#include "algorithms/euler.h"
#include "algorithms/point_set.h"
#include "algorithms/run_control.h"
#include "algorithms/spanning_tree.h"

#include "model/net_types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// Proofs that an answer is right, each checkable by hand without trusting the search that found
// the answer.

// The length an edge counts with in a shortest path: its weight, or for a decomposed edge the
// shortest path from point 1 to point 2 of its sub-net when there is one.
double PathLength(const NetWorkType& net, int from, int to);

// Distances from `source` that satisfy d(v) <= d(u) + length(u,v) on every edge; infinity where
// no path leads.
using DistanceLabels = std::array<double, MaxPoints + 1>;
DistanceLabels ComputeDistanceLabels(const NetWorkType& net, int source);

struct CutEdge {
    int from = 0;
    int to = 0;
    double capacity = 0.0;
};

// A cut between the net's source and sink whose capacity equals the maximal flow: the points
// the residual net still reaches from the source, and the edges leaving them.
struct MinimumCut {
    PointSet sourceSide = 0;
    std::vector<CutEdge> edges;
    double capacity = 0.0;
    double flowValue = 0.0;
};
MinimumCut ComputeMinimumCut(const NetWorkType& net);

// Why the chromatic number cannot be smaller: a clique of that size, an odd cycle when it is 3,
// or the size of the search that found no colouring with one colour less.
struct ChromaticProof {
    int chromatic = 0;
    PointColors coloring{};
    std::vector<int> clique;
    std::vector<int> oddCycle; // closed: its first point again at the end
    std::uint64_t searchNodes = 0;
    bool stopped = false;
};
ChromaticProof ProveChromatic(const NetWorkType& net, RunControl& control);

// Why no greater clique exists (of the net, or of its complement for independent sets): a
// proper colouring with as many colours as the clique has points, else the size of the search
// that found none with one point more.
struct CliqueProof {
    std::vector<int> clique;
    std::optional<PointColors> coloring;
    std::uint64_t searchNodes = 0;
    bool stopped = false;
};
CliqueProof ProveGreatestClique(const NeighbourSets& adjacent, int n, RunControl& control);

// A least colouring found by backtracking in point order: colours 1..k, or nothing within `k`.
std::optional<PointColors> ColorWith(const NeighbourSets& adjacent, int n, int k, std::uint64_t& nodes,
                                     RunControl& control);
int ChromaticNumber(const NeighbourSets& adjacent, int n, RunControl& control, PointColors& coloring);

// For a tree edge: the points on its side away from the tree's first point; every net edge
// between that side and the rest weighs at least as much as the tree edge.
struct TreeEdgeCut {
    SpanningTreeEdge edge;
    PointSet side = 0;
};
std::vector<TreeEdgeCut> TreeCuts(const std::vector<SpanningTreeEdge>& tree);

// A reason, found without a search, that no Hamiltonian cycle (or path) exists: a point with too
// few neighbours, a cut point, a bipartite imbalance. Undirected nets only.
std::optional<std::string> HamiltonianObstacle(const NetWorkType& net, bool cycle);
// Why no Eulerian walk of the kind exists: a point the walk cannot reach, or the degrees.
std::optional<std::string> EulerObstacle(const NetWorkType& net, bool cycle);
// The same for a walk search already run on the net.
std::optional<std::string> EulerObstacle(const NetWorkType& net, const EulerResult& found);

// The points that no longer reach each other when `p` (or the edge) is taken out, if any.
std::optional<std::pair<int, int>> SeparatedWithout(const NetWorkType& net, int p);
std::optional<std::pair<int, int>> SeparatedWithoutEdge(const NetWorkType& net, int from, int to);

// The proof lines that `plax-cli run NAME --certificate` prints after the Results text, for the
// net as the run left it (its source and sink picked). Empty when the procedure has none.
std::vector<std::string> CertificateLines(std::string_view procedureName, const NetWorkType& net,
                                          RunControl& control);

// Proof lines of the single kinds, as the checks show them.
std::vector<std::string> DistanceProofLines(const NetWorkType& net, int source);
std::vector<std::string> DistanceProofLines(const DistanceLabels& labels, int source, int n);
std::vector<std::string> CutProofLines(const MinimumCut& cut);
std::vector<std::string> ChromaticProofLines(const ChromaticProof& proof);
std::vector<std::string> CliqueProofLines(std::string_view what, const CliqueProof& proof, int n);
std::vector<std::string> TreeProofLines(const std::vector<SpanningTreeEdge>& tree);

} // namespace plax
