#include "max_flow_account.h"

#include "item_lines.h"
#include "procedure_texts.h"

#include "algorithms/reachability.h"

#include "model/adjacency_index.h"
#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <array>

namespace plax {

namespace {

// "  Flow( a, b)= f;" with the flow and its semicolon left-aligned in 8 characters, written in
// place.
char* PutFlowItem(char* o, int a, int b, double flow) {
    o = PutText(o, "  Flow(");
    o = WriteRightAligned(o, a, 2);
    *o++ = ',';
    o = WriteRightAligned(o, b, 2);
    o = PutText(o, ")= ");
    char* const start = o;
    o += WriteTrimmed(o, flow, 4);
    *o++ = ';';
    if (o - start < 8) o = std::fill_n(o, 8 - (o - start), ' ');
    return o;
}

void WriteFlows(ResultsSink& sink, const NetWorkType& net, const AdjacencyIndex& index, double value) {
    WriteSourceAndSink(sink, net.sourcePoint, net.sinkPoint);
    sink.AddLine("    Value of the Maximal Flow is equal to");
    WriteNumberLine(sink, "    ", value);
    sink.AddLine("    Values of the Edges Flow:");
    ListLines lines(sink, 3);
    const bool undirected = IsUndirected(net);
    for (int a = 1; a <= net.n; ++a) {
        for (int b = 1; b <= net.n; ++b) {
            if (!FlowListedPair(index, undirected, a, b)) continue;
            const double f = index.Flow(a, b);
            if (f == 0.0) continue;
            lines.Added(PutFlowItem(lines.Room(), a, b, f));
        }
    }
    lines.WriteCurrent();
    sink.AddLine("       Red Edge : Flow = Mark");
    sink.AddLine("      Blue Edge : Flow >= Mark/2");
    sink.AddLine("     Green Edge : Flow <= Mark/2");
    sink.AddLine("    Silver Edge : Flow = 0");
}

} // namespace

double MaximalFlow(NetWorkType& net, MarkingBuffer&, const std::string& fileName, ProcedureOutput out) {
    const bool withAccount = !fileName.empty();
    if (withAccount && !out.sink.OpenResults(net.name, fileName, out.messages)) return -1.0;
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (!withAccount && (t < 1 || t > MaxPoints || !ReachableFrom(net, s)[static_cast<std::size_t>(t)]))
        return -1.0;
    const bool clamped = StoreMaximalFlow(net, ComputeMaximalFlow(net));
    const AdjacencyIndex index(net);
    const double value = StoredFlowValue(net, index, s);
    if (withAccount) {
        WriteAccount(out.sink, out.messages, [&] {
            out.sink.WriteReportHeader("                Maximal Flow", net);
            WriteFlows(out.sink, net, index, value);
            if (clamped) out.sink.AddLine(StoredAtLargestLine);
        });
    }
    return value;
}

} // namespace plax
