#pragma once

#include "model/net_types.h"

namespace plax {

// Which display option boxes may be used with the block as it stands. The Options dialog's
// "Current Settings" and the point dialog's "Custom Point Options" follow the same rules.
struct DisplayOptionEnabling {
    bool fillPoint = false;     // only with a border and without the number
    bool doubleBorder = false;  // only with a border
    bool borderByColor = false; // only with a border
    bool operator==(const DisplayOptionEnabling&) const = default;
};

DisplayOptionEnabling DisplayOptionsEnabled(const PointOptionType& options);

// Clears every box the rules disable, so the block holds what the boxes then show.
void ApplyDisplayOptionRules(PointOptionType& options);

} // namespace plax
