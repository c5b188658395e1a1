#include "accounts/results_sink.h"
#include "catalogue/refusals.h"

#include "accounts/item_lines.h"
#include "accounts/shortest_paths_account.h"
#include "algorithms/marking_buffer.h"

#include "model/net_store.h"

#include "net_builders.h"
#include "procedure_run.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <string_view>
#include <thread>

#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::AddEdge;
using plax::testing::RecordingMessages;
constexpr auto Net = plax::testing::MakeNet;
using Lines = std::vector<std::string>;

const std::string CannotCreate = " Cannot create the Window.\r\nProcedure terminated! ";
const std::string CannotWrite = plax::testing::CannotWriteText;

// A Results window that cannot be made.
class UnopenableSink : public LineSink {
public:
    using LineSink::LineSink;

protected:
    bool DoOpen() override { return false; }
};

// A Results window whose `failAt`-th line (counted from 1 after opening) cannot be written.
using FailingSink = plax::testing::CollectingSink;

using plax::testing::DirectedTriangle;

const Lines TriangleText = {
    "",
    "                Shortest Path ",
    "                Time : 12:00",
    "                Date : 08.12.2026",
    "             NetWork : tri",
    "                Type : dirNet",
    "    Number of Points : 3",
    "    Number of Edges  : 3",
    "",
    "    ---------------------------------------------",
    "",
    "    Source = 1    Sink = 3",
    "    Shortest Path  from Source (1) to Sink (3) has Length : 4.5",
    "    Path from 1 to Sink 3 :",
    "     ( 1, 2)  ( 2, 3) ",
    "    Procedure complete. ",
};

// Items go on lines of four blanks and `perLine` items, the first line shorter when the count
// starts above one; an item written in place reads as one added; a line longer than the list's
// own buffer, and an item in place when that buffer has no room, come out whole.
TEST(ListLines, ItemsFillLinesInPlaceAndBeyondTheBuffer) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    RecordingMessages messages;
    ASSERT_TRUE(sink.OpenResults("n", "n.net", messages));
    const auto body = [&](std::size_t from) {
        return Lines(sink.Lines().begin() + static_cast<std::ptrdiff_t>(from), sink.Lines().end());
    };

    std::size_t start = sink.Lines().size();
    {
        ListLines lines(sink, 3);
        for (const char* item : {"a", "b", "c", "d"})
            lines.Add(item);
        char* o = lines.Room();
        *o++ = 'e';
        lines.Added(o);
        lines.Flush();
    }
    EXPECT_EQ(body(start), (Lines{"    abc", "    de"}));

    start = sink.Lines().size();
    {
        ListLines lines(sink, 3, 2);
        for (const char* item : {"x", "y", "z"})
            lines.Add(item);
        lines.Flush();
    }
    EXPECT_EQ(body(start), (Lines{"    xy", "    z"}));

    start = sink.Lines().size();
    const std::string wide(1900, 'w');
    {
        ListLines lines(sink, 3);
        lines.Add(wide);
        char* o = lines.Room(); // no room left in the buffer: the item goes through its own
        o = PutText(o, "in place");
        lines.Added(o);
        lines.Add(wide); // past the buffer
        lines.Add("t");
        lines.Flush();
    }
    EXPECT_EQ(body(start), (Lines{"    " + wide + "in place" + wide, "    t"}));
}

TEST(ResultsSink, HeaderIsElevenFixedLinesBeforeTheBody) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    RecordingMessages messages;
    NetWorkType net = Net(UndirNetCode, 4, "ignored");
    AddEdge(net, 1, 2, 1);
    AddEdge(net, 2, 3, 1);
    AddEdge(net, 3, 4, 1);

    ASSERT_TRUE(sink.OpenResults("town", "/data/town.net", messages));
    EXPECT_EQ(sink.NetName(), "town");
    EXPECT_EQ(sink.FileName(), "/data/town.net");
    EXPECT_EQ(sink.Lines(), Lines{""}) << "a new window holds one empty line";

    sink.AddLine("stale");
    sink.WriteReportHeader("        Some Title", net);
    sink.AddLine("    body");
    const Lines expected = {
        "",
        "        Some Title",
        "                Time : 12:00",
        "                Date : 08.12.2026",
        "             NetWork : town",
        "                Type : undirNet",
        "    Number of Points : 4",
        "    Number of Edges  : 3",
        "",
        "    ---------------------------------------------",
        "",
        "    body",
    };
    EXPECT_EQ(sink.Lines(), expected) << "the header clears what was there and names the window's net";
    EXPECT_EQ(sink.Lines()[9].size(), 49u);
    EXPECT_TRUE(messages.calls.empty());

    // Every label is 23 characters, the colon in column 21.
    for (std::size_t k = 2; k <= 7; ++k) {
        ASSERT_GE(sink.Lines()[k].size(), 23u);
        EXPECT_EQ(sink.Lines()[k].substr(20, 3), " : ") << sink.Lines()[k];
    }
}

TEST(ResultsSink, TypeLineIsCutToThirtyFiveCharacters) {
    const FixedClock clock("9:05", "1.2.2027");
    RunFlags flags;
    LineSink sink(clock, flags);
    RecordingMessages messages;
    NetWorkType net = Net(DirNetCode, 0, "x");
    net.kindName = "AVeryLongKindNameIndeed";
    ASSERT_TRUE(sink.OpenResults("x", "x.net", messages));
    sink.WriteReportHeader("t", net);
    EXPECT_EQ(sink.Lines()[2], "                Time : 9:05");
    EXPECT_EQ(sink.Lines()[3], "                Date : 1.2.2027");
    EXPECT_EQ(sink.Lines()[5], "                Type : AVeryLongKin");
    EXPECT_EQ(sink.Lines()[6], "    Number of Points : 0");
    EXPECT_EQ(sink.Lines()[7], "    Number of Edges  : 0");

    // Exactly 12 characters of type fit; the name of a directed net is not cut.
    net.kindName = "ABCDEFGHIJKL";
    sink.WriteReportHeader("t", net);
    EXPECT_EQ(sink.Lines()[5], "                Type : ABCDEFGHIJKL");
}

TEST(ResultsSink, WriteAccountEndsWithTheCompletionLineOrTheWarning) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    RecordingMessages messages;

    LineSink good(clock, flags);
    ASSERT_TRUE(good.OpenResults("n", "n.net", messages));
    WriteAccount(good, messages, [&] { good.AddLine("a"); });
    EXPECT_EQ(good.Lines(), (Lines{"", "a", "    Procedure complete. "}));
    EXPECT_TRUE(good.Finished());
    EXPECT_TRUE(messages.calls.empty());

    // The second line fails: the rest of the body is skipped, the window is still finished.
    FailingSink bad(clock, flags, 2);
    ASSERT_TRUE(bad.OpenResults("n", "n.net", messages));
    bool reachedThird = false;
    WriteAccount(bad, messages, [&] {
        bad.AddLine("a");
        bad.AddLine("b");
        reachedThird = true;
        bad.AddLine("c");
    });
    EXPECT_FALSE(reachedThird);
    EXPECT_EQ(bad.Lines(), (Lines{"", "a"}));
    EXPECT_TRUE(bad.Finished());
    EXPECT_EQ(messages.calls, (std::vector<RecordingMessages::Call>{{"warning", CannotWrite}}));

    // Memory that runs out ends the account as Stop would, saying so.
    LineSink starved(clock, flags);
    ASSERT_TRUE(starved.OpenResults("n", "n.net", messages));
    WriteAccount(starved, messages, [&] {
        starved.AddLine("a");
        throw std::bad_alloc();
    });
    EXPECT_EQ(starved.Lines(),
              (Lines{"", "a", "    The memory ran out; the run ended as if Stop had been pressed.",
                     "    Procedure terminated! "}));
    EXPECT_TRUE(starved.Finished());
    EXPECT_EQ(messages.calls.size(), 1u);
}

// A sink that takes blocks whole, counting them, and keeps their lines as the window would.
class BlockSink : public LineSink {
public:
    using LineSink::LineSink;
    int blocks = 0;

protected:
    bool DoAddBlock(std::string_view lines) override {
        ++blocks;
        return LineSink::DoAddBlock(lines);
    }
};

void WriteListingLine(ResultsSink& sink, std::string_view line) {
    char* o = sink.ListingRoom();
    o = std::copy(line.begin(), line.end(), o);
    *o++ = '\n';
    sink.LinesWritten(o);
}

TEST(ResultsSink, ListingLinesGoOutInBlocksInTheirPlace) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    RecordingMessages messages;

    // Held until another line comes, then handed on before it, as one block.
    BlockSink sink(clock, flags);
    ASSERT_TRUE(sink.OpenResults("n", "n.net", messages));
    WriteAccount(sink, messages, [&] {
        WriteListingLine(sink, "x");
        WriteListingLine(sink, "");
        EXPECT_EQ(sink.blocks, 0);
        sink.AddLine("z");
        EXPECT_EQ(sink.blocks, 1);
        WriteListingLine(sink, "w");
    });
    EXPECT_EQ(sink.Lines(), (Lines{"", "x", "", "z", "w", "    Procedure complete. "}));
    EXPECT_EQ(sink.blocks, 2);

    // A megabyte of lines is handed on while the listing goes on; a poll after a moment hands on
    // what is held.
    BlockSink big(clock, flags);
    ASSERT_TRUE(big.OpenResults("n", "n.net", messages));
    WriteAccount(big, messages, [&] {
        const std::string line(99, '7');
        for (int k = 0; k < 11000; ++k)
            WriteListingLine(big, line);
        EXPECT_EQ(big.blocks, 1);
        WriteListingLine(big, "last");
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        big.Poll();
        EXPECT_EQ(big.blocks, 2);
        EXPECT_EQ(big.Lines().back(), "last");
    });
    EXPECT_EQ(big.Lines().size(), 1u + 11000u + 1u + 1u);
    EXPECT_TRUE(messages.calls.empty());

    // A block that cannot be written ends the account as a line does, keeping the lines before.
    FailingSink bad(clock, flags, 2);
    ASSERT_TRUE(bad.OpenResults("n", "n.net", messages));
    WriteAccount(bad, messages, [&] {
        WriteListingLine(bad, "a");
        WriteListingLine(bad, "b");
        WriteListingLine(bad, "c");
    });
    EXPECT_EQ(bad.Lines(), (Lines{"", "a"}));
    EXPECT_TRUE(bad.Finished());
    EXPECT_EQ(messages.calls, (std::vector<RecordingMessages::Call>{{"warning", CannotWrite}}));
}

TEST(ResultsSink, WindowThatCannotBeMadeStopsTheProcedureBeforeItComputes) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    UnopenableSink sink(clock, flags);
    RecordingMessages messages;
    NetWorkType net = DirectedTriangle();
    // A decomposed edge would be measured, and its sub-net renamed, by any computation.
    auto sub = std::make_shared<NetWorkType>(Net(DirNetCode, 2, "untouched"));
    AddEdge(*sub, 1, 2, 1.0);
    SetSubNet(net, 1, 2, sub);
    MarkingBuffer marks;
    marks.SetEdges({{3, 1}});

    ShortestPath(net, ShortestPathMode::SinglePair, marks, "tri.net", {sink, messages});
    EXPECT_EQ(messages.calls, (std::vector<RecordingMessages::Call>{{"warning", CannotCreate}}));
    EXPECT_TRUE(sink.Lines().empty());
    EXPECT_FALSE(sink.Finished());
    EXPECT_EQ(sub->name, "untouched");
    EXPECT_EQ(FindEdge(net, 1, 2)->decomposedLength, 0.0);
    EXPECT_TRUE(marks.MarkedEdges(3).empty()) << "the marks are cleared before the window is opened";

    // All Shortest Path behaves the same.
    messages.calls.clear();
    ShortestPath(net, ShortestPathMode::AllFromSource, marks, "tri.net", {sink, messages});
    EXPECT_EQ(messages.calls, (std::vector<RecordingMessages::Call>{{"warning", CannotCreate}}));
    EXPECT_TRUE(sink.Lines().empty());
}

TEST(ResultsSink, FailedLineEndsTheAccountAndKeepsTheMarksStoredBeforeIt) {
    const FixedClock clock("12:00", "08.12.2026");
    const std::size_t total = TriangleText.size();
    for (std::size_t failAt = 1; failAt <= total; ++failAt) {
        SCOPED_TRACE("line " + std::to_string(failAt) + " fails");
        RunFlags flags;
        FailingSink sink(clock, flags, static_cast<int>(failAt));
        RecordingMessages messages;
        NetWorkType net = DirectedTriangle();
        MarkingBuffer marks;
        marks.SetEdges({{3, 1}});

        const double length =
            ShortestPath(net, ShortestPathMode::SinglePair, marks, "tri.net", {sink, messages});
        EXPECT_EQ(length, 4.5);
        EXPECT_EQ(messages.calls, (std::vector<RecordingMessages::Call>{{"warning", CannotWrite}}));
        EXPECT_TRUE(sink.Finished());
        const Lines written(TriangleText.begin(), TriangleText.begin() + static_cast<long>(failAt - 1));
        EXPECT_EQ(sink.Lines(), written) << "no completion line, nothing after the failure";
        // The path is stored after its lines; only a failure of the completion line comes later.
        if (failAt == total) {
            EXPECT_EQ(marks.MarkedEdges(3), (std::vector<EdgeMark>{{1, 2}, {2, 3}}));
        } else {
            EXPECT_TRUE(marks.MarkedEdges(3).empty());
        }
    }
}

TEST(ResultsSink, LongRunSetsAndClearsTheFlags) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    flags.stop = 1; // left over from an earlier run
    testing::StoppingSink sink(clock, flags);
    sink.stopAtPoll = 3;
    NetWorkType net = Net(DirNetCode, 2, "n");

    sink.StartLongRun(net);
    EXPECT_EQ(flags.busy, 1);
    EXPECT_EQ(net.interaction.busy, 1);
    EXPECT_EQ(flags.stop, 0);
    EXPECT_EQ(sink.longRunsStarted, 1);

    EXPECT_FALSE(sink.Poll());
    EXPECT_FALSE(sink.Poll());
    EXPECT_TRUE(sink.Poll()) << "Stop pressed during the third poll";
    EXPECT_EQ(flags.stop, 1);
    EXPECT_FALSE(sink.Poll()) << "each poll starts from a cleared stop flag";
    EXPECT_EQ(flags.busy, 1);

    flags.stop = 1;
    sink.EndLongRun(net);
    EXPECT_EQ(sink.longRunsEnded, 1);
    EXPECT_EQ(flags.busy, 0);
    EXPECT_EQ(flags.stop, 0);
    EXPECT_EQ(net.interaction.busy, 0);
}

TEST(MarkingBuffer, MarkedEdgesStopAtTheFirstEmptyEntryOrAfterNEntries) {
    MarkingBuffer marks;
    EXPECT_TRUE(marks.MarkedEdges(15).empty());

    marks.SetEdges({{1, 2}, {2, 3}, {3, 4}, {4, 5}});
    EXPECT_EQ(marks.edges[0], (EdgeMark{0, 0})) << "entries are numbered from 1";
    EXPECT_EQ(marks.MarkedEdges(15), (std::vector<EdgeMark>{{1, 2}, {2, 3}, {3, 4}, {4, 5}}));
    EXPECT_EQ(marks.MarkedEdges(2), (std::vector<EdgeMark>{{1, 2}, {2, 3}}));
    EXPECT_TRUE(marks.MarkedEdges(0).empty());

    // An entry whose from point is 0 ends the list even when later entries are filled.
    marks.edges[3].from = 0;
    EXPECT_EQ(marks.MarkedEdges(15), (std::vector<EdgeMark>{{1, 2}, {2, 3}}));

    // Storing a shorter list clears the tail of the longer one.
    marks.SetEdges({{1, 2}, {2, 3}, {3, 4}, {4, 5}});
    marks.SetEdges({{7, 8}});
    EXPECT_EQ(marks.MarkedEdges(15), (std::vector<EdgeMark>{{7, 8}}));

    // A full list of 15, and no more than 15 however many points are asked for.
    std::vector<EdgeMark> chain;
    for (std::uint16_t i = 1; i <= 15; ++i)
        chain.push_back({i, static_cast<std::uint16_t>(i % 15 + 1)});
    marks.SetEdges(chain);
    EXPECT_EQ(marks.MarkedEdges(15), chain);
    EXPECT_EQ(marks.MarkedEdges(40), chain);
    EXPECT_EQ(marks.MarkedEdges(14).size(), 14u);

    marks.pointColor[4] = 0x0000FF;
    marks.pointIndex[4] = 2;
    marks.Clear();
    EXPECT_TRUE(marks.MarkedEdges(15).empty());
    EXPECT_EQ(marks.pointColor[4], 0u);
    EXPECT_EQ(marks.pointIndex[4], 0u);
    for (const EdgeMark& e : marks.edges)
        EXPECT_EQ(e, (EdgeMark{0, 0}));
}

} // namespace
} // namespace plax
