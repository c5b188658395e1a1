#include "critical_path_account.h"

#include "item_lines.h"
#include "procedure_texts.h"

#include "accounts/activity_net_checks.h"
#include "algorithms/graph_utils.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <cmath>

namespace plax {

namespace {

constexpr Color CriticalColor = 0x0000FF; // red
constexpr Color SlackColor = 0x008000;    // green
const std::string NoName = "No Name";

std::string Number(int p, std::size_t width) { return PadLeft(std::to_string(p), width); }
std::string Time(double value) { return ResultNumber(std::fabs(value)); }
std::string Column(const std::string& text) { return PadLeft(text, 12); }
std::string NumberColumn(double value) { return CellRight(Time(value), 12); }

// The layout of the path lists: 14 entries to a line, ", " between and "." after the last, and a
// line of four blanks after a last line that is not full. Edge lists count from 2.
void WritePathList(ResultsSink& sink, const std::vector<std::string>& entries, std::size_t firstCount) {
    ListLines lines(sink, 14, firstCount);
    for (std::size_t k = 0; k < entries.size(); ++k)
        lines.Add(entries[k] + (k + 1 == entries.size() ? "." : ", "));
    lines.Flush();
    if ((entries.size() + firstCount - 1) % 14 != 0) sink.AddLine("    ");
}

void WritePath(ResultsSink& sink, const NetWorkType& net, const ActivitySchedule& s, std::size_t width) {
    const std::string ends =
        "    Critical Path from " + Number(net.sourcePoint, width) + " to " + Number(net.sinkPoint, width);
    sink.AddLine(ends + " has Length : " + Time(s.earliest[net.sinkPoint]));
    sink.AddLine(ends + " :");
    std::vector<std::string> numbers;
    std::vector<std::string> pointNames;
    std::vector<std::string> edgeNames;
    for (std::size_t k = 0; k < s.path.size(); ++k) {
        numbers.push_back(Number(s.path[k], 3));
        pointNames.push_back(net.points[static_cast<std::size_t>(s.path[k])].name);
        if (k > 0) edgeNames.push_back(GetEdgeName(net, s.path[k - 1], s.path[k]));
    }
    WritePathList(sink, numbers, 1);
    if (std::find(pointNames.begin(), pointNames.end(), NoName) == pointNames.end()) {
        sink.AddLine("    Critical Path by Name of Points");
        WritePathList(sink, pointNames, 1);
    }
    if (std::find(edgeNames.begin(), edgeNames.end(), NoName) == edgeNames.end()) {
        sink.AddLine("    Critical Path by Name of Edges");
        WritePathList(sink, edgeNames, 2);
    }
}

void WriteTables(ResultsSink& sink, const NetWorkType& net, const ActivitySchedule& s, std::size_t width) {
    sink.AddLine("");
    sink.AddLine("                    Events");
    sink.AddLine(PadLeft("                    Event", 28) + Column("    E.Start") + Column("    L.Start") +
                 Column("    Reserve"));
    for (int i = 1; i <= net.n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        sink.AddLine(PadLeft(net.points[k].name + " (" + Number(i, width) + ")", 28) +
                     NumberColumn(s.earliest[k]) + NumberColumn(s.latest[k]) +
                     NumberColumn(s.latest[k] - s.earliest[k]));
    }
    sink.AddLine("");
    sink.AddLine("");
    sink.AddLine("                    Jobs");
    sink.AddLine(PadLeft("                        Job", 28) + Column("      Length") + Column("    E.Start") +
                 Column("    L.Start") + Column("    Reserve"));
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            sink.AddLine(PadLeft(e.name + " (" + Number(i, width) + "," + Number(e.target, width) + ")", 28) +
                         NumberColumn(e.weight) + NumberColumn(s.earliest[static_cast<std::size_t>(i)]) +
                         NumberColumn(s.latest[e.target] - e.weight) +
                         NumberColumn(ActivityReserve(s, i, e)));
        }
    }
}

} // namespace

std::string SourceAndSinkQuestion(int source, int sink) {
    return "The Source is Point " + std::to_string(source) + ". " + "The Sink is Point " +
           std::to_string(sink) + "." + "Do you wish to Continue?";
}

std::vector<GanttBar> GanttBars(const NetWorkType& net, const ActivitySchedule& s) {
    std::vector<GanttBar> bars;
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.weight == 0.0) continue;
            const double start = s.earliest[static_cast<std::size_t>(i)];
            const double reserve = ActivityReserve(s, i, e);
            bars.push_back({"(" + std::to_string(i) + "," + std::to_string(e.target) + ") - " + e.name, start,
                            start + e.weight, reserve == 0.0 ? CriticalColor : SlackColor, reserve});
        }
    }
    return bars;
}

double CriticalPath(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out,
                    const CriticalPathOptions& options) {
    if (fileName.empty()) {
        const bool ends = OneSourceOneSink(net, out.messages) || (net.sourcePoint == 1 && net.sinkPoint == 2);
        return ends ? MeasureCriticalPath(net) : -1.0;
    }
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (options.selectConfirmation && !out.messages.Confirm(SourceAndSinkQuestion(s, t))) return -1.0;
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return -1.0;
    ClearDecomposedLengths(net);
    const ActivitySchedule schedule = ComputeSchedule(net);
    const bool clamped = StoreActivityReserves(net, schedule);
    std::vector<EdgeMark> pathEdges;
    for (std::size_t k = 1; k < schedule.path.size(); ++k) {
        pathEdges.push_back(
            {static_cast<std::uint16_t>(schedule.path[k - 1]), static_cast<std::uint16_t>(schedule.path[k])});
    }
    marks.Clear();
    marks.SetEdges(pathEdges);
    const std::size_t width = net.n < 10 ? 1 : 2;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Critical Path", net);
        out.sink.AddLine("    Source = " + std::to_string(s) + "    Sink = " + std::to_string(t));
        WritePath(out.sink, net, schedule, width);
        WriteTables(out.sink, net, schedule, width);
        if (clamped) out.sink.AddLine(StoredAtLargestLine);
        out.sink.AddLine("");
    });
    if (options.showGantt && out.messages.Confirm(GanttChartQuestion))
        options.showGantt(GanttBars(net, schedule));
    return schedule.earliest[static_cast<std::size_t>(t)];
}

} // namespace plax
