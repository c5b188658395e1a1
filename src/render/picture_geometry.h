#pragma once

#include "model/net_types.h"
#include "net_geometry.h"

#include <optional>

namespace plax {

// In a picture the two edges of a directed pair are drawn apart, each bowing to the left of its
// own direction, so that each arrow and each weight can be told apart. A quadratic curve from
// `start` through the pull of `control` to `end`; `middle` is its apex, where the label goes.
struct BentCourse {
    PixelPoint start;
    PixelPoint control;
    PixelPoint end;
    PixelPoint middle;
    bool operator==(const BentCourse&) const = default;
};

// The bent course of the drawn edge `path`, or nothing when it is drawn as on the canvas: an
// undirected net, no reverse edge, or either edge of the pair drawn as a connector.
std::optional<BentCourse> BentCourseOf(const NetWorkType& net, const EdgePath& path);

// The part of the canvas a picture shows and the scale it is drawn at: the picture is
// width x height canvas pixels from (left, top), each drawn `scale` pixels wide.
struct PictureFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    double scale = 1.0;
    bool operator==(const PictureFrame&) const = default;
};

// The picture's size in its own pixels.
int FramedWidth(const PictureFrame& frame);
int FramedHeight(const PictureFrame& frame);

// The margin kept around a cropped drawing, in canvas pixels.
inline constexpr int CropMargin = 10;

// The frame around `drawn` (the box the drawing covers, right and bottom exclusive) with the
// margin on every side; an empty drawing keeps just the margins.
PictureFrame CroppedFrame(const PixelBox& drawn, double scale);

} // namespace plax
