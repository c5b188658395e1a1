#include "interchange/interchange_file.h"

#include "model/net_file.h"
#include "model/net_store.h"

#include "net_builders.h"
#include "random_nets.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace plax {
namespace {

using testing::RandomNets;
using testing::RecordingMessages;

const std::string Examples = PLAX_EXAMPLES_DIR;
const std::string Data = std::string(PLAX_TEST_DATA_DIR) + "/interchange/";
const std::vector<std::string> ExampleNames = {"road", "flow", "project", "railway", "petri"};

NetWorkType LoadExample(const std::string& name) {
    NetWorkType net;
    RecordingMessages messages;
    EXPECT_TRUE(LoadNetFile(net, Examples + "/" + name + ".net", OptionType{}, messages));
    return net;
}

// Equal net file bytes, or where they part.
::testing::AssertionResult SameNetFile(const NetWorkType& a, const NetWorkType& b) {
    const std::string x = NetFileBytes(a).value_or("?");
    const std::string y = NetFileBytes(b).value_or("!");
    if (x == y) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < x.size() && at < y.size() && x[at] == y[at])
        ++at;
    return ::testing::AssertionFailure() << "net files of " << x.size() << " and " << y.size()
                                         << " bytes part at byte " << at << ", in record " << at / 64;
}

NetWorkType Through(InterchangeFormat format, const NetWorkType& net) {
    const auto bytes = InterchangeBytes(format, net);
    EXPECT_TRUE(bytes.has_value());
    NetWorkType back;
    RecordingMessages messages;
    EXPECT_TRUE(ReadInterchangeBytes(format, bytes.value_or(""), "x", OptionType{}, messages, back));
    for (const auto& call : messages.calls)
        ADD_FAILURE() << call.text;
    return back;
}

// Every list in the same order, down through the sub-nets: what the procedures' tie-breaks see.
void ExpectSameLists(const NetWorkType& a, const NetWorkType& b) {
    ASSERT_EQ(a.n, b.n);
    for (int i = 1; i <= a.n; ++i) {
        const EdgeList& x = a.lists[static_cast<std::size_t>(i)];
        const EdgeList& y = b.lists[static_cast<std::size_t>(i)];
        ASSERT_EQ(x.size(), y.size()) << "point " << i;
        for (std::size_t k = 0; k < x.size(); ++k) {
            EXPECT_EQ(x[k].target, y[k].target) << "point " << i << " entry " << k;
            ASSERT_EQ(x[k].subNet == nullptr, y[k].subNet == nullptr);
            if (x[k].subNet) ExpectSameLists(*x[k].subNet, *y[k].subNet);
        }
    }
}

NetWorkType WithoutSubNets(NetWorkType net) {
    for (int i = 1; i <= net.n; ++i) {
        for (EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            e.subNet.reset();
    }
    return net;
}

TEST(Interchange, EveryExampleComesBackByteForByte) {
    for (const std::string& name : ExampleNames) {
        SCOPED_TRACE(name);
        const NetWorkType net = LoadExample(name);
        for (const InterchangeFormat format : {InterchangeFormat::GraphML, InterchangeFormat::NodeLinkJson}) {
            const NetWorkType back = Through(format, net);
            EXPECT_TRUE(SameNetFile(back, net));
            ExpectSameLists(net, back);
            EXPECT_EQ(back.name, name) << "the graph's name is the net's";
        }
        // DOT holds one level.
        const NetWorkType flat = WithoutSubNets(net);
        EXPECT_TRUE(SameNetFile(Through(InterchangeFormat::Dot, net), flat));
    }
}

TEST(Interchange, RandomNetsComeBackByteForByte) {
    for (const InterchangeFormat format :
         {InterchangeFormat::GraphML, InterchangeFormat::NodeLinkJson, InterchangeFormat::Dot}) {
        RandomNets random(20261210);
        // JSON carries every byte of a name but NUL; XML and DOT printable Latin-1.
        if (format != InterchangeFormat::NodeLinkJson) random.UseTextNames();
        random.UseNamesWithoutNul();
        SCOPED_TRACE(static_cast<int>(format));
        for (int round = 0; round < 60; ++round) {
            SCOPED_TRACE(round);
            NetWorkType net;
            RecordingMessages messages;
            // What a net file holds, as a net file gives it back.
            ASSERT_TRUE(ReadNetBytes(net, *NetFileBytes(random.Make(round % 2 == 0, 0)), "r.net",
                                     OptionType{}, messages));
            if (round % 3 == 0) SetNetKind(net, static_cast<std::uint16_t>(round % 2 == 0 ? 0 : 5));
            if (round % 3 == 0 && round % 2 == 0) SetNetKind(net, UndirNetCode);
            if (format == InterchangeFormat::Dot) net = WithoutSubNets(net);
            const NetWorkType back = Through(format, net);
            EXPECT_TRUE(SameNetFile(back, net));
            EXPECT_EQ(back.kindName, net.kindName);
            ExpectSameLists(net, back);
        }
    }
}

TEST(Interchange, TheEdgeListsReadBack) {
    const NetWorkType road = LoadExample("road");
    NetWorkType back;
    RecordingMessages messages;
    // The export of old: N, "i,j,weight" for both directions of an undirected edge, the closing line.
    ASSERT_TRUE(ReadInterchangeBytes(InterchangeFormat::ExportedEdgeList,
                                     *InterchangeBytes(InterchangeFormat::ExportedEdgeList, road), "road.txt",
                                     OptionType{}, messages, back));
    EXPECT_EQ(back.kindName, "undirNet");
    EXPECT_EQ(back.name, "road");
    EXPECT_EQ(EdgeCount(back), EdgeCount(road));
    for (int i = 1; i <= road.n; ++i) {
        for (int j = 1; j <= road.n; ++j)
            EXPECT_EQ(GetEdgeReal(back, EdgeRealWeight, i, j), GetEdgeReal(road, EdgeRealWeight, i, j));
    }
    // A one-way pair makes the net directed.
    ASSERT_TRUE(ReadInterchangeBytes(InterchangeFormat::ExportedEdgeList,
                                     "3\r\n1,2,1.5\r\n2,1,0.25\r\n3,1,2\r\n\"0\",\"0\",\"0\"\r\n", "d.txt",
                                     OptionType{}, messages, back));
    EXPECT_EQ(back.kindName, "dirNet");
    EXPECT_EQ(GetEdgeReal(back, EdgeRealWeight, 2, 1), 0.25);

    // Plain lines with comments: names in order of appearance, a missing weight is 1.
    ASSERT_TRUE(ReadInterchangeBytes(InterchangeFormat::PlainEdgeList,
                                     "# towns\nAsh Birch 4 # the old road\n\nBirch Cedar\nCedar Ash 2.5\n",
                                     "t.edgelist", OptionType{}, messages, back));
    EXPECT_EQ(messages.calls, std::vector<RecordingMessages::Call>{});
    ASSERT_EQ(back.n, 3);
    EXPECT_EQ(back.kindName, "undirNet");
    EXPECT_EQ(back.points[3].name, "Cedar");
    EXPECT_EQ(GetEdgeReal(back, EdgeRealWeight, 3, 2), 1.0);
    EXPECT_EQ(GetEdgeReal(back, EdgeRealWeight, 1, 3), 2.5);
    EXPECT_EQ(back.lists[2][0].name, "No Name");

    // Points without edges are lines of their own, so a net without edges comes back too.
    const NetWorkType lonely = testing::MakeNet(UndirNetCode, 3, "l");
    const auto lines = InterchangeBytes(InterchangeFormat::PlainEdgeList, lonely);
    EXPECT_EQ(lines, "1\n2\n3\n");
    ASSERT_TRUE(ReadInterchangeBytes(InterchangeFormat::PlainEdgeList, lines.value_or(""), "l.edgelist",
                                     OptionType{}, messages, back));
    EXPECT_EQ(back.n, 3);
    EXPECT_EQ(EdgeCount(back), 0);
}

// Names with what each format must escape: quotes, backslashes (one before a quote, one at the
// end), angle brackets, line ends of every kind, a NUL (which no format carries: it becomes "?").
TEST(Interchange, AnyNameComesBackThroughEveryWriter) {
    const std::string alphabet = std::string("ab \\\"<>&'\t\r\n\0\xe9", 15);
    const std::vector<std::string> made = {"a\\\"b", "x\\", "a\rb", std::string("a\0b", 3), "\\\n", "<a\\>"};
    std::mt19937 rng(31);
    for (std::size_t round = 0; round < 300; ++round) {
        std::string name;
        for (std::size_t k = 0, length = 1 + rng() % 20; k < length; ++k)
            name += alphabet[rng() % alphabet.size()];
        if (round < made.size()) name = made[round];
        NetWorkType net = testing::MakeNet(UndirNetCode, 2, "n");
        net.points[1].name = name;
        testing::AddEdge(net, 1, 2, 1.0, name);
        std::string expected = name;
        std::replace(expected.begin(), expected.end(), '\0', '?');
        for (const InterchangeFormat format :
             {InterchangeFormat::GraphML, InterchangeFormat::NodeLinkJson, InterchangeFormat::Dot}) {
            SCOPED_TRACE(::testing::PrintToString(name) + " in format " +
                         std::to_string(static_cast<int>(format)));
            const auto bytes = InterchangeBytes(format, net);
            if (!bytes) {
                // DOT has no form for some names with angle brackets that do not pair up.
                EXPECT_EQ(format, InterchangeFormat::Dot);
                EXPECT_NE(name.find_first_of("<>"), std::string::npos);
                continue;
            }
            NetWorkType back;
            RecordingMessages messages;
            ASSERT_TRUE(ReadInterchangeBytes(format, *bytes, "x", OptionType{}, messages, back))
                << (messages.calls.empty() ? "" : messages.calls[0].text);
            EXPECT_EQ(back.points[1].name, expected);
            ASSERT_NE(FindEdge(back, 1, 2), nullptr);
            EXPECT_EQ(FindEdge(back, 1, 2)->name, expected);
        }
    }
}

// The files networkx and Graphviz wrote (tests/interchange/other_tools.py fixtures), read as they are.
TEST(Interchange, FilesOfOtherToolsLoad) {
    struct Case {
        std::string file;
        InterchangeFormat format;
        const char* kind;
        int from, to;
        double weight;
    };
    const std::vector<Case> cases = {
        {"networkx-towns.graphml", InterchangeFormat::GraphML, "undirNet", 1, 3, 2.5},
        {"networkx-towns.json", InterchangeFormat::NodeLinkJson, "undirNet", 3, 1, 2.5},
        {"networkx-towns.edgelist", InterchangeFormat::PlainEdgeList, "undirNet", 5, 6, 3.0},
        {"graphviz-towns.gv", InterchangeFormat::Dot, "undirNet", 2, 4, 5.0},
        {"networkx-pipes.graphml", InterchangeFormat::GraphML, "dirNet", 3, 2, 1.0},
        {"networkx-pipes.json", InterchangeFormat::NodeLinkJson, "dirNet", 2, 5, 12.0},
        // No pair of the list runs both ways, so nothing says it is directed.
        {"networkx-pipes.edgelist", InterchangeFormat::PlainEdgeList, "undirNet", 4, 2, 6.0},
        {"graphviz-pipes.gv", InterchangeFormat::Dot, "dirNet", 4, 5, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        NetWorkType net;
        RecordingMessages messages;
        ASSERT_TRUE(LoadInterchangeFile(c.format, Data + c.file, OptionType{}, messages, net));
        EXPECT_EQ(net.kindName, c.kind);
        const bool pipes = c.file.find("pipes") != std::string::npos;
        EXPECT_EQ(net.n, pipes ? 5 : 6);
        EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, c.from, c.to), c.weight);
        EXPECT_EQ(EdgeExists(net, c.to, c.from), c.kind == std::string("undirNet"));
        EXPECT_EQ(net.points[1].name, pipes ? "1" : "Ash");
    }
    // dot measures y upwards from the bounding box's bottom: node 1 at 27,306 of a box 324 high.
    NetWorkType laidOut;
    RecordingMessages messages;
    ASSERT_TRUE(LoadInterchangeFile(InterchangeFormat::Dot, Data + "graphviz-pipes.gv", OptionType{},
                                    messages, laidOut));
    EXPECT_EQ(laidOut.points[1].x, 27);
    EXPECT_EQ(laidOut.points[1].y, 18);
    EXPECT_EQ(laidOut.points[1].name, "1");
}

} // namespace
} // namespace plax
