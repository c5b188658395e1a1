#include "metrics_account.h"

#include "item_lines.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <vector>

namespace plax {

namespace {

// A table cell: the number right-aligned in 5 characters, a longer one kept whole.
void AppendCell(std::string& row, int value) { AppendRightAligned(row, value, 5); }

std::size_t At(int p) { return static_cast<std::size_t>(p); }

void WriteRadiusAndDiameter(ResultsSink& sink, int components, bool undirected, const Eccentricities& ecc) {
    sink.AddLine("    Number of Connected Component : " + std::to_string(components));
    if (components == 1 && undirected) {
        sink.AddLine("      Radius : " + std::to_string(ecc.radius));
        sink.AddLine("    Diameter : " + std::to_string(ecc.diameter));
        if (ecc.radius != ecc.diameter) {
            sink.AddLine("    Center   Points - Green Color Points");
            sink.AddLine("    Diameter Points -   Red Color Points");
        } else {
            sink.AddLine("    Radius and Diameter Points - Green Color Points");
        }
    } else {
        const std::string why = components == 1 ? "undirected" : "connected";
        sink.AddLine("      Radius :  Undefined (only for " + why + " graph)");
        sink.AddLine("    Diameter :  Undefined (only for " + why + " graph)");
    }
    sink.AddLine("    ");
}

void WriteRegularity(ResultsSink& sink, const NetWorkType& net, const Degrees& d) {
    if (!IsUndirected(net) || net.n == 0) return;
    bool regular = true;
    for (int i = 2; i <= net.n; ++i)
        regular = regular && d.in[At(i)] == d.in[1];
    sink.AddLine(regular ? "    Graph is Regular. Deg(G) = " + std::to_string(d.in[1])
                         : std::string("    Graph is Not Regular."));
    sink.AddLine("    ");
}

// Blocks of ten points: a row of numbers over the degree rows, a " " line after each full block.
void WriteDegreeTable(ResultsSink& sink, const NetWorkType& net, const Degrees& d) {
    const bool undirected = IsUndirected(net);
    const std::vector<std::string> heads =
        undirected ? std::vector<std::string>{"    Point   ", "    Degree  "}
                   : std::vector<std::string>{"    Point      ", "    Degree In  ", "    Degree Out "};
    sink.AddLine("    Degrees of the Points:");
    std::vector<std::string> rows = heads;
    for (int i = 1; i <= net.n; ++i) {
        AppendCell(rows[0], i);
        AppendCell(rows[1], d.in[At(i)]);
        if (!undirected) AppendCell(rows[2], d.out[At(i)]);
        if (i % 10 != 0) continue;
        for (const std::string& row : rows)
            sink.AddLine(row);
        sink.AddLine(" ");
        for (std::size_t r = 0; r < rows.size(); ++r)
            rows[r].assign(heads[r]);
    }
    if (net.n % 10 == 0) return;
    for (const std::string& row : rows)
        sink.AddLine(row);
}

// Each degree from 1 up, once per point that has it; degree 0 is left out.
void WriteSortedSequence(ResultsSink& sink, const NetWorkType& net, const PointNumbers& degree) {
    ListLines lines(sink, 10);
    std::string cell;
    for (int value = 1; value <= net.n; ++value) {
        for (int i = 1; i <= net.n; ++i) {
            if (degree[At(i)] != value) continue;
            cell.clear();
            AppendCell(cell, value);
            lines.Add(cell);
        }
    }
    lines.Flush();
}

void WriteSortedDegrees(ResultsSink& sink, const NetWorkType& net, const Degrees& d) {
    sink.AddLine(" ");
    sink.AddLine("    Sorted Degrees:");
    if (IsUndirected(net)) {
        WriteSortedSequence(sink, net, d.in);
        return;
    }
    sink.AddLine("    Sorted In Degrees");
    WriteSortedSequence(sink, net, d.in);
    sink.AddLine("    Sorted Out Degrees");
    WriteSortedSequence(sink, net, d.out);
}

void MarkCentreAndDiameter(const NetWorkType& net, const Eccentricities& ecc, MarkingBuffer& marks) {
    for (int i = 1; i <= net.n; ++i) {
        const int e = ecc.of[At(i)];
        if (ecc.radius != ecc.diameter && e == ecc.diameter) {
            marks.pointColor[At(i)] = DiameterColor;
            marks.pointIndex[At(i)] = DiameterColorIndex;
        }
        if (e == ecc.radius) {
            marks.pointColor[At(i)] = CentreColor;
            marks.pointIndex[At(i)] = CentreColorIndex;
        }
    }
}

} // namespace

void QuickMetrics(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                  ProcedureOutput out) {
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    const MetricsResult m = ComputeMetrics(net);
    bool written = false;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("                Metrics of the Graph", net);
        WriteRadiusAndDiameter(out.sink, m.components, m.undirected, m.eccentricities);
        WriteRegularity(out.sink, net, m.degrees);
        WriteDegreeTable(out.sink, net, m.degrees);
        WriteSortedDegrees(out.sink, net, m.degrees);
        out.sink.AddLine("    ");
        written = true;
    });
    if (written && m.measured) MarkCentreAndDiameter(net, m.eccentricities, marks);
}

} // namespace plax
