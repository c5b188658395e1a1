#pragma once

#include "model/net_types.h"

#include <array>
#include <optional>

namespace plax {

// The view's zoom, in percent of the net's own pixels. Zooming changes only how the canvas is
// shown: stored coordinates, pictures and printing stay at 100%.
inline constexpr int MinZoom = 25;
inline constexpr int MaxZoom = 400;
inline constexpr int ActualZoom = 100;
// The steps Zoom In and Zoom Out go through.
inline constexpr std::array<int, 13> ZoomSteps = {25, 33, 50, 67, 75, 90, 100, 125, 150, 200, 250, 300, 400};
// Room that Zoom to Fit leaves around the points' outlines, in net pixels.
inline constexpr int ZoomFitMargin = 20;

int ClampZoom(int percent);
// The next step above (below) `percent`, within MinZoom..MaxZoom.
int ZoomedIn(int percent);
int ZoomedOut(int percent);

// The net pixel that a position on the zoomed canvas falls in, and where a net position is
// drawn on it.
int NetCoordinate(double zoomed, int percent);
double ZoomedCoordinate(double net, int percent);

// Net pixels, bounds included.
struct NetBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// What the drawing of the points takes: their extent grown by the largest radius and `margin`;
// nothing for a net without points.
std::optional<NetBox> DrawnBox(const NetWorkType& net, int margin);
// The largest zoom, from MinZoom up to `most`, at which `box` fits a view of width x height.
int ZoomToShow(const NetBox& box, int width, int height, int most);

} // namespace plax
