#pragma once

#include "model/net_types.h"

#include <array>
#include <optional>

namespace plax {

// Canvas pixels, x to the right and y downwards.
struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A corner box as the canvas takes it: right and bottom are exclusive.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelBox&) const = default;
};

// Rounds to the nearest integer, halves going to the even neighbour.
int Nearest(double value);

// The options block that governs point i: its own when it has custom options, else the net's.
const PointOptionType& PointOptionsInForce(const NetWorkType& net, int i);

// Half the base of a triangle point of radius r.
int TriangleHalfWidth(int r);
// The corner ellipse of a rounded square of radius r.
int CornerEllipse(int r);

enum class OutlineKind { None, Ellipse, Rectangle, RoundRect, Polygon };

// One outline of a point, in the terms a canvas draws it.
struct PointOutline {
    OutlineKind kind = OutlineKind::None;
    PixelBox box;                     // Ellipse, Rectangle, RoundRect
    int corner = 0;                   // RoundRect: width and height of the corner ellipse
    std::array<PixelPoint, 4> poly{}; // Polygon
    int polyCount = 0;
};

// The outline of point i's shape; `inner` asks for the second outline of a double border, which
// only shapes 0, 1, 4, 5, 6 and 7 have (kind None otherwise).
PointOutline PointOutlineOf(const NetWorkType& net, int i, bool inner = false);

// Top-left corner of the number written inside point i, for a text W wide and H high.
PixelPoint PointNumberPosition(const NetWorkType& net, int i, int textWidth, int textHeight);

// Top-left corner of point i's label, for a text W wide and H high, by its label position.
PixelPoint PointLabelPosition(const NetWorkType& net, int i, int textWidth, int textHeight);

struct EndOffsets {
    bool drawable = false;
    int dxFrom = 0;
    int dyFrom = 0;
    int dxTo = 0;
    int dyTo = 0;
    bool operator==(const EndOffsets&) const = default;
};

// Where an edge of the given shape leaves point `from` and enters point `to`, as offsets from
// their centres; not drawable when the two outlines touch or overlap.
EndOffsets EdgeEndOffsets(const NetWorkType& net, int from, int to, int shape);

// The drawn course of one edge: a straight line or a connector with a bevelled corner.
struct EdgePath {
    int from = 0; // the pair as drawn: smaller number first on an undirected net
    int to = 0;
    std::array<PixelPoint, 4> points{};
    int pointCount = 0;
    PixelPoint anchor;
    PixelPoint arrowFrom;
    PixelPoint arrowTo;
};

// The course of edge (from, to), or nothing when there is no such edge or it is not drawable.
std::optional<EdgePath> EdgePathOf(const NetWorkType& net, int from, int to);

struct ArrowWings {
    PixelPoint w1;
    PixelPoint w2;
    bool operator==(const ArrowWings&) const = default;
};

// The ends of the two strokes of an open arrowhead at (x2, y2) pointing along (x1, y1) -> (x2, y2).
ArrowWings ArrowWingPoints(int x1, int y1, int x2, int y2);

// The four 6 x 6 selection squares just outside the corners of point i.
std::array<PixelBox, 4> SelectionMarkBoxes(const NetWorkType& net, int i);

// The small circle drawn at an edge anchor.
PixelBox EdgeHandleBox(PixelPoint anchor);

} // namespace plax
