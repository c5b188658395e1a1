#include "k_shortest_paths_account.h"

#include "item_lines.h"

#include "model/text_utils.h"

#include <algorithm>
#include <cassert>

namespace plax {

namespace {

void WriteLengths(ResultsSink& sink, const std::vector<double>& lengths) {
    const std::size_t m = lengths.size();
    sink.AddLine("    Distinct Lengths of " + std::to_string(m) + " shortest paths in increasing order:");
    ListLines lines(sink, 14);
    for (std::size_t i = 0; i < m; ++i)
        lines.Add(ResultNumber(lengths[i]) + (i + 1 < m ? ", " : ""));
    lines.Flush();
    sink.AddLine("");
}

void WriteWalk(ResultsSink& sink, const std::vector<int>& walk, int rank) {
    if (walk.empty()) {
        sink.AddLine("     Cannot generate the path " + std::to_string(rank));
        return;
    }
    ListLines lines(sink, 14);
    for (std::size_t i = 0; i < walk.size(); ++i)
        lines.Add(PadLeft(std::to_string(walk[i]), 3) + (i + 1 == walk.size() ? "" : ","));
    lines.Flush();
}

// The document window pops the walk forwards from the point after the source.
void ShowWalk(const std::vector<int>& walk, TMyWordStack& walkToShow) {
    walkToShow.Clear();
    for (std::size_t i = walk.size(); i > 1; --i)
        walkToShow.Push(static_cast<std::uint16_t>(walk[i - 1]));
}

void WriteFound(ResultsSink& sink, const KShortestResult& found, int k, TMyWordStack* walkToShow,
                int showNumber) {
    const int m = static_cast<int>(found.lengths.size());
    if (m < k) sink.AddLine("    " + std::to_string(m) + " paths have been found");
    if (m > 0) WriteLengths(sink, found.lengths);
    for (int rank = 1; rank <= m; ++rank) {
        const auto at = static_cast<std::size_t>(rank - 1);
        sink.AddLine("    ");
        sink.AddLine("    " + std::to_string(rank) + " Path ");
        sink.AddLine("    Path has length " + ResultNumber(found.lengths[at]));
        sink.AddLine("    Point sequence:");
        if (walkToShow != nullptr && (rank == showNumber || (rank == m && m < showNumber)))
            ShowWalk(found.walks[at], *walkToShow);
        WriteWalk(sink, found.walks[at], rank);
    }
}

} // namespace

void KShortestPaths(const NetWorkType& net, TMyWordStack* walkToShow, const std::string& fileName,
                    const KShortestParameters& parameters, ProcedureOutput out) {
    assert(parameters.k >= 1 && parameters.k <= MaxPoints);
    const int k = std::clamp(parameters.k, 1, MaxPoints);
    if (walkToShow != nullptr) walkToShow->Clear();
    const int s = net.sourcePoint;
    const int t = net.sinkPoint;
    if (net.n > MaxPoints || s < 1 || s > net.n || t < 1 || t > net.n || s == t) return;
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    const KShortestResult found = ComputeKShortestPaths(net, k, parameters.iterationLimit);
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.BeginAccount(
            {"", "    K Shortest Paths with distinct length", "        Strictly increasing order"});
        out.sink.WriteHeaderBlock(net);
        out.sink.AddLine("    Source = " + std::to_string(s) + "    Sink = " + std::to_string(t));
        out.sink.AddLine("    K = " + std::to_string(k));
        out.sink.AddLine("");
        if (found.converged) {
            WriteFound(out.sink, found, k, walkToShow, parameters.showNumber);
        } else {
            out.sink.AddLine("    Too many iterations have been performed. Number exceeds " +
                             std::to_string(parameters.iterationLimit));
        }
        out.sink.AddLine("");
    });
}

} // namespace plax
