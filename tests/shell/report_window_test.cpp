#include "shell/report_window.h"
#include "shell/text_store_view.h"

#include "scratch_dir.h"
#include "view/test_host.h"

#include "accounts/report_file.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace plax::testing {
namespace {

// Reports beyond this size could not be shown before they were streamed.
constexpr std::uintmax_t ReportSizeOfOldLimit = std::uintmax_t{64} << 20;

using Lines = std::vector<std::string>;

const std::string Banner = "    Report for NetWork road PLAX 2000";

QPlainTextEdit& Memo(QWidget& form) { return *form.findChild<QPlainTextEdit*>(QStringLiteral("ReportMemo")); }

void TypeAtEnd(QWidget& form, const char* text) {
    Memo(form).moveCursor(QTextCursor::End);
    QTest::keyClicks(&Memo(form), text);
}

void Trigger(QWidget& form, const char* item) {
    for (QAction* action : form.findChildren<QAction*>())
        if (action->text() == QString::fromLatin1(item)) return action->trigger();
    ADD_FAILURE() << "no item " << item;
}

TEST(TReportForm, OpenEditSaveAndReopen) {
    ScratchDir dir;
    TestHost host;
    const std::string path = dir.File("road.TXT");
    WriteAll(path, Banner + "\r\n    Min. Spanning Tree\r\n\r\ncaf\xe9\r\n");
    TReportForm form(host);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report"));
    ASSERT_TRUE(form.OpenFile(path));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report Window : road.TXT"));
    EXPECT_EQ(LineBytes(form.Lines()), (Lines{Banner, "    Min. Spanning Tree", "", "caf\xe9"}));

    TypeAtEnd(form, " au lait");
    ASSERT_TRUE(Memo(form).document()->isModified());
    ASSERT_TRUE(form.Save1Click());
    EXPECT_FALSE(Memo(form).document()->isModified());
    const std::string saved = Banner + "\r\n    Min. Spanning Tree\r\n\r\ncaf\xe9 au lait\r\n";
    EXPECT_EQ(ReadAll(path), saved);
    TReportForm again(host);
    ASSERT_TRUE(again.OpenFile(path));
    EXPECT_EQ(again.Lines(), form.Lines());

    // Save As writes a copy; the window goes on saving to its own file.
    host.dialogs.paths = {dir.File("copy.txt")};
    ASSERT_TRUE(form.SaveAs1Click());
    EXPECT_EQ(host.dialogs.Texts("save"), Lines{"Text files (*.txt)|*.txt"});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report Window : copy.txt"));
    EXPECT_EQ(ReadAll(dir.File("copy.txt")), saved);
    TypeAtEnd(form, "!");
    ASSERT_TRUE(form.Save1Click());
    EXPECT_EQ(ReadAll(path), Banner + "\r\n    Min. Spanning Tree\r\n\r\ncaf\xe9 au lait!\r\n");
    EXPECT_EQ(ReadAll(dir.File("copy.txt")), saved);

    // Closing with changes asks; Yes saves first.
    TypeAtEnd(form, "?");
    host.dialogs.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.close());
    EXPECT_EQ(host.dialogs.Texts("ask"),
              Lines(2, "Confirm: Report text\r\n" + path + " has changes.\r\nDo you wish to Save file?"));
    EXPECT_EQ(ReadAll(path), Banner + "\r\n    Min. Spanning Tree\r\n\r\ncaf\xe9 au lait!?\r\n");

    host.dialogs.printFile = dir.File("report.pdf");
    Trigger(again, "&Print");
    EXPECT_EQ(ReadAll(dir.File("report.pdf")).substr(0, 4), "%PDF");
    EXPECT_TRUE(host.dialogs.Texts("error").empty());
}

TEST(TReportForm, LoadAndSaveFailuresKeepTheFiles) {
    ScratchDir dir;
    TestHost host;
    TReportForm form(host);
    const std::string missing = dir.File("missing.TXT");
    EXPECT_FALSE(form.OpenFile(missing));
    const std::string binary = dir.File("binary.TXT");
    WriteAll(binary, std::string("text\r\n\0\x01\x02", 9));
    EXPECT_FALSE(form.OpenFile(binary));
    const std::string huge = dir.File("huge.TXT");
    WriteAll(huge, "");
    std::filesystem::resize_file(huge, ReportSizeOfOldLimit + 1);
    EXPECT_FALSE(form.OpenFile(huge));
    // The reader's reason follows on a line of its own.
    const Lines errors = host.dialogs.Texts("error");
    ASSERT_EQ(errors.size(), 3u);
    for (const auto& [file, error] :
         {std::pair{missing, errors[0]}, {binary, errors[1]}, {huge, errors[2]}}) {
        const std::string head = " Cannot Load report text " + file + "\r\n";
        EXPECT_EQ(error.substr(0, head.size()), head);
        EXPECT_GT(error.size(), head.size()) << "no reason given";
    }
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report"));

    host.dialogs.calls.clear();
    std::filesystem::create_directory(dir.File("sub"));
    const std::string path = dir.File("sub/road.TXT");
    WriteAll(path, Banner + "\r\n");
    ASSERT_TRUE(form.OpenFile(path));
    TypeAtEnd(form, "x");
    host.dialogs.paths = {dir.File("gone/copy.txt")};
    EXPECT_FALSE(form.SaveAs1Click());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report Window : road.TXT"));
    std::filesystem::remove_all(dir.File("sub"));
    EXPECT_FALSE(form.Save1Click());
    EXPECT_EQ(host.dialogs.Texts("error"), Lines(2, " Cannot Save file " + path));
    EXPECT_TRUE(Memo(form).document()->isModified());
}

TEST(TReportForm, EditButtonsFollowSelectionAndClipboard) {
    TestHost host;
    ScratchDir dir;
    WriteAll(dir.File("a.TXT"), "alpha\r\n");
    TReportForm form(host);
    ASSERT_TRUE(form.OpenFile(dir.File("a.TXT")));
    auto button = [&](const char* name) { return form.findChild<QToolButton*>(QString::fromLatin1(name)); };
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(button("CutButton")->isEnabled());
    EXPECT_FALSE(button("CopyButton")->isEnabled());
    EXPECT_FALSE(button("PasteButton")->isEnabled());
    Memo(form).selectAll();
    EXPECT_TRUE(button("CutButton")->isEnabled());
    EXPECT_TRUE(button("CopyButton")->isEnabled());
    button("CopyButton")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("alpha"));
    EXPECT_TRUE(button("PasteButton")->isEnabled());
    Memo(form).moveCursor(QTextCursor::End);
    EXPECT_FALSE(button("CopyButton")->isEnabled());
    button("PasteButton")->click();
    EXPECT_EQ(LineBytes(form.Lines()), Lines{"alphaalpha"});
    EXPECT_EQ(button("CopyButton")->toolTip(), QStringLiteral("Copy"));
}

// Add to Report after a long listing writes reports of any size; Show Report opens them (read-only
// in the store's view) and Save writes them back unchanged.
TEST(TReportForm, ReportOverSixtyFourMebibytesOpensAndSaves) {
    ScratchDir dir;
    TestHost host;
    const std::string path = dir.File("big.TXT");
    std::uint64_t count = 0;
    {
        std::ofstream out(path, std::ios::binary);
        out << Banner << "\r\n";
        std::string block;
        while (count < 1'250'000) {
            block.clear();
            for (int k = 0; k < 1000; ++k, ++count)
                block += "    (1,2,3,4,5,6,7,8,9,10,11,12,13,14,15)  line " + std::to_string(count) + "\r\n";
            out << block;
        }
    }
    const auto size = std::filesystem::file_size(path);
    ASSERT_GT(size, ReportSizeOfOldLimit);

    TReportForm form(host);
    ASSERT_TRUE(form.OpenFile(path));
    EXPECT_TRUE(host.dialogs.calls.empty());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Report Window : big.TXT"));
    auto* view = form.findChild<TextStoreView*>(QStringLiteral("ReportMemoView"));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isHidden());
    EXPECT_TRUE(Memo(form).isHidden());
    ASSERT_TRUE(view->Find(QStringLiteral("line 1249999"), true)); // backward from the top wraps to the end
    EXPECT_EQ(view->SelectionStart().line, count);

    std::filesystem::rename(path, dir.File("old.TXT"));
    ASSERT_TRUE(form.Save1Click());
    EXPECT_EQ(std::filesystem::file_size(path), size);
    std::ifstream a(path, std::ios::binary), b(dir.File("old.TXT"), std::ios::binary);
    EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                           std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>()));
}

// Ctrl+F opens the find bar; Return finds the next match, wrapping to the start.
TEST(TReportForm, FindBarSelectsTheNextMatch) {
    TestHost host;
    ScratchDir dir;
    WriteAll(dir.File("a.TXT"), "alpha\r\nbeta\r\nalphabet\r\n");
    TReportForm form(host);
    ASSERT_TRUE(form.OpenFile(dir.File("a.TXT")));
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Memo(form).setFocus();
    QTest::keyClick(&Memo(form), Qt::Key_F, Qt::ControlModifier);
    auto* text = form.findChild<QLineEdit*>(QStringLiteral("FindText"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isVisible());
    QTest::keyClicks(text, "ALPHA");
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(Memo(form).textCursor().selectedText(), QStringLiteral("alpha"));
    EXPECT_EQ(Memo(form).textCursor().blockNumber(), 0);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(Memo(form).textCursor().blockNumber(), 2);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(Memo(form).textCursor().blockNumber(), 0);
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Memo(form).textCursor().blockNumber(), 2);
    text->setText(QStringLiteral("gamma"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(Memo(form).textCursor().blockNumber(), 2);
    EXPECT_EQ(Memo(form).textCursor().selectedText(), QStringLiteral("alpha"));
}

} // namespace
} // namespace plax::testing
