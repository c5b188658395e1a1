#include "hamiltonian.h"

#include "long_run.h"
#include "procedure_texts.h"
#include "reachability.h"
#include "tour_search.h"

#include "model/text_utils.h"

namespace plax {

namespace {

std::string NameText(TourKind kind) {
    return kind == TourKind::HamiltonianPath ? "Hamiltonian Path " : "Hamiltonian Cycle ";
}

// Appends only: GCC 12 at -O3 takes a prefix added to a number's temporary text for an overlap.
std::string ItemText(int p, bool last) {
    std::string item;
    if (p < 10) item.push_back(' ');
    item.append(std::to_string(p));
    item.push_back(last ? '.' : ',');
    return item;
}

void WriteFind(ResultsSink& sink, TourKind kind, const TourFind& find) {
    const bool salesman = kind == TourKind::Salesman;
    const std::string name = NameText(kind);
    sink.AddLine("");
    sink.AddLine("    Counter = " + std::to_string(find.counter));
    sink.AddLine(salesman ? "     Cycle :    " : "    " + name + ": " + "    ");
    const std::size_t length = find.points.size();
    std::string line = "    ";
    for (std::size_t i = 1; i <= length; ++i) {
        line += ItemText(find.points[i - 1], i == length);
        if (i % 14 == 0 || i == length) {
            sink.AddLine(" " + line);
            line = "    ";
        }
    }
    sink.AddLine((salesman ? "    Weight of the Cycle =  " : "    Weight of the current " + name + " =  ") +
                 ResultNumber(find.weight));
}

// The closing lines: the last find again, or why there is none.
void WriteEnding(ResultsSink& sink, TourKind kind, const TourSearchResult& result) {
    const bool salesman = kind == TourKind::Salesman;
    const std::string name = NameText(kind);
    if (result.finds == 0) {
        sink.AddLine(salesman ? "    Salesman Cycle  Not Found. " : "    " + name + " Not Found. ");
        return;
    }
    if (!result.stopped) {
        WriteFind(sink, kind, {result.finds, result.last, result.lastWeight});
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
        const TourSearchResult result =
            SearchTours(net, kind, out.sink, [&](const TourFind& find) { WriteFind(out.sink, kind, find); });
        WriteEnding(out.sink, kind, result);
        run.End();
        marks.SetEdges(FoundEdges(result));
    });
}

bool EveryPointReachesEveryPoint(const NetWorkType& net) {
    for (int v = 1; v <= net.n; ++v) {
        const PointFlags reached = ReachableFrom(net, v);
        for (int p = 1; p <= net.n; ++p) {
            if (!reached[static_cast<std::size_t>(p)]) return false;
        }
    }
    return true;
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

std::optional<std::string> HamiltonianRefusal(const NetWorkType& net, HamiltonianMode mode) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    const std::string what = mode == HamiltonianMode::Cycle ? "Hamiltonian Cycle" : "Hamiltonian Path";
    if (net.n < 2) return TrivialNetWorkText + ("There isnt " + what + " !");
    if (!EveryPointReachesEveryPoint(net)) return "There isnt " + what + " !\r\nProcedure terminated! ";
    return std::nullopt;
}

std::optional<std::string> SalesmanRefusal(const NetWorkType& net) {
    return HamiltonianRefusal(net, HamiltonianMode::Cycle);
}

} // namespace plax
