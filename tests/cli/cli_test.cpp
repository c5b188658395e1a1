#include "cli/cli.h"
#include "cli/handoff.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "model/user_messages.h"

#include "cli_run.h"
#include "net_builders.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plax {

namespace {

using plax::testing::ReadAll;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;

using cli::RunCli;
using Json = nlohmann::json;

const std::string Examples = PLAX_EXAMPLES_DIR;

using plax::testing::CliRun;

CliRun Cli(const std::vector<std::string>& args) { return plax::testing::RunPlaxCli(args); }

class NoMessagesExpected : public UserMessages {
public:
    void Warning(const std::string& text) override { ADD_FAILURE() << text; }
    void Error(const std::string& text) override { ADD_FAILURE() << text; }
    void Information(const std::string& text) override { ADD_FAILURE() << text; }
    bool Confirm(const std::string& text) override {
        ADD_FAILURE() << text;
        return false;
    }
};

// Three points; the edge 3->1 of weight 1.5 shows as 2 in Krack Plot text and 1->3 of 0.3 as 0.
NetWorkType TinyNet() {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, DirNetCode);
    net.defaultOptions = DefaultPointOptions();
    const std::vector<std::tuple<int, int, std::string>> points = {
        {10, 10, "A"}, {20, 30, "B"}, {40, 20, "C"}};
    for (const auto& [x, y, name] : points) {
        PointType& p = net.points[++net.n];
        p.x = x;
        p.y = y;
        p.name = name;
        p.tokens = 1;
    }
    const std::vector<std::tuple<int, int, double>> edges = {
        {1, 2, 2.0}, {2, 3, 5.0}, {3, 1, 1.5}, {1, 3, 0.3}};
    for (const auto& [from, to, weight] : edges) {
        EdgeType e;
        e.weight = weight;
        e.name = "No Name";
        e.lineWidth = 1;
        EXPECT_TRUE(InsertEdge(net, from, to, e));
    }
    return net;
}

// y runs from 10 to 30, so each y is written as 40 - y.
const std::string TinyKrackPlot = "3\r\n"
                                  "    10     30  A\r\n"
                                  "    20     10  B\r\n"
                                  "    40     20  C\r\n"
                                  "120\r\n"
                                  "015\r\n"
                                  "201\r\n"
                                  "arrows=y\r\n";

std::string SaveTinyNet(const ScratchDir& dir, const std::string& name) {
    const std::string path = dir.File(name);
    NoMessagesExpected messages;
    EXPECT_TRUE(SaveNetFile(TinyNet(), path, messages));
    return path;
}

std::vector<Json> EdgesFrom(const Json& net, int from) {
    std::vector<Json> out;
    for (const Json& e : net.at("edges")) {
        if (e.at("from").get<int>() == from) out.push_back(e);
    }
    return out;
}

// A standard output on a full disk: it takes `accept` bytes, then refuses, and a flush of
// anything it took fails.
class FullOutput : public std::streambuf {
public:
    explicit FullOutput(std::size_t accept) : accept_(accept) {}

protected:
    int_type overflow(int_type c) override {
        if (accept_ == 0) return traits_type::eof();
        --accept_;
        pending_ = true;
        return traits_type::not_eof(c);
    }
    int sync() override { return pending_ ? -1 : 0; }

private:
    std::size_t accept_;
    bool pending_ = false;
};

CliRun CliToFullOutput(const std::vector<std::string>& args, std::size_t accept) {
    FullOutput full(accept);
    std::ostream out(&full);
    std::ostringstream err;
    const int status = RunCli(args, out, err);
    return {status, "", err.str()};
}

} // namespace

TEST(Cli, HelpVersionAndUsageErrors) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
    EXPECT_NE(help.out.find("dump"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("plax-cli ", 0), 0u);
    EXPECT_EQ(version.err, "");

    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"dump"},
        {"dump", "a.net", "b.net"},
        {"convert", "a.net"},
        {"convert", "a.net", "b.kp", "c.txt"},
        {"dump", "--forge", "a.net"},
        {"convert", "a.net", "b.kp", "--yess"},
    };
    for (const auto& args : wrong) {
        SCOPED_TRACE(args.empty() ? std::string("(none)") : args[0] + " ... " + std::to_string(args.size()));
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
}

TEST(Cli, DumpShowsTheStoredNet) {
    const CliRun road = Cli({"dump", Examples + "/road.net"});
    ASSERT_EQ(road.status, 0) << road.err;
    EXPECT_EQ(road.err, "");
    const Json net = Json::parse(road.out);
    EXPECT_EQ(net.at("name"), "road");
    EXPECT_EQ(net.at("kind"), "undirNet");
    EXPECT_EQ(net.at("pointCount"), 9);
    ASSERT_EQ(net.at("points").size(), 9u);
    EXPECT_EQ(net.at("points")[0].at("name"), "Harbour");
    EXPECT_EQ(net.at("points")[0].at("number"), 1);
    // Fourteen roads, each held by both of its ends.
    EXPECT_EQ(net.at("edges").size(), 28u);

    // Harbour's roads were written head first as 4, 3, 2; loading puts each at the head again.
    const std::vector<Json> harbour = EdgesFrom(net, 1);
    ASSERT_EQ(harbour.size(), 3u);
    const std::vector<std::tuple<int, std::string, double>> expected = {
        {2, "Coast Rd", 7.0}, {3, "Quay St", 5.0}, {4, "Dock Rd", 6.0}};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(harbour[k].at("to").get<int>(), std::get<0>(expected[k]));
        EXPECT_EQ(harbour[k].at("listPosition").get<int>(), static_cast<int>(k) + 1);
        EXPECT_EQ(harbour[k].at("name"), std::get<1>(expected[k]));
        EXPECT_EQ(harbour[k].at("weight").get<double>(), std::get<2>(expected[k]));
        EXPECT_FALSE(harbour[k].contains("subNet"));
    }
    // Every road is there from both ends with the same weight.
    for (const Json& e : net.at("edges")) {
        const int from = e.at("from").get<int>();
        const int to = e.at("to").get<int>();
        int reverse = 0;
        for (const Json& r : EdgesFrom(net, to)) {
            if (r.at("to").get<int>() == from) {
                ++reverse;
                EXPECT_EQ(r.at("weight"), e.at("weight"));
            }
        }
        EXPECT_EQ(reverse, 1) << from << "-" << to;
    }

    const CliRun railway = Cli({"dump", Examples + "/railway.net"});
    ASSERT_EQ(railway.status, 0) << railway.err;
    const Json rail = Json::parse(railway.out);
    EXPECT_EQ(rail.at("name"), "railway");
    int withSubNet = 0;
    int withSubNetOf = 0;
    for (const Json& e : rail.at("edges")) {
        withSubNet += e.contains("subNet") ? 1 : 0;
        withSubNetOf += e.contains("subNetOf") ? 1 : 0;
    }
    EXPECT_EQ(withSubNet, 1);
    EXPECT_EQ(withSubNetOf, 1);

    // South (3) - East (4) is the decomposed Valley line.
    Json valley;
    for (const Json& e : EdgesFrom(rail, 3)) {
        if (e.at("to") == 4) valley = e;
    }
    ASSERT_TRUE(valley.is_object());
    EXPECT_EQ(valley.at("name"), "Valley");
    ASSERT_TRUE(valley.contains("subNet"));
    const Json& sub = valley.at("subNet");
    EXPECT_EQ(sub.at("name"), "");
    EXPECT_EQ(sub.at("kind"), "undirNet");
    EXPECT_EQ(sub.at("pointCount"), 5);
    std::vector<std::string> names;
    for (const Json& p : sub.at("points"))
        names.push_back(p.at("name").get<std::string>());
    EXPECT_EQ(names, (std::vector<std::string>{"South", "East", "Ford", "Lake", "Mine"}));
    EXPECT_EQ(sub.at("edges").size(), 10u);
    // Mine (5) is the higher end of all three of its lines, so its list is built from the
    // records (2,5), (3,5), (4,5) in that order, each put at the head.
    const std::vector<Json> mine = EdgesFrom(sub, 5);
    ASSERT_EQ(mine.size(), 3u);
    EXPECT_EQ(mine[0].at("to"), 4);
    EXPECT_EQ(mine[1].at("to"), 3);
    EXPECT_EQ(mine[2].at("to"), 2);
    EXPECT_EQ(mine[2].at("name"), "Bank");
    EXPECT_EQ(mine[2].at("weight").get<double>(), 2.5);
    EXPECT_EQ(mine[2].at("listPosition"), 3);

    Json reverse;
    for (const Json& e : EdgesFrom(rail, 4)) {
        if (e.at("to") == 3) reverse = e;
    }
    ASSERT_TRUE(reverse.is_object());
    EXPECT_FALSE(reverse.contains("subNet"));
    EXPECT_EQ(reverse.at("subNetOf"), Json::array({3, 4}));
}

TEST(Cli, OutputThatCannotBeWrittenEndsWithStatusOne) {
    ScratchDir dir;
    const std::string failed = "plax-cli: standard output cannot be written\n";
    const std::string road = dir.File("road.net");
    std::filesystem::copy_file(Examples + "/road.net", road);
    const std::size_t all = static_cast<std::size_t>(-1);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"dump", road},
          {"--help"},
          {"--version"},
          {"petri", Examples + "/petri.net"},
          {"run", "info", road},
          {"run", "metrics", road, "--report", "--save", dir.File("saved.net")}}) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const CliRun run = CliToFullOutput(args, all);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, failed);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("road.TXT"))) << "an unprinted run is not reported";
    EXPECT_FALSE(std::filesystem::exists(dir.File("saved.net")));
    // Nothing goes to standard output when converting.
    const CliRun converted = CliToFullOutput({"convert", road, dir.File("road.kp")}, all);
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.err, "");

    // A listing whose line is refused ends at once, adds nothing to the report, saves nothing.
    NetWorkType k15 = testing::MakeNet(UndirNetCode, 15, "k15");
    for (int i = 1; i <= 15; ++i) {
        for (int j = i + 1; j <= 15; ++j)
            testing::AddEdge(k15, i, j, 1.0);
    }
    testing::SaveTestNet(k15, dir.File("k15.net"));
    const CliRun listing = CliToFullOutput({"run", "hamiltonian-path", dir.File("k15.net"), "--source", "1",
                                            "--time-limit", "60", "--report", "--save", dir.File("k15b.net")},
                                           4096);
    EXPECT_EQ(listing.status, 1);
    EXPECT_EQ(listing.err, " Cannot write string to Results Window.\nProcedure terminated! \n" + failed);
    EXPECT_FALSE(std::filesystem::exists(dir.File("k15.TXT")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("k15b.net")));
}

TEST(Cli, DumpOfAMissingFile) {
    ScratchDir dir;
    const std::string path = dir.File("missing.net");
    const CliRun r = Cli({"dump", path});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    // The system's reason comes first, then the reader's own message.
    EXPECT_EQ(r.err, "plax-cli: " + path + ": No such file or directory\nInvalid format of the File\n" +
                         path + "\nLoad Procedure terminated! \n");

    const std::string kp = dir.File("missing.Kp");
    const CliRun k = Cli({"dump", kp});
    EXPECT_EQ(k.status, 3);
    EXPECT_EQ(k.err, "plax-cli: " + kp + ": No such file or directory\n Cannot Load file \n" + kp +
                         "\nLoad Procedure terminated! \n");
}

TEST(Cli, ConvertThroughEveryTextFormat) {
    ScratchDir dir;
    const std::string net = SaveTinyNet(dir, "tiny.net");
    const std::string kp = dir.File("tiny.kp");
    const std::string back = dir.File("back.net");
    const std::string txt = dir.File("edges.txt");

    CliRun r = Cli({"convert", net, kp});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadAll(kp), TinyKrackPlot);

    r = Cli({"convert", kp, back});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Cli({"convert", back, txt});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // 1.5 came back as 2 and 0.3 did not come back.
    EXPECT_EQ(ReadAll(txt), "3\r\n1,2,2\r\n2,3,5\r\n3,1,2\r\n\"0\",\"0\",\"0\"\r\n");

    r = Cli({"dump", back});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = Json::parse(r.out);
    EXPECT_EQ(j.at("name"), "back");
    EXPECT_EQ(j.at("kind"), "dirNet");
    const std::vector<std::tuple<std::string, int, int>> points = {
        {"A", 10, 10}, {"B", 20, 30}, {"C", 40, 20}};
    ASSERT_EQ(j.at("points").size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(j.at("points")[k].at("name"), std::get<0>(points[k]));
        EXPECT_EQ(j.at("points")[k].at("x"), std::get<1>(points[k]));
        EXPECT_EQ(j.at("points")[k].at("y"), std::get<2>(points[k]));
    }

    // An empty net has no Krack Plot form.
    NetWorkType empty;
    NetInit(empty);
    SetNetKind(empty, DirNetCode);
    const std::string emptyNet = dir.File("empty.net");
    NoMessagesExpected quiet;
    ASSERT_TRUE(SaveNetFile(empty, emptyNet, quiet));
    r = Cli({"convert", emptyNet, dir.File("empty.kp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Trivial NetWork.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.kp")));
}

TEST(Cli, ConvertAsksBeforeReplacingAKrackPlotFile) {
    ScratchDir dir;
    const std::string net = SaveTinyNet(dir, "tiny.net");
    const std::string kp = dir.File("old.kp");
    WriteAll(kp, "keep me");

    CliRun r = Cli({"convert", net, kp});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Do you wish to Rewrite file \n" + kp + "?"), std::string::npos) << r.err;
    EXPECT_EQ(ReadAll(kp), "keep me");

    r = Cli({"convert", "--yes", net, kp});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Do you wish to Rewrite file \n" + kp + "?"), std::string::npos) << r.err;
    EXPECT_EQ(ReadAll(kp), TinyKrackPlot);
}

// What scripts expect of a command line tool: the usual spellings, a file left alone when it holds
// the bytes already, and the system's reason when a file cannot be written.
TEST(Cli, ScriptsSpellingsAndOutputsThatNeedNoWrite) {
    ScratchDir dir;
    const std::string net = SaveTinyNet(dir, "tiny.net");
    const std::string kp = dir.File("tiny.kp");
    const std::string graphml = dir.File("tiny.graphml");
    const std::string copy = dir.File("copy.net");
    for (const std::string& out : {kp, graphml, copy})
        ASSERT_EQ(Cli({"convert", net, out}).status, 0);
    for (const std::string& out : {kp, graphml, copy}) {
        const CliRun same = Cli({"convert", net, out});
        EXPECT_EQ(same.status, 0) << out;
        EXPECT_EQ(same.err, "") << "nothing asked, nothing written";
    }
    WriteAll(kp, "old");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"convert", "-f", net, kp},
                                                 {"convert", net, kp, "--force"},
                                                 {"--yes", "convert", net, kp},
                                                 {"-f", "convert", net, kp}}) {
        WriteAll(kp, "old");
        const CliRun forced = Cli(args);
        EXPECT_EQ(forced.status, 0) << args[0] << " " << args[1] << ": " << forced.err;
        EXPECT_EQ(ReadAll(kp), TinyKrackPlot);
    }
    const CliRun version = Cli({"-V"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, Cli({"--version"}).out);

    const std::string nowhere = dir.File("no-such-folder/out.graphml");
    const CliRun unwritable = Cli({"convert", net, nowhere});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("plax-cli: " + nowhere + ": No such file or directory\n"),
              std::string::npos)
        << unwritable.err;
}

TEST(Cli, ConvertRefusesCorruptInput) {
    ScratchDir dir;
    const std::string out = dir.File("out.kp");

    const std::string shortFile = dir.File("short.net");
    WriteAll(shortFile, std::string("\x00\x02\x03\x00\x0a\x00\x08\x00\x01\x01", 10));
    CliRun r = Cli({"convert", shortFile, out});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "Invalid format of the File\n" + shortFile + "\nLoad Procedure terminated! \n");
    EXPECT_FALSE(std::filesystem::exists(out));

    // A header record of a net with 16 points.
    std::string header(64, '\0');
    header[1] = 2;
    header[2] = 16;
    const std::string tooMany = dir.File("many.net");
    WriteAll(tooMany, header);
    r = Cli({"convert", tooMany, out});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "Invalid Header of the File\n" + tooMany +
                         "\nToo many Points (N > 15). \nLoad Procedure terminated! \n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(Cli, ASaveOverTheFileSizeLimitFailsAndLeavesTheOldFile) {
    ScratchDir dir;
    const std::string net = SaveTinyNet(dir, "tiny.net");
    const std::string out = dir.File("out.net");
    WriteAll(out, "keep me");
    int errPipe[2];
    ASSERT_EQ(::pipe(errPipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The new net file has 512 bytes.
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::execl(PLAX_CLI_PATH, "plax-cli", "convert", "--yes", net.c_str(), out.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(errPipe[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::string err(1000, '\0');
    const ssize_t n = ::read(errPipe[0], err.data(), err.size());
    err.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    ::close(errPipe[0]);

    ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(err, "Do you wish to Rewrite file \n" + out + "? Yes\n Cannot Save file \n" + out +
                       "\nSave Procedure terminated! \n");
    EXPECT_EQ(ReadAll(out), "keep me");
    EXPECT_EQ(dir.Entries().size(), 2u) << "no new file left beside out.net";
}

// Runs a program with `args`, its standard output and error both into one text.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
    int outPipe[2];
    if (::pipe(outPipe) != 0) return {-1, {}, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(outPipe[1], STDOUT_FILENO);
        ::dup2(outPipe[1], STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>("plax-cli")};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(outPipe[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(outPipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text, {}};
}

TEST(Cli, PicturesAndLibraryFormatsAreHandedToTheFullProgram) {
    const std::vector<std::pair<std::vector<std::string>, bool>> lines = {
        {{"convert", "a.net", "b.png"}, true},
        {{"convert", "a.net", "b.SVG"}, true},
        {{"convert", "a.dot", "b.net"}, true},
        {{"convert", "a.net", "b.gv"}, true},
        {{"convert", "-", "b.net", "--from", "dot"}, true},
        {{"convert", "a.net", "-", "--to", "pdf"}, true},
        {{"convert", "a.net", "b.graphml"}, true},
        {{"run", "metrics", "a.pnml"}, true},
        {{"convert", "a.net", "b.gml"}, false},
        {{"convert", "a.net", "-", "--to", "tikz"}, false},
        {{"run", "shortest-path", "a.net", "--source", "1"}, false},
        {{"--version"}, false},
    };
    for (const auto& [args, drawing] : lines)
        EXPECT_EQ(cli::NeedsFullProgram(args), drawing) << args.back();

    ScratchDir dir;
    const std::string road = Examples + "/road.net";
    // plax-cli draws through its helper and reads DOT and GraphML through it.
    const std::string png = dir.File("road.png");
    ASSERT_EQ(RunProgram(PLAX_CLI_PATH, {"convert", road, png}).status, 0);
    EXPECT_EQ(ReadAll(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::string dot = dir.File("road.dot");
    ASSERT_EQ(RunProgram(PLAX_CLI_PATH, {"convert", road, dot}).status, 0);
    const std::string graphml = dir.File("road.graphml");
    ASSERT_EQ(RunProgram(PLAX_CLI_PATH, {"convert", dot, graphml}).status, 0);
    const CliRun back = RunProgram(PLAX_CLI_PATH, {"run", "metrics", graphml});
    EXPECT_EQ(back.status, 0) << back.out;
    EXPECT_NE(back.out.find("Procedure complete"), std::string::npos) << back.out;

    // A lone plax-cli still does its text work and says why it cannot draw.
    const std::string lone = dir.File("plax-cli");
    std::filesystem::copy_file(PLAX_CLI_PATH, lone);
    const CliRun svg = RunProgram(lone, {"convert", road, dir.File("road.svg")});
    EXPECT_EQ(svg.status, 1);
    EXPECT_EQ(svg.out, "plax-cli: pictures and DOT, GraphML, JSON, GEXF and PNML files are handled by "
                       "plax-cli-full, which is not installed\n");
    EXPECT_EQ(RunProgram(lone, {"run", "metrics", road}).status, 0);
}

} // namespace plax
