#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plax {

// carried[i][j]: how much flows from i to j along the edge between them. On an undirected net
// at most one of carried[i][j] and carried[j][i] is non-zero.
struct FlowTable {
    std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1> carried{};
    double value = 0.0;
};

// A maximal flow from the net's source to its sink, the weights taken as capacities, by
// breadth-first augmenting paths. The net is only read.
FlowTable ComputeMaximalFlow(const NetWorkType& net);

// Computes the maximal flow and stores it in the edges' flow fields (on an undirected net the
// amount, whichever way it runs). With a file name it writes its account; `marks` is left alone.
// Answers the flow value, or -1 without a file name when the sink cannot be reached.
double MaximalFlow(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out);

// Why the menu command refuses to start, if it does.
[[nodiscard]] std::optional<std::string> MaximalFlowRefusal(const NetWorkType& net);

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
std::vector<FlowEdgeColor> FlowColoring(const NetWorkType& net);

} // namespace plax
