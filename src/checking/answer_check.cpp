#include "answer_check.h"

#include "answer_check_parts.h"
#include "answer_texts.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plax {

namespace {

using Q = Question;
using K = AnswerKind;
using P = QuestionPoints;

void Dispatch(check::Context& c, const StudentAnswer& answer) {
    switch (InfoOf(c.request.question).kind) {
    case K::Walk: check::CheckWalkQuestion(c, answer); return;
    case K::PointSet:
        if (c.request.question == Q::CutPoints) {
            check::CheckSeparation(c, answer);
        } else {
            check::CheckSetQuestion(c, answer);
        }
        return;
    case K::EdgeSet:
        if (c.request.question == Q::Bridges) {
            check::CheckSeparation(c, answer);
        } else {
            check::CheckSpanningTree(c, answer);
        }
        return;
    case K::Coloring: check::CheckColoring(c, answer); return;
    case K::Flow: check::CheckFlow(c, answer); return;
    }
}

} // namespace

Verdict CheckAnswer(const NetWorkType& net, const CheckRequest& request, const StudentAnswer& answer,
                    RunControl& control) {
    Verdict verdict;
    check::Context c{net, request, control, verdict, std::nullopt, std::nullopt};
    Dispatch(c, answer);
    if (control.Stopped()) {
        verdict = Verdict{};
        verdict.outcome = Outcome::Stopped;
        return verdict;
    }
    if (verdict.lines.empty()) {
        verdict.outcome = Outcome::Correct;
        verdict.lines.emplace_back(CorrectText);
        if (c.another) verdict.lines.emplace_back(AnotherAnswerText);
        if (c.another && request.showCorrect) verdict.lines.push_back(AnotherAnswerShownText(*c.another));
    } else {
        verdict.outcome = Outcome::Incorrect;
        std::erase_if(verdict.points, [](const MarkedPoint& m) { return m.color != check::FaultColor; });
        std::erase_if(verdict.edges, [](const MarkedEdge& m) { return m.color != check::FaultColor; });
        if (request.showCorrect && c.correct) verdict.lines.push_back(CorrectAnswerShownText(*c.correct));
    }
    return verdict;
}

std::string QuestionText(const CheckRequest& request) {
    const QuestionInfo& info = InfoOf(request.question);
    std::string text(info.caption);
    if (info.points == P::SourceAndSink)
        text += " from " + std::to_string(request.source) + " to " + std::to_string(request.sink);
    if (info.points == P::SourceOptional && request.source != 0)
        text += " from " + std::to_string(request.source);
    return text;
}

namespace check {

std::size_t Ix(int p) { return static_cast<std::size_t>(p); }

bool AllPointsValid(Context& c, const std::vector<int>& points) {
    for (int p : points) {
        if (p < 1 || p > c.net.n) {
            c.Fault(NotAPointText(p));
            return false;
        }
    }
    return true;
}

bool Joined(const NetWorkType& net, int a, int b) { return EdgeExists(net, a, b) || EdgeExists(net, b, a); }

double JoinedWeight(const NetWorkType& net, int a, int b) {
    const EdgeType* e = FindEdge(net, a, b);
    if (e == nullptr) e = FindEdge(net, b, a);
    return e == nullptr ? 0.0 : e->weight;
}

bool SameValue(double a, double b) {
    if (a == b) return true;
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

void MarkWalk(Context& c, const std::vector<int>& walk) {
    for (std::size_t i = 0; i + 1 < walk.size(); ++i)
        c.verdict.edges.push_back({walk[i], walk[i + 1], RightColor});
}

void MarkPoints(Context& c, const std::vector<int>& points) {
    for (int p : points)
        c.verdict.points.push_back({p, RightColor});
}

} // namespace check

} // namespace plax
