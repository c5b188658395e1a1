#include "petri_lines.h"

#include "accounts/item_lines.h"

#include <algorithm>

namespace plax {

namespace {

template <class Count> std::string CountsText(const std::vector<Count>& tokens) {
    std::string text = "(";
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const bool omega = std::uint64_t{tokens[k]} == Omega;
        text += (k == 0 ? " " : ", ") + (omega ? std::string("w") : std::to_string(tokens[k]));
    }
    return text + " )";
}

} // namespace

std::string MarkingText(const std::vector<std::uint16_t>& tokens) { return CountsText(tokens); }

std::string MarkingText(const std::vector<std::uint32_t>& tokens) { return CountsText(tokens); }

std::string PointList(const std::vector<int>& points, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t k = from; k < std::min(to, points.size()); ++k)
        text += " " + ItemNumber(points[k]) + (k + 1 == points.size() ? "." : ",");
    return text;
}

std::string PointsOrNone(const std::vector<int>& points) {
    return points.empty() ? std::string(" none") : PointList(points);
}

} // namespace plax
