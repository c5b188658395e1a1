#pragma once

#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plax {

enum class EulerMode { Cycle = 0, Path = 1 };

// Points that break the degree condition are marked in this colour.
inline constexpr Color EulerViolationColor = 0x0000FF;
inline constexpr std::uint16_t EulerViolationColorIndex = 9;

struct EulerResult {
    bool connected = false;
    bool exists = false;                         // the degrees allow the walk asked for
    std::array<bool, MaxPoints + 1> violating{}; // the points that break the degree condition
    int start = 0;
    std::vector<int> sequence; // the walk, when it exists
};

// The walk asked for, or why there is none: a net in more than one piece is judged no further.
EulerResult ComputeEuler(const NetWorkType& net, EulerMode mode);

// Finds an Eulerian cycle (from point 1) or path (from the highest-numbered start candidate)
// with Hierholzer's two stacks and writes its points. Answers whether it wrote that account;
// otherwise a warning was shown: the net is not connected, or its degrees allow no such walk
// (then the offending points are in `marks`), or no Results window could be made.
bool Euler(const NetWorkType& net, EulerMode mode, MarkingBuffer& marks, const std::string& fileName,
           ProcedureOutput out);

// The walk itself: the points in order, every edge used once, beginning at `start` (nothing for
// a point outside the net).
std::vector<int> EulerSequence(const NetWorkType& net, int start);

// Why the Eulerian Path and Cycle commands refuse to start, if they do.
[[nodiscard]] std::optional<std::string> EulerRefusal(const NetWorkType& net);

} // namespace plax
