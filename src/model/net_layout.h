#pragma once

#include "net_types.h"

#include <cstdint>

namespace plax {

// The Fit margin: a laid-out net keeps 40 pixels from the edges of the visible canvas.
inline constexpr int LayoutMargin = 40;

enum class LayoutKind { Circle, Grid, Layered, ForceDirected };

// Where point centres may go, bounds included.
struct LayoutArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The visible canvas of `width` x `height` pixels less the Fit margins, never narrower than
// `MinimumLayoutSide` so that fifteen points always find room.
inline constexpr int MinimumLayoutSide = 160;
LayoutArea VisibleLayoutArea(int width, int height);

struct LayoutOptions {
    LayoutKind kind = LayoutKind::Circle;
    bool selectionOnly = false;
    std::uint64_t seed = 1;
    int gridColumns = 0; // 0: as square as the points allow
};

// The largest radius among the net's points, which the spacing rule is measured against.
int LargestRadius(const NetWorkType& net);

// Moves the points (only the selected ones with `selectionOnly`) inside `area` so that no two
// moved points are closer than twice the largest radius, nor a moved point closer than that to
// a point that stays, as far as the area has room (a whole net with radii up to 15 always finds it;
// a crowded layout falls back to a circle, over the whole area at last). The same net, area and options give
// the same places on every machine. False, changing nothing, when there is nothing to move (no
// point, or no selection with `selectionOnly`). The caller takes the undo snapshot.
bool LayoutNet(NetWorkType& net, const LayoutArea& area, const LayoutOptions& options);

// The smallest distance between two distinct points of the net (a huge value below 2 points).
double SmallestDistance(const NetWorkType& net);

} // namespace plax
