#pragma once

#include "net_types.h"

#include <vector>

namespace plax {

// One step of undo per net level. A points-only snapshot keeps the points (positions, styles);
// a full snapshot keeps the whole net, edges and sub-nets included. Taking one replaces any
// earlier one.
void SaveUndoPoints(NetWorkType& net);
void SaveUndoFull(NetWorkType& net);
// Restores the snapshot once and drops it; false when there is none. A points-only snapshot
// puts the old points back and leaves the edges as they are now.
bool Undo(NetWorkType& net);
bool HasUndo(const NetWorkType& net);

// Gives every point with custom display options the net's default options again (taking a
// points-only snapshot first); answers the points that changed, so the caller can redraw them.
std::vector<int> ClearCustomPointOptions(NetWorkType& net);

} // namespace plax
