#include "shortest_paths.h"

#include "graph_utils.h"
#include "long_run.h"
#include "point_set.h"
#include "reachability.h"

#include "model/net_store.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace plax {

namespace {

struct Distances {
    std::array<double, MaxPoints + 1> dist{};
    std::array<int, MaxPoints + 1> pred{};
    PointSet unsettled = 0; // the points not made final, whose lists the search never walked
};

// What measuring one sub-net did, kept for the rest of the run: its length, and every expansion
// of a decomposed edge in the order the measurement made it. A later request for the same sub-net
// repeats from these the names and warnings a new measurement would leave, without measuring.
struct Measurement;

struct Expansion {
    NetWorkType* subNet = nullptr;
    int from = 0;
    int to = 0;
    const Measurement* inner = nullptr; // null when the entry's stored length was taken
    bool noPath = false;
    bool last = false; // the last expansion of its sub-net here: only it leaves names below
};

struct Measurement {
    double length = -1.0;
    std::vector<Expansion> expansions;
    bool warns = false; // measuring it added warnings, so every repetition adds them again
};

// Polls in the long run every this many steps (a point made final, or an expansion repeated).
constexpr int StepsPerPoll = 64;

class Dijkstra {
public:
    // `poller` is the run to poll for Stop, or null when the run cannot be stopped.
    Dijkstra(std::vector<std::string>& warnings, RunControl* poller) : warnings_(warnings), poller_(poller) {}

    // Distances from the net's source; stops once every target is final or Stop was pressed.
    Distances Run(NetWorkType& net, ShortestPathMode mode, const PointFlags& targets);
    double Measure(NetWorkType& net);
    bool Stopped() const { return stopped_; }

private:
    double EdgeLength(NetWorkType& net, int u, EdgeType& e, ShortestPathMode mode);
    const Measurement& MeasureSubNet(NetWorkType& sub);
    void Repeat(const Measurement& m, const NetWorkType& net);
    void Step();

    using Key = std::tuple<const NetWorkType*, int, int>;
    std::vector<std::string>& warnings_;
    RunControl* poller_;
    std::map<Key, Measurement> measured_;
    Measurement* current_ = nullptr; // the sub-net measurement under way, if any
    int steps_ = 0;
    bool stopped_ = false;
};

void NameSubNet(NetWorkType& sub, const NetWorkType& net, int u, int v) {
    sub.sourcePoint = 1;
    sub.sinkPoint = 2;
    sub.name =
        CutText(net.name + "->Edge(" + std::to_string(u) + "," + std::to_string(v) + ")", MaxNetNameLength);
}

void MarkLastExpansions(Measurement& m) {
    std::vector<const NetWorkType*> seen;
    for (auto x = m.expansions.rbegin(); x != m.expansions.rend(); ++x) {
        if (std::find(seen.begin(), seen.end(), x->subNet) != seen.end()) continue;
        seen.push_back(x->subNet);
        x->last = true;
    }
}

void Dijkstra::Step() {
    if (poller_ == nullptr || ++steps_ < StepsPerPoll) return;
    steps_ = 0;
    if (poller_->Poll()) stopped_ = true;
}

double Dijkstra::EdgeLength(NetWorkType& net, int u, EdgeType& e, ShortestPathMode mode) {
    if (mode != ShortestPathMode::SinglePair || !e.subNet || stopped_) return e.weight;
    NetWorkType& sub = *e.subNet;
    NameSubNet(sub, net, u, e.target);
    const Measurement* inner = e.decomposedLength != 0.0 ? nullptr : &MeasureSubNet(sub);
    const double len = inner != nullptr ? inner->length : e.decomposedLength;
    if (current_ != nullptr) current_->expansions.push_back({&sub, u, e.target, inner, len == -1.0, false});
    if (len == -1.0) {
        warnings_.push_back(sub.name);
        return e.weight;
    }
    e.decomposedLength = len;
    return len;
}

// A sub-net's length depends only on its own points and edges, so each is measured once a run;
// both entries of an undirected edge hold the same sub-net and find it measured.
const Measurement& Dijkstra::MeasureSubNet(NetWorkType& sub) {
    auto [at, fresh] = measured_.try_emplace(Key{&sub, sub.sourcePoint, sub.sinkPoint});
    Measurement& m = at->second;
    if (!fresh) {
        Repeat(m, sub);
        return m;
    }
    const std::size_t warningsBefore = warnings_.size();
    Measurement* outer = std::exchange(current_, &m);
    m.length = Measure(sub);
    current_ = outer;
    MarkLastExpansions(m);
    m.warns = warnings_.size() > warningsBefore;
    return m;
}

// Leaves the names and warnings that measuring `net` again would leave: the lengths and the
// decomposed-length fields below are the same at every measurement.
void Dijkstra::Repeat(const Measurement& m, const NetWorkType& net) {
    for (const Expansion& x : m.expansions) {
        Step();
        if (stopped_) return;
        NameSubNet(*x.subNet, net, x.from, x.to);
        if (x.inner != nullptr && (x.inner->warns || x.last)) Repeat(*x.inner, *x.subNet);
        if (x.noPath) warnings_.push_back(x.subNet->name);
    }
}

// For a single pair the callers clear the decomposed lengths first; the other modes never read
// them and clear them as they walk the lists.
Distances Dijkstra::Run(NetWorkType& net, ShortestPathMode mode, const PointFlags& targets) {
    Distances d;
    d.dist.fill(UnreachedDistance);
    const int s = net.sourcePoint;
    d.dist[static_cast<std::size_t>(s)] = 0.0;
    // The points not yet final, bit i for point i: walked upwards, so of equal distances the
    // smallest point is taken.
    PointSet waiting = static_cast<PointSet>(AllPoints(net.n) & ~PointBit(s));
    int open = 0; // targets not yet final
    for (int i = 1; i <= net.n; ++i)
        open += targets[static_cast<std::size_t>(i)] && i != s ? 1 : 0;
    // Only a single pair looks into decomposed edges.
    const bool single = mode == ShortestPathMode::SinglePair;
    int u = s;
    while (open > 0) {
        Step();
        if (stopped_) break;
        const auto du = d.dist[static_cast<std::size_t>(u)];
        for (EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            if (!single) e.decomposedLength = 0.0;
            const double len = single && e.subNet ? EdgeLength(net, u, e, mode) : e.weight;
            const auto v = static_cast<std::size_t>(e.target);
            if (Contains(waiting, e.target) && du + len < d.dist[v]) {
                d.dist[v] = du + len;
                d.pred[v] = u;
            }
        }
        int next = 0;
        double best = UnreachedDistance;
        for (const int i : PointsIn(waiting)) {
            const double di = d.dist[static_cast<std::size_t>(i)];
            if (di < best) {
                best = di;
                next = i;
            }
        }
        if (next == 0) break; // no point left is reached
        waiting = static_cast<PointSet>(waiting & ~PointBit(next));
        if (targets[static_cast<std::size_t>(next)]) --open;
        u = next;
    }
    d.unsettled = waiting;
    return d;
}

double Dijkstra::Measure(NetWorkType& net) {
    ClearDecomposedLengths(net);
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (s < 1 || s > net.n || t < 1 || t > net.n) return -1.0;
    if (!ReachableFrom(net, s)[static_cast<std::size_t>(t)]) return -1.0;
    PointFlags targets{};
    targets[static_cast<std::size_t>(t)] = true;
    return Run(net, ShortestPathMode::SinglePair, targets).dist[static_cast<std::size_t>(t)];
}

// Back from the sink along the predecessors, then turned round.
std::vector<int> PathTo(const Distances& d, int s, int t) {
    std::vector<int> path;
    path.reserve(MaxPoints + 1);
    path.push_back(t);
    while (path.back() != s && path.size() <= MaxPoints) {
        const int p = d.pred[static_cast<std::size_t>(path.back())];
        if (p == 0) break;
        path.push_back(p);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// Measuring sub-nets nested deeply may take long, so that run polls and can be stopped; it
// answers nothing when Stop ended it.
std::optional<Distances> RunDijkstra(NetWorkType& net, ShortestPathMode mode, bool subNets,
                                     const PointFlags& targets, std::vector<std::string>& warnings,
                                     RunControl& control) {
    if (mode != ShortestPathMode::SinglePair || !subNets)
        return Dijkstra(warnings, nullptr).Run(net, mode, targets);
    const LongRun run(control, net);
    Dijkstra dijkstra(warnings, &control);
    Distances d = dijkstra.Run(net, mode, targets);
    if (dijkstra.Stopped()) return std::nullopt;
    return d;
}

} // namespace

double MeasureShortestPath(NetWorkType& net) {
    std::vector<std::string> warnings;
    return Dijkstra(warnings, nullptr).Measure(net);
}

ShortestPathsResult ComputeShortestPaths(NetWorkType& net, ShortestPathMode mode, RunControl& control) {
    ShortestPathsResult r;
    // Only a single pair reads the lengths measured in sub-nets; it clears them before it starts,
    // the search from the source as it walks each list, and the lists it never walks below.
    const bool subNets = mode == ShortestPathMode::SinglePair && ClearDecomposedLengths(net);
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (s < 1 || s > net.n) {
        if (mode == ShortestPathMode::AllFromSource) ClearDecomposedLengths(net);
        return r;
    }
    PointFlags targets{};
    if (mode == ShortestPathMode::AllFromSource) {
        // Every other point: the search ends by itself once no point left is reached, and
        // what it reached is what the account lists.
        std::fill(targets.begin() + 1, targets.begin() + 1 + net.n, true);
        targets[static_cast<std::size_t>(s)] = false;
    } else {
        if (t < 1 || t > net.n) return r;
        // Measuring sub-nets names them and may warn, so an unreached sink is told first; without
        // sub-nets the search itself answers whether it reaches the sink.
        if (subNets && !ReachableFrom(net, s)[static_cast<std::size_t>(t)]) return r;
        targets[static_cast<std::size_t>(t)] = true;
    }
    const std::optional<Distances> found = RunDijkstra(net, mode, subNets, targets, r.noPathSubNets, control);
    if (found && mode == ShortestPathMode::AllFromSource) {
        for (const int p : PointsIn(found->unsettled))
            for (EdgeType& e : net.lists[static_cast<std::size_t>(p)])
                e.decomposedLength = 0.0;
    }
    if (!found) {
        r.reached = true;
        r.stopped = true;
        return r;
    }
    // Another point reached, as CountReachable counts them: every point reached but the source
    // has a predecessor.
    const auto& pred = found->pred;
    r.reached = mode == ShortestPathMode::SinglePair
                    ? found->dist[static_cast<std::size_t>(t)] != UnreachedDistance
                    : std::any_of(pred.begin() + 1, pred.begin() + 1 + net.n, [](int p) { return p != 0; });
    if (!r.reached) return r;
    r.distance = found->dist;
    r.predecessor = found->pred;
    if (mode == ShortestPathMode::SinglePair) r.path = PathTo(*found, s, t);
    return r;
}

} // namespace plax
