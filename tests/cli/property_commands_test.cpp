#include "model/net_store.h"

#include "cli_run.h"
#include "net_builders.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

const std::string Examples = PLAX_EXAMPLES_DIR;

CliRun RunNamed(const std::string& procedure, const std::string& path, bool marks = false) {
    std::vector<std::string> args = {"run", procedure, path, "--time", "12:00", "--date", "08.12.2026"};
    if (marks) args.push_back("--marks");
    return RunPlaxCli(args);
}

// 1 - 2 - 3, saved as `name`.net in `dir`.
std::string SavedPath(const ScratchDir& dir, std::uint16_t kind = UndirNetCode) {
    NetWorkType net = MakeNet(kind, 3, "line");
    net.defaultOptions = DefaultPointOptions();
    AddEdge(net, 1, 2, 1.0);
    AddEdge(net, 2, 3, 1.0);
    const std::string path = dir.File(kind == UndirNetCode ? "line.net" : "arrows.net");
    SaveTestNet(net, path);
    return path;
}

TEST(PropertyCommands, MetricsOfTheRoadNet) {
    // Square (6) reaches every town in two steps; from every other town some town is three away.
    const CliRun run = RunNamed("metrics", Examples + "/road.net", true);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, PrintedHeader("                Metrics of the Graph", "road", "undirNet", 9, 14) +
                           "    Number of Connected Component : 1\n"
                           "      Radius : 2\n"
                           "    Diameter : 3\n"
                           "    Center   Points - Green Color Points\n"
                           "    Diameter Points -   Red Color Points\n"
                           "    \n"
                           "    Graph is Not Regular.\n"
                           "    \n"
                           "    Degrees of the Points:\n"
                           "    Point       1    2    3    4    5    6    7    8    9\n"
                           "    Degree      3    3    4    3    3    4    3    3    2\n"
                           " \n"
                           "    Sorted Degrees:\n"
                           "        2    3    3    3    3    3    3    4    4\n"
                           "    \n"
                           "    Procedure complete. \n"
                           "marks:\n"
                           "point 1 0000FF 9 \"Harbour\"\npoint 2 0000FF 9 \"Mill\"\npoint 3 0000FF 9 "
                           "\"Market\"\npoint 4 0000FF 9 \"Bridge\"\n"
                           "point 5 0000FF 9 \"Castle\"\npoint 6 008000 2 \"Square\"\npoint 7 0000FF 9 "
                           "\"Station\"\npoint 8 0000FF 9 \"Farm\"\n"
                           "point 9 0000FF 9 \"Airport\"\n");
}

TEST(PropertyCommands, CutPointsAndBridgesOfAPath) {
    ScratchDir dir;
    const std::string line = SavedPath(dir);
    const CliRun cuts = RunNamed("cut-points", line, true);
    EXPECT_EQ(cuts.status, 0);
    EXPECT_EQ(cuts.out, PrintedHeader("            CutPoints of the Graph", "line", "undirNet", 3, 2) +
                            "        CutPoints:\n     2.\n    Counter = 1\n    Procedure complete. \n"
                            "marks:\npoint 2 0000FF 9\n");
    const CliRun bridges = RunNamed("bridges", line, true);
    EXPECT_EQ(bridges.status, 0);
    EXPECT_EQ(bridges.out,
              PrintedHeader("            Bridges of the Graph", "line", "undirNet", 3, 2) +
                  "        Bridges:\n    ( 2, 1),( 3, 2).\n    Counter = 2\n    Procedure complete. \n"
                  "marks:\nedge 1 2\nedge 2 3\n");

    // The road net has neither.
    const CliRun none = RunNamed("bridges", Examples + "/road.net");
    EXPECT_EQ(none.status, 0);
    EXPECT_NE(none.out.find("\n    Bridges of the Graph Not Found. \n    Counter = 0\n"), std::string::npos);

    // The menu offers neither command for a directed net; a net without edges is trivial.
    const CliRun directed = RunNamed("cut-points", SavedPath(dir, DirNetCode));
    EXPECT_EQ(directed.status, 1);
    EXPECT_EQ(directed.out, "");
    EXPECT_EQ(directed.err, "plax-cli: cut-points is offered for undirected nets only\n");
    NetWorkType bare = MakeNet(UndirNetCode, 4, "bare");
    SaveTestNet(bare, dir.File("bare.net"));
    const CliRun trivial = RunNamed("bridges", dir.File("bare.net"));
    EXPECT_EQ(trivial.status, 1);
    EXPECT_EQ(trivial.out, "");
    EXPECT_EQ(trivial.err, "Trivial NetWork.\n");
}

TEST(PropertyCommands, EulerFindsOrRefuses) {
    ScratchDir dir;
    const std::string line = SavedPath(dir);
    const CliRun path = RunNamed("euler-path", line, true);
    EXPECT_EQ(path.status, 0);
    EXPECT_EQ(path.out, PrintedHeader("                Eulerian Path ", "line", "undirNet", 3, 2) +
                            "\n    Source = 3\n\n    Eulerian Path :\n      3   2   1 \n    \n"
                            "    Procedure complete. \nmarks:\n");
    const CliRun cycle = RunNamed("euler-cycle", line, true);
    EXPECT_EQ(cycle.status, 1);
    EXPECT_EQ(cycle.out, "");
    EXPECT_EQ(cycle.err, "Eulerian Cycle doesnt Exists!\nProcedure terminated! \n");

    // The pipes start at Source with two more out than in: no Eulerian path.
    const CliRun pipes = RunNamed("euler-path", Examples + "/flow.net");
    EXPECT_EQ(pipes.status, 1);
    EXPECT_EQ(pipes.err, "Eulerian Path doesnt Exists!\nProcedure terminated! \n");

    NetWorkType apart = MakeNet(UndirNetCode, 2, "apart");
    SaveTestNet(apart, dir.File("apart.net"));
    const CliRun split = RunNamed("euler-cycle", dir.File("apart.net"));
    EXPECT_EQ(split.status, 1);
    EXPECT_EQ(split.err, "There isnt Eulerian Cycle \nGraph not connected.\nProcedure terminated! \n");
    NetWorkType empty = MakeNet(UndirNetCode, 0, "empty");
    SaveTestNet(empty, dir.File("empty.net"));
    const CliRun trivial = RunNamed("euler-path", dir.File("empty.net"));
    EXPECT_EQ(trivial.status, 1);
    EXPECT_EQ(trivial.err, "Trivial NetWork.\n");
}

TEST(PropertyCommands, InfoListsThePipesInPointOrder) {
    const CliRun run = RunNamed("info", Examples + "/flow.net");
    EXPECT_EQ(run.status, 0);
    const std::string edge = "No Name              Line    ";
    const std::string edges = "    (4,6)     " + edge +
                              "7             0\n"
                              "    (5,2)     " +
                              edge +
                              "3             0\n"
                              "    (5,4)     " +
                              edge +
                              "4             0\n"
                              "    (5,6)     " +
                              edge +
                              "6             0\n"
                              "    \n    Procedure complete. \n";
    ASSERT_GT(run.out.size(), edges.size());
    EXPECT_EQ(run.out.substr(run.out.size() - edges.size()), edges);
    EXPECT_NE(run.out.find("\n    1     Source               Circle  1             \n"), std::string::npos);
}

TEST(PropertyCommands, EveryNameRunsOnEveryExample) {
    const std::vector<std::string> names = {"metrics",    "cut-points",  "bridges",
                                            "euler-path", "euler-cycle", "info"};
    for (const std::string example : {"road", "flow", "project", "railway", "petri"}) {
        for (const std::string& name : names) {
            SCOPED_TRACE(name + " on " + example);
            const CliRun run = RunNamed(name, Examples + "/" + example + ".net");
            ASSERT_TRUE(run.status == 0 || run.status == 1);
            if (run.status == 0) {
                EXPECT_EQ(run.err, "");
                EXPECT_NE(run.out.find("\n    Procedure complete. \n"), std::string::npos);
            } else {
                EXPECT_EQ(run.out, "");
                EXPECT_NE(run.err, "");
            }
        }
    }
}

} // namespace
} // namespace plax
