#include "petri_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "cli_sink.h"
#include "net_io.h"

#include "petri/auto_run.h"
#include "petri/coverability.h"
#include "petri/invariants.h"
#include "petri/liveness.h"
#include "petri/marking_graph.h"
#include "petri/petri_net.h"
#include "petri/state_graph.h"

#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/text_utils.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace plax::cli {

namespace {

struct AutoOptions {
    bool on = false;
    AutoRunParameters run;
};

// The --auto options, checked before the file is read; nothing when they are wrong.
std::optional<AutoOptions> ReadAutoOptions(const Invocation& inv, std::ostream& err) {
    AutoOptions a;
    a.on = inv.Has("--auto");
    if (!a.on && (inv.Value("--max-firings") || inv.Value("--seed"))) {
        err << "plax-cli: --max-firings and --seed go with --auto\n";
        return std::nullopt;
    }
    if (inv.Value("--max-firings")) {
        const auto limit = NumberOption(inv, "--max-firings", 0, static_cast<long long>(MaxFiringLimit), err);
        if (!limit) return std::nullopt;
        a.run.firingLimit = static_cast<std::uint64_t>(*limit);
    }
    if (inv.Value("--seed")) {
        const auto seed = NumberOption(inv, "--seed", 0, std::numeric_limits<long long>::max(), err);
        if (!seed) return std::nullopt;
        a.run.seed = static_cast<std::uint64_t>(*seed);
    }
    return a;
}

// The analyses that write a Results text in place of the state lines, in the order they run.
struct AnalysisOption {
    const char* option;
    MarkingAnalysis run;
};
constexpr AnalysisOption Analyses[] = {
    {"--reachability", ReachabilityAnalysis},
    {"--coverability", CoverabilityAnalysis},
    {"--liveness", LivenessAnalysis},
    {"--invariants", [](NetWorkType& net, const std::string& path, std::uint64_t, ProcedureOutput out) {
         InvariantsAnalysis(net, path, out);
     }}};

bool AnyAnalysis(const Invocation& inv) {
    return std::any_of(std::begin(Analyses), std::end(Analyses),
                       [&inv](const AnalysisOption& a) { return inv.Has(a.option); });
}

// --max-markings goes with the explorations; nothing when the options are wrong.
std::optional<std::uint64_t> ReadMarkingBound(const Invocation& inv, std::ostream& err) {
    if (!inv.Value("--max-markings")) return DefaultMaxMarkings;
    if (!inv.Has("--reachability") && !inv.Has("--coverability") && !inv.Has("--liveness")) {
        err << "plax-cli: --max-markings goes with --reachability, --coverability or --liveness\n";
        return std::nullopt;
    }
    const auto bound = NumberOption(inv, "--max-markings", 1, static_cast<long long>(MaxMarkingsLimit), err);
    if (!bound) return std::nullopt;
    return static_cast<std::uint64_t>(*bound);
}

// The accounts the desktop's Simulation menu writes, on standard output; Ctrl+C presses Stop.
bool WriteAnalyses(const Invocation& inv, NetWorkType& net, std::uint64_t bound, std::ostream& out,
                   CliMessages& messages) {
    const FixedClock clock("", "");
    for (const AnalysisOption& a : Analyses) {
        if (!inv.Has(a.option)) continue;
        RunFlags flags;
        CliSink sink(clock, flags, out, std::nullopt);
        a.run(net, inv.positional[0], bound, {sink, messages});
        if (sink.OutputFailed()) return false;
    }
    return true;
}

// --state-graph writes DOT: a .dot or .gv file, or standard output.
bool StateGraphPathFits(const Invocation& inv, std::ostream& err) {
    const auto path = inv.Value("--state-graph");
    if (!path || *path == "-") return true;
    const std::string ext = UpperExtension(*path);
    if (ext == ".DOT" || ext == ".GV") return true;
    err << "plax-cli: --state-graph writes a .dot or .gv file\n";
    return false;
}

// The graph of the markings reachable from the net's (or the coverability graph of an unbounded
// net), in DOT; a graph too large to draw is refused with the bound.
int WriteStateGraph(const NetWorkType& net, const std::string& path, CliMessages& messages, std::ostream& out,
                    std::ostream& err) {
    const StateGraph graph = DrawnStateGraph(net);
    if (!graph.complete) {
        err << "plax-cli: the state graph holds more than " << MaxStateGraphMarkings
            << " markings; --reachability counts them\n";
        return ExitRefused;
    }
    const std::string dot = StateGraphDot(graph, net);
    if (path == "-") {
        out << dot;
        return out ? ExitDone : ExitRefused;
    }
    if (!MayReplace(path, *FormatOfExtension(".dot"), messages)) return ExitRefused;
    if (WriteFileAtomically(path, dot) != WriteStatus::Ok) {
        messages.Warning(CannotSaveMessage(path));
        return ExitRefused;
    }
    return ExitDone;
}

// Every --fire value, in the order given; each must name a point of the net.
std::optional<std::vector<int>> FirePoints(const Invocation& inv, int n, std::ostream& err) {
    std::vector<int> points;
    const auto it = inv.values.find("--fire");
    if (it == inv.values.end()) return points;
    for (const std::string& text : it->second) {
        int p = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), p);
        if (ec != std::errc() || end != text.data() + text.size() || p < 1 || p > n) {
            err << "plax-cli: --fire takes a point number from 1 to " << n << '\n';
            return std::nullopt;
        }
        points.push_back(p);
    }
    return points;
}

// Fires as the clicks would; a point that is not an enabled transition at its turn ends the command.
bool FireByHand(NetWorkType& net, const std::vector<int>& points, std::ostream& err) {
    for (int p : points) {
        if (!EnabledTransitions(net)[static_cast<std::size_t>(p)]) {
            err << "plax-cli: point " << p << " is not an enabled transition\n";
            return false;
        }
        FireTransition(net, p);
    }
    return true;
}

std::string EndText(AutoRunEnd end) {
    switch (end) {
    case AutoRunEnd::NoneEnabled: return "no transition enabled";
    case AutoRunEnd::FiringLimit: return "firing limit reached";
    case AutoRunEnd::Stopped: return "stopped";
    }
    return "";
}

// The run's Stop is the one long procedures have: Ctrl+C presses it.
void FireAutomatically(NetWorkType& net, const AutoOptions& a, std::ostream& out) {
    const std::uint64_t seed = RunSeed(a.run);
    SeededRandom random(seed);
    const FixedClock clock("", "");
    RunFlags flags;
    CliSink stop(clock, flags, out, std::nullopt);
    stop.StartLongRun(net);
    const AutoRunResult result =
        RunAutomatic(net, random, a.run.firingLimit, [&stop] { return stop.Poll(); });
    stop.EndLongRun(net);
    out << "auto: " << result.firings << " firings, " << EndText(result.end) << ", seed " << seed << '\n';
}

void PrintState(const NetWorkType& net, std::ostream& out) {
    const PointFlags enabled = EnabledTransitions(net);
    out << "enabled:";
    for (int t = 1; t <= net.n; ++t) {
        if (enabled[static_cast<std::size_t>(t)]) out << ' ' << t;
    }
    out << '\n';
    for (int p = 1; p <= net.n; ++p) {
        const PointType& point = net.points[static_cast<std::size_t>(p)];
        if (IsTransition(point)) continue;
        out << "place " << p << ' ' << point.tokens << (point.name.empty() ? "" : " ") << point.name << '\n';
    }
}

} // namespace

const OptionSpec& PetriOptionSpec() {
    static const OptionSpec accepted{
        {"--fire", "--max-firings", "--seed", "--save", "--max-markings", "--state-graph"},
        {"--auto", "--yes", "--reachability", "--coverability", "--liveness", "--invariants"}};
    return accepted;
}

int RunPetri(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const auto autoOptions = ReadAutoOptions(inv, err);
    const auto markingBound = ReadMarkingBound(inv, err);
    if (!autoOptions || !markingBound || !StateGraphPathFits(inv, err)) return ExitUsage;
    const auto saveFormat = SaveFormat(inv, err);
    if (!saveFormat) return ExitUsage;
    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    if (const int read = ReadInput(inv, inv.positional[0], net, messages, err); read != ExitDone) return read;
    if (const auto refusal = PetriRefusal(net)) {
        messages.Warning(*refusal);
        return ExitRefused;
    }
    // A dead marking is a fine start for the exploration, as it is on the desktop.
    const PointFlags enabled = EnabledTransitions(net);
    const auto stateGraph = inv.Value("--state-graph");
    if (!AnyAnalysis(inv) && !stateGraph && !AnyEnabled(enabled)) {
        messages.Information(NotLiveMessage);
        return ExitRefused;
    }
    const auto points = FirePoints(inv, net.n, err);
    if (!points) return ExitUsage;
    if (!FireByHand(net, *points, err)) return ExitRefused;
    if (autoOptions->on) FireAutomatically(net, *autoOptions, out);
    if (AnyAnalysis(inv)) {
        if (!WriteAnalyses(inv, net, *markingBound, out, messages)) return ExitRefused;
    } else if (stateGraph) {
        if (const int written = WriteStateGraph(net, *stateGraph, messages, out, err); written != ExitDone)
            return written;
    } else {
        PrintState(net, out);
    }
    if (const auto savePath = inv.Value("--save"))
        return WriteOutput(net, *savePath, **saveFormat, messages, out, err);
    return ExitDone;
}

} // namespace plax::cli
