#pragma once

// The largest nets a user can draw, for the benchmarks: 15 named points and every edge.
#include "model/net_store.h"

#include <string>

namespace plax::bench {

// Every edge (on an activity net, with forwardOnly, every edge from a lower to a higher point),
// weights 1..11 spread over the pairs; source 1, sink 15.
inline NetWorkType CompleteNet(std::uint16_t kind, bool forwardOnly = false) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    net.defaultOptions = DefaultPointOptions();
    net.n = MaxPoints;
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = net.points[static_cast<std::size_t>(i)];
        p.name = "Point " + std::to_string(i);
        p.x = 30 * i;
        p.y = 20 * (i % 5);
        p.weight = 1.0;
        p.tokens = 1;
    }
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            if (forwardOnly && j < i) continue;
            EdgeType e;
            e.weight = 1 + (i * 7 + j * 3) % 11;
            e.name = "Edge";
            e.lineWidth = 1;
            InsertEdge(net, i, j, e);
        }
    }
    net.sourcePoint = 1;
    net.sinkPoint = MaxPoints;
    return net;
}

} // namespace plax::bench
