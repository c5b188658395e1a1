#include "shell/results_window.h"
#include "shell/text_store_view.h"

#include "net_builders.h"
#include "scratch_dir.h"
#include "view/test_host.h"

#include "accounts/procedure_texts.h"
#include "accounts/report_file.h"
#include "accounts/spanning_tree_account.h"
#include "algorithms/marking_buffer.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdio>

namespace plax::testing {
namespace {

using Lines = std::vector<std::string>;

NetWorkType Road() {
    NetWorkType net = MakeNet(UndirNetCode, 4, "road");
    AddEdge(net, 1, 2, 2.5);
    AddEdge(net, 2, 3, 1);
    AddEdge(net, 3, 4, 4);
    AddEdge(net, 1, 4, 3);
    return net;
}

QPushButton& Button(QWidget& form, const char* name) {
    auto* button = form.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(button, nullptr) << name;
    return *button;
}

QPlainTextEdit& Memo(QWidget& form) { return *form.findChild<QPlainTextEdit*>(QStringLiteral("ResultMemo")); }

// Lines go straight into the window's text; only its view catches up later.
void Settle(const TResultForm&) { QCoreApplication::processEvents(); }

// The window the frame would show: opened on a spanning tree run for `fileName`.
void RunTree(TResultForm& form, TestHost& host, const std::string& fileName) {
    QObject::connect(&form, &TResultForm::openRequested, &form, [](TResultForm* f) { f->show(); });
    NetWorkType net = Road();
    MarkingBuffer marks;
    MinSpanningTree(net, marks, fileName, {form, host.dialogs});
    Settle(form);
}

TEST(TResultForm, HoldsExactlyTheLinesTheProcedureWrote) {
    TestHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    std::vector<TResultForm*> requests;
    QObject::connect(&form, &TResultForm::openRequested, [&](TResultForm* f) { requests.push_back(f); });
    NetWorkType net = Road();
    MarkingBuffer marks;
    MinSpanningTree(net, marks, "road.net", {form, host.dialogs});
    LineSink plain(*host.state.clock, host.state.run);
    MarkingBuffer plainMarks;
    MinSpanningTree(net, plainMarks, "road.net", {plain, host.dialogs});

    EXPECT_TRUE(form.Opened());
    EXPECT_EQ(requests, std::vector<TResultForm*>{&form});
    EXPECT_EQ(LineBytes(form.Lines()), plain.Lines()); // before the view has caught up too
    Settle(form);
    EXPECT_EQ(LineBytes(form.Lines()), plain.Lines());
    EXPECT_EQ(plain.Lines().size(), 11u + 4u);
    EXPECT_FALSE(Memo(form).document()->isModified());
    EXPECT_FALSE(Button(form, "CloseBtn").isHidden());
    EXPECT_TRUE(Button(form, "ExitBtn").isHidden());
    EXPECT_TRUE(host.dialogs.calls.empty());

    // The protocol's own steps: one empty line after opening, none after the header's clear,
    // and 8-bit names byte for byte.
    TResultForm raw(host, progress);
    EXPECT_EQ(LineBytes(raw.Lines()), Lines{""});
    ASSERT_TRUE(raw.OpenResults("r\xe9seau", "x.net", host.dialogs));
    EXPECT_EQ(LineBytes(raw.Lines()), Lines{""});
    raw.BeginAccount({});
    EXPECT_EQ(LineBytes(raw.Lines()), Lines{});
    raw.AddLine("");
    raw.AddLine("caf\xe9 " + raw.NetName());
    raw.FinishResults();
    EXPECT_EQ(LineBytes(raw.Lines()), (Lines{"", "caf\xe9 r\xe9seau"}));
}

TEST(TResultForm, AddToReportWritesOneBannerAndAppends) {
    ScratchDir dir;
    TestHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    RunTree(form, host, dir.File("road.net"));
    const Lines text = LineBytes(form.Lines());

    QTest::keyClicks(&Memo(form), "x"); // a change of the user's own; Add to Report clears it
    const Lines edited = LineBytes(form.Lines());
    QTest::mouseClick(&Button(form, "AppendBtn"), Qt::LeftButton);
    EXPECT_FALSE(Memo(form).document()->isModified());
    Memo(form).setPlainText(QStringLiteral("second"));
    QTest::mouseClick(&Button(form, "AppendBtn"), Qt::LeftButton);

    std::string expected = "    Report for NetWork road     (PLAX 2000) \r\n";
    for (const std::string& line : edited)
        expected += line + "\r\n";
    expected += "second\r\n";
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), expected);
    EXPECT_EQ(edited.front(), "x" + text.front());
    EXPECT_TRUE(host.dialogs.calls.empty());

    // The hint goes to the frame's status line while the mouse is over the button.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&Button(form, "AppendBtn"), &enter);
    EXPECT_EQ(host.hints, std::vector<std::string>{"Add Contents of Result Window to Report File"});
    EXPECT_EQ(Button(form, "AppendBtn").toolTip(),
              QStringLiteral("Add Contents of Result Window to Report File"));

    TResultForm lost(host, progress);
    RunTree(lost, host, dir.File("gone/road.net"));
    QTest::mouseClick(&Button(lost, "AppendBtn"), Qt::LeftButton);
    EXPECT_EQ(host.dialogs.Texts("error"),
              Lines{" Cannot append Result text to " + dir.File("gone/road.TXT")});
}

TEST(TResultForm, ClosingAsksAndRefusesWhileBusy) {
    ScratchDir dir;
    TestHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    RunTree(form, host, dir.File("road.net"));
    ASSERT_TRUE(form.isVisible());

    host.state.run.busy = 1;
    EXPECT_FALSE(form.close());
    EXPECT_EQ(host.dialogs.Texts("warning"), Lines{ProcedureInProgressMessage});
    host.state.run.busy = 0;
    EXPECT_TRUE(host.dialogs.Texts("ask").empty()); // unchanged text goes without a question

    QTest::keyClicks(&Memo(form), "note ");
    const std::string question = "Confirm: Result text road has changes.\r\nDo you wish to Save file?";
    host.dialogs.answers = {Answer::Yes, Answer::Cancel, Answer::Yes, Answer::Yes};
    host.dialogs.paths = {std::nullopt, dir.File("gone/out.txt"), dir.File("out.txt")};
    EXPECT_FALSE(form.close()); // Save As cancelled
    EXPECT_FALSE(form.close()); // question dismissed
    EXPECT_FALSE(form.close()); // Save As failed
    EXPECT_EQ(host.dialogs.Texts("error"), Lines{" Cannot Save file " + dir.File("gone/out.txt")});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.close());
    EXPECT_EQ(host.dialogs.Texts("ask"), Lines(4, question));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Result Window : out.txt"));
    std::string saved;
    for (const QString& line : form.Lines())
        saved += LineBytes(line) + "\r\n";
    EXPECT_EQ(ReadAll(dir.File("out.txt")), saved);
    EXPECT_EQ(saved.substr(0, 7), "note \r\n");
}

TEST(TResultForm, InsideTheDocumentArea) {
    TestHost host;
    TProgressBar progress;
    QMdiArea area;
    auto* form = new TResultForm(host, progress);
    QMdiSubWindow* sub = area.addSubWindow(form);
    area.show();
    ASSERT_TRUE(form->OpenResults("road", "road.net", host.dialogs));
    sub->show();
    area.setActiveSubWindow(nullptr);
    area.setActiveSubWindow(sub);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("road  Results"));

    // Close goes through the sub-window, which asks the form.
    form->FinishResults();
    host.state.run.busy = 1;
    QTest::mouseClick(&Button(*form, "CloseBtn"), Qt::LeftButton);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(host.dialogs.Texts("warning"), Lines{ProcedureInProgressMessage});
    host.state.run.busy = 0;
    QTest::mouseClick(&Button(*form, "CloseBtn"), Qt::LeftButton);
    EXPECT_FALSE(sub->isVisible());
}

TEST(TResultForm, LongRunSeesAQueuedStop) {
    TestHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    QObject::connect(&form, &TResultForm::openRequested, &form, [](TResultForm* f) { f->show(); });
    NetWorkType net = Road();
    ASSERT_TRUE(form.OpenResults(net.name, "road.net", host.dialogs));
    form.StartLongRun(net);
    QPushButton& stop = Button(form, "ExitBtn");
    EXPECT_FALSE(stop.isHidden());
    EXPECT_TRUE(Button(form, "AppendBtn").isHidden());
    EXPECT_EQ(host.state.run.busy, 1);
    EXPECT_EQ(net.interaction.busy, 1);
    form.Progress(40);
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.Percent(), 40);
    EXPECT_EQ(progress.windowTitle(), QStringLiteral("Progress indicator"));
    // An automatic run counts its firings: the bar moves long before one per cent.
    form.Count(65536, 100000000);
    EXPECT_EQ(progress.Text(), QStringLiteral("65536 of 100000000 firings"));
    EXPECT_EQ(progress.findChild<QProgressBar*>()->value(), 6);
    form.Progress(40);
    EXPECT_EQ(progress.Text(), QStringLiteral("40%"));
    EXPECT_FALSE(form.Poll());

    const QPointF at(stop.width() / 2.0, stop.height() / 2.0);
    const QPointF global = stop.mapToGlobal(at);
    QCoreApplication::postEvent(&stop, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                       Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(&stop, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                       Qt::NoButton, Qt::NoModifier));
    form.AddLine("searching");
    EXPECT_TRUE(form.Poll());
    EXPECT_EQ(host.state.run.stop, 1);

    form.EndLongRun(net);
    EXPECT_TRUE(stop.isHidden());
    EXPECT_FALSE(Button(form, "AppendBtn").isHidden());
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(host.state.run.busy, 0);
    EXPECT_EQ(net.interaction.busy, 0);
    EXPECT_EQ(LineBytes(form.Lines()), (Lines{"", "searching"}));
}

std::string ListingLine(int i) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", i);
    return "    listing line " + std::string(number) + " of a long run";
}

// A listing larger than a text area should hold stays in its store, spilled to a file: it is
// shown, saved, searched, copied and added to the report from there, and cannot be edited.
TEST(TResultForm, LongListingStaysInItsStore) {
    ScratchDir dir;
    TestHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    form.SetTextLimits({.memoryBytes = 4096, .totalBytes = std::uint64_t{1} << 30, .tempDir = dir.File("")});
    QObject::connect(&form, &TResultForm::openRequested, &form, [](TResultForm* f) { f->show(); });
    NetWorkType net = Road();
    ASSERT_TRUE(form.OpenResults(net.name, dir.File("road.net"), host.dialogs));
    form.StartLongRun(net);
    constexpr int Count = 60000; // about 2 MB
    std::string expected = "\r\n";
    for (int i = 0; i < Count; ++i) {
        form.AddLine(ListingLine(i));
        expected += ListingLine(i) + "\r\n";
        if (i % 1000 == 0) {
            ASSERT_FALSE(form.Poll());
        }
    }
    form.EndLongRun(net);
    form.FinishResults();
    auto* view = form.findChild<TextStoreView*>(QStringLiteral("ResultMemoView"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Memo(form).isHidden());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(form.LineCount(), Count + 1u);

    host.dialogs.paths = {dir.File("all.txt")};
    ASSERT_TRUE(form.SaveAs1Click());
    EXPECT_EQ(ReadAll(dir.File("all.txt")), expected);

    ASSERT_TRUE(view->Find(QStringLiteral("LINE 059999"), false));
    EXPECT_EQ(view->SelectionStart(), (TextPosition{60000, 12}));
    EXPECT_EQ(view->SelectionEnd(), (TextPosition{60000, 23}));
    EXPECT_GT(view->TopLine(), 59000u);
    const auto tool = [&](const char* name) {
        return form.findChild<QToolButton*>(QString::fromLatin1(name));
    };
    tool("CopyButton")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("line 059999"));
    EXPECT_FALSE(tool("CutButton")->isEnabled());
    EXPECT_FALSE(tool("PasteButton")->isEnabled()); // the clipboard holds text, but the listing is read-only
    view->ScrollToLine(30000);
    EXPECT_FALSE(view->grab().toImage().isNull());

    QTest::mouseClick(&Button(form, "AppendBtn"), Qt::LeftButton);
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), "    Report for NetWork road     (PLAX 2000) \r\n" + expected);
    EXPECT_EQ(host.dialogs.calls.size(), 1u); // the question for the save path, nothing else
}

// A store that refuses a line stops the run at its next poll; the lines before it stay.
TEST(TResultForm, RefusedLineStopsTheRun) {
    TestHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    form.SetTextLimits({.memoryBytes = 4096, .totalBytes = 100, .tempDir = {}});
    NetWorkType net = Road();
    ASSERT_TRUE(form.OpenResults(net.name, "road.net", host.dialogs));
    form.StartLongRun(net);
    for (int i = 0; i < 9; ++i)
        form.AddLine("0123456789"); // 1 + 9 * 11 bytes with their line ends: just fits
    EXPECT_FALSE(form.Poll());
    form.AddLine("0123456789");
    EXPECT_TRUE(form.Poll());
    EXPECT_EQ(form.TextStop(), TextStore::Status::TooLarge);
    form.EndLongRun(net);
    EXPECT_EQ(LineBytes(form.Lines()),
              (Lines{"", "0123456789", "0123456789", "0123456789", "0123456789", "0123456789", "0123456789",
                     "0123456789", "0123456789", "0123456789"}));
}

} // namespace
} // namespace plax::testing
