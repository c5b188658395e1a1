#pragma once

// The seeded 15-point nets the peer and allocation benchmarks share, and a sink that drops the
// text, so a whole call is measured without a window.
#include "model/net_store.h"
#include "accounts/results_sink.h"

#include <random>
#include <string>
#include <vector>

namespace plax::bench {

// A connected undirected (or directed, both ways round a ring) net: a ring through all points,
// then each other pair with probability `density`; weights 1..100.
inline NetWorkType SeededNet(unsigned seed, double density, bool directed) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, directed ? DirNetCode : UndirNetCode);
    net.n = MaxPoints;
    std::mt19937 rng(seed);
    auto add = [&](int a, int b) {
        EdgeType e;
        e.weight = static_cast<double>(1 + rng() % 100);
        e.lineWidth = 1;
        InsertEdge(net, a, b, e);
    };
    for (int i = 1; i <= net.n; ++i)
        add(i, i % net.n + 1);
    for (int i = 1; i <= net.n; ++i) {
        for (int j = directed ? 1 : i + 1; j <= net.n; ++j) {
            if (i != j && !EdgeExists(net, i, j) && static_cast<double>(rng() % 1000) < density * 1000.0)
                add(i, j);
        }
    }
    net.sourcePoint = 1;
    net.sinkPoint = MaxPoints;
    net.name = "peer";
    return net;
}

// Four undirected nets from sparse to complete, the same seeds on every run.
inline std::vector<NetWorkType> PeerNets(bool directed = false) {
    return {SeededNet(1, 0.15, directed), SeededNet(2, 0.4, directed), SeededNet(3, 0.7, directed),
            SeededNet(4, 1.0, directed)};
}

// Drops every line and never stops.
class DiscardingSink : public ResultsSink {
public:
    DiscardingSink(const Clock& clock, RunFlags& flags) : ResultsSink(clock, flags) {}
    long long lines = 0;

protected:
    bool DoOpen() override { return true; }
    void DoClear() override {}
    bool DoAddLine(std::string_view) override {
        ++lines;
        return true;
    }
    void DoFinish() override {}
};

} // namespace plax::bench
