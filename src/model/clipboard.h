#pragma once

#include "net_types.h"

namespace plax {

inline constexpr const char* TooManyPointsMessage = "Too many Points!";

// Copy: the net's header, points and a deep copy of its edges, with no point selected. When the
// net has a selection, only the selected points stay, with the edges among them, numbered as
// Delete Point would leave them (from the highest number down, the last point taking the freed
// number). The clipboard's display options, view flags and interaction state are not touched.
void CopyToClipboard(const NetWorkType& net, NetWorkType& clipboard);

// Paste is offered when the clipboard has points and the net's kind name.
bool CanPaste(const NetWorkType& net, const NetWorkType& clipboard);
bool SameKind(const NetWorkType& net, const NetWorkType& clipboard);
// The pasted points fit into MaxPoints.
bool PasteFits(const NetWorkType& net, const NetWorkType& clipboard);

struct Corner {
    int x = 0;
    int y = 0;
};

// The x of the leftmost and the y of the topmost clipboard point: the place that lands on the
// paste click.
Corner ReferenceCorner(const NetWorkType& clipboard);

// Appends the clipboard's points and edges as points N + 1 .. N + N(clipboard), moved so that
// the reference corner lands on (x, y). The caller checks PasteFits.
void MergeClipboard(NetWorkType& net, const NetWorkType& clipboard, int x, int y);

} // namespace plax
