#include "canvas_zoom.h"

#include "canvas_geometry.h"

#include "model/net_layout.h"

#include <algorithm>
#include <cmath>

namespace plax {

int ClampZoom(int percent) { return std::clamp(percent, MinZoom, MaxZoom); }

int ZoomedIn(int percent) {
    for (int step : ZoomSteps)
        if (step > percent) return step;
    return MaxZoom;
}

int ZoomedOut(int percent) {
    for (auto step = ZoomSteps.rbegin(); step != ZoomSteps.rend(); ++step)
        if (*step < percent) return *step;
    return MinZoom;
}

int NetCoordinate(double zoomed, int percent) {
    return static_cast<int>(std::floor(zoomed * 100.0 / static_cast<double>(percent)));
}

double ZoomedCoordinate(double net, int percent) { return net * static_cast<double>(percent) / 100.0; }

std::optional<NetBox> DrawnBox(const NetWorkType& net, int margin) {
    if (net.n == 0) return std::nullopt;
    const Extent e = PointsExtent(net, false);
    const int grow = LargestRadius(net) + margin;
    return NetBox{e.minX - grow, e.minY - grow, e.maxX + grow, e.maxY + grow};
}

int ZoomToShow(const NetBox& box, int width, int height, int most) {
    const double w = box.right - box.left + 1;
    const double h = box.bottom - box.top + 1;
    const double fits = std::min(100.0 * width / w, 100.0 * height / h);
    return std::clamp(static_cast<int>(std::floor(fits)), MinZoom, std::max(MinZoom, most));
}

} // namespace plax
