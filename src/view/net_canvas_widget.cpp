#include "net_canvas_widget.h"

#include "document_context.h"
#include "edit_commands.h"

#include "model/net_store.h"
#include "render/canvas_zoom.h"
#include "render/net_render.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace plax {

namespace {

// Far outside the canvas: where the cache's copy of the net keeps the points that move.
constexpr int OffCanvas = -100000;
// Room around a moving element for its outline, pen width and selection squares.
constexpr int DragMargin = 8;

// One notch of a common wheel, in eighths of a degree.
constexpr int WheelNotch = 120;

QRect BandOutline(const QRect& band) { return band.normalized().adjusted(-2, -2, 2, 2); }

} // namespace

NetCanvasWidget::NetCanvasWidget(DocumentContext& document, CanvasEvents& events, QWidget* parent)
    : QWidget(parent), document_(document), events_(events) {
    SetZoom(ActualZoom);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

// Reached with Tab, the canvas shows a focus frame round what is visible of it; a click gives
// it the focus without one, so the picture stays as drawn.
void NetCanvasWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    tabbedIn_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (tabbedIn_) update();
}

void NetCanvasWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (tabbedIn_) update();
    tabbedIn_ = false;
}

void NetCanvasWidget::ShowFocusFrame(QPainter& painter) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(visibleRegion().boundingRect().adjusted(1, 1, -2, -2));
}

void NetCanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Fifteen points draw in no time; the clip only spares the pixels nobody sees.
    painter.setClipRegion(event->region());
    if (Dragging()) {
        PaintDrag(painter, event->rect());
    } else {
        painter.fillRect(event->rect(), Qt::white);
        NetCanvas canvas = ZoomedCanvas(painter);
        RedrawNet(canvas, document_.Net(), OwnColor);
        DrawInverted(canvas);
        painter.resetTransform();
    }
    // The band is drawn in widget pixels: a thin dotted line at every zoom.
    if (band_ && document_.Net().selection.exists != 0) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        // A QRect outline ends on its last pixel; the same corners, scaled.
        painter.drawRect(ZoomedExactly(band_->normalized().adjusted(0, 0, -1, -1)));
    }
    if (tabbedIn_ && hasFocus()) {
        painter.setClipping(false);
        ShowFocusFrame(painter);
    }
}

void NetCanvasWidget::SetZoom(int percent) {
    zoom_ = ClampZoom(percent);
    const auto side = static_cast<int>(std::lround(ZoomedCoordinate(CanvasSize, zoom_)));
    setFixedSize(side, side);
    // A cache drawn at the old zoom would show the rest of the net at the wrong size.
    if (Dragging()) RenderCache(visibleRegion().boundingRect());
    update();
}

QRectF NetCanvasWidget::ZoomedExactly(const QRect& net) const {
    return {ZoomedCoordinate(net.x(), zoom_), ZoomedCoordinate(net.y(), zoom_),
            ZoomedCoordinate(net.width(), zoom_), ZoomedCoordinate(net.height(), zoom_)};
}

QRect NetCanvasWidget::Zoomed(const QRect& net) const {
    return ZoomedExactly(net).toAlignedRect().adjusted(-1, -1, 1, 1);
}

QPoint NetCanvasWidget::NetPointAt(QPoint widget) const {
    return {NetCoordinate(widget.x(), zoom_), NetCoordinate(widget.y(), zoom_)};
}

CanvasMouse NetCanvasWidget::MouseOf(const QMouseEvent& event) const {
    const QPointF at = event.position();
    return {NetCoordinate(at.x(), zoom_), NetCoordinate(at.y(), zoom_), event.button(), event.buttons(),
            event.modifiers()};
}

NetCanvas NetCanvasWidget::ZoomedCanvas(QPainter& painter) {
    const double scale = zoom_ / 100.0;
    painter.scale(scale, scale);
    ResetCanvas(painter);
    NetCanvas canvas{painter, document_.IsSubNet()};
    canvas.anchors = &anchors_;
    return canvas;
}

void NetCanvasWidget::DrawInverted(NetCanvas& canvas) {
    QPainter& painter = canvas.painter;
    if (!painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) return;
    NetWorkType& net = document_.Net();
    for (int i = 1; i <= net.n; ++i) {
        if (!inverted_[static_cast<std::size_t>(i)]) continue;
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        DrawPoint(canvas, net, i, OwnColor);
    }
    ResetCanvas(painter);
}

void NetCanvasWidget::PaintDrag(QPainter& painter, const QRect& exposed) {
    if (!cacheRect_.contains(exposed)) RenderCache(cacheRect_.united(exposed));
    painter.drawPixmap(cacheRect_.topLeft(), cache_);
    NetCanvas canvas = ZoomedCanvas(painter);
    // No labels, fills, numbers or arrowheads on what moves.
    canvas.dragging = true;
    NetWorkType& net = document_.Net();
    for (int i : movingPoints_)
        DrawPoint(canvas, net, i, OwnColor);
    for (const auto& [from, to] : movingEdges_)
        DrawEdge(canvas, net, from, to, OwnColor);
}

void NetCanvasWidget::RenderCache(const QRect& area) {
    NetWorkType rest = document_.Net();
    rest.selection.exists = 0;
    for (int i : movingPoints_) {
        for (int j = 1; j <= rest.n; ++j) {
            RemoveEdge(rest, i, j);
            RemoveEdge(rest, j, i);
        }
    }
    for (int i : movingPoints_) {
        rest.points[static_cast<std::size_t>(i)].x = OffCanvas;
        rest.points[static_cast<std::size_t>(i)].y = OffCanvas;
    }
    cacheRect_ = area;
    cache_ = QPixmap(area.size());
    cache_.fill(Qt::white);
    QPainter painter(&cache_);
    painter.translate(-area.topLeft());
    NetCanvas canvas = ZoomedCanvas(painter);
    // The rest lacks the moving edges, whose anchors the screen keeps.
    canvas.passAnchors = anchors_;
    canvas.anchors = nullptr;
    RedrawNet(canvas, rest, OwnColor);
}

QRect NetCanvasWidget::MovingBounds() const {
    const NetWorkType& net = document_.Net();
    QRect bounds;
    auto centre = [&net](int i) {
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        return QPoint(p.x, p.y);
    };
    for (int i : movingPoints_) {
        const int r = PointRadius(net, i) + DragMargin;
        bounds |= QRect(centre(i) - QPoint(r, r), centre(i) + QPoint(r, r));
    }
    for (const auto& [from, to] : movingEdges_)
        bounds |= QRect(centre(from), centre(to))
                      .normalized()
                      .adjusted(-DragMargin, -DragMargin, DragMargin, DragMargin);
    return Zoomed(bounds);
}

void NetCanvasWidget::BeginDrag(std::vector<int> points, std::vector<std::pair<int, int>> edges) {
    movingPoints_ = std::move(points);
    movingEdges_ = std::move(edges);
    if (movingPoints_.empty()) return;
    QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty()) visible = rect();
    RenderCache(visible);
    movingRect_ = MovingBounds();
    update(movingRect_);
}

void NetCanvasWidget::DragMoved() {
    if (!Dragging()) return;
    const QRect now = MovingBounds();
    update(movingRect_.united(now));
    movingRect_ = now;
}

void NetCanvasWidget::EndDrag() {
    movingPoints_.clear();
    movingEdges_.clear();
    cache_ = QPixmap();
    cacheRect_ = QRect();
    update();
}

void NetCanvasWidget::SetBand(std::optional<QRect> band) {
    if (band_) update(Zoomed(BandOutline(*band_)));
    band_ = band;
    if (band_) update(Zoomed(BandOutline(*band_)));
}

void NetCanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (tabbedIn_) {
        tabbedIn_ = false;
        update();
    }
    clickPending_ = event->button() == Qt::LeftButton;
    events_.PaintBox1MouseDown(MouseOf(*event));
}

void NetCanvasWidget::mouseMoveEvent(QMouseEvent* event) { events_.PaintBox1MouseMove(MouseOf(*event)); }

void NetCanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        clickPending_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    clickPending_ = false;
    if (click) events_.PaintBox1Click();
    events_.PaintBox1MouseUp(MouseOf(*event));
}

void NetCanvasWidget::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) == 0) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    event->accept();
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / WheelNotch;
    wheelRest_ -= steps * WheelNotch;
    if (steps != 0) events_.CanvasWheelZoom(steps, event->position().toPoint());
}

// Follows the second press of a double-click, whose release is then no click.
void NetCanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    clickPending_ = false;
    if (event->button() == Qt::LeftButton) events_.PaintBox1DblClick(MouseOf(*event));
}

} // namespace plax
