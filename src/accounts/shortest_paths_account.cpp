#include "shortest_paths_account.h"

#include "item_lines.h"
#include "procedure_texts.h"

#include "model/text_utils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace plax {

namespace {

constexpr const char* SinglePairTitle = "                Shortest Path ";
constexpr const char* AllFromSourceTitle = "        All Shortest Path  from Source";
constexpr const char* DecompositionWarningLine = "    Warning about decomposition of the Edges";

// All Shortest Path from a source that reaches no point; the warning box shows 28 characters.
std::string NoPathsFromMessage(int source) {
    return CutText("There aren`t Paths from " + std::to_string(source), 28);
}

// " ( a, b) ", each point as the lists of items write it, written in place.
char* PutPointPair(char* o, int a, int b) {
    o = PutText(o, " (");
    o = WriteRightAligned(o, a, 2);
    *o++ = ',';
    o = WriteRightAligned(o, b, 2);
    o = PutText(o, ") ");
    return o;
}

void WriteSinglePair(ResultsSink& sink, const NetWorkType& net, const ShortestPathsResult& r,
                     MarkingBuffer& marks) {
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    std::array<EdgeMark, MaxPoints> edges{};
    std::size_t size = 0;
    for (std::size_t k = 1; k < r.path.size() && size < edges.size(); ++k)
        edges[size++] = {static_cast<std::uint16_t>(r.path[k - 1]), static_cast<std::uint16_t>(r.path[k])};
    WriteSourceAndSink(sink, s, t);
    std::string& line = sink.ScratchLine();
    line.assign("    Shortest Path  from Source (");
    AppendRightAligned(line, s, 0);
    line.append(") to Sink (");
    AppendRightAligned(line, t, 0);
    line.append(") has Length : ");
    AppendResultNumber(line, r.distance[static_cast<std::size_t>(t)]);
    sink.AddLine(line);
    line.assign("    Path from ");
    AppendRightAligned(line, s, 0);
    line.append(" to Sink ");
    AppendRightAligned(line, t, 0);
    line.append(" :");
    sink.AddLine(line);
    if (!r.noPathSubNets.empty()) {
        sink.AddLine("    ");
        sink.AddLine(DecompositionWarningLine);
        for (const std::string& name : r.noPathSubNets)
            sink.AddLine("    No Path in decomposition of the " + name + "!");
        sink.AddLine("    ");
    }
    ListLines lines(sink, 5);
    for (std::size_t k = 1; k < r.path.size(); ++k)
        lines.Added(PutPointPair(lines.Room(), r.path[k - 1], r.path[k]));
    lines.Flush();
    marks.SetEdges(std::span(edges).first(size));
}

void WriteAllFromSource(ResultsSink& sink, const NetWorkType& net, const ShortestPathsResult& r,
                        MarkingBuffer& marks) {
    const int s = net.sourcePoint;
    std::string& line = sink.ScratchLine();
    line.assign("    Source = ");
    AppendRightAligned(line, s, 0);
    sink.AddLine(line);
    line.assign("    The Lengths of the Shortest Paths from ");
    AppendRightAligned(line, s, 0);
    line.append(" to other Points :");
    sink.AddLine(line);
    ListLines lines(sink, 3);
    // " (  i) " and the length left-aligned in 15, written in place.
    for (int i = 1; i <= net.n; ++i) {
        if (i == s) continue;
        const double dist = r.distance[static_cast<std::size_t>(i)];
        char* o = lines.Room();
        *o++ = ' ';
        *o++ = '(';
        o = WriteRightAligned(o, i, 3);
        *o++ = ')';
        *o++ = ' ';
        char* const start = o;
        constexpr std::string_view NoPath = "No Path";
        o = dist == UnreachedDistance ? std::copy(NoPath.begin(), NoPath.end(), o)
                                      : o + WriteTrimmed(o, dist, 4);
        if (o - start < 15) o = std::fill_n(o, 15 - (o - start), ' ');
        lines.Added(o);
    }
    lines.Flush();
    std::array<EdgeMark, MaxPoints> tree{};
    std::size_t size = 0;
    for (int i = 1; i <= net.n; ++i) {
        const int p = r.predecessor[static_cast<std::size_t>(i)];
        if (p != 0) tree[size++] = {static_cast<std::uint16_t>(p), static_cast<std::uint16_t>(i)};
    }
    marks.SetEdges(std::span(tree).first(size));
}

void WriteStopped(ResultsSink& sink, UserMessages& messages, const NetWorkType& net) {
    WriteAccountOwnEnding(sink, messages, [&] {
        sink.WriteReportHeader(SinglePairTitle, net);
        WriteSourceAndSink(sink, net.sourcePoint, net.sinkPoint);
        sink.AddLine(ProcedureTerminatedLine);
    });
}

} // namespace

double ShortestPath(NetWorkType& net, ShortestPathMode mode, MarkingBuffer& marks,
                    const std::string& fileName, ProcedureOutput out) {
    if (fileName.empty()) return MeasureShortestPath(net);
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return -1.0;
    const ShortestPathsResult r = ComputeShortestPaths(net, mode, out.sink);
    if (!r.reached) {
        if (mode == ShortestPathMode::AllFromSource)
            out.messages.Warning(NoPathsFromMessage(net.sourcePoint));
        return -1.0;
    }
    if (r.stopped) {
        WriteStopped(out.sink, out.messages, net);
        return -1.0;
    }
    WriteAccount(out.sink, out.messages, [&] {
        if (mode == ShortestPathMode::SinglePair) {
            out.sink.WriteReportHeader(SinglePairTitle, net);
            WriteSinglePair(out.sink, net, r, marks);
        } else {
            out.sink.WriteReportHeader(AllFromSourceTitle, net);
            WriteAllFromSource(out.sink, net, r, marks);
        }
    });
    return mode == ShortestPathMode::SinglePair ? r.distance[static_cast<std::size_t>(net.sinkPoint)] : 0.0;
}

} // namespace plax
