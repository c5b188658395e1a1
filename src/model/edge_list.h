#pragma once

#include "net_types.h"
#include "user_messages.h"

#include <string>

namespace plax {

// N, then "i,j,weight" for every ordered pair with an edge, then "0","0","0"; CR LF endings.
std::string EdgeListText(const NetWorkType& net);

// Writes the edge list, replacing any file at `path` without asking.
[[nodiscard]] bool SaveEdgeList(const NetWorkType& net, const std::string& path, UserMessages& messages);

} // namespace plax
