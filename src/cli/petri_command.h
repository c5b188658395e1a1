#pragma once

#include "invocation.h"

#include <ostream>

namespace plax::cli {

// plax-cli petri FILE [--fire T]... [--auto [--max-firings N] [--seed S]] [--save OUT]
int RunPetri(const Invocation& inv, std::ostream& out, std::ostream& err);

// The options `petri` understands.
const OptionSpec& PetriOptionSpec();

} // namespace plax::cli
