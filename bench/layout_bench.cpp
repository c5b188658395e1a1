// Standard nets and automatic layout: every generator at its largest, and the spring embedder on
// fifteen points.
#include "model/net_layout.h"
#include "model/net_templates.h"

#include "bench_nets.h"

#include <benchmark/benchmark.h>

namespace {

// Each kind at (or near) fifteen points, random weights where it has edges to weigh.
plax::TemplateParams Largest(plax::NetTemplate kind) {
    using T = plax::NetTemplate;
    plax::TemplateParams p;
    p.kind = kind;
    p.weights = plax::WeightRule::RandomRange;
    switch (kind) {
    case T::Star:
    case T::Wheel: p.n = 14; break;
    case T::CompleteBipartite: p.n = 8, p.m = 7; break;
    case T::Grid: p.n = 3, p.m = 5; break;
    case T::Hypercube: p.n = 3; break;
    case T::RandomGnm: p.n = 15, p.m = 40; break;
    case T::ProducerConsumer: p.m = 3; break;
    default: p.n = 15; break;
    }
    return p;
}

void BM_GenerateNet(benchmark::State& state) {
    const auto kind = static_cast<plax::NetTemplate>(state.range(0));
    const plax::TemplateParams params = Largest(kind);
    const plax::OptionType options;
    state.SetLabel(std::string(plax::NetTemplateNames[static_cast<std::size_t>(kind)].cli));
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::GenerateNet(params, options));
}
BENCHMARK(BM_GenerateNet)->DenseRange(0, static_cast<int>(plax::NetTemplateCount) - 1);

void BM_LayoutNet(benchmark::State& state) {
    const plax::NetWorkType complete = plax::bench::CompleteNet(plax::UndirNetCode);
    plax::LayoutOptions options;
    options.kind = static_cast<plax::LayoutKind>(state.range(0));
    const plax::LayoutArea area = plax::VisibleLayoutArea(593, 326);
    for (auto _ : state) {
        plax::NetWorkType net = complete;
        benchmark::DoNotOptimize(plax::LayoutNet(net, area, options));
    }
}
// Circle, grid, layered, force-directed.
BENCHMARK(BM_LayoutNet)->DenseRange(0, 3);

} // namespace
