#include "model/net_store.h"
#include "net_render.h"
#include "render_support.h"

#include <QPaintEngine>
#include <QPainter>

namespace plax {

namespace {

bool IsTransition(int shape) { return shape == 2 || shape == 3; }

// The outline pen: the net's border colour when its coloured-border switch is on (it governs
// every point, custom ones too), dotted for the two end points of a sub-net.
QPen PointPen(const NetCanvas& canvas, const NetWorkType& net, int i, Color c) {
    const bool netBorder = net.defaultOptions.coloredBorder != 0 && c != BackColor;
    const bool dotted = canvas.subNet && (i == 1 || i == 2);
    return ThinPen(netBorder ? net.defaultOptions.borderColor : c, dotted ? Qt::DotLine : Qt::SolidLine);
}

void DrawPointBorder(NetCanvas& canvas, const NetWorkType& net, int i, Color c) {
    QPainter& painter = canvas.painter;
    const PointOptionType& o = PointOptionsInForce(net, i);
    // Without a fill the brush stays clear, as every point leaves it, so the inside is not painted.
    if (o.showNumber == 0 && o.fillPoint != 0 && !canvas.dragging) painter.setBrush(ToQColor(c));
    painter.setPen(PointPen(canvas, net, i, c));
    DrawOutline(painter, PointOutlineOf(net, i));
    if (PointRadius(net, i) > 4 && o.doubleBorder != 0) DrawOutline(painter, PointOutlineOf(net, i, true));
}

void DrawPointNumber(QPainter& painter, const NetWorkType& net, int i, Color c) {
    const std::string number = std::to_string(i);
    const TextSize size = MeasureCanvasText(painter, number);
    painter.setBrush(Qt::NoBrush);
    WriteCanvasText(painter, PointNumberPosition(net, i, size.width, size.height), number, c, false);
}

} // namespace

void DrawPoint(NetCanvas& canvas, NetWorkType& net, int i, Color c) {
    if (i < 1 || i > net.n) return;
    QPainter& painter = canvas.painter;
    PointType& point = net.points[static_cast<std::size_t>(i)];
    if (c == OwnColor) c = point.color;
    const PointOptionType& o = PointOptionsInForce(net, i);
    const bool drag = canvas.dragging;
    painter.setPen(ThinPen(c));
    SetCanvasFont(painter, net.defaultOptions.fontSize, canvas.picture);
    if (o.showBorder != 0) DrawPointBorder(canvas, net, i, c);
    if (o.showNumber != 0 && !drag && !IsTransition(point.shape)) DrawPointNumber(painter, net, i, c);
    if (c != BackColor && c != OwnColor) point.color = c;
    if (!drag && !canvas.picture) DrawPointLabel(canvas, net, i, c != BackColor);
    painter.setPen(ThinPen(c == BackColor ? 0 : c));
    painter.setBrush(Qt::NoBrush);
}

void DrawPointLabel(NetCanvas& canvas, const NetWorkType& net, int i, bool visible) {
    if (i < 1 || i > net.n || !HasPointLabel(net, i)) return;
    QPainter& painter = canvas.painter;
    const std::string text = PointLabelText(net, i);
    const TextSize size = MeasureCanvasText(painter, text);
    // Point labels are black whatever the point's colour.
    painter.setBrush(Qt::NoBrush);
    WriteCanvasText(painter, PointLabelPosition(net, i, size.width, size.height), text,
                    visible ? 0 : BackColor, false);
}

void DrawAllPointLabels(NetCanvas& canvas, const NetWorkType& net, bool visible) {
    if (net.view.pointNames == 0 && net.view.tokens == 0) return;
    for (int i = 1; i <= net.n; ++i) {
        const int shape = net.points[static_cast<std::size_t>(i)].shape;
        const bool place = shape == 0 || shape == 1 || shape == 4 || shape == 5;
        if (net.view.pointNames != 0 || place) DrawPointLabel(canvas, net, i, visible);
    }
}

void DrawPointMarks(NetCanvas& canvas, const NetWorkType& net, int i) {
    if (i < 1 || i > net.n) return;
    QPainter& painter = canvas.painter;
    // Not-xor makes the marks toggles; a device without raster operations gets plain marks.
    const bool toggles = painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (toggles) painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    for (const PixelBox& box : SelectionMarkBoxes(net, i)) {
        // A box is outlined by the pen and filled inside it by the brush, never both on one pixel.
        painter.fillRect(QRect(box.left + 1, box.top + 1, box.right - box.left - 2, box.bottom - box.top - 2),
                         ToQColor(0xC0C0C0));
        painter.setPen(ThinPen(0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(OutlineRect(box));
    }
    if (toggles) painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(ThinPen(0));
    painter.setBrush(Qt::NoBrush);
}

void DrawSelectionMarks(NetCanvas& canvas, const NetWorkType& net) {
    if (net.selection.exists == 0) return;
    for (int i = 1; i <= net.n; ++i) {
        if (net.points[static_cast<std::size_t>(i)].selected != 0) DrawPointMarks(canvas, net, i);
    }
}

} // namespace plax
