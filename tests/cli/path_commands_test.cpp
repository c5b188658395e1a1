#include "cli/cli.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "model/user_messages.h"

#include "net_builders.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::AddEdge;
using plax::testing::ScratchDir;
constexpr auto Net = plax::testing::MakeNet;

const std::string Examples = PLAX_EXAMPLES_DIR;
const std::string Road = Examples + "/road.net";
const std::string Flow = Examples + "/flow.net";
const std::string Project = Examples + "/project.net";

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(std::vector<std::string> args) {
    for (const char* a : {"--time", "12:00", "--date", "08.12.2026"})
        args.emplace_back(a);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Header(const std::string& title, const std::string& name, const std::string& type, int points,
                   int edges) {
    std::string text;
    for (const std::string& line : plax::testing::ResultsHeader(title, name, type, points, edges))
        text += line + "\n";
    return text;
}

// Saves `net` in `dir` under its own name and answers the path.
std::string Saved(const ScratchDir& dir, NetWorkType net) {
    for (int i = 1; i <= net.n; ++i) {
        net.points[static_cast<std::size_t>(i)].name = "No Name";
        net.points[static_cast<std::size_t>(i)].weight = 1.0;
    }
    net.defaultOptions = DefaultPointOptions();
    const std::string path = dir.File(net.name + ".net");
    SilentMessages messages;
    EXPECT_TRUE(SaveNetFile(net, path, messages));
    return path;
}

void ExpectRefused(const CliRun& run, const std::string& err) {
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, err);
}

TEST(PathCommands, SpanningTreeOfTheRoads) {
    // From Harbour: Quay St (5) to Market, River Rd (3), Mill Ln (4), High St (6) to Square,
    // Park Ave (2.5), Gate St (5) to Castle, North Rd (6) to Farm, Field Ln (4.5): 36 km.
    const CliRun run = Cli({"run", "spanning-tree", Road, "--marks"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(
        run.out,
        Header("                Min. Spanning Tree", "road", "undirNet", 9, 14) +
            "    Min. Spanning Tree Weight = 36\n"
            "     Edges of Min. Spanning Tree:\n"
            "      (  1,  3),  (  3,  4),  (  3,  2),  (  3,  6),  (  6,  7),\n"
            "      (  6,  5),  (  6,  8),  (  8,  9).\n"
            "    Procedure complete. \n"
            "marks:\nedge 1 3 \"Harbour\" \"Market\"\nedge 3 4 \"Market\" \"Bridge\"\nedge 3 2 \"Market\" "
            "\"Mill\"\nedge 3 6 \"Market\" \"Square\"\nedge 6 7 \"Square\" \"Station\"\nedge 6 5 \"Square\" "
            "\"Castle\"\nedge 6 8 \"Square\" \"Farm\"\nedge 8 9 \"Farm\" \"Airport\"\n");

    ExpectRefused(Cli({"run", "spanning-tree", Flow}),
                  "plax-cli: spanning-tree is offered for undirected nets only\n");
}

// Only "dirNet" is directed: the other kinds the reader accepts are offered what "undirNet" is.
// Their edges are stored one way, so the line 1 -> 2 (1), 2 -> 3 (2) holds two edges; a net
// read from a file is named after it.
TEST(PathCommands, KindsOtherThanDirNetAreNotDirected) {
    ScratchDir dir;
    for (const std::uint16_t kind : {std::uint16_t{0}, std::uint16_t{1}}) {
        const std::string name(NetKind[kind]);
        SCOPED_TRACE(name);
        NetWorkType line = Net(kind, 3, "line");
        AddEdge(line, 1, 2, 1);
        AddEdge(line, 2, 3, 2);
        const std::string path = dir.File(name + ".net");
        SilentMessages messages;
        ASSERT_TRUE(SaveNetFile(line, path, messages));

        const CliRun tree = Cli({"run", "spanning-tree", path, "--marks"});
        EXPECT_EQ(tree.status, 0);
        EXPECT_EQ(tree.err, "");
        EXPECT_EQ(tree.out, Header("                Min. Spanning Tree", name, name, 3, 2) +
                                "    Min. Spanning Tree Weight = 3\n"
                                "     Edges of Min. Spanning Tree:\n"
                                "      (  1,  2),  (  2,  3).\n"
                                "    Procedure complete. \n"
                                "marks:\nedge 1 2\nedge 2 3\n");
        ExpectRefused(Cli({"run", "critical-path", path}),
                      "plax-cli: critical-path is offered for directed nets only\n");
    }
}

TEST(PathCommands, MaximalFlowThroughThePipes) {
    // 1-2-4-6 carries 5, 1-3-5-6 carries 6, 1-3-5-4-6 carries 2: both pipes into Sink are full.
    ScratchDir dir;
    const CliRun run =
        Cli({"run", "max-flow", Flow, "--source", "1", "--sink", "6", "--save", dir.File("out.net")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, Header("                Maximal Flow", "flow", "dirNet", 6, 9) +
                           "    Source = 1    Sink = 6\n"
                           "    Value of the Maximal Flow is equal to\n"
                           "    13\n"
                           "    Values of the Edges Flow:\n"
                           "      Flow( 1, 2)= 5;        Flow( 1, 3)= 8;        Flow( 2, 4)= 5;      \n"
                           "      Flow( 3, 5)= 8;        Flow( 4, 6)= 7;        Flow( 5, 4)= 2;      \n"
                           "      Flow( 5, 6)= 6;      \n"
                           "       Red Edge : Flow = Mark\n"
                           "      Blue Edge : Flow >= Mark/2\n"
                           "     Green Edge : Flow <= Mark/2\n"
                           "    Silver Edge : Flow = 0\n"
                           "    Procedure complete. \n");
    NetWorkType saved;
    SilentMessages messages;
    ASSERT_TRUE(LoadNetFile(saved, dir.File("out.net"), OptionType{}, messages));
    EXPECT_EQ(GetEdgeReal(saved, EdgeRealFlow, 5, 4), 2.0);
    EXPECT_EQ(GetEdgeReal(saved, EdgeRealFlow, 4, 6), 7.0);
    EXPECT_EQ(GetEdgeReal(saved, EdgeRealFlow, 2, 3), 0.0);

    ExpectRefused(Cli({"run", "max-flow", Flow, "--source", "6", "--sink", "1"}),
                  "You have Selected Source - 6.\nThere are not Paths to other Points.\n");
    ExpectRefused(
        Cli({"run", "max-flow", Saved(dir, Net(DirNetCode, 1, "one")), "--source", "1", "--sink", "1"}),
        "Trivial NetWork.\n");
}

const std::string ProjectText =
    Header("                Critical Path", "project", "dirNet", 7, 9) +
    "    Source = 1    Sink = 7\n"
    "    Critical Path from 1 to 7 has Length : 14\n"
    "    Critical Path from 1 to 7 :\n"
    "      1,   2,   4,   5,   6,   7.\n"
    "    \n"
    "    Critical Path by Name of Points\n"
    "    Start, Site, Base, Frame, Roof, Done.\n"
    "    \n"
    "    Critical Path by Name of Edges\n"
    "    Survey, Dig, Pour, Raise, Paint.\n"
    "    \n"
    "\n"
    "                    Events\n"
    "                       Event     E.Start     L.Start     Reserve\n"
    "                   Start (1)           0           0           0\n"
    "                    Site (2)           2           2           0\n"
    "                   Parts (3)           4           7           3\n"
    "                    Base (4)           5           5           0\n"
    "                   Frame (5)           9           9           0\n"
    "                    Roof (6)          12          12           0\n"
    "                    Done (7)          14          14           0\n"
    "\n"
    "\n"
    "                    Jobs\n"
    "                         Job      Length     E.Start     L.Start     Reserve\n"
    "                Survey (1,2)           2           0           0           0\n"
    "                 Order (1,3)           4           0           3           3\n"
    "                   Dig (2,4)           3           2           2           0\n"
    "               Measure (2,3)           1           2           6           4\n"
    "                   Cut (3,5)           2           4           7           3\n"
    "                  Pour (4,5)           4           5           5           0\n"
    "                  Wire (4,6)           5           5           7           2\n"
    "                 Raise (5,6)           3           9           9           0\n"
    "                 Paint (6,7)           2          12          12           0\n"
    "\n"
    "    Procedure complete. \n";

TEST(PathCommands, CriticalPathOfTheShed) {
    // Start-Site-Base-Frame-Roof-Done takes 2 + 3 + 4 + 3 + 2 = 14 days; Parts can wait 3.
    const CliRun quiet = Cli({"run", "critical-path", Project, "--marks"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, ProjectText +
                             "marks:\nedge 1 2 \"Start\" \"Site\"\nedge 2 4 \"Site\" \"Base\"\nedge 4 5 "
                             "\"Base\" \"Frame\"\nedge 5 6 \"Frame\" \"Roof\"\nedge 6 7 \"Roof\" \"Done\"\n");
    EXPECT_EQ(quiet.err, "") << "without --yes nothing is asked and no chart is offered";

    const CliRun asked = Cli({"run", "critical-path", Project, "--yes"});
    EXPECT_EQ(asked.status, 0);
    EXPECT_EQ(asked.out, ProjectText);
    EXPECT_EQ(asked.err, "The Source is Point 1. The Sink is Point 7.Do you wish to Continue? Yes\n"
                         "Do you wish to show Gantt Chart? Yes\n"
                         "gantt:\n"
                         "bar 0 2 0000FF 0 (1,2) - Survey\n"
                         "bar 0 4 008000 3 (1,3) - Order\n"
                         "bar 2 5 0000FF 0 (2,4) - Dig\n"
                         "bar 2 3 008000 4 (2,3) - Measure\n"
                         "bar 4 6 008000 3 (3,5) - Cut\n"
                         "bar 5 9 0000FF 0 (4,5) - Pour\n"
                         "bar 5 10 008000 2 (4,6) - Wire\n"
                         "bar 9 12 0000FF 0 (5,6) - Raise\n"
                         "bar 12 14 0000FF 0 (6,7) - Paint\n");

    // Reserves are saved in the flow fields.
    ScratchDir dir;
    ASSERT_EQ(Cli({"run", "critical-path", Project, "--save", dir.File("out.net")}).status, 0);
    NetWorkType saved;
    SilentMessages messages;
    ASSERT_TRUE(LoadNetFile(saved, dir.File("out.net"), OptionType{}, messages));
    EXPECT_EQ(GetEdgeReal(saved, EdgeRealFlow, 2, 3), 4.0);
    EXPECT_EQ(GetEdgeReal(saved, EdgeRealFlow, 4, 5), 0.0);
}

TEST(PathCommands, CriticalPathRefusals) {
    ExpectRefused(Cli({"run", "critical-path", Road}),
                  "plax-cli: critical-path is offered for directed nets only\n");
    ScratchDir dir;
    NetWorkType two = Net(DirNetCode, 3, "two");
    AddEdge(two, 1, 3, 1);
    AddEdge(two, 2, 3, 1);
    ExpectRefused(Cli({"run", "critical-path", Saved(dir, two)}),
                  "It Must be One Source and One Sink.\nThere isnt Critical Path\n");

    // The cycle 4-5-6 is out of the source's reach and still found.
    NetWorkType far = Net(DirNetCode, 6, "far");
    AddEdge(far, 1, 2, 1);
    AddEdge(far, 2, 3, 1);
    AddEdge(far, 4, 5, 1);
    AddEdge(far, 4, 3, 1);
    AddEdge(far, 5, 6, 1);
    AddEdge(far, 6, 4, 1);
    const std::string path = Saved(dir, far);
    const std::string question = "NetWork has a Cycle.\nThere isnt Critical Path\nDo you wish to Show Cycle?";
    ExpectRefused(Cli({"run", "critical-path", path}), question + " No (give --yes to answer Yes)\n");
    ExpectRefused(Cli({"run", "critical-path", path, "--yes"}),
                  question + " Yes\ncycle:\nedge 5 6\nedge 4 5\nedge 6 4\n");
}

TEST(PathCommands, KShortestPathsOnTheRoads) {
    // 1-3-6-8-9 (21.5), 1-4-7-9 (24), 1-3-6-7-9 (24.5); the second one is marked.
    const CliRun run = Cli({"run", "k-shortest-paths", Road, "--source", "1", "--sink", "9", "--k", "3",
                            "--show", "2", "--marks"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    std::string header = Header("    K Shortest Paths with distinct length", "road", "undirNet", 9, 14);
    header.insert(header.find("                Time"), "        Strictly increasing order\n");
    EXPECT_EQ(run.out, header + "    Source = 1    Sink = 9\n"
                                "    K = 3\n"
                                "\n"
                                "    Distinct Lengths of 3 shortest paths in increasing order:\n"
                                "    21.5, 24, 24.5\n"
                                "\n"
                                "    \n    1 Path \n    Path has length 21.5\n    Point sequence:\n"
                                "      1,  3,  6,  8,  9\n"
                                "    \n    2 Path \n    Path has length 24\n    Point sequence:\n"
                                "      1,  4,  7,  9\n"
                                "    \n    3 Path \n    Path has length 24.5\n    Point sequence:\n"
                                "      1,  3,  6,  7,  9\n"
                                "\n"
                                "    Procedure complete. \n"
                                "marks:\nedge 1 4 \"Harbour\" \"Bridge\"\nedge 4 7 \"Bridge\" "
                                "\"Station\"\nedge 7 9 \"Station\" \"Airport\"\n");

    // The defaults are K = 1 and the first walk marked; a walk can have more steps than points.
    const CliRun one = Cli({"run", "k-shortest-paths", Road, "--source", "9", "--sink", "1", "--marks"});
    EXPECT_EQ(one.status, 0);
    EXPECT_NE(one.out.find("    K = 1\n"), std::string::npos);
    EXPECT_NE(one.out.find("marks:\nedge 9 8 \"Airport\" \"Farm\"\nedge 8 6 \"Farm\" \"Square\"\nedge 6 3 "
                           "\"Square\" \"Market\"\nedge 3 1 \"Market\" \"Harbour\"\n"),
              std::string::npos);
    ScratchDir dir;
    NetWorkType edge = Net(UndirNetCode, 2, "edge");
    AddEdge(edge, 1, 2, 1);
    const CliRun back = Cli({"run", "k-shortest-paths", Saved(dir, edge), "--source", "1", "--sink", "2",
                             "--k", "3", "--show", "3", "--marks"});
    EXPECT_EQ(back.status, 0);
    EXPECT_NE(back.out.find("    1, 3, 5\n"), std::string::npos);
    EXPECT_NE(back.out.find(
                  "marks:\nedge 1 2 \"No Name\" \"No Name\"\nedge 2 1 \"No Name\" \"No Name\"\nedge 1 2 \"No "
                  "Name\" \"No Name\"\nedge 2 1 \"No Name\" \"No Name\"\nedge 1 2 \"No Name\" \"No Name\"\n"),
              std::string::npos);
}

TEST(PathCommands, KShortestPathsOptionsAndRefusals) {
    for (const auto& [option, value] :
         std::vector<std::pair<std::string, std::string>>{{"--k", "0"},
                                                          {"--k", "16"},
                                                          {"--show", "2"},
                                                          {"--show", "-1"},
                                                          {"--iterations", "99"},
                                                          {"--iterations", "10001"},
                                                          {"--k", "two"}}) {
        SCOPED_TRACE(option + " " + value);
        const CliRun run =
            Cli({"run", "k-shortest-paths", Road, "--source", "1", "--sink", "9", option, value});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
    ScratchDir dir;
    ExpectRefused(Cli({"run", "k-shortest-paths", Saved(dir, Net(DirNetCode, 1, "one")), "--source", "1",
                       "--sink", "1"}),
                  "Trivial NetWork.\n");
}

TEST(PathCommands, MaxCapacityPathOfTheRoads) {
    // Harbour-Bridge (6), Rail Rd (7), Ring Rd (11): nothing wider reaches Station or Airport.
    const CliRun run = Cli({"run", "max-capacity-path", Road, "--source", "1", "--sink", "9", "--marks"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              Header("                Max. Capacity Path ", "road", "undirNet", 9, 14) +
                  "\n    Source = 1    Sink = 9\n\n    Max. Capacity = 6\n\n    Procedure complete. \n"
                  "marks:\n");
    ScratchDir dir;
    ExpectRefused(Cli({"run", "max-capacity-path", Saved(dir, Net(DirNetCode, 1, "one")), "--source", "1",
                       "--sink", "1"}),
                  "There isnt Path \n");
}

} // namespace
} // namespace plax
