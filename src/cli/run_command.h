#pragma once

#include "invocation.h"

#include <ostream>

namespace plax::cli {

// plax-cli run PROCEDURE FILE [options]: the procedure table's entry of that name, with the
// checks its menu item and clicks make.
int RunProcedure(const Invocation& inv, std::ostream& out, std::ostream& err);

// The options `run` understands.
const OptionSpec& RunOptionSpec();

} // namespace plax::cli
