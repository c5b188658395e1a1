#pragma once

#include "edge_anchors.h"

#include "model/net_types.h"

#include <string>

namespace plax {

// Half side of the generous point test used by drags and the add-point check.
inline constexpr int PointNearDistance = 11;
// Margin that Fit Net to Window leaves on every side.
inline constexpr int FitMargin = 40;
// A fit loop ends after this many rounds even if its test still holds (it also ends on a round
// that brings the extent no nearer its goal). Step 1 over a 16-bit extent needs tens of thousands.
inline constexpr int FitRoundLimit = 65536;

// The first point (by number) with |x - xi| < 11 and |y - yi| < 11, or 0.
int PointNear(const NetWorkType& net, int x, int y);

// The first point whose name box (at its label position, the size of its name alone, bounds
// included) holds (x, y); 0 when there is none or neither names nor tokens are shown.
int LabelAt(const NetWorkType& net, int x, int y);

// The label position code 0..7 whose candidate around point i is nearest to (x, y).
int LabelPositionFromMouse(const NetWorkType& net, int i, int x, int y);

// Minimum and maximum x and y of a set of points, each with the point holding it (ties keep
// the lower number).
struct Extent {
    int minX = 2147483647, maxX = -2147483647, minY = 2147483647, maxY = -2147483647;
    int minXPoint = 0, maxXPoint = 0, minYPoint = 0, maxYPoint = 0;
};
// The extent of the selected points, or of all points when `selectedOnly` is false.
Extent PointsExtent(const NetWorkType& net, bool selectedOnly);

enum class Axis { X, Y };
// Grows (or shrinks) the extent along one axis by about `step` about its centre: the selected
// points when a selection of at least 2 exists, else all points. A flat extent stays.
void GrowAxis(NetWorkType& net, Axis axis, int step);
void ShrinkAxis(NetWorkType& net, Axis axis, int step);

// Moves the selected points (any selection), else all, by (dx, dy).
void MoveGraph(NetWorkType& net, int dx, int dy);

// Moves every point so that the least x and the least y become the margin.
void ShiftToMargin(NetWorkType& net);

// Whether Fit Net to Window would change the net in a view of width x height.
bool FitNeeded(const NetWorkType& net, int width, int height);
// The four fit loops (shrink x, shrink y, grow x, grow y, each with ShiftToMargin first), every
// loop bounded; records the view size in the net. The caller takes the undo snapshot first,
// and only when FitNeeded.
void FitNetToWindow(NetWorkType& net, int width, int height, int step);

// "(" + x + "," + y + ")" with each number padded on the left to 4 characters.
std::string CoordinateText(int x, int y);

// The pop-up information at (x, y): the parts joined by "\r\n" with a final "|", or "" when
// there is nothing to show.
std::string PopUpInfoText(const NetWorkType& net, const EdgeAnchors& anchors, const OptionType& options,
                          int x, int y);

} // namespace plax
