#pragma once

#include "net_types.h"

#include <vector>

namespace plax {

// Gives every point with custom display options the net's default options again; answers the
// points that changed.
std::vector<int> ClearCustomPointOptions(NetWorkType& net);

} // namespace plax
