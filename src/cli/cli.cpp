#include "cli.h"

#include "cli_messages.h"
#include "net_io.h"
#include "net_json.h"

#include "model/edge_list.h"
#include "model/krack_plot.h"
#include "model/net_file.h"

#include <functional>
#include <string_view>

#ifndef PLAX_VERSION
#define PLAX_VERSION "0.0.0"
#endif

namespace plax::cli {

namespace {

struct Invocation {
    std::vector<std::string> positional;
    bool yes = false;
};

struct Command {
    std::string_view name;
    std::string_view usage;
    std::size_t positionalCount;
    std::function<int(const Invocation&, std::ostream&, std::ostream&)> run;
};

int Dump(const Invocation& inv, std::ostream& out, std::ostream& err) {
    CliMessages messages(err, inv.yes);
    NetWorkType net;
    if (!ReadNetFile(net, inv.positional[0], OptionType{}, messages)) return ExitUnreadable;
    out << NetToJson(net).dump(2) << '\n';
    return ExitDone;
}

int Convert(const Invocation& inv, std::ostream&, std::ostream& err) {
    const std::string& in = inv.positional[0];
    const std::string& outPath = inv.positional[1];
    const WriteFormat format = FormatForPath(outPath);
    if (format == WriteFormat::Picture) {
        err << "plax-cli: picture output is not part of this build yet: " << outPath << '\n';
        return ExitUsage;
    }
    CliMessages messages(err, inv.yes);
    NetWorkType net;
    if (!ReadNetFile(net, in, OptionType{}, messages)) return ExitUnreadable;
    bool written = false;
    switch (format) {
    case WriteFormat::KrackPlot: written = SaveKrackPlot(net, outPath, messages); break;
    case WriteFormat::EdgeList: written = SaveEdgeList(net, outPath, messages); break;
    case WriteFormat::Net: written = SaveNetFile(net, outPath, messages); break;
    case WriteFormat::Picture: break;
    }
    return written ? ExitDone : ExitRefused;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"convert", "convert IN OUT [--yes]   write IN in the format of OUT's extension (.net .kp .txt)", 2,
         Convert},
        {"dump", "dump FILE                every stored field of the net, sub-nets included, as JSON", 1,
         Dump},
    };
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "Usage: plax-cli COMMAND ...\n\nCommands:\n";
    for (const Command& c : Commands()) out << "  plax-cli " << c.usage << '\n';
    out << "  plax-cli --help | --version\n\n"
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
        Invocation inv;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--yes") {
                inv.yes = true;
            } else if (args[i].size() > 1 && args[i][0] == '-') {
                err << "plax-cli: unknown option " << args[i] << "\nUsage: plax-cli " << c.usage << '\n';
                return ExitUsage;
            } else {
                inv.positional.push_back(args[i]);
            }
        }
        if (inv.positional.size() != c.positionalCount) {
            err << "Usage: plax-cli " << c.usage << '\n';
            return ExitUsage;
        }
        return c.run(inv, out, err);
    }
    err << "plax-cli: unknown command " << args[0] << "\n\n";
    PrintHelp(err);
    return ExitUsage;
}

} // namespace plax::cli
