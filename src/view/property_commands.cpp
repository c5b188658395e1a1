#include "property_commands.h"

#include "net_colors.h"
#include "net_render.h"
#include "procedure_marks.h"

#include "model/net_store.h"
#include "procedures/activity_net.h"
#include "procedures/automorphisms.h"
#include "procedures/critical_path.h"
#include "procedures/cut_points.h"
#include "procedures/density.h"
#include "procedures/euler.h"
#include "procedures/marking_buffer.h"
#include "procedures/metrics.h"
#include "procedures/net_info.h"
#include "procedures/procedure_texts.h"
#include "procedures/spanning_tree.h"

#include <QKeySequence>
#include <QMenu>

#include <optional>
#include <string>
#include <vector>

namespace plax {

namespace {

constexpr const char* GraphCaption = "Graph";
constexpr const char* NetWorkCaption = "NetWork";
constexpr const char* MinSpanningTreeCaption = "Min. Spanning Tree ";
constexpr const char* MinSpanningTreePrompt = "Min. Spanning Tree";
constexpr const char* GetInfoShortcut = "Ctrl+G";

// The commands that pick points find their places in the sub-menus by these object names.
constexpr const char* GraphMenuName = "Graph1";
constexpr const char* NetWorkMenuName = "NetWork1";

// Every command here starts so. A long run polls the event loop, so the program-wide flag keeps
// a second procedure from starting in another document meanwhile.
bool Start(DocumentContext& d) {
    d.ResetCommand();
    return !RefuseWhileRunning(d);
}

bool Refused(DocumentContext& d, const std::optional<std::string>& refusal) {
    if (!refusal) return false;
    d.Host().Ui().Warning(*refusal);
    return true;
}

bool Marked(const MarkingBuffer& marks, int p) {
    const auto i = static_cast<std::size_t>(p);
    return marks.pointIndex[i] != 0 || marks.pointColor[i] != 0;
}

// Each marked point in `color`, or in the colour the procedure gave it.
void ColorMarkedPoints(NetWorkType& net, const MarkingBuffer& marks,
                       std::optional<Color> color = std::nullopt) {
    for (int p = 1; p <= net.n; ++p) {
        if (Marked(marks, p))
            ColorPoint(net, p, color.value_or(marks.pointColor[static_cast<std::size_t>(p)]));
    }
}

void ColorEdgesBetweenMarkedPoints(NetWorkType& net, const MarkingBuffer& marks) {
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            if (i != j && Marked(marks, i) && Marked(marks, j)) ColorEdge(net, i, j, MarkRed);
        }
    }
}

// The critical jobs: every edge whose reserve (kept in its flow) is 0.
void ColorCriticalJobs(NetWorkType& net) {
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.flow == 0.0) ColorEdge(net, i, e.target, MarkRed);
        }
    }
}

void RunCutSearch(DocumentContext& d, CutSearchMode mode) {
    if (!Start(d)) return;
    NetWorkType& net = d.Net();
    if (Refused(d, CutPointsRefusal(net))) return;
    RedrawNormal(d);
    MarkingBuffer marks;
    CutPointsAndBridges(net, mode, marks, d.FileName(), NewRunOutput(d));
    if (mode == CutSearchMode::CutPoints) {
        ColorMarkedPoints(net, marks, CutPointColor);
    } else {
        ColorMarkedEdges(net, marks);
    }
    d.ResetCommand();
    d.RepaintNet();
}

// The net is not redrawn first: the walk itself marks nothing, only a refusal on the degrees does.
void RunEuler(DocumentContext& d, EulerMode mode) {
    if (!Start(d)) return;
    NetWorkType& net = d.Net();
    if (Refused(d, EulerRefusal(net))) return;
    MarkingBuffer marks;
    Euler(net, mode, marks, d.FileName(), NewRunOutput(d));
    ColorMarkedPoints(net, marks, EulerViolationColor);
    d.RepaintNet();
}

void ColorDensityFindings(NetWorkType& net, DensityMode mode, const MarkingBuffer& marks) {
    switch (mode) {
    case DensityMode::Density:
    case DensityMode::Undensity:
        ColorMarkedPoints(net, marks, MarkRed);
        ColorEdgesBetweenMarkedPoints(net, marks);
        break;
    case DensityMode::PointCover: ColorMarkedPoints(net, marks, MarkRed); break;
    case DensityMode::Coloring: ColorMarkedPoints(net, marks); break;
    }
}

void RunDensity(DocumentContext& d, DensityMode mode) {
    if (!Start(d)) return;
    NetWorkType& net = d.Net();
    RedrawNormal(d);
    // Refused only after the redraw, as the run itself would, but before a Results window is made.
    if (!Refused(d, DensityRefusal(net))) {
        MarkingBuffer marks;
        Density(net, mode, marks, d.FileName(), NewRunOutput(d));
        ColorDensityFindings(net, mode, marks);
    }
    d.RepaintNet();
}

void RunQuickColor(DocumentContext& d, int variant) {
    if (!Start(d)) return;
    NetWorkType& net = d.Net();
    if (Refused(d, QuickColorRefusal(net))) return;
    RedrawNormal(d);
    MarkingBuffer marks;
    QuickColor(net, variant, marks, d.FileName(), NewRunOutput(d));
    ColorMarkedPoints(net, marks);
    d.RepaintNet();
}

void RunAutomorphisms(DocumentContext& d, AutomorphismOrder order) {
    if (!Start(d)) return;
    NetWorkType& net = d.Net();
    if (Refused(d, AutomorphismsRefusal(net))) return;
    Automorphisms(net, order, d.FileName(), NewRunOutput(d));
    net.interaction.busy = 0;
}

bool IsDirected(const NetWorkType& net) { return net.kindName == NetKind[DirNetCode]; }

} // namespace

PropertyCommands::PropertyCommands(DocumentContext& document, QMenu& property, QObject* parent)
    : QObject(parent), document_(document) {
    QMenu* graph = property.addMenu(QString::fromLatin1(GraphCaption));
    graph->setObjectName(QString::fromLatin1(GraphMenuName));
    FillGraphMenu(*graph);
    QMenu* netWork = property.addMenu(QString::fromLatin1(NetWorkCaption));
    netWork->setObjectName(QString::fromLatin1(NetWorkMenuName));
    FillNetWorkMenu(*netWork);
    property.addSeparator();
    AddItem(property, "GetInfo1", "Get Info", "Information about Points and Edges of the NetWork",
            &PropertyCommands::GetInfo1Click);
    items_.back().action->setShortcut(QKeySequence(QString::fromLatin1(GetInfoShortcut)));
}

void PropertyCommands::AddItem(QMenu& menu, const char* name, const char* caption, const char* hint,
                               Handler handler, Offered offered) {
    QAction* action = menu.addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromLatin1(hint));
    connect(action, &QAction::triggered, this, handler);
    items_.push_back({action, offered});
}

// Hamiltonian Path and Hamiltonian Cycle, which pick a point first, go after "Eulerian Cycle".
void PropertyCommands::FillGraphMenu(QMenu& graph) {
    using P = PropertyCommands;
    constexpr Offered undirected = Offered::NotDirected;
    AddItem(graph, "QuickMetrics1", "Quick Metrics", "Search Metrics of the Graph", &P::QuickMetrics1Click);
    AddItem(graph, "CutPoints1", "Cut Points", "Search CutPoints for the Graph (for undirected only)",
            &P::CutPoints1Click, undirected);
    AddItem(graph, "Bridges1", "Bridges", "Search Bridges for the Graph (for undirected only)",
            &P::Bridges1Click, undirected);
    AddItem(graph, "EulerianPath1", "Eulerian Path", "Search Eulerian Path", &P::EulerianPath1Click);
    AddItem(graph, "EulerianCycle1", "Eulerian Cycle", "Search Eulerian Cycle", &P::EulerianCycle1Click);
    AddItem(graph, "Density1", "Density", "Search Greatest Clique (for undirected only)", &P::Density1Click,
            undirected);
    AddItem(graph, "Undensity1", "Undensity", "Search Greatest Independent Set (for undirected only)",
            &P::Undensity1Click, undirected);
    AddItem(graph, "PointCover1", "Point Cover", "Search Smallest Point Cover (for undirected only)",
            &P::PointCover1Click, undirected);
    AddItem(graph, "PointColoration1", "Point Coloration (Min)",
            "Search Minimal Point Coloration (for undirected only)", &P::PointColoration1Click, undirected);
    AddItem(graph, "QuickColor11", "Quick Color 1", "Quick Point Coloration 1 (for undirected only)",
            &P::QuickColor11Click, undirected);
    AddItem(graph, "QuickColor21", "Quick Color 2", "Quick Point Coloration 2 (for undirected only)",
            &P::QuickColor21Click, undirected);
    AddItem(graph, "SortAutomorphism1", "Sort Automorphism", "Search Automorphism Group (Sort)",
            &P::SortAutomorphism1Click);
    AddItem(graph, "UnsortAutomorphism1", "Unsort Automorphism", "Search Automorphism Group (UnSort)",
            &P::UnsortAutomorphism1Click);
}

// The commands that pick points go around these two: Shortest Path and All Shortest Path before
// "Min. Spanning Tree ", Maximal Flow between it and "Critical Path", then k Shortest Paths,
// Max Capacity Path and Salesman Problem at the end.
void PropertyCommands::FillNetWorkMenu(QMenu& netWork) {
    AddItem(netWork, "MinSpanningTree1", MinSpanningTreeCaption,
            "Search Min. Spanning Tree for undirected NetWork", &PropertyCommands::MinSpanningTree1Click,
            Offered::NotDirected);
    AddItem(netWork, "CriticalPath1", "Critical Path", "Search Critical Path for directed NetWork",
            &PropertyCommands::CriticalPath1Click, Offered::Directed);
}

void PropertyCommands::DefEnableItem(const NetWorkType& net) {
    const bool directed = IsDirected(net);
    for (const Item& item : items_) {
        if (!item.action) continue;
        switch (item.offered) {
        case Offered::Always: item.action->setEnabled(true); break;
        case Offered::Directed: item.action->setEnabled(directed); break;
        case Offered::NotDirected: item.action->setEnabled(!directed); break;
        }
    }
}

void PropertyCommands::MinSpanningTree1Click() {
    if (!Start(document_)) return;
    NetWorkType& net = document_.Net();
    if (Refused(document_, SpanningTreeRefusal(net))) return;
    document_.ShowPrompt(MinSpanningTreePrompt);
    RedrawNormal(document_);
    MarkingBuffer marks;
    MinSpanningTree(net, marks, document_.FileName(), NewRunOutput(document_));
    ColorMarkedEdges(net, marks);
    document_.RepaintNet();
}

void PropertyCommands::CriticalPath1Click() {
    if (!Start(document_)) return;
    NetWorkType& net = document_.Net();
    if (Refused(document_, CriticalPathRefusal(net))) return;
    DocumentHost& host = document_.Host();
    std::vector<EdgeMark> cycle;
    if (!ActivityNetReady(net, host.Ui(), cycle)) {
        for (const EdgeMark& e : cycle)
            ColorEdge(net, e.from, e.to, MarkRed);
        if (!cycle.empty()) document_.RepaintNet();
        return;
    }
    RedrawNormal(document_);
    CriticalPathOptions options;
    options.selectConfirmation = host.State().options.selectConfirmation != 0;
    options.showGantt = [&host](const std::vector<GanttBar>& bars) { host.ShowGanttChart(bars); };
    MarkingBuffer marks;
    CriticalPath(net, marks, document_.FileName(), NewRunOutput(document_), options);
    // Also after a declined start: the reserves of the last run are still in the flows.
    ColorCriticalJobs(net);
    document_.RepaintNet();
}

void PropertyCommands::QuickMetrics1Click() {
    if (!Start(document_)) return;
    NetWorkType& net = document_.Net();
    if (Refused(document_, QuickMetricsRefusal(net))) return;
    RedrawNormal(document_);
    MarkingBuffer marks;
    QuickMetrics(net, marks, document_.FileName(), NewRunOutput(document_));
    ColorMarkedPoints(net, marks);
    document_.RepaintNet();
}

void PropertyCommands::CutPoints1Click() { RunCutSearch(document_, CutSearchMode::CutPoints); }
void PropertyCommands::Bridges1Click() { RunCutSearch(document_, CutSearchMode::Bridges); }
void PropertyCommands::EulerianPath1Click() { RunEuler(document_, EulerMode::Path); }
void PropertyCommands::EulerianCycle1Click() { RunEuler(document_, EulerMode::Cycle); }
void PropertyCommands::Density1Click() { RunDensity(document_, DensityMode::Density); }
void PropertyCommands::Undensity1Click() { RunDensity(document_, DensityMode::Undensity); }
void PropertyCommands::PointCover1Click() { RunDensity(document_, DensityMode::PointCover); }
void PropertyCommands::PointColoration1Click() { RunDensity(document_, DensityMode::Coloring); }
void PropertyCommands::QuickColor11Click() { RunQuickColor(document_, 1); }
void PropertyCommands::QuickColor21Click() { RunQuickColor(document_, 2); }
void PropertyCommands::SortAutomorphism1Click() { RunAutomorphisms(document_, AutomorphismOrder::Sorted); }
void PropertyCommands::UnsortAutomorphism1Click() {
    RunAutomorphisms(document_, AutomorphismOrder::PlainChanges);
}

void PropertyCommands::GetInfo1Click() {
    if (!Start(document_)) return;
    const NetWorkType& net = document_.Net();
    if (Refused(document_, GetInfoRefusal(net))) return;
    GetInfo(net, document_.FileName(), NewRunOutput(document_));
}

} // namespace plax
