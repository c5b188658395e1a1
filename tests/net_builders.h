#pragma once

// Small nets and expected header lines for tests, built the way the editor builds them.
#include "model/net_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax::testing {

inline NetWorkType MakeNet(std::uint16_t kind, int n, const std::string& name = "") {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    net.name = name;
    net.n = static_cast<std::uint8_t>(n);
    return net;
}

inline void AddEdge(NetWorkType& net, int from, int to, double weight, const std::string& name = "No Name") {
    EdgeType e;
    e.weight = weight;
    e.name = name;
    e.lineWidth = 1;
    ASSERT_TRUE(InsertEdge(net, from, to, e)) << from << "->" << to;
}

// Edges go to the head of the lists, so the last one added is visited first.
inline void Connect(NetWorkType& net, int from, int to, double weight = 1.0) {
    AddEdge(net, from, to, weight, "");
}

// The undirected triangle "tri": edges 1-2, 2-3, 1-3 of weight 1, added in that order, so list 1
// runs 3, 2; list 2 runs 3, 1; list 3 runs 2, 1.
inline NetWorkType Triangle() {
    NetWorkType net = MakeNet(UndirNetCode, 3, "tri");
    AddEdge(net, 1, 2, 1.0);
    AddEdge(net, 2, 3, 1.0);
    AddEdge(net, 1, 3, 1.0);
    return net;
}

// The eleven header lines every Results text starts with, at the tests' fixed clock.
inline std::vector<std::string> ResultsHeader(const std::string& title, const std::string& name,
                                              const std::string& type, int points, int edges) {
    return {"",
            title,
            "                Time : 12:00",
            "                Date : 08.12.2026",
            "             NetWork : " + name,
            "                Type : " + type,
            "    Number of Points : " + std::to_string(points),
            "    Number of Edges  : " + std::to_string(edges),
            "",
            "    ---------------------------------------------",
            ""};
}

} // namespace plax::testing
