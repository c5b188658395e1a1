#pragma once

#include "invocation.h"

#include <cstddef>
#include <ostream>
#include <string_view>
#include <vector>

namespace plax::cli {

// One plax-cli command: what `plax-cli --help` and `plax-cli COMMAND --help` say of it, the words
// and options it takes, and what runs it. A new command is one more entry of the table.
struct CommandSpec {
    std::string_view name;
    std::string_view usage;   // after "plax-cli "
    std::string_view summary; // one line
    std::string_view help;    // its options, a line each, or empty
    std::size_t minWords;     // positional words, bounds included
    std::size_t maxWords;
    OptionSpec options;
    int (*run)(const Invocation& inv, std::ostream& out, std::ostream& err);
};

const std::vector<CommandSpec>& CommandTable();
const CommandSpec* FindCommand(std::string_view name);

// What every command that reads or writes nets takes besides its own options.
inline constexpr std::string_view FileOptionsHelp =
    "  --from EXT             the format of an input named \"-\" (standard input)\n"
    "  --to EXT               the format of an output named \"-\" (standard output)\n"
    "  --yes                  answer Yes to the questions, such as replacing an existing file\n";

} // namespace plax::cli
