#include "interchange/interchange_file.h"

#include "model/file_io.h"
#include "model/net_file.h"
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

struct Loaded {
    bool ok = false;
    NetWorkType net;
    std::string told;
};

Loaded Load(const std::string& bytes) {
    Loaded out;
    RecordingMessages messages;
    out.ok = ReadInterchangeBytes(InterchangeFormat::Pnml, bytes, "in.pnml", OptionType{}, messages, out.net);
    EXPECT_LE(messages.calls.size(), 1u);
    if (!messages.calls.empty()) out.told = messages.calls[0].text;
    return out;
}

std::string Pnml(const std::string& objects,
                 const std::string& type = "http://www.pnml.org/version-2009/grammar/ptnet") {
    return "<?xml version=\"1.0\"?><pnml xmlns=\"http://www.pnml.org/version-2009/grammar/pnml\"><net "
           "id=\"n\" "
           "type=\"" +
           type + "\"><page id=\"g\">" + objects + "</page></net></pnml>";
}

const PointType& Point(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

TEST(Pnml, PagesAndReferencePlacesOfAnotherToolAreOneNet) {
    std::string bytes;
    ASSERT_EQ(ReadFileLimited(std::string(PLAX_TEST_DATA_DIR) + "/interchange/producer-consumer.pnml",
                              MaxInterchangeFileSize, bytes),
              ReadStatus::Ok);
    const Loaded loaded = Load(bytes);
    ASSERT_TRUE(loaded.ok) << loaded.told;
    EXPECT_EQ(loaded.told, "");
    const NetWorkType& net = loaded.net;
    EXPECT_EQ(net.name, "Producer and consumer");
    EXPECT_EQ(net.kindName, "dirNet");
    const std::vector<std::tuple<const char*, int, int>> points = {
        {"Ready", 0, 1}, {"Produce", 2, -1}, {"Made", 0, 0}, {"Deliver", 2, -1}, {"Buffer", 0, 0},
        {"Free", 0, 2},  {"Take", 2, -1},    {"Got", 0, 0},  {"Consume", 2, -1}, {"Idle", 0, 1}};
    ASSERT_EQ(net.n, static_cast<int>(points.size()));
    for (int i = 1; i <= net.n; ++i) {
        const auto& [name, shape, tokens] = points[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(Point(net, i).name, name);
        EXPECT_EQ(Point(net, i).shape, shape) << name;
        if (tokens >= 0) {
            EXPECT_EQ(Point(net, i).tokens, tokens) << name;
        }
    }
    const std::vector<std::pair<int, int>> arcs = {{1, 2}, {2, 3},  {3, 4}, {6, 4}, {4, 1}, {4, 5},
                                                   {5, 7}, {10, 7}, {7, 8}, {7, 6}, {8, 9}, {9, 10}};
    EXPECT_EQ(EdgeCount(net), static_cast<int>(arcs.size()));
    for (const auto& [i, j] : arcs)
        EXPECT_NE(FindEdge(net, i, j), nullptr) << i << "->" << j;
    EXPECT_LT(Point(net, 1).x, Point(net, 3).x) << "decimal positions scaled, in their order";

    const Loaded older =
        Load("<pnml><net id=\"n\" type=\"http://www.informatik.hu-berlin.de/top/pntd/ptNetb\">"
             "<place id=\"p\"/><transition id=\"t\"/><arc id=\"a\" source=\"t\" target=\"p\"/>"
             "</net><net id=\"m\" type=\"ptnet\"/></pnml>");
    ASSERT_TRUE(older.ok) << older.told;
    EXPECT_EQ(older.told, "The file holds 2 nets; the first is read.");
    EXPECT_EQ(Point(older.net, 1).tokens, 0) << "a place without a marking is empty";
    EXPECT_NE(FindEdge(older.net, 2, 1), nullptr);
}

TEST(Pnml, APetriNetComesBackByteForByteAndOtherNetsAreRefused) {
    for (const std::string name : {"petri"}) {
        NetWorkType net;
        RecordingMessages messages;
        ASSERT_TRUE(
            LoadNetFile(net, std::string(PLAX_EXAMPLES_DIR) + "/" + name + ".net", OptionType{}, messages));
        net.points[1].color = 0x0000FF;
        net.points[2].tokens = 7; // a transition's level
        net.lists[1].front().name = "first arc";
        ASSERT_EQ(InterchangeRefusal(InterchangeFormat::Pnml, net), "");
        const auto bytes = InterchangeBytes(InterchangeFormat::Pnml, net);
        ASSERT_TRUE(bytes.has_value());
        const Loaded back = Load(*bytes);
        ASSERT_TRUE(back.ok) << back.told;
        EXPECT_EQ(back.told, "");
        EXPECT_EQ(NetFileBytes(back.net), NetFileBytes(net)) << *bytes;
    }

    NetWorkType placeToPlace = testing::MakeNet(DirNetCode, 3, "pp");
    placeToPlace.points[2].shape = 3;
    placeToPlace.points[1].name = "A";
    placeToPlace.points[3].name = "C";
    testing::Connect(placeToPlace, 1, 2);
    testing::Connect(placeToPlace, 1, 3);
    NetWorkType decomposed = testing::MakeNet(DirNetCode, 2, "sub");
    decomposed.points[2].shape = 2;
    testing::Connect(decomposed, 1, 2);
    decomposed.lists[1].front().subNet = std::make_shared<NetWorkType>(testing::Triangle());
    const std::vector<std::pair<NetWorkType, std::string>> refused = {
        {testing::Triangle(), "PNML holds Petri nets, and an undirected net is not one."},
        {std::move(placeToPlace),
         "The edge from \"A\" to \"C\" joins two places; in PNML an arc joins a place and a transition."},
        {std::move(decomposed), "The edge from \"1\" to \"2\" has a sub-net, which PNML does not hold."},
    };
    for (const auto& [net, reason] : refused) {
        EXPECT_EQ(InterchangeRefusal(InterchangeFormat::Pnml, net), reason);
        EXPECT_FALSE(InterchangeBytes(InterchangeFormat::Pnml, net).has_value());
        RecordingMessages messages;
        EXPECT_FALSE(SaveInterchangeFile(InterchangeFormat::Pnml, net, "/nowhere/x.pnml", messages));
        ASSERT_EQ(messages.calls.size(), 1u);
        EXPECT_EQ(messages.calls[0].text, "Cannot export the file\r\n/nowhere/x.pnml\r\n" + reason);
    }
}

TEST(Pnml, WhatAnOrdinaryNetCannotHoldIsRefusedWithinBounds) {
    std::string many;
    for (int i = 0; i < 20; ++i)
        many += "<place id=\"p" + std::to_string(i) + "\"/>";
    std::string deep = "<pnml><net id=\"n\" type=\"ptnet\">";
    for (int i = 0; i < 17; ++i)
        deep += "<page id=\"g" + std::to_string(i) + "\">";
    const std::string pt = "<place id=\"p\"/><transition id=\"t\"/>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Pnml(many), "The file has 20 points; a net holds at most 15."},
        {Pnml(pt + "<arc id=\"a\" source=\"p\" target=\"t\"><inscription><text>2</text></inscription></arc>"),
         "The arc \"a\" has the weight \"2\"; a net's arcs are ordinary, each of weight 1."},
        {Pnml(pt + "<arc id=\"a\" source=\"p\" target=\"t\"><type value=\"inhibitor\"/></arc>"),
         "The arc \"a\" is of the type \"inhibitor\"; a net's arcs are ordinary."},
        {Pnml(pt + "<place id=\"q\"/><arc id=\"a\" source=\"p\" target=\"q\"/>"),
         "The arc from \"p\" to \"q\" joins two places; an arc joins a place and a transition."},
        {Pnml(pt + "<referencePlace id=\"r\" ref=\"s\"/><referencePlace id=\"s\" ref=\"r\"/>"
                   "<arc id=\"a\" source=\"r\" target=\"t\"/>"),
         "The reference \"r\" leads in a circle."},
        {Pnml(pt + "<arc id=\"a\" source=\"x\" target=\"t\"/>"),
         "An edge names the node \"x\", which the graph does not have."},
        {Pnml(pt, "http://www.pnml.org/version-2009/grammar/symmetricnet"),
         "The net is of type \"http://www.pnml.org/version-2009/grammar/symmetricnet\"; only "
         "place/transition "
         "nets (ptnet) are read."},
        {Pnml("<place id=\"p\"><initialMarking><text>70000</text></initialMarking></place>"),
         "The value \"70000\" of \"tokens\" on node \"p\" is not a whole number from 0 to 60000."},
        {deep, "Not a PNML file (line 1): pages nested more than 16 deep"},
        {"<?xml version=\"1.0\"?><!DOCTYPE pnml [<!ENTITY e \"x\">]><pnml/>",
         "Not a PNML file (line 1): a DTD or an entity, which PNML does not use"},
        {"<pnml><net id=\"n\" type=\"ptnet\"><place id=\"p\">",
         "Not a PNML file (line 1): Premature end of document."},
        {"<graphml/>", "Not a PNML file (line 1): the element <graphml> has no place here"},
    };
    for (const auto& [bytes, reason] : cases) {
        SCOPED_TRACE(bytes.substr(0, 80));
        const Loaded loaded = Load(bytes);
        EXPECT_FALSE(loaded.ok);
        EXPECT_EQ(loaded.told, "Cannot import the file\r\nin.pnml\r\n" + reason);
    }
}

} // namespace
} // namespace plax
