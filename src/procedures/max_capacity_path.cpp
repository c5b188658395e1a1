#include "max_capacity_path.h"

#include "accounts/procedure_texts.h"

#include "model/text_utils.h"

#include <algorithm>
#include <array>

namespace plax {

namespace {

// Above every weight a valid net can hold.
constexpr double NoPath = 2E38;

using Row = std::array<double, MaxPoints + 1>;
using Table = std::array<Row, MaxPoints + 1>;

// The edge weights by pair, NoPath where there is none; a repeated entry's last weight counts.
Table EdgeWeights(const NetWorkType& net, int n) {
    Table c;
    for (auto& row : c)
        row.fill(NoPath);
    for (int i = 1; i <= n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.target != i && e.target <= n) c[static_cast<std::size_t>(i)][e.target] = e.weight;
        }
    }
    return c;
}

// The widest path from s alone (Dijkstra with min for concatenation and max for choice): the
// value is the largest bottleneck over all paths, the one the all-pairs closure gives, since min
// and max only pick among the weights and never round.
double WidestFrom(const Table& c, int n, int s, int t) {
    if (s == t) return 0.0;
    Row best = c[static_cast<std::size_t>(s)];
    std::array<bool, MaxPoints + 1> done{};
    done[static_cast<std::size_t>(s)] = true;
    for (;;) {
        int u = 0;
        for (int v = 1; v <= n; ++v) {
            const auto k = static_cast<std::size_t>(v);
            if (!done[k] && best[k] != NoPath && (u == 0 || best[k] > best[static_cast<std::size_t>(u)]))
                u = v;
        }
        if (u == 0 || u == t) break;
        const auto a = static_cast<std::size_t>(u);
        done[a] = true;
        for (int v = 1; v <= n; ++v) {
            const auto k = static_cast<std::size_t>(v);
            if (done[k] || c[a][k] == NoPath) continue;
            const double through = std::min(best[a], c[a][k]);
            if (best[k] == NoPath || through > best[k]) best[k] = through;
        }
    }
    return best[static_cast<std::size_t>(t)];
}

} // namespace

MaxCapacityResult ComputeMaxCapacity(const NetWorkType& net) {
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    const int n = std::min<int>(net.n, MaxPoints);
    if (s < 1 || s > MaxPoints || t < 1 || t > MaxPoints) return {s, t, NoPath};
    // A point beyond the net keeps the table's first values: 0 to itself, no path elsewhere.
    if (s > n || t > n) return {s, t, s == t ? 0.0 : NoPath};
    return {s, t, WidestFrom(EdgeWeights(net, n), n, s, t)};
}

double MaxCapacityPath(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                       ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return NoPath;
    const MaxCapacityResult result = ComputeMaxCapacity(net);
    marks.Clear();
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Max. Capacity Path ", net);
        out.sink.AddLine("");
        out.sink.AddLine("    Source = " + std::to_string(result.source) +
                         "    Sink = " + std::to_string(result.sink));
        out.sink.AddLine("");
        out.sink.AddLine("    Max. Capacity = " + ResultNumber(result.capacity));
        out.sink.AddLine("");
    });
    return result.capacity;
}

std::optional<std::string> MaxCapacityPathRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (net.n < 2) return std::string(NoPathTrivialMessage);
    return std::nullopt;
}

} // namespace plax
