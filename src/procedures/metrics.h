#pragma once

#include "algorithms/graph_utils.h"
#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

// The marks of a connected undirected net: centre points green, diameter points red.
inline constexpr Color CentreColor = 0x008000;
inline constexpr std::uint16_t CentreColorIndex = 2;
inline constexpr Color DiameterColor = 0x0000FF;
inline constexpr std::uint16_t DiameterColorIndex = 9;

struct MetricsResult {
    int components = 0;
    bool undirected = false;
    bool measured = false; // connected and undirected: `eccentricities` holds radius and diameter
    Eccentricities eccentricities;
    Degrees degrees;
};

MetricsResult ComputeMetrics(const NetWorkType& net);

// Quick Metrics: components, radius and diameter, regularity, the degree table and the sorted
// degrees. Marks the centre and diameter points of a connected undirected net once the whole
// account is written.
void QuickMetrics(const NetWorkType& net, MarkingBuffer& marks, const std::string& fileName,
                  ProcedureOutput out);

// Why the menu command refuses to start, if it does.
[[nodiscard]] std::optional<std::string> QuickMetricsRefusal(const NetWorkType& net);

} // namespace plax
