#include "model/krack_plot.h"

#include "model/net_store.h"

#include "recording_messages.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

namespace plax {

namespace {

using plax::testing::ReadAll;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;

using plax::testing::RecordingMessages;
using Call = RecordingMessages::Call;

const std::string Path = "/nets/sample.kp";

NetWorkType MakeNet(std::uint16_t kind) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    return net;
}

void AddPoint(NetWorkType& net, std::int32_t x, std::int32_t y, const std::string& name,
              std::uint16_t tokens = 1) {
    PointType& p = net.points[++net.n];
    p.x = x;
    p.y = y;
    p.name = name;
    p.tokens = tokens;
}

void AddEdge(NetWorkType& net, int from, int to, double weight) {
    EdgeType e;
    e.weight = weight;
    e.name = "E";
    e.lineWidth = 1;
    ASSERT_TRUE(InsertEdge(net, from, to, e));
}

// The targets of list i, head first.
std::vector<int> Targets(const NetWorkType& net, int i) {
    std::vector<int> out;
    for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
        out.push_back(e.target);
    return out;
}

double Weight(const NetWorkType& net, int from, int to) {
    const EdgeType* e = FindEdge(net, from, to);
    return e == nullptr ? -1.0 : e->weight;
}

struct ReadResult {
    bool ok;
    NetWorkType net;
    std::vector<Call> calls;
};

ReadResult Read(const std::string& text, const OptionType& options = OptionType{}) {
    ReadResult r{false, NetWorkType{}, {}};
    NetInit(r.net);
    RecordingMessages messages;
    r.ok = ReadKrackPlotText(r.net, text, Path, options, messages);
    r.calls = messages.calls;
    return r;
}

std::vector<Call> Warned(const std::string& text) { return {{"warning", text}}; }

const std::string CannotLoad = " Cannot Load file \r\n" + Path + "\r\nLoad Procedure terminated! ";
const std::string BadHeader = "Invalid Header of the File\r\n" + Path + "\r\nLoad Procedure terminated! ";
const std::string TooMany =
    "Invalid Header of the File\r\n" + Path + "\r\nToo many Points (N > 15). \r\nLoad Procedure terminated! ";

// Two points on one height joined by an edge of weight 5.
NetWorkType SmallUndirectedNet() {
    NetWorkType net = MakeNet(UndirNetCode);
    AddPoint(net, 0, 5, "A");
    AddPoint(net, 7, 5, "B");
    AddEdge(net, 1, 2, 5);
    return net;
}
const std::string SmallUndirectedText = "2\r\n"
                                        "     0      5  A\r\n"
                                        "     7      5  B\r\n"
                                        "15\r\n"
                                        "51\r\n"
                                        "arrows=n\r\n";

} // namespace

TEST(KrackPlotWriter, DirectedNetText) {
    NetWorkType net = MakeNet(DirNetCode);
    AddPoint(net, 10, 100, "Alpha", 0);
    AddPoint(net, -5, 30, "B", 12);
    AddPoint(net, 1234567, -20, "Gamma Ray", 3);
    AddPoint(net, 0, 0, "", 9);
    AddEdge(net, 1, 2, 0.3);
    AddEdge(net, 1, 3, 0.5);
    AddEdge(net, 1, 4, 1.5);
    AddEdge(net, 2, 1, 2.5);
    AddEdge(net, 2, 3, 3.5);
    AddEdge(net, 3, 1, 8.5);
    AddEdge(net, 3, 4, 9.0);
    AddEdge(net, 4, 1, 9.4);
    AddEdge(net, 4, 2, 10.0);
    AddEdge(net, 4, 3, 1.0E38);

    // y runs from -20 to 100, so each y is written as 80 - y. An x beyond 16 bits is written at
    // the limit the reader takes, and a point without a name gets the reader's own default name.
    EXPECT_EQ(KrackPlotText(net), "4\r\n"
                                  "    10    -20  Alpha\r\n"
                                  "    -5     50  B\r\n"
                                  " 32767    100  Gamma Ray\r\n"
                                  "     0     80  No Name\r\n"
                                  "0002\r\n"
                                  "2940\r\n"
                                  "8039\r\n"
                                  "9999\r\n"
                                  "arrows=y\r\n");
    // Writing does not touch the net.
    EXPECT_EQ(net.points[1].y, 100);
    EXPECT_EQ(net.points[3].y, -20);
}

TEST(KrackPlotWriter, UndirectedNetText) {
    EXPECT_EQ(KrackPlotText(SmallUndirectedNet()), SmallUndirectedText);

    NetWorkType one = MakeNet(UndirNetCode);
    AddPoint(one, 3, -7, "Solo", 0);
    EXPECT_EQ(KrackPlotText(one), "1\r\n     3     -7  Solo\r\n0\r\narrows=n\r\n");
}

TEST(KrackPlotWriter, SaveChecksEmptyNetAndExistingFile) {
    ScratchDir dir;
    const NetWorkType net = SmallUndirectedNet();

    // A new file is written without a question.
    const std::string fresh = dir.File("fresh.kp");
    RecordingMessages quiet;
    EXPECT_TRUE(SaveKrackPlot(net, fresh, quiet));
    EXPECT_TRUE(quiet.calls.empty());
    EXPECT_EQ(ReadAll(fresh), SmallUndirectedText);

    // An empty net is refused before any question, even over an existing file.
    const std::string old = dir.File("old.kp");
    WriteAll(old, "old contents");
    RecordingMessages trivial(true);
    EXPECT_FALSE(SaveKrackPlot(MakeNet(DirNetCode), old, trivial));
    EXPECT_EQ(trivial.calls, Warned("Trivial NetWork."));
    EXPECT_EQ(ReadAll(old), "old contents");
    RecordingMessages trivialNew(true);
    EXPECT_FALSE(SaveKrackPlot(MakeNet(DirNetCode), dir.File("none.kp"), trivialNew));
    EXPECT_EQ(trivialNew.calls, Warned("Trivial NetWork."));
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.kp")));

    const std::vector<Call> asked = {{"confirm", "Do you wish to Rewrite file \r\n" + old + "?"}};
    RecordingMessages no(false);
    EXPECT_FALSE(SaveKrackPlot(net, old, no));
    EXPECT_EQ(no.calls, asked);
    EXPECT_EQ(ReadAll(old), "old contents");

    RecordingMessages yes(true);
    EXPECT_TRUE(SaveKrackPlot(net, old, yes));
    EXPECT_EQ(yes.calls, asked);
    EXPECT_EQ(ReadAll(old), SmallUndirectedText);
}

TEST(KrackPlotWriter, SaveReportsAPathThatCannotBeWritten) {
    ScratchDir dir;
    const std::string path = dir.File("missing") + "/out.kp";
    RecordingMessages messages(true);
    EXPECT_FALSE(SaveKrackPlot(SmallUndirectedNet(), path, messages));
    EXPECT_EQ(messages.calls, Warned(" Cannot Save file \r\n" + path + "\r\nSave Procedure terminated! "));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(KrackPlotReader, ArrowsLineDecidesTheKind) {
    const std::string body = "2\r\n0 0 Ivy\r\n0 10 B\r\n01\r\n00\r\n";
    struct Case {
        std::string last;
        bool directed;
    };
    const std::vector<Case> cases = {
        {"arrows=y\r\n", true},
        {"arrows=n\r\n", false},
        {"arrows=Y\r\n", false},        // only a lower-case y counts
        {"ARROWS=y\r\n", false},        // and only a lower-case "arrows"
        {"arrows=n   yes\r\n", true},   // any y on the arrows line
        {"", false},                    // no arrows line at all
        {"arrows=n\r\nyes\r\n", false}, // a y on another line does not count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.last);
        ReadResult r = Read(body + c.last);
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.calls.empty());
        EXPECT_EQ(r.net.kindName, c.directed ? "dirNet" : "undirNet");
        EXPECT_EQ(r.net.kindCode, c.directed ? DirNetCode : UndirNetCode);
        EXPECT_EQ(Targets(r.net, 1), std::vector<int>{2});
        // An undirected edge also gets its reverse entry.
        EXPECT_EQ(Targets(r.net, 2), c.directed ? std::vector<int>{} : std::vector<int>{1});
    }
}

TEST(KrackPlotReader, PointsMatrixAndMirroredY) {
    OptionType options;
    options.foreDefaultColor = 0x00FF00;
    options.newReserved = 5;
    options.newNetOptions.radius = 12;
    options.newDocumentView.pointNames = 1;
    const std::string text = "3 points\r\n"
                             "\r\n"
                             "   10   20    Big   Town  \r\n"
                             "   \r\n"
                             "30 40 Q\r\n"
                             "-50 60 R\r\n"
                             "0 7\r\n" // the blank is an edge of weight 1
                             "3\r\n"   // a short row: no edges in the missing columns
                             "a04\r\n" // a letter is an edge of weight 1; the diagonal 4 is tokens
                             "\r\n"
                             "arrows=y\r\n";
    ReadResult r = Read(text, options);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.calls.empty());
    const NetWorkType& net = r.net;
    EXPECT_EQ(net.n, 3);
    EXPECT_EQ(net.name, "");
    EXPECT_EQ(net.kindName, "dirNet");
    EXPECT_EQ(net.defaultOptions, options.newNetOptions);
    EXPECT_EQ(net.view, options.newDocumentView);

    // y runs from 20 to 60, so each y comes back as 80 - y.
    const std::vector<std::tuple<std::int32_t, std::int32_t, std::string, std::uint16_t>> points = {
        {10, 60, "Big Town", 1}, {30, 40, "Q", 1}, {-50, 20, "R", 4}};
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        EXPECT_EQ(p.x, std::get<0>(points[static_cast<std::size_t>(i - 1)]));
        EXPECT_EQ(p.y, std::get<1>(points[static_cast<std::size_t>(i - 1)]));
        EXPECT_EQ(p.name, std::get<2>(points[static_cast<std::size_t>(i - 1)]));
        EXPECT_EQ(p.tokens, std::get<3>(points[static_cast<std::size_t>(i - 1)]));
        EXPECT_EQ(p.color, 0x00FF00u);
        EXPECT_EQ(p.reserved, 5);
        EXPECT_EQ(p.shape, 0);
        EXPECT_EQ(p.selected, 0);
        EXPECT_EQ(p.labelPosition, 0u);
        EXPECT_EQ(p.weight, 0.0);
        EXPECT_EQ(p.customOptions, 0);
    }

    // Each row puts its edges at the head of its list, so a list runs from the highest column.
    EXPECT_EQ(Targets(net, 1), (std::vector<int>{3, 2}));
    EXPECT_EQ(Targets(net, 2), std::vector<int>{1});
    EXPECT_EQ(Targets(net, 3), std::vector<int>{1});
    EXPECT_EQ(Weight(net, 1, 2), 1.0);
    EXPECT_EQ(Weight(net, 1, 3), 7.0);
    EXPECT_EQ(Weight(net, 2, 1), 3.0);
    EXPECT_EQ(Weight(net, 3, 1), 1.0);
    for (int i = 1; i <= 3; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            EXPECT_EQ(e.name, "No Name");
            EXPECT_EQ(e.flow, 0.0);
            EXPECT_EQ(e.color, 0x00FF00u);
            EXPECT_EQ(e.reserved, 5u);
            EXPECT_EQ(e.shape, 0u);
            EXPECT_EQ(e.lineStyle, 0u);
            EXPECT_EQ(e.lineWidth, 1);
            EXPECT_FALSE(e.subNet);
        }
    }
}

TEST(KrackPlotReader, UndirectedMatrixTakesTheFirstCellOfEachPair) {
    // Cell (2,1) holds 8 and (3,2) holds 6, but the edges exist by then and keep 2 and 7.
    ReadResult r = Read("3\r\n0 0 A\r\n0 10 B\r\n0 20 C\r\n025\r\n807\r\n362\r\narrows=n\r\n");
    ASSERT_TRUE(r.ok);
    const NetWorkType& net = r.net;
    EXPECT_EQ(net.kindName, "undirNet");
    EXPECT_EQ(Targets(net, 1), (std::vector<int>{3, 2}));
    EXPECT_EQ(Targets(net, 2), (std::vector<int>{3, 1}));
    EXPECT_EQ(Targets(net, 3), (std::vector<int>{2, 1}));
    EXPECT_EQ(Weight(net, 1, 2), 2.0);
    EXPECT_EQ(Weight(net, 2, 1), 2.0);
    EXPECT_EQ(Weight(net, 1, 3), 5.0);
    EXPECT_EQ(Weight(net, 3, 1), 5.0);
    EXPECT_EQ(Weight(net, 2, 3), 7.0);
    EXPECT_EQ(Weight(net, 3, 2), 7.0);
    EXPECT_EQ(net.points[1].tokens, 1);
    EXPECT_EQ(net.points[2].tokens, 1);
    EXPECT_EQ(net.points[3].tokens, 2);
    EXPECT_EQ(net.points[1].y, 20);
    EXPECT_EQ(net.points[2].y, 10);
    EXPECT_EQ(net.points[3].y, 0);
}

TEST(KrackPlotReader, CircleAndLabelMarkers) {
    {
        SCOPED_TRACE("no coordinates");
        // On the circle: sin and cos of 120, 240 and 360 degrees times 150 round to
        // (130, -75), (-130, -75), (0, 150), giving (300, 245), (40, 245), (170, 20) before
        // the mirroring over 20..245.
        ReadResult r =
            Read("3\r\n!nc Alpha\r\n7 8 Beta\r\nGamma   Ray \r\n010\r\n001\r\n100\r\narrows=y\r\n");
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.calls.empty());
        const NetWorkType& net = r.net;
        ASSERT_EQ(net.n, 3);
        EXPECT_EQ(net.points[1].name, "Alpha");
        EXPECT_EQ(net.points[2].name, "7 8 Beta");
        EXPECT_EQ(net.points[3].name, "Gamma Ray");
        EXPECT_EQ(net.points[1].x, 300);
        EXPECT_EQ(net.points[1].y, 20);
        EXPECT_EQ(net.points[2].x, 40);
        EXPECT_EQ(net.points[2].y, 20);
        EXPECT_EQ(net.points[3].x, 170);
        EXPECT_EQ(net.points[3].y, 245);
        EXPECT_EQ(Targets(net, 1), std::vector<int>{2});
        EXPECT_EQ(Targets(net, 2), std::vector<int>{3});
        EXPECT_EQ(Targets(net, 3), std::vector<int>{1});
    }
    {
        SCOPED_TRACE("no labels");
        ReadResult r = Read("2\r\n10 20 Alpha !nl\r\n30 40 Beta\r\n01\r\n10\r\narrows=n\r\n");
        ASSERT_TRUE(r.ok);
        const NetWorkType& net = r.net;
        ASSERT_EQ(net.n, 2);
        EXPECT_EQ(net.points[1].name, "No Name");
        EXPECT_EQ(net.points[2].name, "No Name");
        EXPECT_EQ(net.points[1].x, 10);
        EXPECT_EQ(net.points[1].y, 40);
        EXPECT_EQ(net.points[2].x, 30);
        EXPECT_EQ(net.points[2].y, 20);
        EXPECT_EQ(Targets(net, 1), std::vector<int>{2});
        EXPECT_EQ(Targets(net, 2), std::vector<int>{1});
    }
    {
        SCOPED_TRACE("both markers");
        // The marker line is the only point line; the matrix follows it directly.
        // Angles 90, 180, 270, 360 degrees: (320, 170), (170, 320), (20, 170), (170, 20),
        // then mirrored over 20..320.
        ReadResult r = Read("4\r\n!nc !nl\r\n0100\r\n0020\r\n0003\r\n4000\r\narrows=y\r\n");
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.calls.empty());
        const NetWorkType& net = r.net;
        ASSERT_EQ(net.n, 4);
        const std::vector<std::pair<int, int>> xy = {{320, 170}, {170, 20}, {20, 170}, {170, 320}};
        for (int i = 1; i <= 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(net.points[static_cast<std::size_t>(i)].name, "No Name");
            EXPECT_EQ(net.points[static_cast<std::size_t>(i)].x, xy[static_cast<std::size_t>(i - 1)].first);
            EXPECT_EQ(net.points[static_cast<std::size_t>(i)].y, xy[static_cast<std::size_t>(i - 1)].second);
            EXPECT_EQ(net.points[static_cast<std::size_t>(i)].tokens, 1);
        }
        EXPECT_EQ(Weight(net, 1, 2), 1.0);
        EXPECT_EQ(Weight(net, 2, 3), 2.0);
        EXPECT_EQ(Weight(net, 3, 4), 3.0);
        EXPECT_EQ(Weight(net, 4, 1), 4.0);
        EXPECT_EQ(EdgeCount(net), 4);
    }
}

TEST(KrackPlotReader, HeaderFailures) {
    for (const std::string& text :
         {std::string("16\r\n"), std::string("99999999999999999999999999\r\n0 0 A\r\n1\r\n")}) {
        ReadResult r = Read(text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.calls, Warned(TooMany));
        EXPECT_EQ(r.net.n, 0);
    }
    // Five lines where three points need six; blank lines do not count.
    for (const std::string& text : {std::string("3\r\n0 0 A\r\n0 1 B\r\n0 2 C\r\n010\r\n001\r\n"),
                                    std::string("2\r\n0 0 A\r\n\r\n   \r\n0 1 B\r\n01\r\n")}) {
        ReadResult r = Read(text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.calls, Warned(BadHeader));
    }
    // No points is a valid, empty net.
    ReadResult empty = Read("0\r\narrows=y\r\n");
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.calls.empty());
    EXPECT_EQ(empty.net.n, 0);
    EXPECT_EQ(empty.net.kindName, "dirNet");
}

TEST(KrackPlotReader, UnreadableTextGivesTheLoadMessage) {
    const std::vector<std::string> texts = {
        "-3\r\n0 0 A\r\n0\r\n",
        "abc\r\n",
        "3.5\r\n",
        "",
        "   \r\n\r\n",
        "1\r\n10 20\r\n1\r\narrows=y\r\n",      // y must be followed by a blank
        "1\r\n10 20     \r\n1\r\narrows=y\r\n", // even with trailing blanks
        "1\r\n10\r\n1\r\narrows=y\r\n",
        "1\r\nabc 20 A\r\n1\r\narrows=y\r\n",
        "1\r\n10 2x A\r\n1\r\narrows=y\r\n",
        "2\r\n0 0 A\r\n5 5\r\n01\r\n10\r\narrows=n\r\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        ReadResult r = Read(text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.calls, Warned(CannotLoad));
    }
}

TEST(KrackPlotReader, LoadRefusesMissingAndOversizedFiles) {
    ScratchDir dir;
    const std::string valid = "1\r\n0 0 A\r\n0\r\narrows=y\r\n";
    const std::size_t limit = 1024u * 1024u;

    // Padded with blanks to exactly 1 MiB: still read.
    const std::string full = dir.File("full.kp");
    WriteAll(full, valid + std::string(limit - valid.size(), ' '));
    NetWorkType net;
    NetInit(net);
    RecordingMessages fine;
    EXPECT_TRUE(LoadKrackPlot(net, full, OptionType{}, fine));
    EXPECT_TRUE(fine.calls.empty());
    EXPECT_EQ(net.n, 1);
    EXPECT_EQ(net.points[1].name, "A");
    EXPECT_EQ(net.name, "");

    const std::vector<std::string> refused = {
        [&] {
            const std::string p = dir.File("over.kp");
            WriteAll(p, valid + std::string(limit - valid.size() + 1, ' '));
            return p;
        }(),
        dir.File("absent.kp"),
        dir.File(""),
    };
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        NetWorkType target;
        NetInit(target);
        RecordingMessages messages;
        EXPECT_FALSE(LoadKrackPlot(target, path, OptionType{}, messages));
        EXPECT_EQ(messages.calls,
                  Warned(" Cannot Load file \r\n" + path + "\r\nLoad Procedure terminated! "));
        EXPECT_EQ(target.n, 0);
    }
}

TEST(KrackPlotFile, ExportImportRoundTrip) {
    ScratchDir dir;
    NetWorkType net = MakeNet(DirNetCode);
    AddPoint(net, 10, 100, "Alpha", 1);
    AddPoint(net, -5, 30, "Big Town", 2);
    AddPoint(net, 250, -20, "C", 5);
    AddPoint(net, 0, 0, "Dee", 0);
    AddEdge(net, 1, 2, 1);
    AddEdge(net, 1, 3, 2);
    AddEdge(net, 1, 4, 3);
    AddEdge(net, 2, 1, 4);
    AddEdge(net, 2, 3, 5);
    AddEdge(net, 3, 1, 6);
    AddEdge(net, 3, 4, 7);
    AddEdge(net, 4, 2, 8);
    AddEdge(net, 4, 3, 9);
    AddEdge(net, 2, 4, 0.3); // written as 0: lost

    const std::string path = dir.File("round.kp");
    RecordingMessages saved;
    ASSERT_TRUE(SaveKrackPlot(net, path, saved));
    EXPECT_EQ(ReadAll(path), KrackPlotText(net));

    NetWorkType back;
    NetInit(back);
    RecordingMessages loaded;
    ASSERT_TRUE(LoadKrackPlot(back, path, OptionType{}, loaded));
    EXPECT_TRUE(loaded.calls.empty());
    EXPECT_EQ(back.kindName, "dirNet");
    ASSERT_EQ(back.n, 4);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        const PointType& a = net.points[static_cast<std::size_t>(i)];
        const PointType& b = back.points[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.x, a.x);
        EXPECT_EQ(b.y, a.y);
    }
    // Zero tokens are written as "0", which the reader leaves at its default of one.
    EXPECT_EQ(back.points[1].tokens, 1);
    EXPECT_EQ(back.points[2].tokens, 2);
    EXPECT_EQ(back.points[3].tokens, 5);
    EXPECT_EQ(back.points[4].tokens, 1);

    EXPECT_EQ(Targets(back, 1), (std::vector<int>{4, 3, 2}));
    EXPECT_EQ(Targets(back, 2), (std::vector<int>{3, 1}));
    EXPECT_EQ(Targets(back, 3), (std::vector<int>{4, 1}));
    EXPECT_EQ(Targets(back, 4), (std::vector<int>{3, 2}));
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) {
            if (i == j || (i == 2 && j == 4)) continue;
            if (EdgeExists(net, i, j)) {
                EXPECT_EQ(Weight(back, i, j), Weight(net, i, j)) << i << "," << j;
            }
        }
    }
    EXPECT_FALSE(EdgeExists(back, 2, 4));
    EXPECT_EQ(EdgeCount(back), 9);

    // An undirected net comes back undirected, with both entries of each edge.
    NetWorkType undirected = SmallUndirectedNet();
    AddPoint(undirected, 3, 1, "C");
    AddEdge(undirected, 2, 3, 0.5); // written as 0: lost
    const std::string upath = dir.File("undirected.KP");
    RecordingMessages usaved;
    ASSERT_TRUE(SaveKrackPlot(undirected, upath, usaved));
    NetWorkType uback;
    NetInit(uback);
    RecordingMessages uloaded;
    ASSERT_TRUE(LoadKrackPlot(uback, upath, OptionType{}, uloaded));
    EXPECT_EQ(uback.kindName, "undirNet");
    EXPECT_EQ(Targets(uback, 1), std::vector<int>{2});
    EXPECT_EQ(Targets(uback, 2), std::vector<int>{1});
    EXPECT_EQ(Targets(uback, 3), std::vector<int>{});
    EXPECT_EQ(Weight(uback, 2, 1), 5.0);
    EXPECT_EQ(uback.points[3].y, 1);
    EXPECT_EQ(uback.points[1].y, 5);
}

// A name as it comes back: control characters read as blanks, blanks trimmed and runs of
// them merged, and a line without a name gets the default name.
std::string NameReadBack(const std::string& name) {
    std::string out;
    bool blank = false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ' ') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out.empty() ? "No Name" : out;
}

// The net that the text written for `net` reads back as, without a message.
NetWorkType ReadBack(const NetWorkType& net) {
    ReadResult r = Read(KrackPlotText(net));
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.calls.empty());
    return std::move(r.net);
}

TEST(KrackPlotFile, RandomNetsComeBackAsFarAsTheFormatCarries) {
    // Weights and the matrix digits that carry them.
    const std::vector<std::pair<double, int>> weights = {{0.3, 0}, {0.5, 0}, {1.5, 2}, {2.5, 2}, {3, 3},
                                                         {8.7, 9}, {9.4, 9}, {12, 9},  {1e38, 9}};
    const std::string alphabet = std::string("Ab yZ!9-.\r\n\t\x01\x7F") + '\0';
    std::mt19937 random(20261209);
    const auto below = [&](std::uint32_t n) { return static_cast<int>(random() % n); };
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        NetWorkType net = MakeNet(below(2) == 0 ? UndirNetCode : DirNetCode);
        const int n = 1 + below(MaxPoints);
        for (int i = 1; i <= n; ++i) {
            std::string name;
            for (int k = below(MaxNameLength + 1); k > 0; --k)
                name +=
                    alphabet[static_cast<std::size_t>(below(static_cast<std::uint32_t>(alphabet.size())))];
            AddPoint(net, below(65536) - 32768, below(65536) - 32768, name,
                     static_cast<std::uint16_t>(below(12)));
        }
        std::map<std::pair<int, int>, int> digits;
        for (int k = below(40); k > 0; --k) {
            const int i = 1 + below(static_cast<std::uint32_t>(n));
            const int j = 1 + below(static_cast<std::uint32_t>(n));
            if (i == j || EdgeExists(net, i, j)) continue;
            const auto& [weight, digit] = weights[static_cast<std::size_t>(below(9))];
            AddEdge(net, i, j, weight);
            digits[{i, j}] = digit;
            if (IsUndirected(net)) digits[{j, i}] = digit;
        }

        const NetWorkType back = ReadBack(net);
        ASSERT_EQ(back.n, n);
        EXPECT_EQ(back.kindName, net.kindName);
        for (int i = 1; i <= n; ++i) {
            const PointType& a = net.points[static_cast<std::size_t>(i)];
            const PointType& b = back.points[static_cast<std::size_t>(i)];
            EXPECT_EQ(b.name, NameReadBack(a.name)) << i;
            EXPECT_EQ(b.x, a.x) << i;
            EXPECT_EQ(b.y, a.y) << i;
            EXPECT_EQ(b.tokens, a.tokens == 0 ? 1 : std::min<int>(a.tokens, 9)) << i;
            for (int j = 1; j <= n; ++j) {
                if (j == i) continue;
                const auto d = digits.find({i, j});
                const double expected = d == digits.end() || d->second == 0 ? -1.0 : d->second;
                EXPECT_EQ(Weight(back, i, j), expected) << i << "," << j;
            }
        }
    }

    // Words the reader would take for its markers or for a directed net are written in capitals.
    NetWorkType net = MakeNet(UndirNetCode);
    AddPoint(net, 0, 0, "at !nc and !nl");
    AddPoint(net, 10, 0, "arrows fly");
    AddEdge(net, 1, 2, 3);
    const NetWorkType back = ReadBack(net);
    ASSERT_EQ(back.n, 2);
    EXPECT_EQ(back.kindName, "undirNet");
    EXPECT_EQ(back.points[1].name, "at !NC and !NL");
    EXPECT_EQ(back.points[2].name, "ARROWS fly");
    EXPECT_EQ(back.points[2].x, 10);
    EXPECT_EQ(Weight(back, 2, 1), 3.0);
}

} // namespace plax

namespace plax {
namespace {

TEST(KrackPlotReader, MirroringExtremeCoordinatesStaysInRange) {
    SilentMessages messages;
    NetWorkType net;
    ASSERT_TRUE(
        ReadKrackPlotText(net, "3\r\n-32768 -32768 A\r\n32767 32767 B\r\n0 30000 C\r\n000\r\n000\r\n000\r\n",
                          "big.kp", OptionType{}, messages));
    EXPECT_EQ(net.points[1].x, -32768);
    EXPECT_EQ(net.points[1].y, 32767);
    EXPECT_EQ(net.points[2].x, 32767);
    EXPECT_EQ(net.points[2].y, -32768);
    EXPECT_EQ(net.points[3].y, -30001);
}

TEST(KrackPlotReader, CoordinatesBeyondSixteenBitsAreRefusedNotWrapped) {
    const std::string cannotLoad = " Cannot Load file \r\nbig.kp\r\nLoad Procedure terminated! ";
    for (const std::string line : {"70000 0 A", "0 70000 A", "32768 0 A", "0 -32769 A", "0 3000000000 A"}) {
        SCOPED_TRACE(line);
        RecordingMessages messages;
        NetWorkType net;
        NetInit(net);
        EXPECT_FALSE(ReadKrackPlotText(net, "1\r\n" + line + "\r\n0\r\n", "big.kp", OptionType{}, messages));
        EXPECT_EQ(messages.calls, Warned(cannotLoad));
        EXPECT_EQ(net.n, 0);
    }
}

} // namespace
} // namespace plax
