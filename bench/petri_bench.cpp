// The reachability analysis at 10^5, 10^6 and 10^7 markings beside a tight breadth-first search
// written here for the same nets (packed 64-bit markings inline in an open-addressing table kept
// half full, no parents, no arcs), in alternating rounds, each run in a process of its own: the medians of
// their times, their ratio and the peak bytes per marking of each. Then
// the invariants and the coverability graph of every 15-point Petri net in the tests' data.
#include "process_memory.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "model/user_messages.h"
#include "petri/coverability.h"
#include "petri/firing_rules.h"
#include "petri/invariants.h"
#include "petri/marking_graph.h"
#include "petri/petri_net.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Three pairs of places, each pair joined both ways by a transition: (a + 1) (b + 1) (c + 1)
// markings, with up to 6 firings out of each.
plax::NetWorkType ThreeCounters(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
    plax::NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, plax::DirNetCode);
    const std::uint16_t tokens[] = {a, b, c};
    for (int k = 0; k < 3; ++k) {
        const int first = 4 * k + 1;
        net.n = static_cast<std::uint8_t>(first + 3);
        for (int i = first; i < first + 4; ++i)
            net.points[static_cast<std::size_t>(i)].shape = i % 2 == 1 ? 0 : 2;
        net.points[static_cast<std::size_t>(first)].tokens = tokens[k];
        // A -> t -> B -> u -> A
        for (auto [from, to] : {std::pair{first, first + 1},
                                {first + 1, first + 2},
                                {first + 2, first + 3},
                                {first + 3, first}}) {
            plax::EdgeType e;
            e.lineWidth = 1;
            plax::InsertEdge(net, from, to, e);
        }
    }
    return net;
}

plax::NetWorkType NetOf(std::int64_t markings) {
    if (markings == 100000) return ThreeCounters(99, 99, 9);
    if (markings == 1000000) return ThreeCounters(99, 99, 99);
    return ThreeCounters(199, 249, 199);
}

// The peak resident memory starts again from what is resident now.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Breadth-first with 8 bits a place, every marking a key of one word in the table (0 empty,
// the top bit marks a full slot) and in the queue.
std::uint64_t ReferenceSearch(const plax::NetWorkType& net) {
    const plax::Rules rules = plax::RulesOf(net);
    std::uint64_t first = 0;
    const std::vector<std::uint16_t> initial = plax::MarkingOf(net, rules);
    for (std::size_t k = 0; k < initial.size(); ++k)
        first |= std::uint64_t{initial[k]} << (8 * k);
    struct Move {
        std::uint64_t need = 0;
        std::uint64_t minus = 0;
        std::uint64_t plus = 0;
    };
    std::vector<Move> moves;
    for (const plax::TransitionRule& t : rules.transitions) {
        Move m;
        for (std::uint8_t i : t.inputs) {
            m.need |= std::uint64_t{0xFF} << (8 * i);
            m.minus += std::uint64_t{1} << (8 * i);
        }
        for (std::uint8_t o : t.outputs)
            m.plus += std::uint64_t{1} << (8 * o);
        moves.push_back(m);
    }
    const std::uint64_t full = std::uint64_t{1} << 63;
    std::vector<std::uint64_t> table(1024, 0);
    std::vector<std::uint64_t> queue;
    std::size_t stored = 0;
    const auto insert = [&](std::uint64_t key) {
        if (2 * (stored + 1) > table.size()) {
            std::vector<std::uint64_t> old(table.size() * 2, 0);
            old.swap(table);
            for (std::uint64_t k : old) {
                if (k == 0) continue;
                std::size_t s = ((k ^ full) * 0x9E3779B97F4A7C15ULL >> 20) & (table.size() - 1);
                while (table[s] != 0)
                    s = (s + 1) & (table.size() - 1);
                table[s] = k;
            }
        }
        std::size_t s = (key * 0x9E3779B97F4A7C15ULL >> 20) & (table.size() - 1);
        for (; table[s] != 0; s = (s + 1) & (table.size() - 1))
            if (table[s] == (key | full)) return;
        table[s] = key | full;
        ++stored;
        queue.push_back(key);
    };
    insert(first);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint64_t key = queue[head];
        for (const Move& m : moves) {
            bool enabled = true;
            for (std::uint64_t field = m.need; field != 0 && enabled; field &= field - 1) {
                const int at = __builtin_ctzll(field) / 8 * 8;
                enabled = ((key >> at) & 0xFF) != 0;
                field &= ~(std::uint64_t{0xFF} << at);
            }
            if (enabled) insert(key - m.minus + m.plus);
        }
    }
    return stored;
}

// What one search in a process of its own measured.
struct ChildMeasure {
    std::uint64_t markings = 0;
    double seconds = 0;
    double peakMiB = 0;
};

std::uint64_t PlaxReachability(const plax::NetWorkType& net) {
    plax::UnstoppedRun run;
    return plax::ExploreMarkings(net, plax::MaxMarkingsLimit, run).markings;
}

// The child's side: "--one-search plax|reference N" runs that search on NetOf(N) and prints what
// it measured.
int RunOneSearch(const std::string& which, std::int64_t size) {
    const plax::NetWorkType net = NetOf(size);
    const double before = plax::bench::StatusMiB("VmRSS:");
    ResetPeak();
    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t markings = which == "plax" ? PlaxReachability(net) : ReferenceSearch(net);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double peak = plax::bench::StatusMiB("VmHWM:") - before;
    return std::printf("%llu %.9f %.6f\n", static_cast<unsigned long long>(markings), seconds, peak) > 0 ? 0
                                                                                                         : 1;
}

std::string SelfPath() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

// Each search runs in a fresh process of this program, as a command-line run does: neither
// inherits the pages the other freed, so both pay for the memory they touch.
ChildMeasure MeasureInChild(const std::string& which, std::int64_t size) {
    const std::string command = SelfPath() + " --one-search " + which + " " + std::to_string(size);
    ChildMeasure m;
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) return m;
    unsigned long long markings = 0;
    if (std::fscanf(out, "%llu %lf %lf", &markings, &m.seconds, &m.peakMiB) != 3) markings = 0;
    m.markings = pclose(out) == 0 ? markings : 0;
    return m;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Plax's reachability and the reference search on the same net in alternating rounds, each run in
// a child process, so a busy moment of the machine slows both alike: the medians of each, their
// ratio, and the peak bytes per marking.
void BM_ReachabilityBesideReference(benchmark::State& state) {
    constexpr int Rounds = 5;
    std::vector<double> plaxSeconds, referenceSeconds, plaxBytes, referenceBytes;
    std::uint64_t markings = 0;
    bool agree = true;
    for (auto _ : state) {
        for (int round = 0; round < Rounds; ++round) {
            ChildMeasure p, r;
            if (round % 2 == 0) p = MeasureInChild("plax", state.range(0));
            r = MeasureInChild("reference", state.range(0));
            if (round % 2 != 0) p = MeasureInChild("plax", state.range(0));
            agree = agree && p.markings != 0 && p.markings == r.markings;
            markings = p.markings;
            plaxSeconds.push_back(p.seconds);
            referenceSeconds.push_back(r.seconds);
            plaxBytes.push_back(p.peakMiB * 1024 * 1024 /
                                static_cast<double>(std::max<std::uint64_t>(1, p.markings)));
            referenceBytes.push_back(r.peakMiB * 1024 * 1024 /
                                     static_cast<double>(std::max<std::uint64_t>(1, r.markings)));
        }
        state.SetIterationTime(Median(plaxSeconds));
    }
    if (!agree) {
        state.SkipWithError("the two searches found different numbers of markings, or a child failed");
        return;
    }
    const double plax = Median(plaxSeconds);
    const double reference = Median(referenceSeconds);
    state.counters["markings"] = static_cast<double>(markings);
    state.counters["plax_ms"] = plax * 1e3;
    state.counters["reference_ms"] = reference * 1e3;
    state.counters["ratio"] = plax / reference;
    state.counters["plax_M_per_s"] = static_cast<double>(markings) / plax / 1e6;
    state.counters["plax_bytes_per_marking"] = Median(plaxBytes);
    state.counters["reference_bytes_per_marking"] = Median(referenceBytes);
}
BENCHMARK(BM_ReachabilityBesideReference)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// The nets of 15 points with a transition among the tests' data.
std::vector<std::pair<std::string, plax::NetWorkType>> FifteenPointPetriNets() {
    std::vector<std::pair<std::string, plax::NetWorkType>> nets;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(PLAX_TEST_DATA_DIR)) {
        if (entry.path().extension() != ".net") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        plax::NetWorkType net;
        const plax::OptionType options;
        plax::SilentMessages messages(true);
        if (!plax::ReadNetBytes(net, bytes, entry.path().string(), options, messages) || net.n != 15)
            continue;
        bool transition = false;
        for (int p = 1; p <= net.n; ++p)
            transition = transition || plax::IsTransition(net.points[static_cast<std::size_t>(p)]);
        if (transition) nets.emplace_back(entry.path().filename().string(), std::move(net));
    }
    std::sort(nets.begin(), nets.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return nets;
}

void BM_InvariantsAndCoverability(benchmark::State& state) {
    const auto nets = FifteenPointPetriNets();
    const auto& [name, net] = nets.at(static_cast<std::size_t>(state.range(0)));
    state.SetLabel(name);
    for (auto _ : state) {
        plax::UnstoppedRun run;
        benchmark::DoNotOptimize(plax::ComputeInvariants(net));
        benchmark::DoNotOptimize(plax::BuildCoverability(net, plax::DefaultMaxMarkings, run));
    }
}
BENCHMARK(BM_InvariantsAndCoverability)
    ->DenseRange(0, static_cast<int>(FifteenPointPetriNets().size()) - 1)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--one-search")
        return RunOneSearch(argv[2], std::atoll(argv[3]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
