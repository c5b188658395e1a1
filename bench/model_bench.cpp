// Reading and writing nets: the complete net of 15 points, with a decomposed edge two levels deep.
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/net_store.h"

#include "bench_nets.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using plax::bench::CompleteNet;

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
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
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
