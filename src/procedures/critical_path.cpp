#include "critical_path.h"

#include "algorithms/activity_net.h"
#include "algorithms/graph_utils.h"
#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"

#include "model/net_store.h"
#include "model/real48.h"
#include "model/text_utils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plax {

namespace {

// Above every time a valid net can produce, so jobs of 1.0E38 still get their true times.
constexpr double NoTime = std::numeric_limits<double>::infinity();
constexpr Color CriticalColor = 0x0000FF; // red
constexpr Color SlackColor = 0x008000;    // green
const std::string NoName = "No Name";

// Kahn's numbering with a last-in first-out stack from the source; the points in that order.
std::vector<int> TopologicalOrder(const NetWorkType& net) {
    std::array<int, MaxPoints + 1> in{};
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            ++in[e.target];
    }
    std::vector<int> order;
    PointStack stack;
    stack.Push(net.sourcePoint);
    while (!stack.Empty()) {
        const int u = stack.Top();
        stack.Pop();
        order.push_back(u);
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            if (--in[e.target] == 0) stack.Push(e.target);
        }
    }
    return order;
}

// Longest paths as shortest paths of negated lengths, negated back at the end, so that the
// walk back along the critical path can test its sums for equality exactly.
std::array<double, MaxPoints + 1> EarliestTimes(const NetWorkType& net, const std::vector<int>& order) {
    std::array<double, MaxPoints + 1> e{};
    e.fill(NoTime);
    e[net.sourcePoint] = 0.0;
    for (const int v : order) {
        for (int u = 1; u <= net.n; ++u) {
            if (u == v || !EdgeExists(net, u, v)) continue;
            const auto k = static_cast<std::size_t>(v);
            e[k] = std::min(e[k], e[static_cast<std::size_t>(u)] - GetEdgeReal(net, EdgeRealWeight, u, v));
        }
    }
    // 0 - x rather than -x, so that the source starts at 0 and not at minus zero.
    for (double& x : e)
        x = 0.0 - x;
    return e;
}

// Back from the sink, always to the lowest-numbered predecessor that gives the time exactly.
std::vector<int> LongestPath(const NetWorkType& net, const std::array<double, MaxPoints + 1>& e) {
    const int s = net.sourcePoint;
    std::vector<int> path{net.sinkPoint};
    std::array<bool, MaxPoints + 1> onPath{};
    onPath[net.sinkPoint] = true;
    while (path.back() != s) {
        const int cur = path.back();
        int next = 0;
        for (int u = 1; u <= net.n && next == 0; ++u) {
            const auto k = static_cast<std::size_t>(u);
            if (!onPath[k] && EdgeExists(net, u, cur) &&
                e[k] + GetEdgeReal(net, EdgeRealWeight, u, cur) == e[static_cast<std::size_t>(cur)])
                next = u;
        }
        if (next == 0) break; // only a net the command's tests refuse gets here
        onPath[static_cast<std::size_t>(next)] = true;
        path.push_back(next);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

std::array<double, MaxPoints + 1> LatestTimes(const NetWorkType& net, const std::vector<int>& order,
                                              const std::array<double, MaxPoints + 1>& earliest) {
    std::array<double, MaxPoints + 1> l{};
    l.fill(NoTime);
    const int t = net.sinkPoint;
    l[static_cast<std::size_t>(t)] = earliest[static_cast<std::size_t>(t)];
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (*it == t) continue;
        double best = NoTime;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(*it)]) {
            const double candidate = std::fabs(l[e.target] - e.weight);
            if (candidate < best) best = candidate;
        }
        l[static_cast<std::size_t>(*it)] = best;
    }
    return l;
}

double Reserve(const ActivitySchedule& s, int i, const EdgeType& e) {
    return std::fabs(s.latest[e.target] - (s.earliest[static_cast<std::size_t>(i)] + e.weight));
}

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
                         NumberColumn(s.latest[e.target] - e.weight) + NumberColumn(Reserve(s, i, e)));
        }
    }
}

// True when some reserve was too large for the flow field and is held at the largest value.
bool StoreReserves(NetWorkType& net, const ActivitySchedule& s) {
    bool clamped = false;
    for (int i = 1; i <= net.n; ++i) {
        for (EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            const double reserve = Reserve(s, i, e);
            e.flow = StorableReal48(reserve);
            clamped = clamped || e.flow != reserve;
        }
    }
    return clamped;
}

std::vector<GanttBar> GanttBars(const NetWorkType& net, const ActivitySchedule& s) {
    std::vector<GanttBar> bars;
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.weight == 0.0) continue;
            const double start = s.earliest[static_cast<std::size_t>(i)];
            const double reserve = Reserve(s, i, e);
            bars.push_back({"(" + std::to_string(i) + "," + std::to_string(e.target) + ") - " + e.name, start,
                            start + e.weight, reserve == 0.0 ? CriticalColor : SlackColor, reserve});
        }
    }
    return bars;
}

void ClearDecomposedLengths(NetWorkType& net) {
    for (int i = 1; i <= net.n; ++i) {
        for (EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            e.decomposedLength = 0.0;
    }
}

bool EndsAreValid(const NetWorkType& net) {
    return net.sourcePoint >= 1 && net.sourcePoint <= net.n && net.sinkPoint >= 1 && net.sinkPoint <= net.n;
}

} // namespace

std::string SourceAndSinkQuestion(int source, int sink) {
    return "The Source is Point " + std::to_string(source) + ". " + "The Sink is Point " +
           std::to_string(sink) + "." + "Do you wish to Continue?";
}

ActivitySchedule ComputeSchedule(const NetWorkType& net) {
    ActivitySchedule s;
    s.earliest.fill(NoTime);
    s.latest.fill(NoTime);
    if (!EndsAreValid(net)) return s;
    const std::vector<int> order = TopologicalOrder(net);
    s.earliest = EarliestTimes(net, order);
    s.path = LongestPath(net, s.earliest);
    s.latest = LatestTimes(net, order, s.earliest);
    return s;
}

double CriticalPath(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out,
                    const CriticalPathOptions& options) {
    if (fileName.empty()) {
        const bool ends = OneSourceOneSink(net, out.messages) || (net.sourcePoint == 1 && net.sinkPoint == 2);
        if (!ends || !EndsAreValid(net)) return -1.0;
        ClearDecomposedLengths(net);
        return ComputeSchedule(net).earliest[net.sinkPoint];
    }
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (options.selectConfirmation && !out.messages.Confirm(SourceAndSinkQuestion(s, t))) return -1.0;
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return -1.0;
    ClearDecomposedLengths(net);
    const ActivitySchedule schedule = ComputeSchedule(net);
    const bool clamped = StoreReserves(net, schedule);
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

std::optional<std::string> CriticalPathRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    return std::nullopt;
}

} // namespace plax
