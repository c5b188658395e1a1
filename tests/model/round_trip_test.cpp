#include "random_nets.h"
#include "recording_messages.h"

#include "example_nets.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "model/real48.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace plax {
namespace {

using testing::RandomNets;
using testing::RecordingMessages;

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
