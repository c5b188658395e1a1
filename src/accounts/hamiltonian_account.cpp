#include "hamiltonian_account.h"

#include "procedure_texts.h"

#include "algorithms/long_run.h"
#include "algorithms/tour_search.h"

#include "model/text_utils.h"

#include <string>
#include <string_view>

namespace plax {

namespace {

std::string_view NameText(TourKind kind) {
    return kind == TourKind::HamiltonianPath ? "Hamiltonian Path " : "Hamiltonian Cycle ";
}

// `line` is only a buffer kept from one find to the next: a listing writes millions of them.
void WriteFind(ResultsSink& sink, TourKind kind, const TourFind& find, std::string& line) {
    const bool salesman = kind == TourKind::Salesman;
    const std::string_view name = NameText(kind);
    line.clear();
    sink.AddLine(line);
    line.assign("    Counter = ");
    AppendRightAligned(line, static_cast<long long>(find.counter), 0);
    sink.AddLine(line);
    if (salesman) {
        line.assign("     Cycle :    ");
    } else {
        line.assign("    ").append(name).append(":     ");
    }
    sink.AddLine(line);
    const std::size_t length = find.points.size();
    line.assign("     ");
    for (std::size_t i = 1; i <= length; ++i) {
        AppendRightAligned(line, find.points[i - 1], 2);
        line.push_back(i == length ? '.' : ',');
        if (i % 14 == 0 || i == length) {
            sink.AddLine(line);
            line.assign("     ");
        }
    }
    if (salesman) {
        line.assign("    Weight of the Cycle =  ");
    } else {
        line.assign("    Weight of the current ").append(name).append(" =  ");
    }
    AppendResultNumber(line, find.weight);
    sink.AddLine(line);
}

// The closing lines: the last find again, or why there is none.
void WriteEnding(ResultsSink& sink, TourKind kind, const TourSearchResult& result) {
    const bool salesman = kind == TourKind::Salesman;
    const std::string name(NameText(kind));
    if (result.finds == 0) {
        sink.AddLine(salesman ? "    Salesman Cycle  Not Found. " : "    " + name + " Not Found. ");
        return;
    }
    if (!result.stopped) {
        std::string line;
        WriteFind(sink, kind, {result.finds, result.last, result.lastWeight}, line);
        sink.AddLine(ProcedureCompleteLine);
        return;
    }
    sink.AddLine(ProcedureCompleteLine);
    sink.AddLine(salesman ? "    Procedure terminated!  Cycle  Found. "
                          : "    Procedure terminated! " + name + " Found. ");
}

// The edges of the last find, in the order it runs; a cycle's last edge closes it.
std::vector<EdgeMark> FoundEdges(const TourSearchResult& result) {
    std::vector<EdgeMark> edges;
    for (std::size_t k = 1; k < result.last.size(); ++k) {
        edges.push_back(
            {static_cast<std::uint16_t>(result.last[k - 1]), static_cast<std::uint16_t>(result.last[k])});
    }
    return edges;
}

void RunTourSearch(NetWorkType& net, TourKind kind, const std::string& title, MarkingBuffer& marks,
                   const std::string& fileName, ProcedureOutput out) {
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccountOwnEnding(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader(title, net);
        out.sink.AddLine("");
        out.sink.AddLine("    Source = " + std::to_string(net.sourcePoint));
        LongRun run(out.sink, net);
        std::string line;
        const TourSearchResult result = SearchTours(
            net, kind, out.sink, [&](const TourFind& find) { WriteFind(out.sink, kind, find, line); });
        WriteEnding(out.sink, kind, result);
        run.End();
        marks.SetEdges(FoundEdges(result));
    });
}

} // namespace

void Hamiltonian(NetWorkType& net, HamiltonianMode mode, MarkingBuffer& marks, const std::string& fileName,
                 ProcedureOutput out) {
    const bool cycle = mode == HamiltonianMode::Cycle;
    RunTourSearch(net, cycle ? TourKind::HamiltonianCycle : TourKind::HamiltonianPath,
                  cycle ? "                Hamiltonian Cycle " : "                Hamiltonian Path ", marks,
                  fileName, out);
}

void Salesman(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out) {
    RunTourSearch(net, TourKind::Salesman, "            Salesman problem", marks, fileName, out);
}

} // namespace plax
