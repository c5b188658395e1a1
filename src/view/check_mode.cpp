#include "check_mode.h"

#include "model/net_store.h"
#include "render/net_colors.h"

#include <algorithm>
#include <map>

namespace plax {

void CheckMode::Start(NetWorkType& net, const CheckRequest& request, bool hideWeights) {
    End(net);
    active_ = true;
    request_ = request;
    hideWeights_ = hideWeights;
    answered_ = false;
    if (hideWeights) net.view.edgeMarks = 0;
    SelectionChanged(net);
}

void CheckMode::End(NetWorkType& net) {
    for (auto it = edges_.rbegin(); it != edges_.rend(); ++it)
        if (EdgeExists(net, it->edge.from, it->edge.to)) ColorEdge(net, it->edge.from, it->edge.to, it->was);
    edges_.clear();
    points_.clear();
    active_ = false;
}

void CheckMode::SelectionChanged(const NetWorkType& net) {
    const auto selected = [&](int p) {
        return p >= 1 && p <= net.n && net.points[static_cast<std::size_t>(p)].selected != 0;
    };
    std::erase_if(points_, [&](int p) { return !selected(p); });
    for (int p = 1; p <= net.n; ++p)
        if (selected(p) && std::find(points_.begin(), points_.end(), p) == points_.end())
            points_.push_back(p);
}

void CheckMode::ToggleEdge(NetWorkType& net, int from, int to) {
    const auto same = [&](const MarkedEdge& m) {
        return (m.edge.from == from && m.edge.to == to) ||
               (IsUndirected(net) && m.edge.from == to && m.edge.to == from);
    };
    if (const auto it = std::find_if(edges_.begin(), edges_.end(), same); it != edges_.end()) {
        ColorEdge(net, from, to, it->was);
        edges_.erase(it);
        return;
    }
    const EdgeType* e = FindEdge(net, from, to);
    if (e == nullptr) return;
    edges_.push_back({{static_cast<std::uint16_t>(from), static_cast<std::uint16_t>(to)}, e->color});
    ColorEdge(net, from, to, AnswerEdgeColor);
}

void CheckMode::Recolor(NetWorkType& net) const {
    for (const MarkedEdge& m : edges_)
        if (EdgeExists(net, m.edge.from, m.edge.to)) ColorEdge(net, m.edge.from, m.edge.to, AnswerEdgeColor);
}

StudentAnswer CheckMode::MarkedAnswer(const NetWorkType& net) const {
    StudentAnswer answer;
    const AnswerKind kind = InfoOf(request_.question).kind;
    if (kind == AnswerKind::Coloring) {
        // Each stored colour is one colour class, numbered in the order of the points.
        std::map<Color, int> number;
        answer.colors.push_back(0);
        for (int p = 1; p <= net.n; ++p) {
            const Color c = net.points[static_cast<std::size_t>(p)].color;
            const auto it = number.emplace(c, static_cast<int>(number.size()) + 1).first;
            answer.colors.push_back(it->second);
        }
        return answer;
    }
    if (kind != AnswerKind::EdgeSet) answer.points = points_;
    if (kind == AnswerKind::EdgeSet || (kind == AnswerKind::Walk && points_.empty()))
        for (const MarkedEdge& m : edges_)
            answer.edges.push_back(m.edge);
    return answer;
}

} // namespace plax
