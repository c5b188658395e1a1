#include "cli.h"

#include "cli_messages.h"
#include "command_table.h"

#include "catalogue/procedure_table.h"

#include <algorithm>
#include <iostream>
#include <string_view>

#ifndef PLAX_VERSION
#define PLAX_VERSION "0.0.0"
#endif

namespace plax::cli {

namespace {

void PrintCommandHelp(const CommandSpec& c, std::ostream& out) {
    if (c.help.empty()) return;
    out << "\nOptions of " << c.name << ":\n" << c.help;
}

void PrintHelp(std::ostream& out) {
    out << "Usage: plax-cli COMMAND ...\n\nCommands:\n";
    for (const CommandSpec& c : CommandTable())
        out << "  plax-cli " << c.usage << "\n      " << c.summary << '\n';
    out << "  plax-cli COMMAND --help   the options of one command\n"
           "  plax-cli --help | --version | -V\n\nProcedures for run:";
    for (const ProcedureEntry& p : ProcedureTable()) {
        if (p.cliSwitch.empty()) out << ' ' << p.name;
    }
    out << '\n';
    for (const CommandSpec& c : CommandTable())
        PrintCommandHelp(c, out);
    out << "\n"
           "Options may be written --opt=value as well as --opt value; -- ends the options. A file named\n"
           "- is standard input (with --from EXT) or standard output (with --to EXT).\n"
           "An input is read by its extension: .kp as Krack Plot, .graphml .json .dot .gv .txt\n"
           ".edgelist in those formats, any other as a net file.\n"
           "An output that exists is replaced only when the question before it is answered Yes:\n"
           "--yes (or -f, --force, also before the command) answers Yes, and without it nothing is\n"
           "replaced. An output that holds the same bytes already is left as it is.\n\n"
           "Exit status: 0 done, 1 refused or not written, 2 usage error, 3 input file unreadable,\n"
           "4 (check) the answer is wrong.\n";
}

void PrintUsage(const CommandSpec& c, std::ostream& out) {
    out << "Usage: plax-cli " << c.usage << "\n  " << c.summary << '\n';
}

// `plax-cli COMMAND --help`: a --help before any "--".
bool AsksForHelp(const std::vector<std::string>& args) {
    const auto end = std::find(args.begin() + 1, args.end(), "--");
    return std::find(args.begin() + 1, end, "--help") != end;
}

bool AnswersYes(const std::string& arg) { return arg == "--yes" || arg == "-f" || arg == "--force"; }

// -f and --force are the usual spellings of --yes, which may also come before the command.
std::vector<std::string> Spelled(std::vector<std::string> args) {
    std::size_t lead = 0;
    while (lead < args.size() && AnswersYes(args[lead]))
        ++lead;
    const bool yes = lead > 0;
    args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(lead));
    const auto end = std::find(args.begin(), args.end(), "--");
    for (auto a = args.begin(); a != end; ++a)
        if (AnswersYes(*a)) *a = "--yes";
    if (yes && !args.empty()) args.insert(args.begin() + 1, "--yes");
    return args;
}

int RunCommand(const std::vector<std::string>& given, std::istream& in, std::ostream& out,
               std::ostream& err) {
    const std::vector<std::string> args = Spelled(given);
    if (args.empty()) {
        PrintHelp(err);
        return ExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(out);
        return ExitDone;
    }
    if (args[0] == "--version" || args[0] == "-V") {
        out << "plax-cli " << PLAX_VERSION << '\n';
        return ExitDone;
    }
    const CommandSpec* c = FindCommand(args[0]);
    if (c == nullptr) {
        err << "plax-cli: unknown command " << args[0] << "\n\n";
        PrintHelp(err);
        return ExitUsage;
    }
    if (AsksForHelp(args)) {
        PrintUsage(*c, out);
        PrintCommandHelp(*c, out);
        return ExitDone;
    }
    auto inv = ParseInvocation({args.begin() + 1, args.end()}, c->options, err);
    if (!inv || inv->positional.size() < c->minWords || inv->positional.size() > c->maxWords) {
        PrintUsage(*c, err);
        return ExitUsage;
    }
    inv->in = &in;
    return c->run(*inv, out, err);
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return RunCli(args, std::cin, out, err);
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, in, out, err);
    // Output is buffered: a full disk or a closed file shows at the latest when it is flushed.
    if (!out.flush()) {
        err << OutputFailedMessage << '\n';
        return ExitRefused;
    }
    return status;
}

} // namespace plax::cli
