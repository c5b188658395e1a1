#pragma once

#include "net_geometry.h"

#include "model/net_types.h"

#include <array>
#include <utility>

namespace plax {

// Where the last visible drawing put each edge's label and handle, kept by whoever paints and
// never by the net: anchors are not saved, take no part in a step, and an edge that was not
// drawn (its points touch) keeps the anchor it had.
class EdgeAnchors {
public:
    // The stored anchor of edge (from, to); one never drawn is at its first anchor, the middle
    // of its cut segment, and an edge that cannot be drawn at all is at (0, 0).
    PixelPoint Of(const NetWorkType& net, int from, int to) const;
    // Stores the anchor of edge (from, to), in both copies of an undirected edge.
    void Store(const NetWorkType& net, int from, int to, PixelPoint anchor);
    // Drops the anchors of edges that are gone, so that an edge made again starts afresh.
    void Prune(const NetWorkType& net);
    void Clear() { entries_ = {}; }

private:
    struct Entry {
        PixelPoint at;
        bool stored = false;
    };
    std::array<std::array<Entry, MaxPoints + 1>, MaxPoints + 1> entries_{};
};

// Stores the anchor of every drawable edge, as drawing the net would, so that hit tests work on
// a net that was never painted.
void ComputeEdgeAnchors(const NetWorkType& net, EdgeAnchors& anchors);

// The first edge (from, to), scanning sources 1..N and each list from its head, whose anchor
// lies strictly within 5 pixels of (x, y) in both x and y; (0, 0) when none does or N < 2.
std::pair<int, int> EdgeAnchorAt(const NetWorkType& net, const EdgeAnchors& anchors, int x, int y);

// The edge a pointer at (x, y) is over, for menus and hints: the one whose anchor it is at, else
// the one whose drawn course passes nearest, within 4 pixels; (0, 0) when none.
std::pair<int, int> EdgeOver(const NetWorkType& net, const EdgeAnchors& anchors, int x, int y);

} // namespace plax
