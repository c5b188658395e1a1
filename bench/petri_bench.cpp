// The reachability analysis on a net with exactly 100000 reachable markings: time per run, and
// the memory it takes at its peak.
#include "process_memory.h"

#include "model/net_store.h"
#include "petri/marking_graph.h"

#include <benchmark/benchmark.h>

namespace {

// Three pairs of places, each pair joined both ways by a transition: A1 holds 99 tokens, A2 99,
// A3 9, so (99 + 1) * (99 + 1) * (9 + 1) = 100000 markings, with 6 firings out of most.
plax::NetWorkType ThreeCounters() {
    plax::NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, plax::DirNetCode);
    const std::uint16_t tokens[] = {99, 99, 9};
    for (int k = 0; k < 3; ++k) {
        const int a = 4 * k + 1;
        net.n = static_cast<std::uint8_t>(a + 3);
        for (int i = a; i < a + 4; ++i)
            net.points[static_cast<std::size_t>(i)].shape = i % 2 == 1 ? 0 : 2;
        net.points[static_cast<std::size_t>(a)].tokens = tokens[k];
        // A -> t -> B -> u -> A
        for (auto [from, to] : {std::pair{a, a + 1}, {a + 1, a + 2}, {a + 2, a + 3}, {a + 3, a}}) {
            plax::EdgeType e;
            e.lineWidth = 1;
            plax::InsertEdge(net, from, to, e);
        }
    }
    return net;
}

void BM_Reachability100000(benchmark::State& state) {
    const plax::NetWorkType net = ThreeCounters();
    const double before = plax::bench::StatusMiB("VmRSS:");
    std::uint64_t markings = 0;
    for (auto _ : state) {
        plax::UnstoppedRun run;
        const plax::ReachabilityResult result = plax::ExploreMarkings(net, plax::DefaultMaxMarkings, run);
        markings = result.markings;
        benchmark::DoNotOptimize(result.notReturning);
    }
    state.counters["markings"] = static_cast<double>(markings);
    state.counters["peak_MiB"] = plax::bench::StatusMiB("VmHWM:") - before;
}
BENCHMARK(BM_Reachability100000)->Unit(benchmark::kMillisecond);

} // namespace
