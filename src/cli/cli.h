#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace plax::cli {

enum ExitStatus : int {
    ExitDone = 0,
    ExitRefused = 1,    // the command was refused or could not be carried out; why is on stderr
    ExitUsage = 2,      // the command line is wrong
    ExitUnreadable = 3, // an input file could not be read; the reader's message is on stderr
};

// Runs plax-cli with its arguments (without the program name); a file named "-" is `in` or `out`.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// The same with the program's standard input.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace plax::cli
