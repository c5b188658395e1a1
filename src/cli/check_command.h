#pragma once

#include "invocation.h"

#include <ostream>
#include <string_view>

namespace plax::cli {

// The exit status of a check whose answer is wrong; 0 says it is right, 1 that the question
// could not be asked or the answer not read.
inline constexpr int ExitIncorrect = 4;

// plax-cli check QUESTION FILE --answer TEXT [--source N] [--sink N]: the verdict on the answer
// as the Check My Answer window writes it.
int RunCheck(const Invocation& inv, std::ostream& out, std::ostream& err);

// What `plax-cli check --help` lists: the questions and the options.
std::string_view CheckHelp();

// The options `check` understands.
const OptionSpec& CheckOptionSpec();

} // namespace plax::cli
