// The graph property procedures and the token game on the largest nets a user can draw: the
// complete net of 15 points, whose every point has even degree, so Euler walks all 105 edges.
#include "accounts/cut_points_account.h"
#include "accounts/euler_account.h"
#include "accounts/metrics_account.h"
#include "model/net_store.h"
#include "petri/auto_run.h"

#include "bench_nets.h"

#include <benchmark/benchmark.h>

#include <utility>

namespace {

using plax::bench::CompleteNet;

struct QuietRun {
    plax::FixedClock clock{"12:00", "08.12.2026"};
    plax::RunFlags flags;
    plax::LineSink sink{clock, flags};
    plax::SilentMessages messages;
    plax::MarkingBuffer marks;
};

void BM_QuickMetricsComplete(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet(plax::UndirNetCode);
    QuietRun r;
    for (auto _ : state)
        plax::QuickMetrics(net, r.marks, "k15.net", {r.sink, r.messages});
}
BENCHMARK(BM_QuickMetricsComplete)->Unit(benchmark::kMicrosecond);

void BM_CutPointsComplete(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet(plax::UndirNetCode);
    QuietRun r;
    for (auto _ : state)
        plax::CutPointsAndBridges(net, plax::CutSearchMode::CutPoints, r.marks, "k15.net",
                                  {r.sink, r.messages});
}
BENCHMARK(BM_CutPointsComplete)->Unit(benchmark::kMicrosecond);

void BM_EulerCycleComplete(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet(plax::UndirNetCode);
    QuietRun r;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            plax::Euler(net, plax::EulerMode::Cycle, r.marks, "k15.net", {r.sink, r.messages}));
}
BENCHMARK(BM_EulerCycleComplete)->Unit(benchmark::kMicrosecond);

// A thousand firings of the example's producer and consumer, shaped here in code.
void BM_AutomaticPetriRun(benchmark::State& state) {
    plax::NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, plax::DirNetCode);
    net.n = 4;
    net.points[1].tokens = 1;
    net.points[2].shape = 2;
    net.points[4].shape = 3;
    for (auto [a, b] : {std::pair{1, 2}, {2, 3}, {3, 4}, {4, 1}})
        plax::InsertEdge(net, a, b, plax::EdgeType{});
    plax::SeededRandom random(1);
    for (auto _ : state) {
        plax::NetWorkType copy = net;
        benchmark::DoNotOptimize(plax::RunAutomatic(copy, random, 1000, {}).firings);
    }
}
BENCHMARK(BM_AutomaticPetriRun)->Unit(benchmark::kMicrosecond);

} // namespace
