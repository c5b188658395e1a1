#include "run_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "cli_sink.h"
#include "net_io.h"
#include "net_json.h"

#include "procedures/procedure_texts.h"
#include "procedures/reachability.h"
#include "procedures/report_file.h"

namespace plax::cli {

namespace {

const ProcedureCommand* FindProcedure(const std::string& name) {
    for (const ProcedureCommand& c : ProcedureCommands()) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

// A picked point must be a point of the net, as a click on the canvas can only find those.
std::optional<int> PickedPoint(const Invocation& inv, const std::string& option, const NetWorkType& net,
                               std::ostream& err) {
    if (!inv.Value(option)) {
        err << "plax-cli: this procedure needs " << option << " N\n";
        return std::nullopt;
    }
    const auto p = NumberOption(inv, option, 1, net.n, err);
    if (!p) return std::nullopt;
    return static_cast<int>(*p);
}

// The checks the clicks make, with their texts. Answers the exit status when they refuse.
std::optional<int> PickPoints(const ProcedureCommand& proc, const Invocation& inv, NetWorkType& net,
                              UserMessages& messages, std::ostream& err) {
    if (proc.picks == Picks::None) return std::nullopt;
    const auto source = PickedPoint(inv, "--source", net, err);
    if (!source) return ExitUsage;
    net.sourcePoint = static_cast<std::uint16_t>(*source);
    if (proc.picks == Picks::Start) return std::nullopt;
    if (CountReachable(net, *source) == 0) {
        messages.Warning(NoPathsFromSourceMessage(*source));
        return ExitRefused;
    }
    if (proc.picks == Picks::Source) return std::nullopt;
    if (inv.Has("--yes")) messages.Information(SelectSinkMessage(*source));
    const auto sink = PickedPoint(inv, "--sink", net, err);
    if (!sink) return ExitUsage;
    if (!ReachableFrom(net, *source)[static_cast<std::size_t>(*sink)]) {
        messages.Warning(UnreachableSinkMessage(*source, *sink));
        return ExitRefused;
    }
    if (*sink == *source) {
        messages.Warning(SinkIsSourceMessage(*source));
        return ExitRefused;
    }
    net.sinkPoint = static_cast<std::uint16_t>(*sink);
    return std::nullopt;
}

void PrintMarks(const MarkingBuffer& marks, int n, std::ostream& out) {
    out << "marks:\n";
    for (int i = 1; i <= MaxPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (marks.pointIndex[k] == 0 && marks.pointColor[k] == 0) continue;
        const std::string color = ColorText(marks.pointColor[k]);
        out << "point " << i << ' ' << color << ' ' << marks.pointIndex[k] << '\n';
    }
    for (const EdgeMark& e : marks.MarkedEdges(n))
        out << "edge " << e.from << ' ' << e.to << '\n';
}

std::optional<std::chrono::steady_clock::duration> TimeLimit(const Invocation& inv, std::ostream& err,
                                                             bool& bad) {
    if (!inv.Value("--time-limit")) return std::nullopt;
    const auto seconds = NumberOption(inv, "--time-limit", 0, 1000000, err);
    if (!seconds) {
        bad = true;
        return std::nullopt;
    }
    return std::chrono::seconds(*seconds);
}

// A text that its store could not keep whole stopped the run; the report is not given half of it.
bool AddTextToReport(const CliSink& sink, UserMessages& messages) {
    std::string reportFile = sink.FileName();
    if (sink.TextStop() != TextStore::Status::Ok) {
        messages.Error(IncompleteTextMessage(ReportFileName(reportFile)));
        return false;
    }
    return AddToReport(reportFile, sink.FileName(), sink.NetName(), sink.Text(), messages);
}

} // namespace

const OptionSpec& RunOptionSpec() {
    static const OptionSpec accepted{
        {"--source", "--sink", "--k", "--iterations", "--show", "--time-limit", "--save", "--time", "--date"},
        {"--marks", "--report", "--yes", "--unsorted"}};
    return accepted;
}

int RunProcedure(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const ProcedureCommand* proc = FindProcedure(inv.positional[0]);
    if (proc == nullptr) {
        err << "plax-cli: unknown procedure " << inv.positional[0] << " (plax-cli --help lists them)\n";
        return ExitUsage;
    }
    bool badLimit = false;
    const auto limit = TimeLimit(inv, err, badLimit);
    if (badLimit) return ExitUsage;
    if (const auto savePath = inv.Value("--save");
        savePath && FormatForPath(*savePath) == WriteFormat::Picture) {
        err << "plax-cli: --save writes .net, .kp or .txt files\n";
        return ExitUsage;
    }

    CliMessages messages(err, inv.Has("--yes"));
    const std::string& path = inv.positional[1];
    NetWorkType net;
    if (!ReadNetFile(net, path, OptionType{}, messages)) return ExitUnreadable;
    if (const auto refusal = proc->refusal(net)) {
        messages.Warning(*refusal);
        return ExitRefused;
    }
    if (const auto status = PickPoints(*proc, inv, net, messages, err)) return *status;

    const FixedClock clock(inv.Value("--time").value_or(""), inv.Value("--date").value_or(""));
    RunFlags flags;
    const bool report = inv.Has("--report");
    CliSink sink(clock, flags, out, limit, report ? CliSink::Keep::Text : CliSink::Keep::Nothing);
    MarkingBuffer marks;
    RunContext context{net, marks, path, {sink, messages}, inv, err};
    const int status = proc->run(context);
    // A line standard output refused ended the run; a text that did not reach it is not reported.
    if (sink.OutputFailed() || !out.flush()) return ExitRefused;
    if (status != ExitDone) return status;

    // A walk of k shortest paths may pass a point more than once, so its marks can outnumber the points.
    if (inv.Has("--marks")) PrintMarks(marks, proc->name == "k-shortest-paths" ? MaxPoints : net.n, out);
    if (report && !AddTextToReport(sink, messages)) return ExitRefused;
    if (const auto savePath = inv.Value("--save")) {
        if (!WriteNetFile(net, *savePath, messages)) return ExitRefused;
    }
    return ExitDone;
}

} // namespace plax::cli
