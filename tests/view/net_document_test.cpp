#include "net_document_fixture.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "test_host.h"
#include "view_test_nets.h"

#include "view/net_document.h"

#include "model/net_file.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plax {
namespace {

class NetDocumentTest : public testing::NetDocumentFixture {
protected:
    int PointsIn(const std::string& path) {
        NetWorkType back;
        testing::RecordingMessages quiet;
        return LoadNetFile(back, path, host.state.options, quiet) ? back.n : -1;
    }
};

TEST_F(NetDocumentTest, OpenEditSaveAndCloseWithoutAWindow) {
    const std::string path = OpenRoadCopy();
    EXPECT_EQ(display.captions.back(), "road.net");
    EXPECT_FALSE(document.Unnamed());
    const int n = document.Net().n;
    ASSERT_GT(n, 0);
    testing::AddTestPoint(document.Net(), 20, 20);
    testing::TouchNet(document);

    // A picture is not the net: the close question still stands afterwards. A PNG is drawn at
    // the scale asked for (the window's 300 x 200 twice over); a cancelled scale writes nothing.
    host.dialogs.paths = {dir.File("road.png"), dir.File("none.bmp")};
    host.dialogs.scales = {2.0, std::nullopt};
    EXPECT_FALSE(document.SaveAs());
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("road.png"))).size(), QSize(600, 400));
    EXPECT_FALSE(document.SaveAs());
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmp")));
    EXPECT_EQ(host.dialogs.Texts("scale").size(), 2U);
    EXPECT_EQ(document.Net().changed, 1);
    EXPECT_EQ(document.FileName(), path);

    EXPECT_TRUE(document.Save());
    EXPECT_EQ(document.Net().changed, 0);
    EXPECT_EQ(PointsIn(path), n + 1);
    EXPECT_EQ(display.resets, 3);
    EXPECT_TRUE(document.CloseQuery());
    EXPECT_TRUE(host.dialogs.Texts("ask").empty());
    document.Release();
    EXPECT_TRUE(document.Closed());
}

TEST_F(NetDocumentTest, TheCloseQuestionKeepsWhatWasNotSaved) {
    struct Row {
        const char* what;
        bool changed;
        bool busy;
        Answer answer;
        std::optional<std::string> savePath;
        bool closes;
        std::size_t questions;
        bool written;
    };
    const Row rows[] = {
        {"unchanged", false, false, Answer::Yes, std::nullopt, true, 0, false},
        {"let go", true, false, Answer::No, std::nullopt, true, 1, false},
        {"dismissed", true, false, Answer::Cancel, std::nullopt, false, 1, false},
        {"save cancelled", true, false, Answer::Yes, std::nullopt, false, 1, false},
        {"saved", true, false, Answer::Yes, "kept.net", true, 1, true},
        {"busy", true, true, Answer::Yes, std::nullopt, false, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::TestHost rowHost;
        testing::ScratchDir rowDir;
        testing::RecordingDisplay rowDisplay;
        NetDocument doc{rowHost, rowDisplay};
        doc.New();
        testing::AddTestPoint(doc.Net(), 50, 50);
        if (row.changed) testing::TouchNet(doc);
        rowHost.state.run.busy = row.busy ? 1 : 0;
        rowHost.dialogs.answer = row.answer;
        if (row.savePath) rowHost.dialogs.paths.push_back(rowDir.File(*row.savePath));
        EXPECT_EQ(doc.CloseQuery(), row.closes);
        EXPECT_EQ(rowHost.dialogs.Texts("ask").size(), row.questions);
        EXPECT_EQ(rowHost.dialogs.Texts("warning").size(), row.busy ? 1U : 0U);
        EXPECT_EQ(row.savePath && std::filesystem::exists(rowDir.File(*row.savePath)), row.written);
    }
    EXPECT_EQ(host.dialogs.calls.size(), 0U);
}

} // namespace
} // namespace plax

namespace plax {
namespace {

class NetDocumentExchange : public testing::NetDocumentFixture {};

// Export writes the shown net for other tools and changes nothing of the document; Import makes
// a new unnamed document of it, or of a refused file nothing at all.
TEST_F(NetDocumentExchange, ExportThenImportAndRefusals) {
    const std::string road = OpenRoadCopy();
    testing::TouchNet(document);
    const std::string graphml = dir.File("road.graphml");
    host.dialogs.paths = {graphml, dir.File("road.xyz"), dir.File("road.tex")};
    EXPECT_TRUE(document.Export());
    EXPECT_FALSE(document.Export());
    EXPECT_TRUE(document.Export());
    EXPECT_EQ(host.dialogs.Texts("error"),
              std::vector<std::string>{" Cannot export the NetWork to\r\n" + dir.File("road.xyz") +
                                       "\r\nExport writes .graphml .json .dot .gv .txt .edgelist .gml .gexf "
                                       ".paj .g6 .d6 .csv .adjlist .pnml .tex."});
    const std::string tikz = testing::ReadAll(dir.File("road.tex"));
    EXPECT_NE(tikz.find("\\begin{tikzpicture}"), std::string::npos);
    EXPECT_EQ(tikz.find("\\documentclass"), std::string::npos) << "code to \\input, as Copy as TikZ gives it";
    EXPECT_NE(host.dialogs.Texts("save").back().find("TikZ (*.tex)|*.tex"), std::string::npos);
    EXPECT_EQ(document.FileName(), road);
    EXPECT_EQ(document.Net().changed, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("road.xyz")));

    testing::RecordingDisplay otherDisplay;
    NetDocument imported(host, otherDisplay);
    ASSERT_TRUE(imported.Import(graphml));
    EXPECT_EQ(otherDisplay.captions.back(), "road.graphml");
    EXPECT_TRUE(imported.Unnamed()) << "Save asks for a name";
    EXPECT_EQ(imported.Net().name, "road");
    EXPECT_EQ(imported.Net().n, document.Net().n);
    EXPECT_EQ(imported.Net().changed, 0);

    testing::ScratchDir other;
    const std::string loop = other.File("loop.json");
    testing::WriteAll(loop, R"({"nodes": [{"id": 1}], "links": [{"source": 1, "target": 1}]})");
    NetDocument refused(host, otherDisplay);
    EXPECT_FALSE(refused.Import(loop));
    EXPECT_EQ(host.dialogs.Texts("warning").back(),
              "Cannot import the file\r\n" + loop +
                  "\r\nThe edge from \"1\" to itself is a loop; a net has none.");
}

} // namespace
} // namespace plax
