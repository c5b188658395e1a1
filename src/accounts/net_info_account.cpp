#include "net_info_account.h"

#include "accounts/procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <array>
#include <string_view>

namespace plax {

namespace {

constexpr std::array<std::string_view, 8> PointShapeNames = {"Circle",  "Square",  "Trans.V", "Trans.H",
                                                             "Diamond", "Rnd.Sqr", "Trngl 1", "Trngl 2"};
constexpr std::array<std::string_view, 5> EdgeShapeNames = {"Line", "El. 1", "El. 2", "Tr. 1", "Tr. 2"};

template <std::size_t N>
std::string ShapeName(const std::array<std::string_view, N>& names, std::uint32_t shape) {
    return shape < names.size() ? std::string(names[shape]) : std::string("Unknown");
}

// Weights and flows in the listing: two places, trimmed.
std::string ListingNumber(double value) { return FormatTrimmed(value, 2); }

void WritePoints(ResultsSink& sink, const NetWorkType& net) {
    sink.AddLine("");
    sink.AddLine("    " + PadLeft("Information about  the Points", 28));
    sink.AddLine("    " + PadRight("Point ", 6) + PadRight("Name", 21) + PadRight("Type", 8) +
                 PadRight("Value", 14));
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        sink.AddLine("    " + CellLeft(std::to_string(i), 6) + CellLeft(p.name, 21) +
                     CellLeft(PointShapeName(p.shape), 8) + PadRight("1", 14));
    }
}

void WriteEdge(ResultsSink& sink, const EdgeType& e, int i, int j, std::size_t width) {
    const std::string label =
        "(" + PadLeft(std::to_string(i), width) + "," + PadLeft(std::to_string(j), width) + ")";
    sink.AddLine("    " + CellLeft(label, 10) + CellLeft(e.name, 21) + CellLeft(EdgeShapeName(e.shape), 8) +
                 CellLeft(ListingNumber(e.weight), 14) + ListingNumber(e.flow));
}

// An undirected edge is listed once, from its lower-numbered end.
void WriteEdges(ResultsSink& sink, const NetWorkType& net) {
    sink.AddLine("");
    sink.AddLine("    Information about the Edges");
    sink.AddLine("    " + PadRight("Edge", 10) + PadRight("Name", 21) + PadRight("Type", 8) +
                 PadRight("Weight", 14) + PadRight("Flow", 14));
    const bool undirected = IsUndirected(net);
    const std::size_t width = net.n < 10 ? 1 : (net.n < 100 ? 2 : 3);
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            if (j == i || (undirected && j < i)) continue;
            if (const EdgeType* e = FindEdge(net, i, j)) WriteEdge(sink, *e, i, j, width);
        }
    }
}

} // namespace

std::string PointShapeName(std::uint32_t shape) { return ShapeName(PointShapeNames, shape); }
std::string EdgeShapeName(std::uint32_t shape) { return ShapeName(EdgeShapeNames, shape); }

void GetInfo(const NetWorkType& net, const std::string& fileName, ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Information", net);
        WritePoints(out.sink, net);
        WriteEdges(out.sink, net);
        out.sink.AddLine("    ");
    });
}

} // namespace plax
