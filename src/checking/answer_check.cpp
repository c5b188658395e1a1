#include "answer_check.h"

#include "algorithms/activity_net.h"
#include "answer_check_parts.h"
#include "answer_texts.h"
#include "catalogue/procedure_table.h"
#include "accounts/procedure_texts.h"
#include "algorithms/reachability.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace plax {

namespace {

using Q = Question;
using K = AnswerKind;
using P = QuestionPoints;

constexpr std::array<QuestionInfo, 15> Table = {{
    {Q::ShortestPath, "shortest-path", "shortest-path", "shortest path", K::Walk, P::SourceAndSink, false},
    {Q::SpanningTree, "spanning-tree", "spanning-tree", "spanning tree of least weight", K::EdgeSet, P::None,
     false},
    {Q::MaximalFlow, "max-flow", "max-flow", "maximal flow", K::Flow, P::SourceAndSink, false},
    {Q::CriticalPath, "critical-path", "critical-path", "critical path", K::Walk, P::None, false},
    {Q::EulerPath, "euler-path", "euler-path", "Eulerian path", K::Walk, P::None, true},
    {Q::EulerCycle, "euler-cycle", "euler-cycle", "Eulerian cycle", K::Walk, P::None, true},
    {Q::HamiltonianPath, "hamiltonian-path", "", "Hamiltonian path", K::Walk, P::SourceOptional, true},
    {Q::HamiltonianCycle, "hamiltonian-cycle", "", "Hamiltonian cycle", K::Walk, P::None, true},
    {Q::Salesman, "salesman", "", "salesman cycle", K::Walk, P::None, true},
    {Q::Clique, "density", "density", "greatest clique", K::PointSet, P::None, false},
    {Q::IndependentSet, "undensity", "undensity", "greatest independent set", K::PointSet, P::None, false},
    {Q::PointCover, "point-cover", "point-cover", "smallest point cover", K::PointSet, P::None, false},
    {Q::Coloring, "coloring", "coloring", "proper colouring with the least colours", K::Coloring, P::None,
     false},
    {Q::CutPoints, "cut-points", "cut-points", "cut points", K::PointSet, P::None, false},
    {Q::Bridges, "bridges", "bridges", "bridges", K::EdgeSet, P::None, false},
}};

const ProcedureEntry* PlainProcedure(std::string_view name) {
    for (const ProcedureEntry& e : ProcedureTable())
        if (e.name == name && e.cliSwitch.empty()) return &e;
    return nullptr;
}

std::optional<std::string> ProcedureRefusal(const NetWorkType& net, const QuestionInfo& info) {
    const ProcedureEntry* entry = PlainProcedure(info.procedureName);
    if (entry == nullptr) {
        if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
        if (net.n < 2) return std::string(TrivialNetWorkText);
        return std::nullopt;
    }
    if (!IsOffered(entry->offeredFor, net))
        return std::string(entry->offeredFor == OfferedFor::DirectedNets ? NotDirectedRefusal
                                                                         : NotUndirectedRefusal);
    return entry->refusal(net);
}

std::optional<std::string> PointsRefusal(const NetWorkType& net, const CheckRequest& r,
                                         QuestionPoints points) {
    const auto inNet = [&](int p) { return p >= 1 && p <= net.n; };
    if (points == P::SourceOptional && r.source != 0 && !inNet(r.source)) return std::string(NoSourceRefusal);
    if (points != P::SourceAndSink) return std::nullopt;
    if (!inNet(r.source)) return std::string(NoSourceRefusal);
    if (!inNet(r.sink)) return std::string(NoSinkRefusal);
    if (CountReachable(net, r.source) == 0) return NoPathsFromSourceMessage(r.source);
    if (!ReachableFrom(net, r.source)[static_cast<std::size_t>(r.sink)])
        return UnreachableSinkMessage(r.source, r.sink);
    if (r.sink == r.source) return SinkIsSourceMessage(r.source);
    return std::nullopt;
}

std::optional<std::string> ActivityRefusal(const NetWorkType& net) {
    NetWorkType copy = net;
    SilentMessages silent;
    if (!OneSourceOneSink(copy, silent)) return std::string(NotOneSourceOneSinkMessage);
    std::vector<int> cycle;
    if (HasCycle(copy, cycle)) return std::string(NetHasCycleRefusal);
    return std::nullopt;
}

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

std::span<const QuestionInfo> Questions() { return Table; }

const QuestionInfo& InfoOf(Question q) { return Table[static_cast<std::size_t>(q)]; }

const QuestionInfo* FindQuestion(std::string_view name) {
    const auto it = std::ranges::find(Table, name, &QuestionInfo::name);
    return it == Table.end() ? nullptr : &*it;
}

std::optional<std::string> QuestionRefusal(const NetWorkType& net, const CheckRequest& request) {
    const QuestionInfo& info = InfoOf(request.question);
    if (auto refusal = ProcedureRefusal(net, info)) return refusal;
    if (auto refusal = PointsRefusal(net, request, info.points)) return refusal;
    if (request.question == Q::CriticalPath) return ActivityRefusal(net);
    return std::nullopt;
}

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
