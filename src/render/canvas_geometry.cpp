#include "canvas_geometry.h"

#include "model/net_store.h"
#include "model/text_utils.h"
#include "net_geometry.h"
#include "net_labels.h"
#include "render_support.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace plax {

namespace {

PointType& PointOf(NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }
const PointType& PointOf(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

std::int32_t& Coordinate(PointType& p, Axis axis) { return axis == Axis::X ? p.x : p.y; }

std::int32_t ClampToInt(std::int64_t v) {
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(v, lo, hi));
}

// Only a selection of two or more points is scaled on its own; a single point has no extent.
bool ScalesSelection(const NetWorkType& net) {
    if (net.selection.exists == 0) return false;
    int count = 0;
    for (int i = 1; i <= net.n; ++i)
        if (PointOf(net, i).selected != 0) ++count;
    return count >= 2;
}

std::int64_t Span(const Extent& e, Axis axis) {
    return axis == Axis::X ? std::int64_t{e.maxX} - e.minX : std::int64_t{e.maxY} - e.minY;
}

// Scales one axis by (d + delta) / d about the extent's centre; false when the extent is flat.
bool ScaleAxis(NetWorkType& net, Axis axis, int delta, bool selectedOnly) {
    if (net.n == 0) return false;
    const Extent e = PointsExtent(net, selectedOnly);
    const std::int64_t d = Span(e, axis);
    if (d == 0) return false;
    const std::int64_t sum = axis == Axis::X ? std::int64_t{e.maxX} + e.minX : std::int64_t{e.maxY} + e.minY;
    const std::int64_t c = sum / 2; // truncates toward zero
    const double f = static_cast<double>(d + delta) / static_cast<double>(d);
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = PointOf(net, i);
        if (selectedOnly && p.selected == 0) continue;
        std::int32_t& v = Coordinate(p, axis);
        const double scaled = std::clamp(static_cast<double>(v - c) * f, -2.0e9, 2.0e9);
        v = ClampToInt(Nearest(scaled) + c);
    }
    return true;
}

void Scale(NetWorkType& net, Axis axis, int delta) { ScaleAxis(net, axis, delta, ScalesSelection(net)); }

struct FitTests {
    bool shrinkX = false;
    bool shrinkY = false;
    bool growX = false;
    bool growY = false;
};

FitTests FitTestsOf(const NetWorkType& net, int width, int height) {
    FitTests t;
    if (net.n == 0) return t;
    const Extent e = PointsExtent(net, false);
    const std::int64_t dx = Span(e, Axis::X);
    const std::int64_t dy = Span(e, Axis::Y);
    t.shrinkX = (e.minX < FitMargin || e.maxX > std::int64_t{width} - FitMargin) && dx > 0;
    t.shrinkY = (e.minY < FitMargin || e.maxY > std::int64_t{height} - FitMargin) && dy > 0;
    t.growX = 1 <= dx && dx < std::int64_t{width} - 2 * FitMargin;
    t.growY = 1 <= dy && dy < std::int64_t{height} - 2 * FitMargin;
    return t;
}

bool FitTestHolds(const NetWorkType& net, int width, int height, Axis axis, bool grow) {
    const FitTests t = FitTestsOf(net, width, height);
    if (axis == Axis::X) return grow ? t.growX : t.shrinkX;
    return grow ? t.growY : t.shrinkY;
}

// One fit loop. Each round must move the extent toward its goal, or the loop ends: a rounding
// stall or a shrink that only mirrors the points would otherwise run for ever.
void FitLoop(NetWorkType& net, int width, int height, Axis axis, int step, bool grow) {
    for (int round = 0; round < FitRoundLimit && FitTestHolds(net, width, height, axis, grow); ++round) {
        const std::int64_t before = Span(PointsExtent(net, false), axis);
        ShiftToMargin(net);
        ScaleAxis(net, axis, grow ? step : -step, false);
        const std::int64_t after = Span(PointsExtent(net, false), axis);
        if (grow ? after <= before : after >= before) break;
    }
}

TextSize MeasureLabelText(const NetWorkType& net, const std::string& text) {
    // The renderer writes point labels in the font DrawPoint leaves behind; measure with it.
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    SetCanvasFont(painter, net.defaultOptions.fontSize);
    return MeasureCanvasText(painter, text);
}

void AddPart(std::string& text, const std::string& part) {
    if (!text.empty()) text += "\r\n";
    text += part;
}

std::string PointInfo(const NetWorkType& net, const OptionType& options, int i) {
    const PointType& p = PointOf(net, i);
    const auto& on = options.popUp; // name, tokens, (x,y), weight, number, edge name, weight, flow
    std::string text;
    if (net.view.pointNames == 0 && on[0] != 0) AddPart(text, "Name = " + p.name);
    if (options.options.showNumber == 0 && on[4] != 0) AddPart(text, "Number = " + std::to_string(i));
    if (on[2] != 0) AddPart(text, " (" + std::to_string(p.x) + "," + std::to_string(p.y) + ")");
    if (on[3] != 0) AddPart(text, "Weight = " + FormatNumber(p.weight));
    if (net.view.tokens == 0 && on[1] != 0) AddPart(text, "Tokens/Reserve = " + std::to_string(p.tokens));
    return text;
}

std::string EdgeInfo(const NetWorkType& net, const OptionType& options, int from, int to) {
    const EdgeType* edge = FindEdge(net, from, to);
    if (edge == nullptr) return {};
    const auto& on = options.popUp;
    std::string text;
    if (net.view.edgeNames == 0 && on[5] != 0) AddPart(text, "Name = " + edge->name);
    if (net.view.edgeMarks == 0 && on[6] != 0) AddPart(text, "Weight = " + FormatNumber(edge->weight));
    if (net.view.flows == 0 && on[7] != 0) AddPart(text, "Flow/Reserve = " + FormatNumber(edge->flow));
    return text;
}

} // namespace

int PointNear(const NetWorkType& net, int x, int y) {
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = PointOf(net, i);
        if (std::llabs(std::int64_t{x} - p.x) < PointNearDistance &&
            std::llabs(std::int64_t{y} - p.y) < PointNearDistance)
            return i;
    }
    return 0;
}

int LabelAt(const NetWorkType& net, int x, int y) {
    if (net.n == 0 || (net.view.pointNames == 0 && net.view.tokens == 0)) return 0;
    for (int i = 1; i <= net.n; ++i) {
        // The label sits where its whole text puts it; only the name part of it is the target.
        const TextSize label = MeasureLabelText(net, PointLabelText(net, i));
        const TextSize name = MeasureLabelText(net, PointOf(net, i).name);
        const PixelPoint at = PointLabelPosition(net, i, label.width, label.height);
        if (x >= at.x && x <= at.x + name.width && y >= at.y && y <= at.y + name.height) return i;
    }
    return 0;
}

int LabelPositionFromMouse(const NetWorkType& net, int i, int x, int y) {
    const PointType& p = PointOf(net, i);
    const double r = net.defaultOptions.radius;
    // The first angle is 1.570797 as a single-precision number, a hair past a right angle.
    constexpr double startAngle = 1.5707969537;
    constexpr double stepAngle = 0.785398;
    int best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (int k = 0; k < 8; ++k) {
        const double theta = startAngle + k * stepAngle;
        const double cx = static_cast<double>(p.x) + Nearest(std::cos(theta) * r);
        const double cy = static_cast<double>(p.y) - Nearest(std::sin(theta) * r);
        const double distance = std::hypot(cx - x, cy - y);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = k;
        }
    }
    return best;
}

Extent PointsExtent(const NetWorkType& net, bool selectedOnly) {
    Extent e;
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = PointOf(net, i);
        if (selectedOnly && p.selected == 0) continue;
        if (p.x < e.minX) {
            e.minX = p.x;
            e.minXPoint = i;
        }
        if (p.x > e.maxX) {
            e.maxX = p.x;
            e.maxXPoint = i;
        }
        if (p.y < e.minY) {
            e.minY = p.y;
            e.minYPoint = i;
        }
        if (p.y > e.maxY) {
            e.maxY = p.y;
            e.maxYPoint = i;
        }
    }
    return e;
}

void GrowAxis(NetWorkType& net, Axis axis, int step) { Scale(net, axis, step); }

void ShrinkAxis(NetWorkType& net, Axis axis, int step) { Scale(net, axis, -step); }

void MoveGraph(NetWorkType& net, int dx, int dy) {
    const bool selectedOnly = net.selection.exists != 0;
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = PointOf(net, i);
        if (selectedOnly && p.selected == 0) continue;
        p.x = ClampToInt(std::int64_t{p.x} + dx);
        p.y = ClampToInt(std::int64_t{p.y} + dy);
    }
}

void ShiftToMargin(NetWorkType& net) {
    if (net.n == 0) return;
    const Extent e = PointsExtent(net, false);
    const std::int64_t dx = std::int64_t{FitMargin} - e.minX;
    const std::int64_t dy = std::int64_t{FitMargin} - e.minY;
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = PointOf(net, i);
        p.x = ClampToInt(p.x + dx);
        p.y = ClampToInt(p.y + dy);
    }
}

bool FitNeeded(const NetWorkType& net, int width, int height) {
    const FitTests t = FitTestsOf(net, width, height);
    return t.shrinkX || t.shrinkY || t.growX || t.growY;
}

void FitNetToWindow(NetWorkType& net, int width, int height, int step) {
    net.interaction.canvasWidth = static_cast<std::uint16_t>(std::clamp(width, 0, 65535));
    net.interaction.canvasHeight = static_cast<std::uint16_t>(std::clamp(height, 0, 65535));
    // The selection was cleared with the command reset, so every loop scales all points.
    FitLoop(net, width, height, Axis::X, step, false);
    FitLoop(net, width, height, Axis::Y, step, false);
    FitLoop(net, width, height, Axis::X, step, true);
    FitLoop(net, width, height, Axis::Y, step, true);
}

std::string CoordinateText(int x, int y) {
    return "(" + PadLeft(std::to_string(x), 4) + "," + PadLeft(std::to_string(y), 4) + ")";
}

std::string PopUpInfoText(const NetWorkType& net, const EdgeAnchors& anchors, const OptionType& options,
                          int x, int y) {
    std::string text;
    if (const int i = PointAt(net, x, y); i != 0) {
        text = PointInfo(net, options, i);
    } else if (const auto [from, to] = EdgeAnchorAt(net, anchors, x, y); from != 0) {
        text = EdgeInfo(net, options, from, to);
    }
    return text.empty() ? text : text + "|";
}

} // namespace plax
