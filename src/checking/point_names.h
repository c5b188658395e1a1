#pragma once

#include "model/net_types.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// A point a user names by a word that is not a number: the point of that name, or the point of
// that id in the file the net was read from (`fileIds`, point 1 first; empty for a net file).
// The word is UTF-8 as typed; names are the net's 8-bit text. When no point or more than one
// has it, `error` says so: no point is named "z" / more than one point is named "z".
std::optional<int> NamedPoint(const NetWorkType& net, const std::vector<std::string>& fileIds,
                              std::string_view word, std::string& error);

// How an answer reads a word that is not a number: the point it names, or nothing with the
// reason in `error`.
using PointWord = std::function<std::optional<int>(std::string_view word, std::string& error)>;

} // namespace plax
