// Shortest paths on the largest nets a user can draw: 15 points, every edge, and decomposed
// edges whose sub-nets are complete nets of their own.
#include "model/net_store.h"
#include "procedures/shortest_paths.h"

#include "bench_nets.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using plax::bench::CompleteNet;

// Every edge of the top net decomposed into a complete net, each of whose edges is decomposed again.
plax::NetWorkType DeeplyDecomposed() {
    auto inner = std::make_shared<plax::NetWorkType>(CompleteNet(plax::DirNetCode));
    auto middle = std::make_shared<plax::NetWorkType>(CompleteNet(plax::DirNetCode));
    for (int i = 1; i <= middle->n; ++i) {
        for (auto& e : middle->lists[static_cast<std::size_t>(i)])
            e.subNet = inner;
    }
    plax::NetWorkType top = CompleteNet(plax::DirNetCode);
    for (int i = 1; i <= top.n; ++i) {
        for (auto& e : top.lists[static_cast<std::size_t>(i)])
            e.subNet = middle;
    }
    return top;
}

void BM_ShortestPathComplete(benchmark::State& state) {
    plax::NetWorkType net = CompleteNet(plax::UndirNetCode);
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::MeasureShortestPath(net));
}
BENCHMARK(BM_ShortestPathComplete);

void BM_ShortestPathDecomposedTwoLevels(benchmark::State& state) {
    plax::NetWorkType net = DeeplyDecomposed();
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::MeasureShortestPath(net));
}
BENCHMARK(BM_ShortestPathDecomposedTwoLevels)->Unit(benchmark::kMicrosecond);

} // namespace
