#include "run_command.h"

#include "cli.h"
#include "net_json.h"

#include "procedures/activity_net.h"
#include "procedures/automorphisms.h"
#include "procedures/critical_path.h"
#include "procedures/cut_points.h"
#include "procedures/density.h"
#include "procedures/euler.h"
#include "procedures/hamiltonian.h"
#include "procedures/k_shortest_paths.h"
#include "procedures/max_capacity_path.h"
#include "procedures/max_flow.h"
#include "procedures/metrics.h"
#include "procedures/net_info.h"
#include "procedures/spanning_tree.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <ostream>

namespace plax::cli {

namespace {

// The menu offers the spanning tree for undirected nets only and the critical path for directed
// ones only; the command line says so instead of greying an item out.
std::optional<std::string> KindRefusal(std::string_view name, const NetWorkType& net, bool directed) {
    if (IsUndirected(net) != directed) return std::nullopt;
    return "plax-cli: " + std::string(name) + " is offered for " + (directed ? "directed" : "undirected") +
           " nets only";
}

// The menu offers cut points, bridges, the clique, cover and colouring commands only for nets
// that are not directed.
std::optional<std::string> NotDirectedRefusal(std::string_view name, const NetWorkType& net) {
    if (net.kindName != NetKind[DirNetCode]) return std::nullopt;
    return KindRefusal(name, net, false);
}

ProcedureCommand ShortestPathCommand(std::string_view name, Picks picks, ShortestPathMode mode) {
    return {name, picks, [mode](const NetWorkType& net) { return ShortestPathRefusal(net, mode); },
            [mode](RunContext& c) {
                ShortestPath(c.net, mode, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand MetricsCommand() {
    return {"metrics", Picks::None, QuickMetricsRefusal, [](RunContext& c) {
                QuickMetrics(c.net, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

// The menu offers Cut Points and Bridges only for nets that are not directed.
ProcedureCommand CutPointsCommand(std::string_view name, CutSearchMode mode) {
    return {name, Picks::None,
            [name](const NetWorkType& net) {
                if (auto kind = NotDirectedRefusal(name, net)) return kind;
                return CutPointsRefusal(net);
            },
            [mode](RunContext& c) {
                CutPointsAndBridges(c.net, mode, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand EulerCommand(std::string_view name, EulerMode mode) {
    return {name, Picks::None, EulerRefusal, [mode](RunContext& c) {
                return static_cast<int>(Euler(c.net, mode, c.marks, c.fileName, c.out) ? ExitDone
                                                                                       : ExitRefused);
            }};
}

ProcedureCommand InfoCommand() {
    return {"info", Picks::None, GetInfoRefusal, [](RunContext& c) {
                GetInfo(c.net, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand SpanningTreeCommand() {
    return {"spanning-tree", Picks::None,
            [](const NetWorkType& net) {
                if (auto kind = KindRefusal("spanning-tree", net, false)) return kind;
                return SpanningTreeRefusal(net);
            },
            [](RunContext& c) {
                MinSpanningTree(c.net, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand MaxFlowCommand() {
    return {"max-flow", Picks::SourceAndSink, MaximalFlowRefusal, [](RunContext& c) {
                MaximalFlow(c.net, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

// What the desktop program draws in a window, the command line lists on standard error.
void PrintEdges(const std::string& heading, const std::vector<EdgeMark>& edges, std::ostream& err) {
    err << heading << '\n';
    for (const EdgeMark& e : edges)
        err << "edge " << e.from << ' ' << e.to << '\n';
}

void PrintGantt(const std::vector<GanttBar>& bars, std::ostream& err) {
    err << "gantt:\n";
    for (const GanttBar& b : bars) {
        const std::string color = ColorText(b.color);
        err << "bar " << ResultNumber(b.start) << ' ' << ResultNumber(b.end) << ' ' << color << ' '
            << ResultNumber(b.reserve) << ' ' << b.label << '\n';
    }
}

// Without --yes the run goes as with "Select Confirmation" off and the Gantt chart is not offered.
ProcedureCommand CriticalPathCommand() {
    return {"critical-path", Picks::None,
            [](const NetWorkType& net) {
                if (auto kind = KindRefusal("critical-path", net, true)) return kind;
                return CriticalPathRefusal(net);
            },
            [](RunContext& c) {
                std::vector<EdgeMark> cycle;
                if (!ActivityNetReady(c.net, c.out.messages, cycle)) {
                    if (!cycle.empty()) PrintEdges("cycle:", cycle, c.err);
                    return static_cast<int>(ExitRefused);
                }
                CriticalPathOptions options;
                options.selectConfirmation = c.inv.Has("--yes");
                if (options.selectConfirmation)
                    options.showGantt = [&c](const std::vector<GanttBar>& bars) { PrintGantt(bars, c.err); };
                const double length = CriticalPath(c.net, c.marks, c.fileName, c.out, options);
                return static_cast<int>(length == -1.0 ? ExitRefused : ExitDone);
            }};
}

// --k, --iterations and --show as the k shortest paths dialog takes them.
std::optional<KShortestParameters> KShortestOptions(const Invocation& inv, std::ostream& err) {
    KShortestParameters p;
    const auto read = [&](const char* option, long long lo, long long hi, int& value) {
        if (!inv.Value(option)) return true;
        const auto v = NumberOption(inv, option, lo, hi, err);
        if (v) value = static_cast<int>(*v);
        return v.has_value();
    };
    if (!read("--k", 1, MaxPoints, p.k) || !read("--iterations", 100, 10000, p.iterationLimit) ||
        !read("--show", 0, p.k, p.showNumber))
        return std::nullopt;
    return p;
}

// The walk as the document window draws it: from the source to each point popped in turn. A walk
// may pass a point more than once, so it can have more steps than the net has points.
void MarkWalk(TMyWordStack& walk, int source, MarkingBuffer& marks) {
    std::vector<EdgeMark> edges;
    int previous = source;
    while (!walk.IsEmpty()) {
        const int p = walk.Pop();
        if (edges.size() < MaxPoints)
            edges.push_back({static_cast<std::uint16_t>(previous), static_cast<std::uint16_t>(p)});
        previous = p;
    }
    marks.Clear();
    marks.SetEdges(edges);
}

ProcedureCommand KShortestPathsCommand() {
    return {"k-shortest-paths", Picks::SourceAndSink, KShortestPathsRefusal, [](RunContext& c) {
                const auto parameters = KShortestOptions(c.inv, c.err);
                if (!parameters) return static_cast<int>(ExitUsage);
                std::optional<TMyWordStack> walk;
                if (parameters->showNumber != 0) walk.emplace();
                KShortestPaths(c.net, walk ? &*walk : nullptr, c.fileName, *parameters, c.out);
                if (walk) MarkWalk(*walk, c.net.sourcePoint, c.marks);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand MaxCapacityPathCommand() {
    return {"max-capacity-path", Picks::SourceAndSink, MaxCapacityPathRefusal, [](RunContext& c) {
                MaxCapacityPath(c.net, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand HamiltonianCommand(std::string_view name, HamiltonianMode mode) {
    return {name, Picks::Start, [mode](const NetWorkType& net) { return HamiltonianRefusal(net, mode); },
            [mode](RunContext& c) {
                Hamiltonian(c.net, mode, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand SalesmanCommand() {
    return {"salesman", Picks::Start, SalesmanRefusal, [](RunContext& c) {
                Salesman(c.net, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand DensityCommand(std::string_view name, DensityMode mode) {
    return {name, Picks::None,
            [name](const NetWorkType& net) {
                if (auto kind = NotDirectedRefusal(name, net)) return kind;
                return DensityRefusal(net);
            },
            [mode](RunContext& c) {
                Density(c.net, mode, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

ProcedureCommand QuickColorCommand(std::string_view name, int variant) {
    return {name, Picks::None,
            [name](const NetWorkType& net) {
                if (auto kind = NotDirectedRefusal(name, net)) return kind;
                return QuickColorRefusal(net);
            },
            [variant](RunContext& c) {
                QuickColor(c.net, variant, c.marks, c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

// --unsorted lists the automorphisms in plain-changes order, as Unsort Automorphism does.
ProcedureCommand AutomorphismsCommand() {
    return {"automorphisms", Picks::None, AutomorphismsRefusal, [](RunContext& c) {
                Automorphisms(c.net,
                              c.inv.Has("--unsorted") ? AutomorphismOrder::PlainChanges
                                                      : AutomorphismOrder::Sorted,
                              c.fileName, c.out);
                return static_cast<int>(ExitDone);
            }};
}

} // namespace

const std::vector<ProcedureCommand>& ProcedureCommands() {
    static const std::vector<ProcedureCommand> commands = {
        ShortestPathCommand("shortest-path", Picks::SourceAndSink, ShortestPathMode::SinglePair),
        ShortestPathCommand("all-shortest-paths", Picks::Source, ShortestPathMode::AllFromSource),
        MetricsCommand(),
        CutPointsCommand("cut-points", CutSearchMode::CutPoints),
        CutPointsCommand("bridges", CutSearchMode::Bridges),
        EulerCommand("euler-path", EulerMode::Path),
        EulerCommand("euler-cycle", EulerMode::Cycle),
        InfoCommand(),
        SpanningTreeCommand(),
        MaxFlowCommand(),
        CriticalPathCommand(),
        KShortestPathsCommand(),
        MaxCapacityPathCommand(),
        HamiltonianCommand("hamiltonian-path", HamiltonianMode::Path),
        HamiltonianCommand("hamiltonian-cycle", HamiltonianMode::Cycle),
        SalesmanCommand(),
        DensityCommand("density", DensityMode::Density),
        DensityCommand("undensity", DensityMode::Undensity),
        DensityCommand("point-cover", DensityMode::PointCover),
        DensityCommand("coloring", DensityMode::Coloring),
        QuickColorCommand("quick-color-1", 1),
        QuickColorCommand("quick-color-2", 2),
        AutomorphismsCommand(),
    };
    return commands;
}

} // namespace plax::cli
