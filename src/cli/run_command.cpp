#include "run_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "cli_sink.h"
#include "net_io.h"
#include "net_json.h"

#include "accounts/procedure_texts.h"
#include "accounts/report_file.h"
#include "algorithms/reachability.h"
#include "catalogue/procedure_table.h"
#include "checking/certificates.h"

#include "model/text_utils.h"

namespace plax::cli {

namespace {

// Among the entries of this name, the one whose switch was given, else the plain one.
const ProcedureEntry* FindProcedure(const std::string& name, const Invocation& inv) {
    const ProcedureEntry* plain = nullptr;
    for (const ProcedureEntry& e : ProcedureTable()) {
        if (e.name != name) continue;
        if (e.cliSwitch.empty()) {
            plain = &e;
        } else if (inv.Has(std::string(e.cliSwitch))) {
            return &e;
        }
    }
    return plain;
}

// The menu greys an item out for nets it is not offered for; the command line says so.
std::optional<std::string> KindRefusal(const ProcedureEntry& proc, const NetWorkType& net) {
    if (IsOffered(proc.offeredFor, net)) return std::nullopt;
    const bool directed = proc.offeredFor == OfferedFor::DirectedNets;
    return "plax-cli: " + std::string(proc.name) + " is offered for " +
           (directed ? "directed" : "undirected") + " nets only";
}

// A picked point must be a point of the net, as a click on the canvas can only find those.
std::optional<int> PickedPoint(const Invocation& inv, const std::string& option, const NetWorkType& net,
                               const PointIds& ids, std::ostream& err) {
    if (!inv.Value(option)) {
        err << "plax-cli: this procedure needs " << option << " N\n";
        return std::nullopt;
    }
    return PointOption(inv, option, net, ids, 1, net.n, err);
}

// The checks the clicks make, with their texts. Answers the exit status when they refuse.
std::optional<int> PickPoints(const ProcedureEntry& proc, const Invocation& inv, NetWorkType& net,
                              const PointIds& ids, UserMessages& messages, std::ostream& err) {
    if (proc.picks == PointPicks::None) return std::nullopt;
    const auto source = PickedPoint(inv, "--source", net, ids, err);
    if (!source) return ExitUsage;
    net.sourcePoint = static_cast<std::uint16_t>(*source);
    if (proc.picks == PointPicks::Start) return std::nullopt;
    if (CountReachable(net, *source) == 0) {
        messages.Warning(NoPathsFromSourceMessage(*source));
        return ExitRefused;
    }
    if (proc.picks == PointPicks::Source) return std::nullopt;
    if (inv.Has("--yes")) messages.Information(SelectSinkMessage(*source));
    const auto sink = PickedPoint(inv, "--sink", net, ids, err);
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

// --k, --iterations and --show as the k shortest paths dialog takes them.
std::optional<KShortestParameters> KShortestOptions(const Invocation& inv, std::ostream& err) {
    KShortestParameters p;
    const auto read = [&](const char* option, long long lo, long long hi, int& value) {
        if (!inv.Value(option)) return true;
        const auto v = NumberOption(inv, option, lo, hi, err);
        if (v) value = static_cast<int>(*v);
        return v.has_value();
    };
    if (!read("--k", 1, MaxPoints, p.k) || !read("--iterations", 100, 10000, p.iterationLimit) ||
        !read("--show", 0, p.k, p.showNumber))
        return std::nullopt;
    return p;
}

// What the desktop program draws in a window, the command line lists on standard error.
void PrintEdges(const std::string& heading, const std::vector<EdgeMark>& edges, std::ostream& err) {
    err << heading << '\n';
    for (const EdgeMark& e : edges)
        err << "edge " << e.from << ' ' << e.to << '\n';
}

void PrintGantt(const std::vector<GanttBar>& bars, std::ostream& err) {
    err << "gantt:\n";
    for (const GanttBar& b : bars) {
        const std::string color = ColorText(b.color);
        err << "bar " << ResultNumber(b.start) << ' ' << ResultNumber(b.end) << ' ' << color << ' '
            << ResultNumber(b.reserve) << ' ' << b.label << '\n';
    }
}

// The walk as the document window draws it: from the source to each point popped in turn. A walk
// may pass a point more than once, so it can have more steps than the net has points.
void MarkWalk(TMyWordStack& walk, int source, MarkingBuffer& marks) {
    std::vector<EdgeMark> edges;
    int previous = source;
    while (!walk.IsEmpty()) {
        const int p = walk.Pop();
        if (edges.size() < MaxPoints)
            edges.push_back({static_cast<std::uint16_t>(previous), static_cast<std::uint16_t>(p)});
        previous = p;
    }
    marks.Clear();
    marks.SetEdges(edges);
}

// Runs the entry; answers the exit status (its account is already written). Without --yes the
// run goes as with "Select Confirmation" off and the Gantt chart is not offered.
int RunEntry(const ProcedureEntry& proc, ProcedureRun& run, const Invocation& inv, std::ostream& err) {
    if (proc.parameters == ProcedureParameters::KShortestPaths) {
        const auto parameters = KShortestOptions(inv, err);
        if (!parameters) return ExitUsage;
        run.kParameters = *parameters;
    }
    std::vector<EdgeMark> shown;
    if (proc.prepare != nullptr && !proc.prepare(run.net, run.out.messages, shown)) {
        if (!shown.empty()) PrintEdges("cycle:", shown, err);
        return ExitRefused;
    }
    run.criticalPath.selectConfirmation = inv.Has("--yes");
    if (run.criticalPath.selectConfirmation)
        run.criticalPath.showGantt = [&err](const std::vector<GanttBar>& bars) { PrintGantt(bars, err); };
    const bool done = proc.run(run);
    if (proc.marking == Marking::Walk && run.kParameters.showNumber != 0)
        MarkWalk(run.walk, run.net.sourcePoint, run.marks);
    return done ? ExitDone : ExitRefused;
}

// A point's name as the marks give it: in double quotes, a quote or backslash inside after a
// backslash, UTF-8; nothing for the points of a net that has no names at all.
std::string QuotedName(const NetWorkType& net, int i) {
    const auto named = [&net](int k) { return !net.points[static_cast<std::size_t>(k)].name.empty(); };
    bool any = false;
    for (int k = 1; k <= net.n; ++k)
        any = any || named(k);
    if (!any) return {};
    std::string quoted = " \"";
    if (i >= 1 && i <= net.n) {
        for (const char c : Latin1ToUtf8(net.points[static_cast<std::size_t>(i)].name)) {
            if (c == '"' || c == '\\') quoted += '\\';
            quoted += c;
        }
    }
    return quoted + "\"";
}

void PrintMarks(const MarkingBuffer& marks, const NetWorkType& net, int n, std::ostream& out) {
    out << "marks:\n";
    for (int i = 1; i <= MaxPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (marks.pointIndex[k] == 0 && marks.pointColor[k] == 0) continue;
        const std::string color = ColorText(marks.pointColor[k]);
        out << "point " << i << ' ' << color << ' ' << marks.pointIndex[k] << QuotedName(net, i) << '\n';
    }
    for (const EdgeMark& e : marks.MarkedEdges(n))
        out << "edge " << e.from << ' ' << e.to << QuotedName(net, e.from) << QuotedName(net, e.to) << '\n';
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

// The proof of what the run found, where the procedure has one. What a stopped search found is
// not what a complete one would prove.
void PrintCertificate(const ProcedureEntry& proc, const NetWorkType& net, CliSink& sink, std::ostream& out) {
    out << "certificate:\n";
    if (sink.StoppedRun()) {
        out << "    The search was stopped before it was complete; there is no proof of what it found.\n";
        return;
    }
    for (const std::string& line : CertificateLines(proc.name, net, sink))
        out << line << '\n';
}

} // namespace

const OptionSpec& RunOptionSpec() {
    static const OptionSpec accepted{
        {"--source", "--sink", "--k", "--iterations", "--show", "--time-limit", "--save", "--time", "--date"},
        {"--marks", "--report", "--yes", "--unsorted", "--certificate"}};
    return accepted;
}

int RunProcedure(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const ProcedureEntry* proc = FindProcedure(inv.positional[0], inv);
    if (proc == nullptr) {
        err << "plax-cli: unknown procedure " << inv.positional[0] << " (plax-cli --help lists them)\n";
        return ExitUsage;
    }
    bool badLimit = false;
    const auto limit = TimeLimit(inv, err, badLimit);
    if (badLimit) return ExitUsage;
    const auto saveFormat = SaveFormat(inv, err);
    if (!saveFormat) return ExitUsage;
    const std::string& path = inv.positional[1];
    if (path == "-" && inv.Has("--report")) {
        err << "plax-cli: --report needs a net file, beside which the report is kept\n";
        return ExitUsage;
    }

    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    PointIds ids;
    if (const int read = ReadInput(inv, path, net, messages, err, &ids); read != ExitDone) return read;
    auto refusal = KindRefusal(*proc, net);
    if (!refusal) refusal = EntryRefusal(*proc, net);
    if (refusal) {
        messages.Warning(*refusal);
        return ExitRefused;
    }
    if (const auto status = PickPoints(*proc, inv, net, ids, messages, err)) return *status;

    const FixedClock clock(inv.Value("--time").value_or(""), inv.Value("--date").value_or(""));
    RunFlags flags;
    const bool report = inv.Has("--report");
    CliSink sink(clock, flags, out, limit, report ? CliSink::Keep::Text : CliSink::Keep::Nothing);
    MarkingBuffer marks;
    ProcedureRun run{net, marks, path, {sink, messages}};
    const int status = RunEntry(*proc, run, inv, err);
    // A line standard output refused ended the run; a text that did not reach it is not reported.
    if (sink.OutputFailed() || !out.flush()) return ExitRefused;
    const bool certificate = inv.Has("--certificate");
    if (status != ExitDone) {
        // A refusal on the net's degrees (Euler) has its proof too.
        if (certificate && status == ExitRefused) PrintCertificate(*proc, net, sink, out);
        return status;
    }

    // A walk of k shortest paths may pass a point more than once, so its marks can outnumber the points.
    if (inv.Has("--marks")) PrintMarks(marks, net, proc->marking == Marking::Walk ? MaxPoints : net.n, out);
    if (certificate) PrintCertificate(*proc, net, sink, out);
    if (report && !AddTextToReport(sink, messages)) return ExitRefused;
    if (const auto savePath = inv.Value("--save"))
        return WriteOutput(net, *savePath, **saveFormat, messages, out, err);
    return ExitDone;
}

} // namespace plax::cli
