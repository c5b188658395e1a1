#include "property_commands.h"

#include "picking_commands.h"
#include "procedure_marks.h"
#include "render/net_colors.h"

#include "algorithms/marking_buffer.h"

#include <QKeySequence>
#include <QMenu>

#include <cassert>
#include <string>
#include <vector>

namespace plax {

namespace {

constexpr const char* GraphCaption = "Graph";
constexpr const char* NetWorkCaption = "NetWork";
constexpr const char* GraphMenuName = "Graph1";
constexpr const char* NetWorkMenuName = "NetWork1";

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Every command here starts so. A long run polls the event loop, so the program-wide flag keeps
// a second procedure from starting in another document meanwhile.
bool Start(DocumentContext& d) {
    d.ResetCommand();
    return !RefuseWhileRunning(d);
}

} // namespace

PropertyCommands::PropertyCommands(DocumentContext& document, PickingCommands& picking, QMenu& property,
                                   QObject* parent)
    : QObject(parent), document_(document), picking_(picking) {
    QMenu* graph = property.addMenu(QString::fromLatin1(GraphCaption));
    graph->setObjectName(QString::fromLatin1(GraphMenuName));
    FillMenu(*graph, ProcedureMenu::Graph);
    QMenu* netWork = property.addMenu(QString::fromLatin1(NetWorkCaption));
    netWork->setObjectName(QString::fromLatin1(NetWorkMenuName));
    FillMenu(*netWork, ProcedureMenu::NetWork);
    property.addSeparator();
    FillMenu(property, ProcedureMenu::Property);
}

void PropertyCommands::FillMenu(QMenu& menu, ProcedureMenu which) {
    for (const ProcedureEntry* entry : MenuEntries(which)) {
        QAction* action = menu.addAction(Text(entry->caption));
        action->setObjectName(Text(entry->itemName));
        action->setStatusTip(Text(entry->hint));
        if (!entry->shortcut.empty()) action->setShortcut(QKeySequence(Text(entry->shortcut)));
        connect(action, &QAction::triggered, this, [this, entry] { Choose(*entry); });
        items_.push_back({action, entry});
    }
}

void PropertyCommands::DefEnableItem(const NetWorkType& net) {
    for (const Item& item : items_) {
        if (item.action) item.action->setEnabled(IsOffered(item.entry->offeredFor, net));
    }
}

void PropertyCommands::Choose(const ProcedureEntry& entry) {
    if (entry.picks == PointPicks::None) {
        Run(entry);
    } else {
        picking_.Arm(entry);
    }
}

void PropertyCommands::RunItem(std::string_view itemName) {
    const ProcedureEntry* entry = FindProcedureItem(itemName);
    assert(entry != nullptr && entry->picks == PointPicks::None);
    Run(*entry);
}

// A failed preparation shows what it found (the cycle of an activity net) in red.
bool PropertyCommands::Prepared(const ProcedureEntry& entry) {
    if (entry.prepare == nullptr) return true;
    NetWorkType& net = document_.Net();
    std::vector<EdgeMark> shown;
    if (entry.prepare(net, document_.Host().Ui(), shown)) return true;
    for (const EdgeMark& e : shown)
        ColorEdge(net, e.from, e.to, MarkRed);
    if (!shown.empty()) document_.Notify(ShownChange::Picture);
    return false;
}

void PropertyCommands::Run(const ProcedureEntry& entry) {
    if (!Start(document_)) return;
    if (entry.redraw == Redraw::BeforeChecks) RedrawNormal(document_);
    if (RefuseEntry(document_, entry)) {
        if (entry.redraw == Redraw::BeforeChecks) document_.Notify(ShownChange::Picture);
        return;
    }
    if (!entry.runPrompt.empty()) document_.ShowPrompt(std::string(entry.runPrompt));
    if (!Prepared(entry)) return;
    if (entry.question != nullptr) {
        if (const auto question = entry.question(document_.Net());
            question && !document_.Host().Ui().Confirm(*question))
            return;
    }
    if (entry.redraw == Redraw::AfterChecks) RedrawNormal(document_);

    DocumentHost& host = document_.Host();
    MarkingBuffer marks;
    ProcedureRun run{document_.Net(), marks, document_.FileName(), NewRunOutput(document_)};
    run.criticalPath.selectConfirmation = host.State().options.selectConfirmation != 0;
    run.criticalPath.showGantt = [&host](const std::vector<GanttBar>& bars) { host.ShowGanttChart(bars); };
    RunAsStep(document_, entry, run);
    run.net.interaction.busy = 0;
    MarkResult(document_, entry.marking, run);
    if (entry.resetAfterRun) document_.ResetCommand();
    if (entry.marking != Marking::None) document_.Notify(ShownChange::Picture);
}

} // namespace plax
