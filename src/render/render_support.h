#pragma once

#include "model/net_types.h"
#include "net_geometry.h"
#include "net_labels.h"

#include <QColor>
#include <QPen>
#include <QRect>
#include <QString>

#include <string>

class QPainter;

namespace plax {

QColor ToQColor(Color c);

// A canvas box (right and bottom exclusive) as the rectangle a painter outlines over the same
// pixels.
QRect OutlineRect(const PixelBox& box);

// The one canvas face, at a size given in points as the options blocks hold it. A picture asks
// for the face that stands in for it on this machine by name, so that an SVG names a font its
// viewer can find, and lets the text be smoothed.
void SetCanvasFont(QPainter& painter, int pointSize, bool picture = false);
inline constexpr int CanvasFontPixels = 12;

// A pen of width 1 in the given style: the pen of outlines, handles and labels.
QPen ThinPen(Color c, Qt::PenStyle style = Qt::SolidLine);

// Names are 8-bit text that is shown byte for byte.
QString CanvasText(const std::string& text);

TextSize MeasureCanvasText(const QPainter& painter, const std::string& text);

// Writes text with its top-left corner at `at` in colour c; an opaque text first covers its
// box with white, so the line beneath does not show through.
void WriteCanvasText(QPainter& painter, PixelPoint at, const std::string& text, Color c, bool opaque);

// Draws one point outline with the painter's pen and brush.
void DrawOutline(QPainter& painter, const PointOutline& outline);

} // namespace plax
