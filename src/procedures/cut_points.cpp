#include "cut_points.h"

#include "graph_utils.h"
#include "item_lines.h"
#include "procedure_texts.h"

#include "model/net_store.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plax {

namespace {

std::size_t At(int p) { return static_cast<std::size_t>(p); }

// Tarjan's lowpoint search. Findings go on the point stack: a cut point as one entry, a bridge
// u-w as u then w.
class LowpointSearch {
public:
    LowpointSearch(const NetWorkType& net, CutSearchMode mode) : net_(net), mode_(mode) {}

    void Run();
    PointStack& Found() { return stack_; }
    int Findings() const { return findings_; }
    const std::array<bool, MaxPoints + 1>& Reported() const { return reported_; }

private:
    void Visit(int u, int parent);
    void AfterChild(int u, int w);

    const NetWorkType& net_;
    CutSearchMode mode_;
    PointStack stack_;
    std::array<bool, MaxPoints + 1> visited_{};
    std::array<int, MaxPoints + 1> discovery_{};
    std::array<int, MaxPoints + 1> low_{};
    std::array<bool, MaxPoints + 1> reported_{};
    int counter_ = 1;
    int findings_ = 0;
    int root_ = 0;
    int rootChildren_ = 0;
};

void LowpointSearch::Run() {
    for (int r = 1; r <= net_.n; ++r) {
        if (visited_[At(r)]) continue;
        root_ = r;
        rootChildren_ = 0;
        Visit(r, r);
        if (mode_ == CutSearchMode::CutPoints && rootChildren_ > 1) {
            ++findings_;
            stack_.Push(r);
            reported_[At(r)] = true;
        }
    }
}

void LowpointSearch::Visit(int u, int parent) {
    visited_[At(u)] = true;
    discovery_[At(u)] = low_[At(u)] = counter_++;
    for (const EdgeType& e : net_.lists[At(u)]) {
        const int w = e.target;
        if (w < 1 || w > net_.n) continue;
        if (!visited_[At(w)]) {
            if (u == root_) ++rootChildren_;
            Visit(w, u);
            low_[At(u)] = std::min(low_[At(u)], low_[At(w)]);
            AfterChild(u, w);
        } else if (w != parent && discovery_[At(w)] < discovery_[At(u)]) {
            low_[At(u)] = std::min(low_[At(u)], discovery_[At(w)]);
        }
    }
}

void LowpointSearch::AfterChild(int u, int w) {
    if (low_[At(w)] < discovery_[At(u)]) return;
    if (mode_ == CutSearchMode::CutPoints) {
        // The root is judged by its number of children once its search is over.
        if (u == root_ || reported_[At(u)]) return;
        stack_.Push(u);
        reported_[At(u)] = true;
        ++findings_;
    } else if (low_[At(w)] == discovery_[At(w)]) {
        stack_.Push(u);
        stack_.Push(w);
        ++findings_;
    }
}

// Every item but the last is followed by ",", the last by ".".
void EndItems(std::vector<std::string>& items) {
    for (std::size_t k = 0; k < items.size(); ++k)
        items[k] += k + 1 == items.size() ? "." : ",";
}

void WriteCutPoints(ResultsSink& sink, PointStack& found) {
    sink.AddLine("        CutPoints:");
    std::vector<std::string> items;
    for (; !found.Empty(); found.Pop())
        items.push_back(ItemNumber(found.Top()));
    EndItems(items);
    WriteItemLines(sink, items, 20);
}

// The first pop of a pair is its second point w, the next its first point u; written "(w,u)".
std::vector<EdgeMark> WriteBridges(ResultsSink& sink, PointStack& found) {
    sink.AddLine("        Bridges:");
    std::vector<std::string> items;
    std::vector<EdgeMark> bridges;
    while (!found.Empty()) {
        const int w = found.Top();
        found.Pop();
        const int u = found.Top();
        found.Pop();
        bridges.push_back({static_cast<std::uint16_t>(u), static_cast<std::uint16_t>(w)});
        items.push_back("(" + ItemNumber(w) + "," + ItemNumber(u) + ")");
    }
    EndItems(items);
    WriteItemLines(sink, items, 8);
    return bridges;
}

void MarkCutPoints(const NetWorkType& net, const std::array<bool, MaxPoints + 1>& reported,
                   MarkingBuffer& marks) {
    for (int i = 1; i <= net.n; ++i) {
        if (!reported[At(i)]) continue;
        marks.pointColor[At(i)] = CutPointColor;
        marks.pointIndex[At(i)] = CutPointColorIndex;
    }
}

} // namespace

void CutPointsAndBridges(const NetWorkType& net, CutSearchMode mode, MarkingBuffer& marks,
                         const std::string& fileName, ProcedureOutput out) {
    marks.Clear();
    LowpointSearch search(net, mode);
    search.Run();
    const bool bridgesMode = mode == CutSearchMode::Bridges;
    const std::string heading = bridgesMode ? "    Bridges of the Graph" : "    CutPoints of the Graph";
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    std::vector<EdgeMark> bridges;
    bool written = false;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("        " + heading, net);
        if (search.Findings() == 0) {
            out.sink.AddLine(heading + " Not Found. ");
        } else if (bridgesMode) {
            bridges = WriteBridges(out.sink, search.Found());
        } else {
            WriteCutPoints(out.sink, search.Found());
        }
        out.sink.AddLine("    Counter = " + std::to_string(search.Findings()));
        written = true;
    });
    if (!written) return;
    if (bridgesMode) {
        marks.SetEdges(bridges);
    } else {
        MarkCutPoints(net, search.Reported(), marks);
    }
}

std::optional<std::string> CutPointsRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (net.n < 2 || EdgeCount(net) == 0) return std::string(TrivialNetWorkText);
    return std::nullopt;
}

} // namespace plax
