#include "cli_run.h"
#include "net_builders.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plax {
namespace {

using testing::RunPlaxCli;
using testing::ScratchDir;

const std::vector<std::string> Clock = {"--time", "12:00", "--date", "08.12.2026"};

std::vector<std::string> Args(std::vector<std::string> args) {
    args.insert(args.end(), Clock.begin(), Clock.end());
    return args;
}

// A square 1-2-3-4 with the chord 1-3.
NetWorkType Square() {
    NetWorkType net = testing::MakeNet(UndirNetCode, 4, "square");
    testing::AddEdge(net, 1, 2, 1.0);
    testing::AddEdge(net, 2, 3, 2.0);
    testing::AddEdge(net, 3, 4, 1.0);
    testing::AddEdge(net, 4, 1, 2.0);
    testing::AddEdge(net, 1, 3, 5.0);
    return net;
}

NetWorkType Complete15() {
    NetWorkType net = testing::MakeNet(UndirNetCode, 15, "k15");
    for (int i = 1; i <= 15; ++i) {
        for (int j = i + 1; j <= 15; ++j)
            testing::AddEdge(net, i, j, 1.0);
    }
    return net;
}

TEST(SearchCommands, EveryNameRunsAndMarks) {
    ScratchDir dir;
    const std::string path = dir.File("square.net");
    testing::SaveTestNet(Square(), path);
    for (const std::string name :
         {"hamiltonian-path", "hamiltonian-cycle", "salesman", "density", "undensity", "point-cover",
          "coloring", "quick-color-1", "quick-color-2", "automorphisms", "symmetry-group"}) {
        SCOPED_TRACE(name);
        const auto run = RunPlaxCli(Args({"run", name, path, "--source", "1", "--marks"}));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.rfind("\n", 0), 0u) << "the account opens with its empty line";
        EXPECT_NE(run.out.find("             NetWork : square\n"), std::string::npos);
        EXPECT_NE(run.out.find("\nmarks:\n"), std::string::npos);
    }
    // The salesman's lightest cycle on the square goes round it: 1 + 2 + 1 + 2.
    const auto tour = RunPlaxCli(Args({"run", "salesman", path, "--source", "1"}));
    EXPECT_NE(tour.out.find("    Weight of the Cycle =  6\n"), std::string::npos) << tour.out;
}

TEST(SearchCommands, TimeLimitPressesStop) {
    ScratchDir dir;
    const std::string path = dir.File("k15.net");
    testing::SaveTestNet(Complete15(), path);
    // 15! automorphisms cannot be listed in a second; Stop ends the listing as the button does.
    const auto run = RunPlaxCli(Args({"run", "automorphisms", path, "--time-limit", "1"}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("    Procedure terminated! \n"), std::string::npos);
    const auto cycles =
        RunPlaxCli(Args({"run", "hamiltonian-cycle", path, "--source", "1", "--time-limit", "1"}));
    EXPECT_EQ(cycles.status, 0) << cycles.err;
}

// Sets an environment variable while it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// With --report the text goes into a store that moves to a temporary file past a few MiB. When
// that file cannot be made the listing stops as Stop would, says why, and no half report is added.
TEST(SearchCommands, ReportOfAListingItsStoreCannotKeep) {
    ScratchDir dir;
    const std::string path = dir.File("k15.net");
    testing::SaveTestNet(Complete15(), path);
    testing::CliRun run;
    {
        const ScopedEnv noTemp("TMPDIR", dir.File("missing"));
        run = RunPlaxCli(
            Args({"run", "hamiltonian-path", path, "--source", "1", "--time-limit", "60", "--report"}));
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The Results text cannot be kept: its temporary file cannot be written.\n"
                       "Procedure stopped. \n"
                       " Cannot append Result text to " +
                           dir.File("k15.TXT") + ": the Results text is incomplete\n");
    const std::string end = "    Procedure complete. \n    Procedure terminated! Hamiltonian Path  Found. \n";
    ASSERT_GT(run.out.size(), std::size_t{4} << 20) << "the text outgrew the store's memory";
    EXPECT_EQ(run.out.substr(run.out.size() - end.size()), end);
    EXPECT_FALSE(std::filesystem::exists(dir.File("k15.TXT")));
}

// A listing goes to standard output in blocks and into the report's store whole: the report
// holds, after its title line and with CR LF line ends, exactly the text printed.
TEST(SearchCommands, ReportOfAListingIsThePrintedText) {
    ScratchDir dir;
    const std::string path = dir.File("k6.net");
    NetWorkType k6 = testing::MakeNet(UndirNetCode, 6, "k6");
    for (int i = 1; i <= 6; ++i) {
        for (int j = i + 1; j <= 6; ++j)
            testing::AddEdge(k6, i, j, i + j);
    }
    testing::SaveTestNet(k6, path);
    for (const std::string procedure : {"hamiltonian-cycle", "salesman", "automorphisms"}) {
        const testing::CliRun run = RunPlaxCli(Args({"run", procedure, path, "--source", "1", "--report"}));
        ASSERT_EQ(run.status, 0) << procedure << run.err;
        std::string report = testing::ReadAll(dir.File("k6.TXT"));
        std::filesystem::remove(dir.File("k6.TXT"));
        std::erase(report, '\r');
        ASSERT_NE(report.find('\n'), std::string::npos) << procedure;
        EXPECT_EQ(report.substr(report.find('\n') + 1), run.out) << procedure;
    }
}

TEST(SearchCommands, RefusalsAndUsage) {
    ScratchDir dir;
    NetWorkType directed = Square();
    directed.kindName = NetKind[DirNetCode];
    const std::string dirPath = dir.File("directed.net");
    testing::SaveTestNet(directed, dirPath);
    const auto density = RunPlaxCli(Args({"run", "density", dirPath}));
    EXPECT_EQ(density.status, 1);
    EXPECT_EQ(density.err, "plax-cli: density is offered for undirected nets only\n");

    const std::string path = dir.File("square.net");
    testing::SaveTestNet(Square(), path);
    EXPECT_EQ(RunPlaxCli(Args({"run", "hamiltonian-cycle", path})).status, 2) << "the start point is needed";
    EXPECT_EQ(RunPlaxCli(Args({"run", "salesman", path, "--source", "5"})).status, 2);

    // Plain changes list the same automorphisms in another order.
    const auto sorted = RunPlaxCli(Args({"run", "automorphisms", path}));
    const auto unsorted = RunPlaxCli(Args({"run", "automorphisms", path, "--unsorted"}));
    EXPECT_EQ(sorted.status, 0);
    EXPECT_EQ(unsorted.status, 0);
    EXPECT_EQ(sorted.out.size(), unsorted.out.size());
}

} // namespace
} // namespace plax
