#include "interchange/interchange_file.h"
#include "interchange/tikz_format.h"

#include "checking/point_names.h"

#include "model/net_file.h"
#include "model/net_store.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace plax {
namespace {

using F = InterchangeFormat;
using testing::RecordingMessages;

const std::string Examples = PLAX_EXAMPLES_DIR;

struct Loaded {
    bool ok = false;
    NetWorkType net;
    std::string told; // the one message, information or warning
};

Loaded Load(F format, const std::string& bytes, const ImportChoices& choices = {}) {
    Loaded out;
    RecordingMessages messages;
    out.ok = ReadInterchangeBytes(format, bytes, "in.file", OptionType{}, messages, out.net, choices);
    EXPECT_LE(messages.calls.size(), 1u);
    if (!messages.calls.empty()) out.told = messages.calls[0].text;
    return out;
}

const PointType& Point(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

double Weight(const NetWorkType& net, int i, int j) {
    const EdgeType* e = FindEdge(net, i, j);
    return e ? e->weight : -1;
}

struct LenientCase {
    const char* what;
    F format;
    std::string bytes;
    ImportChoices choices;
    std::string told;
    std::function<void(const NetWorkType&)> check;
};

TEST(LenientReading, WhatANetHasNoFieldForIsPassedOverAndTheRestIsRead) {
    const std::string yed =
        R"(<?xml version="1.0"?><graphml xmlns="http://graphml.graphdrawing.org/xmlns" xmlns:y="http://www.yworks.com/xml/graphml">
<key for="node" id="d6" yfiles.type="nodegraphics"/><key for="graphml" id="d7" yfiles.type="resources"/>
<key for="edge" id="d10" yfiles.type="edgegraphics"/><graph edgedefault="directed" id="G">
<node id="n0"><data key="d6"><y:ShapeNode><y:Geometry height="30.0" width="30.0" x="100.0" y="50.0"/>
<y:Fill color="#FFCC00" transparent="false"/><y:NodeLabel>Ash</y:NodeLabel></y:ShapeNode></data></node>
<node id="n1"><data key="d6"><y:ShapeNode><y:Geometry height="30.0" width="30.0" x="300.0" y="150.0"/>
<y:NodeLabel>Birch</y:NodeLabel></y:ShapeNode></data></node>
<edge id="e0" source="n0" target="n1"><data key="d10"><y:PolyLineEdge><y:Arrows source="none" target="standard"/>
<y:EdgeLabel>5</y:EdgeLabel></y:PolyLineEdge></data></edge></graph><data key="d7"><y:Resources/></data></graphml>)";
    const std::string gephi =
        R"(<?xml version="1.0"?><graphml xmlns="http://graphml.graphdrawing.org/xmlns">
<key attr.name="label" attr.type="string" for="node" id="label"/><key attr.name="x" attr.type="float" for="node" id="x"/>
<key attr.name="y" attr.type="float" for="node" id="y"/><key attr.name="r" attr.type="int" for="node" id="r"/>
<key attr.name="g" attr.type="int" for="node" id="g"/><key attr.name="b" attr.type="int" for="node" id="b"/>
<key attr.name="size" attr.type="float" for="node" id="size"/><key attr.name="weight" attr.type="double" for="edge" id="weight"/>
<graph edgedefault="undirected"><node id="0"><data key="label">Paris</data><data key="x">-120.5</data><data key="y">0</data>
<data key="r">255</data><data key="g">0</data><data key="b">0</data><data key="size">10.0</data></node>
<node id="1"><data key="label">Lyon</data><data key="x">79.5</data><data key="y">10</data><data key="size">12.0</data></node>
<edge source="0" target="1"><data key="weight">465.0</data></edge></graph></graphml>)";
    const std::string towns =
        "graph [ node [ id 0 label \"a\" ] node [ id 1 label \"b\" ] edge [ source 0 target 1 "
        "weight 7 capacity 4 ] ]";
    const std::vector<LenientCase> cases = {
        {"an unknown attribute on two nodes",
         F::Dot,
         "graph { a [population=5, color=gray40]; b [population=7]; a -- b [length=3] }",
         {},
         "Passed over: node attribute population (2 nodes)",
         [](const NetWorkType& net) {
             EXPECT_EQ(Point(net, 1).color, 0x666666u);
             EXPECT_EQ(Weight(net, 1, 2), 3.0) << "length is the weight where there is no weight";
         }},
        {"a numeric label is the weight",
         F::Dot,
         "graph { a -- b [label=\"4\"]; b -- c [label=\"x\"] }",
         {},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(Weight(net, 1, 2), 1.0) << "a label that is not a number on every edge is a name";
             EXPECT_EQ(FindEdge(net, 1, 2)->name, "4");
         }},
        {"a label as the weight",
         F::Dot,
         "graph { a -- b [label=\"4\"] }",
         {},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(Weight(net, 1, 2), 4.0);
             EXPECT_EQ(FindEdge(net, 1, 2)->name, "No Name");
         }},
        {"pos without bb, y upwards",
         F::Dot,
         "graph { a [pos=\"0,0\"]; b [pos=\"100,50\"] }",
         {},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(Point(net, 1).x, 0);
             EXPECT_EQ(Point(net, 1).y, 50);
             EXPECT_EQ(Point(net, 2).x, 100);
             EXPECT_EQ(Point(net, 2).y, 0);
         }},
        {"keys of node-link JSON a net has no use for",
         F::NodeLinkJson,
         R"({"nodes": [{"id": "a"}, {"id": "b"}], "links": [{"source": "a", "target": "b"}],
             "x-made-by": "tool", "meta": {"v": [1]}, "graph": {"population": 3}})",
         {},
         "Passed over: graph key meta\r\nPassed over: graph key x-made-by",
         [](const NetWorkType& net) {
             EXPECT_EQ(EdgeCount(net), 1);
             EXPECT_EQ(net.kept, (KeptAttributes{{"population", "3"}}));
         }},
        {"fractions scaled into the canvas",
         F::NodeLinkJson,
         R"({"nodes": [{"id": "0", "x": -120.5, "y": 0}, {"id": "1", "x": 79.5, "y": 10}], "links": []})",
         {},
         "",
         [](const NetWorkType& net) {
             // 200 x 10 scaled into the area 40..553 x 40..311, centred upright.
             EXPECT_EQ(Point(net, 1).x, 40);
             EXPECT_EQ(Point(net, 1).y, 163);
             EXPECT_EQ(Point(net, 2).x, 553);
             EXPECT_EQ(Point(net, 2).y, 188);
         }},
        {"yEd's graphics",
         F::GraphML,
         yed,
         {},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(net.kindName, "dirNet");
             EXPECT_EQ(Point(net, 1).name, "Ash");
             EXPECT_EQ(Point(net, 1).x, 115);
             EXPECT_EQ(Point(net, 1).y, 65);
             EXPECT_EQ(Point(net, 1).color, 0x00CCFFu);
             EXPECT_EQ(Point(net, 2).x, 315);
             EXPECT_EQ(Weight(net, 1, 2), 5.0);
         }},
        {"Gephi's keys",
         F::GraphML,
         gephi,
         {},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(Point(net, 2).kept, (KeptAttributes{{"size", "12.0"}}));
             EXPECT_EQ(Point(net, 1).name, "Paris");
             EXPECT_EQ(Point(net, 1).color, 0x0000FFu);
             EXPECT_EQ(Point(net, 1).x, 40);
             EXPECT_EQ(Point(net, 2).x, 553);
             EXPECT_EQ(Weight(net, 1, 2), 465.0);
         }},
        {"the weight chosen",
         F::Gml,
         towns,
         {"capacity", {}},
         "",
         [](const NetWorkType& net) { EXPECT_EQ(Weight(net, 1, 2), 4.0); }},
        {"an edge list told its direction",
         F::PlainEdgeList,
         "a b 1\nb c 2\n",
         {"", true},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(net.kindName, "dirNet");
             EXPECT_EQ(Weight(net, 2, 1), -1);
         }},
        {"both ways in an undirected list is one edge",
         F::PlainEdgeList,
         "a b 1\nb a 1\n",
         {"", false},
         "",
         [](const NetWorkType& net) {
             EXPECT_EQ(net.kindName, "undirNet");
             EXPECT_EQ(EdgeCount(net), 1);
         }},
    };
    for (const LenientCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Loaded loaded = Load(c.format, c.bytes, c.choices);
        ASSERT_TRUE(loaded.ok) << loaded.told;
        EXPECT_EQ(loaded.told, c.told);
        c.check(loaded.net);
    }
    const Loaded missing = Load(F::Gml, towns, {"cost", {}});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(
        missing.told,
        "Cannot import the file\r\nin.file\r\nNo edge has the attribute \"cost\" to read as the weight.");
}

struct ForeignCase {
    const char* what;
    F format;
    std::string bytes;
    const char* kind;
    std::vector<std::string> names;
    std::vector<std::tuple<int, int, double>> edges;
    std::string told;
};

TEST(NewFormats, TheFilesOtherToolsWriteAreRead) {
    const std::string gexf =
        R"(<?xml version="1.0" encoding="UTF-8"?><gexf xmlns="http://www.gexf.net/1.2draft" xmlns:viz="http://www.gexf.net/1.2draft/viz" version="1.2">
<meta><creator>Gephi</creator></meta><graph defaultedgetype="directed"><attributes class="node"><attribute id="0" title="club" type="string"/></attributes>
<nodes><node id="s" label="Start"><attvalues><attvalue for="0" value="chess"/></attvalues><viz:position x="1.5" y="2" z="0"/></node>
<node id="t" label="End"><viz:color r="0" g="128" b="0"/></node></nodes>
<edges><edge id="0" source="s" target="t" weight="2.5"/></edges></graph></gexf>)";
    const std::vector<ForeignCase> cases = {
        {"networkx's GML",
         F::Gml,
         "graph [\n  directed 1\n  node [\n    id 0\n    label \"Z&#252;rich &amp; co\"\n  ]\n  node [\n    "
         "id 1\n"
         "    label \"B\"\n  ]\n  edge [\n    source 0\n    target 1\n    weight 2.5\n  ]\n]\n",
         "dirNet",
         {"Z\xFCrich & co", "B"},
         {{1, 2, 2.5}},
         ""},
        {"igraph's GML",
         F::Gml,
         "Creator \"igraph version 0.10.2\"\nVersion 1\ngraph\n[\n  directed 0\n  node\n  [\n    id 0\n    "
         "name \"a\"\n"
         "  ]\n  node\n  [\n    id 1\n    name \"b\"\n  ]\n  edge\n  [\n    source 0\n    target 1\n  ]\n]\n",
         "undirNet",
         {"a", "b"},
         {{1, 2, 1.0}},
         ""},
        {"a GEXF 1.2 of Gephi", F::Gexf, gexf, "dirNet", {"Start", "End"}, {{1, 2, 2.5}}, ""},
        {"Pajek with comments and arcs",
         F::Pajek,
         "% written by hand\n*Network roads\n*Vertices 3\n1 \"Ash Grove\" 0.1 0.2 0.5 box ic Red\n2 Birch\n"
         "*Arcs\n1 2 4\n*Arcslist\n2 3\n",
         "dirNet",
         {"Ash Grove", "Birch", "3"},
         {{1, 2, 4.0}, {2, 3, 1.0}},
         ""},
        {"Pajek as networkx writes it",
         F::Pajek,
         "*vertices 2\n1 Paris 0.0 0.0 ellipse\n2 Lyon 0.0 0.0 ellipse\n*edges\n1 2 465\n",
         "undirNet",
         {"Paris", "Lyon"},
         {{1, 2, 465.0}},
         ""},
        {"Pajek as igraph writes it",
         F::Pajek,
         "*Vertices 3\n*Edges\n1 2 1.5\n2 3\n",
         "undirNet",
         {"1", "2", "3"},
         {{1, 2, 1.5}, {2, 3, 1.0}},
         ""},
        {"graph6 of a triangle",
         F::Graph6,
         ">>graph6<<Bw\n",
         "undirNet",
         {"0", "1", "2"},
         {{1, 2, 1.0}, {1, 3, 1.0}, {2, 3, 1.0}},
         ""},
        {"graph6 of several graphs",
         F::Graph6,
         "Bw\nBo\n",
         "undirNet",
         {"0", "1", "2"},
         {{1, 2, 1.0}, {1, 3, 1.0}, {2, 3, 1.0}},
         "The file holds 2 graphs; the first is read."},
        {"digraph6 of one arc", F::Digraph6, "&AO\n", "dirNet", {"0", "1"}, {{1, 2, 1.0}}, ""},
        {"a matrix with names",
         F::AdjacencyMatrix,
         ",a,b,c\na,0,2,0\nb,2,0,3.5\nc,0,3.5,0\n",
         "undirNet",
         {"a", "b", "c"},
         {{1, 2, 2.0}, {2, 3, 3.5}},
         ""},
        {"a matrix of numbers",
         F::AdjacencyMatrix,
         "0;1\r\n0;0\r\n",
         "dirNet",
         {"1", "2"},
         {{1, 2, 1.0}},
         ""},
        {"networkx's adjacency list",
         F::AdjacencyList,
         "# written by networkx\na b c\nb c\nc\nd\n",
         "undirNet",
         {"a", "b", "c", "d"},
         {{1, 2, 1.0}, {1, 3, 1.0}, {2, 3, 1.0}},
         ""},
    };
    for (const ForeignCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Loaded loaded = Load(c.format, c.bytes);
        ASSERT_TRUE(loaded.ok) << loaded.told;
        EXPECT_EQ(loaded.told, c.told);
        EXPECT_EQ(loaded.net.kindName, c.kind);
        ASSERT_EQ(loaded.net.n, c.names.size());
        // Placed on a circle when the file places them all on one spot, or nowhere.
        if (c.names.size() > 1) {
            const PointType& a = Point(loaded.net, 1);
            const PointType& b = Point(loaded.net, 2);
            EXPECT_TRUE(a.x != b.x || a.y != b.y);
        }
        for (std::size_t k = 0; k < c.names.size(); ++k)
            EXPECT_EQ(Point(loaded.net, static_cast<int>(k) + 1).name, c.names[k]);
        EXPECT_EQ(EdgeCount(loaded.net), static_cast<int>(c.edges.size()));
        for (const auto& [i, j, w] : c.edges)
            EXPECT_EQ(Weight(loaded.net, i, j), w) << i << "-" << j;
    }
}

NetWorkType LoadExample(const std::string& name) {
    NetWorkType net;
    RecordingMessages messages;
    EXPECT_TRUE(LoadNetFile(net, Examples + "/" + name + ".net", OptionType{}, messages));
    return net;
}

bool UniqueNames(const NetWorkType& net) {
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j < i; ++j) {
            if (Point(net, i).name == Point(net, j).name || Point(net, i).name.empty()) return false;
        }
    }
    return true;
}

TEST(NewFormats, EveryExampleComesBack) {
    struct Carried {
        F format;
        bool weights, names, positions;
    };
    const std::vector<Carried> formats = {
        {F::Gml, true, true, true},
        {F::Gexf, true, true, true},
        {F::Pajek, true, true, true},
        {F::Graph6, false, false, false},
        {F::AdjacencyMatrix, true, true, false},
        {F::AdjacencyList, false, true, false},
    };
    for (const std::string name : {"road", "flow", "project", "railway", "petri"}) {
        const NetWorkType net = LoadExample(name);
        for (const Carried& c : formats) {
            SCOPED_TRACE(name + " in format " + std::to_string(static_cast<int>(c.format)));
            const bool directed = !IsUndirected(net);
            const F format = c.format == F::Graph6 && directed ? F::Digraph6 : c.format;
            const auto bytes = InterchangeBytes(format, net);
            ASSERT_TRUE(bytes.has_value());
            ImportChoices choices;
            choices.directed = directed;
            const Loaded back = Load(format, *bytes, choices);
            ASSERT_TRUE(back.ok) << back.told;
            ASSERT_EQ(back.net.n, net.n);
            EXPECT_EQ(IsUndirected(back.net), !directed);
            for (int i = 1; i <= net.n; ++i) {
                if (c.names && UniqueNames(net)) {
                    EXPECT_EQ(Point(back.net, i).name, Point(net, i).name);
                }
                if (c.positions) {
                    EXPECT_EQ(Point(back.net, i).x, Point(net, i).x);
                    EXPECT_EQ(Point(back.net, i).y, Point(net, i).y);
                }
                for (int j = 1; j <= net.n; ++j) {
                    const EdgeType* e = FindEdge(net, i, j);
                    // A matrix has no place for an edge of weight 0.
                    const bool held = e && !(c.format == F::AdjacencyMatrix && e->weight == 0);
                    EXPECT_EQ(FindEdge(back.net, i, j) != nullptr, held) << i << "-" << j;
                    if (held && c.weights) {
                        EXPECT_EQ(Weight(back.net, i, j), e->weight) << i << "-" << j;
                    }
                }
            }
        }
    }
    EXPECT_FALSE(InterchangeBytes(F::Graph6, LoadExample("flow")).has_value())
        << "graph6 holds no directions";
}

// What a net has no field for travels with its points and edges through every format that can
// write it back, and through an edit that renumbers the points; DOT passes it over. The file's
// ids name the points in answers.
TEST(KeptAttributes, ComeBackOutOfGraphMLJsonGmlAndGexf) {
    const std::string towns =
        R"(<?xml version="1.0"?><graphml xmlns="http://graphml.graphdrawing.org/xmlns">
<key attr.name="label" attr.type="string" for="node" id="d0"/><key attr.name="population" attr.type="long" for="node" id="d1"/>
<key attr.name="road" attr.type="string" for="edge" id="d2"/><key attr.name="weight" attr.type="double" for="edge" id="d3"/>
<key attr.name="source_db" attr.type="string" for="graph" id="d4"/>
<graph edgedefault="undirected"><data key="d4">census</data>
<node id="n0"><data key="d0">Paris</data><data key="d1">2100000</data></node>
<node id="n1"><data key="d0">Lyon</data><data key="d1">520000</data></node>
<node id="n2"><data key="d0">Nice</data></node>
<edge source="n0" target="n1"><data key="d2">A6</data><data key="d3">465</data></edge>
<edge source="n1" target="n2"><data key="d3">470</data></edge></graph></graphml>)";
    const Loaded read = Load(F::GraphML, towns);
    ASSERT_TRUE(read.ok) << read.told;
    EXPECT_EQ(read.told, "") << "kept, not passed over";
    const auto keptOf = [](const NetWorkType& net, const std::string& name) {
        for (int i = 1; i <= net.n; ++i)
            if (Point(net, i).name == name) return Point(net, i).kept;
        return KeptAttributes{{"no point", name}};
    };
    const KeptAttributes paris{{"population", "2100000"}};
    const KeptAttributes road{{"road", "A6"}};
    for (const F format : {F::GraphML, F::NodeLinkJson, F::Gml, F::Gexf}) {
        SCOPED_TRACE(static_cast<int>(format));
        const auto bytes = InterchangeBytes(format, read.net);
        ASSERT_TRUE(bytes.has_value());
        const Loaded back = Load(format, *bytes);
        ASSERT_TRUE(back.ok) << back.told;
        EXPECT_EQ(keptOf(back.net, "Paris"), paris);
        EXPECT_EQ(keptOf(back.net, "Nice"), KeptAttributes{});
        EXPECT_EQ(FindEdge(back.net, 1, 2)->kept, road);
        EXPECT_EQ(FindEdge(back.net, 2, 1)->kept, road) << "both entries of the undirected edge";
        if (format == F::GraphML || format == F::NodeLinkJson) { // GML and GEXF write no graph attributes
            EXPECT_EQ(back.net.kept, (KeptAttributes{{"source_db", "census"}}));
        }
    }
    NetWorkType edited = read.net;
    DeleteNetPoint(edited, 1); // Nice takes Paris's number
    const Loaded renumbered = Load(F::GraphML, *InterchangeBytes(F::GraphML, edited));
    EXPECT_EQ(keptOf(renumbered.net, "Lyon"), (KeptAttributes{{"population", "520000"}}));
    EXPECT_EQ(keptOf(renumbered.net, "Nice"), KeptAttributes{});

    const std::string dot = *InterchangeBytes(F::Dot, read.net);
    EXPECT_EQ(dot.find("population"), std::string::npos) << dot;
    EXPECT_EQ(Load(F::Dot, dot).told, "");

    std::string error;
    EXPECT_EQ(NamedPoint(read.net, {}, "n2", error), 3);
    EXPECT_EQ(NamedPoint(read.net, {}, "Lyon", error), 2);
}

TEST(NewFormats, HostileFilesAreRefusedWithinBounds) {
    std::string deep = "graph [";
    for (int i = 0; i < 100000; ++i)
        deep += " a [";
    std::string many = "graph [";
    for (int i = 0; i < 30; ++i)
        many += " node [ id " + std::to_string(i) + " ]";
    const std::string wide = std::string(",") + std::string(40, 'a') + ",b,c,d,e,f,g,h,i,j,k,l,m,n,o,p\n";
    const std::vector<std::tuple<F, std::string, std::string>> cases = {
        {F::Gml, deep, "Not a GML file (line 1): lists nested more than 16 deep"},
        {F::Gml, many + " ]", "The file has 30 points; a net holds at most 15."},
        {F::Gml, "graph [ node [ id 0 label \"open ]", "Not a GML file (line 1): a string not closed"},
        {F::Gml, "graph [ node [ id 0 ] ] ]", "Not a GML file (line 1): a ] without its ["},
        {F::Gml, "graph [ label \"" + std::string(2000, 'x') + "\" ]",
         "Not a GML file (line 1): a string longer than 1024"},
        {F::Pajek, "*Vertices 1000000000000\n", "The file has 1000000000 points; a net holds at most 15."},
        {F::Pajek, "*Vertices 1e300\n", "The file has 1000000000 points; a net holds at most 15."},
        {F::AdjacencyMatrix, "\"\"", "The file holds no graph."},
        {F::Pajek, "*Vertices 3\n*Edges\n1 9\n", "Not a Pajek file (line 3): a vertex number out of 1..3"},
        {F::Pajek, "*Vertices 2\n*Arcs\n1 2\n*Edges\n2 1\n",
         "The graph mixes directed and undirected edges."},
        {F::Pajek, "*Vertices 2\n1 \"open\n", "Not a Pajek file (line 2): a quote not closed"},
        {F::Graph6, "~~?????~\n", "The file has 63 points; a net holds at most 15."},
        {F::Graph6, "~?~~\n", "The file has 4095 points; a net holds at most 15."},
        {F::Graph6, "B\n", "Not a graph6 file (line 1): the edges do not fill the line"},
        {F::Graph6, "Bw\x01\n", "Not a graph6 file (line 1): the edges do not fill the line"},
        {F::AdjacencyMatrix, wide, "The file has 16 points; a net holds at most 15."},
        {F::AdjacencyMatrix, ",a,b\na,0,1\n",
         "Not a adjacency matrix file (line 2): not as many rows as columns"},
        {F::AdjacencyMatrix, ",a,b\na,0,x\nb,0,0\n",
         "Not a adjacency matrix file (line 2): not a row of numbers"},
        {F::AdjacencyList, "a b c d e f g h i j k l m n o p\n",
         "The file has 16 points; a net holds at most 15."},
        {F::AdjacencyList, "a b b\n",
         "There is more than one edge from \"a\" to \"b\"; a net has at most one."},
        {F::Gexf, "<?xml version=\"1.0\"?><!DOCTYPE gexf [<!ENTITY a \"b\">]><gexf/>",
         "Not a GEXF file (line 1): a DTD or an entity, which GEXF does not use"},
        {F::Gexf, "<gexf><graph><nodes><node id=\"a\"><nodes/></node></nodes></graph></gexf>",
         "Not a GEXF file (line 1): nested graphs, which a net does not hold"},
    };
    for (const auto& [format, bytes, reason] : cases) {
        SCOPED_TRACE(bytes.substr(0, 60));
        NetWorkType net = testing::Triangle();
        RecordingMessages messages;
        EXPECT_FALSE(ReadInterchangeBytes(format, bytes, "bad.file", OptionType{}, messages, net));
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].text, "Cannot import the file\r\nbad.file\r\n" + reason);
        EXPECT_EQ(net.n, 3) << "nothing half-loaded";
    }
    const Loaded farApart =
        Load(F::Gml, "graph [ node [ id 0 graphics [ x -1e308 y 0 ] ] node [ id 1 graphics [ x "
                     "1e308 y 0 ] ] ]");
    ASSERT_TRUE(farApart.ok) << farApart.told;
    EXPECT_NE(Point(farApart.net, 1).y, Point(farApart.net, 2).y) << "too farApart to scale: on a circle";
    // A NUL byte is a character of a word like any other, not the end of the line, and a name
    // holding one is refused as every reader refuses it.
    const Loaded nul = Load(F::AdjacencyList, std::string("a\0b c\n\0\x02", 8));
    EXPECT_FALSE(nul.ok);
    EXPECT_NE(nul.told.find("A NUL byte in a text of node \"a?b\""), std::string::npos) << nul.told;
    EXPECT_TRUE(HoldsPajek("% a comment\n*Vertices 2\n"));
    EXPECT_TRUE(HoldsPajek("\r\n*network x\n"));
    EXPECT_FALSE(HoldsPajek(std::string("\0\x01", 2)));
    EXPECT_FALSE(HoldsPajek("graph { a }"));
}

} // namespace
} // namespace plax

namespace plax {
namespace {

TEST(Tikz, OneNodePerPointAndTheTwoEdgesOfAPairBentApart) {
    NetWorkType net = testing::MakeNet(DirNetCode, 2, "pair");
    net.points[1].name = "A_1";
    net.points[1].x = 50;
    net.points[1].y = 100;
    net.points[2].name = "B";
    net.points[2].x = 150;
    net.points[2].y = 100;
    net.points[2].shape = 4;
    testing::AddEdge(net, 1, 2, 3);
    testing::AddEdge(net, 2, 1, 5);
    FindEdge(net, 2, 1)->color = 0x0000FF; // a procedure's red mark
    const std::string tikz = TikzText(net, false);
    for (const std::string line :
         {"% \\usepackage{tikz}\\usetikzlibrary{arrows.meta,shapes.geometric}", "\\definecolor{c000000}{HTML}{000000}", "\\definecolor{cFF0000}{HTML}{FF0000}",
          "  diamond point/.style={point, diamond, minimum size=6mm},",
          "  edge/.style={draw, -{Stealth[length=2.5mm]}},",
          "  \\node[circle point, c000000] (p1) at (1.00, -2.00) {A\\_1};",
          "  \\node[diamond point, c000000] (p2) at (3.00, -2.00) {B};",
          "  \\draw[edge, c000000, bend left=15] (p1) to node[weight] {3} (p2);",
          "  \\draw[edge, cFF0000, bend left=15] (p2) to node[weight] {5} (p1);"}) {
        EXPECT_NE(tikz.find(line + "\n"), std::string::npos) << line << "\n" << tikz;
    }
    EXPECT_EQ(tikz.find("\\documentclass"), std::string::npos);
    EXPECT_EQ(TikzText(net, true).find("\\documentclass{article}"), 0u);
    EXPECT_EQ(TikzText(testing::Triangle(), false).find("bend"), std::string::npos);
}

} // namespace
} // namespace plax
