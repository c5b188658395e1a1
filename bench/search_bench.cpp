// The searches a user waits for, on 15-point nets: the salesman, the exact clique, cover and
// colouring searches, the output-bound listings (Hamiltonian cycles, automorphisms) with the
// share of the run spent polling, and how soon a search returns once Stop is pressed.
#include "accounts/automorphisms_account.h"
#include "accounts/density_account.h"
#include "accounts/hamiltonian_account.h"
#include "accounts/results_sink.h"
#include "algorithms/run_control.h"
#include "algorithms/tour_search.h"
#include "model/net_store.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace {

using plax::NetWorkType;
using Clock = std::chrono::steady_clock;

class NoMessages : public plax::UserMessages {
public:
    void Warning(const std::string&) override {}
    void Error(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
};

// The processor time of this thread: the other builds on the machine do not count.
double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Counts the lines and drops them. Presses Stop after `lineLimit` lines, or at the first poll
// once the thread has run until `pressAt`; `clockPolls` makes each poll read the clock as the
// command line's sink does.
class DiscardingSink : public plax::ResultsSink {
public:
    DiscardingSink(const plax::Clock& clock, plax::RunFlags& flags) : ResultsSink(clock, flags) {}
    long long lines = 0;
    long long polls = 0;
    long long lineLimit = 0;
    bool clockPolls = false;
    std::optional<double> pressAt;

protected:
    bool DoOpen() override { return true; }
    void DoClear() override {}
    bool DoAddLine(std::string_view) override {
        if (++lines == lineLimit) Flags().stop = 1;
        return true;
    }
    void DoFinish() override {}
    void DoPoll() override {
        ++polls;
        if (pressAt) {
            if (ThreadSeconds() >= *pressAt) Flags().stop = 1;
        } else if (clockPolls) {
            benchmark::DoNotOptimize(Clock::now());
        }
    }
};

NetWorkType MakeNet(bool directed, int n) {
    NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, directed ? plax::DirNetCode : plax::UndirNetCode);
    net.n = static_cast<std::uint8_t>(n);
    net.sourcePoint = 1;
    return net;
}

void Connect(NetWorkType& net, int a, int b, double weight = 1.0) {
    plax::EdgeType e;
    e.weight = weight;
    e.lineWidth = 1;
    plax::InsertEdge(net, a, b, e);
}

NetWorkType CompleteNet(bool directed, unsigned seed) {
    NetWorkType net = MakeNet(directed, plax::MaxPoints);
    std::mt19937 rng(seed);
    for (int i = 1; i <= net.n; ++i) {
        for (int j = directed ? 1 : i + 1; j <= net.n; ++j) {
            if (i != j) Connect(net, i, j, static_cast<double>(1 + rng() % 100));
        }
    }
    return net;
}

NetWorkType RandomNet(double density, unsigned seed) {
    NetWorkType net = MakeNet(false, plax::MaxPoints);
    std::mt19937 rng(seed);
    for (int i = 1; i <= net.n; ++i) {
        for (int j = i + 1; j <= net.n; ++j) {
            if (static_cast<double>(rng() % 1000) < density * 1000.0) Connect(net, i, j);
        }
    }
    return net;
}

// A hub (point 1) joined to every point of a ring of the other n - 1.
NetWorkType Wheel(int n) {
    NetWorkType net = MakeNet(false, n);
    for (int i = 2; i <= n; ++i) {
        Connect(net, 1, i);
        Connect(net, i, i == n ? 2 : i + 1);
    }
    return net;
}

void RunSalesman(NetWorkType& net, DiscardingSink& sink) {
    NoMessages messages;
    plax::MarkingBuffer marks;
    plax::Salesman(net, marks, "bench.net", {sink, messages});
}

void BM_SalesmanComplete15(benchmark::State& state) {
    NetWorkType net = CompleteNet(state.range(1) != 0, static_cast<unsigned>(state.range(0)));
    const plax::FixedClock clock("12:00", "08.12.2026");
    long long lines = 0;
    for (auto _ : state) {
        plax::RunFlags flags;
        DiscardingSink sink(clock, flags);
        RunSalesman(net, sink);
        lines = sink.lines;
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_SalesmanComplete15)
    ->ArgsProduct({{1, 2, 3, 4, 5, 6, 7, 8}, {0, 1}})
    ->ArgNames({"seed", "directed"})
    ->Unit(benchmark::kMillisecond);

// The search alone, with no text: what the Results protocol adds is the difference to the above.
void BM_SalesmanSearchAlone(benchmark::State& state) {
    const NetWorkType net = CompleteNet(state.range(1) != 0, static_cast<unsigned>(state.range(0)));
    std::uint64_t finds = 0;
    for (auto _ : state) {
        plax::UnstoppedRun control;
        finds = plax::SearchTours(net, plax::TourKind::Salesman, control, [](const plax::TourFind& find) {
                    benchmark::DoNotOptimize(find.weight);
                }).finds;
    }
    state.counters["finds"] = static_cast<double>(finds);
}
BENCHMARK(BM_SalesmanSearchAlone)
    ->ArgsProduct({{1, 2, 3, 4, 5, 6, 7, 8}, {0, 1}})
    ->ArgNames({"seed", "directed"})
    ->Unit(benchmark::kMillisecond);

NetWorkType ExactSearchNet(int which) {
    switch (which) {
    case 0: return CompleteNet(false, 1);
    case 1: return MakeNet(false, plax::MaxPoints);
    case 2: return RandomNet(0.2, 2);
    case 3: return RandomNet(0.5, 5);
    case 4: return RandomNet(0.8, 8);
    case 5: return Wheel(6);
    default: return Wheel(plax::MaxPoints);
    }
}

// Nets: 0 complete, 1 empty, 2-4 random at 0.2, 0.5, 0.8, 5 the 5-wheel, 6 a wheel of 15 points.
// Modes 1-4: density, undensity, point cover, colouring.
void BM_ExactSearch(benchmark::State& state) {
    NetWorkType net = ExactSearchNet(static_cast<int>(state.range(0)));
    const auto mode = static_cast<plax::DensityMode>(state.range(1));
    const plax::FixedClock clock("12:00", "08.12.2026");
    NoMessages messages;
    for (auto _ : state) {
        plax::RunFlags flags;
        DiscardingSink sink(clock, flags);
        plax::MarkingBuffer marks;
        plax::Density(net, mode, marks, "bench.net", {sink, messages});
        benchmark::DoNotOptimize(marks);
    }
}
BENCHMARK(BM_ExactSearch)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {1, 2, 3, 4}})
    ->ArgNames({"net", "mode"})
    ->Unit(benchmark::kMicrosecond);

// Output-bound listings on the complete 15-point net, stopped after a fixed number of lines.
// Arg: 0 polls do nothing, 1 polls read the clock as plax-cli's do; the difference is the cost
// of polling.
void RunListing(benchmark::State& state, const std::function<void(NetWorkType&, DiscardingSink&)>& run,
                long long linesPerFind) {
    NetWorkType net = CompleteNet(false, 1);
    const plax::FixedClock clock("12:00", "08.12.2026");
    long long finds = 0;
    long long polls = 0;
    for (auto _ : state) {
        plax::RunFlags flags;
        DiscardingSink sink(clock, flags);
        sink.lineLimit = 200000;
        sink.clockPolls = state.range(0) != 0;
        run(net, sink);
        finds += sink.lines / linesPerFind;
        polls += sink.polls;
    }
    state.counters["finds_per_s"] =
        benchmark::Counter(static_cast<double>(finds), benchmark::Counter::kIsRate);
    state.counters["polls_per_s"] =
        benchmark::Counter(static_cast<double>(polls), benchmark::Counter::kIsRate);
}

void BM_HamiltonianCyclesListing(benchmark::State& state) {
    RunListing(
        state,
        [](NetWorkType& net, DiscardingSink& sink) {
            NoMessages messages;
            plax::MarkingBuffer marks;
            plax::Hamiltonian(net, plax::HamiltonianMode::Cycle, marks, "bench.net", {sink, messages});
        },
        6);
}
BENCHMARK(BM_HamiltonianCyclesListing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_AutomorphismsListing(benchmark::State& state) {
    RunListing(
        state,
        [](NetWorkType& net, DiscardingSink& sink) {
            NoMessages messages;
            plax::Automorphisms(net, plax::AutomorphismOrder::Sorted, "bench.net", {sink, messages});
        },
        1);
}
BENCHMARK(BM_AutomorphismsListing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The 15-point cycle (30 automorphisms among 15! candidates of one class), and a dense net with a
// group of 34,560: the complement of a star of 6 leaves beside a point with 4 leaves and two
// twins, whose ten leaves look alike but form two orbits. Arg 0 picks the net, arg 1 the order
// (0 sorted, 1 plain changes).
NetWorkType AutomorphismNet(int which) {
    NetWorkType net = MakeNet(false, plax::MaxPoints);
    if (which == 0) {
        for (int i = 1; i <= net.n; ++i)
            Connect(net, i, i % net.n + 1);
        return net;
    }
    const std::vector<std::pair<int, int>> sparse = {{1, 2},  {1, 3},  {1, 4},   {1, 5},  {1, 6},
                                                     {1, 7},  {8, 9},  {8, 10},  {8, 11}, {8, 12},
                                                     {8, 13}, {8, 14}, {13, 15}, {14, 15}};
    for (int i = 1; i <= net.n; ++i) {
        for (int j = i + 1; j <= net.n; ++j) {
            if (std::find(sparse.begin(), sparse.end(), std::pair{i, j}) == sparse.end()) Connect(net, i, j);
        }
    }
    return net;
}

void BM_AutomorphismsWhole(benchmark::State& state) {
    NetWorkType net = AutomorphismNet(static_cast<int>(state.range(0)));
    const auto order =
        state.range(1) == 0 ? plax::AutomorphismOrder::Sorted : plax::AutomorphismOrder::PlainChanges;
    const plax::FixedClock clock("12:00", "08.12.2026");
    long long lines = 0;
    for (auto _ : state) {
        plax::RunFlags flags;
        DiscardingSink sink(clock, flags);
        NoMessages messages;
        plax::Automorphisms(net, order, "bench.net", {sink, messages});
        lines = sink.lines;
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_AutomorphismsWhole)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"net", "unsorted"})
    ->Unit(benchmark::kMillisecond);

// Automorphisms per second into a discarding sink on the empty (arg 0) and the complete (arg 1)
// net of 15 points, where every candidate is one; arg 1 picks the order as above.
void BM_AutomorphismsRate(benchmark::State& state) {
    NetWorkType net = state.range(0) == 0 ? MakeNet(false, plax::MaxPoints) : CompleteNet(false, 1);
    const auto order =
        state.range(1) == 0 ? plax::AutomorphismOrder::Sorted : plax::AutomorphismOrder::PlainChanges;
    const plax::FixedClock clock("12:00", "08.12.2026");
    long long finds = 0;
    for (auto _ : state) {
        plax::RunFlags flags;
        DiscardingSink sink(clock, flags);
        sink.lineLimit = 1000000;
        NoMessages messages;
        plax::Automorphisms(net, order, "bench.net", {sink, messages});
        finds += sink.lines;
    }
    state.counters["finds_per_s"] =
        benchmark::Counter(static_cast<double>(finds), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutomorphismsRate)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"complete", "unsorted"})
    ->Unit(benchmark::kMillisecond);

// What one poll costs when it reads the clock, as plax-cli's polls do under --time-limit.
void BM_PollReadingTheClock(benchmark::State& state) {
    const plax::FixedClock clock("12:00", "08.12.2026");
    plax::RunFlags flags;
    DiscardingSink sink(clock, flags);
    sink.clockPolls = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(sink.Poll());
}
BENCHMARK(BM_PollReadingTheClock);

void RunToBeStopped(int which, NetWorkType& net, DiscardingSink& sink) {
    NoMessages messages;
    plax::MarkingBuffer marks;
    switch (which) {
    case 0: plax::Automorphisms(net, plax::AutomorphismOrder::PlainChanges, "b.net", {sink, messages}); break;
    case 1: plax::Automorphisms(net, plax::AutomorphismOrder::Sorted, "b.net", {sink, messages}); break;
    case 2: plax::Hamiltonian(net, plax::HamiltonianMode::Cycle, marks, "b.net", {sink, messages}); break;
    case 3: plax::Hamiltonian(net, plax::HamiltonianMode::Path, marks, "b.net", {sink, messages}); break;
    case 4: plax::Salesman(net, marks, "b.net", {sink, messages}); break;
    default: plax::Density(net, plax::DensityMode::Coloring, marks, "b.net", {sink, messages}); break;
    }
}

// The processor time from pressing Stop to the search returning, on the complete 15-point net
// (weights 1..100). Searches: 0 automorphisms (plain changes) and 1 (sorted), 2 Hamiltonian
// cycles, 3 paths, 4 salesman, 5 colouring. Stop is pressed after the second argument in
// microseconds of the run; a search that ends before shows 0. Processor time, because the other
// programs on the machine would otherwise count too.
void BM_StopLatency(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    NetWorkType net = CompleteNet(false, 1);
    const plax::FixedClock clock("12:00", "08.12.2026");
    double worst = 0.0;
    for (auto _ : state) {
        plax::RunFlags flags;
        DiscardingSink sink(clock, flags);
        const double press = ThreadSeconds() + static_cast<double>(state.range(1)) * 1e-6;
        sink.pressAt = press;
        RunToBeStopped(which, net, sink);
        const double latency = std::max(ThreadSeconds() - press, 0.0);
        state.SetIterationTime(latency);
        worst = std::max(worst, latency);
    }
    state.counters["worst_ms"] = worst * 1000.0;
}
BENCHMARK(BM_StopLatency)
    ->Args({0, 20000})
    ->Args({1, 20000})
    ->Args({2, 20000})
    ->Args({3, 20000})
    ->Args({4, 200})
    ->Args({4, 1000})
    ->Args({5, 0})
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

} // namespace
