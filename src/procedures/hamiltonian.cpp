#include "hamiltonian.h"

#include "long_run.h"
#include "procedure_texts.h"
#include "reachability.h"
#include "tour_search.h"

namespace plax {

namespace {

void RunTourSearch(NetWorkType& net, TourKind kind, const std::string& title, MarkingBuffer& marks,
                   const std::string& fileName, ProcedureOutput out) {
    marks.Clear();
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccountOwnEnding(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader(title, net);
        out.sink.AddLine("");
        out.sink.AddLine("    Source = " + std::to_string(net.sourcePoint));
        LongRun run(out.sink, net);
        TourSearch search(net, kind, out.sink);
        search.Run();
        search.WriteEnding(run.Stopped());
        run.End();
        marks.SetEdges(search.FoundEdges());
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
