#include "net_geometry.h"

#include "model/net_store.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace plax {

namespace {

// Coordinates far outside any canvas are pulled in, so the arithmetic below cannot overflow.
constexpr std::int32_t CoordLimit = 1 << 28;

int CanvasCoord(std::int32_t v) { return std::clamp(v, -CoordLimit, CoordLimit); }

PixelPoint CentreOf(const NetWorkType& net, int i) {
    const PointType& p = net.points[static_cast<std::size_t>(i)];
    return {CanvasCoord(p.x), CanvasCoord(p.y)};
}

int ShapeOf(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)].shape; }

int Sign(int v) { return (v > 0) - (v < 0); }

bool IsTriangle(int shape) { return shape == 6 || shape == 7; }

PixelBox Square(PixelPoint c, int r) { return {c.x - r, c.y - r, c.x + r, c.y + r}; }

PixelBox Inset(PixelBox b, int d) { return {b.left + d, b.top + d, b.right - d, b.bottom - d}; }

PointOutline BoxOutline(OutlineKind kind, PixelBox box, int corner = 0) {
    PointOutline o;
    o.kind = kind;
    o.box = box;
    o.corner = corner;
    return o;
}

PointOutline PolygonOutline(std::initializer_list<PixelPoint> points) {
    PointOutline o;
    o.kind = OutlineKind::Polygon;
    for (PixelPoint p : points)
        o.poly[static_cast<std::size_t>(o.polyCount++)] = p;
    return o;
}

PointOutline InnerOutline(int shape, PixelPoint c, int r, int h) {
    const auto [x, y] = c;
    switch (shape) {
    case 0: return BoxOutline(OutlineKind::Ellipse, Inset(Square(c, r), 2));
    case 1: return BoxOutline(OutlineKind::Rectangle, Inset(Square(c, r), 2));
    case 4: return PolygonOutline({{x - r + 2, y}, {x, y - r + 2}, {x + r - 2, y}, {x, y + r - 2}});
    case 5: return BoxOutline(OutlineKind::RoundRect, Inset(Square(c, r), 2), CornerEllipse(r));
    case 6: return PolygonOutline({{x, y - r + 3}, {x - h + 3, y + r - 2}, {x + h - 3, y + r - 2}});
    case 7: return PolygonOutline({{x, y + r - 3}, {x + h - 3, y - r + 2}, {x - h + 3, y - r + 2}});
    default: return {};
    }
}

} // namespace

int Nearest(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result = below + 1.0;
    return static_cast<int>(result);
}

const PointOptionType& PointOptionsInForce(const NetWorkType& net, int i) {
    const PointType& p = net.points[static_cast<std::size_t>(i)];
    return p.customOptions != 0 ? p.options : net.defaultOptions;
}

int TriangleHalfWidth(int r) { return r + r / 3; }

int CornerEllipse(int r) {
    if (r < 6) return 4;
    if (r < 9) return 6;
    return 8;
}

PointOutline PointOutlineOf(const NetWorkType& net, int i, bool inner) {
    const PixelPoint c = CentreOf(net, i);
    const int r = PointRadius(net, i);
    const int h = TriangleHalfWidth(r);
    const int shape = ShapeOf(net, i);
    if (inner) return InnerOutline(shape, c, r, h);
    const auto [x, y] = c;
    switch (shape) {
    case 0: return BoxOutline(OutlineKind::Ellipse, Square(c, r));
    case 1: return BoxOutline(OutlineKind::Rectangle, Square(c, r));
    case 2: return BoxOutline(OutlineKind::Rectangle, {x - 1, y - r, x + 1, y + r});
    case 3: return BoxOutline(OutlineKind::Rectangle, {x - r, y - 1, x + r, y + 1});
    case 4: return PolygonOutline({{x - r, y}, {x, y - r}, {x + r, y}, {x, y + r}});
    case 5: return BoxOutline(OutlineKind::RoundRect, Square(c, r), CornerEllipse(r));
    case 6: return PolygonOutline({{x, y - r}, {x - h, y + r}, {x + h, y + r}});
    case 7: return PolygonOutline({{x, y + r}, {x + h, y - r}, {x - h, y - r}});
    default: return {};
    }
}

PixelPoint PointNumberPosition(const NetWorkType& net, int i, int textWidth, int textHeight) {
    const auto [x, y] = CentreOf(net, i);
    const int r = PointRadius(net, i);
    switch (ShapeOf(net, i)) {
    case 6: return {x - textWidth / 2, y + r - textHeight}; // the wide lower part
    case 7: return {x - textWidth / 2, y - r};
    default: return {x - textWidth / 2, y - textHeight / 2};
    }
}

PixelPoint PointLabelPosition(const NetWorkType& net, int i, int textWidth, int textHeight) {
    const auto [x, y] = CentreOf(net, i);
    const int r = PointRadius(net, i);
    const int w = textWidth;
    const int h = textHeight;
    switch (net.points[static_cast<std::size_t>(i)].labelPosition) {
    case 1: return {x - r - w - 2, y - r - h / 2 - 2};
    case 2: return {x - r - w - 4, y - h / 2};
    case 3: return {x - r - w - 2, y + r - h / 2 + 2};
    case 4: return {x - w / 2, y + r};
    case 5: return {x + r + 2, y + r - h / 2 + 2};
    case 6: return {x + r + 4, y - h / 2};
    case 7: return {x + r + 2, y - r - h / 2 - 2};
    default: return {x - w / 2, y - r - h}; // 0, and any code a file may carry beyond 7
    }
}

namespace {

// One end point of an edge as EdgeEndOffsets sees it.
struct EndPoint {
    PixelPoint c;
    int shape;
    int r;
    int h; // half extents
    int v;
    int t; // half base of a triangle
    int s; // how far a connector leaves it sideways
};

EndPoint EndPointOf(const NetWorkType& net, int i) {
    EndPoint e;
    e.c = CentreOf(net, i);
    e.shape = ShapeOf(net, i);
    e.r = PointRadius(net, i);
    e.h = e.shape == 2 ? 1 : e.r;
    e.v = e.shape == 3 ? 1 : e.r;
    e.t = e.h + e.h / 3;
    e.s = IsTriangle(e.shape) ? e.t / 2 : e.h;
    return e;
}

int CornerInset(const EndPoint& e) {
    if (e.shape == 4) return e.r / 2;
    if (e.shape != 0 || e.r == 0) return 0;
    if (e.r <= 6) return 1;
    if (e.r <= 10) return 3;
    return 4;
}

// The end of a straight diagonal edge at A; the end at B is its mirror, with gx, gy negated
// and the triangle cases chosen by the opposite vertical direction.
PixelPoint LineEnd(const EndPoint& e, int gx, int gy, bool leavesDownward) {
    if (e.shape == 6) {
        if (leavesDownward) return {-gx * e.t, e.v};
        return {-gx * (e.t / 4 + 1), -(e.v / 2)};
    }
    if (e.shape == 7) {
        if (leavesDownward) return {-gx * (e.t / 4 + 1), e.v / 2};
        return {-gx * e.t, -e.v};
    }
    const int inset = CornerInset(e);
    return {-gx * (e.h - inset), -gy * (e.v - inset)};
}

EndOffsets Offsets(PixelPoint a, PixelPoint b) { return {true, a.x, a.y, b.x, b.y}; }

EndOffsets DiagonalOffsets(const EndPoint& a, const EndPoint& b, int gx, int gy, int shape) {
    if (shape == 3) {
        if (gy <= 0) return Offsets({-gx * a.s, 0}, {0, -b.v});
        return Offsets({0, -a.v}, {gx * b.s, 0});
    }
    if (shape == 4) {
        if (gy < 0) return Offsets({0, a.v}, {gx * b.s, 0});
        return Offsets({-gx * a.s, 0}, {0, b.v});
    }
    // "Line", and the shapes the dialogs do not offer, which keep the straight line too.
    return Offsets(LineEnd(a, gx, gy, gy <= 0), LineEnd(b, -gx, -gy, gy >= 0));
}

} // namespace

EndOffsets EdgeEndOffsets(const NetWorkType& net, int from, int to, int shape) {
    const EndPoint a = EndPointOf(net, from);
    const EndPoint b = EndPointOf(net, to);
    const int gx = Sign(a.c.x - b.c.x);
    const int gy = Sign(a.c.y - b.c.y);
    const int dx = std::abs(a.c.x - b.c.x);
    const int dy = std::abs(a.c.y - b.c.y);
    if (dx <= a.h + b.h && dy <= a.v + b.v) return {};
    if (dx < 24) return Offsets({0, -gy * a.v}, {0, gy * b.v});
    if (dy < 24) {
        const int ax = IsTriangle(a.shape) ? (-gx * a.t) / 2 : -gx * a.h;
        const int bx = IsTriangle(b.shape) ? (gx * b.t) / 2 : gx * b.h;
        return Offsets({ax, 0}, {bx, 0});
    }
    return DiagonalOffsets(a, b, gx, gy, shape);
}

namespace {

void SetPath(EdgePath& path, std::initializer_list<PixelPoint> points, PixelPoint anchor,
             PixelPoint arrowFrom) {
    path.pointCount = 0;
    for (PixelPoint p : points)
        path.points[static_cast<std::size_t>(path.pointCount++)] = p;
    path.anchor = anchor;
    path.arrowFrom = arrowFrom;
    path.arrowTo = *(points.end() - 1);
}

int Midway(int a, int b) { return std::min(a, b) + Nearest(std::abs(a - b) / 2.0); }

// A connector runs along two sides of the box spanned by p1 and p2 and cuts its corner by 4.
void ConnectorPath(EdgePath& path, int shape, PixelPoint p1, PixelPoint p2) {
    const int sx = p1.x >= p2.x ? 1 : -1;
    const bool p1Above = p1.y < p2.y;
    const PixelPoint upper = {p2.x + 4 * sx, p1.y}; // turn near p2's column on p1's row
    const PixelPoint lower = {p1.x - 4 * sx, p2.y}; // turn near p1's column on p2's row
    if (shape == 3 && p1Above) {
        SetPath(path, {p1, upper, {p2.x, p1.y + 4}, p2}, upper, {p2.x, p1.y - 4});
    } else if (shape == 3) {
        SetPath(path, {p1, {p1.x, p2.y + 4}, lower, p2}, lower, lower);
    } else if (p1Above) {
        SetPath(path, {p1, {p1.x, p2.y - 4}, lower, p2}, lower, lower);
    } else {
        SetPath(path, {p1, upper, {p2.x, p1.y - 4}, p2}, upper, {p2.x, p1.y + 4});
    }
}

} // namespace

std::optional<EdgePath> EdgePathOf(const NetWorkType& net, int from, int to) {
    if (from < 1 || to < 1 || from > MaxPoints || to > MaxPoints || from == to) return std::nullopt;
    if (IsUndirected(net) && from > to) std::swap(from, to);
    const EdgeType* edge = FindEdge(net, from, to);
    if (edge == nullptr) return std::nullopt;
    const int shape = static_cast<int>(std::min<std::uint32_t>(edge->shape, 1000));
    const EndOffsets off = EdgeEndOffsets(net, from, to, shape);
    if (!off.drawable) return std::nullopt;
    const PixelPoint a = CentreOf(net, from);
    const PixelPoint b = CentreOf(net, to);
    const PixelPoint p1 = {a.x + off.dxFrom, a.y + off.dyFrom};
    const PixelPoint p2 = {b.x + off.dxTo, b.y + off.dyTo};
    EdgePath path;
    path.from = from;
    path.to = to;
    const bool nearlyStraight = std::abs(a.x - b.x) < 24 || std::abs(a.y - b.y) < 24;
    if ((shape == 3 || shape == 4) && !nearlyStraight) {
        ConnectorPath(path, shape, p1, p2);
    } else {
        SetPath(path, {p1, p2}, {Midway(p1.x, p2.x), Midway(p1.y, p2.y)}, p1);
    }
    return path;
}

namespace {

// Step 4 of the arrowhead: a wing more than 8 pixels across is pulled in by one pixel.
PixelPoint PullWing(PixelPoint w, int x2, int y2) {
    if (std::abs(x2 - w.x) > 8) {
        w.x += x2 - w.x >= 0 ? 1 : -1;
        w.y -= y2 - w.y >= 0 ? 1 : -1;
    }
    return w;
}

} // namespace

ArrowWings ArrowWingPoints(int x1, int y1, int x2, int y2) {
    const int adx = std::abs(x2 - x1);
    const int ady = std::abs(y2 - y1);
    const int sx = x2 >= x1 ? 1 : -1;
    const int sy = y2 >= y1 ? 1 : -1;
    ArrowWings w;
    if (ady < adx) {
        const int t = Nearest(8.0 * ady / adx);
        const int k = t / 2;
        w.w1 = {x2 - 8 * sx + k, y2 - t * sy - 3 * sx * sy};
        w.w2 = {x2 - 8 * sx - k, y2 - t * sy + 3 * sx * sy};
    } else {
        const double q = ady == 0 ? 1.0 : static_cast<double>(adx) / ady;
        const int t = Nearest(8.0 * q);
        const int k = t / 2;
        w.w1 = {x2 - t * sx - 3 * sx * sy, y2 - 8 * sy + k};
        w.w2 = {x2 - t * sx + 3 * sx * sy, y2 - 8 * sy - k};
    }
    return {PullWing(w.w1, x2, y2), PullWing(w.w2, x2, y2)};
}

std::array<PixelBox, 4> SelectionMarkBoxes(const NetWorkType& net, int i) {
    const auto [x, y] = CentreOf(net, i);
    const int s = PointRadius(net, i);
    int hx = s;
    int hy = s;
    switch (ShapeOf(net, i)) {
    case 2: hx = 3; break;
    case 3: hy = 3; break;
    case 5: hx = hy = s - 2; break;
    case 0:
    case 4: hx = hy = s - s / 3; break;
    default: break;
    }
    hx = std::max(hx, 1);
    hy = std::max(hy, 1);
    return {
        PixelBox{x - hx - 6, y - hy - 6, x - hx, y - hy}, PixelBox{x + hx, y + hy, x + hx + 6, y + hy + 6},
        PixelBox{x + hx, y - hy - 6, x + hx + 6, y - hy}, PixelBox{x - hx - 6, y + hy, x - hx, y + hy + 6}};
}

PixelBox EdgeHandleBox(PixelPoint anchor) { return {anchor.x - 3, anchor.y - 3, anchor.x + 3, anchor.y + 3}; }

} // namespace plax
