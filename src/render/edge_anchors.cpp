#include "edge_anchors.h"

#include "model/net_store.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace plax {

namespace {

int Middle(int a, int b) { return std::min(a, b) + Nearest(std::abs(a - b) / 2.0); }

bool InNet(const NetWorkType& net, int from, int to) {
    return from >= 1 && from <= net.n && to >= 1 && to <= net.n;
}

} // namespace

PixelPoint EdgeAnchors::Of(const NetWorkType& net, int from, int to) const {
    if (!InNet(net, from, to)) return {};
    const Entry& entry = entries_[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
    if (entry.stored) return entry.at;
    const auto path = EdgePathOf(net, from, to);
    if (!path || path->pointCount < 2) return {};
    const PixelPoint a = path->points[0];
    const PixelPoint b = path->points[static_cast<std::size_t>(path->pointCount - 1)];
    return {Middle(a.x, b.x), Middle(a.y, b.y)};
}

void EdgeAnchors::Store(const NetWorkType& net, int from, int to, PixelPoint anchor) {
    if (!InNet(net, from, to)) return;
    entries_[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)] = {anchor, true};
    if (IsUndirected(net))
        entries_[static_cast<std::size_t>(to)][static_cast<std::size_t>(from)] = {anchor, true};
}

void EdgeAnchors::Prune(const NetWorkType& net) {
    for (int from = 0; from <= MaxPoints; ++from)
        for (int to = 0; to <= MaxPoints; ++to) {
            Entry& entry = entries_[static_cast<std::size_t>(from)][static_cast<std::size_t>(to)];
            if (entry.stored && (!InNet(net, from, to) || !EdgeExists(net, from, to))) entry = {};
        }
}

void ComputeEdgeAnchors(const NetWorkType& net, EdgeAnchors& anchors) {
    anchors.Prune(net);
    for (int i = 1; i <= net.n; ++i)
        for (const EdgeType& edge : net.lists[static_cast<std::size_t>(i)])
            if (const auto path = EdgePathOf(net, i, edge.target))
                anchors.Store(net, path->from, path->to, path->anchor);
}

std::pair<int, int> EdgeAnchorAt(const NetWorkType& net, const EdgeAnchors& anchors, int x, int y) {
    if (net.n < 2) return {0, 0};
    for (int i = 1; i <= net.n; ++i)
        for (const EdgeType& edge : net.lists[static_cast<std::size_t>(i)]) {
            const PixelPoint at = anchors.Of(net, i, edge.target);
            if (std::llabs(std::int64_t{x} - at.x) < 5 && std::llabs(std::int64_t{y} - at.y) < 5)
                return {i, edge.target};
        }
    return {0, 0};
}

namespace {

// The squared distance from (x, y) to the segment a-b.
double SquaredDistance(double x, double y, PixelPoint a, PixelPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t = length == 0 ? 0 : std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length, 0.0, 1.0);
    const double px = a.x + t * dx - x;
    const double py = a.y + t * dy - y;
    return px * px + py * py;
}

constexpr double EdgeOverTolerance = 4.0;

} // namespace

std::pair<int, int> EdgeOver(const NetWorkType& net, const EdgeAnchors& anchors, int x, int y) {
    if (const auto anchored = EdgeAnchorAt(net, anchors, x, y); anchored.first != 0) return anchored;
    std::pair<int, int> nearest{0, 0};
    double best = EdgeOverTolerance * EdgeOverTolerance;
    for (int i = 1; i <= net.n; ++i)
        for (const EdgeType& edge : net.lists[static_cast<std::size_t>(i)]) {
            const auto path = EdgePathOf(net, i, edge.target);
            if (!path) continue;
            for (int k = 0; k + 1 < path->pointCount; ++k) {
                const auto a = path->points[static_cast<std::size_t>(k)];
                const auto b = path->points[static_cast<std::size_t>(k + 1)];
                if (const double d = SquaredDistance(x, y, a, b); d < best) {
                    best = d;
                    nearest = {i, edge.target};
                }
            }
        }
    return nearest;
}

} // namespace plax
