#include "net_store.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <unordered_map>

namespace plax {

void ApplyFillPointRule(PointOptionType& options) {
    if (options.showBorder == 0 || options.showNumber != 0) options.fillPoint = 0;
}

EdgeLists::EdgeLists(const EdgeLists& other) : lists_(other.lists_) {
    // Each sub-net is copied once, so entries that shared one keep sharing the copy.
    std::unordered_map<const NetWorkType*, std::shared_ptr<NetWorkType>> copies;
    for (auto& list : lists_) {
        for (auto& edge : list) {
            if (!edge.subNet) continue;
            auto& copy = copies[edge.subNet.get()];
            if (!copy) copy = std::make_shared<NetWorkType>(*edge.subNet);
            edge.subNet = copy;
        }
    }
}

EdgeLists& EdgeLists::operator=(const EdgeLists& other) {
    if (this != &other) *this = EdgeLists(other);
    return *this;
}

void EdgeLists::Clear() {
    for (auto& list : lists_)
        list.clear();
}

void NetInit(NetWorkType& net) {
    net.n = 0;
    net.lists.Clear();
    net.kindName = NetKind[UndirNetCode];
}

void NetClear(NetWorkType& net) {
    net.lists.Clear();
    net.kept.clear();
    net.n = 0;
    net.kindName = NetKind[UndirNetCode];
}

void FreeEdges(NetWorkType& net) { net.lists.Clear(); }

void FreeNet(NetWorkType& net) { FreeEdges(net); }

void CopyNet(const NetWorkType& src, NetWorkType& dst) {
    if (&src != &dst) dst = src;
}

void CopyEdges(const NetWorkType& src, NetWorkType& dst) {
    if (&src == &dst) return;
    FreeNet(dst);
    dst.lists = src.lists;
}

bool IsUndirected(const NetWorkType& net) { return net.kindName == NetKind[UndirNetCode]; }

void SetNetKind(NetWorkType& net, std::uint16_t code) {
    assert(code < NetKind.size());
    net.kindCode = code;
    net.kindName = NetKind[code];
}

std::uint16_t KindCodeOf(const NetWorkType& net) {
    for (std::size_t i = 0; i < NetKind.size(); ++i) {
        if (net.kindName == NetKind[i]) return static_cast<std::uint16_t>(i);
    }
    return DirNetCode;
}

bool ValidPair(const NetWorkType& net, int from, int to) {
    return from >= 1 && to >= 1 && from <= net.n && to <= net.n && from != to;
}

namespace {

// One look-up for both constnesses: Net is NetWorkType or const NetWorkType.
template <class Net> auto FindIn(Net& net, int from, int to) -> decltype(&net.lists[0][0]) {
    if (!ValidPair(net, from, to)) return nullptr;
    for (auto& edge : net.lists[static_cast<std::size_t>(from)]) {
        if (edge.target == to) return &edge;
    }
    return nullptr;
}

} // namespace

EdgeType* FindEdge(NetWorkType& net, int from, int to) { return FindIn(net, from, to); }

const EdgeType* FindEdge(const NetWorkType& net, int from, int to) { return FindIn(net, from, to); }

namespace {

// Getters on an undirected net read the entry whose source is the smaller number.
const EdgeType* FindOrdered(const NetWorkType& net, int from, int to) {
    if (IsUndirected(net) && from > to) std::swap(from, to);
    return FindEdge(net, from, to);
}

// Applies `change` to the edge and, on an undirected net, to its reverse entry.
template <class Change> void ChangeBoth(NetWorkType& net, int from, int to, Change change) {
    const bool undirected = IsUndirected(net);
    if (undirected && from > to) std::swap(from, to);
    EdgeType* edge = FindEdge(net, from, to);
    if (edge == nullptr) return;
    change(*edge);
    if (undirected) {
        if (EdgeType* reverse = FindEdge(net, to, from)) change(*reverse);
    }
}

} // namespace

bool EdgeExists(const NetWorkType& net, int from, int to) { return FindEdge(net, from, to) != nullptr; }

int OutDegree(const NetWorkType& net, int p) {
    if (p < 1 || p > MaxPoints) return 0;
    return static_cast<int>(net.lists[static_cast<std::size_t>(p)].size());
}

int EdgeCount(const NetWorkType& net) {
    int total = 0;
    for (int i = 1; i <= net.n; ++i)
        total += OutDegree(net, i);
    return IsUndirected(net) ? total / 2 : total;
}

int Neighbour(const NetWorkType& net, int p, int k) {
    if (p < 1 || p > MaxPoints || k < 1) return 0;
    const EdgeList& list = net.lists[static_cast<std::size_t>(p)];
    if (static_cast<std::size_t>(k) > list.size()) return 0;
    return list[static_cast<std::size_t>(k - 1)].target;
}

double GetEdgeReal(const NetWorkType& net, int which, int from, int to) {
    const EdgeType* edge = FindOrdered(net, from, to);
    if (edge == nullptr) return 0.0;
    if (which == EdgeRealWeight) return edge->weight;
    if (which == EdgeRealFlow) return edge->flow;
    return 0.0;
}

std::int64_t GetEdgeField(const NetWorkType& net, int code, int from, int to) {
    const EdgeType* edge = FindOrdered(net, from, to);
    if (edge == nullptr) return 0;
    switch (code) {
    case EdgeFieldColor: return edge->color;
    case EdgeFieldReserved: return edge->reserved;
    case EdgeFieldShape: return edge->shape;
    case EdgeFieldLineStyle: return edge->lineStyle;
    default: return 0;
    }
}

std::string GetEdgeName(const NetWorkType& net, int from, int to) {
    const EdgeType* edge = FindOrdered(net, from, to);
    return edge != nullptr ? edge->name : std::string();
}

EdgeAttributes GetEdgeAttributes(const NetWorkType& net, int from, int to) {
    const EdgeType* edge = FindOrdered(net, from, to);
    if (edge == nullptr) return {};
    return {edge->weight, edge->color,     edge->reserved, edge->name,
            edge->shape,  edge->lineStyle, edge->lineWidth};
}

std::shared_ptr<NetWorkType> GetSubNet(const NetWorkType& net, int from, int to) {
    const EdgeType* edge = FindEdge(net, from, to);
    return edge != nullptr ? edge->subNet : nullptr;
}

void SetEdgeReal(NetWorkType& net, int which, int from, int to, double value) {
    ChangeBoth(net, from, to, [&](EdgeType& e) {
        if (which == EdgeRealWeight) e.weight = value;
        if (which == EdgeRealFlow) e.flow = value;
    });
}

void SetEdgeField(NetWorkType& net, int code, int from, int to, std::int64_t value) {
    ChangeBoth(net, from, to, [&](EdgeType& e) {
        switch (code) {
        case EdgeFieldColor: e.color = static_cast<Color>(value); break;
        case EdgeFieldReserved: e.reserved = static_cast<std::uint32_t>(value); break;
        case EdgeFieldShape: e.shape = static_cast<std::uint32_t>(value); break;
        case EdgeFieldLineStyle: e.lineStyle = static_cast<std::uint32_t>(value); break;
        default: break;
        }
    });
}

void SetEdgeAttributes(NetWorkType& net, int from, int to, const EdgeAttributes& block) {
    ChangeBoth(net, from, to, [&](EdgeType& e) {
        e.weight = block.weight;
        e.color = block.color;
        e.reserved = block.reserved;
        e.name = CutText(block.name, MaxNameLength);
        e.shape = block.shape;
        e.lineStyle = block.lineStyle;
        e.lineWidth = block.lineWidth;
    });
}

void SetSubNet(NetWorkType& net, int from, int to, std::shared_ptr<NetWorkType> subNet) {
    ChangeBoth(net, from, to, [&](EdgeType& e) { e.subNet = subNet; });
}

bool InsertEdge(NetWorkType& net, int from, int to, EdgeType edge) {
    if (!ValidPair(net, from, to) || EdgeExists(net, from, to)) return false;
    auto& fromList = net.lists[static_cast<std::size_t>(from)];
    edge.target = static_cast<std::uint8_t>(to);
    if (IsUndirected(net)) {
        EdgeType reverse = edge;
        reverse.target = static_cast<std::uint8_t>(from);
        auto& toList = net.lists[static_cast<std::size_t>(to)];
        toList.insert(toList.begin(), std::move(reverse));
    }
    fromList.insert(fromList.begin(), std::move(edge));
    return true;
}

void DeleteNetPoint(NetWorkType& net, int p) {
    const int n = net.n;
    if (p < 1 || p > n) return;
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    net.lists[at(p)].clear();
    for (int i = 1; i <= n; ++i)
        std::erase_if(net.lists[at(i)], [p](const EdgeType& e) { return e.target == p; });
    if (p < n) {
        net.points[at(p)] = std::move(net.points[at(n)]);
        net.lists[at(p)] = std::move(net.lists[at(n)]);
        net.lists[at(n)].clear();
        for (int i = 1; i < n; ++i) {
            for (EdgeType& e : net.lists[at(i)])
                if (e.target == n) e.target = static_cast<std::uint8_t>(p);
        }
    }
    net.points[at(n)] = PointType{};
    net.n = static_cast<std::uint8_t>(n - 1);
}

int PointRadius(const NetWorkType& net, int p) {
    const PointType& point = net.points[static_cast<std::size_t>(p)];
    return point.customOptions != 0 ? point.options.radius : net.defaultOptions.radius;
}

int PointAt(const NetWorkType& net, std::int32_t x, std::int32_t y) {
    for (int i = 1; i <= net.n; ++i) {
        const PointType& point = net.points[static_cast<std::size_t>(i)];
        const std::int64_t r = std::max(PointRadius(net, i), 2);
        if (std::llabs(std::int64_t{x} - point.x) < r && std::llabs(std::int64_t{y} - point.y) < r) {
            return i;
        }
    }
    return 0;
}

} // namespace plax
