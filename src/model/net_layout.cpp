#include "net_layout.h"

#include "adjacency_index.h"
#include "net_store.h"
#include "seeded_random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace plax {

namespace {

struct Spot {
    double x = 0;
    double y = 0;
};

using Spots = std::array<Spot, MaxPoints + 1>;
using Moves = std::array<bool, MaxPoints + 1>;

PointType& PointOf(NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }
const PointType& PointOf(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

// Whether two points are joined by an edge either way; the index answers each question without
// walking a list, as the embedder asks tens of thousands of them.
bool Linked(const AdjacencyIndex& index, int a, int b) { return index.Exists(a, b) || index.Exists(b, a); }

// Only + - * / and the square root, all rounded exactly alike by every IEEE machine, so that a
// seed gives the same layout everywhere (the file is built without contracted multiply-adds).
double Distance(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// A direction for two points that coincide, fixed by their numbers: eight unit vectors, written
// out so no library sine is asked.
Spot Parting(int i, int j) {
    static constexpr double Half = 0.70710678118654752;
    static constexpr std::array<Spot, 8> Ways = {
        {{1, 0}, {Half, Half}, {0, 1}, {-Half, Half}, {-1, 0}, {-Half, -Half}, {0, -1}, {Half, -Half}}};
    return Ways[static_cast<std::size_t>(i * 5 + j * 3) % Ways.size()];
}

double Width(const LayoutArea& a) { return a.right - a.left; }
double Height(const LayoutArea& a) { return a.bottom - a.top; }

// The moved points in increasing number.
std::vector<int> MovingPoints(const NetWorkType& net, bool selectionOnly) {
    std::vector<int> moving;
    for (int i = 1; i <= net.n; ++i)
        if (!selectionOnly || PointOf(net, i).selected != 0) moving.push_back(i);
    return moving;
}

// For the selection only: the selection's own extent, grown to room for its points and kept
// inside the area.
LayoutArea RegionFor(const NetWorkType& net, const std::vector<int>& moving, const LayoutArea& area,
                     int spacing) {
    LayoutArea r{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(),
                 std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};
    for (int i : moving) {
        r.left = std::min(r.left, PointOf(net, i).x);
        r.top = std::min(r.top, PointOf(net, i).y);
        r.right = std::max(r.right, PointOf(net, i).x);
        r.bottom = std::max(r.bottom, PointOf(net, i).y);
    }
    const int need = spacing * static_cast<int>(moving.size()) / 2 + spacing;
    auto grow = [need](int& lo, int& hi, int min, int max) {
        if (hi - lo < need) {
            const int mid = lo + (hi - lo) / 2;
            lo = mid - need / 2;
            hi = lo + need;
        }
        if (hi - lo > max - min) {
            lo = min;
            hi = max;
        }
        if (lo < min) hi += min - lo, lo = min;
        if (hi > max) lo -= hi - max, hi = max;
    };
    grow(r.left, r.right, area.left, area.right);
    grow(r.top, r.bottom, area.top, area.bottom);
    return r;
}

void Circle(const std::vector<int>& moving, const LayoutArea& a, Spots& at) {
    const double cx = a.left + Width(a) / 2;
    const double cy = a.top + Height(a) / 2;
    const double r = std::min(Width(a), Height(a)) / 2;
    const auto k = static_cast<double>(moving.size());
    for (std::size_t j = 0; j < moving.size(); ++j) {
        const double angle = 2 * std::numbers::pi * static_cast<double>(j) / k;
        const double radius = moving.size() == 1 ? 0.0 : r;
        at[static_cast<std::size_t>(moving[j])] = {cx + radius * std::sin(angle),
                                                   cy - radius * std::cos(angle)};
    }
}

// `count` places spread over [lo, hi]; one place sits in the middle.
double Place(double lo, double hi, std::size_t index, std::size_t count) {
    if (count <= 1) return (lo + hi) / 2;
    return lo + (hi - lo) * static_cast<double>(index) / static_cast<double>(count - 1);
}

void Grid(const std::vector<int>& moving, const LayoutArea& a, int columns, Spots& at) {
    const std::size_t k = moving.size();
    auto cols = columns > 0 ? static_cast<std::size_t>(columns)
                            : static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(k))));
    cols = std::clamp<std::size_t>(cols, 1, k);
    const std::size_t rows = (k + cols - 1) / cols;
    for (std::size_t j = 0; j < k; ++j)
        at[static_cast<std::size_t>(moving[j])] = {Place(a.left, a.right, j % cols, cols),
                                                   Place(a.top, a.bottom, j / cols, rows)};
}

// Longest-path layers over the edge directions: a point stands one layer right of its furthest
// predecessor. An undirected net, or a cycle, is layered by breadth from its lowest points.
std::array<int, MaxPoints + 1> Layers(const NetWorkType& net, const AdjacencyIndex& index,
                                      const std::vector<int>& moving) {
    std::array<int, MaxPoints + 1> layer{};
    std::array<bool, MaxPoints + 1> in{};
    for (int i : moving)
        in[static_cast<std::size_t>(i)] = true;
    const bool directed = !IsUndirected(net);
    // At most k rounds: with no cycle every longest path is settled by then.
    for (std::size_t round = 0; round < moving.size() && directed; ++round) {
        bool moved = false;
        for (int i : moving)
            for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
                const auto t = static_cast<std::size_t>(e.target);
                if (!in[t] || layer[t] > layer[static_cast<std::size_t>(i)]) continue;
                if (layer[t] < static_cast<int>(moving.size()) - 1) {
                    layer[t] = layer[static_cast<std::size_t>(i)] + 1;
                    moved = true;
                }
            }
        if (!moved) return layer;
    }
    layer.fill(-1);
    for (int root : moving) {
        if (layer[static_cast<std::size_t>(root)] >= 0) continue;
        layer[static_cast<std::size_t>(root)] = 0;
        std::vector<int> queue{root};
        for (std::size_t q = 0; q < queue.size(); ++q)
            for (int j : moving)
                if (layer[static_cast<std::size_t>(j)] < 0 && Linked(index, queue[q], j)) {
                    layer[static_cast<std::size_t>(j)] = layer[static_cast<std::size_t>(queue[q])] + 1;
                    queue.push_back(j);
                }
    }
    return layer;
}

void Layered(const NetWorkType& net, const std::vector<int>& moving, const LayoutArea& a, Spots& at) {
    const AdjacencyIndex index(net);
    const auto layer = Layers(net, index, moving);
    int last = 0;
    for (int i : moving)
        last = std::max(last, layer[static_cast<std::size_t>(i)]);
    for (int l = 0; l <= last; ++l) {
        std::vector<int> column;
        for (int i : moving)
            if (layer[static_cast<std::size_t>(i)] == l) column.push_back(i);
        // Order a column by the mean height of its neighbours in earlier columns, so edges cross less.
        std::vector<std::pair<double, int>> order;
        for (std::size_t j = 0; j < column.size(); ++j) {
            double sum = 0;
            int count = 0;
            for (int p : moving)
                if (layer[static_cast<std::size_t>(p)] < l && Linked(index, p, column[j])) {
                    sum += at[static_cast<std::size_t>(p)].y;
                    ++count;
                }
            order.emplace_back(count > 0 ? sum / count : static_cast<double>(j) * 1e-3, column[j]);
        }
        std::stable_sort(order.begin(), order.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
        for (std::size_t j = 0; j < order.size(); ++j)
            at[static_cast<std::size_t>(order[j].second)] = {
                Place(a.left, a.right, static_cast<std::size_t>(l), static_cast<std::size_t>(last) + 1),
                Place(a.top, a.bottom, j, order.size())};
    }
}

Spot Clamp(Spot s, const LayoutArea& a) {
    return {std::clamp<double>(s.x, a.left, a.right), std::clamp<double>(s.y, a.top, a.bottom)};
}

// A spring embedder (after Fruchterman and Reingold): every two moved points repel, the ends of
// an edge attract, a weak pull to the middle keeps apart pieces near, and the steps cool down
// over a fixed number of rounds. It works in a free square, without walls that would pile the
// points up at the edges; Stretch then fits the result into the area.
void ForceDirected(const NetWorkType& net, const std::vector<int>& moving, std::uint64_t seed, Spots& at) {
    constexpr double K = 100; // the length an edge settles at
    constexpr double Pull = 0.05;
    constexpr int Rounds = 200;
    const double side = K * std::sqrt(static_cast<double>(moving.size()));
    SeededRandom random(seed);
    for (int i : moving)
        at[static_cast<std::size_t>(i)] = {DrawUnit(random) * side, DrawUnit(random) * side};
    const AdjacencyIndex index(net);
    const double hot = side / 4;
    for (int round = 0; round < Rounds; ++round) {
        Spot middle;
        for (int i : moving) {
            middle.x += at[static_cast<std::size_t>(i)].x / static_cast<double>(moving.size());
            middle.y += at[static_cast<std::size_t>(i)].y / static_cast<double>(moving.size());
        }
        Spots push{};
        for (int i : moving) {
            const auto si = static_cast<std::size_t>(i);
            push[si] = {(middle.x - at[si].x) * Pull, (middle.y - at[si].y) * Pull};
            for (int j : moving) {
                if (j == i) continue;
                const auto sj = static_cast<std::size_t>(j);
                double dx = at[si].x - at[sj].x;
                double dy = at[si].y - at[sj].y;
                double d = Distance(dx, dy);
                if (d < 1e-6) {
                    const Spot way = Parting(i, j);
                    dx = way.x, dy = way.y, d = 1e-3;
                }
                double f = K * K / d;
                if (Linked(index, i, j)) f -= d * d / K;
                push[si].x += dx / d * f;
                push[si].y += dy / d * f;
            }
        }
        const double t = hot * (1.0 - static_cast<double>(round) / Rounds) + 0.5;
        for (int i : moving) {
            const auto si = static_cast<std::size_t>(i);
            const double len = Distance(push[si].x, push[si].y);
            if (len < 1e-9) continue;
            const double step = std::min(len, t);
            at[si] = {at[si].x + push[si].x / len * step, at[si].y + push[si].y / len * step};
        }
    }
}

// Stretches the moved points' extent over the whole area.
void Stretch(const std::vector<int>& moving, const LayoutArea& a, Spots& at) {
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (int i : moving) {
        const Spot s = at[static_cast<std::size_t>(i)];
        x0 = std::min(x0, s.x), y0 = std::min(y0, s.y), x1 = std::max(x1, s.x), y1 = std::max(y1, s.y);
    }
    for (int i : moving) {
        Spot& s = at[static_cast<std::size_t>(i)];
        s.x = x1 - x0 < 1 ? a.left + Width(a) / 2 : a.left + (s.x - x0) / (x1 - x0) * Width(a);
        s.y = y1 - y0 < 1 ? a.top + Height(a) / 2 : a.top + (s.y - y0) / (y1 - y0) * Height(a);
    }
}

// Pushes apart every moved point that stands nearer than `gap` to another point.
void Separate(const NetWorkType& net, const Moves& moves, const LayoutArea& a, double gap, Spots& at) {
    for (int round = 0; round < 200; ++round) {
        bool clear = true;
        for (int i = 1; i <= net.n; ++i)
            for (int j = i + 1; j <= net.n; ++j) {
                const auto si = static_cast<std::size_t>(i);
                const auto sj = static_cast<std::size_t>(j);
                if (!moves[si] && !moves[sj]) continue;
                double dx = at[sj].x - at[si].x;
                double dy = at[sj].y - at[si].y;
                double d = Distance(dx, dy);
                if (d >= gap) continue;
                clear = false;
                if (d < 1e-6) {
                    const Spot way = Parting(i, j);
                    dx = way.x, dy = way.y, d = 1;
                }
                const double share = moves[si] && moves[sj] ? 0.5 : 1.0;
                const double by = (gap - d) * share + 0.5;
                if (moves[si]) at[si] = Clamp({at[si].x - dx / d * by, at[si].y - dy / d * by}, a);
                if (moves[sj]) at[sj] = Clamp({at[sj].x + dx / d * by, at[sj].y + dy / d * by}, a);
            }
        if (clear) return;
    }
}

// Whether every moved point keeps `spacing` from every other point, moved or staying.
bool Apart(const NetWorkType& net, const Moves& moves, int spacing) {
    for (int i = 1; i <= net.n; ++i)
        for (int j = i + 1; j <= net.n; ++j) {
            if (!moves[static_cast<std::size_t>(i)] && !moves[static_cast<std::size_t>(j)]) continue;
            const PointType& p = PointOf(net, i);
            const PointType& q = PointOf(net, j);
            if (Distance(p.x - q.x, p.y - q.y) < spacing) return false;
        }
    return true;
}

void Store(NetWorkType& net, const std::vector<int>& moving, const Spots& at) {
    for (int i : moving) {
        PointOf(net, i).x = static_cast<std::int32_t>(std::lround(at[static_cast<std::size_t>(i)].x));
        PointOf(net, i).y = static_cast<std::int32_t>(std::lround(at[static_cast<std::size_t>(i)].y));
    }
}

} // namespace

LayoutArea VisibleLayoutArea(int width, int height) {
    const int right = std::max(width - LayoutMargin, LayoutMargin + MinimumLayoutSide);
    const int bottom = std::max(height - LayoutMargin, LayoutMargin + MinimumLayoutSide);
    return {LayoutMargin, LayoutMargin, right, bottom};
}

int LargestRadius(const NetWorkType& net) {
    int r = 2;
    for (int i = 1; i <= net.n; ++i)
        r = std::max(r, PointRadius(net, i));
    return r;
}

bool LayoutNet(NetWorkType& net, const LayoutArea& area, const LayoutOptions& options) {
    const std::vector<int> moving = MovingPoints(net, options.selectionOnly);
    if (moving.empty()) return false;
    const int spacing = 2 * LargestRadius(net);
    const LayoutArea region = options.selectionOnly ? RegionFor(net, moving, area, 2 * spacing) : area;
    Moves moves{};
    Spots at{};
    for (int i = 1; i <= net.n; ++i)
        at[static_cast<std::size_t>(i)] = {static_cast<double>(PointOf(net, i).x),
                                           static_cast<double>(PointOf(net, i).y)};
    for (int i : moving)
        moves[static_cast<std::size_t>(i)] = true;
    switch (options.kind) {
    case LayoutKind::Circle: Circle(moving, region, at); break;
    case LayoutKind::Grid: Grid(moving, region, options.gridColumns, at); break;
    case LayoutKind::Layered: Layered(net, moving, region, at); break;
    case LayoutKind::ForceDirected:
        ForceDirected(net, moving, options.seed, at);
        Stretch(moving, region, at);
        break;
    }
    // Rounding to whole pixels takes up to a pixel and a half off a distance.
    const auto settle = [&](const LayoutArea& within) {
        Separate(net, moves, within, spacing + 2.0, at);
        Store(net, moving, at);
        return Apart(net, moves, spacing);
    };
    if (settle(region)) return true;
    // Crowded: a circle over the region, and then over the whole area, is the last resort.
    Circle(moving, region, at);
    if (settle(region)) return true;
    Circle(moving, area, at);
    settle(area);
    return true;
}

double SmallestDistance(const NetWorkType& net) {
    double best = std::numeric_limits<double>::max();
    for (int i = 1; i <= net.n; ++i)
        for (int j = i + 1; j <= net.n; ++j)
            best = std::min(
                best, Distance(PointOf(net, i).x - PointOf(net, j).x, PointOf(net, i).y - PointOf(net, j).y));
    return best;
}

} // namespace plax
