#include "cli_run.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::RunPlaxCli;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;

// The value line of the maximal flow's Results text.
std::string FlowValue(const std::string& text) {
    const auto at = text.find("Value of the Maximal Flow is equal to\n");
    if (at == std::string::npos) return "?";
    const auto start = text.find_first_not_of(' ', text.find('\n', at) + 1);
    return text.substr(start, text.find('\n', start) - start);
}

TEST(CliImport, TheWeightTheDirectionAndPointsByName) {
    ScratchDir dir;
    // networkx's GML of a flow net: capacity is what the flow goes by, weight something else.
    WriteAll(dir.File("flow.gml"), "graph [ directed 1 node [ id 0 label \"s\" ] node [ id 1 label \"a\" ] "
                                   "node [ id 2 label \"t\" ] edge [ source 0 target 1 weight 9 capacity 3 ] "
                                   "edge [ source 1 target 2 weight 9 capacity 2 ] "
                                   "edge [ source 0 target 2 weight 9 capacity 2 ] ]");
    auto r = RunPlaxCli(
        {"run", "max-flow", dir.File("flow.gml"), "--source", "s", "--sink", "t", "--weight", "capacity"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FlowValue(r.out), "4");
    EXPECT_EQ(r.err, "Passed over: edge attribute weight (3 edges)\n");
    r = RunPlaxCli({"run", "max-flow", dir.File("flow.gml"), "--source", "s", "--sink", "z"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Passed over: edge attribute capacity (3 edges)\nplax-cli: --sink: no point is named \"z\"\n")
        << "weight is the guess";
    // A DAG as an edge list: undirected unless told, and the names kept.
    WriteAll(dir.File("dag.edgelist"), "s a 3\na t 2\ns t 2\n");
    r = RunPlaxCli(
        {"run", "max-flow", dir.File("dag.edgelist"), "--source", "s", "--sink", "t", "--directed"});
    EXPECT_EQ(FlowValue(r.out), "4") << r.err;
    r = RunPlaxCli({"convert", dir.File("dag.edgelist"), "-", "--to", "edgelist", "--directed"});
    EXPECT_EQ(r.out, "s a 3\ns t 2\na t 2\n");
    r = RunPlaxCli(
        {"convert", dir.File("dag.edgelist"), "-", "--to", "edgelist", "--directed", "--undirected"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "plax-cli: --directed and --undirected exclude each other\n");
    // A Pajek text under the net file's own extension.
    WriteAll(dir.File("pajek.net"), "*Vertices 2\n1 \"Ash\"\n2 \"Birch\"\n*Edges\n1 2 4\n");
    r = RunPlaxCli({"convert", dir.File("pajek.net"), "-", "--to", "edgelist"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Ash Birch 4\n");
}

} // namespace
} // namespace plax
