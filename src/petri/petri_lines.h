#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace plax {

// A count no bound holds: a place that coverability found unbounded.
inline constexpr std::uint32_t Omega = std::numeric_limits<std::uint32_t>::max();

// "( 1, 0, 3 )"; an Omega count is written w (the Results text is 8-bit).
std::string MarkingText(const std::vector<std::uint16_t>& tokens);
std::string MarkingText(const std::vector<std::uint32_t>& tokens);

// " 1,  3, 10." as the lists of points are written: items `from` to `to` (exclusive) of the
// list, the list's last one with its full stop.
std::string PointList(const std::vector<int>& points, std::size_t from = 0,
                      std::size_t to = std::numeric_limits<std::size_t>::max());

// PointList, or " none" for no points.
std::string PointsOrNone(const std::vector<int>& points);

} // namespace plax
