#include "recording_messages.h"
#include "scratch_dir.h"
#include "test_host.h"
#include "view_test_nets.h"

#include "view/canvas_gesture.h"
#include "view/dialogs.h"
#include "view/document_files.h"
#include "view/document_window.h"
#include "view/document_window_parts.h"
#include "view/net_canvas_widget.h"

#include "model/edge_list.h"
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/net_store.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

namespace plax {
namespace {

using testing::ReadAll;

class DocumentWindowTest : public ::testing::Test {
protected:
    DocumentWindowTest() { doc->show(); }

    // A copy of a sample file in the scratch folder, under `name`.
    std::string Copy(const std::string& from, const std::string& name) {
        const std::string to = dir.File(name);
        std::filesystem::copy_file(from, to);
        return to;
    }
    std::string OpenRoad() {
        const std::string path = Copy(PLAX_EXAMPLES_DIR "/road.net", "road.net");
        doc->OpenDocument(path);
        return path;
    }
    QString Label(const char* name) const { return doc->findChild<QLabel*>(name)->text(); }
    std::string Title() const { return doc->windowTitle().toStdString(); }
    bool Closed() const {
        return std::find(host.requests.begin(), host.requests.end(), "closed") != host.requests.end();
    }

    testing::TestHost host;
    testing::ScratchDir dir;
    std::unique_ptr<TMDIChild> doc = std::make_unique<TMDIChild>(host);
};

TEST_F(DocumentWindowTest, OpensEveryExampleByItsExtension) {
    for (const char* name : {"flow.net", "petri.net", "project.net", "railway.net", "road.net"}) {
        doc->OpenDocument(std::string(PLAX_EXAMPLES_DIR "/") + name);
        EXPECT_GT(doc->Net().n, 0) << name;
        EXPECT_EQ(Title(), name);
        EXPECT_FALSE(doc->Unnamed());
        EXPECT_EQ(Label("LabelType").toStdString(), doc->Net().kindName);
    }
    // Mixed case still selects the Krack Plot reader.
    doc->OpenDocument(Copy(PLAX_TEST_DATA_DIR "/road.kp", "Road.Kp"));
    EXPECT_EQ(doc->Net().n, 9);
    EXPECT_EQ(doc->Net().points[2].name, "Mill");
    EXPECT_EQ(Title(), "Road.Kp");
    EXPECT_TRUE(host.dialogs.calls.empty());
}

TEST_F(DocumentWindowTest, NewDocumentIsTheEmptyUnnamedNet) {
    host.state.options.loadMode = 0;
    host.state.options.newNetOptions.radius = 7;
    host.state.options.options.radius = 12;
    host.state.options.newDocumentView.pointNames = 1;
    doc->NewDocument();
    EXPECT_EQ(Title(), "NoName");
    EXPECT_EQ(doc->Net().name, "NoName");
    EXPECT_EQ(doc->Net().n, 0);
    EXPECT_EQ(doc->Net().kindName, "undirNet");
    EXPECT_EQ(doc->Net().defaultOptions.radius, 7);
    EXPECT_EQ(doc->Net().view.pointNames, 1);
    EXPECT_EQ(Label("LabelCoord"), "Ready");
    host.state.options.loadMode = 1;
    doc->NewDocument();
    EXPECT_EQ(doc->Net().defaultOptions.radius, 12);

    std::vector<std::string> titles;
    for (QMenu* menu : doc->Menus())
        titles.push_back(menu->title().toStdString());
    EXPECT_EQ(titles,
              (std::vector<std::string>{"&File", "&Edit", "&View", "&Property", "&Simulation", "&Report"}));
    const CommandEnabling on = doc->Enabling();
    EXPECT_TRUE(on[CommandCode::AddPoint] && on[CommandCode::ShowReport] && on[CommandCode::ClearReport] &&
                on[CommandCode::Retype]);
    EXPECT_FALSE(on[CommandCode::AddEdge] || on[CommandCode::DeletePoint] || on[CommandCode::Nothing] ||
                 on[CommandCode::Save]);
    EXPECT_FALSE(doc->findChild<QPushButton*>("ResetBtn")->isEnabled());
}

TEST_F(DocumentWindowTest, SaveOfANewDocumentRunsSaveAsAndNamesTheNet) {
    doc->NewDocument();
    auto& net = doc->Net();
    testing::AddTestPoint(net, 50, 50);
    testing::AddTestPoint(net, 150, 80);
    testing::AddTestEdge(net, 1, 2, 2.5);
    testing::TouchNet(*doc);
    host.dialogs.paths.push_back(dir.File("a.b.net"));
    ASSERT_TRUE(doc->SaveNet());
    EXPECT_EQ(
        host.dialogs.Texts("save"),
        std::vector<std::string>{"NetWork File (*.net)|*.net|BitMap File (*.bmp)|*.bmp|Win Meta File "
                                 "(*.wmf)|*.wmf|Krack Plot File (*.kp)|*.kp|Text File (*.txt)|*.txt|PNG "
                                 "Picture (*.png)|*.png|SVG Picture (*.svg)|*.svg|PDF File (*.pdf)|*.pdf"});
    EXPECT_EQ(Title(), "NetWork   a.b.net");
    EXPECT_EQ(net.name, "aet");
    EXPECT_EQ(net.changed, 0);
    EXPECT_FALSE(doc->Unnamed());
    NetWorkType back;
    testing::RecordingMessages quiet;
    ASSERT_TRUE(LoadNetFile(back, dir.File("a.b.net"), host.state.options, quiet));
    EXPECT_EQ(back.n, 2);
    EXPECT_EQ(back.name, "aet");
    // Named now: the next Save writes without asking for a name.
    testing::TouchNet(*doc);
    EXPECT_TRUE(doc->SaveNet());
    EXPECT_EQ(host.dialogs.Texts("save").size(), 1u);
    EXPECT_EQ(net.changed, 0);
}

TEST_F(DocumentWindowTest, SaveOfAKrackPlotDocumentWritesKrackPlotAgain) {
    const std::string path = Copy(PLAX_TEST_DATA_DIR "/road.kp", "Road.Kp");
    doc->OpenDocument(path);
    doc->Net().points[1].x += 10;
    testing::TouchNet(*doc);
    EXPECT_TRUE(doc->SaveNet());
    EXPECT_TRUE(host.dialogs.Texts("save").empty());
    EXPECT_EQ(ReadAll(path), KrackPlotText(doc->Net()));
    EXPECT_EQ(doc->Net().changed, 1);
}

TEST_F(DocumentWindowTest, SaveAsExportsLeaveTheDocumentAsItWas) {
    OpenRoad();
    testing::TouchNet(*doc);
    const std::pair<const char*, std::string> exports[] = {{"x.png", "\x89PNG"},
                                                           {"x.svg", "<?xml"},
                                                           {"x.pdf", "%PDF"},
                                                           {"x.Bmp", "BM"},
                                                           {"x.wmf", "\xD7\xCD\xC6\x9A"}};
    for (const auto& [name, magic] : exports) {
        host.dialogs.paths.push_back(dir.File(name));
        EXPECT_FALSE(doc->SaveNetAs()) << name; // written, but a picture does not save the net
        EXPECT_EQ(ReadAll(dir.File(name)).substr(0, magic.size()), magic) << name;
    }
    host.dialogs.paths.push_back(dir.File("x.txt"));
    EXPECT_FALSE(doc->SaveNetAs());
    EXPECT_EQ(ReadAll(dir.File("x.txt")), EdgeListText(doc->Net()));
    EXPECT_EQ(Title(), "road.net");
    EXPECT_EQ(doc->FileName(), dir.File("road.net"));
    EXPECT_EQ(doc->Net().changed, 1);
    EXPECT_EQ(doc->Net().interaction.canvasWidth, doc->PictureSize().width());
    EXPECT_EQ(doc->Net().interaction.canvasHeight, doc->PictureSize().height());
    EXPECT_EQ(Label("LabelStatus"), "");
    EXPECT_EQ(Label("LabelCoord"), "Ready");
}

TEST_F(DocumentWindowTest, CloseAsksOnlyForAChangedNetWithPoints) {
    OpenRoad();
    const std::string question =
        "Confirm: Do you wish to Save " + doc->Net().name + "?\r\nNetwork has been changed!";
    testing::TouchNet(*doc);
    host.dialogs.answers = {Answer::Cancel, Answer::No};
    EXPECT_FALSE(doc->close());
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(doc->close());
    EXPECT_TRUE(Closed());
    EXPECT_EQ(host.dialogs.Texts("ask"), (std::vector<std::string>{question, question}));

    auto empty = std::make_unique<TMDIChild>(host);
    empty->NewDocument();
    testing::TouchNet(*empty);
    EXPECT_TRUE(empty->close());
    EXPECT_EQ(host.dialogs.Texts("ask").size(), 2u);

    // Yes saves under the document's own name, then closes.
    auto named = std::make_unique<TMDIChild>(host);
    const std::string path = dir.File("road.net");
    named->OpenDocument(path);
    named->Net().points[1].name = "Port";
    testing::TouchNet(*named);
    host.dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(named->close());
    NetWorkType back;
    testing::RecordingMessages quiet;
    ASSERT_TRUE(LoadNetFile(back, path, host.state.options, quiet));
    EXPECT_EQ(back.points[1].name, "Port");
}

TEST_F(DocumentWindowTest, CloseKeepsTheDocumentWhenNothingWasSaved) {
    doc->NewDocument();
    testing::AddTestPoint(doc->Net(), 40, 40);
    testing::TouchNet(*doc);
    host.dialogs.answers = {Answer::Yes}; // then the save dialog is cancelled
    EXPECT_FALSE(doc->close());
    EXPECT_FALSE(Closed());
    EXPECT_EQ(doc->Net().changed, 1);
    EXPECT_TRUE(doc->Unnamed());

    // Yes, then a picture name: the picture is written but the net is not, so it stays open.
    host.dialogs.answers = {Answer::Yes};
    host.dialogs.paths.push_back(dir.File("x.png"));
    EXPECT_FALSE(doc->close());
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(std::filesystem::exists(dir.File("x.png")));

    const std::string missing = dir.File("missing/x.net");
    const std::string cannotSave = " Cannot Save file \r\n" + missing + "\r\nSave Procedure terminated! ";
    host.dialogs.paths.push_back(missing);
    EXPECT_FALSE(doc->SaveNetAs());
    EXPECT_EQ(host.dialogs.Texts("warning"), std::vector<std::string>{cannotSave});
    EXPECT_EQ(doc->Net().changed, 1);

    host.dialogs.answers = {Answer::Yes};
    EXPECT_FALSE(doc->close()); // the save under the failed name fails again
    EXPECT_EQ(host.dialogs.Texts("warning"), (std::vector<std::string>{cannotSave, cannotSave}));
    EXPECT_FALSE(Closed());
}

TEST_F(DocumentWindowTest, ADamagedFileIsNeverSavedOverByAPlainSave) {
    // road.net cut inside its fourth edge record: the nine points and three edges stay.
    const std::string bytes = ReadAll(PLAX_EXAMPLES_DIR "/road.net").substr(0, 64 * 13 + 20);
    const std::string path = dir.File("road.net");
    testing::WriteAll(path, bytes);
    doc->OpenDocument(path);
    EXPECT_EQ(host.dialogs.Texts("warning"),
              std::vector<std::string>{"Invalid format of the File\r\n" + path +
                                       "\r\nLoad Procedure terminated! "});
    EXPECT_EQ(doc->Net().n, 9);
    EXPECT_EQ(Title(), "road.net (damaged)");
    EXPECT_TRUE(doc->Unnamed());

    // Save asks for a name; cancelled, the damaged file is as it was.
    testing::TouchNet(*doc);
    EXPECT_FALSE(doc->SaveNet());
    EXPECT_EQ(host.dialogs.Texts("save").size(), 1u);
    EXPECT_EQ(ReadAll(path), bytes);

    host.dialogs.paths.push_back(dir.File("mended.net"));
    EXPECT_TRUE(doc->SaveNet());
    EXPECT_EQ(Title(), "NetWork   mended.net");
    EXPECT_FALSE(doc->Unnamed());
    EXPECT_EQ(ReadAll(path), bytes);
}

TEST_F(DocumentWindowTest, CloseIsRefusedWhileAProcedureRuns) {
    OpenRoad();
    host.state.run.busy = 1;
    EXPECT_FALSE(doc->close());
    host.state.run.busy = 0;
    doc->Net().interaction.busy = 1;
    EXPECT_FALSE(doc->close());
    const std::string busy = "Procedure in Progress!\r\nFirst terminate procedure!";
    EXPECT_EQ(host.dialogs.Texts("warning"), (std::vector<std::string>{busy, busy}));
    EXPECT_FALSE(Closed());
}

TEST(NetLevelsTest, ASubNetIsStoredIntoItsPlaceAndTheWholeNetWritten) {
    testing::ScratchDir dir;
    testing::RecordingMessages messages;
    NetWorkType top = testing::NewTestNet(false);
    testing::AddTestPoint(top, 10, 10);
    testing::AddTestPoint(top, 200, 10);
    testing::AddTestEdge(top, 1, 2);
    SetSubNet(top, 1, 2, std::make_shared<NetWorkType>(testing::NewTestNet(false)));
    NetLevels levels;
    levels.Reset(top);
    levels.Down(1, 2);
    NetWorkType working = testing::NewTestNet(false);
    for (int i = 0; i < 3; ++i)
        testing::AddTestPoint(working, 30 * i + 20, 50);
    ASSERT_TRUE(WriteNetHierarchy(levels, working, dir.File("levels.net"), messages));
    NetWorkType back;
    ASSERT_TRUE(LoadNetFile(back, dir.File("levels.net"), OptionType{}, messages));
    EXPECT_EQ(back.n, 2);
    ASSERT_NE(GetSubNet(back, 1, 2), nullptr);
    EXPECT_EQ(GetSubNet(back, 1, 2)->n, 3);

    // A level whose edge lost its sub-net has no home: nothing is written.
    levels.Down(2, 3);
    EXPECT_FALSE(WriteNetHierarchy(levels, working, dir.File("broken.net"), messages));
    EXPECT_EQ(messages.calls.back().text, "Error. Invalid Structure of Network.");
    EXPECT_FALSE(std::filesystem::exists(dir.File("broken.net")));
}

TEST_F(DocumentWindowTest, PrintsThroughTheChosenPrinter) {
    OpenRoad();
    doc->Print1Click(); // no printer chosen: cancelled
    host.dialogs.printFile = dir.File("net.pdf");
    doc->Print1Click();
    EXPECT_EQ(ReadAll(dir.File("net.pdf")).substr(0, 4), "%PDF");
    EXPECT_EQ(host.dialogs.Texts("print").size(), 2u);
    EXPECT_TRUE(host.dialogs.Texts("error").empty());
}

TEST(CanvasGestureTest, OneGestureAtATime) {
    CanvasGesture gesture;
    gesture.StartGroupDrag(4, {{2, 10, -5}}, {{2, 4}});
    EXPECT_TRUE(gesture.Is(GestureKind::GroupDrag));
    EXPECT_EQ(gesture.Point(), 4);
    ASSERT_EQ(gesture.Group().size(), 1u);
    EXPECT_EQ(gesture.Group()[0].dx, 10);
    // A new gesture replaces the old one whole: no group is left behind a label drag.
    gesture.StartLabelDrag(7);
    EXPECT_TRUE(gesture.Is(GestureKind::LabelDrag));
    EXPECT_TRUE(gesture.Group().empty() && gesture.GroupEdges().empty());
    gesture.StartBand(30, 40);
    gesture.MoveBand(90, 20);
    EXPECT_TRUE(gesture.Is(GestureKind::RubberBand));
    EXPECT_EQ(gesture.BandFixed().x + gesture.BandFixed().y, 70);
    EXPECT_EQ(gesture.BandMoving().x, 90);
    gesture.ForgetBandCorners(); // a cleared selection: the band goes on from the origin
    EXPECT_TRUE(gesture.Is(GestureKind::RubberBand));
    EXPECT_EQ(gesture.BandFixed().x + gesture.BandFixed().y, 0);
    gesture.End();
    EXPECT_EQ(gesture.Kind(), GestureKind::None);
    EXPECT_EQ(gesture.Point(), 0);
}

TEST(FitPictureToPageTest, EnlargesThenShrinksKeepingTheRatio) {
    EXPECT_EQ(FitPictureToPage({400, 200}, {1000, 800}), QSizeF(1000, 500)); // wide: page width
    EXPECT_EQ(FitPictureToPage({200, 400}, {1000, 800}), QSizeF(400, 800));  // tall: page height
    EXPECT_EQ(FitPictureToPage({300, 300}, {1000, 800}), QSizeF(800, 800));  // square, then too high
    EXPECT_EQ(FitPictureToPage({2000, 1000}, {1000, 800}), QSizeF(1000, 500));
    EXPECT_EQ(FitPictureToPage({1000, 2000}, {800, 1000}), QSizeF(500, 1000));
    EXPECT_EQ(FitPictureToPage({600, 300}, {600, 800}), QSizeF(600, 300)); // fits exactly in width
}

TEST_F(DocumentWindowTest, ReportCommandsWorkOnTheFileBesideTheNet) {
    OpenRoad();
    const std::string report = dir.File("road.TXT");
    const std::string banner = "    Report for NetWork " + doc->Net().name + " PLAX 2000\r\n";
    doc->DoCommand(CommandCode::ShowReport);
    EXPECT_EQ(ReadAll(report), banner);
    EXPECT_EQ(host.requests.back(), "report " + report);
    testing::WriteAll(report, banner + "    an old account\r\n");
    doc->DoCommand(CommandCode::ShowReport); // an existing report is only shown
    EXPECT_EQ(ReadAll(report), banner + "    an old account\r\n");
    doc->findChild<QAction*>("ClearReport1")->trigger();
    EXPECT_EQ(ReadAll(report), banner);
}

TEST_F(DocumentWindowTest, RefreshNetGivesEveryElementTheDefaultColour) {
    OpenRoad();
    auto& net = doc->Net();
    net.points[1].color = 0x0000FF;
    net.lists[1].front().color = 0x0000FF;
    host.state.options.foreDefaultColor = 0x804000;
    doc->findChild<QAction*>("RefreshNet1")->trigger();
    for (int i = 1; i <= net.n; ++i) {
        EXPECT_EQ(net.points[static_cast<std::size_t>(i)].color, 0x804000u);
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            EXPECT_EQ(e.color, 0x804000u);
    }
    EXPECT_EQ(Label("LabelCoord"), "Ready");

    // The canvas paints from the stored colours.
    const QImage image = doc->findChild<NetCanvasWidget*>()->grab(QRect(0, 0, 600, 400)).toImage();
    const QRgb marked = qRgb(0x00, 0x40, 0x80);
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            found += image.pixel(x, y) == marked ? 1 : 0;
    }
    EXPECT_GT(found, 0);
    // The pop-up menu's item does the same.
    net.points[1].color = 0x0000FF;
    doc->findChild<QAction*>("RefreshNet2")->trigger();
    EXPECT_EQ(net.points[1].color, 0x804000u);
}

TEST_F(DocumentWindowTest, MenuHintsReachTheFrame) {
    QMenu* report = doc->Menus().back();
    report->menuAction()->hover();
    report->setActiveAction(doc->findChild<QAction*>("ShowReport1"));
    doc->Menus()[2]->setActiveAction(doc->findChild<QAction*>("RefreshNet1"));
    EXPECT_EQ(host.hints,
              (std::vector<std::string>{"Commands for Report File", "Show Report File for Current NetWork",
                                        "Refresh color of the elements"}));
}

TEST(DialogTextsTest, FiltersAndLineBreaksForQt) {
    EXPECT_EQ(QtNameFilter("NetWork File (*.net)|*.net|Krack Plot File (*.kp)|*.kp"),
              "NetWork File (*.net);;Krack Plot File (*.kp)");
    EXPECT_EQ(QtNameFilter("Pictures|*.bmp;*.wmf|All|"), "Pictures (*.bmp *.wmf);;All (*)");
    // The type chosen in a save dialog gives a bare name its extension.
    EXPECT_EQ(FilterExtension("PNML (Petri net) (*.pnml)"), "pnml");
    EXPECT_EQ(FilterExtension("Pictures (*.bmp *.wmf)"), "bmp");
    EXPECT_EQ(FilterExtension("All (*)"), "");
    EXPECT_EQ(FilterExtension("Backups (*.net~)"), "net~");
    EXPECT_EQ(BoxText("Procedure in Progress!\r\nFirst terminate procedure!"),
              "Procedure in Progress!\nFirst terminate procedure!");
}

TEST_F(DocumentWindowTest, ManualSimulationBlinksFiresByClickAndEndsOnEscape) {
    doc->OpenDocument(PLAX_EXAMPLES_DIR "/petri.net");
    auto* canvas = doc->findChild<NetCanvasWidget*>();
    const auto produce = [&] { return canvas->grab(QRect(140, 155, 40, 40)).toImage(); };
    const QImage plain = produce();
    doc->findChild<QAction*>("OrdinaryNet1")->trigger();
    ASSERT_TRUE(doc->InTimerMode());
    EXPECT_TRUE(doc->findChild<QPushButton*>("ResetBtn")->isEnabled());
    doc->TimerTick();
    EXPECT_NE(produce(), plain) << "Produce (2) is drawn inverted";
    doc->TimerTick();
    EXPECT_EQ(produce(), plain);

    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(160, 175));
    EXPECT_EQ(doc->Net().points[1].tokens, 0);
    EXPECT_EQ(doc->Net().points[3].tokens, 1);
    // The firing is a step: undone, the example is as its file holds it and closes unasked.
    EXPECT_EQ(doc->History().undoText().toStdString(), "Fire Transition");
    doc->Undo1Click();
    EXPECT_EQ(doc->Net().points[1].tokens, 1);
    EXPECT_FALSE(doc->Net().changed);
    bool locked = false;
    host.editPoint = [&](PointDialogState& s) {
        locked = s.shapeLocked;
        return false;
    };
    doc->PaintBox1DblClick({60, 100, Qt::LeftButton, Qt::LeftButton, {}});
    EXPECT_TRUE(locked);

    doc->FormKeyDown(doc::EscapeKey);
    EXPECT_FALSE(doc->InTimerMode());
    EXPECT_EQ(Label("LabelStatus"), "");
}

} // namespace
} // namespace plax
