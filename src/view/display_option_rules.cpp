#include "display_option_rules.h"

namespace plax {

DisplayOptionEnabling DisplayOptionsEnabled(const PointOptionType& options) {
    const bool border = options.showBorder != 0;
    return {border && options.showNumber == 0, border, border};
}

void ApplyDisplayOptionRules(PointOptionType& options) {
    const DisplayOptionEnabling on = DisplayOptionsEnabled(options);
    if (!on.fillPoint) options.fillPoint = 0;
    if (!on.doubleBorder) options.doubleBorder = 0;
    if (!on.borderByColor) options.coloredBorder = 0;
}

} // namespace plax
