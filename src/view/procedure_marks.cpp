#include "procedure_marks.h"

#include "net_colors.h"
#include "net_render.h"

#include "procedures/procedure_texts.h"

namespace plax {

bool ProcedureRunning(DocumentContext& document) {
    return document.Net().interaction.busy != 0 || document.Host().State().run.busy != 0;
}

bool RefuseWhileRunning(DocumentContext& document) {
    if (!ProcedureRunning(document)) return false;
    document.Host().Ui().Warning(ProcedureInProgressMessage);
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

} // namespace plax
