#include "density_account.h"

#include "algorithms/graph_utils.h"
#include "algorithms/long_run.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <string>
#include <vector>

namespace plax {

namespace {

constexpr Color FoundPointColor = 0x0000FF;
constexpr std::uint16_t FoundPointIndex = 9;

std::string NumberName(DensityMode mode) {
    switch (mode) {
    case DensityMode::Density: return "Density ";
    case DensityMode::Undensity: return "Point-Independence Number ";
    case DensityMode::PointCover: return "Point-Covering Number ";
    case DensityMode::Coloring: return "Chromatic Number ";
    }
    return "";
}

std::string Heading(DensityMode mode, bool stopped) {
    switch (mode) {
    case DensityMode::Density: return stopped ? "    Found Clique is :" : "    Greatest Clique is :";
    case DensityMode::Undensity:
        return stopped ? "    Found Independent Set is :" : "    Greatest Independent Set is :";
    case DensityMode::PointCover:
        return stopped ? "    Cannot Show Point`s cover!" : "    Smallest Point`s cover is :";
    case DensityMode::Coloring:
        return stopped ? "    Cannot Show Point`s Coloration!" : "    Minimal Point`s Coloration is :";
    }
    return "";
}

void WritePointList(ResultsSink& sink, PointSet set) {
    const std::vector<int> points = PointsOf(set);
    std::string line = "    {";
    for (std::size_t k = 0; k < points.size(); ++k) {
        const bool last = k + 1 == points.size();
        line += PadLeft(std::to_string(points[k]), 3) + (last ? " }" : ",");
        if ((k + 1) % 14 == 0 || last) {
            sink.AddLine(line);
            line = "     ";
        }
    }
}

void WriteDensityResult(ResultsSink& sink, DensityMode mode, const DensityResult& f, int n) {
    const bool coloring = mode == DensityMode::Coloring;
    if (!f.stopped) {
        sink.AddLine("    " + NumberName(mode) + "= " +
                     std::to_string(coloring ? f.chromatic : SetSize(f.set)));
        sink.AddLine(Heading(mode, false));
        if (coloring) {
            WriteColorTable(sink, f.color, n);
        } else {
            WritePointList(sink, f.set);
        }
        return;
    }
    if (!f.Empty(mode)) {
        sink.AddLine(Heading(mode, true));
        if (mode == DensityMode::Density || mode == DensityMode::Undensity) WritePointList(sink, f.set);
    }
    sink.AddLine("    Procedure terminated! ");
}

void MarkDensityResult(MarkingBuffer& marks, DensityMode mode, const DensityResult& f, int n) {
    if (mode == DensityMode::Coloring) {
        if (f.stopped) return;
        for (int p = 1; p <= n; ++p) {
            const int c = f.color[static_cast<std::size_t>(p)];
            marks.pointColor[static_cast<std::size_t>(p)] = ProcedureColors[static_cast<std::size_t>(c - 1)];
            marks.pointIndex[static_cast<std::size_t>(p)] = static_cast<std::uint16_t>(c);
        }
        return;
    }
    if (f.stopped && mode == DensityMode::PointCover) return;
    for (int p : PointsOf(f.set)) {
        marks.pointColor[static_cast<std::size_t>(p)] = FoundPointColor;
        marks.pointIndex[static_cast<std::size_t>(p)] = FoundPointIndex;
    }
}

} // namespace

void WriteColorTable(ResultsSink& sink, const PointColors& color, int n) {
    for (int start = 1; start <= n; start += 14) {
        std::string points = "      Point  ";
        std::string colors = "      Color  ";
        for (int p = start; p <= std::min(n, start + 13); ++p) {
            points += PadLeft(std::to_string(p), 4);
            colors += PadLeft(std::to_string(color[static_cast<std::size_t>(p)]), 4);
        }
        sink.AddLine(points);
        sink.AddLine(colors);
        sink.AddLine("  ");
    }
}

void Density(NetWorkType& net, DensityMode mode, MarkingBuffer& marks, const std::string& fileName,
             ProcedureOutput out) {
    marks.Clear();
    if (net.n < 2) {
        out.messages.Warning(TrivialGraphMessage);
        return;
    }
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("             " + NumberName(mode), net);
        out.sink.AddLine("");
        LongRun run(out.sink, net);
        out.sink.Progress(0);
        const DensityResult found = ComputeDensity(net, mode, out.sink);
        WriteDensityResult(out.sink, mode, found, net.n);
        run.End();
        MarkDensityResult(marks, mode, found, net.n);
    });
}

void QuickColor(const NetWorkType& net, int variant, MarkingBuffer& marks, const std::string& fileName,
                ProcedureOutput out) {
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    const QuickColorResult result = ComputeQuickColor(net, variant);
    const PointColors& color = result.color;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("            Quick Coloration " + std::to_string(variant), net);
        out.sink.AddLine("");
        out.sink.AddLine("    Number of Colors = " + std::to_string(result.colors));
        out.sink.AddLine("    Point`s Coloration :");
        WriteColorTable(out.sink, color, net.n);
        for (int p = 1; p <= net.n; ++p) {
            const int c = color[static_cast<std::size_t>(p)];
            marks.pointColor[static_cast<std::size_t>(p)] = ProcedureColors[static_cast<std::size_t>(c - 1)];
            marks.pointIndex[static_cast<std::size_t>(p)] = static_cast<std::uint16_t>(c);
        }
    });
}

} // namespace plax
