#include "render_support.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QPolygon>

namespace plax {

QColor ToQColor(Color c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QRect OutlineRect(const PixelBox& box) {
    // A painter outlines a rectangle one pixel beyond its width, so the box loses one pixel here.
    return QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
}

void SetCanvasFont(QPainter& painter, int pointSize, bool picture) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    // Point sizes become pixels at 96 per inch, rounded as the character height of a 96-dpi
    // screen font; a size of 0 keeps the canvas's own 12 pixels.
    const int pixels = pointSize > 0 ? (pointSize * 96 + 36) / 72 : CanvasFontPixels;
    font.setPixelSize(pixels);
    if (picture) {
        font.setFamily(QFontInfo(font).family());
    } else {
        // Text is drawn as the lines are, without smoothing, so drawing it in white erases it exactly.
        font.setStyleStrategy(QFont::NoAntialias);
    }
    painter.setFont(font);
}

QPen ThinPen(Color c, Qt::PenStyle style) {
    return QPen(QBrush(ToQColor(c)), 1, style, Qt::FlatCap, Qt::MiterJoin);
}

QString CanvasText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TextSize MeasureCanvasText(const QPainter& painter, const std::string& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    return {metrics.horizontalAdvance(CanvasText(text)), metrics.height()};
}

void WriteCanvasText(QPainter& painter, PixelPoint at, const std::string& text, Color c, bool opaque) {
    if (text.empty()) return;
    const QFontMetrics metrics = painter.fontMetrics();
    const QString s = CanvasText(text);
    if (opaque)
        painter.fillRect(QRect(at.x, at.y, metrics.horizontalAdvance(s), metrics.height()), Qt::white);
    const QPen pen = painter.pen();
    painter.setPen(ThinPen(c));
    painter.drawText(QPoint(at.x, at.y + metrics.ascent()), s);
    painter.setPen(pen);
}

void DrawOutline(QPainter& painter, const PointOutline& outline) {
    switch (outline.kind) {
    case OutlineKind::None: return;
    case OutlineKind::Ellipse: painter.drawEllipse(OutlineRect(outline.box)); return;
    case OutlineKind::Rectangle: painter.drawRect(OutlineRect(outline.box)); return;
    case OutlineKind::RoundRect: {
        const double radius = outline.corner / 2.0;
        painter.drawRoundedRect(OutlineRect(outline.box), radius, radius, Qt::AbsoluteSize);
        return;
    }
    case OutlineKind::Polygon: {
        QPolygon polygon;
        for (int k = 0; k < outline.polyCount; ++k) {
            const PixelPoint p = outline.poly[static_cast<std::size_t>(k)];
            polygon << QPoint(p.x, p.y);
        }
        painter.drawPolygon(polygon, Qt::OddEvenFill);
        return;
    }
    }
}

} // namespace plax
