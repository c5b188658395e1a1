#include "clipboard.h"

#include "net_store.h"

#include <cassert>
#include <utility>

namespace plax {

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

} // namespace

void CopyToClipboard(const NetWorkType& net, NetWorkType& clipboard) {
    clipboard.name = net.name;
    clipboard.n = net.n;
    clipboard.kindName = net.kindName;
    clipboard.kindCode = net.kindCode;
    clipboard.changed = net.changed;
    clipboard.points = net.points;
    CopyEdges(net, clipboard);
    clipboard.selection = SelectionState{};
    for (PointType& p : clipboard.points)
        p.selected = 0;
    if (net.selection.exists == 0) return;
    // Going down keeps the numbers still to visit: a deletion only moves the last point, and
    // every point above i is one that stays.
    for (int i = net.n; i >= 1; --i) {
        if (net.points[At(i)].selected == 0) DeleteNetPoint(clipboard, i);
    }
}

bool SameKind(const NetWorkType& net, const NetWorkType& clipboard) {
    return clipboard.kindName == net.kindName;
}

bool CanPaste(const NetWorkType& net, const NetWorkType& clipboard) {
    return clipboard.n > 0 && SameKind(net, clipboard);
}

bool PasteFits(const NetWorkType& net, const NetWorkType& clipboard) {
    return net.n + clipboard.n <= MaxPoints;
}

Corner ReferenceCorner(const NetWorkType& clipboard) {
    int left = 1;
    int top = 1;
    for (int i = 2; i <= clipboard.n; ++i) {
        if (clipboard.points[At(i)].x < clipboard.points[At(left)].x) left = i;
        if (clipboard.points[At(i)].y < clipboard.points[At(top)].y) top = i;
    }
    return {clipboard.points[At(left)].x, clipboard.points[At(top)].y};
}

void MergeClipboard(NetWorkType& net, const NetWorkType& clipboard, int x, int y) {
    assert(PasteFits(net, clipboard));
    if (clipboard.n == 0) return;
    const int m = net.n;
    const Corner corner = ReferenceCorner(clipboard);
    // One copy of all the lists, so the two entries of an undirected edge keep sharing a sub-net.
    EdgeLists pasted = clipboard.lists;
    for (int k = 1; k <= clipboard.n; ++k) {
        PointType& p = net.points[At(m + k)];
        p = clipboard.points[At(k)];
        p.x += x - corner.x;
        p.y += y - corner.y;
        EdgeList& list = net.lists[At(m + k)];
        list = std::move(pasted[At(k)]);
        for (EdgeType& e : list)
            e.target = static_cast<std::uint8_t>(e.target + m);
    }
    net.n = static_cast<std::uint8_t>(m + clipboard.n);
}

} // namespace plax
