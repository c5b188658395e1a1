#include "catalogue/procedure_table.h"

#include "net_builders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

namespace plax {
namespace {

using testing::MakeNet;

// Only "dirNet" is directed; "undirNet" and the other kinds the reader accepts are not.
TEST(ProcedureTable, OnlyDirNetIsDirected) {
    for (std::uint16_t kind = 0; kind < NetKind.size(); ++kind) {
        const NetWorkType net = MakeNet(kind, 2);
        const bool directed = kind == DirNetCode;
        SCOPED_TRACE(NetKind[kind]);
        EXPECT_TRUE(IsOffered(OfferedFor::AnyNet, net));
        EXPECT_EQ(IsOffered(OfferedFor::DirectedNets, net), directed);
        EXPECT_EQ(IsOffered(OfferedFor::NotDirectedNets, net), !directed);
    }
}

// Every menu item has a name and rank of its own, every entry something to run, and every pick
// its prompt; one command-line name has at most one plain entry.
TEST(ProcedureTable, EntriesAreComplete) {
    std::set<std::string_view> items;
    std::set<std::pair<std::string_view, std::string_view>> names;
    std::set<std::pair<ProcedureMenu, int>> ranks;
    for (const ProcedureEntry& e : ProcedureTable()) {
        SCOPED_TRACE(std::string(e.name));
        EXPECT_TRUE(items.insert(e.itemName).second);
        EXPECT_TRUE(names.insert({e.name, e.cliSwitch}).second);
        EXPECT_TRUE(ranks.insert({e.menu, e.menuOrder}).second);
        EXPECT_FALSE(e.caption.empty());
        EXPECT_NE(e.run, nullptr);
        EXPECT_EQ(e.picks == PointPicks::None, e.pickTexts.armPrompt.empty());
        EXPECT_EQ(e.picks == PointPicks::SourceAndSink, !e.pickTexts.sourcePrompt.empty());
    }
    EXPECT_EQ(MenuEntries(ProcedureMenu::Graph).size(), 16u);
    EXPECT_EQ(MenuEntries(ProcedureMenu::NetWork).size(), 8u);
    EXPECT_EQ(FindProcedureItem("GetInfo1")->name, "info");
    EXPECT_EQ(FindProcedureItem("Nothing1"), nullptr);
}

// A procedure in progress is named before anything else, on every entry and even on a trivial
// net; once it has ended each entry gives its own answer again.
TEST(ProcedureTable, EveryEntryRefusesWhileAProcedureRuns) {
    const std::optional<std::string> busy("Procedure in Progress!\r\nFirst terminate procedure!");
    for (const int points : {1, 3}) {
        NetWorkType net = MakeNet(UndirNetCode, points);
        if (points > 1) testing::AddEdge(net, 1, points, 1.0);
        for (const ProcedureEntry& e : ProcedureTable()) {
            SCOPED_TRACE(std::string(e.name) + " on " + std::to_string(points));
            net.interaction.busy = 1;
            EXPECT_EQ(EntryRefusal(e, net), busy);
            net.interaction.busy = 0;
            EXPECT_EQ(EntryRefusal(e, net), e.refusal != nullptr ? e.refusal(net) : std::nullopt);
        }
    }
}

// The help file names each menu item in bold, in a section that says under which menu it sits.
TEST(ProcedureTable, HelpFileNamesEveryItemUnderItsMenu) {
    std::ifstream file(PLAX_HELP_FILE, std::ios::binary);
    ASSERT_TRUE(file) << PLAX_HELP_FILE;
    std::stringstream text;
    text << file.rdbuf();
    const std::string help = text.str();
    for (const ProcedureEntry& e : ProcedureTable()) {
        std::string caption(e.caption);
        while (caption.back() == ' ')
            caption.pop_back();
        SCOPED_TRACE(caption);
        const std::size_t at = help.find(caption + "</b>");
        ASSERT_NE(at, std::string::npos);
        if (e.menu == ProcedureMenu::Property) continue;
        const std::size_t start = help.rfind("<h2>", at);
        const std::size_t end = help.find("<h2>", at);
        const std::string section = help.substr(start, end - start);
        const std::string menu = e.menu == ProcedureMenu::Graph ? "Graph" : "NetWork";
        EXPECT_NE(section.find("Property &gt; " + menu), std::string::npos);
    }
}

} // namespace
} // namespace plax
