#include "edit_machine.h"

#include "clipboard_commands.h"
#include "edit_commands.h"
#include "procedure_marks.h"

#include "net_history.h"

#include "model/net_store.h"
#include "petri/petri_net.h"
#include "render/canvas_geometry.h"

#include <algorithm>
#include <iterator>

namespace plax {

namespace {

// How an editing command is armed: whether it refuses while a procedure runs (moving changes
// nothing until the click, so it does not), whether the arming keeps the cursor and the Reset
// button, whether it forgets the chosen points, and whether it recomputes the enabling.
struct ArmRule {
    Command command;
    const char* prompt;
    bool refusesWhileBusy;
    bool soft;
    bool forgetsPoints;
    bool reEnables;
};

constexpr ArmRule ArmRules[] = {
    {Command::AddPoint, AddPointPrompt, true, true, false, true},
    {Command::AddEdge, AddEdgePrompt, true, true, true, true},
    {Command::DeletePoint, DeletePointPrompt, true, false, false, true},
    {Command::DeleteEdge, DeleteEdgePrompt, true, false, true, true},
    {Command::DeleteComponent, DeleteComponentPrompt, true, false, false, true},
    {Command::MovePoint, MovePointPrompt, false, true, true, false},
    {Command::MoveComponent, MoveComponentPrompt, false, true, true, false},
};

} // namespace

EditMachine::EditMachine(DocumentContext& document, EditMachineDisplay& display)
    : document_(document), display_(display) {}

bool EditMachine::Busy() { return RefuseWhileRunning(document_); }

bool EditMachine::Confirmed(const std::string& question, const char* caption) {
    if (document_.Host().State().options.editConfirmation == 0) return true;
    return document_.Host().Ui().Ask(question, caption) == Answer::Yes;
}

void EditMachine::Beep() { document_.Host().Ui().Beep(); }

void EditMachine::ResetSoft() {
    display_.ClearCommandDisplay();
    armed_ = Command::None;
    if (simulation_.AnyEnabled()) EndSimulation();
}

void EditMachine::Reset() {
    ResetSoft();
    display_.UnsetCursor();
    display_.EnableReset(false);
    if (simulation_.Running()) EndSimulation();
}

// The transitions lose their blink inversion, so the canvas draws them anew.
void EditMachine::EndSimulation() {
    simulation_.End();
    document_.Notify(ShownChange::Picture);
}

bool EditMachine::StartSimulation() {
    if (!simulation_.Start(document_.Net())) return false;
    display_.EnableReset(true);
    document_.ShowPrompt(ManualSimulationStatus);
    document_.Notify(ShownChange::Picture);
    return true;
}

void EditMachine::Arm(Command c, const std::string& prompt) {
    Reset();
    armed_ = c;
    firstPoint_ = 0;
    document_.ShowPrompt(prompt);
    display_.EnableReset(true);
}

void EditMachine::ArmEdit(Command c) {
    const auto* rule = std::find_if(std::begin(ArmRules), std::end(ArmRules),
                                    [c](const ArmRule& r) { return r.command == c; });
    if (rule == std::end(ArmRules)) return;
    if (rule->refusesWhileBusy && Busy()) return;
    if (rule->soft) {
        ResetSoft();
    } else {
        Reset();
    }
    document_.ShowPrompt(rule->prompt);
    display_.EnableReset(true);
    armed_ = c;
    if (rule->forgetsPoints) firstPoint_ = secondPoint_ = 0;
    if (rule->reEnables) document_.Notify(ShownChange::Enabling);
}

void EditMachine::StartPaste() {
    if (Busy()) return;
    Arm(Command::PastePlacement, PastePrompt);
    display_.SetCrossCursor();
}

void EditMachine::Click() {
    const int p = PointAt(document_.Net(), pressX_, pressY_);
    // A firing changes the tokens: a step of its own.
    bool fired = false;
    document_.Edit(FireTransitionStep, [&](NetWorkType& n) { fired = simulation_.Click(n, p); });
    if (fired) document_.Notify(ShownChange::Picture);
    display_.UnsetCursor();
    switch (armed_) {
    case Command::PastePlacement: display_.PasteAt(pressX_, pressY_); break;
    case Command::AddPoint: ClickAddPoint(); break;
    case Command::AddEdge: ClickAddEdge(p); break;
    case Command::DeleteEdge: ClickDeleteEdge(p); break;
    case Command::DeletePoint: ClickDeletePoint(p); break;
    case Command::MoveComponent: ClickMoveComponent(p); break;
    case Command::DeleteComponent: ClickDeleteComponent(p); break;
    default:
        if (IsPickingProcedure(armed_)) display_.PickingClick(p);
        break;
    }
}

void EditMachine::ClickAddPoint() {
    NetWorkType& net = document_.Net();
    if (PointNear(net, pressX_, pressY_) != 0) {
        Beep();
        return;
    }
    if (!Confirmed(AddPointQuestion, AddPointCaption)) return;
    const OptionType& options = document_.Host().State().options;
    document_.Edit(AddPointStep, [&](NetWorkType& n) { AddNewPoint(n, options, pressX_, pressY_); });
    if (net.n >= MaxPoints) Reset();
}

// The two clicks that name an edge: a first point, then a second whose edge exists or not as
// `edgeWanted` says. True once both are picked; otherwise the prompt says what to click next.
bool EditMachine::PickEdgeEnds(int p, std::string (*firstPrompt)(int), std::string (*anotherPrompt)(int),
                               bool edgeWanted) {
    if (p == 0) {
        Beep();
        return false;
    }
    if (firstPoint_ == 0) {
        firstPoint_ = p;
        document_.ShowPrompt(firstPrompt(p));
        return false;
    }
    secondPoint_ = p;
    if (p == firstPoint_ || EdgeExists(document_.Net(), firstPoint_, p) != edgeWanted) {
        document_.ShowPrompt(anotherPrompt(firstPoint_));
        return false;
    }
    return true;
}

void EditMachine::ClickAddEdge(int p) {
    NetWorkType& net = document_.Net();
    if (!PickEdgeEnds(p, AddEdgeFirstPrompt, AddEdgeAnotherPrompt, false)) return;
    if (Confirmed(AddEdgeQuestion(firstPoint_, p), AddEdgeCaption)) {
        const OptionType& options = document_.Host().State().options;
        document_.Edit(AddEdgeStep, [&](NetWorkType& n) { AddNewEdge(n, options, firstPoint_, p); });
    }
    firstPoint_ = secondPoint_ = 0;
    if (!CanAddEdge(net)) {
        Reset();
    } else {
        document_.ShowPrompt(AddEdgePrompt);
    }
}

void EditMachine::ClickDeleteEdge(int p) {
    NetWorkType& net = document_.Net();
    if (!PickEdgeEnds(p, DeleteEdgeFirstPrompt, DeleteEdgeAnotherPrompt, true)) return;
    if (Confirmed(DeleteEdgeQuestion(firstPoint_, p), DeleteEdgeCaption))
        document_.Edit(DeleteEdgeStep, [&](NetWorkType& n) { RemoveEdge(n, firstPoint_, p); });
    firstPoint_ = secondPoint_ = 0;
    if (EdgeCount(net) == 0) {
        Reset();
    } else {
        document_.ShowPrompt(DeleteEdgePrompt);
    }
}

void EditMachine::ClickDeletePoint(int p) {
    NetWorkType& net = document_.Net();
    // The two end points of a sub-net stand for the decomposed edge's ends.
    if (p == 0 || (document_.IsSubNet() && p <= 2)) {
        Beep();
        return;
    }
    firstPoint_ = p;
    if (!Confirmed(DeletePointQuestion(p), DeletePointCaption)) {
        firstPoint_ = 0;
        return;
    }
    document_.Edit(DeletePointStep, [p](NetWorkType& n) { DeleteNetPoint(n, p); });
    firstPoint_ = 0;
    if (net.n == 0) ResetSoft();
}

void EditMachine::ClickMoveComponent(int p) {
    if (firstPoint_ == 0) {
        if (p == 0) {
            Beep();
            return;
        }
        firstPoint_ = p;
        document_.ShowPrompt(MoveComponentTargetPrompt(p));
        return;
    }
    if (Confirmed(MoveComponentQuestion(firstPoint_), MoveComponentCaption)) {
        document_.Edit(MoveComponentStep,
                       [this](NetWorkType& n) { MoveComponentTo(n, firstPoint_, pressX_, pressY_); });
    }
    firstPoint_ = 0;
    document_.ShowPrompt(MoveComponentPrompt);
}

void EditMachine::ClickDeleteComponent(int p) {
    NetWorkType& net = document_.Net();
    if (p == 0) {
        Beep();
        return;
    }
    firstPoint_ = p;
    if (!Confirmed(DeleteComponentQuestion(p), DeleteComponentQuestionCaption)) return;
    document_.Edit(DeleteComponentStep, [p](NetWorkType& n) { DeleteComponentOf(n, p); });
    firstPoint_ = 0;
    if (net.n == 0) Reset();
}

} // namespace plax
