#include "spanning_tree_account.h"

#include "item_lines.h"

#include "model/text_utils.h"

#include <array>
#include <span>
#include <vector>

namespace plax {

namespace {

void WriteTree(ResultsSink& sink, const SpanningTreeResult& result) {
    const std::vector<SpanningTreeEdge>& tree = result.edges;
    WriteNumberLine(sink, "    Min. Spanning Tree Weight = ", result.weight);
    sink.AddLine("     Edges of Min. Spanning Tree:");
    ListLines lines(sink, 5);
    for (std::size_t k = 0; k < tree.size(); ++k) {
        // "  ( 12, 13),", written in place.
        char* o = PutText(lines.Room(), "  (");
        o = WriteRightAligned(o, tree[k].from, 3);
        *o++ = ',';
        o = WriteRightAligned(o, tree[k].to, 3);
        o = PutText(o, k + 1 == tree.size() ? ")." : "),");
        lines.Added(o);
    }
    lines.Flush();
}

} // namespace

void MinSpanningTree(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                     ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    const SpanningTreeResult tree = ComputeMinSpanningTree(net);
    // A tree has fewer edges than the net has points.
    std::array<EdgeMark, MaxPoints> edges{};
    std::size_t size = 0;
    for (const SpanningTreeEdge& e : tree.edges) {
        if (size < edges.size())
            edges[size++] = {static_cast<std::uint16_t>(e.from), static_cast<std::uint16_t>(e.to)};
    }
    marks.Clear();
    marks.SetEdges(std::span(edges).first(size));
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Min. Spanning Tree", net);
        WriteTree(out.sink, tree);
    });
}

} // namespace plax
