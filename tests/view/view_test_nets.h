#pragma once

#include "model/net_store.h"
#include "model/net_types.h"

#include <string>
#include <utility>

namespace plax::testing {

// The colours procedures mark their results with.
inline constexpr Color Red = 0x0000FF;
inline constexpr Color Green = 0x008000;
inline constexpr Color Blue = 0xFF0000;
inline constexpr Color Silver = 0xC0C0C0;

// A net with the default options block of a fresh program (radius 10, number shown).
inline NetWorkType NewTestNet(bool directed) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, directed ? DirNetCode : UndirNetCode);
    net.defaultOptions = DefaultPointOptions();
    return net;
}

inline int AddTestPoint(NetWorkType& net, int x, int y, std::uint16_t shape = 0,
                        const std::string& name = "") {
    const int i = ++net.n;
    PointType& p = net.points[static_cast<std::size_t>(i)];
    p = PointType{};
    p.x = x;
    p.y = y;
    p.shape = shape;
    p.name = name;
    p.tokens = 1;
    p.weight = 1.0;
    return i;
}

inline EdgeType* AddTestEdge(NetWorkType& net, int from, int to, double weight = 1.0,
                             std::uint32_t shape = 0) {
    EdgeType e;
    e.weight = weight;
    e.shape = shape;
    e.lineWidth = 1;
    InsertEdge(net, from, to, std::move(e));
    return FindEdge(net, from, to);
}

// A change the document's history counts (its default radius one larger), for tests that need a
// changed net whatever it holds.
template <class Document> void TouchNet(Document& document) {
    document.Edit("Touch", [](NetWorkType& net) { ++net.defaultOptions.radius; });
}

// Gives point i its own options block with radius r (and otherwise the net's block).
inline PointOptionType& CustomOptions(NetWorkType& net, int i, int r) {
    PointType& p = net.points[static_cast<std::size_t>(i)];
    p.customOptions = 1;
    p.options = net.defaultOptions;
    p.options.radius = static_cast<std::uint16_t>(r);
    return p.options;
}

} // namespace plax::testing
