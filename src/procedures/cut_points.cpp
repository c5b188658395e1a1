#include "cut_points.h"

#include "algorithms/graph_utils.h"
#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"

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

void WriteCutPoints(ResultsSink& sink, const std::vector<int>& cutPoints) {
    sink.AddLine("        CutPoints:");
    std::vector<std::string> items;
    for (int p : cutPoints)
        items.push_back(ItemNumber(p));
    EndItems(items);
    WriteItemLines(sink, items, 20);
}

// A bridge reached from u to w is written "(w,u)".
void WriteBridges(ResultsSink& sink, const std::vector<EdgeMark>& bridges) {
    sink.AddLine("        Bridges:");
    std::vector<std::string> items;
    for (const EdgeMark& b : bridges)
        items.push_back("(" + ItemNumber(b.to) + "," + ItemNumber(b.from) + ")");
    EndItems(items);
    WriteItemLines(sink, items, 8);
}

void MarkCutPoints(const std::vector<int>& cutPoints, MarkingBuffer& marks) {
    for (int p : cutPoints) {
        marks.pointColor[At(p)] = CutPointColor;
        marks.pointIndex[At(p)] = CutPointColorIndex;
    }
}

} // namespace

CutSearchResult ComputeCutPointsOrBridges(const NetWorkType& net, CutSearchMode mode) {
    LowpointSearch search(net, mode);
    search.Run();
    CutSearchResult result;
    result.findings = search.Findings();
    PointStack& found = search.Found();
    // The first pop of a bridge is its second point w, the next its first point u.
    while (!found.Empty()) {
        const int p = found.Top();
        found.Pop();
        if (mode == CutSearchMode::CutPoints) {
            result.cutPoints.push_back(p);
            continue;
        }
        const int u = found.Top();
        found.Pop();
        result.bridges.push_back({static_cast<std::uint16_t>(u), static_cast<std::uint16_t>(p)});
    }
    return result;
}

void CutPointsAndBridges(const NetWorkType& net, CutSearchMode mode, MarkingBuffer& marks,
                         const std::string& fileName, ProcedureOutput out) {
    marks.Clear();
    const CutSearchResult found = ComputeCutPointsOrBridges(net, mode);
    const bool bridgesMode = mode == CutSearchMode::Bridges;
    const std::string heading = bridgesMode ? "    Bridges of the Graph" : "    CutPoints of the Graph";
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    bool written = false;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("        " + heading, net);
        if (found.findings == 0) {
            out.sink.AddLine(heading + " Not Found. ");
        } else if (bridgesMode) {
            WriteBridges(out.sink, found.bridges);
        } else {
            WriteCutPoints(out.sink, found.cutPoints);
        }
        out.sink.AddLine("    Counter = " + std::to_string(found.findings));
        written = true;
    });
    if (!written) return;
    if (bridgesMode) {
        marks.SetEdges(found.bridges);
    } else {
        MarkCutPoints(found.cutPoints, marks);
    }
}

std::optional<std::string> CutPointsRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (net.n < 2 || EdgeCount(net) == 0) return std::string(TrivialNetWorkText);
    return std::nullopt;
}

} // namespace plax
