#pragma once

#include "model/net_types.h"

#include <nlohmann/json.hpp>

namespace plax::cli {

// Every stored field of the net and of its sub-nets, lists in their list order.
nlohmann::ordered_json NetToJson(const NetWorkType& net);

// A colour as plax-cli prints it: at least six hex digits, BBGGRR.
std::string ColorText(Color c);

} // namespace plax::cli
