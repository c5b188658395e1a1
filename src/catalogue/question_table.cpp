#include "question_table.h"

#include "procedure_table.h"

#include "accounts/procedure_texts.h"

#include "accounts/activity_net_checks.h"
#include "algorithms/reachability.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>

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
        if (auto busy = ProcedureInProgressRefusal(net)) return busy;
        if (net.n < 2) return std::string(TrivialNetWorkText);
        return std::nullopt;
    }
    if (!IsOffered(entry->offeredFor, net))
        return std::string(entry->offeredFor == OfferedFor::DirectedNets ? NotDirectedRefusal
                                                                         : NotUndirectedRefusal);
    return EntryRefusal(*entry, net);
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

} // namespace plax
