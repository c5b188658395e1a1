#include "shortest_paths.h"

#include "item_lines.h"
#include "procedure_texts.h"
#include "reachability.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <limits>
#include <vector>

namespace plax {

namespace {

// Above every length a valid net can produce, so heavy edges are still taken.
constexpr double Unreached = std::numeric_limits<double>::infinity();

struct Distances {
    std::array<double, MaxPoints + 1> dist{};
    std::array<int, MaxPoints + 1> pred{};
};

void ClearDecomposedLengths(NetWorkType& net) {
    for (int i = 1; i <= net.n; ++i) {
        for (EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            e.decomposedLength = 0.0;
    }
}

class Dijkstra {
public:
    explicit Dijkstra(std::vector<std::string>& warnings) : warnings_(warnings) {}

    // Distances from the net's source; stops once every target is final.
    Distances Run(NetWorkType& net, ShortestPathMode mode, const PointFlags& targets);
    double Measure(NetWorkType& net);

private:
    double EdgeLength(NetWorkType& net, int u, EdgeType& e, ShortestPathMode mode);

    std::vector<std::string>& warnings_;
};

double Dijkstra::EdgeLength(NetWorkType& net, int u, EdgeType& e, ShortestPathMode mode) {
    if (mode != ShortestPathMode::SinglePair || !e.subNet) return e.weight;
    NetWorkType& sub = *e.subNet;
    sub.sourcePoint = 1;
    sub.sinkPoint = 2;
    sub.name = CutText(net.name + "->Edge(" + std::to_string(u) + "," + std::to_string(e.target) + ")",
                       MaxNetNameLength);
    const double len = e.decomposedLength != 0.0 ? e.decomposedLength : Measure(sub);
    if (len == -1.0) {
        warnings_.push_back("No Path in decomposition of the " + sub.name);
        return e.weight;
    }
    e.decomposedLength = len;
    return len;
}

Distances Dijkstra::Run(NetWorkType& net, ShortestPathMode mode, const PointFlags& targets) {
    ClearDecomposedLengths(net);
    Distances d;
    d.dist.fill(Unreached);
    std::array<bool, MaxPoints + 1> final{};
    const int s = net.sourcePoint;
    d.dist[static_cast<std::size_t>(s)] = 0.0;
    final[static_cast<std::size_t>(s)] = true;
    const auto allTargetsFinal = [&] {
        for (int i = 1; i <= net.n; ++i) {
            if (targets[static_cast<std::size_t>(i)] && !final[static_cast<std::size_t>(i)]) return false;
        }
        return true;
    };
    int u = s;
    while (!allTargetsFinal()) {
        const auto du = d.dist[static_cast<std::size_t>(u)];
        for (EdgeType& e : net.lists[static_cast<std::size_t>(u)]) {
            const double len = EdgeLength(net, u, e, mode);
            const auto v = static_cast<std::size_t>(e.target);
            if (!final[v] && du + len < d.dist[v]) {
                d.dist[v] = du + len;
                d.pred[v] = u;
            }
        }
        int next = 0;
        double best = Unreached;
        for (int i = 1; i <= net.n; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (!final[k] && d.dist[k] < best) {
                best = d.dist[k];
                next = i;
            }
        }
        if (next == 0) break; // the targets are reachable, so this only guards against bad input
        final[static_cast<std::size_t>(next)] = true;
        u = next;
    }
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

std::string PointPair(int a, int b) { return " (" + ItemNumber(a) + "," + ItemNumber(b) + ") "; }

void WriteSinglePair(ResultsSink& sink, const NetWorkType& net, const Distances& d,
                     const std::vector<std::string>& warnings, MarkingBuffer& marks) {
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    std::vector<int> path{t};
    while (path.back() != s && path.size() <= MaxPoints) {
        const int p = d.pred[static_cast<std::size_t>(path.back())];
        if (p == 0) break;
        path.push_back(p);
    }
    std::vector<EdgeMark> edges;
    std::vector<std::string> entries;
    for (std::size_t k = path.size() - 1; k > 0; --k) {
        edges.push_back({static_cast<std::uint16_t>(path[k]), static_cast<std::uint16_t>(path[k - 1])});
        entries.push_back(PointPair(path[k], path[k - 1]));
    }
    const std::string src = std::to_string(s);
    const std::string snk = std::to_string(t);
    sink.AddLine("    Source = " + src + "    Sink = " + snk);
    sink.AddLine("    Shortest Path  from Source (" + src + ") to Sink (" + snk +
                 ") has Length : " + ResultNumber(d.dist[static_cast<std::size_t>(t)]));
    sink.AddLine("    Path from " + src + " to Sink " + snk + " :");
    if (!warnings.empty()) {
        sink.AddLine("    ");
        sink.AddLine("    Warning about decomposition of the Edges");
        for (const std::string& w : warnings)
            sink.AddLine("    " + w + "!");
        sink.AddLine("    ");
    }
    WriteItemLines(sink, entries, 5);
    marks.Clear();
    marks.SetEdges(edges);
}

void WriteAllFromSource(ResultsSink& sink, const NetWorkType& net, const Distances& d, MarkingBuffer& marks) {
    const int s = net.sourcePoint;
    sink.AddLine("    Source = " + std::to_string(s));
    sink.AddLine("    The Lengths of the Shortest Paths from " + std::to_string(s) + " to other Points :");
    std::vector<std::string> entries;
    for (int i = 1; i <= net.n; ++i) {
        if (i == s) continue;
        const double dist = d.dist[static_cast<std::size_t>(i)];
        const std::string value = dist == Unreached ? "No Path" : ResultNumber(dist);
        entries.push_back(" (" + PadLeft(std::to_string(i), 3) + ") " + PadRight(value, 15));
    }
    WriteItemLines(sink, entries, 3);
    std::vector<EdgeMark> tree;
    for (int i = 1; i <= net.n; ++i) {
        const int p = d.pred[static_cast<std::size_t>(i)];
        if (p != 0) tree.push_back({static_cast<std::uint16_t>(p), static_cast<std::uint16_t>(i)});
    }
    marks.Clear();
    marks.SetEdges(tree);
}

} // namespace

double MeasureShortestPath(NetWorkType& net) {
    std::vector<std::string> warnings;
    return Dijkstra(warnings).Measure(net);
}

double ShortestPath(NetWorkType& net, ShortestPathMode mode, MarkingBuffer& marks,
                    const std::string& fileName, ProcedureOutput out) {
    if (fileName.empty()) return MeasureShortestPath(net);
    std::vector<std::string> warnings;
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return -1.0;
    ClearDecomposedLengths(net);
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    const PointFlags reached = ReachableFrom(net, s);
    PointFlags targets{};
    if (mode == ShortestPathMode::AllFromSource) {
        if (CountReachable(net, s) == 0) {
            out.messages.Warning(CutText("There aren`t Paths from " + std::to_string(s), 28));
            return -1.0;
        }
        targets = reached;
        targets[static_cast<std::size_t>(s)] = false;
    } else {
        if (t < 1 || t > net.n || !reached[static_cast<std::size_t>(t)]) return -1.0;
        targets[static_cast<std::size_t>(t)] = true;
    }
    Dijkstra dijkstra(warnings);
    const Distances d = dijkstra.Run(net, mode, targets);
    WriteAccount(out.sink, out.messages, [&] {
        if (mode == ShortestPathMode::SinglePair) {
            out.sink.WriteReportHeader("                Shortest Path ", net);
            WriteSinglePair(out.sink, net, d, warnings, marks);
        } else {
            out.sink.WriteReportHeader("        All Shortest Path  from Source", net);
            WriteAllFromSource(out.sink, net, d, marks);
        }
    });
    return mode == ShortestPathMode::SinglePair ? d.dist[static_cast<std::size_t>(t)] : 0.0;
}

std::optional<std::string> ShortestPathRefusal(const NetWorkType& net, ShortestPathMode mode) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (net.n < 2) {
        return std::string(mode == ShortestPathMode::SinglePair
                               ? "There isnt Shortest Path ! Trivial NetWork."
                               : TrivialNetWorkText);
    }
    return std::nullopt;
}

} // namespace plax
