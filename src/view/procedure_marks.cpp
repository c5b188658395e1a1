#include "procedure_marks.h"

#include "render/net_colors.h"
#include "render/net_render.h"

#include "accounts/cut_points_account.h"
#include "accounts/euler_account.h"
#include "accounts/max_flow_account.h"
#include "accounts/procedure_texts.h"
#include "model/net_store.h"

#include <optional>

namespace plax {

namespace {

constexpr const char* CannotShowPathMessage = " Cannot show the Path";

// Cut points and Euler's odd points come in the procedures' own red, which is the document's.
static_assert(CutPointColor == MarkRed && EulerViolationColor == MarkRed);

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

void ColorFlow(NetWorkType& net) {
    ColorPoint(net, net.sourcePoint, MarkRed);
    for (const FlowEdgeColor& e : FlowColoring(net))
        ColorEdge(net, e.from, e.to, e.color);
}

// The walk comes off the stack forwards, each step drawn from the point before it.
void ShowWalk(DocumentContext& document, TMyWordStack& walk) {
    NetWorkType& net = document.Net();
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
    if (!shown) document.Host().Ui().Warning(CannotShowPathMessage);
}

} // namespace

bool ProcedureRunning(DocumentContext& document) {
    return document.Net().interaction.busy != 0 || document.Host().State().run.busy != 0;
}

bool RefuseWhileRunning(DocumentContext& document) {
    return RefuseWhileRunning(document.Net(), document.Host());
}

bool RefuseWhileRunning(const NetWorkType& net, DocumentHost& host) {
    if (net.interaction.busy == 0 && host.State().run.busy == 0) return false;
    host.Ui().Warning(ProcedureInProgressMessage);
    return true;
}

bool RefuseEntry(DocumentContext& document, const ProcedureEntry& entry) {
    const auto refusal = EntryRefusal(entry, document.Net());
    if (!refusal) return false;
    if (entry.refusalBox == RefusalBox::Information) {
        document.Host().Ui().Information(*refusal);
    } else {
        document.Host().Ui().Warning(*refusal);
    }
    return true;
}

void RedrawNormal(DocumentContext& document) {
    ColorNet(document.Net(), ForeDefaultColor(document.Host().State().options));
}

ProcedureOutput NewRunOutput(DocumentContext& document) {
    return {document.Host().NewResultsWindow(), document.Host().Ui()};
}

void ColorMarkedEdges(NetWorkType& net, const MarkingBuffer& marks) {
    for (const EdgeMark& e : marks.MarkedEdges(net.n))
        ColorEdge(net, e.from, e.to, MarkRed);
}

void RunAsStep(DocumentContext& document, const ProcedureEntry& entry, ProcedureRun& run) {
    // The run holds the document's net itself; the step compares it before and after.
    document.Edit(std::string(entry.caption), [&entry, &run](NetWorkType&) { entry.run(run); });
}

void MarkResult(DocumentContext& document, Marking marking, ProcedureRun& run) {
    NetWorkType& net = run.net;
    switch (marking) {
    case Marking::None: break;
    case Marking::Edges: ColorMarkedEdges(net, run.marks); break;
    case Marking::PointColors: ColorMarkedPoints(net, run.marks); break;
    case Marking::PointsRed: ColorMarkedPoints(net, run.marks, MarkRed); break;
    case Marking::Clique:
        ColorMarkedPoints(net, run.marks, MarkRed);
        ColorEdgesBetweenMarkedPoints(net, run.marks);
        break;
    case Marking::CriticalJobs: ColorCriticalJobs(net); break;
    case Marking::Flow: ColorFlow(net); break;
    case Marking::Walk: ShowWalk(document, run.walk); break;
    }
}

} // namespace plax
