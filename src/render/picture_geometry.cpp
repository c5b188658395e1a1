#include "picture_geometry.h"

#include "model/net_store.h"

#include <algorithm>
#include <cmath>

namespace plax {

namespace {

bool DrawnStraight(const NetWorkType& net, int from, int to) {
    const auto path = EdgePathOf(net, from, to);
    return path && path->pointCount == 2;
}

PixelPoint Rounded(double x, double y) {
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

} // namespace

std::optional<BentCourse> BentCourseOf(const NetWorkType& net, const EdgePath& path) {
    if (IsUndirected(net) || path.pointCount != 2 || !DrawnStraight(net, path.to, path.from))
        return std::nullopt;
    const PixelPoint a = path.points[0];
    const PixelPoint b = path.points[1];
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length < 1) return std::nullopt;
    // Left of the direction of travel as the picture shows it (y grows downwards). The apex
    // stands far enough out that the two labels, about a line high each, do not overlap.
    const double nx = dy / length;
    const double ny = -dx / length;
    const double apex = std::max(0.12 * length, 9.0);
    const double mx = (a.x + b.x) / 2.0;
    const double my = (a.y + b.y) / 2.0;
    BentCourse bent;
    bent.start = a;
    bent.end = b;
    bent.control = Rounded(mx + 2 * apex * nx, my + 2 * apex * ny);
    bent.middle = Rounded(mx + apex * nx, my + apex * ny);
    return bent;
}

int FramedWidth(const PictureFrame& frame) {
    return static_cast<int>(std::lround(frame.width * frame.scale));
}
int FramedHeight(const PictureFrame& frame) {
    return static_cast<int>(std::lround(frame.height * frame.scale));
}

PictureFrame CroppedFrame(const PixelBox& drawn, double scale) {
    PictureFrame frame;
    frame.scale = scale;
    frame.left = drawn.left - CropMargin;
    frame.top = drawn.top - CropMargin;
    frame.width = std::max(drawn.right - drawn.left, 0) + 2 * CropMargin;
    frame.height = std::max(drawn.bottom - drawn.top, 0) + 2 * CropMargin;
    return frame;
}

} // namespace plax
