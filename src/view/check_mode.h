#pragma once

#include "checking/answer_check.h"

#include "model/net_types.h"

#include <utility>
#include <vector>

namespace plax {

// A document in check mode: the question asked, and the answer the student marks on the canvas
// (points by Shift-click or rubber band, kept in the order they were marked; edges by clicking
// their anchors; colours as the points' own colours). Holds no widget.
class CheckMode {
public:
    bool Active() const { return active_; }
    const CheckRequest& Request() const { return request_; }
    // The weights stay hidden until the student has had a verdict.
    bool HidesWeights() const { return active_ && hideWeights_ && !answered_; }

    void Start(NetWorkType& net, const CheckRequest& request, bool hideWeights);
    // Leaves check mode; the marked edges get their own colours back.
    void End(NetWorkType& net);
    void Answered() { answered_ = true; }

    // After the selection changed: points no longer selected go, new ones join at the end.
    void SelectionChanged(const NetWorkType& net);
    // Marks the edge, or unmarks it (its colour comes back).
    void ToggleEdge(NetWorkType& net, int from, int to);
    // Gives the marked edges their mark colour again, after a redraw in the normal colours.
    void Recolor(NetWorkType& net) const;
    // The answer as marked.
    StudentAnswer MarkedAnswer(const NetWorkType& net) const;

private:
    struct MarkedEdge {
        EdgeMark edge;
        Color was = 0;
    };

    bool active_ = false;
    bool hideWeights_ = false;
    bool answered_ = false;
    CheckRequest request_;
    std::vector<int> points_;
    std::vector<MarkedEdge> edges_;
};

// The colour of an edge marked as part of an answer.
inline constexpr Color AnswerEdgeColor = 0xFF0000;

} // namespace plax
