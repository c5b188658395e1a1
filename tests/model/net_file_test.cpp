#include "net_bytes.h"
#include "recording_messages.h"
#include "scratch_dir.h"

#include "model/file_io.h"
#include "model/net_file.h"
#include "model/net_store.h"

#include <gtest/gtest.h>

#include <fstream>

namespace plax {
namespace {

using testing::Begin;
using testing::Edge;
using testing::End;
using testing::Header;
using testing::Point;
using testing::Rec;
using testing::RecordingMessages;

const std::string Path = "/data/road.net";
const std::string Tail = "\r\nLoad Procedure terminated! ";

template <class... Recs> std::string File(const Recs&... recs) { return (std::string() + ... + recs.str()); }

struct Loaded {
    NetWorkType net;
    RecordingMessages messages;
    bool ok = false;
};

Loaded Load(const std::string& bytes, const OptionType& options = OptionType{}) {
    Loaded l;
    l.ok = ReadNetBytes(l.net, bytes, Path, options, l.messages);
    return l;
}

std::vector<RecordingMessages::Call> Warned(const std::string& text) { return {{"warning", text}}; }

TEST(NetFileRead, HeaderFailures) {
    auto badKind = Load(File(Header(2, 1).U8(0, 1), Point(1)));
    EXPECT_FALSE(badKind.ok);
    EXPECT_EQ(badKind.messages.calls, Warned("Invalid Header of the File\r\n" + Path + Tail));
    EXPECT_EQ(badKind.net.n, 0);

    auto badCode = Load(File(Header(6, 0)));
    EXPECT_EQ(badCode.messages.calls, Warned("Invalid Header of the File\r\n" + Path + Tail));

    auto tooMany = Load(File(Header(2, 16)));
    EXPECT_FALSE(tooMany.ok);
    EXPECT_EQ(tooMany.messages.calls,
              Warned("Invalid Header of the File\r\n" + Path + "\r\nToo many Points (N > 15). \r\n" +
                     "Load Procedure terminated! "));
    EXPECT_EQ(tooMany.net.n, 0);

    for (const std::string& bytes : {std::string(), Header(2, 0).str().substr(0, 40)}) {
        auto truncated = Load(bytes);
        EXPECT_FALSE(truncated.ok);
        EXPECT_EQ(truncated.messages.calls, Warned("Invalid format of the File\r\n" + Path + Tail));
    }
}

TEST(NetFileRead, PointFailuresKeepThePointsReadSoFar) {
    auto badNumber = Load(File(Header(2, 3), Point(1, 5, 6), Point(0)));
    EXPECT_FALSE(badNumber.ok);
    EXPECT_EQ(badNumber.messages.calls, Warned("Invalid format of the Point Record\r\n" + Path + Tail));
    EXPECT_EQ(badNumber.net.n, 3);
    EXPECT_EQ(badNumber.net.points[1].x, 5);

    auto beyondN = Load(File(Header(2, 2), Point(3)));
    EXPECT_EQ(beyondN.messages.calls, Warned("Invalid format of the Point Record\r\n" + Path + Tail));

    auto edgeInstead = Load(File(Header(2, 2), Point(1), Edge(1, 2)));
    EXPECT_EQ(edgeInstead.messages.calls, Warned("Invalid format of the Point Record\r\n" + Path + Tail));

    auto missing = Load(File(Header(2, 2), Point(1)));
    EXPECT_EQ(missing.messages.calls, Warned("Invalid format of the File\r\n" + Path + Tail));
}

TEST(NetFileRead, EdgeFailuresKeepPointsAndEarlierEdges) {
    const std::string start = File(Header(3, 3), Point(1), Point(2), Point(3), Edge(1, 2));
    const std::string edgeMessage = "Invalid format of the Edge Record\r\n" + Path + Tail;
    for (const Rec& bad : {Edge(3, 3), Edge(0, 1), Edge(1, 4), Edge(1, 2, -1.0), Edge(2, 3, 1.5e38),
                           Edge(2, 3).U8(0, 7), Edge(2, 3).U8(0, 2)}) {
        auto l = Load(start + bad.str() + Edge(2, 3).str());
        EXPECT_FALSE(l.ok);
        EXPECT_EQ(l.messages.calls, Warned(edgeMessage));
        EXPECT_EQ(l.net.n, 3);
        EXPECT_TRUE(EdgeExists(l.net, 1, 2));
        EXPECT_FALSE(EdgeExists(l.net, 2, 3));
    }
    auto limit = Load(start + Edge(2, 3, 1.0E38).str() + Edge(3, 1, 0.0).str());
    EXPECT_TRUE(limit.ok);
    EXPECT_EQ(GetEdgeReal(limit.net, EdgeRealWeight, 2, 3), Real48ToDouble(*DoubleToReal48(1.0E38)));

    auto partial = Load(start + Edge(2, 3).str().substr(0, 63));
    EXPECT_EQ(partial.messages.calls, Warned("Invalid format of the File\r\n" + Path + Tail));
    EXPECT_TRUE(EdgeExists(partial.net, 1, 2));
}

TEST(NetFileRead, DuplicateEdgesAreIgnoredAndListsComeBackReversed) {
    auto l = Load(File(Header(2, 3), Point(1), Point(2), Point(3), Edge(1, 2, 4.0), Edge(2, 3, 5.0),
                       Edge(2, 1, 9.0), Edge(1, 2, 8.0), Edge(1, 3, 6.0)));
    ASSERT_TRUE(l.ok);
    EXPECT_TRUE(l.messages.calls.empty());
    EXPECT_EQ(EdgeCount(l.net), 3);
    EXPECT_EQ(GetEdgeReal(l.net, EdgeRealWeight, 2, 1), 4.0);
    EXPECT_EQ(Neighbour(l.net, 1, 1), 3);
    EXPECT_EQ(Neighbour(l.net, 1, 2), 2);
    EXPECT_EQ(Neighbour(l.net, 2, 1), 3);
    EXPECT_EQ(Neighbour(l.net, 2, 2), 1);
    EXPECT_EQ(Neighbour(l.net, 3, 1), 1);
    EXPECT_EQ(Neighbour(l.net, 3, 2), 2);
}

TEST(NetFileRead, FieldsAndTheirClamps) {
    const Real48 huge = *DoubleToReal48(1.5e38);
    auto l = Load(File(Header(3, 3),
                       Rec(2)
                           .U8(1, 9)
                           .U16(2, 1)
                           .RawReal(4, huge)
                           .U32(10, 0x00123456)
                           .U8(14, 200)
                           .Name(15, "Alpha")
                           .U16(36, 0xFFFB)
                           .U16(38, 300)
                           .U16(40, 65000)
                           .U8(42, 8)
                           .U8(43, 0),
                       Rec(2)
                           .U8(1, 7)
                           .U16(2, 2)
                           .Real(4, 2.5)
                           .U16(40, 60000)
                           .U8(42, 7)
                           .U8(43, 1)
                           .U16(44, 30)
                           .U16(46, 12)
                           .U8(48, 1)
                           .U8(49, 1)
                           .U8(50, 1)
                           .U8(51, 0)
                           .U8(52, 1)
                           .U32(56, 0xABCDEF),
                       Rec(2).U16(2, 3).Real(4, -2.0).U8(43, 1).U8(48, 1).U8(51, 1).U8(52, 1),
                       Rec(1)
                           .U8(1, 7)
                           .U16(2, 1)
                           .U16(4, 2)
                           .Real(6, 2.0)
                           .Real(12, -3.5)
                           .U32(18, 0xFF)
                           .U8(22, 3)
                           .Name(23, std::string("Main\xE9") + "Rd")
                           .U8(44, 5)
                           .U8(45, 3),
                       Rec(1).U8(1, 4).U16(2, 2).U16(4, 3).U8(44, 2).U8(45, 3),
                       Rec(1).U8(1, 3).U16(2, 3).U16(4, 1).U8(44, 1).U8(45, 4),
                       Rec(1).U16(2, 1).U16(4, 3).U8(44, 1).U8(45, 5).Name(23, "x").U8(23, 40)));
    ASSERT_TRUE(l.ok) << l.messages.calls.size();
    EXPECT_EQ(l.net.kindName, "dirNet");
    EXPECT_EQ(l.net.name, "road");
    const PointType& p1 = l.net.points[1];
    EXPECT_EQ(p1.shape, 0) << "shape 9 is out of range";
    EXPECT_EQ(p1.weight, 1.0) << "a weight above 1.0E38 loads as 1.0";
    EXPECT_EQ(p1.color, 0x00123456u);
    EXPECT_EQ(p1.reserved, 200);
    EXPECT_EQ(p1.name, "Alpha");
    EXPECT_EQ(p1.x, -5);
    EXPECT_EQ(p1.y, 300);
    EXPECT_EQ(p1.tokens, 1) << "65000 tokens load as 1";
    EXPECT_EQ(p1.labelPosition, 0u);
    EXPECT_EQ(p1.options, l.net.defaultOptions);
    const PointType& p2 = l.net.points[2];
    EXPECT_EQ(p2.shape, 7);
    EXPECT_EQ(p2.weight, 2.5);
    EXPECT_EQ(p2.tokens, 60000);
    EXPECT_EQ(p2.labelPosition, 7u);
    EXPECT_EQ(p2.options.radius, 30) << "a custom block is taken as it is";
    EXPECT_EQ(p2.options.fontSize, 12);
    EXPECT_EQ(p2.options.doubleBorder, 1);
    EXPECT_EQ(p2.options.coloredBorder, 1);
    EXPECT_EQ(p2.options.fillPoint, 1);
    EXPECT_EQ(p2.options.borderColor, 0xABCDEFu);
    EXPECT_EQ(l.net.points[3].weight, -2.0);
    EXPECT_EQ(l.net.points[3].options.fillPoint, 0) << "no fill with the number shown";

    const EdgeType& e12 = *FindEdge(l.net, 1, 2);
    EXPECT_EQ(e12.shape, 0u);
    EXPECT_EQ(e12.flow, -3.5);
    EXPECT_EQ(e12.color, 0xFFu);
    EXPECT_EQ(e12.reserved, 3u);
    EXPECT_EQ(e12.name, "Main\xE9Rd");
    EXPECT_EQ(e12.lineWidth, 1) << "width 5 becomes 1";
    EXPECT_EQ(e12.lineStyle, 0u) << "the style counts only when the stored width is 1";
    const EdgeType& e23 = *FindEdge(l.net, 2, 3);
    EXPECT_EQ(e23.shape, 4u);
    EXPECT_EQ(e23.lineWidth, 2);
    EXPECT_EQ(e23.lineStyle, 0u);
    EXPECT_EQ(FindEdge(l.net, 3, 1)->lineStyle, 4u);
    EXPECT_EQ(FindEdge(l.net, 3, 1)->shape, 3u);
    EXPECT_EQ(FindEdge(l.net, 1, 3)->lineStyle, 0u);
    EXPECT_EQ(FindEdge(l.net, 1, 3)->name, "x" + std::string(19, '\0')) << "a length byte above 20 reads 20";
}

TEST(NetFileRead, LoadModesChooseTheDefaultOptions) {
    OptionType options;
    options.newNetOptions.radius = 7;
    options.options.radius = 12;
    const Rec header = Header(2, 0)
                           .U16(4, 14)
                           .U16(6, 9)
                           .U8(8, 1)
                           .U8(9, 0)
                           .U8(10, 1)
                           .U8(11, 1)
                           .U8(12, 1)
                           .U32(13, 0x0000FF)
                           .U8(17, 1)
                           .U8(22, 1);
    options.loadMode = 1;
    auto own = Load(header.str(), options);
    EXPECT_EQ(own.net.defaultOptions.radius, 14);
    EXPECT_EQ(own.net.defaultOptions.fontSize, 9);
    EXPECT_EQ(own.net.defaultOptions.fillPoint, 1);
    EXPECT_EQ(own.net.defaultOptions.doubleBorder, 1);
    EXPECT_EQ(own.net.defaultOptions.coloredBorder, 1);
    EXPECT_EQ(own.net.defaultOptions.borderColor, 0x0000FFu);
    EXPECT_EQ(own.net.view, ViewFlags{}) << "the header's view flags are not read";

    Rec filled = header;
    filled.U8(9, 1);
    EXPECT_EQ(Load(filled.str(), options).net.defaultOptions.fillPoint, 0);

    Rec wide = header;
    wide.U16(4, 20);
    EXPECT_EQ(Load(wide.str(), options).net.defaultOptions, options.newNetOptions);
    Rec bigFont = header;
    bigFont.U16(6, 11);
    EXPECT_EQ(Load(bigFont.str(), options).net.defaultOptions, options.newNetOptions);

    options.loadMode = 0;
    EXPECT_EQ(Load(header.str(), options).net.defaultOptions, options.newNetOptions);
    options.loadMode = 2;
    options.newDocumentView.tokens = 1;
    auto current = Load(header.str(), options);
    EXPECT_EQ(current.net.defaultOptions, options.options);
    EXPECT_EQ(current.net.view.tokens, 1);
}

TEST(NetFileRead, RadiusTwentyInModeOwnTakesTheStartUpBlock) {
    auto l = Load(Header(2, 0).U16(4, 20).str());
    EXPECT_EQ(l.net.defaultOptions.radius, 10);
    EXPECT_EQ(l.net.defaultOptions.fontSize, 8);
}

TEST(NetFileRead, SubNetBlocksAttachToTheEdgeCreatedLast) {
    const std::string sub = File(Begin(), Header(2, 2), Point(1), Point(2), Edge(1, 2, 3.0), Begin(),
                                 Header(3, 2), Point(1), Point(2), Edge(2, 1, 7.0), End(), End());
    auto l = Load(File(Header(2, 3), Point(1), Point(2), Point(3), Edge(1, 2), Edge(3, 2)) + sub +
                  Edge(1, 3).str());
    ASSERT_TRUE(l.ok);
    const auto subNet = GetSubNet(l.net, 3, 2);
    ASSERT_NE(subNet, nullptr);
    EXPECT_EQ(GetSubNet(l.net, 2, 3), subNet);
    EXPECT_EQ(GetSubNet(l.net, 1, 2), nullptr);
    EXPECT_TRUE(EdgeExists(l.net, 1, 3)) << "the enclosing level goes on after the block";
    EXPECT_EQ(subNet->name, "");
    EXPECT_EQ(GetEdgeReal(*subNet, EdgeRealWeight, 1, 2), 3.0);
    const auto inner = GetSubNet(*subNet, 1, 2);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->kindName, "dirNet");
    EXPECT_EQ(GetEdgeReal(*inner, EdgeRealWeight, 2, 1), 7.0);

    // A duplicate record creates nothing, so a block after it goes to the edge made before it.
    auto dup = Load(File(Header(3, 3), Point(1), Point(2), Point(3), Edge(1, 2), Edge(2, 3), Edge(1, 2),
                         Begin(), Header(3, 0), End()));
    ASSERT_TRUE(dup.ok);
    EXPECT_NE(GetSubNet(dup.net, 2, 3), nullptr);
    EXPECT_EQ(GetSubNet(dup.net, 1, 2), nullptr);

    // The file may end right after a block, or inside one.
    EXPECT_TRUE(Load(File(Header(3, 2), Point(1), Point(2), Edge(1, 2), Begin(), Header(3, 0))).ok);
}

TEST(NetFileRead, BrokenSubNetBlocksEndTheLoad) {
    const std::string edgeMessage = "Invalid format of the Edge Record\r\n" + Path + Tail;
    auto orphan = Load(File(Header(2, 2), Point(1), Point(2), Begin(), Header(2, 0), End()));
    EXPECT_FALSE(orphan.ok);
    EXPECT_EQ(orphan.messages.calls, Warned(edgeMessage));

    // A failure inside a nested net is reported without a path and ends the whole load.
    auto nested =
        Load(File(Header(2, 2), Point(1), Point(2), Edge(1, 2), Begin(), Header(2, 16), End(), Edge(2, 1)));
    EXPECT_FALSE(nested.ok);
    EXPECT_EQ(nested.messages.calls, Warned("Invalid Header of the File\r\n\r\nToo many Points (N > 15). "
                                            "\r\nLoad Procedure terminated! "));
    EXPECT_NE(GetSubNet(nested.net, 1, 2), nullptr);
}

TEST(NetFileRead, NestingDepthIsBounded) {
    const auto chain = [](int levels) {
        std::string bytes = File(Header(3, 2), Point(1), Point(2), Edge(1, 2));
        for (int i = 0; i < levels; ++i)
            bytes += File(Begin(), Header(3, 2), Point(1), Point(2), Edge(1, 2));
        return bytes;
    };
    auto deepest = Load(chain(MaxSubNetDepth));
    EXPECT_TRUE(deepest.ok);
    int depth = 0;
    for (auto net = GetSubNet(deepest.net, 1, 2); net; net = GetSubNet(*net, 1, 2))
        ++depth;
    EXPECT_EQ(depth, MaxSubNetDepth);

    auto tooDeep = Load(chain(MaxSubNetDepth + 1));
    EXPECT_FALSE(tooDeep.ok);
    EXPECT_EQ(tooDeep.messages.calls, Warned("Invalid format of the File\r\n" + Tail));
}

TEST(NetFileRead, AnEndMarkerAtTheTopEndsTheLoad) {
    auto l = Load(File(Header(3, 2), Point(1), Point(2), End(), Edge(1, 2)));
    EXPECT_TRUE(l.ok);
    EXPECT_FALSE(EdgeExists(l.net, 1, 2));
}

NetWorkType TwoEdgeNet() {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, UndirNetCode);
    net.n = 3;
    net.defaultOptions = DefaultPointOptions();
    for (int i = 1; i <= 3; ++i) {
        net.points[static_cast<std::size_t>(i)].name = "P" + std::to_string(i);
        net.points[static_cast<std::size_t>(i)].weight = 1.0;
        net.points[static_cast<std::size_t>(i)].tokens = 1;
    }
    EdgeType e;
    e.weight = 2.0;
    e.lineWidth = 1;
    InsertEdge(net, 1, 2, e);
    InsertEdge(net, 3, 2, e);
    return net;
}

TEST(NetFileWrite, ExactRecords) {
    NetWorkType net = TwoEdgeNet();
    net.view.flows = 1;
    net.view.tokens = 1;
    PointType& p = net.points[2];
    p.shape = 3;
    p.color = 0x00FF8040;
    p.reserved = 0x1234;
    p.x = 70000;
    p.y = -2;
    p.tokens = 12;
    p.labelPosition = 5;
    p.customOptions = 1;
    p.options = DefaultPointOptions();
    p.options.radius = 6;
    p.options.borderColor = 0x0000FF;
    FindEdge(net, 2, 3)->name = "Link";

    const auto bytes = NetFileBytes(net);
    ASSERT_TRUE(bytes.has_value());
    ASSERT_EQ(bytes->size(), 6u * 64u) << "header, three points, and each undirected edge once";
    const auto rec = [&](int k) { return bytes->substr(static_cast<std::size_t>(k) * 64, 64); };

    Rec header = Header(2, 3);
    header.U8(19, 1).U8(22, 1);
    EXPECT_EQ(rec(0), header.str());

    Rec point2(2);
    point2.U8(1, 3)
        .U16(2, 2)
        .Real(4, 1.0)
        .U32(10, 0x00FF8040)
        .U8(14, 0x34)
        .Name(15, "P2")
        .U16(36, 70000 - 65536)
        .U16(38, 0xFFFE)
        .U16(40, 12)
        .U8(42, 5)
        .U8(43, 1)
        .U16(44, 6)
        .U16(46, 8)
        .U8(48, 1)
        .U8(51, 1)
        .U32(56, 0x0000FF);
    EXPECT_EQ(rec(2), point2.str());
    Rec point1 = testing::Point(1).Name(15, "P1").U16(44, 10).U16(46, 8).U8(48, 1).U8(51, 1);
    EXPECT_EQ(rec(1), point1.str()) << "a point without custom options carries the net's block";

    // Edges go out by source 1..N, each list from its head, undirected ones from the lower end.
    EXPECT_EQ(rec(4), Edge(1, 2, 2.0).str());
    EXPECT_EQ(rec(5), Edge(2, 3, 2.0).Name(23, "Link").str());

    // Reading it back: four list entries, and the 16-bit coordinates as the file holds them.
    auto l = Load(*bytes);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(OutDegree(l.net, 2), 2);
    EXPECT_EQ(EdgeCount(l.net), 2);
    EXPECT_EQ(l.net.points[2].x, 4464);
    EXPECT_EQ(l.net.points[2].y, -2);
}

TEST(NetFileWrite, SubNetBlocksAndKindCodes) {
    NetWorkType net = TwoEdgeNet();
    auto sub = std::make_shared<NetWorkType>(TwoEdgeNet());
    sub->kindName = "Automata";
    SetSubNet(net, 2, 3, sub);
    const auto bytes = NetFileBytes(net);
    ASSERT_TRUE(bytes.has_value());
    // A kind other than "undirNet" counts as directed: all four entries of the sub-net are written.
    ASSERT_EQ(bytes->size(), (6u + 1u + 8u + 1u) * 64u);
    EXPECT_EQ(bytes->substr(6 * 64, 64), Begin().str());
    EXPECT_EQ(static_cast<std::uint8_t>((*bytes)[7 * 64 + 1]), 5) << "the code follows the kind name";
    EXPECT_EQ(bytes->substr(15 * 64, 64), End().str());
}

class TempDir : public ::testing::Test {
protected:
    static std::string Slurp(const std::string& p) { return testing::ReadAll(p); }
    std::size_t FileCount() const { return scratch.Entries().size(); }

    testing::ScratchDir scratch;
    const std::filesystem::path& dir = scratch.Path();
};

TEST_F(TempDir, SaveAndLoadThroughFiles) {
    const std::string path = (dir / "a.b.net").string();
    RecordingMessages messages;
    ASSERT_TRUE(SaveNetFile(TwoEdgeNet(), path, messages));
    NetWorkType net;
    ASSERT_TRUE(LoadNetFile(net, path, OptionType{}, messages));
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(net.name, "aet");
    EXPECT_EQ(EdgeCount(net), 2);
    EXPECT_EQ(FileCount(), 1u) << "no temporary file left";

    const std::string missing = (dir / "none.net").string();
    EXPECT_FALSE(LoadNetFile(net, missing, OptionType{}, messages));
    EXPECT_EQ(messages.calls.back().text, "Invalid format of the File\r\n" + missing + Tail);
    EXPECT_EQ(net.n, 0);
}

TEST_F(TempDir, AFailedSaveKeepsTheOldFile) {
    const std::string path = (dir / "keep.net").string();
    RecordingMessages messages;
    ASSERT_TRUE(SaveNetFile(TwoEdgeNet(), path, messages));
    const std::string before = Slurp(path);

    NetWorkType broken = TwoEdgeNet();
    broken.points[3].weight = 1e39;
    EXPECT_FALSE(SaveNetFile(broken, path, messages));
    EXPECT_EQ(messages.calls, Warned(" Cannot Save file \r\n" + path + "\r\nSave Procedure terminated! "));
    EXPECT_EQ(Slurp(path), before);

    broken = TwoEdgeNet();
    SetEdgeReal(broken, EdgeRealFlow, 1, 2, -1e40);
    EXPECT_FALSE(SaveNetFile(broken, path, messages));
    EXPECT_EQ(Slurp(path), before);

    const std::string nowhere = (dir / "no" / "such" / "dir.net").string();
    EXPECT_FALSE(SaveNetFile(TwoEdgeNet(), nowhere, messages));
    EXPECT_EQ(messages.calls.back().text,
              " Cannot Save file \r\n" + nowhere + "\r\nSave Procedure terminated! ");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(TempDir, OversizedFilesAreRefused) {
    const std::string path = (dir / "big.net").string();
    {
        std::ofstream out(path, std::ios::binary);
        const std::string bytes = File(Header(3, 2), Point(1), Point(2));
        out << bytes;
        const std::string edge = Edge(1, 2).str();
        for (std::size_t written = bytes.size(); written <= MaxNetFileSize; written += edge.size())
            out << edge;
    }
    NetWorkType net;
    RecordingMessages messages;
    EXPECT_FALSE(LoadNetFile(net, path, OptionType{}, messages));
    EXPECT_EQ(messages.calls, Warned("Invalid format of the File\r\n" + path + Tail));
}

TEST(NetFileNames, NameFromPath) {
    EXPECT_EQ(NetNameFromPath("/x/y/road.net"), "road");
    EXPECT_EQ(NetNameFromPath("a.b.net"), "aet");
    EXPECT_EQ(NetNameFromPath("plain"), "plain");
    EXPECT_EQ(NetNameFromPath("/dir.v2/graph"), "graph");
    EXPECT_EQ(NetNameFromPath(std::string(150, 'n') + ".net"), std::string(100, 'n'));
}

} // namespace
} // namespace plax
