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

} // namespace
} // namespace plax::testing
