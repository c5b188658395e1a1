#pragma once

#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <cstdint>
#include <string>

namespace plax {

// The short shape names of the listing; "Unknown" for a code outside the table.
std::string PointShapeName(std::uint32_t shape);
std::string EdgeShapeName(std::uint32_t shape);

// Get Info: every point and every edge with name, shape, weight and flow. Marks nothing.
void GetInfo(const NetWorkType& net, const std::string& fileName, ProcedureOutput out);

} // namespace plax
