#include "wmf_paint_engine.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QTextItem>

#include <cmath>

namespace plax {

namespace {

Color ToColor(const QColor& c) {
    return static_cast<Color>(c.red()) | static_cast<Color>(c.green()) << 8 |
           static_cast<Color>(c.blue()) << 16;
}

int PenStyleOf(Qt::PenStyle style) {
    switch (style) {
    case Qt::NoPen: return WmfPenNull;
    case Qt::DashLine: return WmfPenDash;
    case Qt::DotLine: return WmfPenDot;
    case Qt::DashDotLine: return WmfPenDashDot;
    case Qt::DashDotDotLine: return WmfPenDashDotDot;
    default: return WmfPenSolid;
    }
}

int FontPixels(const QFont& font) {
    if (font.pixelSize() > 0) return font.pixelSize();
    return static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
}

} // namespace

WmfPaintEngine::WmfPaintEngine(int width, int height)
    : QPaintEngine(QPaintEngine::AllFeatures), width_(width), height_(height) {}

bool WmfPaintEngine::begin(QPaintDevice*) {
    writer_.emplace(width_, height_);
    penSelected_.reset();
    brushSelected_.reset();
    fontSelected_.reset();
    textColor_.reset();
    fillMode_.reset();
    rop_.reset();
    bkMode_.reset();
    bkColor_.reset();
    penSlot_ = brushSlot_ = fontSlot_ = -1;
    writer_->SetTextAlign(WmfTextAlignBaseline); // text items come with their baseline point
    return true;
}

bool WmfPaintEngine::end() {
    if (writer_) bytes_ = writer_->Finish();
    writer_.reset();
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& state) {
    const auto dirty = state.state();
    if (dirty & DirtyPen) pen_ = state.pen();
    if (dirty & DirtyBrush) brush_ = state.brush();
    if (dirty & DirtyTransform) transform_ = state.transform();
    if (dirty & DirtyBackgroundMode) bgMode_ = state.backgroundMode();
    if (dirty & DirtyBackground) background_ = state.backgroundBrush();
    if (dirty & DirtyCompositionMode) composition_ = state.compositionMode();
}

PixelPoint WmfPaintEngine::Map(const QPointF& p) const {
    const QPointF m = transform_.map(p);
    return {static_cast<int>(std::lround(m.x())), static_cast<int>(std::lround(m.y()))};
}

PixelBox WmfPaintEngine::MapBox(const QRectF& rect) const {
    // A painter covers one pixel more to the right and below than the rectangle's size, as a
    // GDI box with exclusive right and bottom edges does one pixel further out.
    const QRectF r = transform_.mapRect(rect.normalized());
    const PixelPoint a = {static_cast<int>(std::lround(r.left())), static_cast<int>(std::lround(r.top()))};
    const PixelPoint b = {static_cast<int>(std::lround(r.right())),
                          static_cast<int>(std::lround(r.bottom()))};
    return {a.x, a.y, b.x + 1, b.y + 1};
}

void WmfPaintEngine::SyncPen() {
    const int width = std::max(
        1, static_cast<int>(std::lround(pen_.widthF() * std::sqrt(std::abs(transform_.determinant())))));
    const PenKey key = {PenStyleOf(pen_.style()), width, ToColor(pen_.color())};
    if (penSelected_ == key) return;
    const int slot = writer_->CreatePen(key.style, key.width, key.color);
    writer_->SelectObject(slot);
    if (penSlot_ >= 0) writer_->DeleteObject(penSlot_);
    penSlot_ = slot;
    penSelected_ = key;
}

void WmfPaintEngine::SyncBrush() {
    const BrushKey key = brush_.style() == Qt::NoBrush ? BrushKey{WmfBrushNull, 0}
                                                       : BrushKey{WmfBrushSolid, ToColor(brush_.color())};
    if (brushSelected_ == key) return;
    const int slot = writer_->CreateBrush(key.style, key.color);
    writer_->SelectObject(slot);
    if (brushSlot_ >= 0) writer_->DeleteObject(brushSlot_);
    brushSlot_ = slot;
    brushSelected_ = key;
}

void WmfPaintEngine::SyncShapeState() {
    SyncPen();
    SyncBrush();
    const int rop =
        composition_ == QPainter::RasterOp_NotSourceXorDestination ? WmfRopNotXorPen : WmfRopCopyPen;
    if (rop_ != rop) writer_->SetRop2(rop);
    rop_ = rop;
}

void WmfPaintEngine::SyncFont(const QFont& font) {
    // A negative height asks for the character height without internal leading: the pixel size.
    FontKey key = {-FontPixels(font), font.weight(), font.italic(), font.family().toLatin1().toStdString()};
    if (fontSelected_ == key) return;
    const int slot = writer_->CreateFont(key.height, key.weight, key.italic, key.face);
    writer_->SelectObject(slot);
    if (fontSlot_ >= 0) writer_->DeleteObject(fontSlot_);
    fontSlot_ = slot;
    fontSelected_ = std::move(key);
}

void WmfPaintEngine::SyncText() {
    const Color ink = ToColor(pen_.color());
    if (textColor_ != ink) writer_->SetTextColor(ink);
    textColor_ = ink;
    const int mode = bgMode_ == Qt::OpaqueMode ? WmfOpaque : WmfTransparent;
    if (bkMode_ != mode) writer_->SetBkMode(mode);
    bkMode_ = mode;
    const Color back = ToColor(background_.color());
    if (mode == WmfOpaque && bkColor_ != back) {
        writer_->SetBkColor(back);
        bkColor_ = back;
    }
    const int rop = WmfRopCopyPen;
    if (rop_ != rop) writer_->SetRop2(rop);
    rop_ = rop;
}

void WmfPaintEngine::drawRects(const QRect* rects, int rectCount) {
    for (int k = 0; k < rectCount; ++k)
        DrawBox(QRectF(rects[k]));
}

void WmfPaintEngine::drawRects(const QRectF* rects, int rectCount) {
    for (int k = 0; k < rectCount; ++k)
        DrawBox(rects[k]);
}

void WmfPaintEngine::DrawBox(const QRectF& rect) {
    if (!writer_) return;
    SyncShapeState();
    writer_->Rectangle(MapBox(rect));
}

void WmfPaintEngine::drawLines(const QLine* lines, int lineCount) {
    for (int k = 0; k < lineCount; ++k) {
        const QLineF line(lines[k]);
        drawLines(&line, 1);
    }
}

void WmfPaintEngine::drawLines(const QLineF* lines, int lineCount) {
    if (!writer_) return;
    SyncShapeState();
    for (int k = 0; k < lineCount; ++k) {
        const PixelPoint a = Map(lines[k].p1());
        const PixelPoint b = Map(lines[k].p2());
        writer_->MoveTo(a.x, a.y);
        writer_->LineTo(b.x, b.y);
    }
}

void WmfPaintEngine::drawEllipse(const QRect& rect) { drawEllipse(QRectF(rect)); }

void WmfPaintEngine::drawEllipse(const QRectF& rect) {
    if (!writer_) return;
    SyncShapeState();
    writer_->Ellipse(MapBox(rect));
}

void WmfPaintEngine::drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) {
    std::vector<PixelPoint> mapped;
    for (int k = 0; k < pointCount; ++k)
        mapped.push_back(Map(QPointF(points[k])));
    DrawPoints(mapped, mode);
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) {
    std::vector<PixelPoint> mapped;
    for (int k = 0; k < pointCount; ++k)
        mapped.push_back(Map(points[k]));
    DrawPoints(mapped, mode);
}

void WmfPaintEngine::DrawPoints(const std::vector<PixelPoint>& points, PolygonDrawMode mode) {
    if (!writer_ || points.empty()) return;
    SyncShapeState();
    if (mode == PolylineMode && points.size() == 2) {
        // A single segment as a move and a line, which every metafile reader draws; some
        // readers skip polyline records.
        writer_->MoveTo(points[0].x, points[0].y);
        writer_->LineTo(points[1].x, points[1].y);
        return;
    }
    if (mode == PolylineMode) {
        writer_->Polyline(points);
        return;
    }
    const int fill = mode == WindingMode ? WmfWinding : WmfAlternate;
    if (fillMode_ != fill) writer_->SetPolyFillMode(fill);
    fillMode_ = fill;
    writer_->Polygon(points);
}

bool WmfPaintEngine::DrawRoundedRectPath(const QPainterPath& path) {
    // A painter hands a rounded rectangle over as its path; it is recognised by rebuilding it.
    if (path.elementCount() < 2 || !path.elementAt(0).isMoveTo() || transform_.type() > QTransform::TxScale) {
        return false;
    }
    const QRectF box = path.boundingRect();
    const double ry = path.elementAt(0).y - box.top();
    for (int k = 1; k < path.elementCount(); ++k) {
        const QPainterPath::Element e = path.elementAt(k);
        if (std::abs(e.y - box.top()) > 1e-9 || ry <= 0) continue;
        const double rx = e.x - box.left();
        if (rx <= 0) continue;
        QPainterPath candidate;
        candidate.addRoundedRect(box, rx, ry);
        if (!(candidate == path)) continue;
        SyncShapeState();
        const double sx = std::abs(transform_.m11());
        const double sy = std::abs(transform_.m22());
        writer_->RoundRect(MapBox(box), static_cast<int>(std::lround(2 * rx * sx)),
                           static_cast<int>(std::lround(2 * ry * sy)));
        return true;
    }
    return false;
}

void WmfPaintEngine::drawPath(const QPainterPath& path) {
    if (!writer_ || DrawRoundedRectPath(path)) return;
    const PolygonDrawMode mode = brush_.style() == Qt::NoBrush        ? PolylineMode
                                 : path.fillRule() == Qt::WindingFill ? WindingMode
                                                                      : OddEvenMode;
    for (const QPolygonF& polygon : path.toSubpathPolygons())
        drawPolygon(polygon.constData(), static_cast<int>(polygon.size()), mode);
}

void WmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
    if (!writer_) return;
    SyncFont(textItem.font());
    SyncText();
    const PixelPoint at = Map(p);
    writer_->TextOut(at.x, at.y, textItem.text().toLatin1().toStdString());
}

void WmfPaintEngine::drawPixmap(const QRectF&, const QPixmap&, const QRectF&) {
    // Net pictures hold no pixmaps; a metafile of ours has no bitmap records.
}

} // namespace plax
