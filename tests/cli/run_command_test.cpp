#include "cli/cli.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "model/user_messages.h"

#include "cli_run.h"
#include "net_builders.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::ReadAll;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;

using cli::RunCli;

const std::string Examples = PLAX_EXAMPLES_DIR;
const std::string Road = Examples + "/road.net";
const std::string Flow = Examples + "/flow.net";
const std::string ClockArgs[] = {"--time", "12:00", "--date", "08.12.2026"};

using plax::testing::CliRun;

CliRun Cli(std::vector<std::string> args, bool fixedClock = true) {
    if (fixedClock) args.insert(args.end(), std::begin(ClockArgs), std::end(ClockArgs));
    return plax::testing::RunPlaxCli(args);
}

constexpr auto Header = plax::testing::PrintedHeader;
// Road from Harbour (1) to Airport (9): 1-3 (5), 3-6 (6), 6-8 (6), 8-9 (4.5). The ways through
// Station (7) cost 24 and more.
const std::string RoadBody = "    Source = 1    Sink = 9\n"
                             "    Shortest Path  from Source (1) to Sink (9) has Length : 21.5\n"
                             "    Path from 1 to Sink 9 :\n"
                             "     ( 1, 3)  ( 3, 6)  ( 6, 8)  ( 8, 9) \n"
                             "    Procedure complete. \n";

const std::string RoadText = Header("                Shortest Path ", "road", "undirNet", 9, 14) + RoadBody;

// The same text as it stands in a report file.
std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void SaveNet(const NetWorkType& net, const std::string& path) {
    SilentMessages messages;
    ASSERT_TRUE(SaveNetFile(net, path, messages));
}

TEST(RunCommand, ShortestPathPrintsTheResultsText) {
    const CliRun run = Cli({"run", "shortest-path", Road, "--source", "1", "--sink", "9"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, RoadText);
    EXPECT_EQ(run.err, "");

    const CliRun marked = Cli({"run", "shortest-path", Road, "--source", "1", "--sink", "9", "--marks"});
    EXPECT_EQ(marked.status, 0);
    EXPECT_EQ(marked.out,
              RoadText + "marks:\nedge 1 3 \"Harbour\" \"Market\"\nedge 3 6 \"Market\" \"Square\"\nedge 6 8 "
                         "\"Square\" \"Farm\"\nedge 8 9 \"Farm\" \"Airport\"\n");

    // Backwards the same roads are listed from Airport.
    const CliRun back = Cli({"run", "shortest-path", Road, "--source", "9", "--sink", "1", "--marks"});
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.out, Header("                Shortest Path ", "road", "undirNet", 9, 14) +
                            "    Source = 9    Sink = 1\n"
                            "    Shortest Path  from Source (9) to Sink (1) has Length : 21.5\n"
                            "    Path from 9 to Sink 1 :\n"
                            "     ( 9, 8)  ( 8, 6)  ( 6, 3)  ( 3, 1) \n"
                            "    Procedure complete. \n"
                            "marks:\nedge 9 8 \"Airport\" \"Farm\"\nedge 8 6 \"Farm\" \"Square\"\nedge 6 3 "
                            "\"Square\" \"Market\"\nedge 3 1 \"Market\" \"Harbour\"\n");
}

TEST(RunCommand, AllShortestPathsListsEveryPointAndMarksTheTree) {
    const CliRun road = Cli({"run", "all-shortest-paths", Road, "--source", "1", "--marks"});
    EXPECT_EQ(road.status, 0);
    EXPECT_EQ(road.out,
              Header("        All Shortest Path  from Source", "road", "undirNet", 9, 14) +
                  "    Source = 1\n"
                  "    The Lengths of the Shortest Paths from 1 to other Points :\n"
                  "     (  2) 7               (  3) 5               (  4) 6              \n"
                  "     (  5) 15              (  6) 11              (  7) 13             \n"
                  "     (  8) 17              (  9) 21.5           \n"
                  "    Procedure complete. \n"
                  "marks:\n"
                  "edge 1 2 \"Harbour\" \"Mill\"\nedge 1 3 \"Harbour\" \"Market\"\nedge 1 4 \"Harbour\" "
                  "\"Bridge\"\nedge 2 5 \"Mill\" \"Castle\"\nedge 3 6 \"Market\" \"Square\"\nedge 4 7 "
                  "\"Bridge\" \"Station\"\nedge 6 8 \"Square\" \"Farm\"\nedge 8 9 \"Farm\" \"Airport\"\n");
    EXPECT_EQ(road.err, "");

    // The pipes net is directed: 1->3 (8) is cheaper than 1->2 (10), and 4 is reached through 2.
    const CliRun flow = Cli({"run", "all-shortest-paths", Flow, "--source", "1", "--marks"});
    EXPECT_EQ(flow.status, 0);
    EXPECT_EQ(flow.out, Header("        All Shortest Path  from Source", "flow", "dirNet", 6, 9) +
                            "    Source = 1\n"
                            "    The Lengths of the Shortest Paths from 1 to other Points :\n"
                            "     (  2) 10              (  3) 8               (  4) 15             \n"
                            "     (  5) 18              (  6) 22             \n"
                            "    Procedure complete. \n"
                            "marks:\nedge 1 2 \"Source\" \"A\"\nedge 1 3 \"Source\" \"B\"\nedge 2 4 \"A\" "
                            "\"C\"\nedge 3 5 \"B\" \"D\"\nedge 4 6 \"C\" \"Sink\"\n");

    // From Sink nothing is reachable: the click's own message.
    const CliRun none = Cli({"run", "all-shortest-paths", Flow, "--source", "6"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "You have Selected Source - 6.\nThere are not Paths to other Points.\n");
}

TEST(RunCommand, DecomposedEdgeOfALoadedNetIsMeasuredThroughItsSubNet) {
    // South-East (weight 5) stands for the Valley line, 7 long through Lake and Mine, so
    // West-South-East-Port costs 9 + 7 + 6 = 22 and still beats 12 + 10 + 6 through North.
    const CliRun run =
        Cli({"run", "shortest-path", Examples + "/railway.net", "--source", "1", "--sink", "5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Header("                Shortest Path ", "railway", "undirNet", 5, 5) +
                           "    Source = 1    Sink = 5\n"
                           "    Shortest Path  from Source (1) to Sink (5) has Length : 22\n"
                           "    Path from 1 to Sink 5 :\n"
                           "     ( 1, 3)  ( 3, 4)  ( 4, 5) \n"
                           "    Procedure complete. \n");
}

TEST(RunCommand, PickedPointsAreCheckedAsTheClicksCheckThem) {
    // Usage errors: a missing pick, a point outside the net, a number that is not one.
    const std::vector<std::vector<std::string>> usage = {
        {"run", "shortest-path", Road, "--sink", "9"},
        {"run", "shortest-path", Road, "--source", "1"},
        {"run", "all-shortest-paths", Road},
        {"run", "shortest-path", Road, "--source", "10", "--sink", "9"},
        {"run", "shortest-path", Road, "--source", "0", "--sink", "9"},
        {"run", "shortest-path", Road, "--source", "1", "--sink", "10"},
        {"run", "shortest-path", Road, "--source", "one", "--sink", "9"},
        {"run", "all-shortest-paths", Road, "--source", "-1"},
        {"run", "shortest-path", Road, "--source"},
    };
    for (const auto& args : usage) {
        std::string line;
        for (const std::string& a : args)
            line += " " + a;
        SCOPED_TRACE(line);
        const CliRun run = Cli(args, false);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }

    // Refusals, with the texts of the message boxes.
    const CliRun nothing = Cli({"run", "shortest-path", Flow, "--source", "6", "--sink", "1"});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_EQ(nothing.out, "");
    EXPECT_EQ(nothing.err, "You have Selected Source - 6.\nThere are not Paths to other Points.\n");

    const CliRun unreachable = Cli({"run", "shortest-path", Flow, "--source", "2", "--sink", "1"});
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_EQ(unreachable.out, "");
    EXPECT_EQ(unreachable.err, "There aren`t Paths from 2 to Point 1.\nSelect another Point \n");

    const CliRun same = Cli({"run", "shortest-path", Road, "--source", "4", "--sink", "4"});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "Select another Point  for 4\n");

    // With --yes the hint that follows a good first click is shown too.
    const CliRun hinted = Cli({"run", "shortest-path", Road, "--source", "1", "--sink", "9", "--yes"});
    EXPECT_EQ(hinted.status, 0);
    EXPECT_EQ(hinted.out, RoadText);
    EXPECT_EQ(hinted.err, "You have Selected Source - 1.\nNow Select Second Point (Sink).\n");
    const CliRun hintedThenRefused =
        Cli({"run", "shortest-path", Road, "--source", "1", "--sink", "1", "--yes"});
    EXPECT_EQ(hintedThenRefused.status, 1);
    EXPECT_EQ(
        hintedThenRefused.err,
        "You have Selected Source - 1.\nNow Select Second Point (Sink).\nSelect another Point  for 1\n");
}

TEST(RunCommand, TrivialNetsAreRefused) {
    ScratchDir dir;
    NetWorkType one;
    NetInit(one);
    SetNetKind(one, DirNetCode);
    one.n = 1;
    one.defaultOptions = DefaultPointOptions();
    one.points[1].name = "alone";
    one.points[1].weight = 1.0;
    SaveNet(one, dir.File("one.net"));

    const CliRun single = Cli({"run", "shortest-path", dir.File("one.net"), "--source", "1", "--sink", "1"});
    EXPECT_EQ(single.status, 1);
    EXPECT_EQ(single.out, "");
    EXPECT_EQ(single.err, "There isnt Shortest Path ! Trivial NetWork.\n");
    const CliRun all = Cli({"run", "all-shortest-paths", dir.File("one.net"), "--source", "1"});
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.err, "Trivial NetWork.\n");
}

TEST(RunCommand, UnknownProcedureAndUnreadableFiles) {
    const CliRun unknown = Cli({"run", "longest-path", Road, "--source", "1", "--sink", "9"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("longest-path"), std::string::npos);

    ScratchDir dir;
    const CliRun missing =
        Cli({"run", "shortest-path", dir.File("none.net"), "--source", "1", "--sink", "2"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err, "");

    WriteAll(dir.File("junk.net"), std::string("\xff\xfe garbage that is no net", 25));
    const CliRun junk = Cli({"run", "all-shortest-paths", dir.File("junk.net"), "--source", "1"});
    EXPECT_EQ(junk.status, 3);
    EXPECT_EQ(junk.out, "");
    EXPECT_NE(junk.err, "");

    // A directory is no net file either.
    const CliRun folder = Cli({"run", "shortest-path", dir.Path().string(), "--source", "1", "--sink", "2"});
    EXPECT_EQ(folder.status, 3);
}

TEST(RunCommand, ReportAppendsTheTextBesideTheNet) {
    ScratchDir dir;
    std::filesystem::copy_file(Road, dir.File("road.net"));
    const std::vector<std::string> args = {
        "run", "shortest-path", dir.File("road.net"), "--source", "1", "--sink", "9", "--report"};

    const CliRun first = Cli(args);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, RoadText);
    const std::string banner = "    Report for NetWork road     (PLAX 2000) \r\n";
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), banner + CrLf(RoadText));

    const CliRun second = Cli(args);
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), banner + CrLf(RoadText) + CrLf(RoadText));

    const CliRun all = Cli({"run", "all-shortest-paths", dir.File("road.net"), "--source", "1", "--report"});
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), banner + CrLf(RoadText) + CrLf(RoadText) + CrLf(all.out));

    // A refused run adds nothing.
    const CliRun refused =
        Cli({"run", "shortest-path", dir.File("road.net"), "--source", "2", "--sink", "2", "--report"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), banner + CrLf(RoadText) + CrLf(RoadText) + CrLf(all.out));

    // A report that cannot be written: the text is still printed, the failure named.
    ScratchDir other;
    std::filesystem::copy_file(Road, other.File("road.net"));
    ASSERT_TRUE(std::filesystem::create_directory(other.File("road.TXT")));
    std::vector<std::string> blocked = args;
    blocked[2] = other.File("road.net");
    const CliRun failed = Cli(blocked);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, RoadText);
    EXPECT_EQ(failed.err, " Cannot append Result text to " + other.File("road.TXT") + "\n");
}

// A net saved as NAME.TXT is its own report file's name: the report is refused, the net kept.
TEST(RunCommand, ReportIsRefusedWhenItWouldBeTheNetFile) {
    ScratchDir dir;
    const std::string net = dir.File("ROAD.TXT");
    std::filesystem::copy_file(Road, net);
    const std::string bytes = ReadAll(net);
    const CliRun run = Cli({"run", "shortest-path", net, "--source", "1", "--sink", "9", "--report"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Header("                Shortest Path ", "ROAD", "undirNet", 9, 14) + RoadBody);
    EXPECT_EQ(run.err, " Cannot append Result text to " + net + ": it is the net file itself\n");
    EXPECT_EQ(ReadAll(net), bytes);
}

TEST(RunCommand, SaveWritesANetThatLoadsAgain) {
    ScratchDir dir;
    const CliRun saved =
        Cli({"run", "shortest-path", Road, "--source", "1", "--sink", "9", "--save", dir.File("out.net")});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(saved.out, RoadText);

    NetWorkType net;
    SilentMessages messages;
    ASSERT_TRUE(LoadNetFile(net, dir.File("out.net"), OptionType{}, messages));
    EXPECT_EQ(net.n, 9);
    EXPECT_EQ(EdgeCount(net), 14);
    EXPECT_EQ(net.kindName, "undirNet");
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 6, 8), 6.0);
    EXPECT_EQ(GetEdgeReal(net, EdgeRealWeight, 9, 8), 4.5);

    // The saved net gives the same account under its new name.
    const CliRun again = Cli({"run", "shortest-path", dir.File("out.net"), "--source", "1", "--sink", "9"});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, Header("                Shortest Path ", "out", "undirNet", 9, 14) + RoadBody);

    // Nothing is saved when the run is refused.
    const CliRun refused =
        Cli({"run", "shortest-path", Road, "--source", "1", "--sink", "1", "--save", dir.File("never.net")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("never.net")));
}

} // namespace
} // namespace plax
