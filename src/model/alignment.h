#pragma once

#include "net_types.h"

#include <array>

namespace plax {

// One entry of the alignment table: a selected point and where it stands.
struct AlignEntry {
    int point = 0;
    int x = 0;
    int y = 0;
};

// The selected points in increasing point number, ended by an entry with point 0.
using AlignTable = std::array<AlignEntry, MaxPoints>;

enum class AlignAxis { X, Y };

AlignTable FillAlignTable(const NetWorkType& net);
int AlignCount(const AlignTable& table);
// A bubble sort that swaps neighbours only when the first is strictly greater, so equal
// coordinates keep increasing point number.
void SortAlignTable(AlignTable& table, AlignAxis by);

// Whether the selected points may share one coordinate on `axis` (x for left and right): in the
// other direction every two neighbours must stay at least 10 pixels apart.
bool CanAlign(const NetWorkType& net, AlignAxis axis);

// Each moves every selected point onto the common coordinate and deselects it.
void AlignMinX(NetWorkType& net);
void AlignMaxX(NetWorkType& net);
void AlignMinY(NetWorkType& net);
void AlignMaxY(NetWorkType& net);

// Equal steps between the outermost selected points; false when fewer than three are selected
// or they stand too close for points of the net's radius.
bool SpaceEquallyX(NetWorkType& net);
bool SpaceEquallyY(NetWorkType& net);

// Places the selected points on the ellipse inscribed in the selection rectangle, clockwise
// from just after the top, each target taking the nearest point not yet placed.
bool FitToEllipse(NetWorkType& net);

} // namespace plax
