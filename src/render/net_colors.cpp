#include "net_colors.h"

#include "model/net_store.h"

namespace plax {

namespace {

bool Stores(Color c) { return c != OwnColor && c != BackColor; }

} // namespace

void ColorPoint(NetWorkType& net, int i, Color c) {
    if (i < 1 || i > net.n || !Stores(c)) return;
    net.points[static_cast<std::size_t>(i)].color = c;
}

void ColorEdge(NetWorkType& net, int from, int to, Color c) {
    if (!Stores(c) || !EdgeExists(net, from, to)) return;
    SetEdgeField(net, EdgeFieldColor, from, to, c);
}

void ColorNet(NetWorkType& net, Color c) {
    if (!Stores(c)) return;
    for (int i = 1; i <= net.n; ++i) {
        net.points[static_cast<std::size_t>(i)].color = c;
        for (auto& edge : net.lists[static_cast<std::size_t>(i)])
            edge.color = c;
    }
}

} // namespace plax
