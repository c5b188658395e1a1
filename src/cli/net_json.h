#pragma once

#include "model/net_types.h"

#include <nlohmann/json.hpp>

namespace plax::cli {

// Every stored field of the net and of its sub-nets, lists in their list order.
nlohmann::ordered_json NetToJson(const NetWorkType& net);

// A colour as plax-cli prints it: at least six hex digits, BBGGRR.
std::string ColorText(Color c);

// Names are 8-bit strings; JSON wants UTF-8, so each byte is read as Latin-1.
std::string Latin1ToUtf8(const std::string& bytes);

} // namespace plax::cli
