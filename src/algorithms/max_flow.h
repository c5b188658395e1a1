#pragma once

#include "model/adjacency_index.h"
#include "model/net_types.h"

#include <array>
#include <optional>
#include <vector>

namespace plax {

// carried[i][j]: how much flows from i to j along the edge between them. On an undirected net
// at most one of carried[i][j] and carried[j][i] is non-zero.
struct FlowTable {
    std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1> carried{};
    double value = 0.0;
};

// A maximal flow from the net's source to its sink, the weights taken as capacities, by
// breadth-first augmenting paths (Edmonds-Karp; on an undirected net a path may take flow back).
// The net is only read; a source or sink outside the net, or the same point, gives no flow.
// Cost: O(N * E²) augmentations at most, each an O(N²) search.
FlowTable ComputeMaximalFlow(const NetWorkType& net);

// Stores `flows` in the edges' flow fields (on an undirected net the amount, whichever way it
// runs) and clears their decomposed lengths. True when some flow was too large for the field and
// is held at the largest value. Cost: O(E).
bool StoreMaximalFlow(NetWorkType& net, const FlowTable& flows);

// The flow leaving `source` as the edges' flow fields hold it. Cost: O(N).
double StoredFlowValue(const NetWorkType& net, const AdjacencyIndex& index, int source);

// The pairs the flow listing and the colouring name: every edge of a directed net, each edge of
// an undirected one once, lower point first.
inline bool FlowListedPair(const AdjacencyIndex& index, bool undirected, int a, int b) {
    return a != b && (!undirected || a < b) && index.Exists(a, b);
}

// The colour an edge gets after a run, by its flow and its weight: red full, blue at least half
// full, green less, silver empty. An edge carrying more than its weight keeps its colour.
std::optional<Color> FlowColor(double flow, double weight);

struct FlowEdgeColor {
    int from = 0;
    int to = 0;
    Color color = 0;
    bool operator==(const FlowEdgeColor&) const = default;
};

// The colours of every edge the flow listing names (an undirected edge once, lower point first).
// Cost: O(N²).
std::vector<FlowEdgeColor> FlowColoring(const NetWorkType& net);

} // namespace plax
