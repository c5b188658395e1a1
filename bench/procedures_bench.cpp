// Shortest paths on the largest nets a user can draw: 15 points, every edge, and decomposed
// edges whose sub-nets are complete nets of their own.
#include "accounts/shortest_paths_account.h"
#include "model/net_store.h"

#include "bench_nets.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>

namespace {

using plax::bench::CompleteNet;

// An undirected net of three points per level, 1-3 and 3-2 of weight 1, whose edge 1-3 is
// decomposed into the next level: each level is measured from both entries of that edge.
plax::NetWorkType DecomposedChain(int levels) {
    std::shared_ptr<plax::NetWorkType> below;
    for (int level = levels; level >= 1; --level) {
        auto net = std::make_shared<plax::NetWorkType>();
        plax::NetInit(*net);
        plax::SetNetKind(*net, plax::UndirNetCode);
        net->name = "chain";
        net->n = 3;
        plax::EdgeType e;
        e.weight = 1.0;
        e.lineWidth = 1;
        plax::InsertEdge(*net, 1, 3, e);
        plax::InsertEdge(*net, 3, 2, e);
        if (below) plax::SetSubNet(*net, 1, 3, below);
        net->sourcePoint = 1;
        net->sinkPoint = 2;
        below = net;
    }
    return std::move(*below);
}

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

namespace {

// 24 levels took seconds when every entry of a decomposed edge measured its sub-net anew; 63
// levels is the deepest chain the reader accepts.
void BM_ShortestPathDecomposedChain(benchmark::State& state) {
    plax::NetWorkType net = DecomposedChain(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::MeasureShortestPath(net));
}
BENCHMARK(BM_ShortestPathDecomposedChain)->Arg(24)->Arg(63)->Unit(benchmark::kMicrosecond);

} // namespace
