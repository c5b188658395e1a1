#include "spanning_tree_account.h"

#include "item_lines.h"

#include "model/text_utils.h"

#include <vector>

namespace plax {

namespace {

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

} // namespace plax
