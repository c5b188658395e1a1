#pragma once

// Nets of every size and kind with every stored field at random, sub-nets two levels deep, from
// a fixed seed: what the round trips of the file formats are tried on.
#include "model/net_store.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace plax::testing {

class RandomNets {
public:
    explicit RandomNets(unsigned seed) : rng_(seed) {}

    // Names of printable Latin-1 without backslashes, as text formats carry them.
    void UseTextNames() { textNames_ = true; }
    // Names of any byte but NUL, which no text format carries.
    void UseNamesWithoutNul() { noNul_ = true; }

    NetWorkType Make(bool undirected, int depth) {
        NetWorkType net;
        NetInit(net);
        SetNetKind(net, undirected ? UndirNetCode : DirNetCode);
        net.n = static_cast<std::uint8_t>(Int(depth == 0 ? 1 : 0, MaxPoints));
        net.defaultOptions = Options(15, 10);
        for (int i = 1; i <= net.n; ++i)
            net.points[static_cast<std::size_t>(i)] = Point(net);
        const int edges = Int(0, net.n * (net.n - 1) / (undirected ? 2 : 1));
        for (int k = 0; k < edges; ++k) {
            const int from = Int(1, net.n);
            const int to = Int(1, net.n);
            if (!InsertEdge(net, from, to, Edge())) continue;
            if (depth < 2 && Int(0, 4) == 0) {
                SetSubNet(net, from, to, std::make_shared<NetWorkType>(Make(Int(0, 1) == 1, depth + 1)));
            }
        }
        return net;
    }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(rng_()); }

    std::string Name() {
        std::string s(static_cast<std::size_t>(Int(0, 20)), ' ');
        for (char& c : s) {
            c = static_cast<char>(textNames_ ? Int(32, 255) : Int(noNul_ ? 1 : 0, 255));
            if (textNames_ && c == '\\') c = '/';
        }
        return s;
    }

    double Weight() {
        switch (Int(0, 4)) {
        case 0: return 0.0;
        case 1: return MaxWeight;
        case 2: return Int(0, 1000) / 8.0;
        case 3: return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
        default: return std::uniform_real_distribution<double>(0.0, MaxWeight)(rng_);
        }
    }

    PointOptionType Options(int maxRadius, int maxFont) {
        PointOptionType o;
        o.radius = static_cast<std::uint16_t>(Int(0, maxRadius));
        o.fontSize = static_cast<std::uint16_t>(Int(0, maxFont));
        o.showBorder = static_cast<std::uint8_t>(Int(0, 1));
        o.doubleBorder = static_cast<std::uint8_t>(Int(0, 1));
        o.coloredBorder = static_cast<std::uint8_t>(Int(0, 1));
        o.showNumber = static_cast<std::uint8_t>(Int(0, 1));
        o.fillPoint = static_cast<std::uint8_t>(Int(0, 1));
        o.borderColor = U32();
        ApplyFillPointRule(o);
        return o;
    }

    PointType Point(const NetWorkType& net) {
        PointType p;
        p.color = U32();
        p.reserved = static_cast<std::uint16_t>(Int(0, 255));
        p.shape = static_cast<std::uint16_t>(Int(0, 7));
        p.name = Name();
        p.tokens = static_cast<std::uint16_t>(Int(0, MaxTokens));
        p.weight = Int(0, 5) == 0 ? -Weight() : Weight();
        p.x = Int(-32768, 32767);
        p.y = Int(-32768, 32767);
        p.labelPosition = static_cast<std::uint32_t>(Int(0, 7));
        p.customOptions = static_cast<std::uint8_t>(Int(0, 1));
        p.options = p.customOptions != 0 ? Options(65535, 65535) : net.defaultOptions;
        return p;
    }

    EdgeType Edge() {
        EdgeType e;
        e.weight = Weight();
        e.flow = Int(0, 1) == 0 ? Weight() : -Weight();
        e.color = U32();
        e.reserved = static_cast<std::uint32_t>(Int(0, 255));
        e.name = Name();
        e.shape = static_cast<std::uint32_t>(Int(0, 4));
        e.lineWidth = static_cast<std::uint8_t>(Int(0, 4));
        e.lineStyle = e.lineWidth == 1 ? static_cast<std::uint32_t>(Int(0, 4)) : 0;
        return e;
    }

    std::mt19937 rng_;
    bool textNames_ = false;
    bool noNul_ = false;
};

// A plain net of `n` points for the procedures' tests: each pair joined with chance `density`
// (one way only when undirected), the edges inserted in shuffled order so that the lists come
// in no particular order, each weight drawn by `weight(rng)`. Fixed seeds keep every run the same.
template <class Weight>
NetWorkType RandomNet(std::mt19937& rng, bool directed, int n, double density, Weight&& weight,
                      const std::string& name = "random") {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, directed ? DirNetCode : UndirNetCode);
    net.name = name;
    net.n = static_cast<std::uint8_t>(n);
    std::vector<std::pair<int, int>> pairs;
    std::bernoulli_distribution take(density);
    for (int i = 1; i <= n; ++i) {
        for (int j = directed ? 1 : i + 1; j <= n; ++j) {
            if (i != j && take(rng)) pairs.emplace_back(i, j);
        }
    }
    std::shuffle(pairs.begin(), pairs.end(), rng);
    for (const auto& [from, to] : pairs) {
        EdgeType e;
        e.weight = weight(rng);
        e.name = "No Name";
        e.lineWidth = 1;
        InsertEdge(net, from, to, e);
    }
    return net;
}

// The same with whole weights from 1 to `maxWeight`.
inline NetWorkType RandomNet(std::mt19937& rng, bool directed, int n, double density, int maxWeight = 1) {
    return RandomNet(rng, directed, n, density, [maxWeight](std::mt19937& r) {
        return static_cast<double>(std::uniform_int_distribution<int>(1, maxWeight)(r));
    });
}

} // namespace plax::testing
