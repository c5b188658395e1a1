// The costliest path and flow procedures on the largest nets a user can draw: 15 points and
// every edge between them.
#include "accounts/critical_path_account.h"
#include "accounts/k_shortest_paths_account.h"
#include "accounts/max_flow_account.h"
#include "accounts/results_sink.h"
#include "accounts/activity_net_checks.h"
#include "model/net_store.h"

#include "bench_nets.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using plax::bench::CompleteNet;

void BM_MaximalFlowComplete(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet(state.range(0) != 0 ? plax::DirNetCode : plax::UndirNetCode);
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::ComputeMaximalFlow(net).value);
}
BENCHMARK(BM_MaximalFlowComplete)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_KShortestPathsComplete(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet(plax::UndirNetCode);
    const plax::FixedClock clock("12:00", "08.12.2026");
    plax::RunFlags flags;
    plax::SilentMessages messages;
    const plax::KShortestParameters parameters{static_cast<int>(state.range(0)), 10000, 1};
    for (auto _ : state) {
        plax::LineSink sink(clock, flags);
        plax::TMyWordStack walk;
        plax::KShortestPaths(net, &walk, "bench.net", parameters, {sink, messages});
        benchmark::DoNotOptimize(sink.Lines().size());
    }
}
BENCHMARK(BM_KShortestPathsComplete)->Arg(1)->Arg(15)->Unit(benchmark::kMicrosecond);

void BM_CriticalPathCompleteActivityNet(benchmark::State& state) {
    plax::NetWorkType net = CompleteNet(plax::DirNetCode, true);
    const plax::FixedClock clock("12:00", "08.12.2026");
    plax::RunFlags flags;
    plax::SilentMessages messages;
    plax::MarkingBuffer marks;
    for (auto _ : state) {
        std::vector<plax::EdgeMark> cycle;
        plax::LineSink sink(clock, flags);
        benchmark::DoNotOptimize(plax::ActivityNetReady(net, messages, cycle));
        benchmark::DoNotOptimize(plax::CriticalPath(net, marks, "bench.net", {sink, messages}, {false, {}}));
    }
}
BENCHMARK(BM_CriticalPathCompleteActivityNet)->Unit(benchmark::kMicrosecond);

} // namespace
