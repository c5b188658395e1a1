#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

inline constexpr const char* NoPathTrivialMessage = "There isnt Path ";

struct MaxCapacityResult {
    int source = 0;
    int sink = 0;
    double capacity = 0.0; // 2E38 when the sink cannot be reached
};

// The largest capacity from the net's source to its sink, with no account.
MaxCapacityResult ComputeMaxCapacity(const NetWorkType& net);

// The largest capacity (smallest weight on the way) with which the net's source reaches its
// sink, over all pairs by Floyd-Warshall with min for concatenation and max for choice. Writes
// it to the Results window; marks nothing. Answers the capacity.
double MaxCapacityPath(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                       ProcedureOutput out);

// Why the menu command refuses to start, if it does.
[[nodiscard]] std::optional<std::string> MaxCapacityPathRefusal(const NetWorkType& net);

} // namespace plax
