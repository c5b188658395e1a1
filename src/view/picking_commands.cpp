#include "picking_commands.h"

#include "procedure_marks.h"

#include "render/net_colors.h"
#include "render/net_render.h"

#include "accounts/procedure_texts.h"
#include "algorithms/marking_buffer.h"
#include "algorithms/reachability.h"

#include <array>
#include <cassert>
#include <string>
#include <utility>

namespace plax {

namespace {

// The document keeps one command flag per procedure that picks points.
constexpr std::array<std::pair<std::string_view, Command>, 8> CommandOfItem = {{
    {"ShortestPath1", Command::ShortestPath},
    {"AllShortestPath1", Command::AllShortestPath},
    {"MaximalFlow1", Command::MaximalFlow},
    {"kshortestPath1", Command::KShortestPaths},
    {"MaxCapacityPath1", Command::MaxCapacityPath},
    {"HamiltonianPath1", Command::HamiltonianPath},
    {"HamiltonianCicle1", Command::HamiltonianCycle},
    {"SalesmanProblem1", Command::Salesman},
}};

Command CommandOf(const ProcedureEntry& entry) {
    for (const auto& [item, command] : CommandOfItem) {
        if (item == entry.itemName) return command;
    }
    assert(false && "a procedure that picks points needs its command flag");
    return Command::None;
}

const ProcedureEntry* EntryOf(Command c) {
    for (const auto& [item, command] : CommandOfItem) {
        if (command == c) return FindProcedureItem(item);
    }
    return nullptr;
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

} // namespace

PickingCommands::PickingCommands(DocumentContext& document, CommandMachine& machine, QObject* parent)
    : QObject(parent), document_(document), machine_(machine) {}

void PickingCommands::ArmItem(std::string_view itemName) {
    const ProcedureEntry* entry = FindProcedureItem(itemName);
    assert(entry != nullptr && entry->picks != PointPicks::None);
    Arm(*entry);
}

void PickingCommands::Arm(const ProcedureEntry& entry) {
    const bool ready = entry.picks == PointPicks::Start ? StartStartPick(entry) : StartSourcePick(entry);
    if (!ready) return;
    if (entry.parameters == ProcedureParameters::KShortestPaths) {
        document_.ShowPrompt(std::string(entry.pickTexts.armPrompt));
        KShortestParameters answers = kParameters_;
        if (!document_.Host().AskKShortestPaths(answers)) {
            document_.ResetCommand();
            return;
        }
        kParameters_ = answers;
    }
    ArmCommand(entry);
}

// A source pick starts so: the command and the old marks go, and nothing starts while a
// procedure runs anywhere.
bool PickingCommands::StartSourcePick(const ProcedureEntry& entry) {
    document_.ResetCommand();
    RedrawNormal(document_);
    document_.Notify(ShownChange::Picture);
    if (RefuseWhileRunning(document_)) return false;
    return !RefuseEntry(document_, entry);
}

// A start pick resets the command only: the marks stay until the point is picked.
bool PickingCommands::StartStartPick(const ProcedureEntry& entry) {
    document_.ResetCommand();
    if (RefuseWhileRunning(document_)) return false;
    if (RefuseEntry(document_, entry)) {
        document_.ResetCommand();
        return false;
    }
    return true;
}

void PickingCommands::ArmCommand(const ProcedureEntry& entry) {
    machine_.Arm(CommandOf(entry), std::string(entry.pickTexts.armPrompt));
    DocumentHost& host = document_.Host();
    if (host.State().options.selectConfirmation != 0)
        host.Ui().Information(std::string(entry.pickTexts.armInfo));
}

void PickingCommands::Click(int p) {
    const Command c = machine_.Armed();
    const ProcedureEntry* entry = EntryOf(c);
    if (entry == nullptr) return;
    if (p == 0) {
        machine_.Beep();
        return;
    }
    switch (entry->picks) {
    case PointPicks::None: break;
    case PointPicks::Source: PickAllShortestSource(*entry, p); break;
    case PointPicks::Start: PickStart(*entry, p); break;
    case PointPicks::SourceAndSink:
        if (machine_.FirstPoint() == 0) {
            PickSource(*entry, p);
        } else {
            PickSink(*entry, p);
        }
        break;
    }
}

void PickingCommands::PickAllShortestSource(const ProcedureEntry& entry, int p) {
    NetWorkType& net = document_.Net();
    machine_.SetFirstPoint(p);
    RedrawNormal(document_);
    const int reached = ColorReachable(net, p);
    document_.Notify(ShownChange::Picture);
    if (reached == 0) {
        document_.Host().Ui().Warning(NoPathsFromSourceMessage(p));
        document_.ResetCommand();
        return;
    }
    net.sourcePoint = static_cast<std::uint16_t>(p);
    document_.ResetCommand();
    RunPicked(entry);
    ColorPoint(net, p, MarkRed);
    document_.Notify(ShownChange::Picture);
}

void PickingCommands::PickStart(const ProcedureEntry& entry, int p) {
    NetWorkType& net = document_.Net();
    net.sourcePoint = static_cast<std::uint16_t>(p);
    RedrawNormal(document_);
    ColorPoint(net, p, MarkRed);
    document_.Notify(ShownChange::Picture);
    document_.ResetCommand();
    RunPicked(entry);
    ColorPoint(net, p, MarkGreen);
    document_.Notify(ShownChange::Picture);
}

void PickingCommands::PickSource(const ProcedureEntry& entry, int p) {
    NetWorkType& net = document_.Net();
    machine_.SetFirstPoint(p);
    net.sourcePoint = static_cast<std::uint16_t>(p);
    document_.ShowPrompt(std::string(entry.pickTexts.sourcePrompt) + std::to_string(p) + "." +
                         " Select Sink.");
    const int reached = ColorReachable(net, p);
    document_.Notify(ShownChange::Picture);
    DocumentHost& host = document_.Host();
    if (reached == 0) {
        host.Ui().Warning(NoPathsFromSourceMessage(p));
        document_.ResetCommand();
    } else if (host.State().options.selectConfirmation != 0) {
        host.Ui().Information(SelectSinkMessage(p));
    }
}

void PickingCommands::PickSink(const ProcedureEntry& entry, int p) {
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
    document_.Notify(ShownChange::Picture);
    document_.ResetCommand();
    RunPicked(entry);
    document_.Notify(ShownChange::Picture);
}

void PickingCommands::RunPicked(const ProcedureEntry& entry) {
    MarkingBuffer marks;
    ProcedureRun run{document_.Net(), marks, document_.FileName(), NewRunOutput(document_)};
    run.kParameters = kParameters_;
    RunAsStep(document_, entry, run);
    MarkResult(document_, entry.marking, run);
}

} // namespace plax
