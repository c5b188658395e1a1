#include "spanning_tree.h"

#include "algorithms/graph_utils.h"
#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <array>
#include <limits>
#include <vector>

namespace plax {

namespace {

// Above every weight a valid net can hold, so an edge of 1.0E38 still becomes a key.
constexpr double NoKey = std::numeric_limits<double>::infinity();

std::vector<SpanningTreeEdge> PrimTree(const NetWorkType& net) {
    std::array<double, MaxPoints + 1> key{};
    key.fill(NoKey);
    std::array<int, MaxPoints + 1> parent{};
    std::array<bool, MaxPoints + 1> inTree{};
    inTree[1] = true;
    for (const EdgeType& e : net.lists[1]) {
        key[e.target] = e.weight;
        parent[e.target] = 1;
    }
    std::vector<SpanningTreeEdge> tree;
    tree.reserve(MaxPoints);
    for (int added = 1; added < net.n; ++added) {
        // Less than or equal: the highest-numbered point wins a tie.
        int next = 0;
        double best = NoKey;
        for (int i = 1; i <= net.n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (!inTree[k] && key[k] <= best) {
                best = key[k];
                next = i;
            }
        }
        const auto k = static_cast<std::size_t>(next);
        tree.push_back({parent[k], next, key[k]});
        inTree[k] = true;
        for (const EdgeType& e : net.lists[k]) {
            if (!inTree[e.target] && key[e.target] > e.weight) {
                key[e.target] = e.weight;
                parent[e.target] = next;
            }
        }
    }
    return tree;
}

void WriteTree(ResultsSink& sink, const SpanningTreeResult& result) {
    const std::vector<SpanningTreeEdge>& tree = result.edges;
    std::string line = "    Min. Spanning Tree Weight = ";
    AppendResultNumber(line, result.weight);
    sink.AddLine(line);
    sink.AddLine("     Edges of Min. Spanning Tree:");
    ListLines lines(sink, 5);
    for (std::size_t k = 0; k < tree.size(); ++k) {
        line.assign("  (");
        AppendRightAligned(line, tree[k].from, 3);
        line.push_back(',');
        AppendRightAligned(line, tree[k].to, 3);
        line.append(k + 1 == tree.size() ? ")." : "),");
        lines.Add(line);
    }
    lines.Flush();
}

} // namespace

SpanningTreeResult ComputeMinSpanningTree(const NetWorkType& net) {
    SpanningTreeResult result;
    result.edges = PrimTree(net);
    for (const SpanningTreeEdge& e : result.edges)
        result.weight += e.weight;
    return result;
}

void MinSpanningTree(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                     ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    const SpanningTreeResult tree = ComputeMinSpanningTree(net);
    std::vector<EdgeMark> edges;
    edges.reserve(tree.edges.size());
    for (const SpanningTreeEdge& e : tree.edges)
        edges.push_back({static_cast<std::uint16_t>(e.from), static_cast<std::uint16_t>(e.to)});
    marks.Clear();
    marks.SetEdges(edges);
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Min. Spanning Tree", net);
        WriteTree(out.sink, tree);
    });
}

std::optional<std::string> SpanningTreeRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (net.n < 2 || EdgeCount(net) == 0) return std::string(NoMinimalTreeMessage);
    if (CountComponents(net).count > 1) return std::string(NetWorkNotConnectedMessage);
    return std::nullopt;
}

} // namespace plax
