#include "cli.h"

#include "cli_messages.h"
#include "generate_command.h"
#include "invocation.h"
#include "net_io.h"
#include "net_json.h"
#include "petri_command.h"
#include "picture_command.h"
#include "run_command.h"

#include "procedures/procedure_table.h"

#include <functional>
#include <string_view>

#ifndef PLAX_VERSION
#define PLAX_VERSION "0.0.0"
#endif

namespace plax::cli {

namespace {

struct Command {
    std::string_view name;
    std::string_view usage;
    std::size_t positionalCount;
    OptionSpec options;
    std::function<int(const Invocation&, std::ostream&, std::ostream&)> run;
};

int Dump(const Invocation& inv, std::ostream& out, std::ostream& err) {
    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    if (!ReadNetFile(net, inv.positional[0], OptionType{}, messages)) return ExitUnreadable;
    out << NetToJson(net).dump(2) << '\n';
    return ExitDone;
}

int Convert(const Invocation& inv, std::ostream&, std::ostream& err) {
    const std::string& in = inv.positional[0];
    const std::string& outPath = inv.positional[1];
    if (FormatForPath(outPath) == WriteFormat::Picture) return ConvertToPicture(inv, err);
    if (inv.Value("--size") || inv.Value("--show")) {
        err << "plax-cli: --size and --show apply to picture output only\n";
        return ExitUsage;
    }
    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    if (!ReadNetFile(net, in, OptionType{}, messages)) return ExitUnreadable;
    return WriteNetFile(net, outPath, messages) ? ExitDone : ExitRefused;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"run", "run PROCEDURE FILE [options]   run one procedure; its Results text goes to standard output",
         2, RunOptionSpec(), RunProcedure},
        {"petri",
         "petri FILE [--fire T]... [--auto [--max-firings N] [--seed S]] [--reachability\n"
         "                         [--max-markings M]] [--save OUT]   play the Petri net",
         1, PetriOptionSpec(), RunPetri},
        {"convert",
         "convert IN OUT [--yes] [--size WxH] [--show LIST]   write IN in the format of OUT's extension\n"
         "                         (.net .kp .txt, or a picture: .bmp .wmf .png .svg .pdf)",
         2, PictureOptionSpec(), Convert},
        {"dump",
         "dump FILE                every stored field of the net, sub-nets included, as JSON",
         1,
         {{}, {}},
         Dump},
        // Standard nets.
        {"generate", "generate KIND OUT [options]   a standard net (see the options of generate)", 2,
         GenerateOptionSpec(), RunGenerate},
    };
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "Usage: plax-cli COMMAND ...\n\nCommands:\n";
    for (const Command& c : Commands())
        out << "  plax-cli " << c.usage << '\n';
    out << "  plax-cli --help | --version\n\nProcedures for run:";
    for (const ProcedureEntry& p : ProcedureTable()) {
        if (p.cliSwitch.empty()) out << ' ' << p.name;
    }
    out << "\n\nOptions of run:\n"
           "  --source N, --sink N   the points a user would click\n"
           "  --marks                after the text, what the procedure marked (points, then edges)\n"
           "  --report               append the text to the report file beside the net (NAME.TXT)\n"
           "  --save OUT             write the net after the run (.net, .kp or .txt)\n"
           "  --time T, --date D     the time and date shown in the header\n"
           "  --yes                  answer Yes to the run's questions and show its hints\n"
           "  --time-limit S         press Stop after S seconds (Ctrl+C presses it too)\n"
           "  --k K, --iterations I, --show W\n"
           "                         k-shortest-paths: how many lengths (1..15, default 1), the\n"
           "                         iteration limit (100..10000, default 100), the walk to show\n"
           "  --unsorted             automorphisms in plain-changes order\n\n"
           "Options of petri (after the firings it prints \"enabled:\" with the enabled transitions,\n"
           "then \"place P TOKENS NAME\" for every point that is not a transition):\n"
           "  --fire T               fire transition T as a click would (repeatable, in order)\n"
           "  --auto                 then fire randomly chosen enabled transitions, each weighted by\n"
           "                         its level + 1, until none is enabled; prints \"auto:\" with the\n"
           "                         number of firings, why the run ended, and the seed\n"
           "  --max-firings N        end the automatic run after N firings (default 10000)\n"
           "  --seed S               the seed of the random choice, so that a run can be repeated\n"
           "  --reachability         then, instead of the state, the markings reachable from the one\n"
           "                         reached: their number, boundedness, dead markings with a\n"
           "                         shortest firing sequence, transitions that never fire and\n"
           "                         reversibility, as the Results text of Simulation > Reachability\n"
           "  --max-markings M       store at most M markings (1..10000000, default 100000)\n"
           "  --save OUT             write the net with its new tokens (.net, .kp or .txt)\n"
           "  --yes                  answer Yes when --save asks to replace a file\n\n"
           "Options of convert to a picture (the net's drawing area on white, drawn offscreen):\n"
           "  --size WxH             picture size in pixels (default 593x351, a new window's area)\n"
           "  --show LIST            also show, comma-separated: names, tokens, weights, flows,\n"
           "                         edge-names, edge-labels (a loaded net shows none of them)\n\n"
        << GenerateHelp
        << "\n"
           "A file ending in .kp (any case) is read as Krack Plot text, any other as a net file.\n"
           "Writing .kp asks before replacing a file; --yes answers Yes.\n\n"
           "Exit status: 0 done, 1 refused or not written, 2 usage error, 3 input file unreadable.\n";
}

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintHelp(err);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out);
        return ExitDone;
    }
    if (args[0] == "--version") {
        out << "plax-cli " << PLAX_VERSION << '\n';
        return ExitDone;
    }
    for (const Command& c : Commands()) {
        if (args[0] != c.name) continue;
        const auto inv = ParseInvocation({args.begin() + 1, args.end()}, c.options, err);
        if (!inv || inv->positional.size() != c.positionalCount) {
            err << "Usage: plax-cli " << c.usage << '\n';
            return ExitUsage;
        }
        return c.run(*inv, out, err);
    }
    err << "plax-cli: unknown command " << args[0] << "\n\n";
    PrintHelp(err);
    return ExitUsage;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, out, err);
    // Output is buffered: a full disk or a closed file shows at the latest when it is flushed.
    if (!out.flush()) {
        err << OutputFailedMessage << '\n';
        return ExitRefused;
    }
    return status;
}

} // namespace plax::cli
