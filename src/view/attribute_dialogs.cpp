#include "attribute_dialogs.h"

#include "model/mark_value.h"
#include "model/text_utils.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace plax {

namespace {

inline constexpr int MaxStoredLineWidth = 5;

} // namespace

PointDialogState PointDialogFor(const NetWorkType& net, int p, bool shapeLocked) {
    PointDialogState state;
    state.number = p;
    state.point = net.points[static_cast<std::size_t>(p)];
    state.netOptions = net.defaultOptions;
    state.shapeLocked = shapeLocked;
    state.oldColor = state.point.color;
    if (state.point.customOptions == 0) state.point.options = net.defaultOptions;
    return state;
}

std::string MarkText(double weight) { return FormatTrimmed(weight, 4); }

const char* TokenLabel(int shape) { return shape == 2 || shape == 3 ? "Level:" : "Tokens:"; }

bool ShapeEnabled(const PointDialogState& state, int shape) { return !state.shapeLocked || shape > 4; }

void SetCustomOptions(PointDialogState& state, bool on) {
    state.point.customOptions = on ? 1 : 0;
    if (!on) state.point.options = state.netOptions;
}

const PointOptionType& ShownOptions(const PointDialogState& state) {
    return state.point.customOptions != 0 ? state.point.options : state.netOptions;
}

bool CommitMark(double& weight, std::string_view text, UserMessages& ui) {
    const auto value = ParseMark(text);
    if (!value) {
        ui.Information(InvalidNumberMessage);
        return false;
    }
    weight = *value;
    return true;
}

void ApplyPointDialog(NetWorkType& net, int p, const PointType& edited) {
    net.points[static_cast<std::size_t>(p)] = edited;
}

EdgeDialogState EdgeDialogFor(const NetWorkType& net, int from, int to) {
    EdgeDialogState state;
    state.from = from;
    state.to = to;
    state.block = AsShown(GetEdgeAttributes(net, from, to));
    state.oldColor = state.block.color;
    state.twoWay = net.kindName == "dirNet" && EdgeExists(net, to, from);
    if (state.twoWay) {
        state.reverse = AsShown(GetEdgeAttributes(net, to, from));
        state.oldReverseColor = state.reverse.color;
    }
    return state;
}

std::string EdgeTitle(const EdgeDialogState& state) {
    return "( " + std::to_string(state.from) + "," + std::to_string(state.to) + " )";
}

EdgeAttributes AsShown(EdgeAttributes block) {
    if (block.lineWidth > MaxStoredLineWidth) {
        block.lineWidth = 1;
        block.lineStyle = 0;
    }
    block.lineWidth = static_cast<std::uint8_t>(std::clamp<int>(block.lineWidth, 1, MaxDialogLineWidth));
    if (block.lineStyle < 1 || block.lineStyle > 4 || block.lineWidth >= 2) block.lineStyle = 0;
    if (block.shape < 1 || block.shape > 4) block.shape = 0;
    return block;
}

void ReverseEdge(EdgeDialogState& state) {
    if (!state.twoWay) return;
    std::swap(state.from, state.to);
    std::swap(state.block, state.reverse);
    std::swap(state.oldColor, state.oldReverseColor);
}

void SetLineWidth(EdgeAttributes& block, int width) {
    block.lineWidth = static_cast<std::uint8_t>(std::clamp(width, 1, MaxDialogLineWidth));
    if (block.lineWidth >= 2) block.lineStyle = 0;
}

bool StyleEnabled(const EdgeAttributes& block) { return block.lineWidth < 2; }

void ApplyEdgeDialog(NetWorkType& net, const EdgeDialogState& edited) {
    SetEdgeAttributes(net, edited.from, edited.to, edited.block);
    if (edited.twoWay) SetEdgeAttributes(net, edited.to, edited.from, edited.reverse);
}

} // namespace plax
