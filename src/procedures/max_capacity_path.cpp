#include "max_capacity_path.h"

#include "procedure_texts.h"

#include "model/text_utils.h"

#include <algorithm>
#include <array>

namespace plax {

namespace {

// Above every weight a valid net can hold.
constexpr double NoPath = 2E38;

using Table = std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1>;

double& At(Table& c, int i, int j) { return c[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]; }

Table Capacities(const NetWorkType& net) {
    const int n = std::min<int>(net.n, MaxPoints);
    Table c;
    for (auto& row : c)
        row.fill(NoPath);
    for (int i = 1; i <= n; ++i) {
        At(c, i, i) = 0.0;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.target != i && e.target <= n) At(c, i, e.target) = e.weight;
        }
    }
    for (int k = 1; k <= n; ++k) {
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= n; ++j) {
                if (k == i || k == j || i == j || At(c, i, k) == NoPath || At(c, k, j) == NoPath) continue;
                const double through = std::min(At(c, i, k), At(c, k, j));
                if (At(c, i, j) == NoPath || through > At(c, i, j)) At(c, i, j) = through;
            }
        }
    }
    return c;
}

} // namespace

MaxCapacityResult ComputeMaxCapacity(const NetWorkType& net) {
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    const Table c = Capacities(net);
    const double capacity = s >= 1 && s <= MaxPoints && t >= 1 && t <= MaxPoints
                                ? c[static_cast<std::size_t>(s)][static_cast<std::size_t>(t)]
                                : NoPath;
    return {s, t, capacity};
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
