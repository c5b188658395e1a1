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
