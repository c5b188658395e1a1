#pragma once

#include "edge_anchors.h"
#include "model/net_types.h"
#include "net_geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace plax {

// The number format of edge labels: two decimals, then trailing zeros and a trailing point
// dropped (2.50 -> "2.5", 3.00 -> "3", 120.00 -> "120").
std::string FormatNumber(double value);

// Whether point i's label carries its tokens: they are shown, and it is not a transition.
bool ShowsTokens(const NetWorkType& net, int i);
// Whether point i has a label at all: names shown, or tokens shown for it.
bool HasPointLabel(const NetWorkType& net, int i);
// The label of point i: name, tokens, or name + "/" + tokens.
std::string PointLabelText(const NetWorkType& net, int i);

// The parts of edge (from, to) that are shown, joined by "/": name, weight, flow.
std::string EdgeLabelText(const NetWorkType& net, int from, int to);
bool EdgeTextsShown(const NetWorkType& net);

// Whether the labels of (from, to) and its reverse are written together, one above the other.
bool EdgeLabelsPaired(const NetWorkType& net, const EdgeAnchors& anchors, int from, int to);

struct TextSize {
    int width = 0;
    int height = 0;
};
using MeasureText = std::function<TextSize(const std::string&)>;

struct PlacedText {
    std::string text;
    PixelPoint topLeft;
    bool operator==(const PlacedText&) const = default;
};

// What DrawEdgeLabel puts at an edge's anchor: up to two texts, or the edge's handle.
struct EdgeLabelPlan {
    std::vector<PlacedText> texts;
    bool handle = false;
    bool handleFilled = false; // the edge is decomposed into a sub-net
    PixelBox handleBox;
};

// The label of edge (from, to) as DrawEdgeLabel draws it, with text sizes from `measure`.
EdgeLabelPlan EdgeLabelLayout(const NetWorkType& net, const EdgeAnchors& anchors, int from, int to,
                              bool visible, const MeasureText& measure);

} // namespace plax
