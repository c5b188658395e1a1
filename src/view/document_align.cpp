#include "document_window.h"

#include "net_canvas_widget.h"

#include "net_history.h"

#include "model/alignment.h"

#include <algorithm>

namespace plax {

namespace {

using C = CommandCode;

bool LinesUp(CommandCode code) {
    return code == C::AlignLeft || code == C::AlignRight || code == C::AlignTop || code == C::AlignBottom;
}

// Lines the selection up when it would stay apart in the line; false when it would not.
bool LineUp(NetWorkType& net, CommandCode code) {
    const bool onX = code == C::AlignLeft || code == C::AlignRight;
    if (!CanAlign(net, onX ? AlignAxis::X : AlignAxis::Y)) return false;
    switch (code) {
    case C::AlignLeft: AlignMinX(net); break;
    case C::AlignRight: AlignMaxX(net); break;
    case C::AlignTop: AlignMinY(net); break;
    default: AlignMaxY(net); break;
    }
    return true;
}

const char* AlignStepName(CommandCode code) {
    switch (code) {
    case C::AlignLeft: return "Align edges to Left";
    case C::AlignRight: return "Align edges to Right";
    case C::AlignTop: return "Align edges to Top";
    case C::AlignBottom: return "Align edges to Bottom";
    case C::SpaceHorizontally: return "Space equally, horizontally";
    case C::SpaceVertically: return "Space equally, vertically";
    default: return "Fit to Ellipse";
    }
}

bool Spread(NetWorkType& net, CommandCode code) {
    if (code == C::SpaceHorizontally) return SpaceEquallyX(net);
    if (code == C::SpaceVertically) return SpaceEquallyY(net);
    return FitToEllipse(net);
}

} // namespace

// Codes 21..26 and 28, each a step named after its Edit item. Moved points mark the net
// changed, as every other move does, so closing the net asks before the new layout is lost.
void TMDIChild::AlignSelection(CommandCode code) {
    if (Busy()) return;
    const std::size_t wanted = LinesUp(code) ? 2 : 3;
    if (SelectedPoints().size() < wanted) return;
    bool done = false;
    document_.Edit(AlignStepName(code), [&done, code](NetWorkType& net) {
        done = LinesUp(code) ? LineUp(net, code) : Spread(net, code);
    });
    if (!done) Beep();
    DropSelection();
}

// A selection of two points or more is laid out alone, within room around it; otherwise the
// whole net. Either stays inside what the window shows, less the Fit margins.
void TMDIChild::Layout1Click(LayoutKind kind) {
    if (Busy() || Net().n == 0) return;
    const QSize view = NetViewSize();
    const QPoint origin = NetViewOrigin();
    LayoutArea area = VisibleLayoutArea(view.width(), view.height());
    // A view narrower than the least layout room would push points off the canvas's far edge.
    const int dx = std::min(origin.x(), NetCanvasWidget::CanvasSize - LayoutMargin - area.right);
    const int dy = std::min(origin.y(), NetCanvasWidget::CanvasSize - LayoutMargin - area.bottom);
    area = {area.left + dx, area.top + dy, area.right + dx, area.bottom + dy};
    LayoutOptions options;
    options.kind = kind;
    options.selectionOnly = SelectedPoints().size() >= 2;
    document_.Edit(LayoutStep, [&](NetWorkType& net) { LayoutNet(net, area, options); });
    DropSelection();
}

} // namespace plax
