#include "model/net_store.h"
#include "net_render.h"
#include "picture_geometry.h"
#include "render_support.h"

#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>

namespace plax {

namespace {

// A width other than 1 draws solid (above 5 as 1); width 1 takes the edge's line style.
QPen EdgePen(const EdgeType& edge, Color c) {
    if (edge.lineWidth != 1) {
        const int width = edge.lineWidth > 5 ? 1 : edge.lineWidth;
        return QPen(QBrush(ToQColor(c)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                              Qt::DashDotDotLine};
    return ThinPen(c, edge.lineStyle < 5 ? styles[edge.lineStyle] : Qt::SolidLine);
}

QPoint ToQPoint(PixelPoint p) { return QPoint(p.x, p.y); }

void DrawEdgeHandle(QPainter& painter, const NetWorkType& net, int from, int to, const EdgeLabelPlan& plan,
                    bool visible) {
    // The pen is the edge's stored colour; a decomposed edge's handle is filled with it.
    const Color pen = visible ? static_cast<Color>(GetEdgeField(net, EdgeFieldColor, from, to)) : BackColor;
    painter.setPen(ThinPen(pen));
    painter.setBrush(ToQColor(plan.handleFilled ? pen : BackColor));
    painter.drawEllipse(OutlineRect(plan.handleBox));
}

bool EdgeLabelsShown(const NetWorkType& net) { return EdgeTextsShown(net) || net.view.edgeLabels != 0; }

QPointF ToQPointF(PixelPoint p) { return QPointF(p.x, p.y); }

// One edge of a directed pair in a picture: its own curve, arrow and label, at the curve's apex.
void DrawBentEdge(NetCanvas& canvas, NetWorkType& net, const EdgePath& path, const BentCourse& bent,
                  Color c) {
    QPainter& painter = canvas.painter;
    const EdgeType& edge = *FindEdge(net, path.from, path.to);
    painter.setPen(EdgePen(edge, c == OwnColor ? edge.color : c));
    painter.setBrush(Qt::NoBrush);
    QPainterPath curve(ToQPointF(bent.start));
    curve.quadTo(ToQPointF(bent.control), ToQPointF(bent.end));
    painter.drawPath(curve);
    DrawArrow(painter, bent.control.x, bent.control.y, bent.end.x, bent.end.y);
    EdgePath apex = path;
    apex.anchor = bent.middle;
    if (c != BackColor) canvas.Anchors().Store(net, apex.from, apex.to, apex.anchor);
    if (EdgeTextsShown(net)) {
        const std::string text = EdgeLabelText(net, path.from, path.to);
        const TextSize size = MeasureCanvasText(painter, text);
        const PixelPoint at = {bent.middle.x - size.width / 2, bent.middle.y - size.height / 2};
        WriteCanvasText(painter, at, text, c == BackColor ? BackColor : 0, true);
    } else if (net.view.edgeLabels != 0) {
        EdgeLabelPlan plan;
        plan.handleFilled = edge.subNet != nullptr;
        plan.handleBox = EdgeHandleBox(bent.middle);
        DrawEdgeHandle(painter, net, path.from, path.to, plan, c != BackColor);
    }
    if (c != BackColor && c != OwnColor) SetEdgeField(net, EdgeFieldColor, path.from, path.to, c);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ThinPen(0));
}

} // namespace

void DrawEdge(NetCanvas& canvas, NetWorkType& net, int from, int to, Color c) {
    const auto path = EdgePathOf(net, from, to);
    if (!path) return; // no such edge, or its end points touch: nothing drawn, stored or labelled
    if (const auto bent = canvas.picture ? BentCourseOf(net, *path) : std::nullopt) {
        DrawBentEdge(canvas, net, *path, *bent, c);
        return;
    }
    QPainter& painter = canvas.painter;
    const EdgeType& edge = *FindEdge(net, path->from, path->to);
    const QPen pen = EdgePen(edge, c == OwnColor ? edge.color : c);
    painter.setPen(pen);
    QPolygon line;
    for (int k = 0; k < path->pointCount; ++k)
        line << ToQPoint(path->points[static_cast<std::size_t>(k)]);
    painter.drawPolyline(line);
    const bool drag = canvas.dragging;
    if (!IsUndirected(net) && !drag) {
        DrawArrow(painter, path->arrowFrom.x, path->arrowFrom.y, path->arrowTo.x, path->arrowTo.y);
    }
    if (c != BackColor) canvas.Anchors().Store(net, path->from, path->to, path->anchor);
    if (EdgeLabelsShown(net) && !drag) DrawEdgeLabel(canvas, net, path->from, path->to, c != BackColor);
    if (c != BackColor && c != OwnColor) SetEdgeField(net, EdgeFieldColor, path->from, path->to, c);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ThinPen(0));
}

void DrawArrow(QPainter& painter, int x1, int y1, int x2, int y2) {
    const ArrowWings wings = ArrowWingPoints(x1, y1, x2, y2);
    QPen pen = painter.pen();
    pen.setStyle(Qt::SolidLine);
    painter.setPen(pen);
    painter.drawLine(QPoint(x2, y2), ToQPoint(wings.w1));
    painter.drawLine(QPoint(x2, y2), ToQPoint(wings.w2));
}

void DrawEdgeLabel(NetCanvas& canvas, const NetWorkType& net, int from, int to, bool visible) {
    QPainter& painter = canvas.painter;
    const auto measure = [&painter](const std::string& text) { return MeasureCanvasText(painter, text); };
    const EdgeLabelPlan plan = EdgeLabelLayout(net, canvas.Anchors(), from, to, visible, measure);
    const Color ink = visible ? 0 : BackColor;
    for (const PlacedText& text : plan.texts)
        WriteCanvasText(painter, text.topLeft, text.text, ink, true);
    if (plan.handle) DrawEdgeHandle(painter, net, from, to, plan, visible);
    painter.setPen(ThinPen(0));
}

void DrawAllEdgeLabels(NetCanvas& canvas, const NetWorkType& net, bool visible) {
    if (net.n < 2 || EdgeCount(net) == 0) return;
    const bool directed = !IsUndirected(net);
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& edge : net.lists[static_cast<std::size_t>(i)]) {
            const int j = edge.target;
            if (i < j || (i > j && directed)) DrawEdgeLabel(canvas, net, i, j, visible);
        }
    }
}

} // namespace plax
