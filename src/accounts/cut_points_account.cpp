#include "cut_points_account.h"

#include "item_lines.h"

#include "model/text_utils.h"

#include <string>
#include <vector>

namespace plax {

namespace {

std::size_t At(int p) { return static_cast<std::size_t>(p); }

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

} // namespace plax
