#pragma once

#include "marking_graph.h"

#include "accounts/procedure_texts.h"
#include "accounts/results_sink.h"
#include "algorithms/long_run.h"
#include "model/net_types.h"

#include <string>

namespace plax {

// What the explorations' commands share: opens the Results window, writes the header, runs
// `explore` as a long run, then `write` its account (which answers how the exploration ended)
// and the ending line, terminated when Stop or the memory cut it.
template <class Explore, class Write>
void ExplorationAnalysis(NetWorkType& net, const std::string& fileName, const char* title,
                         ProcedureOutput out, Explore explore, Write write) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccountOwnEnding(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader(title, net);
        LongRun run(out.sink, net);
        const auto result = explore(static_cast<RunControl&>(out.sink));
        run.End();
        const ExplorationEnd end = write(out.sink, result);
        const bool stopped = end == ExplorationEnd::Stopped || end == ExplorationEnd::OutOfMemory;
        out.sink.AddLine(stopped ? ProcedureTerminatedLine : ProcedureCompleteLine);
    });
}

} // namespace plax
