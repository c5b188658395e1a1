#include "max_flow.h"

#include "point_set.h"

#include "model/adjacency_index.h"
#include "model/net_store.h"
#include "model/real48.h"

#include <algorithm>
#include <limits>

namespace plax {

namespace {

constexpr Color FullColor = 0x0000FF;  // red
constexpr Color HalfColor = 0xFF0000;  // blue
constexpr Color PartColor = 0x008000;  // green
constexpr Color EmptyColor = 0xC0C0C0; // silver

using Table = std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1>;

// The edges of the net as tables, and the flow found so far.
struct FlowState {
    int n = 0;
    bool undirected = false;
    std::array<std::array<bool, MaxPoints + 1>, MaxPoints + 1> exists{};
    // The points an edge joins to each point, either way round: the only ones a step can reach.
    std::array<PointSet, MaxPoints + 1> joined{};
    Table weight{};
    Table carried{};
};

struct PathStep {
    int from = 0;
    int to = 0;
    bool backward = false;
};

// An augmenting path: a simple path has fewer steps than the net has points.
struct FlowPath {
    std::array<PathStep, MaxPoints> steps{};
    std::size_t size = 0;
    bool Empty() const { return size == 0; }
    const PathStep* begin() const { return steps.data(); }
    const PathStep* end() const { return steps.data() + size; }
};

enum class Step { None, Forward, Backward };

FlowState LoadEdges(const NetWorkType& net) {
    FlowState f;
    f.n = std::min<int>(net.n, MaxPoints);
    f.undirected = IsUndirected(net);
    for (int i = 1; i <= f.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.target < 1 || e.target > f.n) continue;
            f.exists[static_cast<std::size_t>(i)][e.target] = true;
            f.weight[static_cast<std::size_t>(i)][e.target] = e.weight;
            if (e.target != i) Join(f.joined, i, e.target);
        }
    }
    return f;
}

// How the search may go from u to v. A directed net steps back along an edge v->u that carries
// flow. An undirected edge has one flow field: the plain search only adds to it, whichever way
// it runs; with `cancelling` an edge walked against the way its flow runs takes that flow back.
Step StepFrom(const FlowState& f, int u, int v, bool cancelling) {
    const auto a = static_cast<std::size_t>(u);
    const auto b = static_cast<std::size_t>(v);
    if (f.exists[a][b]) {
        const double against = f.undirected ? f.carried[b][a] : 0.0;
        if (cancelling && against > 0.0) return Step::Backward;
        if (f.weight[a][b] > f.carried[a][b] + against) return Step::Forward;
    }
    if (!f.undirected && f.exists[b][a] && f.carried[b][a] > 0.0) return Step::Backward;
    return Step::None;
}

// Breadth first from s, neighbours in increasing number; empty when t cannot be reached.
FlowPath FindPath(const FlowState& f, int s, int t, bool cancelling) {
    std::array<bool, MaxPoints + 1> visited{};
    std::array<int, MaxPoints + 1> pred{};
    std::array<bool, MaxPoints + 1> backward{};
    visited[static_cast<std::size_t>(s)] = true;
    // Each point enters the queue once, so a fixed array holds it.
    std::array<int, MaxPoints> queue{};
    std::size_t head = 0;
    std::size_t tail = 0;
    queue[tail++] = s;
    while (head < tail && !visited[static_cast<std::size_t>(t)]) {
        const int u = queue[head++];
        for (const int v : PointsIn(f.joined[static_cast<std::size_t>(u)])) {
            const auto k = static_cast<std::size_t>(v);
            if (visited[k]) continue;
            const Step step = StepFrom(f, u, v, cancelling);
            if (step == Step::None) continue;
            visited[k] = true;
            pred[k] = u;
            backward[k] = step == Step::Backward;
            queue[tail++] = v;
            if (v == t) break; // the sink's step is taken; nothing after it changes the path
        }
    }
    FlowPath path;
    if (!visited[static_cast<std::size_t>(t)]) return path;
    for (int v = t; v != s; v = pred[static_cast<std::size_t>(v)])
        path.steps[path.size++] = {pred[static_cast<std::size_t>(v)], v,
                                   backward[static_cast<std::size_t>(v)]};
    std::reverse(path.steps.begin(), path.steps.begin() + static_cast<std::ptrdiff_t>(path.size));
    return path;
}

// A path of plain steps that crosses an undirected edge against its flow would add to the
// flow where it must take some back.
bool RunsAgainstFlow(const FlowState& f, const FlowPath& path) {
    if (!f.undirected) return false;
    return std::any_of(path.begin(), path.end(), [&](const PathStep& p) {
        return !p.backward &&
               f.carried[static_cast<std::size_t>(p.to)][static_cast<std::size_t>(p.from)] > 0.0;
    });
}

void Augment(FlowState& f, const FlowPath& path) {
    // Above every capacity a valid net can hold, so an edge of 1.0E38 is not capped.
    double capacity = std::numeric_limits<double>::infinity();
    for (const PathStep& p : path) {
        const auto a = static_cast<std::size_t>(p.from);
        const auto b = static_cast<std::size_t>(p.to);
        capacity = std::min(capacity, p.backward ? f.carried[b][a] : f.weight[a][b] - f.carried[a][b]);
    }
    for (const PathStep& p : path) {
        const auto a = static_cast<std::size_t>(p.from);
        const auto b = static_cast<std::size_t>(p.to);
        if (p.backward) {
            f.carried[b][a] -= capacity;
        } else {
            f.carried[a][b] += capacity;
        }
    }
}

} // namespace

FlowTable ComputeMaximalFlow(const NetWorkType& net) {
    FlowState f = LoadEdges(net);
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    FlowTable result;
    if (s < 1 || s > f.n || t < 1 || t > f.n || s == t) return result;
    for (;;) {
        // On an undirected net adding alone can fall short of the maximum, and adding against a
        // flow does not give a flow. The plain search's path is kept when it adds along or across
        // empty edges only, so a net that needs no flow taken back keeps the plain search's flows.
        FlowPath path = FindPath(f, s, t, false);
        if (f.undirected && (path.Empty() || RunsAgainstFlow(f, path))) path = FindPath(f, s, t, true);
        if (path.Empty()) break;
        Augment(f, path);
    }
    result.carried = f.carried;
    for (int v = 1; v <= f.n; ++v)
        result.value += f.carried[static_cast<std::size_t>(s)][static_cast<std::size_t>(v)];
    return result;
}

// The pairs the listing and the colouring name: every edge of a directed net, each edge of an
// undirected one once, lower point first.
// True when some flow was too large for the flow field and is held at the largest value.
bool StoreMaximalFlow(NetWorkType& net, const FlowTable& flows) {
    const bool undirected = IsUndirected(net);
    bool clamped = false;
    for (int i = 1; i <= net.n; ++i) {
        const auto a = static_cast<std::size_t>(i);
        for (EdgeType& e : net.lists[a]) {
            e.decomposedLength = 0.0;
            e.aux = 0.0;
            const double flow = flows.carried[a][e.target] + (undirected ? flows.carried[e.target][a] : 0.0);
            e.flow = StorableReal48(flow);
            clamped = clamped || e.flow != flow;
        }
    }
    return clamped;
}

double StoredFlowValue(const NetWorkType& net, const AdjacencyIndex& index, int s) {
    double value = 0.0;
    for (int v = 1; v <= net.n; ++v) {
        if (v != s && index.Exists(s, v)) value += index.Flow(s, v);
    }
    return value;
}

std::optional<Color> FlowColor(double flow, double weight) {
    if (flow == weight) return FullColor;
    if (flow < weight && flow >= weight / 2) return HalfColor;
    if (flow > 0.0 && flow < weight / 2) return PartColor;
    if (flow == 0.0) return EmptyColor;
    return std::nullopt;
}

std::vector<FlowEdgeColor> FlowColoring(const NetWorkType& net) {
    std::vector<FlowEdgeColor> colors;
    const AdjacencyIndex index(net);
    const bool undirected = IsUndirected(net);
    for (int a = 1; a <= net.n; ++a) {
        for (int b = 1; b <= net.n; ++b) {
            if (!FlowListedPair(index, undirected, a, b)) continue;
            const auto c = FlowColor(index.Flow(a, b), index.Weight(a, b));
            if (c) colors.push_back({a, b, *c});
        }
    }
    return colors;
}

} // namespace plax
