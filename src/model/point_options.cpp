#include "point_options.h"

namespace plax {

std::vector<int> ClearCustomPointOptions(NetWorkType& net) {
    std::vector<int> changed;
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = net.points[static_cast<std::size_t>(i)];
        if (p.customOptions == 0) continue;
        p.customOptions = 0;
        p.options = net.defaultOptions;
        changed.push_back(i);
    }
    return changed;
}

} // namespace plax
