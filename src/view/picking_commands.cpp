#include "picking_commands.h"

#include "procedure_marks.h"

#include "net_colors.h"
#include "net_render.h"

#include "model/net_store.h"
#include "procedures/hamiltonian.h"
#include "procedures/marking_buffer.h"
#include "procedures/max_capacity_path.h"
#include "procedures/max_flow.h"
#include "procedures/procedure_texts.h"
#include "procedures/reachability.h"
#include "procedures/shortest_paths.h"

#include <QMenu>

#include <optional>
#include <string>

namespace plax {

namespace {

constexpr const char* ShortestPathPrompt = "Shortest Path : Select Source Point ";
constexpr const char* AllShortestPathPrompt = "All Shortest Path : Select Source Point ";
constexpr const char* MaximalFlowPrompt = "Maximal Flow: Select Source Point ";
constexpr const char* KPathsPrompt = "k Shortest Paths: Select Source Point ";
constexpr const char* MaxCapacityPrompt = "Max. Capacity Path  : Select Source Point ";
constexpr const char* HamiltonianPathPrompt = "Hamiltonian Path : Select Source Point ";
constexpr const char* HamiltonianCyclePrompt = "Hamiltonian Cycle : Select Source Point ";
constexpr const char* SalesmanPrompt = "Salesman problem: Select Source Point ";

constexpr const char* SelectSourceInfo = "Select Source Point ";
constexpr const char* ShortestPathInfo =
    " Select Two Points to find Shortest Path \r\nfrom the Source to the Sink.";
constexpr const char* MaximalFlowInfo =
    " Select Two Points to find Maximal Flow\r\nfrom the Source to the Sink.";
constexpr const char* KPathsInfo =
    "Select Two Points to Obtain k Shortest Paths\r\nfrom the Source to the Sink.";
constexpr const char* MaxCapacityInfo =
    " Select Two Points to find Max. Capacity Path \r\nfrom the Source to the Sink.";
constexpr const char* CannotShowPathMessage = " Cannot show the Path";

// The prompt after the source of a two-point command, before its number.
const char* SourcePrompt(Command c) {
    switch (c) {
    case Command::MaximalFlow: return "Maximal Flow: Source = ";
    case Command::ShortestPath: return "Shortest Path : Source = ";
    case Command::KShortestPaths: return "k Shortest Paths: Source = ";
    default: return "Max. Capacity Path : Source = ";
    }
}

bool IsStartPoint(Command c) {
    return c == Command::Salesman || c == Command::HamiltonianPath || c == Command::HamiltonianCycle;
}

// The start point red, every other point it reaches green; answers how many those are.
int ColorReachable(NetWorkType& net, int p) {
    ColorPoint(net, p, MarkRed);
    const PointFlags reached = ReachableFrom(net, p);
    int count = 0;
    for (int i = 1; i <= net.n; ++i) {
        if (i == p || !reached[static_cast<std::size_t>(i)]) continue;
        ColorPoint(net, i, MarkGreen);
        ++count;
    }
    return count;
}

QAction* FindItem(const QMenu& menu, const char* name) {
    for (QAction* action : menu.actions()) {
        if (action->objectName() == QLatin1String(name)) return action;
    }
    return nullptr;
}

// The item after `name`, or nullptr (the end) when there is none.
QAction* ItemAfter(const QMenu& menu, const char* name) {
    const QList<QAction*> actions = menu.actions();
    const qsizetype i = actions.indexOf(FindItem(menu, name));
    return i >= 0 && i + 1 < actions.size() ? actions[i + 1] : nullptr;
}

} // namespace

PickingCommands::PickingCommands(DocumentContext& document, CommandMachine& machine, QMenu& graph,
                                 QMenu& netWork, QObject* parent)
    : QObject(parent), document_(document), machine_(machine) {
    using P = PickingCommands;
    QAction* afterEuler = ItemAfter(graph, "EulerianCycle1");
    graph.insertAction(afterEuler, NewItem(graph, "HamiltonianPath1", "Hamiltonian Path",
                                           "Search Hamiltonian Path", &P::HamiltonianPath1Click));
    graph.insertAction(afterEuler, NewItem(graph, "HamiltonianCicle1", "Hamiltonian Cycle",
                                           "Search Hamiltonian Cycle", &P::HamiltonianCicle1Click));

    QAction* tree = FindItem(netWork, "MinSpanningTree1");
    netWork.insertAction(tree, NewItem(netWork, "ShortestPath1", "Shortest Path",
                                       "Search Shortest path from Source to Sink", &P::ShortestPath1Click));
    netWork.insertAction(tree, NewItem(netWork, "AllShortestPath1", "All Shortest Path",
                                       "Search All Shortest paths from Source", &P::AllShortestPath1Click));
    netWork.insertAction(FindItem(netWork, "CriticalPath1"),
                         NewItem(netWork, "MaximalFlow1", "Maximal Flow",
                                 "Search Maximal Flow from Source to Sink", &P::MaximalFlow1Click));
    QAction* afterCritical = ItemAfter(netWork, "CriticalPath1");
    netWork.insertAction(afterCritical,
                         NewItem(netWork, "kshortestPath1", "k Shortest Paths", "", &P::kshortestPath1Click));
    netWork.insertAction(afterCritical, NewItem(netWork, "MaxCapacityPath1", "Max Capacity Path", "",
                                                &P::MaxCapacityPath1Click));
    netWork.insertAction(afterCritical, NewItem(netWork, "SalesmanProblem1", "Salesman Problem",
                                                "Search Salesman Cicle", &P::SalesmanProblem1Click));
}

QAction* PickingCommands::NewItem(QMenu& menu, const char* name, const char* caption, const char* hint,
                                  Handler handler) {
    auto* action = new QAction(QString::fromLatin1(caption), &menu);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromLatin1(hint));
    connect(action, &QAction::triggered, this, handler);
    items_.emplace_back(action);
    return action;
}

// None of these items depends on the kind of net.
void PickingCommands::DefEnableItem(const NetWorkType& /*net*/) {
    for (const QPointer<QAction>& item : items_) {
        if (item) item->setEnabled(true);
    }
}

// The two-point commands and All Shortest Path start so: the command and the old marks go, and
// nothing starts while a procedure runs anywhere.
bool PickingCommands::StartTwoPoint() {
    document_.ResetCommand();
    RedrawNormal(document_);
    document_.RepaintNet();
    return !RefuseWhileRunning(document_);
}

void PickingCommands::Arm(Command c, const char* prompt, const char* confirmation) {
    machine_.Arm(c, prompt);
    DocumentHost& host = document_.Host();
    if (host.State().options.selectConfirmation != 0) host.Ui().Information(confirmation);
}

void PickingCommands::ShortestPath1Click() {
    if (!StartTwoPoint()) return;
    if (const auto refusal = ShortestPathRefusal(document_.Net(), ShortestPathMode::SinglePair)) {
        document_.Host().Ui().Warning(*refusal);
        return;
    }
    Arm(Command::ShortestPath, ShortestPathPrompt, ShortestPathInfo);
}

void PickingCommands::AllShortestPath1Click() {
    if (!StartTwoPoint()) return;
    if (const auto refusal = ShortestPathRefusal(document_.Net(), ShortestPathMode::AllFromSource)) {
        document_.Host().Ui().Warning(*refusal);
        return;
    }
    Arm(Command::AllShortestPath, AllShortestPathPrompt, SelectSourceInfo);
}

void PickingCommands::MaximalFlow1Click() {
    if (!StartTwoPoint()) return;
    if (const auto refusal = MaximalFlowRefusal(document_.Net())) {
        document_.Host().Ui().Information(*refusal);
        return;
    }
    Arm(Command::MaximalFlow, MaximalFlowPrompt, MaximalFlowInfo);
}

void PickingCommands::kshortestPath1Click() {
    if (!StartTwoPoint()) return;
    if (const auto refusal = KShortestPathsRefusal(document_.Net())) {
        document_.Host().Ui().Warning(*refusal);
        return;
    }
    document_.ShowPrompt(KPathsPrompt);
    KShortestParameters answers = kParameters_;
    if (!document_.Host().AskKShortestPaths(answers)) {
        document_.ResetCommand();
        return;
    }
    kParameters_ = answers;
    Arm(Command::KShortestPaths, KPathsPrompt, KPathsInfo);
}

void PickingCommands::MaxCapacityPath1Click() {
    if (!StartTwoPoint()) return;
    if (const auto refusal = MaxCapacityPathRefusal(document_.Net())) {
        document_.Host().Ui().Warning(*refusal);
        return;
    }
    Arm(Command::MaxCapacityPath, MaxCapacityPrompt, MaxCapacityInfo);
}

// The start-point commands reset the command only: the marks stay until the point is picked.
void PickingCommands::ArmStart(Command c, const char* prompt, const std::optional<std::string>& refusal) {
    document_.ResetCommand();
    if (RefuseWhileRunning(document_)) return;
    if (refusal) {
        document_.Host().Ui().Warning(*refusal);
        document_.ResetCommand();
        return;
    }
    Arm(c, prompt, SelectSourceInfo);
}

void PickingCommands::HamiltonianPath1Click() {
    ArmStart(Command::HamiltonianPath, HamiltonianPathPrompt,
             HamiltonianRefusal(document_.Net(), HamiltonianMode::Path));
}

void PickingCommands::HamiltonianCicle1Click() {
    ArmStart(Command::HamiltonianCycle, HamiltonianCyclePrompt,
             HamiltonianRefusal(document_.Net(), HamiltonianMode::Cycle));
}

void PickingCommands::SalesmanProblem1Click() {
    ArmStart(Command::Salesman, SalesmanPrompt, SalesmanRefusal(document_.Net()));
}

void PickingCommands::Click(int p) {
    const Command c = machine_.Armed();
    if (!IsPickingProcedure(c)) return;
    if (p == 0) {
        machine_.Beep();
        return;
    }
    if (c == Command::AllShortestPath) {
        PickAllShortestSource(p);
    } else if (IsStartPoint(c)) {
        PickStart(p);
    } else if (machine_.FirstPoint() == 0) {
        PickSource(p);
    } else {
        PickSink(p);
    }
}

void PickingCommands::PickAllShortestSource(int p) {
    NetWorkType& net = document_.Net();
    machine_.SetFirstPoint(p);
    RedrawNormal(document_);
    const int reached = ColorReachable(net, p);
    document_.RepaintNet();
    if (reached == 0) {
        document_.Host().Ui().Warning(NoPathsFromSourceMessage(p));
        document_.ResetCommand();
        return;
    }
    net.sourcePoint = static_cast<std::uint16_t>(p);
    document_.ResetCommand();
    MarkingBuffer marks;
    ShortestPath(net, ShortestPathMode::AllFromSource, marks, document_.FileName(), NewRunOutput(document_));
    ColorPoint(net, p, MarkRed);
    ColorMarkedEdges(net, marks);
    document_.RepaintNet();
}

void PickingCommands::PickStart(int p) {
    NetWorkType& net = document_.Net();
    const Command c = machine_.Armed();
    net.sourcePoint = static_cast<std::uint16_t>(p);
    RedrawNormal(document_);
    ColorPoint(net, p, MarkRed);
    document_.RepaintNet();
    document_.ResetCommand();
    MarkingBuffer marks;
    if (c == Command::Salesman) {
        Salesman(net, marks, document_.FileName(), NewRunOutput(document_));
    } else {
        const auto mode = c == Command::HamiltonianCycle ? HamiltonianMode::Cycle : HamiltonianMode::Path;
        Hamiltonian(net, mode, marks, document_.FileName(), NewRunOutput(document_));
    }
    ColorMarkedEdges(net, marks);
    ColorPoint(net, p, MarkGreen);
    document_.RepaintNet();
}

void PickingCommands::PickSource(int p) {
    NetWorkType& net = document_.Net();
    machine_.SetFirstPoint(p);
    net.sourcePoint = static_cast<std::uint16_t>(p);
    document_.ShowPrompt(SourcePrompt(machine_.Armed()) + std::to_string(p) + "." + " Select Sink.");
    const int reached = ColorReachable(net, p);
    document_.RepaintNet();
    DocumentHost& host = document_.Host();
    if (reached == 0) {
        host.Ui().Warning(NoPathsFromSourceMessage(p));
        document_.ResetCommand();
    } else if (host.State().options.selectConfirmation != 0) {
        host.Ui().Information(SelectSinkMessage(p));
    }
}

void PickingCommands::PickSink(int p) {
    NetWorkType& net = document_.Net();
    const int first = machine_.FirstPoint();
    if (!ReachableFrom(net, first)[static_cast<std::size_t>(p)]) {
        machine_.Beep();
        document_.Host().Ui().Warning(UnreachableSinkMessage(first, p));
        return;
    }
    if (p == first) {
        document_.Host().Ui().Warning(SinkIsSourceMessage(first));
        machine_.Beep();
        return;
    }
    net.sinkPoint = static_cast<std::uint16_t>(p);
    RedrawNormal(document_);
    ColorPoint(net, p, MarkBlue);
    ColorPoint(net, first, MarkRed);
    document_.RepaintNet();
    const Command c = machine_.Armed();
    document_.ResetCommand();
    RunTwoPoint(c);
    document_.RepaintNet();
}

void PickingCommands::RunTwoPoint(Command c) {
    NetWorkType& net = document_.Net();
    MarkingBuffer marks;
    switch (c) {
    case Command::MaximalFlow:
        MaximalFlow(net, marks, document_.FileName(), NewRunOutput(document_));
        ColorPoint(net, net.sourcePoint, MarkRed);
        for (const FlowEdgeColor& e : FlowColoring(net))
            ColorEdge(net, e.from, e.to, e.color);
        break;
    case Command::ShortestPath:
        ShortestPath(net, ShortestPathMode::SinglePair, marks, document_.FileName(), NewRunOutput(document_));
        ColorMarkedEdges(net, marks);
        break;
    case Command::KShortestPaths: {
        TMyWordStack walk;
        const bool show = kParameters_.showNumber != 0;
        KShortestPaths(net, show ? &walk : nullptr, document_.FileName(), kParameters_,
                       NewRunOutput(document_));
        ShowKPath(walk);
        break;
    }
    default: MaxCapacityPath(net, marks, document_.FileName(), NewRunOutput(document_)); break;
    }
}

// The walk comes off the stack forwards, each step drawn from the point before it.
void PickingCommands::ShowKPath(TMyWordStack& walk) {
    NetWorkType& net = document_.Net();
    int previous = net.sourcePoint;
    bool shown = true;
    while (!walk.IsEmpty()) {
        const int next = walk.Pop();
        if (EdgeExists(net, previous, next)) {
            ColorEdge(net, previous, next, MarkRed);
        } else {
            shown = false;
        }
        previous = next;
    }
    if (!shown) document_.Host().Ui().Warning(CannotShowPathMessage);
}

} // namespace plax
