// Reading and writing nets: the complete net of 15 points, with a decomposed edge two levels deep.
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/net_store.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

plax::NetWorkType CompleteNet(std::uint16_t kind) {
    plax::NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, kind);
    net.defaultOptions = plax::DefaultPointOptions();
    net.n = plax::MaxPoints;
    for (int i = 1; i <= net.n; ++i) {
        auto& p = net.points[static_cast<std::size_t>(i)];
        p.name = "Point " + std::to_string(i);
        p.x = 30 * i;
        p.y = 20 * (i % 5);
        p.weight = 1.0;
        p.tokens = 1;
    }
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            plax::EdgeType e;
            e.weight = i + j / 4.0;
            e.name = "Edge";
            e.lineWidth = 1;
            plax::InsertEdge(net, i, j, e);
        }
    }
    return net;
}

plax::NetWorkType NestedNet() {
    plax::NetWorkType net = CompleteNet(plax::DirNetCode);
    auto level1 = std::make_shared<plax::NetWorkType>(CompleteNet(plax::UndirNetCode));
    plax::SetSubNet(*level1, 1, 2, std::make_shared<plax::NetWorkType>(CompleteNet(plax::DirNetCode)));
    plax::SetSubNet(net, 1, 2, level1);
    return net;
}

void BM_SaveNetBytes(benchmark::State& state) {
    const plax::NetWorkType net = NestedNet();
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::NetFileBytes(net));
}
BENCHMARK(BM_SaveNetBytes);

void BM_LoadNetBytes(benchmark::State& state) {
    const std::string bytes = *plax::NetFileBytes(NestedNet());
    const plax::OptionType options;
    plax::SilentMessages messages(true);
    for (auto _ : state) {
        plax::NetWorkType net;
        benchmark::DoNotOptimize(plax::ReadNetBytes(net, bytes, "bench.net", options, messages));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadNetBytes);

void BM_CopyNet(benchmark::State& state) {
    const plax::NetWorkType net = NestedNet();
    for (auto _ : state) {
        plax::NetWorkType copy = net;
        benchmark::DoNotOptimize(copy.n);
    }
}
BENCHMARK(BM_CopyNet);

void BM_KrackPlotRoundTrip(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet(plax::DirNetCode);
    const plax::OptionType options;
    plax::SilentMessages messages(true);
    for (auto _ : state) {
        const std::string text = plax::KrackPlotText(net);
        plax::NetWorkType back;
        benchmark::DoNotOptimize(plax::ReadKrackPlotText(back, text, "bench.kp", options, messages));
    }
}
BENCHMARK(BM_KrackPlotRoundTrip);

} // namespace
