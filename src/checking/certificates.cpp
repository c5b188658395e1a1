#include "certificates.h"

#include "algorithms/clique_list.h"
#include "algorithms/cut_points.h"
#include "algorithms/euler.h"
#include "algorithms/graph_utils.h"
#include "algorithms/max_flow.h"
#include "algorithms/shortest_paths.h"
#include "answer_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace plax {

namespace {

constexpr double Unreached = std::numeric_limits<double>::infinity();
constexpr std::uint64_t PollEvery = 4096;

std::size_t Ix(int p) { return static_cast<std::size_t>(p); }

// A residual left by rounding of sums is not room for more flow.
bool HasRoom(double residual, double capacity) { return residual > 1e-9 * std::max(1.0, capacity); }

// Backtracking in point order; colours beyond the highest used so far + 1 are never tried.
class Colorer {
public:
    Colorer(const NeighbourSets& adjacent, int n, int k, RunControl& control)
        : adjacent_(adjacent), n_(n), k_(k), control_(control) {}

    bool Run() { return Color(1, 0); }
    const PointColors& Colors() const { return color_; }
    std::uint64_t Nodes() const { return nodes_; }

private:
    bool Color(int p, int used) {
        if (p > n_) return true;
        if (++nodes_ % PollEvery == 0 && control_.Poll()) return false;
        if (control_.Stopped()) return false;
        for (int c = 1; c <= std::min(k_, used + 1); ++c) {
            if (Clashes(p, c)) continue;
            color_[Ix(p)] = c;
            if (Color(p + 1, std::max(used, c))) return true;
        }
        color_[Ix(p)] = 0;
        return false;
    }
    bool Clashes(int p, int c) const {
        for (int q : PointsOf(adjacent_[Ix(p)]))
            if (q < p && color_[Ix(q)] == c) return true;
        return false;
    }

    const NeighbourSets& adjacent_;
    int n_;
    int k_;
    RunControl& control_;
    PointColors color_{};
    std::uint64_t nodes_ = 0;
};

// Whether a clique of `target` points exists, counting the steps of the search.
bool CliqueOfSize(const NeighbourSets& adjacent, PointSet candidates, int missing, std::uint64_t& nodes,
                  RunControl& control) {
    if (missing == 0) return true;
    if (++nodes % PollEvery == 0) control.Poll();
    if (control.Stopped() || SetSize(candidates) < missing) return false;
    for (int p : PointsOf(candidates)) {
        candidates = static_cast<PointSet>(candidates & ~PointBit(p));
        const auto rest = static_cast<PointSet>(candidates & adjacent[Ix(p)]);
        if (CliqueOfSize(adjacent, rest, missing - 1, nodes, control)) return true;
        if (SetSize(candidates) < missing) return false;
    }
    return false;
}

// The points reached from `start` over `adjacent`, leaving out the points of `without`.
PointSet Reach(const NeighbourSets& adjacent, int start, PointSet without) {
    PointSet seen = PointBit(start);
    std::vector<int> queue{start};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        for (int q : PointsOf(static_cast<PointSet>(adjacent[Ix(queue[i])] & ~seen & ~without))) {
            seen = static_cast<PointSet>(seen | PointBit(q));
            queue.push_back(q);
        }
    }
    return seen;
}

// The first pair a < b, neither of them in `without`, that `before` joins and `after` does not
// join once the points of `without` are gone.
std::optional<std::pair<int, int>> FirstSeparated(const NeighbourSets& before, const NeighbourSets& after,
                                                  int n, PointSet without) {
    for (int a = 1; a <= n; ++a) {
        if (Contains(without, a)) continue;
        const PointSet was = Reach(before, a, 0);
        const PointSet is = Reach(after, a, without);
        for (int b = a + 1; b <= n; ++b)
            if (!Contains(without, b) && Contains(was, b) && !Contains(is, b)) return std::pair{a, b};
    }
    return std::nullopt;
}

std::vector<int> OddCycle(const NeighbourSets& adjacent, int n);

// Appends the cells to `lines`, `perLine` to a line, each line indented and without trailing blanks.
void Labels(const std::vector<std::string>& cells, std::size_t perLine, std::vector<std::string>& lines) {
    std::string line = "    ";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        line += cells[i];
        if ((i + 1) % perLine == 0 || i + 1 == cells.size()) {
            lines.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
            line = "    ";
        }
    }
}

std::vector<std::string> ClassesOf(const PointColors& coloring, int n, int colors) {
    std::vector<std::string> cells;
    for (int c = 1; c <= colors; ++c) {
        std::vector<int> members;
        for (int p = 1; p <= n; ++p)
            if (coloring[Ix(p)] == c) members.push_back(p);
        if (!members.empty()) cells.push_back(PointSetText(members) + " ");
    }
    return cells;
}

} // namespace

double PathLength(const NetWorkType& net, int from, int to) {
    const EdgeType* e = FindEdge(net, from, to);
    if (e == nullptr) return Unreached;
    if (!e->subNet) return e->weight;
    NetWorkType sub = *e->subNet;
    sub.sourcePoint = 1;
    sub.sinkPoint = 2;
    const double length = MeasureShortestPath(sub);
    return length == -1.0 ? e->weight : length;
}

DistanceLabels ComputeDistanceLabels(const NetWorkType& net, int source) {
    DistanceLabels d;
    d.fill(Unreached);
    if (source < 1 || source > net.n) return d;
    d[Ix(source)] = 0.0;
    std::vector<std::tuple<int, int, double>> edges;
    for (int u = 1; u <= net.n; ++u)
        for (const EdgeType& e : net.lists[Ix(u)])
            if (e.target >= 1 && e.target <= net.n)
                edges.emplace_back(u, e.target, PathLength(net, u, e.target));
    for (int round = 0; round < net.n; ++round) {
        bool changed = false;
        for (const auto& [u, v, w] : edges) {
            if (d[Ix(u)] + w < d[Ix(v)]) {
                d[Ix(v)] = d[Ix(u)] + w;
                changed = true;
            }
        }
        if (!changed) break;
    }
    return d;
}

MinimumCut ComputeMinimumCut(const NetWorkType& net) {
    const FlowTable flow = ComputeMaximalFlow(net);
    const auto capacity = [&](int u, int v) {
        const EdgeType* e = FindEdge(net, u, v);
        return e == nullptr ? 0.0 : e->weight;
    };
    MinimumCut cut;
    cut.flowValue = flow.value;
    NeighbourSets residual{};
    for (int u = 1; u <= net.n; ++u)
        for (int v = 1; v <= net.n; ++v) {
            const double room = capacity(u, v) - flow.carried[Ix(u)][Ix(v)] + flow.carried[Ix(v)][Ix(u)];
            if (u != v && HasRoom(room, capacity(u, v) + capacity(v, u)))
                residual[Ix(u)] = static_cast<PointSet>(residual[Ix(u)] | PointBit(v));
        }
    cut.sourceSide = Reach(residual, net.sourcePoint, 0);
    for (int u : PointsOf(cut.sourceSide))
        for (int v = 1; v <= net.n; ++v)
            if (!Contains(cut.sourceSide, v) && EdgeExists(net, u, v)) {
                cut.edges.push_back({u, v, capacity(u, v)});
                cut.capacity += capacity(u, v);
            }
    return cut;
}

std::optional<PointColors> ColorWith(const NeighbourSets& adjacent, int n, int k, std::uint64_t& nodes,
                                     RunControl& control) {
    Colorer colorer(adjacent, n, k, control);
    const bool found = colorer.Run();
    nodes = colorer.Nodes();
    if (!found) return std::nullopt;
    return colorer.Colors();
}

int ChromaticNumber(const NeighbourSets& adjacent, int n, RunControl& control, PointColors& coloring) {
    for (int k = 1; k <= n; ++k) {
        std::uint64_t nodes = 0;
        if (const auto found = ColorWith(adjacent, n, k, nodes, control)) {
            coloring = *found;
            return k;
        }
        if (control.Stopped()) return 0;
    }
    return 0;
}

ChromaticProof ProveChromatic(const NetWorkType& net, RunControl& control) {
    ChromaticProof proof;
    const NeighbourSets adjacent = UndirectedNeighbours(net);
    proof.chromatic = ChromaticNumber(adjacent, net.n, control, proof.coloring);
    if (proof.chromatic == 0) {
        proof.stopped = net.n > 0;
        return proof;
    }
    const std::vector<int> clique = PointsOf(GreatestClique(adjacent, AllPoints(net.n)));
    if (static_cast<int>(clique.size()) == proof.chromatic) {
        proof.clique = clique;
    } else if (proof.chromatic == 3) {
        proof.oddCycle = OddCycle(adjacent, net.n);
    } else {
        ColorWith(adjacent, net.n, proof.chromatic - 1, proof.searchNodes, control);
        proof.stopped = control.Stopped();
    }
    return proof;
}

CliqueProof ProveGreatestClique(const NeighbourSets& adjacent, int n, RunControl& control) {
    CliqueProof proof;
    proof.clique = PointsOf(GreatestClique(adjacent, AllPoints(n)));
    const int size = static_cast<int>(proof.clique.size());
    if (size == 0) return proof;
    std::uint64_t nodes = 0;
    // A clique has at most one point in each colour class, as the classes are independent.
    proof.coloring = ColorWith(adjacent, n, size, nodes, control);
    if (!proof.coloring) {
        CliqueOfSize(adjacent, AllPoints(n), size + 1, proof.searchNodes, control);
        proof.stopped = control.Stopped();
    }
    return proof;
}

namespace {

// Breadth first from each point in turn: an edge between two points of one level closes an odd
// cycle through their nearest common ancestor.
std::vector<int> OddCycle(const NeighbourSets& adjacent, int n) {
    for (int root = 1; root <= n; ++root) {
        std::array<int, MaxPoints + 1> level{};
        std::array<int, MaxPoints + 1> parent{};
        level.fill(-1);
        level[Ix(root)] = 0;
        std::vector<int> queue{root};
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int u = queue[i];
            for (int v : PointsOf(adjacent[Ix(u)])) {
                if (level[Ix(v)] < 0) {
                    level[Ix(v)] = level[Ix(u)] + 1;
                    parent[Ix(v)] = u;
                    queue.push_back(v);
                } else if (level[Ix(v)] == level[Ix(u)]) {
                    std::vector<int> up{u};
                    std::vector<int> down{v};
                    while (up.back() != down.back()) {
                        up.push_back(parent[Ix(up.back())]);
                        down.push_back(parent[Ix(down.back())]);
                    }
                    std::vector<int> cycle(up.rbegin(), up.rend());
                    cycle.insert(cycle.end(), down.begin(), down.end());
                    return cycle;
                }
            }
        }
    }
    return {};
}

// The tree's own adjacency.
NeighbourSets TreeSets(const std::vector<SpanningTreeEdge>& tree) {
    NeighbourSets sets{};
    for (const SpanningTreeEdge& e : tree) {
        if (e.from < 1 || e.to < 1 || e.from > MaxPoints || e.to > MaxPoints) continue;
        Join(sets, e.from, e.to);
    }
    return sets;
}

} // namespace

std::vector<TreeEdgeCut> TreeCuts(const std::vector<SpanningTreeEdge>& tree) {
    NeighbourSets sets = TreeSets(tree);
    std::vector<TreeEdgeCut> cuts;
    for (const SpanningTreeEdge& e : tree) {
        if (e.from < 1 || e.to < 1) continue;
        NeighbourSets without = sets;
        Part(without, e.from, e.to);
        cuts.push_back({e, Reach(without, e.to, 0)});
    }
    return cuts;
}

std::optional<std::pair<int, int>> SeparatedWithout(const NetWorkType& net, int p) {
    const NeighbourSets nbr = UndirectedNeighbours(net);
    return FirstSeparated(nbr, nbr, net.n, PointBit(p));
}

std::optional<std::pair<int, int>> SeparatedWithoutEdge(const NetWorkType& net, int from, int to) {
    const NeighbourSets nbr = UndirectedNeighbours(net);
    NeighbourSets without = nbr;
    if (from >= 1 && to >= 1 && from <= MaxPoints && to <= MaxPoints) Part(without, from, to);
    return FirstSeparated(nbr, without, net.n, 0);
}

std::optional<std::string> EulerObstacle(const NetWorkType& net, bool cycle) {
    return EulerObstacle(net, ComputeEuler(net, cycle ? EulerMode::Cycle : EulerMode::Path));
}

std::optional<std::string> EulerObstacle(const NetWorkType& net, const EulerResult& r) {
    if (!r.connected) {
        const PointSet joined = Reach(UndirectedNeighbours(net), 1, 0);
        for (int p = 2; p <= net.n; ++p)
            if (!Contains(joined, p)) return UnreachedText(p, 1);
    }
    if (r.exists) return std::nullopt;
    std::vector<int> violating;
    for (int p = 1; p <= net.n; ++p)
        if (r.violating[Ix(p)]) violating.push_back(p);
    if (violating.empty()) return AllEvenText();
    return IsUndirected(net) ? OddDegreeText(violating) : UnbalancedText(violating);
}

namespace {

// The two sides of a connected bipartite net, or nothing.
std::optional<std::pair<int, int>> BipartiteSides(const NeighbourSets& nbr, int n) {
    std::array<int, MaxPoints + 1> side{};
    side[1] = 1;
    std::vector<int> queue{1};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        for (int v : PointsOf(nbr[Ix(queue[i])])) {
            if (side[Ix(v)] == side[Ix(queue[i])]) return std::nullopt;
            if (side[Ix(v)] == 0) {
                side[Ix(v)] = 3 - side[Ix(queue[i])];
                queue.push_back(v);
            }
        }
    }
    const auto left = static_cast<int>(std::count(side.begin() + 1, side.begin() + n + 1, 1));
    return std::pair{left, n - left};
}

} // namespace

std::optional<std::string> HamiltonianObstacle(const NetWorkType& net, bool cycle) {
    if (!IsUndirected(net) || net.n < 3) return std::nullopt;
    const NeighbourSets nbr = UndirectedNeighbours(net);
    std::vector<int> few;
    bool isolated = false;
    for (int p = 1; p <= net.n; ++p) {
        if (SetSize(nbr[Ix(p)]) < 2) few.push_back(p);
        isolated = isolated || nbr[Ix(p)] == 0;
    }
    if ((cycle && !few.empty()) || (!cycle && (few.size() > 2 || isolated))) return OneNeighbourText(few);
    const PointSet joined = Reach(nbr, 1, 0);
    for (int p = 2; p <= net.n; ++p)
        if (!Contains(joined, p)) return UnreachedText(p, 1);
    if (cycle) {
        for (int p = 1; p <= net.n; ++p)
            if (FirstSeparated(nbr, nbr, net.n, PointBit(p))) return CutPointReasonText(p);
    }
    if (const auto sides = BipartiteSides(nbr, net.n)) {
        const int gap = std::abs(sides->first - sides->second);
        if ((cycle && gap != 0) || (!cycle && gap > 1)) return BipartiteText(sides->first, sides->second);
    }
    return std::nullopt;
}

std::vector<std::string> DistanceProofLines(const NetWorkType& net, int source) {
    return DistanceProofLines(ComputeDistanceLabels(net, source), source, net.n);
}

std::vector<std::string> DistanceProofLines(const DistanceLabels& d, int source, int n) {
    std::vector<std::string> lines{DistanceLabelsHeading(source)};
    std::vector<std::string> cells;
    for (int p = 1; p <= n; ++p) {
        const std::string value = d[Ix(p)] == Unreached ? std::string("No Path") : ResultNumber(d[Ix(p)]);
        cells.push_back(PadRight("d(" + std::to_string(p) + ") = " + value, 18));
    }
    Labels(cells, 4, lines);
    return lines;
}

std::vector<std::string> CutProofLines(const MinimumCut& cut) {
    std::vector<int> rest;
    for (int p = 1; p <= MaxPoints; ++p)
        if (!Contains(cut.sourceSide, p)) rest.push_back(p);
    std::vector<std::string> lines{MinimumCutLine(PointsOf(cut.sourceSide))};
    std::vector<std::string> cells;
    for (const CutEdge& e : cut.edges)
        cells.push_back(" " + EdgeText(e.from, e.to) + " " + ResultNumber(e.capacity));
    lines.push_back(CutEdgesHeading);
    Labels(cells, 6, lines);
    lines.push_back(CutCapacityLine(cut.capacity, cut.flowValue));
    return lines;
}

std::vector<std::string> ChromaticProofLines(const ChromaticProof& proof) {
    if (proof.stopped) return {StoppedProofLine};
    if (!proof.clique.empty()) return {CliqueForcesLine(proof.clique, proof.chromatic)};
    if (!proof.oddCycle.empty()) return {OddCycleForcesLine(proof.oddCycle)};
    return {NoFewerColorsLine(proof.chromatic - 1, proof.searchNodes)};
}

std::vector<std::string> CliqueProofLines(std::string_view what, const CliqueProof& proof, int n) {
    const int size = static_cast<int>(proof.clique.size());
    if (proof.stopped) return {StoppedProofLine};
    if (size == 0) return {};
    if (!proof.coloring) return {NoGreaterSetLine(what, size + 1, proof.searchNodes)};
    std::vector<std::string> lines{SetsCoverLine(what, size)};
    Labels(ClassesOf(*proof.coloring, n, size), 6, lines);
    return lines;
}

std::vector<std::string> TreeProofLines(const std::vector<SpanningTreeEdge>& tree) {
    std::vector<std::string> lines{TreeCutsHeading};
    for (const TreeEdgeCut& c : TreeCuts(tree))
        lines.push_back(TreeCutLine(c.edge.from, c.edge.to, c.edge.weight, PointsOf(c.side)));
    return lines;
}

namespace {

std::vector<std::string> SeparationLines(const NetWorkType& net, bool bridges) {
    std::vector<std::string> lines;
    const CutSearchResult found =
        ComputeCutPointsOrBridges(net, bridges ? CutSearchMode::Bridges : CutSearchMode::CutPoints);
    for (int p : found.cutPoints)
        if (const auto apart = SeparatedWithout(net, p))
            lines.push_back(SeparatedLine("point " + std::to_string(p), apart->first, apart->second));
    for (const EdgeMark& e : found.bridges)
        if (const auto apart = SeparatedWithoutEdge(net, e.from, e.to))
            lines.push_back(SeparatedLine("edge " + EdgeText(e.from, e.to), apart->first, apart->second));
    return lines;
}

std::vector<std::string> SetProofLines(std::string_view name, const NetWorkType& net, RunControl& control) {
    const NeighbourSets adjacent = UndirectedNeighbours(net);
    if (name == "density")
        return CliqueProofLines("clique", ProveGreatestClique(adjacent, net.n, control), net.n);
    const CliqueProof independent = ProveGreatestClique(ComplementSets(adjacent, net.n), net.n, control);
    std::vector<std::string> lines = CliqueProofLines("independent set", independent, net.n);
    if (name == "point-cover" && !lines.empty())
        lines.insert(lines.begin(), CoverProofLine(static_cast<int>(independent.clique.size())));
    return lines;
}

std::vector<std::string> ObstacleLines(const std::optional<std::string>& reason) {
    if (!reason) return {};
    return {ObstacleLine(*reason)};
}

} // namespace

std::vector<std::string> CertificateLines(std::string_view name, const NetWorkType& net,
                                          RunControl& control) {
    if (name == "shortest-path" || name == "all-shortest-paths")
        return DistanceProofLines(net, net.sourcePoint);
    if (name == "spanning-tree") return TreeProofLines(ComputeMinSpanningTree(net).edges);
    if (name == "max-flow") return CutProofLines(ComputeMinimumCut(net));
    if (name == "coloring") return ChromaticProofLines(ProveChromatic(net, control));
    if (name == "density" || name == "undensity" || name == "point-cover")
        return SetProofLines(name, net, control);
    if (name == "cut-points" || name == "bridges") return SeparationLines(net, name == "bridges");
    if (name == "euler-path" || name == "euler-cycle")
        return ObstacleLines(EulerObstacle(net, name == "euler-cycle"));
    if (name == "hamiltonian-path" || name == "hamiltonian-cycle" || name == "salesman")
        return ObstacleLines(HamiltonianObstacle(net, name != "hamiltonian-path"));
    return {};
}

} // namespace plax
