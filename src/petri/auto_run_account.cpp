#include "auto_run_account.h"

#include "petri_net.h"

#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"
#include "algorithms/long_run.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace plax {

namespace {

// Firings between two polls of Stop: a firing takes well under a microsecond.
constexpr int PollEvery = 256;
constexpr std::size_t CountsPerLine = 5;
constexpr std::size_t CountWidth = 11; // up to the largest firing limit

std::string EndLine(const AutoRunReport& report) {
    switch (report.result.end) {
    case AutoRunEnd::NoneEnabled: return "    End : no transition is enabled.";
    case AutoRunEnd::FiringLimit:
        return "    End : the firing limit of " + std::to_string(report.firingLimit) + " was reached.";
    case AutoRunEnd::Stopped: return "    End : stopped.";
    }
    return "";
}

// "PP : VALUE" for every point that `take` accepts.
void WriteCounts(ResultsSink& sink, const NetWorkType& net, bool (*take)(const PointType&),
                 const std::function<std::uint64_t(int)>& value) {
    std::vector<std::string> items;
    for (int p = 1; p <= net.n; ++p) {
        if (take(net.points[static_cast<std::size_t>(p)]))
            items.push_back(CountItem(p, value(p), CountWidth));
    }
    WriteItemLines(sink, items, CountsPerLine);
}

bool IsPlace(const PointType& point) { return !IsTransition(point); }

} // namespace

void WriteAutoRun(ResultsSink& sink, const NetWorkType& net, const AutoRunReport& report) {
    sink.AddLine("    Firings : " + std::to_string(report.result.firings));
    sink.AddLine(EndLine(report));
    sink.AddLine("    Seed : " + std::to_string(report.seed) + " (the same seed repeats the run)");
    sink.AddLine("");
    sink.AddLine("    Firings per transition :");
    WriteCounts(sink, net, IsTransition,
                [&report](int t) { return report.firings[static_cast<std::size_t>(t)]; });
    sink.AddLine("    Tokens per place :");
    WriteCounts(sink, net, IsPlace, [&net](int p) { return net.points[static_cast<std::size_t>(p)].tokens; });
    sink.AddLine("");
}

AutoRunReport AutomaticSimulation(NetWorkType& net, const std::string& fileName,
                                  const AutoRunParameters& parameters, ProcedureOutput out,
                                  const std::function<void(int)>& fired) {
    AutoRunReport report;
    report.firingLimit = parameters.firingLimit;
    report.seed = RunSeed(parameters);
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return report;
    WriteAccountOwnEnding(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader(AutoRunTitle, net);
        SeededRandom random(report.seed);
        LongRun run(out.sink, net);
        StepPoller poller(out.sink, PollEvery);
        const std::uint64_t limit = std::max<std::uint64_t>(1, parameters.firingLimit);
        std::uint64_t done = 0;
        report.result = RunAutomatic(
            net, random, parameters.firingLimit, [&] { return poller.Step(); },
            [&](int t) {
                ++report.firings[static_cast<std::size_t>(t)];
                if (fired) fired(t);
                if (++done % (PollEvery * 16) == 0) out.sink.Count(done, limit);
            });
        run.End();
        WriteAutoRun(out.sink, net, report);
        const bool stopped = report.result.end == AutoRunEnd::Stopped;
        out.sink.AddLine(stopped ? ProcedureTerminatedLine : ProcedureCompleteLine);
    });
    return report;
}

} // namespace plax
