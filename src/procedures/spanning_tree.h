#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>
#include <vector>

namespace plax {

inline constexpr const char* NoMinimalTreeMessage = "There isnt Minimal Tree! Trivial NetWork.";
inline constexpr const char* NetWorkNotConnectedMessage =
    "NetWork not connected.\r\n    Procedure terminated! ";

struct SpanningTreeEdge {
    int from = 0;
    int to = 0;
    double weight = 0.0;
    bool operator==(const SpanningTreeEdge&) const = default;
};

struct SpanningTreeResult {
    std::vector<SpanningTreeEdge> edges; // in the order they were taken
    double weight = 0.0;
};

// Prim's tree from point 1; on a tie the highest-numbered point is taken first.
SpanningTreeResult ComputeMinSpanningTree(const NetWorkType& net);

// Grows a spanning tree of least weight from point 1 (Prim), writes its weight and edges and
// marks the tree edges in the order they were taken.
void MinSpanningTree(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                     ProcedureOutput out);

// Why the menu command refuses to start, if it does. (The menu offers it for undirected nets
// only; that is the caller's test.)
[[nodiscard]] std::optional<std::string> SpanningTreeRefusal(const NetWorkType& net);

} // namespace plax
