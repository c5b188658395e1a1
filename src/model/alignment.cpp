#include "alignment.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plax {

namespace {

constexpr int MinAlignGap = 10;
constexpr int SearchStart = 30000;
constexpr double FullTurn = 6.283184;

PointType& PointOf(NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

int Along(const AlignEntry& e, AlignAxis axis) { return axis == AlignAxis::X ? e.x : e.y; }

std::int32_t& Coordinate(PointType& p, AlignAxis axis) { return axis == AlignAxis::X ? p.x : p.y; }

// Rounds halves to the even neighbour (the default rounding mode).
int Nearest(double value) { return static_cast<int>(std::nearbyint(value)); }

void AlignTo(NetWorkType& net, AlignAxis axis, bool largest) {
    const AlignTable table = FillAlignTable(net);
    const int count = AlignCount(table);
    int target = largest ? -SearchStart : SearchStart;
    for (int k = 0; k < count; ++k) {
        const int v = Along(table[static_cast<std::size_t>(k)], axis);
        if (largest ? v > target : v < target) target = v;
    }
    for (int k = 0; k < count; ++k) {
        PointType& p = PointOf(net, table[static_cast<std::size_t>(k)].point);
        Coordinate(p, axis) = target;
        p.selected = 0;
    }
}

bool SpaceEqually(NetWorkType& net, AlignAxis axis) {
    AlignTable table = FillAlignTable(net);
    const int count = AlignCount(table);
    if (count < 3) return false;
    SortAlignTable(table, axis);
    const int first = Along(table[0], axis);
    const int d = Along(table[static_cast<std::size_t>(count - 1)], axis) - first;
    if (d <= 2 * static_cast<int>(net.defaultOptions.radius) * count) return false;
    const int step = d / (count - 1);
    for (int k = 1; k < count - 1; ++k) {
        PointType& p = PointOf(net, table[static_cast<std::size_t>(k)].point);
        Coordinate(p, axis) = first + k * step;
        p.selected = 0;
    }
    return true;
}

// The selected point not yet placed that lies nearest to (x, y); the lower number on ties.
std::size_t NearestUnplaced(const AlignTable& table, int count, const std::array<bool, MaxPoints>& placed,
                            int x, int y) {
    std::size_t best = 0;
    while (placed[best])
        ++best;
    int bestDistance = SearchStart;
    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
        if (placed[k]) continue;
        const int distance = Nearest(std::hypot(table[k].x - x, table[k].y - y));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = k;
        }
    }
    return best;
}

} // namespace

AlignTable FillAlignTable(const NetWorkType& net) {
    AlignTable table{};
    std::size_t k = 0;
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        if (p.selected != 0) table[k++] = {i, p.x, p.y};
    }
    return table;
}

int AlignCount(const AlignTable& table) {
    int count = 0;
    while (count < MaxPoints && table[static_cast<std::size_t>(count)].point != 0)
        ++count;
    return count;
}

void SortAlignTable(AlignTable& table, AlignAxis by) {
    const auto count = static_cast<std::size_t>(AlignCount(table));
    for (std::size_t pass = 1; pass < count; ++pass) {
        for (std::size_t k = 0; k + pass < count; ++k) {
            if (Along(table[k], by) > Along(table[k + 1], by)) std::swap(table[k], table[k + 1]);
        }
    }
}

bool CanAlign(const NetWorkType& net, AlignAxis axis) {
    const AlignAxis across = axis == AlignAxis::X ? AlignAxis::Y : AlignAxis::X;
    AlignTable table = FillAlignTable(net);
    SortAlignTable(table, across);
    const auto count = static_cast<std::size_t>(AlignCount(table));
    for (std::size_t k = 1; k < count; ++k) {
        if (Along(table[k], across) - Along(table[k - 1], across) < MinAlignGap) return false;
    }
    return true;
}

void AlignMinX(NetWorkType& net) { AlignTo(net, AlignAxis::X, false); }
void AlignMaxX(NetWorkType& net) { AlignTo(net, AlignAxis::X, true); }
void AlignMinY(NetWorkType& net) { AlignTo(net, AlignAxis::Y, false); }
void AlignMaxY(NetWorkType& net) { AlignTo(net, AlignAxis::Y, true); }

bool SpaceEquallyX(NetWorkType& net) { return SpaceEqually(net, AlignAxis::X); }
bool SpaceEquallyY(NetWorkType& net) { return SpaceEqually(net, AlignAxis::Y); }

bool FitToEllipse(NetWorkType& net) {
    const AlignTable table = FillAlignTable(net);
    const int count = AlignCount(table);
    if (count < 2) return false;
    const SelectionState& s = net.selection;
    const int w = s.right - s.left;
    const int h = s.bottom - s.top;
    const int cx = s.left + w / 2;
    const int cy = s.top + h / 2;
    const int radius = net.defaultOptions.radius;
    if (2 * radius > w || 2 * radius > h) return false;
    const int r = std::min(w, h) / 2;
    if (r == 0 || r < radius) return false;
    const double kx = static_cast<double>(w / 2) / r;
    const double ky = static_cast<double>(h / 2) / r;
    std::array<bool, MaxPoints> placed{};
    for (int k = 1; k <= count; ++k) {
        const double angle = FullTurn * k / count;
        const int x = cx + Nearest(std::sin(angle) * r * kx);
        const int y = cy - Nearest(std::cos(angle) * r * ky);
        const std::size_t nearest = NearestUnplaced(table, count, placed, x, y);
        placed[nearest] = true;
        PointType& p = PointOf(net, table[nearest].point);
        p.x = x;
        p.y = y;
        p.selected = 0;
    }
    return true;
}

} // namespace plax
