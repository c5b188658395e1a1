#include "net_labels.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <cstdlib>

namespace plax {

std::string FormatNumber(double value) {
    // The trimmed two-decimal text is what an 18-character field gives once its leading blanks go.
    return FormatTrimmed(value, 2);
}

bool ShowsTokens(const NetWorkType& net, int i) {
    const int shape = net.points[static_cast<std::size_t>(i)].shape;
    return net.view.tokens != 0 && shape != 2 && shape != 3;
}

bool HasPointLabel(const NetWorkType& net, int i) { return net.view.pointNames != 0 || ShowsTokens(net, i); }

std::string PointLabelText(const NetWorkType& net, int i) {
    const PointType& p = net.points[static_cast<std::size_t>(i)];
    std::string text;
    if (net.view.pointNames != 0) text = p.name;
    if (ShowsTokens(net, i)) {
        if (net.view.pointNames != 0) text += "/";
        text += std::to_string(p.tokens);
    }
    return text;
}

std::string EdgeLabelText(const NetWorkType& net, int from, int to) {
    std::string text;
    const auto add = [&text](const std::string& part) {
        if (!text.empty()) text += "/";
        text += part;
    };
    if (net.view.edgeNames != 0) add(GetEdgeName(net, from, to));
    if (net.view.edgeMarks != 0) add(FormatNumber(GetEdgeReal(net, EdgeRealWeight, from, to)));
    if (net.view.flows != 0) add(FormatNumber(GetEdgeReal(net, EdgeRealFlow, from, to)));
    return text;
}

bool EdgeTextsShown(const NetWorkType& net) {
    return net.view.edgeNames != 0 || net.view.edgeMarks != 0 || net.view.flows != 0;
}

bool EdgeLabelsPaired(const NetWorkType& net, const EdgeAnchors& anchors, int from, int to) {
    if (IsUndirected(net)) return false;
    const EdgeType* there = FindEdge(net, from, to);
    const EdgeType* back = FindEdge(net, to, from);
    if (there == nullptr || back == nullptr) return false;
    const auto s1 = there->shape;
    const auto s2 = back->shape;
    if (s1 == 0 && s2 == 0) return true;
    if ((s1 == 3 && s2 == 4) || (s1 == 4 && s2 == 3)) return true;
    const PixelPoint a = anchors.Of(net, from, to);
    const PixelPoint b = anchors.Of(net, to, from);
    return std::llabs(std::int64_t{a.x} - b.x) < 24 || std::llabs(std::int64_t{a.y} - b.y) < 24;
}

EdgeLabelPlan EdgeLabelLayout(const NetWorkType& net, const EdgeAnchors& anchors, int from, int to,
                              bool visible, const MeasureText& measure) {
    EdgeLabelPlan plan;
    if (IsUndirected(net) && from > to) return plan;
    const EdgeType* edge = FindEdge(net, from, to);
    if (edge == nullptr) return plan;
    const PixelPoint anchor = anchors.Of(net, from, to);
    const bool paired = EdgeLabelsPaired(net, anchors, from, to);
    // A pair is written once, by the call from its greater number.
    if (visible && paired && from < to) return plan;
    if (EdgeTextsShown(net)) {
        const std::string t1 = EdgeLabelText(net, from, to);
        const TextSize s1 = measure(t1);
        if (!paired) {
            plan.texts.push_back({t1, {anchor.x - s1.width / 2, anchor.y - s1.height / 2}});
            return plan;
        }
        const std::string t2 = EdgeLabelText(net, to, from);
        const TextSize s2 = measure(t2);
        plan.texts.push_back({t1, {anchor.x - s1.width / 2, anchor.y - s1.height}});
        plan.texts.push_back({t2, {anchor.x - s2.width / 2, anchor.y}});
    } else if (net.view.edgeLabels != 0) {
        plan.handle = true;
        plan.handleFilled = edge->subNet != nullptr;
        plan.handleBox = EdgeHandleBox(anchor);
    }
    return plan;
}

} // namespace plax
