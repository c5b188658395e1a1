#include "metrics.h"

#include "model/net_store.h"

namespace plax {

MetricsResult ComputeMetrics(const NetWorkType& net) {
    MetricsResult m;
    m.undirected = IsUndirected(net);
    m.components = CountComponents(net).count;
    m.measured = m.components == 1 && m.undirected;
    if (m.measured) m.eccentricities = ComputeEccentricities(net);
    m.degrees = ComputeDegrees(net);
    return m;
}

} // namespace plax
