#include "recording_messages.h"

#include "example_nets.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "model/real48.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

namespace plax {
namespace {

using testing::RecordingMessages;

class RandomNets {
public:
    explicit RandomNets(unsigned seed) : rng_(seed) {}

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
        for (char& c : s)
            c = static_cast<char>(Int(0, 255));
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
};

NetWorkType Read(const std::string& bytes) {
    NetWorkType net;
    RecordingMessages messages;
    EXPECT_TRUE(ReadNetBytes(net, bytes, "r.net", OptionType{}, messages));
    EXPECT_TRUE(messages.calls.empty());
    return net;
}

double Stored(double v) { return Real48ToDouble(*DoubleToReal48(v)); }

void ExpectSameEdges(const EdgeType& a, const EdgeType& b) {
    EXPECT_EQ(a.target, b.target);
    EXPECT_EQ(Stored(a.weight), b.weight);
    EXPECT_EQ(Stored(a.flow), b.flow);
    EXPECT_EQ(a.color, b.color);
    EXPECT_EQ(a.reserved, b.reserved);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.shape, b.shape);
    EXPECT_EQ(a.lineWidth, b.lineWidth);
    EXPECT_EQ(a.lineStyle, b.lineStyle);
    EXPECT_EQ(a.subNet == nullptr, b.subNet == nullptr);
}

// The loaded net holds what was saved; a load reverses every directed list.
void ExpectSameNet(const NetWorkType& saved, const NetWorkType& loaded) {
    ASSERT_EQ(saved.n, loaded.n);
    EXPECT_EQ(saved.kindName, loaded.kindName);
    EXPECT_EQ(saved.defaultOptions, loaded.defaultOptions);
    for (int i = 1; i <= saved.n; ++i) {
        PointType expected = saved.points[static_cast<std::size_t>(i)];
        expected.weight = Stored(expected.weight);
        EXPECT_EQ(expected, loaded.points[static_cast<std::size_t>(i)]) << "point " << i;
        EdgeList a = saved.lists[static_cast<std::size_t>(i)];
        const EdgeList& b = loaded.lists[static_cast<std::size_t>(i)];
        ASSERT_EQ(a.size(), b.size());
        if (IsUndirected(saved)) {
            for (const EdgeType& e : b) {
                const auto it =
                    std::find_if(a.begin(), a.end(), [&](auto& x) { return x.target == e.target; });
                ASSERT_NE(it, a.end());
                ExpectSameEdges(*it, e);
                if (it->subNet) ExpectSameNet(*it->subNet, *e.subNet);
            }
        } else {
            std::reverse(a.begin(), a.end());
            for (std::size_t k = 0; k < a.size(); ++k) {
                ExpectSameEdges(a[k], b[k]);
                if (a[k].subNet) ExpectSameNet(*a[k].subNet, *b[k].subNet);
            }
        }
    }
}

TEST(NetFileRoundTrip, RandomNetsSurviveTwoLoadsByteForByte) {
    RandomNets random(20261208);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const NetWorkType net = random.Make(round % 2 == 0, 0);
        const auto first = NetFileBytes(net);
        ASSERT_TRUE(first.has_value());
        const NetWorkType once = Read(*first);
        ExpectSameNet(net, once);
        const auto second = NetFileBytes(once);
        ASSERT_TRUE(second.has_value());
        const auto third = NetFileBytes(Read(*second));
        ASSERT_TRUE(third.has_value());
        EXPECT_EQ(*third, *first);
    }
}

TEST(NetFileRoundTrip, ASubNetComesBackOnBothEntries) {
    RandomNets random(7);
    NetWorkType net;
    do {
        net = random.Make(true, 0);
    } while ([&] {
        for (int i = 1; i <= net.n; ++i) {
            for (const auto& e : net.lists[static_cast<std::size_t>(i)]) {
                if (e.subNet) return false;
            }
        }
        return true;
    }());
    const NetWorkType loaded = Read(*NetFileBytes(net));
    for (int i = 1; i <= loaded.n; ++i) {
        for (const auto& e : loaded.lists[static_cast<std::size_t>(i)]) {
            EXPECT_EQ(GetSubNet(loaded, e.target, i), e.subNet);
        }
    }
}

TEST(Examples, TheSampleFilesAreWhatTheGeneratorWrites) {
    for (const auto& example : examples::ExampleNets()) {
        SCOPED_TRACE(example.fileName);
        std::ifstream in(std::string(PLAX_EXAMPLES_DIR) + "/" + example.fileName, std::ios::binary);
        const std::string onDisk(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(onDisk, NetFileBytes(example.net).value_or(""));
        const NetWorkType loaded = Read(onDisk);
        EXPECT_GT(EdgeCount(loaded), 0);
    }
}

} // namespace
} // namespace plax
