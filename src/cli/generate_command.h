#pragma once

#include "invocation.h"

#include <ostream>

namespace plax::cli {

// plax-cli generate KIND OUT [options]: a standard net written to OUT (.net, .kp or .txt).
OptionSpec GenerateOptionSpec();
int RunGenerate(const Invocation& inv, std::ostream& out, std::ostream& err);
extern const char* const GenerateHelp;

} // namespace plax::cli
