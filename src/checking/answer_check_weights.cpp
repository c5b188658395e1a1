// The questions about weights: the spanning tree of least weight and the maximal flow.
#include "algorithms/spanning_tree.h"
#include "answer_check_parts.h"
#include "answer_texts.h"
#include "certificates.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <array>
#include <set>

namespace plax::check {

namespace {

// The tree path from `from` to `to` over `tree`, as its points; empty when they are not joined.
std::vector<int> TreePath(const NeighbourSets& tree, int from, int to) {
    std::array<int, MaxPoints + 1> parent{};
    parent[Ix(from)] = from;
    std::vector<int> queue{from};
    for (std::size_t i = 0; i < queue.size(); ++i)
        for (int v : PointsOf(tree[Ix(queue[i])]))
            if (parent[Ix(v)] == 0) {
                parent[Ix(v)] = queue[i];
                queue.push_back(v);
            }
    if (parent[Ix(to)] == 0) return {};
    std::vector<int> path{to};
    while (path.back() != from)
        path.push_back(parent[Ix(path.back())]);
    return path;
}

// The answer's edges when they are a spanning tree of the net; says why not otherwise.
std::optional<NeighbourSets> SpanningTreeOf(Context& c, const std::vector<EdgeMark>& edges) {
    std::set<EdgeKey> seen;
    for (const EdgeMark& e : edges) {
        if (!AllPointsValid(c, {e.from, e.to})) return std::nullopt;
        if (!Joined(c.net, e.from, e.to)) c.Fault(NotAnEdgeText(e.from, e.to));
        if (!seen.insert(UndirectedKey(e.from, e.to)).second) c.Fault(EdgeListedTwiceText(e.from, e.to));
    }
    if (c.Faulty()) return std::nullopt;
    if (static_cast<int>(edges.size()) != c.net.n - 1)
        c.Fault(TreeEdgeCountText(static_cast<int>(edges.size()), c.net.n));
    NeighbourSets tree{};
    for (const EdgeMark& e : edges) {
        const std::vector<int> path = TreePath(tree, e.from, e.to);
        if (!path.empty()) {
            std::vector<int> cycle(path.rbegin(), path.rend());
            cycle.push_back(e.from);
            c.Fault(TreeCycleText(cycle));
            c.FaultEdge(e.from, e.to);
            return std::nullopt;
        }
        Join(tree, e.from, e.to);
    }
    for (int p = 2; p <= c.net.n; ++p)
        if (TreePath(tree, 1, p).empty()) {
            c.Fault(NotJoinedText(p, 1));
            c.FaultPoint(p);
            return std::nullopt;
        }
    if (c.Faulty()) return std::nullopt;
    return tree;
}

// The heaviest edge on the tree path between the ends of a net edge, the first of equals.
std::pair<EdgeKey, double> HeaviestOnPath(const NetWorkType& net, const NeighbourSets& tree, int u, int v) {
    const std::vector<int> path = TreePath(tree, u, v);
    std::pair<EdgeKey, double> heaviest{{0, 0}, -1.0};
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const double w = JoinedWeight(net, path[i], path[i + 1]);
        if (w > heaviest.second) heaviest = {{path[i + 1], path[i]}, w};
    }
    return heaviest;
}

std::vector<EdgeKey> TreeEdges(const NeighbourSets& tree, int n) {
    std::vector<EdgeKey> edges;
    for (int u = 1; u <= n; ++u)
        for (int v : PointsOf(tree[Ix(u)]))
            if (u < v) edges.emplace_back(u, v);
    return edges;
}

// The listed flows added up by the direction they run.
using Carried = std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1>;

std::vector<FlowEntry> FlowsOf(const NetWorkType& net, const StudentAnswer& a) {
    if (!a.flows.empty() || IsUndirected(net)) return a.flows;
    std::vector<FlowEntry> stored;
    for (int u = 1; u <= net.n; ++u)
        for (const EdgeType& e : net.lists[Ix(u)])
            if (e.flow != 0.0) stored.push_back({u, e.target, e.flow});
    return stored;
}

std::optional<Carried> CarriedOf(Context& c, const std::vector<FlowEntry>& flows) {
    Carried carried{};
    for (const FlowEntry& f : flows) {
        if (!AllPointsValid(c, {f.from, f.to})) return std::nullopt;
        if (!EdgeExists(c.net, f.from, f.to)) {
            c.Fault(NotAnEdgeText(f.from, f.to));
            continue;
        }
        carried[Ix(f.from)][Ix(f.to)] += f.amount;
    }
    return carried;
}

void CapacityFaults(Context& c, const Carried& carried) {
    const bool undirected = IsUndirected(c.net);
    for (int u = 1; u <= c.net.n; ++u)
        for (const EdgeType& e : c.net.lists[Ix(u)]) {
            const int v = e.target;
            double amount = carried[Ix(u)][Ix(v)];
            if (undirected) amount = std::max(amount - carried[Ix(v)][Ix(u)], 0.0);
            if (amount > e.weight && !SameValue(amount, e.weight)) {
                c.Fault(OverCapacityText(u, v, amount, e.weight));
                c.FaultEdge(u, v);
            }
        }
}

// What flows into a point and what flows out of it.
std::pair<double, double> InAndOut(const Carried& carried, int p, int n) {
    double in = 0.0;
    double out = 0.0;
    for (int q = 1; q <= n; ++q) {
        in += carried[Ix(q)][Ix(p)];
        out += carried[Ix(p)][Ix(q)];
    }
    return {in, out};
}

void ConservationFaults(Context& c, const Carried& carried) {
    for (int p = 1; p <= c.net.n; ++p) {
        if (p == c.request.source || p == c.request.sink) continue;
        const auto [in, out] = InAndOut(carried, p, c.net.n);
        if (SameValue(in, out)) continue;
        c.Fault(ConservationText(p, in, out));
        c.FaultPoint(p);
    }
}

} // namespace

void CheckSpanningTree(Context& c, const StudentAnswer& a) {
    const SpanningTreeResult prim = ComputeMinSpanningTree(c.net);
    std::vector<EdgeKey> primEdges;
    for (const SpanningTreeEdge& e : prim.edges)
        primEdges.emplace_back(e.from, e.to);
    c.correct = EdgesText(primEdges);
    c.verdict.proof = TreeProofLines(prim.edges);
    const auto tree = SpanningTreeOf(c, a.edges);
    if (!tree) return;
    std::optional<std::pair<EdgeKey, EdgeKey>> swap;
    for (int u = 1; u <= c.net.n; ++u)
        for (int v = u + 1; v <= c.net.n; ++v) {
            if (!Joined(c.net, u, v) || Contains((*tree)[Ix(u)], v)) continue;
            const double w = JoinedWeight(c.net, u, v);
            const auto [out, heaviest] = HeaviestOnPath(c.net, *tree, u, v);
            if (w < heaviest && !SameValue(w, heaviest)) {
                c.Fault(TreeExchangeText(u, v, w, out.first, out.second, heaviest));
                c.FaultEdge(out.first, out.second);
                return;
            }
            if (!swap && SameValue(w, heaviest)) swap = {{u, v}, out};
        }
    std::vector<SpanningTreeEdge> mine;
    for (const EdgeKey& e : TreeEdges(*tree, c.net.n)) {
        mine.push_back({e.first, e.second, JoinedWeight(c.net, e.first, e.second)});
        c.verdict.edges.push_back({e.first, e.second, RightColor});
    }
    c.verdict.proof = TreeProofLines(mine);
    if (!swap) return;
    NeighbourSets other = *tree;
    const auto [in, out] = *swap;
    Part(other, out.first, out.second);
    Join(other, in.first, in.second);
    c.another = EdgesText(TreeEdges(other, c.net.n));
}

void CheckFlow(Context& c, const StudentAnswer& a) {
    NetWorkType copy = c.net;
    copy.sourcePoint = static_cast<std::uint16_t>(c.request.source);
    copy.sinkPoint = static_cast<std::uint16_t>(c.request.sink);
    const MinimumCut cut = ComputeMinimumCut(copy);
    c.verdict.proof = CutProofLines(cut);
    c.correct = ResultNumber(cut.flowValue);
    const std::vector<FlowEntry> flows = FlowsOf(c.net, a);
    if (!a.value && flows.empty()) {
        c.Fault(EmptyAnswerText);
        return;
    }
    std::optional<double> value = a.value;
    if (!flows.empty()) {
        const auto carried = CarriedOf(c, flows);
        if (!carried) return;
        CapacityFaults(c, *carried);
        ConservationFaults(c, *carried);
        const auto [in, out] = InAndOut(*carried, c.request.source, c.net.n);
        const double carriedOut = out - in;
        if (value && !SameValue(carriedOut, *value)) c.Fault(FlowValueMismatchText(carriedOut, *value));
        if (!value) value = carriedOut;
    }
    if (c.Faulty()) return;
    if (*value < cut.flowValue && !SameValue(*value, cut.flowValue)) {
        c.Fault(FlowNotMaximalText(*value, cut.flowValue));
    } else if (*value > cut.flowValue && !SameValue(*value, cut.flowValue)) {
        c.Fault(FlowTooLargeText(*value, PointsOf(cut.sourceSide), cut.capacity));
    }
    if (c.Faulty()) return;
    for (const FlowEntry& f : flows)
        if (f.amount > 0.0) c.verdict.edges.push_back({f.from, f.to, RightColor});
}

} // namespace plax::check
