// The symmetry group's order and orbits against hand-known groups and nauty's dreadnaut, and its
// generators checked by definition: each maps edges onto edges, and together they make a group of
// the order given.
#include "algorithms/symmetry_group.h"

#include "geng_nets.h"
#include "net_builders.h"
#include "random_nets.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace plax::testing {
namespace {

using Image = std::vector<int>;

bool MapsEdgesOntoEdges(const NetWorkType& net, const Image& g) {
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            const bool edge = FindEdge(net, i, j) != nullptr;
            if (edge != (FindEdge(net, g[static_cast<std::size_t>(i - 1)],
                                  g[static_cast<std::size_t>(j - 1)]) != nullptr))
                return false;
        }
    }
    return true;
}

// The group the generators make, by closing under composition (small groups only).
std::size_t ClosureSize(const std::vector<Image>& generators, int n) {
    Image identity(static_cast<std::size_t>(n));
    for (int p = 1; p <= n; ++p)
        identity[static_cast<std::size_t>(p - 1)] = p;
    std::set<Image> group{identity};
    std::vector<Image> frontier{identity};
    while (!frontier.empty()) {
        const Image a = frontier.back();
        frontier.pop_back();
        for (const Image& g : generators) {
            Image c(a.size());
            for (std::size_t k = 0; k < a.size(); ++k)
                c[k] = g[static_cast<std::size_t>(a[k] - 1)];
            if (group.insert(c).second) frontier.push_back(c);
        }
    }
    return group.size();
}

NetWorkType Cycle(int n) {
    NetWorkType net = MakeNet(UndirNetCode, n, "cycle");
    for (int p = 1; p <= n; ++p)
        Connect(net, p, p % n + 1);
    return net;
}

NetWorkType Petersen() {
    NetWorkType net = MakeNet(UndirNetCode, 10, "petersen");
    for (int p = 1; p <= 5; ++p) {
        Connect(net, p, p % 5 + 1);
        Connect(net, p, p + 5);
        Connect(net, p + 5, (p + 1) % 5 + 6);
    }
    return net;
}

NetWorkType FromEdges(std::uint16_t kind, int n, const std::vector<std::pair<int, int>>& edges) {
    NetWorkType net = MakeNet(kind, n, "net");
    for (const auto& [a, b] : edges)
        Connect(net, a, b);
    return net;
}

NetWorkType Complete(int n) {
    NetWorkType net = MakeNet(UndirNetCode, n, "complete");
    for (int a = 1; a <= n; ++a) {
        for (int b = a + 1; b <= n; ++b)
            Connect(net, a, b);
    }
    return net;
}

TEST(SymmetryGroup, HandKnownGroups) {
    constexpr std::uint64_t Factorial15 = 1307674368000;
    struct Case {
        const char* what;
        NetWorkType net;
        std::uint64_t order;
        std::vector<std::vector<int>> orbits;
    };
    const std::vector<Case> cases = {
        {"path 1-2-3", FromEdges(UndirNetCode, 3, {{1, 2}, {2, 3}}), 2, {{1, 3}, {2}}},
        {"directed cycle", FromEdges(DirNetCode, 3, {{1, 2}, {2, 3}, {3, 1}}), 3, {{1, 2, 3}}},
        {"star", FromEdges(UndirNetCode, 5, {{1, 2}, {1, 3}, {1, 4}, {1, 5}}), 24, {{1}, {2, 3, 4, 5}}},
        {"asymmetric",
         FromEdges(UndirNetCode, 6, {{1, 2}, {2, 3}, {2, 6}, {3, 4}, {3, 6}, {4, 5}}),
         1,
         {{1}, {2}, {3}, {4}, {5}, {6}}},
        {"K3,3",
         FromEdges(UndirNetCode, 6, {{1, 4}, {1, 5}, {1, 6}, {2, 4}, {2, 5}, {2, 6}, {3, 4}, {3, 5}, {3, 6}}),
         72,
         {{1, 2, 3, 4, 5, 6}}},
        {"Petersen", Petersen(), 120, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}},
        {"C15", Cycle(15), 30, {}},
        {"K15", Complete(15), Factorial15, {}},
        {"empty 15", MakeNet(UndirNetCode, 15, "empty"), Factorial15, {}},
        {"one point", MakeNet(DirNetCode, 1, "one"), 1, {{1}}},
        {"no points", MakeNet(UndirNetCode, 0, "none"), 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SymmetryGroup group = ComputeSymmetryGroup(c.net);
        EXPECT_EQ(group.order, c.order);
        if (!c.orbits.empty()) {
            EXPECT_EQ(group.orbits, c.orbits);
        }
        EXPECT_LT(group.generators.size(), static_cast<std::size_t>(std::max(1, static_cast<int>(c.net.n))));
        for (const Image& g : group.generators)
            EXPECT_TRUE(MapsEdgesOntoEdges(c.net, g));
        if (c.order <= 5000) {
            EXPECT_EQ(ClosureSize(group.generators, c.net.n), c.order);
        }
    }
}

struct Answer {
    std::uint64_t order = 0;
    std::size_t orbits = 0;
};

// dreadnaut's order and orbit count of every net, from one run over them all; empty when
// dreadnaut is missing.
std::vector<Answer> Dreadnaut(const std::vector<NetWorkType>& nets) {
    const std::filesystem::path input =
        std::filesystem::temp_directory_path() / ("plax-dreadnaut-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(input);
        for (const NetWorkType& net : nets) {
            out << "n=" << int{net.n} << " -a -m " << (IsUndirected(net) ? "-d" : "d") << " g ";
            for (int v = 1; v <= net.n; ++v) {
                out << v - 1 << ":";
                for (int u = 1; u <= net.n; ++u) {
                    if (FindEdge(net, v, u) != nullptr) out << " " << u - 1;
                }
                out << (v == net.n ? " . x\n" : "; ");
            }
        }
    }
    std::vector<Answer> answers;
    const std::string command = "dreadnaut < " + input.string() + " 2>/dev/null";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 256> line{};
    while (pipe && std::fgets(line.data(), static_cast<int>(line.size()), pipe.get()) != nullptr) {
        const std::string text = line.data();
        const auto at = text.find("grpsize=");
        if (at == std::string::npos) continue;
        Answer a;
        a.orbits = std::stoul(text);
        a.order = static_cast<std::uint64_t>(std::llround(std::stod(text.substr(at + 8))));
        answers.push_back(a);
    }
    std::filesystem::remove(input);
    return answers;
}

// Every net of up to eight points up to isomorphism, and random nets of fifteen points, directed
// and not, sparse to dense.
TEST(SymmetryGroup, AgreesWithDreadnaut) {
    std::vector<NetWorkType> nets;
    for (int n = 1; n <= 8; ++n) {
        for (NetWorkType& net : GengNets(n))
            nets.push_back(std::move(net));
    }
    if (nets.empty()) GTEST_SKIP() << "nauty-geng is missing: scripts/install-deps.sh test installs nauty";
    std::mt19937 rng(15);
    for (int trial = 0; trial < 600; ++trial) {
        const double density = std::array{0.05, 0.2, 0.5, 0.8, 0.95}[static_cast<std::size_t>(trial % 5)];
        nets.push_back(RandomNet(rng, trial % 2 == 1, MaxPoints, density, 9));
    }
    nets.push_back(Petersen());
    nets.push_back(Complete(15));
    const std::vector<Answer> answers = Dreadnaut(nets);
    if (answers.empty()) GTEST_SKIP() << "dreadnaut is missing: scripts/install-deps.sh test installs nauty";
    ASSERT_EQ(answers.size(), nets.size());
    for (std::size_t k = 0; k < nets.size(); ++k) {
        const SymmetryGroup group = ComputeSymmetryGroup(nets[k]);
        ASSERT_EQ(group.order, answers[k].order) << "net " << k << " of " << int{nets[k].n} << " points";
        ASSERT_EQ(group.orbits.size(), answers[k].orbits) << "net " << k;
        for (const Image& g : group.generators)
            ASSERT_TRUE(MapsEdgesOntoEdges(nets[k], g)) << "net " << k;
    }
}

} // namespace
} // namespace plax::testing
