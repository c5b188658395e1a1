#include "cli.h"

#include "cli_messages.h"
#include "invocation.h"
#include "net_io.h"
#include "net_json.h"
#include "run_command.h"

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
    if (FormatForPath(outPath) == WriteFormat::Picture) {
        err << "plax-cli: picture output is not part of this build yet: " << outPath << '\n';
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
        {"convert",
         "convert IN OUT [--yes]   write IN in the format of OUT's extension (.net .kp .txt)",
         2,
         {{}, {"--yes"}},
         Convert},
        {"dump",
         "dump FILE                every stored field of the net, sub-nets included, as JSON",
         1,
         {{}, {}},
         Dump},
    };
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "Usage: plax-cli COMMAND ...\n\nCommands:\n";
    for (const Command& c : Commands())
        out << "  plax-cli " << c.usage << '\n';
    out << "  plax-cli --help | --version\n\nProcedures for run:";
    for (const ProcedureCommand& p : ProcedureCommands())
        out << ' ' << p.name;
    out << "\n\nOptions of run:\n"
           "  --source N, --sink N   the points a user would click\n"
           "  --marks                after the text, what the procedure marked (points, then edges)\n"
           "  --report               append the text to the report file beside the net (NAME.TXT)\n"
           "  --save OUT             write the net after the run (.net, .kp or .txt)\n"
           "  --time T, --date D     the time and date shown in the header\n"
           "  --yes                  answer Yes to the run's questions and show its hints\n"
           "  --time-limit S         press Stop after S seconds (Ctrl+C presses it too)\n\n"
           "A file ending in .kp (any case) is read as Krack Plot text, any other as a net file.\n"
           "Writing .kp asks before replacing a file; --yes answers Yes.\n\n"
           "Exit status: 0 done, 1 refused or not written, 2 usage error, 3 input file unreadable.\n";
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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

} // namespace plax::cli
