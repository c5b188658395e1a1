#include "accounts/activity_net_checks.h"
#include "algorithms/critical_path.h"
#include "algorithms/euler.h"
#include "algorithms/shortest_paths.h"
#include "algorithms/tour_search.h"
#include "answer_check_parts.h"
#include "answer_texts.h"
#include "certificates.h"

#include "model/net_store.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace plax::check {

namespace {

// Ends a search once it has what it looked for, and passes the user's Stop through.
class UntilFound : private OwnRunFlags, public RunControl {
public:
    explicit UntilFound(RunControl& outer) : RunControl(ownFlags), outer_(outer) {}
    void Enough() {
        enough_ = true;
        Flags().stop = 1;
    }

protected:
    void DoPoll() override {
        if (outer_.Poll()) Flags().stop = 1;
    }
    bool StopHolds() const override { return enough_; }

private:
    RunControl& outer_;
    bool enough_ = false;
};

EdgeKey KeyOf(const NetWorkType& net, int u, int v) {
    return IsUndirected(net) ? UndirectedKey(u, v) : EdgeKey{u, v};
}

std::set<EdgeKey> EdgeSetOf(const NetWorkType& net, std::span<const int> walk) {
    std::set<EdgeKey> keys;
    for (std::size_t i = 0; i + 1 < walk.size(); ++i)
        keys.insert(KeyOf(net, walk[i], walk[i + 1]));
    return keys;
}

// Where a walk given by its edges begins when no start is set: a point met by an odd number of
// them, else the lowest point.
int WalkStart(const std::vector<EdgeMark>& edges) {
    std::map<int, int> met;
    for (const EdgeMark& e : edges) {
        ++met[e.from];
        ++met[e.to];
    }
    for (const auto& [p, count] : met)
        if (count % 2 == 1) return p;
    return met.empty() ? 0 : met.begin()->first;
}

// The walk of an answer: its points, or its edges followed from `start` (0: see WalkStart),
// taking at each point the unused edge to the lowest point.
std::vector<int> WalkOf(Context& c, const StudentAnswer& a, int start) {
    if (!a.points.empty() || a.edges.empty()) return a.points;
    const bool both = IsUndirected(c.net);
    std::vector<bool> used(a.edges.size(), false);
    std::vector<int> walk{start != 0 ? start : WalkStart(a.edges)};
    for (;;) {
        std::size_t best = used.size();
        int next = 0;
        for (std::size_t i = 0; i < used.size(); ++i) {
            const EdgeMark& e = a.edges[i];
            const int other = e.from == walk.back() ? e.to : (both && e.to == walk.back() ? e.from : 0);
            if (!used[i] && other != 0 && (best == used.size() || other < next)) {
                best = i;
                next = other;
            }
        }
        if (best == used.size()) break;
        used[best] = true;
        walk.push_back(next);
    }
    for (std::size_t i = 0; i < used.size(); ++i) {
        if (used[i]) continue;
        c.Fault(EdgeOffWalkText(a.edges[i].from, a.edges[i].to));
        c.FaultEdge(a.edges[i].from, a.edges[i].to);
    }
    return walk;
}

// The walk of the answer when it has points and all are points of the net; empty after a fault.
std::vector<int> PointsWalk(Context& c, const StudentAnswer& a, int start) {
    std::vector<int> walk = WalkOf(c, a, start);
    if (walk.empty()) {
        c.Fault(EmptyAnswerText);
        return {};
    }
    if (!AllPointsValid(c, walk)) return {};
    return walk;
}

void RepeatedPoints(Context& c, const std::vector<int>& walk, bool closed) {
    std::set<int> seen;
    const std::size_t end = closed && walk.size() > 1 ? walk.size() - 1 : walk.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (seen.insert(walk[i]).second) continue;
        c.Fault(VisitedTwiceText(walk[i]));
        c.FaultPoint(walk[i]);
    }
}

void EdgesExist(Context& c, const std::vector<int>& walk) {
    for (std::size_t i = 0; i + 1 < walk.size(); ++i) {
        if (EdgeExists(c.net, walk[i], walk[i + 1])) continue;
        c.Fault(NotAnEdgeText(walk[i], walk[i + 1]));
    }
}

// The start and the end a path question asks for.
void Ends(Context& c, const std::vector<int>& walk, int source, int sink) {
    if (source != 0 && walk.front() != source) {
        c.Fault(WrongStartText(walk.front(), source));
        c.FaultPoint(walk.front());
    }
    if (sink != 0 && walk.back() != sink) {
        c.Fault(WrongEndText(walk.back(), sink));
        c.FaultPoint(walk.back());
    }
}

// The walk of the answer when it is a path from `source` to `sink` along the net's edges, each
// point once; empty after a fault.
std::vector<int> ValidPath(Context& c, const StudentAnswer& a, int source, int sink) {
    const std::vector<int> walk = PointsWalk(c, a, source);
    if (walk.empty()) return {};
    Ends(c, walk, source, sink);
    RepeatedPoints(c, walk, false);
    EdgesExist(c, walk);
    return c.Faulty() ? std::vector<int>{} : walk;
}

// A simple path from `s` to `t` over the edges `tight` accepts, other than `walk`.
std::optional<std::vector<int>> OtherTightPath(Context& c, int s, int t, const std::vector<int>& walk,
                                               const std::function<bool(int, int)>& tight) {
    std::vector<int> path{s};
    PointSet on = PointBit(s);
    std::optional<std::vector<int>> found;
    std::function<void()> extend = [&] {
        const int u = path.back();
        if (u == t) {
            if (path != walk) found = path;
            return;
        }
        if (c.control.Poll()) return;
        for (const EdgeType& e : c.net.lists[Ix(u)]) {
            const int v = e.target;
            if (found || Contains(on, v) || !tight(u, v)) continue;
            path.push_back(v);
            on = static_cast<PointSet>(on | PointBit(v));
            extend();
            on = static_cast<PointSet>(on & ~PointBit(v));
            path.pop_back();
        }
    };
    extend();
    return found;
}

// A walk that is valid but not the best is marked whole.
void FaultWalk(Context& c, const std::vector<int>& walk) {
    for (std::size_t i = 0; i + 1 < walk.size(); ++i)
        c.FaultEdge(walk[i], walk[i + 1]);
}

double WalkSum(const std::vector<int>& walk, const std::function<double(int, int)>& length) {
    double sum = 0.0;
    for (std::size_t i = 0; i + 1 < walk.size(); ++i)
        sum += length(walk[i], walk[i + 1]);
    return sum;
}

void CheckShortestPath(Context& c, const StudentAnswer& a) {
    const int s = c.request.source;
    const int t = c.request.sink;
    NetWorkType copy = c.net;
    copy.sourcePoint = static_cast<std::uint16_t>(s);
    copy.sinkPoint = static_cast<std::uint16_t>(t);
    const ShortestPathsResult best = ComputeShortestPaths(copy, ShortestPathMode::SinglePair, c.control);
    c.correct = PointList(best.path);
    const DistanceLabels d = ComputeDistanceLabels(c.net, s);
    c.verdict.proof = DistanceProofLines(d, s, c.net.n);
    const std::vector<int> walk = ValidPath(c, a, s, t);
    if (walk.empty()) return;
    const auto length = [&](int u, int v) { return PathLength(c.net, u, v); };
    const double yours = WalkSum(walk, length);
    const double shortest = best.distance[Ix(t)];
    if (yours > shortest && !SameValue(yours, shortest)) {
        c.Fault(CompareText("path", "length", yours, "a shortest path", shortest, best.path));
        FaultWalk(c, walk);
        return;
    }
    MarkWalk(c, walk);
    const auto other = OtherTightPath(
        c, s, t, walk, [&](int u, int v) { return SameValue(d[Ix(u)] + length(u, v), d[Ix(v)]); });
    if (other) c.another = PointList(*other);
}

void CheckCriticalPath(Context& c, const StudentAnswer& a) {
    NetWorkType copy = c.net;
    SilentMessages silent;
    if (!OneSourceOneSink(copy, silent)) return;
    const int s = copy.sourcePoint;
    const int t = copy.sinkPoint;
    const ActivitySchedule schedule = ComputeSchedule(copy);
    c.correct = PointList(schedule.path);
    const std::vector<int> walk = ValidPath(c, a, s, t);
    if (walk.empty()) return;
    const auto weight = [&](int u, int v) { return GetEdgeReal(c.net, EdgeRealWeight, u, v); };
    const double yours = WalkSum(walk, weight);
    const double longest = schedule.earliest[Ix(t)];
    if (yours < longest && !SameValue(yours, longest)) {
        c.Fault(CompareText("path", "length", yours, "a critical path", longest, schedule.path));
        FaultWalk(c, walk);
        return;
    }
    MarkWalk(c, walk);
    const auto other = OtherTightPath(c, s, t, walk, [&](int u, int v) {
        return SameValue(schedule.earliest[Ix(u)] + weight(u, v), schedule.earliest[Ix(v)]);
    });
    if (other) c.another = PointList(*other);
}

// Every edge once: counts the uses of each edge of the walk against the net's edges.
void EdgesOnce(Context& c, const std::vector<int>& walk) {
    std::map<EdgeKey, int> uses;
    for (std::size_t i = 0; i + 1 < walk.size(); ++i) {
        const EdgeKey key = KeyOf(c.net, walk[i], walk[i + 1]);
        if (++uses[key] == 2) {
            c.Fault(EdgeUsedTwiceText(key.first, key.second));
            c.FaultEdge(key.first, key.second);
        }
    }
    for (int u = 1; u <= c.net.n; ++u) {
        for (const EdgeType& e : c.net.lists[Ix(u)]) {
            const EdgeKey key = KeyOf(c.net, u, e.target);
            if (key.first != u || uses.count(key) != 0) continue;
            c.Fault(EdgeNotUsedText(key.first, key.second));
            c.FaultEdge(key.first, key.second);
        }
    }
}

void CheckEuler(Context& c, const StudentAnswer& a, bool cycle) {
    const EulerResult r = ComputeEuler(c.net, cycle ? EulerMode::Cycle : EulerMode::Path);
    const auto obstacle = EulerObstacle(c.net, r);
    if (obstacle) c.verdict.proof = {ObstacleLine(*obstacle)};
    c.correct = obstacle ? std::string("none") : PointList(r.sequence);
    const char* what = cycle ? "an Eulerian cycle" : "an Eulerian path";
    if (a.none) {
        if (!obstacle) c.Fault(ExistsText(what, r.sequence));
        return;
    }
    const std::vector<int> walk = PointsWalk(c, a, 0);
    if (walk.empty()) return;
    EdgesExist(c, walk);
    EdgesOnce(c, walk);
    if (cycle && walk.back() != walk.front()) c.Fault(OpenCycleText(walk.back(), walk.front()));
    if (!cycle && walk.size() > 1 && walk.back() == walk.front()) c.Fault(ClosedPathText());
    if (!c.Faulty()) MarkWalk(c, walk);
}

// The first tour the search finds that `wanted` accepts, from each of `sources` in turn.
std::optional<std::vector<int>> FindTour(Context& c, TourKind kind, const std::vector<int>& sources,
                                         const std::function<bool(std::span<const int>)>& wanted) {
    std::optional<std::vector<int>> found;
    for (int s : sources) {
        NetWorkType copy = c.net;
        copy.sourcePoint = static_cast<std::uint16_t>(s);
        UntilFound control(c.control);
        SearchTours(copy, kind, control, [&](const TourFind& f) {
            if (found || !wanted(f.points)) return;
            found.emplace(f.points.begin(), f.points.end());
            control.Enough();
        });
        if (found || c.control.Stopped()) break;
    }
    return found;
}

std::vector<int> TourSources(const Context& c, bool cycle) {
    if (cycle) return {1};
    if (c.request.source != 0) return {c.request.source};
    std::vector<int> all;
    for (int p = 1; p <= c.net.n; ++p)
        all.push_back(p);
    return all;
}

// A Hamiltonian walk of the answer, each point once; empty after a fault.
std::vector<int> ValidTour(Context& c, const StudentAnswer& a, bool cycle) {
    const int source = cycle ? 0 : c.request.source;
    const std::vector<int> walk = PointsWalk(c, a, source);
    if (walk.empty()) return {};
    Ends(c, walk, source, 0);
    RepeatedPoints(c, walk, cycle);
    for (int p = 1; p <= c.net.n; ++p) {
        if (std::find(walk.begin(), walk.end(), p) != walk.end()) continue;
        c.Fault(NotVisitedText(p));
        c.FaultPoint(p);
    }
    EdgesExist(c, walk);
    if (cycle && walk.back() != walk.front()) c.Fault(OpenCycleText(walk.back(), walk.front()));
    return c.Faulty() ? std::vector<int>{} : walk;
}

void CheckTour(Context& c, const StudentAnswer& a) {
    const bool salesman = c.request.question == Question::Salesman;
    const bool cycle = c.request.question != Question::HamiltonianPath;
    const TourKind kind = cycle ? TourKind::HamiltonianCycle : TourKind::HamiltonianPath;
    const auto any = FindTour(c, kind, TourSources(c, cycle), [](std::span<const int>) { return true; });
    if (c.control.Stopped()) return;
    c.correct = any ? PointList(*any) : std::string("none");
    // The salesman's right answer is the lightest cycle, whatever the student gave.
    TourSearchResult best;
    if (salesman && any) {
        NetWorkType copy = c.net;
        copy.sourcePoint = 1;
        best = SearchTours(copy, TourKind::Salesman, c.control, [](const TourFind&) {});
        if (c.control.Stopped()) return;
        c.correct = PointList(best.last);
    }
    const char* what = cycle ? "a Hamiltonian cycle" : "a Hamiltonian path";
    if (!any) {
        const auto obstacle = HamiltonianObstacle(c.net, cycle);
        c.verdict.proof = {ObstacleLine(
            obstacle ? *obstacle : ExhaustiveNoneText(cycle ? "Hamiltonian cycle" : "Hamiltonian path"))};
    }
    if (a.none) {
        if (any) c.Fault(ExistsText(what, *any));
        return;
    }
    const std::vector<int> walk = ValidTour(c, a, cycle);
    if (walk.empty()) return;
    if (salesman) {
        const auto weight = [&](int u, int v) { return GetEdgeReal(c.net, EdgeRealWeight, u, v); };
        const double yours = WalkSum(walk, weight);
        if (yours > best.lastWeight && !SameValue(yours, best.lastWeight)) {
            c.Fault(CompareText("cycle", "weight", yours, "a lightest cycle", best.lastWeight, best.last));
            FaultWalk(c, walk);
            return;
        }
        MarkWalk(c, walk);
        return;
    }
    MarkWalk(c, walk);
    const std::set<EdgeKey> mine = EdgeSetOf(c.net, walk);
    const auto other = FindTour(c, kind, TourSources(c, cycle),
                                [&](std::span<const int> tour) { return EdgeSetOf(c.net, tour) != mine; });
    if (other) c.another = PointList(*other);
}

} // namespace

void CheckWalkQuestion(Context& c, const StudentAnswer& a) {
    switch (c.request.question) {
    case Question::ShortestPath: CheckShortestPath(c, a); return;
    case Question::CriticalPath: CheckCriticalPath(c, a); return;
    case Question::EulerPath: CheckEuler(c, a, false); return;
    case Question::EulerCycle: CheckEuler(c, a, true); return;
    default: CheckTour(c, a); return;
    }
}

} // namespace plax::check
