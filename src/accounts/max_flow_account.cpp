#include "max_flow_account.h"

#include "item_lines.h"
#include "procedure_texts.h"

#include "algorithms/reachability.h"

#include "model/adjacency_index.h"
#include "model/net_store.h"
#include "model/text_utils.h"

namespace plax {

namespace {

// "  Flow( a, b)= f;" with the flow and its semicolon left-aligned in 8 characters.
void AppendFlowItem(std::string& item, int a, int b, double flow) {
    item.assign("  Flow(");
    AppendRightAligned(item, a, 2);
    item.push_back(',');
    AppendRightAligned(item, b, 2);
    item.append(")= ");
    const std::size_t start = item.size();
    AppendResultNumber(item, flow);
    item.push_back(';');
    if (item.size() - start < 8) item.append(8 - (item.size() - start), ' ');
}

void WriteFlows(ResultsSink& sink, const NetWorkType& net, const AdjacencyIndex& index, double value) {
    WriteSourceAndSink(sink, net.sourcePoint, net.sinkPoint);
    sink.AddLine("    Value of the Maximal Flow is equal to");
    WriteNumberLine(sink, "    ", value);
    sink.AddLine("    Values of the Edges Flow:");
    ListLines lines(sink, 3);
    const bool undirected = IsUndirected(net);
    std::string item;
    for (int a = 1; a <= net.n; ++a) {
        for (int b = 1; b <= net.n; ++b) {
            if (!FlowListedPair(index, undirected, a, b)) continue;
            const double f = index.Flow(a, b);
            if (f == 0.0) continue;
            AppendFlowItem(item, a, b, f);
            lines.Add(item);
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
    const PointFlags reached = ReachableFrom(net, s);
    if (!withAccount && (t < 1 || t > MaxPoints || !reached[static_cast<std::size_t>(t)])) return -1.0;
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
