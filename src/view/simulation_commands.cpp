#include "simulation_commands.h"

#include "procedure_marks.h"
#include "state_graph_window.h"

#include "catalogue/procedure_table.h"
#include "petri/auto_run_account.h"
#include "petri/coverability.h"
#include "petri/invariants.h"
#include "petri/liveness.h"
#include "petri/marking_graph.h"
#include "petri/petri_net.h"
#include "petri/state_graph.h"
#include "render/net_colors.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QWidget>

namespace plax {

namespace {

constexpr const char* AutoRunStep = "Auto Ordinary Petri Net";
constexpr const char* OrdinaryNetHint = "Fire the enabled transitions by clicks";
constexpr const char* AutoNetHint = "Fire randomly chosen enabled transitions";
constexpr const char* ProcessHint = "Tokens per place and firings per transition";
constexpr const char* ReachabilityHint = "Explore the markings reachable from the current one";
constexpr const char* CoverabilityHint = "Unbounded places, bounds and dead transitions (Karp-Miller)";
constexpr const char* LivenessHint = "Dead and live transitions, deadlocks and home markings";
constexpr const char* InvariantsHint = "Place and transition invariants; click one to see it on the net";
constexpr const char* StateGraphHint = "Draw the graph of the reachable markings";
constexpr const char* TakeMarkingStep = "Take Marking";
// Firings of an automatic run between two repaints of what it changed.
constexpr std::uint64_t LiveEvery = 4096;

} // namespace

SimulationCommands::SimulationCommands(DocumentContext& document, EditMachine& machine, QWidget& owner)
    : QObject(&owner), document_(document), machine_(machine), owner_(owner),
      menu_(new QMenu(QStringLiteral("&Simulation"), &owner)) {
    menu_->setObjectName(QStringLiteral("Simulation1"));
    AddItem("OrdinaryNet1", "Ordinary Petri Net", OrdinaryNetHint, &SimulationCommands::OrdinaryNet1Click);
    AddItem("AutoOrdinaryPetriNet1", "Auto Ordinary Petri Net", AutoNetHint,
            &SimulationCommands::AutoOrdinaryPetriNet1Click);
    menu_->addSeparator();
    AddItem("SimulationProcess1", "Simulation Process", ProcessHint,
            &SimulationCommands::SimulationProcess1Click);
    AddItem("Reachability1", "Reachability...", ReachabilityHint, &SimulationCommands::Reachability1Click);
    AddItem("Coverability1", "Coverability...", CoverabilityHint, &SimulationCommands::Coverability1Click);
    AddItem("Liveness1", "Liveness...", LivenessHint, &SimulationCommands::Liveness1Click);
    AddItem("Invariants1", "Invariants...", InvariantsHint, &SimulationCommands::Invariants1Click);
    AddItem("StateGraph1", "State Graph", StateGraphHint, &SimulationCommands::StateGraph1Click);
    connect(menu_, &QMenu::hovered, this,
            [this](QAction* action) { document_.Host().ShowHint(action->statusTip().toStdString()); });
}

QAction* SimulationCommands::AddItem(const char* name, const char* caption, const char* hint,
                                     void (SimulationCommands::*handler)()) {
    QAction* action = menu_->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(QString::fromLatin1(hint));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void SimulationCommands::DefEnableItem(const NetWorkType& net) {
    menu_->menuAction()->setEnabled(IsDirectedNet(net));
}

bool SimulationCommands::MayStart() {
    if (RefuseWhileRunning(document_)) return false;
    machine_.Reset();
    if (!IsOrdinaryPetriNet(document_.Net())) {
        document_.Host().Ui().Warning(NotBichromaticMessage);
        return false;
    }
    if (const auto refusal = CeilingRefusal(document_.Net())) {
        document_.Host().Ui().Warning(*refusal);
        return false;
    }
    return true;
}

void SimulationCommands::OrdinaryNet1Click() {
    if (!MayStart()) return;
    if (!machine_.StartSimulation()) document_.Host().Ui().Information(NotLiveMessage);
}

// The run has a bound, which the menu item needs to be offered at all.
void SimulationCommands::AutoOrdinaryPetriNet1Click() {
    if (!MayStart()) return;
    AutoRunParameters answers = autoParameters_;
    if (!document_.Host().AskAutoRun(answers)) return;
    autoParameters_ = answers;
    ManualSimulation& game = machine_.Simulation();
    game.ClearFirings();
    std::uint64_t count = 0;
    // The whole run is one step: Undo gives the marking back it started from.
    document_.Edit(AutoRunStep, [&](NetWorkType& net) {
        AutomaticSimulation(net, document_.FileName(), answers, NewRunOutput(document_), [&](int t) {
            game.CountFiring(t);
            // The tokens and the statistics window follow the run, shown at its polls.
            if (++count % LiveEvery == 0) document_.Notify(ShownChange::Picture);
        });
    });
    document_.Notify(ShownChange::Picture);
}

void SimulationCommands::SimulationProcess1Click() { document_.Host().ShowSimulationProcess(*this); }

void SimulationCommands::Reachability1Click() { Explore(ReachabilityAnalysis); }

// The explorations share one bound on stored markings.
void SimulationCommands::Explore(MarkingAnalysis analysis) {
    if (!MayStart()) return;
    std::uint64_t bound = markingBound_;
    if (!document_.Host().AskMarkingBound(bound)) return;
    markingBound_ = bound;
    analysis(document_.Net(), document_.FileName(), bound, NewRunOutput(document_));
}

void SimulationCommands::Coverability1Click() { Explore(CoverabilityAnalysis); }

void SimulationCommands::Liveness1Click() { Explore(LivenessAnalysis); }

// The Results window is the frame's; its text area tells where the cursor went, and the line
// there may name an invariant's points, on the level the invariants were computed for.
void SimulationCommands::Invariants1Click() {
    if (!MayStart()) return;
    ResultsSink& sink = NewRunOutput(document_).sink;
    InvariantsAnalysis(document_.Net(), document_.FileName(), {sink, document_.Host().Ui()});
    auto* window = dynamic_cast<QWidget*>(&sink);
    QPlainTextEdit* memo = window ? window->findChild<QPlainTextEdit*>() : nullptr;
    if (!memo) return;
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, [this, memo, level = document_.Level()] {
        ShowInvariantLine(memo->textCursor().block().text().toLatin1().toStdString(), level);
    });
}

// Another level's points share the numbers but not the places, so there the click shows nothing.
void SimulationCommands::ShowInvariantLine(const std::string& line,
                                           const std::vector<std::pair<int, int>>& level) {
    const auto points = InvariantLinePoints(line);
    if (!points || ProcedureRunning(document_) || document_.Level() != level) return;
    NetWorkType& net = document_.Net();
    RedrawNormal(document_);
    for (int p : *points)
        if (p <= net.n) ColorPoint(net, p, MarkRed);
    document_.Notify(ShownChange::Picture);
}

// Up to 500 markings are drawn, or the coverability graph of an unbounded net; a larger graph is
// told by its bound and the account offered.
void SimulationCommands::StateGraph1Click() {
    if (!MayStart()) return;
    const NetWorkType& net = document_.Net();
    StateGraph graph = DrawnStateGraph(net);
    if (!graph.complete) {
        if (document_.Host().Ui().Confirm(StateGraphTooLargeQuestion)) Reachability1Click();
        return;
    }
    if (stateGraph_ != nullptr) stateGraph_->close();
    stateGraph_ = new StateGraphWindow(
        net, std::move(graph), document_.Host().Ui(), [this](std::size_t marking) { TakeMarkingOf(marking); },
        &owner_);
    stateGraph_->setAttribute(Qt::WA_DeleteOnClose);
    stateGraph_->show();
}

// A marking of the graph becomes the net's, one step of the history; a net whose places have
// changed since the graph was drawn is left alone.
void SimulationCommands::TakeMarkingOf(std::size_t marking) {
    if (stateGraph_ == nullptr || RefuseWhileRunning(document_)) return;
    const StateGraph& graph = stateGraph_->Graph();
    const NetWorkType& net = document_.Net();
    if (graph.markings[marking].Omega()) {
        document_.Host().Ui().Beep();
        return;
    }
    for (int p : graph.places) {
        if (p > net.n || !IsTokenPlace(net.points[static_cast<std::size_t>(p)])) {
            document_.Host().Ui().Beep();
            return;
        }
    }
    document_.Edit(TakeMarkingStep, [&](NetWorkType& n) { TakeMarking(n, graph, marking); });
}

SimulationProcessData SimulationCommands::ProcessData() {
    const NetWorkType& net = document_.Net();
    const FiringCounts& firings = machine_.Simulation().Firings();
    SimulationProcessData data;
    for (int p = 1; p <= net.n; ++p) {
        const PointType& point = net.points[static_cast<std::size_t>(p)];
        if (IsTransition(point)) {
            data.transitions.push_back({p, point.name, firings[static_cast<std::size_t>(p)]});
        } else {
            data.places.push_back({p, point.name, point.tokens});
        }
    }
    return data;
}

} // namespace plax
