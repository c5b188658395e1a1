#include "answer_check_parts.h"
#include "answer_texts.h"
#include "certificates.h"
#include "algorithms/clique_list.h"

#include "model/net_store.h"

#include <algorithm>
#include <functional>
#include <set>

namespace plax::check {

namespace {

using Property = std::function<bool(PointSet)>;

// The answer's points as a set; says which are outside the net or listed twice.
std::optional<PointSet> SetOf(Context& c, const std::vector<int>& points) {
    if (!AllPointsValid(c, points)) return std::nullopt;
    PointSet set = 0;
    for (int p : points) {
        if (Contains(set, p)) {
            c.Fault(ListedTwiceText(p));
            c.FaultPoint(p);
        }
        set = static_cast<PointSet>(set | PointBit(p));
    }
    return set;
}

// A set of `size` points other than `mine` that has the property.
std::optional<PointSet> OtherSet(int n, int size, PointSet mine, const Property& has) {
    for (unsigned bits = 0; bits < (1u << n); ++bits) {
        const auto set = static_cast<PointSet>(bits << 1);
        if (set != mine && SetSize(set) == size && has(set)) return set;
    }
    return std::nullopt;
}

// The stored direction of an edge between two points, for marking it.
void FaultJoin(Context& c, int a, int b) {
    if (EdgeExists(c.net, a, b)) {
        c.FaultEdge(a, b);
    } else {
        c.FaultEdge(b, a);
    }
}

void PairFaults(Context& c, PointSet set, const NeighbourSets& adj, bool clique) {
    const std::vector<int> points = PointsOf(set);
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (std::size_t j = i + 1; j < points.size(); ++j) {
            const int a = points[i];
            const int b = points[j];
            const bool joined = Contains(adj[Ix(a)], b);
            if (clique && !joined) {
                c.Fault(NotAdjacentText(a, b));
                c.FaultPoint(a);
                c.FaultPoint(b);
            } else if (!clique && joined) {
                c.Fault(AdjacentText(a, b));
                FaultJoin(c, a, b);
            }
        }
    }
}

void CoverFaults(Context& c, PointSet set, const NeighbourSets& adj) {
    for (int u = 1; u <= c.net.n; ++u)
        for (int v : PointsOf(adj[Ix(u)]))
            if (u < v && !Contains(set, u) && !Contains(set, v)) {
                c.Fault(NotCoveredText(u, v));
                FaultJoin(c, u, v);
            }
}

bool IsClique(const NeighbourSets& adj, PointSet set) {
    for (int p : PointsOf(set))
        if (!IsSubset(static_cast<PointSet>(set & ~PointBit(p)), adj[Ix(p)])) return false;
    return true;
}

bool IsIndependent(const NeighbourSets& adj, PointSet set) {
    for (int p : PointsOf(set))
        if ((set & adj[Ix(p)]) != 0) return false;
    return true;
}

// The points of the net that are cut points (or the edges that are bridges).
PointSet CutPointsOf(const NetWorkType& net) {
    PointSet cuts = 0;
    for (int p = 1; p <= net.n; ++p)
        if (SeparatedWithout(net, p)) cuts = static_cast<PointSet>(cuts | PointBit(p));
    return cuts;
}

// The answer's edges, each between two points of the net that are joined, each once.
std::optional<std::vector<EdgeKey>> EdgesOf(Context& c, const std::vector<EdgeMark>& edges) {
    std::vector<EdgeKey> keys;
    std::set<EdgeKey> seen;
    for (const EdgeMark& e : edges) {
        if (!AllPointsValid(c, {e.from, e.to})) return std::nullopt;
        if (!Joined(c.net, e.from, e.to)) {
            c.Fault(NotAnEdgeText(e.from, e.to));
            continue;
        }
        if (!seen.insert(UndirectedKey(e.from, e.to)).second) {
            c.Fault(EdgeListedTwiceText(e.from, e.to));
            continue;
        }
        keys.push_back(UndirectedKey(e.from, e.to));
    }
    return keys;
}

std::set<EdgeKey> BridgesOf(const NetWorkType& net) {
    std::set<EdgeKey> bridges;
    for (int u = 1; u <= net.n; ++u)
        for (const EdgeType& e : net.lists[Ix(u)])
            if (SeparatedWithoutEdge(net, u, e.target)) bridges.insert(UndirectedKey(u, e.target));
    return bridges;
}

void CheckCutPoints(Context& c, const StudentAnswer& a) {
    const PointSet truth = CutPointsOf(c.net);
    c.correct = PointSetText(PointsOf(truth));
    const auto set = SetOf(c, a.points);
    if (!set) return;
    for (int p : PointsOf(static_cast<PointSet>(*set & ~truth))) {
        c.Fault(NotCutPointText(p));
        c.FaultPoint(p);
    }
    for (int p : PointsOf(static_cast<PointSet>(truth & ~*set))) {
        const auto apart = SeparatedWithout(c.net, p);
        c.Fault(MissedCutPointText(p, apart->first, apart->second));
        c.FaultPoint(p);
    }
    if (!c.Faulty()) MarkPoints(c, PointsOf(*set));
}

void CheckBridges(Context& c, const StudentAnswer& a) {
    const std::set<EdgeKey> truth = BridgesOf(c.net);
    c.correct = EdgesText(truth);
    const auto keys = EdgesOf(c, a.edges);
    if (!keys) return;
    const std::set<EdgeKey> given(keys->begin(), keys->end());
    for (const EdgeKey& e : given)
        if (truth.count(e) == 0) {
            c.Fault(NotBridgeText(e.first, e.second));
            FaultJoin(c, e.first, e.second);
        }
    for (const EdgeKey& e : truth)
        if (given.count(e) == 0) {
            c.Fault(MissedBridgeText(e.first, e.second));
            FaultJoin(c, e.first, e.second);
        }
    if (c.Faulty()) return;
    for (const EdgeKey& e : given)
        c.verdict.edges.push_back({e.first, e.second, RightColor});
}

} // namespace

void CheckSetQuestion(Context& c, const StudentAnswer& a) {
    const Question q = c.request.question;
    const int n = c.net.n;
    const NeighbourSets adj = UndirectedNeighbours(c.net);
    const NeighbourSets apart = ComplementSets(adj, n);
    const PointSet independent = GreatestClique(apart, AllPoints(n));
    const PointSet best = q == Question::Clique       ? GreatestClique(adj, AllPoints(n))
                          : q == Question::PointCover ? static_cast<PointSet>(AllPoints(n) & ~independent)
                                                      : independent;
    c.correct = PointSetText(PointsOf(best));
    c.verdict.proof = CertificateLines(InfoOf(q).procedureName, c.net, c.control);
    const auto set = SetOf(c, a.points);
    if (!set) return;
    if (q == Question::PointCover) {
        CoverFaults(c, *set, adj);
    } else {
        PairFaults(c, *set, adj, q == Question::Clique);
    }
    if (c.Faulty()) return;
    const int size = SetSize(*set);
    if (q == Question::PointCover && size > SetSize(best)) {
        c.Fault(NotSmallestCoverText(size, PointsOf(best)));
    } else if (q != Question::PointCover && size < SetSize(best)) {
        c.Fault(NotGreatestText(q == Question::Clique ? "a clique" : "independent", size, PointsOf(best)));
    }
    if (c.Faulty()) return;
    MarkPoints(c, PointsOf(*set));
    const Property has = [&](PointSet s) {
        if (q == Question::Clique) return IsClique(adj, s);
        if (q == Question::IndependentSet) return IsIndependent(adj, s);
        return IsIndependent(adj, static_cast<PointSet>(AllPoints(n) & ~s));
    };
    if (const auto other = OtherSet(n, size, *set, has)) c.another = PointSetText(PointsOf(*other));
}

void CheckColoring(Context& c, const StudentAnswer& a) {
    const ChromaticProof proof = ProveChromatic(c.net, c.control);
    c.verdict.proof = ChromaticProofLines(proof);
    std::vector<int> least;
    for (int p = 1; p <= c.net.n; ++p)
        least.push_back(proof.coloring[Ix(p)]);
    c.correct = PointList(least);
    const auto colorOf = [&](int p) { return Ix(p) < a.colors.size() ? a.colors[Ix(p)] : 0; };
    std::set<int> used;
    for (int p = 1; p <= c.net.n; ++p) {
        if (colorOf(p) <= 0) {
            c.Fault(NoColorText(p));
            c.FaultPoint(p);
        }
        used.insert(colorOf(p));
    }
    const NeighbourSets adj = UndirectedNeighbours(c.net);
    for (int u = 1; u <= c.net.n; ++u)
        for (int v : PointsOf(adj[Ix(u)]))
            if (u < v && colorOf(u) > 0 && colorOf(u) == colorOf(v)) {
                c.Fault(SameColorText(u, v, colorOf(u)));
                FaultJoin(c, u, v);
            }
    if (c.Faulty() || proof.chromatic == 0) return;
    const int yours = static_cast<int>(used.size());
    if (yours > proof.chromatic) c.Fault(MoreColorsText(proof.chromatic, yours));
}

void CheckSeparation(Context& c, const StudentAnswer& a) {
    c.verdict.proof = CertificateLines(c.request.question == Question::Bridges ? "bridges" : "cut-points",
                                       c.net, c.control);
    if (c.request.question == Question::Bridges) {
        CheckBridges(c, a);
    } else {
        CheckCutPoints(c, a);
    }
}

} // namespace plax::check
