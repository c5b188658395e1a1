#include "model/net_file.h"
#include "model/net_store.h"

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

using namespace plax::testing;

const std::string PetriExample = std::string(PLAX_EXAMPLES_DIR) + "/petri.net";

CliRun PetriCli(std::vector<std::string> args) {
    args.insert(args.begin(), "petri");
    return RunPlaxCli(args);
}

// Points of the given shapes and tokens joined by `edges`, saved under `name`.
std::string SavePetri(const ScratchDir& dir, const std::string& name, std::uint16_t kind,
                      const std::vector<std::pair<std::uint16_t, std::uint16_t>>& points,
                      const std::vector<std::pair<int, int>>& edges) {
    NetWorkType net = MakeNet(kind, static_cast<int>(points.size()), name);
    net.defaultOptions = DefaultPointOptions();
    for (std::size_t k = 0; k < points.size(); ++k) {
        net.points[k + 1].shape = points[k].first;
        net.points[k + 1].tokens = points[k].second;
        net.points[k + 1].name = "p" + std::to_string(k + 1);
    }
    for (auto [a, b] : edges)
        AddEdge(net, a, b, 1.0);
    const std::string path = dir.File(name + ".net");
    SaveTestNet(net, path);
    return path;
}

// The token counts of the "place" lines.
std::vector<int> PlaceTokens(const std::string& out) {
    std::vector<int> tokens;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("place ", 0) != 0) continue;
        std::istringstream words(line.substr(6));
        int p = 0;
        int t = 0;
        words >> p >> t;
        tokens.push_back(t);
    }
    return tokens;
}

TEST(PetriCommand, ExampleFiredByHand) {
    const CliRun start = PetriCli({PetriExample});
    EXPECT_EQ(start.status, 0);
    EXPECT_EQ(start.err, "");
    EXPECT_EQ(start.out, "enabled: 2\nplace 1 1 Ready\nplace 3 0 Made\nplace 5 0 Buffer\n"
                         "place 6 3 Free\nplace 8 0 Got\nplace 10 1 Idle\n");

    // Produce moves Ready's token to Made; Put takes it and a Free slot, fills Buffer and makes
    // Ready again; now Produce and Take are enabled.
    const CliRun two = PetriCli({PetriExample, "--fire", "2", "--fire", "4"});
    EXPECT_EQ(two.status, 0);
    EXPECT_EQ(two.out, "enabled: 2 7\nplace 1 1 Ready\nplace 3 0 Made\nplace 5 1 Buffer\n"
                       "place 6 2 Free\nplace 8 0 Got\nplace 10 1 Idle\n");

    // Put is not enabled before Produce has fired; a point outside the net is a usage error.
    const CliRun early = PetriCli({PetriExample, "--fire", "4"});
    EXPECT_EQ(early.status, 1);
    EXPECT_EQ(early.out, "");
    EXPECT_EQ(early.err, "plax-cli: point 4 is not an enabled transition\n");
    for (const std::string bad : {"11", "0", "two", ""}) {
        const CliRun run = PetriCli({PetriExample, "--fire", bad});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_EQ(run.out, "");
    }
}

TEST(PetriCommand, AutomaticRunsRepeatWithTheirSeed) {
    ScratchDir dir;
    const CliRun first = PetriCli(
        {PetriExample, "--auto", "--seed", "31", "--max-firings", "500", "--save", dir.File("a.net")});
    const CliRun second = PetriCli({PetriExample, "--auto", "--max-firings", "500", "--seed", "31"});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.err, "");
    EXPECT_EQ(first.out.substr(0, first.out.find('\n')), "auto: 500 firings, firing limit reached, seed 31");
    EXPECT_EQ(second.out, first.out);
    // Every firing keeps Ready + Made, Buffer + Free and Got + Idle.
    const std::vector<int> t = PlaceTokens(first.out);
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[0] + t[1], 1);
    EXPECT_EQ(t[2] + t[3], 3);
    EXPECT_EQ(t[4] + t[5], 1);

    // The saved net holds the tokens that were printed.
    const CliRun saved = PetriCli({dir.File("a.net")});
    EXPECT_EQ(saved.status, 0);
    EXPECT_EQ(PlaceTokens(saved.out), t);

    // Without a seed one is drawn and shown; the default limit is 10000.
    const CliRun unseeded = PetriCli({PetriExample, "--auto"});
    EXPECT_EQ(unseeded.status, 0);
    EXPECT_EQ(unseeded.out.rfind("auto: 10000 firings, firing limit reached, seed ", 0), 0u);
}

TEST(PetriCommand, AutomaticRunThatDriesUp) {
    // Three tokens flow through transition 2 and nothing comes back; by hand first, then alone.
    ScratchDir dir;
    const std::string drain = SavePetri(dir, "drain", DirNetCode, {{0, 3}, {2, 0}, {1, 0}}, {{1, 2}, {2, 3}});
    const CliRun run = PetriCli({drain, "--fire", "2", "--auto", "--seed", "5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "auto: 2 firings, no transition enabled, seed 5\nenabled:\nplace 1 0 p1\nplace 3 3 p3\n");
    const CliRun capped = PetriCli({drain, "--auto", "--max-firings", "0", "--seed", "5"});
    EXPECT_EQ(capped.out,
              "auto: 0 firings, firing limit reached, seed 5\nenabled: 2\nplace 1 3 p1\nplace 3 0 p3\n");
}

TEST(PetriCommand, RefusalsAndUsage) {
    ScratchDir dir;
    const CliRun road = PetriCli({std::string(PLAX_EXAMPLES_DIR) + "/road.net"});
    EXPECT_EQ(road.status, 1);
    EXPECT_EQ(road.out, "");
    EXPECT_EQ(road.err, "Graph doesnt bichromatic!\nProcedure terminated! \n");

    const std::string twoPlaces =
        SavePetri(dir, "pp", DirNetCode, {{0, 1}, {2, 0}, {4, 0}}, {{1, 3}, {1, 2}});
    EXPECT_EQ(PetriCli({twoPlaces}).err, "Graph doesnt bichromatic!\nProcedure terminated! \n");

    const std::string dead = SavePetri(dir, "dead", DirNetCode, {{0, 0}, {3, 0}, {0, 0}}, {{1, 2}, {2, 3}});
    const CliRun deadRun = PetriCli({dead, "--auto", "--save", dir.File("never.net")});
    EXPECT_EQ(deadRun.status, 1);
    EXPECT_EQ(deadRun.out, "");
    EXPECT_EQ(deadRun.err, "Petry Net not live!\nProcess terminated! \n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("never.net")));

    const std::vector<std::vector<std::string>> usage = {
        {PetriExample, "--seed", "3"},
        {PetriExample, "--max-firings", "3"},
        {PetriExample, "--auto", "--max-firings", "-1"},
        {PetriExample, "--auto", "--seed", "x"},
        {PetriExample, "--save", dir.File("net.png")},
        {PetriExample, PetriExample},
        {},
        {PetriExample, "--fire"},
        {PetriExample, "--sink", "2"},
    };
    for (const auto& args : usage) {
        const CliRun run = PetriCli(args);
        EXPECT_EQ(run.status, 2) << args.size();
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }

    const CliRun missing = PetriCli({dir.File("none.net")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.out, "");
}

TEST(PetriCommand, ReachabilityAfterTheFiringsWithItsBound) {
    const auto lineOf = [](const CliRun& run, const std::string& line) {
        return run.out.find("\n" + line + "\n") != std::string::npos;
    };
    const CliRun full = PetriCli({PetriExample, "--reachability"});
    EXPECT_EQ(full.status, 0);
    EXPECT_TRUE(lineOf(full, "        Reachable Markings of the Petri Net"));
    EXPECT_TRUE(lineOf(full, "    Reachable markings : 16"));
    EXPECT_EQ(full.out.find("enabled:"), std::string::npos);
    EXPECT_TRUE(full.out.ends_with("\n    Procedure complete. \n"));

    const CliRun fired = PetriCli({PetriExample, "--fire", "2", "--reachability", "--max-markings", "5"});
    EXPECT_EQ(fired.status, 0);
    EXPECT_TRUE(lineOf(fired, "    Initial marking : ( 0, 1, 0, 3, 0, 1 )"));
    EXPECT_TRUE(lineOf(fired, "    Reachable markings : at least 5 (the bound on stored markings)"));

    ScratchDir dir;
    const std::string dead = SavePetri(dir, "dead", DirNetCode, {{0, 0}, {3, 0}, {0, 0}}, {{1, 2}, {2, 3}});
    const CliRun deadRun = PetriCli({dead, "--reachability"});
    EXPECT_EQ(deadRun.status, 0);
    EXPECT_TRUE(lineOf(deadRun, "    ( 0, 0 ) is the initial marking."));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {PetriExample, "--max-markings", "5"},
             {PetriExample, "--reachability", "--max-markings", "0"},
             {PetriExample, "--reachability", "--max-markings", "10000001"}})
        EXPECT_EQ(PetriCli(args).status, 2) << args.back();
}

// The state graph goes out as DOT, an unbounded net's as its coverability graph; a bounded graph
// too large to draw, and a name that is no DOT file, are refused.
TEST(PetriCommand, StateGraphAsDot) {
    const CliRun dot = PetriCli({PetriExample, "--state-graph", "-"});
    EXPECT_EQ(dot.status, 0) << dot.err;
    EXPECT_TRUE(dot.out.starts_with("digraph \"petri states\" {\n  node [shape=box];\n  m0 [label=\"M0\\n"));
    EXPECT_NE(dot.out.find("  m15 [label=\"M15\\n"), std::string::npos) << "16 markings";
    EXPECT_EQ(dot.out.find("m16 "), std::string::npos);

    ScratchDir dir;
    const std::string file = dir.File("states.gv");
    EXPECT_EQ(PetriCli({PetriExample, "--state-graph", file}).status, 0);
    EXPECT_EQ(ReadAll(file), dot.out);
    const std::string endless = SavePetri(dir, "endless", DirNetCode, {{2, 0}, {0, 0}}, {{1, 2}});
    const CliRun cover = PetriCli({endless, "--state-graph", "-"});
    EXPECT_EQ(cover.status, 0) << cover.err;
    EXPECT_NE(cover.out.find("  m1 [label=\"M1\\nw p2\", style=filled, fillcolor=\"#D0E0FF\"];"),
              std::string::npos)
        << cover.out;
    const std::string large =
        SavePetri(dir, "large", DirNetCode, {{0, 600}, {2, 0}, {0, 0}}, {{1, 2}, {2, 3}});
    const CliRun tooLarge = PetriCli({large, "--state-graph", "-"});
    EXPECT_EQ(tooLarge.status, 1);
    EXPECT_EQ(tooLarge.err,
              "plax-cli: the state graph holds more than 500 markings; --reachability counts them\n");
    const CliRun badName = PetriCli({PetriExample, "--state-graph", dir.File("states.png")});
    EXPECT_EQ(badName.status, 2);
    EXPECT_EQ(badName.err, "plax-cli: --state-graph writes a .dot or .gv file\n");
}

TEST(PetriCommand, CoverabilityAndInvariantsInTheirOrder) {
    const CliRun both = PetriCli({PetriExample, "--invariants", "--coverability", "--max-markings", "20"});
    EXPECT_EQ(both.status, 0);
    const auto at = [&both](const std::string& line) { return both.out.find("\n" + line + "\n"); };
    EXPECT_LT(at("        Coverability of the Petri Net"), at("        Invariants of the Petri Net"));
    EXPECT_NE(at("    Coverability nodes : 16"), std::string::npos);
    EXPECT_NE(at("        M(p5) + M(p6) = 3"), std::string::npos);
    EXPECT_EQ(both.out.find("enabled:"), std::string::npos);
    EXPECT_EQ(PetriCli({PetriExample, "--invariants", "--max-markings", "5"}).status, 2);
}

} // namespace
} // namespace plax
