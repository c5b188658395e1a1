#pragma once

#include "results_sink.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/symmetry_group.h"

#include "model/net_types.h"

#include <optional>
#include <string>
#include <vector>

namespace plax {

// A permutation in cycle notation, "(2 5)(3 4)": every cycle of two or more points from its
// lowest point, the cycles by their lowest points; "()" for the identity.
std::string CycleNotation(const std::vector<int>& image);

// The order of the automorphism group, the orbits of the points and generators of the group;
// the points of each orbit of two or more are marked in a colour of their own.
void FindSymmetryGroup(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                       ProcedureOutput out);

// The question the desktop asks before listing a group larger than it is worth listing, or
// nothing when the listing is short.
std::optional<std::string> LongListingQuestion(const NetWorkType& net);

} // namespace plax
