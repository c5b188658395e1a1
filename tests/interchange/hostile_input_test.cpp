#include "interchange/interchange_file.h"

#include "model/net_store.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace plax {
namespace {

using testing::RecordingMessages;
using F = InterchangeFormat;

std::string Nodes(int count) {
    std::string out;
    for (int i = 1; i <= count; ++i)
        out += "<node id=\"n" + std::to_string(i) + "\"/>";
    return out;
}

std::string GraphML(const std::string& body, const std::string& keys = "",
                    const std::string& direction = "undirected") {
    return "<?xml version=\"1.0\"?><graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">" + keys +
           "<graph edgedefault=\"" + direction + "\">" + body + "</graph></graphml>";
}

const std::string WeightKey = "<key id=\"w\" for=\"edge\" attr.name=\"weight\" attr.type=\"double\"/>";

// A refusal names the file and the reason, and leaves the net that was there as it was.
void ExpectRefused(F format, const std::string& bytes, const std::string& reason) {
    NetWorkType net = testing::Triangle();
    RecordingMessages messages;
    EXPECT_FALSE(ReadInterchangeBytes(format, bytes, "bad.file", OptionType{}, messages, net));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0].kind, "warning");
    EXPECT_EQ(messages.calls[0].text, "Cannot import the file\r\nbad.file\r\n" + reason);
    EXPECT_EQ(net.name, "tri") << "nothing half-loaded";
    EXPECT_EQ(net.n, 3);
    EXPECT_EQ(EdgeCount(net), 3);
}

TEST(InterchangeRefusals, WhatANetCannotHoldIsNamed) {
    const std::string loop = "<node id=\"a\"/><edge source=\"a\" target=\"a\"/>";
    const std::string twice =
        "<node id=\"a\"/><node id=\"b\"/><edge source=\"a\" target=\"b\"/><edge source=\"b\" target=\"a\"/>";
    ExpectRefused(F::GraphML, GraphML(Nodes(16)), "The file has 16 points; a net holds at most 15.");
    ExpectRefused(F::GraphML, GraphML(loop), "The edge from \"a\" to itself is a loop; a net has none.");
    ExpectRefused(F::GraphML, GraphML(twice),
                  "There is more than one edge from \"b\" to \"a\"; a net has at most one.");
    ExpectRefused(F::GraphML, GraphML("<node id=\"a\"/><edge source=\"a\" target=\"z\"/>"),
                  "An edge names the node \"z\", which the graph does not have.");
    ExpectRefused(F::GraphML, GraphML("<node id=\"a\"/><node id=\"a\"/>"), "The node \"a\" appears twice.");
    ExpectRefused(F::GraphML,
                  GraphML("<node id=\"a\"/><node id=\"b\"/><edge source=\"a\" target=\"b\"><data "
                          "key=\"w\">-2</data></edge>",
                          WeightKey),
                  "The value \"-2\" of \"weight\" on edge \"a\" - \"b\" is not a number from 0 to 1e+38.");
    ExpectRefused(
        F::GraphML,
        GraphML("<node id=\"a\"/><node id=\"b\"/><edge source=\"a\" target=\"b\" directed=\"true\"/>"),
        "The graph mixes directed and undirected edges.");
    ExpectRefused(F::NodeLinkJson,
                  R"({"directed": true, "nodes": [{"id": 1}, {"id": 2}], "links": [{"source": 1, "target": 2},
                      {"source": 1, "target": 2}]})",
                  "There is more than one edge from \"1\" to \"2\"; a net has at most one.");
    ExpectRefused(
        F::NodeLinkJson, R"({"nodes": [], "links": [], "edges": [{"source": 1, "target": 2}]})",
        "Not a node-link JSON file: it needs \"nodes\" and \"edges\" or \"links\" (or both, the same)");
    ExpectRefused(F::Dot, "digraph { a -> a }", "The edge from \"a\" to itself is a loop; a net has none.");
    ExpectRefused(F::Dot, "graph { a -- b; a -- b }",
                  "There is more than one edge from \"a\" to \"b\"; a net has at most one.");
    ExpectRefused(F::Dot, "graph { a [pos=\"1;2\"] }",
                  "The value \"1;2\" of \"pos\" on node \"a\" is not x,y.");
    ExpectRefused(F::PlainEdgeList, "a b c d\n", "Not a edge list file (line 1): not \"a b [weight]\"");
    ExpectRefused(F::ExportedEdgeList, "2\r\n1,2,1\r\n", "Not a edge list file (line 2): no closing line");
    ExpectRefused(F::ExportedEdgeList, "20\r\n\"0\",\"0\",\"0\"\r\n",
                  "The file has 20 points; a net holds at most 15.");
}

TEST(InterchangeRefusals, HostileFilesAreRefusedWithinBounds) {
    // Entities would multiply a few bytes into gigabytes; no DTD is read at all.
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE graphml [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;&a;&a;&a;&a;&a;\">"
        "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
        "<graphml><graph><node id=\"&d;\"/></graph></graphml>";
    ExpectRefused(F::GraphML, laughs,
                  "Not a GraphML file (line 1): a DTD or an entity, which GraphML does not use");
    // Truncated anywhere.
    const std::string whole = GraphML("<node id=\"a\"/><node id=\"b\"/><edge source=\"a\" target=\"b\"/>");
    for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
        NetWorkType net;
        RecordingMessages messages;
        EXPECT_FALSE(ReadInterchangeBytes(F::GraphML, whole.substr(0, cut), "t", OptionType{}, messages, net))
            << cut;
    }
    // Huge counts are counted, not kept.
    ExpectRefused(F::GraphML, GraphML(Nodes(20000)), "The file has 20000 points; a net holds at most 15.");
    std::string dot = "graph {";
    for (int i = 0; i < 20000; ++i)
        dot += " n" + std::to_string(i) + ";";
    ExpectRefused(F::Dot, dot + "}", "The file has 20000 points; a net holds at most 15.");
    // Sub-nets nested past what a net file allows.
    std::string deep = "<node id=\"a\"/><node id=\"b\"/>";
    for (int i = 0; i < 70; ++i)
        deep += "<edge source=\"a\" target=\"b\"><graph edgedefault=\"undirected\"><node id=\"a\"/><node "
                "id=\"b\"/>";
    for (int i = 0; i < 70; ++i)
        deep += "</graph></edge>";
    ExpectRefused(F::GraphML, GraphML(deep), "Sub-nets are nested more than 64 levels deep.");
    ExpectRefused(F::NodeLinkJson, std::string(100000, '[') + std::string(100000, ']'),
                  "Not a node-link JSON file: too deeply nested document at byte 1025");
    ExpectRefused(F::Dot, "graph {" + std::string(20000, '{') + std::string(20000, '}') + "}",
                  "Not a DOT file: braces nested more than 100 deep");
    // Values: one too long for any field, and a file too large to be read at all.
    ExpectRefused(F::GraphML,
                  GraphML("<node id=\"a\"/><node id=\"b\"/><edge source=\"a\" target=\"b\"><data key=\"w\">" +
                              std::string(2000, '1') + "</data></edge>",
                          WeightKey),
                  "The value of \"weight\" on a edge is too long.");
    const std::string huge(10u << 20, 'x');
    ExpectRefused(F::NodeLinkJson, R"({"nodes": [{"id": 1, "name": ")" + huge + R"("}], "links": []})",
                  "The value of \"name\" on node \"1\" is too long.");
    ExpectRefused(F::Dot, "graph { a [label=\"" + huge + "\"] }",
                  "Not a DOT file: a word or string longer than 1024 bytes");
    ExpectRefused(F::GraphML, GraphML("<node id=\"a\"/>") + huge + huge, "The file is larger than 16 MB.");
    ExpectRefused(F::Dot, std::string("graph { a }\0b", 13), "Not a DOT file: a NUL byte");
    // What cgraph leaves unread, after the graph or after an error, must not start the next file.
    ExpectRefused(F::Dot, "graph { a } }}} graph { b }", "Not a DOT file: text after the graph");
    ExpectRefused(F::Dot, "graph { a -- ; b -- c; d -- e; f -- g }",
                  "Not a DOT file: syntax error in line 1 near ';'");
    NetWorkType next;
    RecordingMessages quiet;
    EXPECT_TRUE(ReadInterchangeBytes(F::Dot, "graph { a -- b }", "ok.gv", OptionType{}, quiet, next));
    EXPECT_EQ(next.n, 2);
}

// Files made on purpose to hang, swell or fool a reader: each is refused by its limit, at once.
TEST(InterchangeRefusals, MadeFilesMeetTheirLimitsBeforeTheWork) {
    std::string product = "graph { {";
    for (int i = 1; i <= 300; ++i)
        product += " a" + std::to_string(i);
    product += " } -- {";
    for (int i = 1; i <= 300; ++i)
        product += " b" + std::to_string(i);
    std::string fifteen = "{a b c d e f g h i j k l m n o}";
    std::string squares = "digraph {";
    for (int i = 0; i < 100; ++i)
        squares += fifteen + " -> " + fifteen + ";";
    // Braces hidden from a count that does not read comments and HTML strings as DOT does.
    std::string hidden = "graph { a;";
    for (int i = 0; i < 4000; ++i)
        hidden += " { /*}*/";
    for (int i = 0; i < 4000; ++i)
        hidden += " <{>}";
    std::string joined = "graph { a [label=\"x\"";
    for (int i = 0; i < 2000; ++i)
        joined += " + \"x\"";
    std::string subgraphs = "graph {";
    for (int i = 0; i < 1001; ++i)
        subgraphs += " {a}";
    std::string names = "graph { a [";
    for (int i = 0; i < 300; ++i)
        names += "n" + std::to_string(i) + "=1,";
    std::string keys;
    for (int i = 0; i < 300; ++i)
        keys += "<key id=\"k" + std::to_string(i) + "\" for=\"edge\" attr.name=\"k" + std::to_string(i) +
                "\"><default>1</default></key>";
    const std::vector<std::tuple<F, std::string, std::string>> cases = {
        {F::Dot, product + " } }", "The file has 600 points; a net holds at most 15."},
        {F::Dot, squares + "}", "The file has 22500 edges; a net of 15 points holds at most 210."},
        {F::Dot, hidden + "}", "Not a DOT file: braces nested more than 100 deep"},
        {F::Dot, joined + "] }", "Not a DOT file: a word or string longer than 1024 bytes"},
        {F::Dot, subgraphs + "}", "Not a DOT file: more than 1000 subgraphs"},
        {F::Dot, names + "] }", "Not a DOT file: more than 256 attribute names"},
        {F::Dot, "graph { a } // one\n b", "Not a DOT file: text after the graph"},
        {F::Dot, "subgraph { a }", "Not a DOT file: no graph { ... } at the start"},
        {F::ExportedEdgeList, std::string(90, '4') + "\r,",
         "The file has 1000000000 points; a net holds at most 15."},
        {F::GraphML, GraphML("<node id=\"a\"/>", keys), "Not a GraphML file (line 1): more than 256 keys"},
        {F::PlainEdgeList, std::string("1 a\0b\n", 6),
         "A NUL byte in a text of node \"a?b\"; a net's texts hold none."},
        {F::NodeLinkJson, R"({"nodes": [{"id": "a\u0000"}], "links": []})",
         "A NUL byte in a text of node \"a?\"; a net's texts hold none."},
    };
    for (const auto& [format, bytes, reason] : cases)
        ExpectRefused(format, bytes, reason);
}

// What DOT allows around and inside a graph, and lines however they end.
TEST(InterchangeRefusals, CommentsAndLineEndsAreReadAsTheFormatsHaveThem) {
    const std::vector<std::tuple<F, std::string, int, int>> cases = {
        {F::Dot, "graph { a -- b // }\n c }", 3, 1},
        {F::Dot, "graph { a -- b /* } { */ }", 2, 1},
        {F::Dot, "# made by hand\ngraph { a [label=<x}{y>] } // the end\n/* really */\n", 1, 0},
        {F::Dot, "graph { a -- b // one\r c -- d }\r", 4, 2},
        {F::PlainEdgeList, "1 2\r2 3\r", 3, 2},
        {F::PlainEdgeList, "1 2\r\n2 3\n3 4", 4, 3},
        {F::PlainEdgeList, "1\n2\n3\n", 3, 0},
    };
    for (const auto& [format, bytes, points, edges] : cases) {
        NetWorkType net;
        RecordingMessages messages;
        EXPECT_TRUE(ReadInterchangeBytes(format, bytes, "ok", OptionType{}, messages, net)) << bytes;
        for (const auto& call : messages.calls)
            ADD_FAILURE() << bytes << ": " << call.text;
        EXPECT_EQ(net.n, points) << bytes;
        EXPECT_EQ(EdgeCount(net), edges) << bytes;
    }
}

} // namespace
} // namespace plax
