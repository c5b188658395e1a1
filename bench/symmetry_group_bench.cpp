// The symmetry group's order and generators beside nauty's dreadnaut on the same nets, in the
// same run: dreadnaut's time per net is that of a run over 2000 copies less a run over one,
// spread over 1999, so its start-up is left out (reading each net is in).
#include "algorithms/symmetry_group.h"

#include "model/net_store.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

using plax::NetWorkType;

NetWorkType Net(int n) {
    NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, plax::UndirNetCode);
    net.n = static_cast<std::uint8_t>(n);
    return net;
}

void Join(NetWorkType& net, int a, int b) {
    plax::EdgeType e;
    e.weight = 1;
    plax::InsertEdge(net, a, b, e);
}

NetWorkType Named(int which) {
    NetWorkType net = Net(which == 0 ? 10 : 15);
    switch (which) {
    case 0: // Petersen
        for (int p = 1; p <= 5; ++p) {
            Join(net, p, p % 5 + 1);
            Join(net, p, p + 5);
            Join(net, p + 5, (p + 1) % 5 + 6);
        }
        break;
    case 1:
        for (int p = 1; p <= 15; ++p)
            Join(net, p, p % 15 + 1);
        break;
    case 2:
        for (int a = 1; a <= 15; ++a) {
            for (int b = a + 1; b <= 15; ++b)
                Join(net, a, b);
        }
        break;
    default: break;
    }
    return net;
}

const char* const Names[] = {"Petersen", "C15", "K15", "empty15"};

void BM_SymmetryGroup(benchmark::State& state) {
    const NetWorkType net = Named(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(plax::ComputeSymmetryGroup(net));
    state.SetLabel(Names[state.range(0)]);
}
BENCHMARK(BM_SymmetryGroup)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

std::string DreadnautInput(const NetWorkType& net) {
    std::string text = "n=" + std::to_string(net.n) + " -a -m g ";
    for (int v = 1; v <= net.n; ++v) {
        text += std::to_string(v - 1) + ":";
        for (int u = 1; u <= net.n; ++u) {
            if (plax::FindEdge(net, v, u) != nullptr) text += " " + std::to_string(u - 1);
        }
        text += v == net.n ? " . x\n" : "; ";
    }
    return text;
}

double DreadnautSeconds(const std::string& one, int copies, const std::filesystem::path& file) {
    {
        std::ofstream out(file);
        for (int k = 0; k < copies; ++k)
            out << one;
    }
    const std::string command = "dreadnaut < " + file.string() + " > /dev/null 2>&1";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return status == 0 ? took.count() : -1;
}

void BM_Dreadnaut(benchmark::State& state) {
    const std::string one = DreadnautInput(Named(static_cast<int>(state.range(0))));
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("plax-bench-dreadnaut-" + std::to_string(::getpid()));
    for (auto _ : state) {
        const double many = DreadnautSeconds(one, 2000, file);
        const double single = DreadnautSeconds(one, 1, file);
        if (many < 0 || single < 0) {
            state.SkipWithError("dreadnaut is missing: scripts/install-deps.sh test installs nauty");
            break;
        }
        state.SetIterationTime(std::max(0.0, many - single) / 1999);
    }
    std::filesystem::remove(file);
    state.SetLabel(Names[state.range(0)]);
}
BENCHMARK(BM_Dreadnaut)->DenseRange(0, 3)->UseManualTime()->Iterations(3)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
