// plax-cli check and run --certificate on a small net saved for the run.
#include "cli/check_command.h"

#include "cli_run.h"
#include "scratch_dir.h"

namespace plax::testing {
namespace {

// Pipes 1->2 (3), 1->3 (2), 2->4 (2), 3->4 (3): the maximal flow is 4.
std::string SavedPipes(const ScratchDir& dir) {
    NetWorkType net = MakeNet(DirNetCode, 4, "pipes");
    AddEdge(net, 1, 2, 3);
    AddEdge(net, 1, 3, 2);
    AddEdge(net, 2, 4, 2);
    AddEdge(net, 3, 4, 3);
    const std::string path = dir.File("pipes.net");
    SaveTestNet(net, path);
    return path;
}

TEST(CheckCommand, VerdictAccountAndExitStatus) {
    ScratchDir dir;
    const std::string path = SavedPipes(dir);
    const std::vector<std::string> base = {"check", "max-flow", path,         "--source",
                                           "1",     "--sink",   "4",          "--time",
                                           "12:00", "--date",   "08.12.2026", "--answer"};
    auto args = base;
    args.push_back("5");
    const CliRun wrong = RunPlaxCli(args);
    EXPECT_EQ(wrong.status, cli::ExitIncorrect);
    EXPECT_EQ(wrong.out, PrintedHeader("                Check My Answer", "pipes", "dirNet", 4, 4) +
                             "    Question : maximal flow from 1 to 4\n"
                             "    Your answer : 5\n\n"
                             "    no flow of 5 exists: the cut around {1,2} has capacity 4\n\n"
                             "    Proof:\n"
                             "    Minimum cut: the points {1,2} against the rest\n"
                             "    Edges across the cut, with their capacities:\n"
                             "     (1,3) 2 (2,4) 2\n"
                             "    Capacity of the cut = 4, value of the flow = 4\n"
                             "    Procedure complete. \n");
    args.back() = "4";
    EXPECT_EQ(RunPlaxCli(args).status, 0);
    args.back() = "4;1-2";
    const CliRun unreadable = RunPlaxCli(args);
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err, "plax-cli: the answer cannot be read: a flow is written FROM-TO=AMOUNT, the "
                              "amount from 0 to 1.0E38\n");
    EXPECT_EQ(RunPlaxCli({"check", "density", path, "--answer", "1"}).status, 1) << "not for directed nets";
    EXPECT_EQ(RunPlaxCli({"check", "no-such", path, "--answer", "1"}).status, 2);
}

TEST(CheckCommand, CertificateFollowsTheUnchangedResults) {
    ScratchDir dir;
    const std::string path = SavedPipes(dir);
    const CliRun plain = RunPlaxCli({"run", "max-flow", path, "--source", "1", "--sink", "4", "--time", "1"});
    const CliRun proved =
        RunPlaxCli({"run", "max-flow", path, "--source", "1", "--sink", "4", "--time", "1", "--certificate"});
    ASSERT_EQ(proved.status, 0);
    ASSERT_EQ(proved.out.substr(0, plain.out.size()), plain.out);
    EXPECT_EQ(proved.out.substr(plain.out.size()), "certificate:\n"
                                                   "    Minimum cut: the points {1,2} against the rest\n"
                                                   "    Edges across the cut, with their capacities:\n"
                                                   "     (1,3) 2 (2,4) 2\n"
                                                   "    Capacity of the cut = 4, value of the flow = 4\n");
}

// The complete net on n points, each edge of weight 1.
std::string SavedComplete(const ScratchDir& dir, int n) {
    NetWorkType net = MakeNet(UndirNetCode, n, "complete");
    for (int a = 1; a <= n; ++a)
        for (int b = a + 1; b <= n; ++b)
            AddEdge(net, a, b, 1);
    const std::string path = dir.File("k" + std::to_string(n) + ".net");
    SaveTestNet(net, path);
    return path;
}

std::string Certificate(const CliRun& run) {
    const auto at = run.out.find("certificate:\n");
    return at == std::string::npos ? run.out : run.out.substr(at);
}

// What a proof names is so in the net: the cliques that bound an independent set of the 6-cycle
// are three of its edges, the independent sets that bound a clique of K4 its points.
TEST(CheckCommand, SetProofsNameTrueClassesAndNoEmptyOne) {
    ScratchDir dir;
    NetWorkType ring = MakeNet(UndirNetCode, 6, "ring");
    for (int p = 1; p <= 6; ++p)
        AddEdge(ring, p, p % 6 + 1, 1);
    const std::string path = dir.File("ring.net");
    SaveTestNet(ring, path);
    const std::string threeCliques =
        "    No independent set has more than 3 points: the points fall into 3 cliques:\n"
        "    {1,2} {3,4} {5,6}\n";
    EXPECT_EQ(Certificate(RunPlaxCli({"run", "undensity", path, "--certificate"})),
              "certificate:\n" + threeCliques);
    EXPECT_EQ(Certificate(RunPlaxCli({"run", "point-cover", path, "--certificate"})),
              "certificate:\n    The points outside a cover are independent, and no independent set has more "
              "than 3 points:\n" +
                  threeCliques);
    EXPECT_EQ(Certificate(RunPlaxCli({"run", "density", SavedComplete(dir, 4), "--certificate"})),
              "certificate:\n    No clique has more than 4 points: the points fall into 4 independent sets:\n"
              "    {1} {2} {3} {4}\n");
}

// A search the time limit stopped found what it found by then; no proof is made up afterwards.
TEST(CheckCommand, AStoppedSearchHasNoProof) {
    ScratchDir dir;
    const CliRun stopped =
        RunPlaxCli({"run", "density", SavedComplete(dir, 15), "--time-limit", "0", "--certificate"});
    EXPECT_EQ(stopped.status, 0);
    EXPECT_EQ(Certificate(stopped), "certificate:\n    The search was stopped before it was complete; there "
                                    "is no proof of what it found.\n");
}

} // namespace
} // namespace plax::testing
