#include "cli_run.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using plax::testing::ReadAll;
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
    EXPECT_EQ(r.err, "") << "the other attribute is kept with its edge";
    r = RunPlaxCli({"run", "max-flow", dir.File("flow.gml"), "--source", "s", "--sink", "z"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "plax-cli: --sink: no point is named \"z\"\n");
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

// check's answers and points, like run's, name points by number, name or the file's id.
TEST(CliImport, CheckAnswersNamePointsAsTheFileDoes) {
    ScratchDir dir;
    WriteAll(
        dir.File("towns.graphml"),
        R"(<graphml><key id="w" for="edge" attr.name="weight" attr.type="double"/>)"
        R"(<key id="l" for="node" attr.name="label" attr.type="string"/><graph edgedefault="undirected">)"
        R"(<node id="n0"><data key="l">Paris</data></node><node id="n1"><data key="l">Saint-Denis</data></node>)"
        R"(<node id="n2"><data key="l">Lyon</data></node><node id="n3"><data key="l">Lyon</data></node>)"
        R"(<edge source="n0" target="n1"><data key="w">1</data></edge>)"
        R"(<edge source="n1" target="n2"><data key="w">1</data></edge>)"
        R"(<edge source="n0" target="n2"><data key="w">5</data></edge>)"
        R"(<edge source="n2" target="n3"><data key="w">1</data></edge></graph></graphml>)");
    const std::string towns = dir.File("towns.graphml");
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Row> rows = {
        {{"--source", "Paris", "--sink", "n3", "--answer", "Paris, \"Saint-Denis\", n2, 4"}, 0, ""},
        {{"--source", "1", "--sink", "4", "--answer", "n0,n2,n3"}, 4, ""},
        {{"--source", "Paris", "--sink", "Lyon", "--answer", "1,2,3"},
         2,
         "plax-cli: --sink: more than one point is named \"Lyon\"\n"},
        {{"--source", "1", "--sink", "4", "--answer", "Paris, Nice, 4"},
         1,
         "plax-cli: the answer cannot be read: no point is named \"Nice\"\n"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"check", "shortest-path", towns};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const auto r = RunPlaxCli(args);
        EXPECT_EQ(r.status, row.status) << row.args.back() << r.err;
        EXPECT_EQ(r.err, row.err) << row.args.back();
    }
}

// DOT's edge labels show what --show asks of names, weights and flows; the name comes back.
TEST(CliImport, DotLabelsFollowShow) {
    ScratchDir dir;
    WriteAll(dir.File("in.gv"), "digraph { a -> b [weight=4, label=\"Main\"]; b -> a [weight=2.5, label=\"2.5\"] }");
    const std::string in = dir.File("in.gv");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"", "[label=\"4\", plax_name=\"Main\", weight=\"4\"];\n  \"2\" -> \"1\" [label=\"2.5\", "
             "weight=\"2.5\"];"},
        {"edge-names",
         "[label=\"Main\", weight=\"4\"];\n  \"2\" -> \"1\" [label=\"No Name\", weight=\"2.5\"];"},
        {"names,weights,flows,edge-names",
         "[label=\"Main/4/0\", plax_name=\"Main\", weight=\"4\"];\n"
         "  \"2\" -> \"1\" [label=\"No Name/2.5/0\", plax_name=\"No Name\", weight=\"2.5\"];"},
    };
    for (const auto& [show, edges] : rows) {
        std::vector<std::string> args = {"convert", in, dir.File("out.gv"), "--yes"};
        if (!show.empty()) args.insert(args.end(), {"--show", show});
        ASSERT_EQ(RunPlaxCli(args).status, 0) << show;
        const std::string out = ReadAll(dir.File("out.gv"));
        EXPECT_NE(out.find("\"1\" -> \"2\" " + edges), std::string::npos) << out;
        const auto back = RunPlaxCli({"convert", dir.File("out.gv"), "-", "--to", "edgelist"});
        EXPECT_EQ(back.out, "a b 4\nb a 2.5\n") << show;
        EXPECT_EQ(back.err, "") << show;
        const auto names = RunPlaxCli({"dump", dir.File("out.gv")});
        EXPECT_NE(names.out.find("\"Main\""), std::string::npos) << show;
    }
    EXPECT_EQ(RunPlaxCli({"convert", in, dir.File("out.graphml"), "--show", "weights"}).status, 2);
}

} // namespace
} // namespace plax
