#include "scratch_dir.h"
#include "view/scripted_dialogs.h"
#include "view/scripted_pickers.h"
#include "view/view_test_nets.h"

#include "shell/about_box.h"
#include "shell/align_palette.h"
#include "shell/auto_run_dialog.h"
#include "shell/edge_dialog.h"
#include "shell/frame_window.h"
#include "shell/help_window.h"
#include "shell/k_paths_dialog.h"
#include "shell/options_dialog.h"
#include "shell/options_palette.h"
#include "shell/point_dialog.h"
#include "shell/report_window.h"
#include "shell/results_window.h"
#include "shell/template_dialog.h"
#include "shell/window_placement.h"

#include "accounts/procedure_texts.h"
#include "view/document_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUndoView>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace plax {
namespace {

TEST(OpenKindTest, OnlyTheFirstFourCharactersOfTheExtensionCount) {
    EXPECT_EQ(OpenKindOf("/nets/Road.Kp"), OpenKind::Net);
    EXPECT_EQ(OpenKindOf("road.net"), OpenKind::Net);
    EXPECT_EQ(OpenKindOf("road.netx"), OpenKind::Net);
    EXPECT_EQ(OpenKindOf("road.kpx"), OpenKind::Invalid);
    EXPECT_EQ(OpenKindOf("notes.txt"), OpenKind::Report);
    EXPECT_EQ(OpenKindOf("README"), OpenKind::Invalid);
    EXPECT_EQ(OpenKindOf("old.net/README"), OpenKind::Invalid);
}

// Scripted answers; with `modal` each question first shows a real modal dialog for a moment, as
// the desktop does, so the windows below see the mouse leave and come back.
class ModalQuestions : public testing::ScriptedDialogs {
public:
    Answer Ask(const std::string& text, const std::string& caption) override {
        if (modal) {
            QDialog question(owner);
            question.setModal(true);
            QTimer::singleShot(20, &question, &QDialog::reject);
            question.exec();
        }
        return ScriptedDialogs::Ask(text, caption);
    }
    QWidget* owner = nullptr;
    bool modal = false;
};

class FrameWindowTest : public ::testing::Test {
protected:
    FrameWindowTest() { frame.show(); }

    std::string Copy(const std::string& example, const std::string& name) {
        const std::string to = dir.File(name);
        std::filesystem::copy_file(std::string(PLAX_EXAMPLES_DIR "/") + example, to);
        return to;
    }
    std::string Notes() {
        const std::string path = dir.File("notes.txt");
        std::ofstream(path) << "    Report for NetWork road PLAX 2000\n";
        return path;
    }
    int WindowCount() const { return static_cast<int>(frame.Area().subWindowList().size()); }
    bool MenuBarHolds(const QMenu* menu) const {
        return frame.menuBar()->actions().contains(menu->menuAction());
    }

    testing::ScratchDir dir;
    ModalQuestions dialogs;
    TPlaxForm frame{dialogs};
};

// The middle of the close button in the title bar of `sub`.
QPoint CloseButton(QMdiSubWindow& sub) {
    QStyleOptionTitleBar bar;
    bar.initFrom(&sub);
    bar.titleBarFlags = sub.windowFlags();
    bar.titleBarState = static_cast<int>(sub.windowState().toInt());
    bar.subControls = QStyle::SC_All;
    bar.rect = QRect(0, 0, sub.width(), sub.style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, &sub));
    return sub.style()
        ->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarCloseButton, &sub)
        .center();
}

TEST_F(FrameWindowTest, CloseButtonTakesTheFirstClickAfterACancelledQuestion) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.OpenFile(Copy("road.net", "road.net"));
    testing::TouchNet(*frame.ActiveDocument());
    QMdiSubWindow& sub = *frame.Area().currentSubWindow();
    dialogs.owner = &frame;
    dialogs.modal = true;
    dialogs.answer = Answer::Cancel;
    const QPoint close = CloseButton(sub);
    QTest::mouseMove(&sub, close);
    QTest::mouseClick(&sub, Qt::LeftButton, {}, close);
    ASSERT_EQ(dialogs.Texts("ask").size(), 1u);

    // The question was answered from the keyboard: the mouse has not moved since.
    QTest::mouseClick(&sub, Qt::LeftButton, {}, close);
    EXPECT_EQ(dialogs.Texts("ask").size(), 2u);
    dialogs.answer = Answer::No;
    QTest::mouseClick(&sub, Qt::LeftButton, {}, close);
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(FrameWindowTest, UndoAndRedoNameTheActiveDocumentsStepAndTheHistoryGoesBackToAny) {
    frame.OpenFile(Copy("road.net", "road.net"));
    TMDIChild& road = *frame.ActiveDocument();
    EXPECT_EQ(frame.UndoAction().text(), "&Undo");
    EXPECT_FALSE(frame.UndoAction().isEnabled());
    EXPECT_EQ(frame.UndoAction().shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(frame.RedoAction().shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    const int x = road.Net().points[1].x;
    road.MoveGraph(10, 0);
    road.DoCommand(CommandCode::IncrementXY);
    EXPECT_EQ(frame.UndoAction().text(), "&Undo Increase X and Y Size");
    frame.UndoAction().trigger();
    EXPECT_EQ(frame.UndoAction().text(), "&Undo Move Graph");
    EXPECT_EQ(frame.RedoAction().text(), "&Redo Increase X and Y Size");
    // The Edit menu holds the frame's items.
    EXPECT_TRUE(road.Menus()[1]->actions().contains(&frame.UndoAction()));

    // Another document has its own history; the items follow the active one.
    frame.NewNet();
    EXPECT_FALSE(frame.UndoAction().isEnabled());
    EXPECT_EQ(frame.RedoAction().text(), "&Redo");
    frame.Area().setActiveSubWindow(frame.Area().subWindowList().front());
    EXPECT_EQ(frame.UndoAction().text(), "&Undo Move Graph");

    // A click on the history's first line goes back to the net as it was opened.
    QUndoView& history = frame.HistoryView();
    history.setCurrentIndex(history.model()->index(0, 0));
    EXPECT_EQ(road.Net().points[1].x, x);
    EXPECT_EQ(road.History().index(), 0);
    EXPECT_EQ(frame.HistoryAction().text().remove(QLatin1Char('&')), "Undo History");
}

TEST_F(FrameWindowTest, NewWindowsOpenWhollyInsideTheDocumentArea) {
    const auto placed = [this] {
        std::vector<QRect> rects;
        for (const QMdiSubWindow* sub : frame.Area().subWindowList(QMdiArea::CreationOrder)) {
            rects.push_back(sub->geometry());
            EXPECT_TRUE(frame.Area().viewport()->rect().contains(sub->geometry())) << WindowCount();
        }
        return rects;
    };
    frame.OpenFile(Copy("road.net", "road.net"));
    frame.OpenFile(Copy("flow.net", "flow.net"));
    frame.OpenFile(Notes());
    const std::vector<QRect> rects = placed();
    ASSERT_EQ(rects.size(), 3u);
    const int step = frame.Area().currentSubWindow()->contentsMargins().top();
    EXPECT_GT(step, 0);
    EXPECT_EQ(rects[0].topLeft(), QPoint(0, 0));
    EXPECT_EQ(rects[1].topLeft(), QPoint(step, step));
    EXPECT_EQ(rects[2].topLeft(), QPoint(2 * step, 2 * step));
    // The default sizes fit, so they are kept.
    const auto sizes = [this] {
        std::vector<QSize> out;
        for (const QMdiSubWindow* sub : frame.Area().subWindowList(QMdiArea::CreationOrder))
            out.push_back(sub->widget()->size());
        return out;
    };
    EXPECT_EQ(sizes(), (std::vector<QSize>{{593, 351}, {593, 351}, {558, 382}}));

    // In a small frame a new window starts again at the top left, shrunk to the area.
    frame.resize(500, 380);
    QApplication::processEvents();
    frame.NewNet();
    EXPECT_EQ(frame.Area().currentSubWindow()->geometry(), frame.Area().viewport()->rect());
}

TEST(WindowPlacementTest, ResultsGoWhereTheyCoverTheLeastOfTheirNet) {
    const QRect net(0, 0, 600, 380);
    const QSize results(730, 440);
    struct Row {
        QSize area;
        QRect document;
        QRect expected;
    };
    const Row rows[] = {
        {{1400, 800}, net, {600, 0, 730, 440}},                   // right of it
        {{1400, 800}, {750, 300, 600, 380}, {20, 300, 730, 440}}, // left of it, level with it
        {{1400, 800}, {750, 500, 600, 380}, {20, 360, 730, 440}}, // left, kept in the area
        {{900, 900}, net, {0, 380, 730, 440}},                    // below it
        {{900, 620}, net, {0, 380, 730, 240}},                    // below, lower
        {{900, 700}, {0, 320, 600, 380}, {0, 0, 730, 320}},       // above it
        {{900, 540}, net, {170, 100, 730, 440}},                  // the corner covering least
        {{500, 300}, {0, 0, 500, 300}, {0, 0, 500, 300}},         // nowhere else: the area
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.area.width());
        SCOPED_TRACE(row.document.y());
        EXPECT_EQ(BesidePlace(row.area, row.document, results, 200), row.expected);
    }
}

TEST_F(FrameWindowTest, ResultsOpenBesideTheirNetAndHandTheFocusBack) {
    frame.resize(1500, 900);
    QApplication::processEvents();
    frame.OpenFile(Copy("road.net", "road.net"));
    QMdiSubWindow* road = frame.Area().currentSubWindow();
    frame.NewNet();
    QMdiSubWindow* other = frame.Area().currentSubWindow();
    frame.Area().setActiveSubWindow(road);
    ASSERT_TRUE(frame.NewResultsWindow().OpenResults("road", dir.File("road.net"), dialogs));
    QMdiSubWindow* results = frame.Area().currentSubWindow();
    ASSERT_NE(results, road);
    EXPECT_FALSE(results->geometry().intersects(road->geometry()));
    EXPECT_EQ(results->geometry().left(), road->geometry().right() + 1);
    EXPECT_EQ(results->geometry().top(), road->geometry().top());

    // Maximized, it lends the menu bar its own File and Edit menus: one File menu shows.
    frame.Area().setActiveSubWindow(other);
    frame.Area().setActiveSubWindow(results);
    results->showMaximized();
    QApplication::processEvents();
    int fileMenus = 0;
    for (const QAction* title : frame.menuBar()->actions())
        fileMenus += title->text() == QStringLiteral("&File") ? 1 : 0;
    EXPECT_EQ(fileMenus, 1);
    EXPECT_FALSE(results->widget()->findChild<QMenuBar*>()->isVisible());
    // Closed, it goes back to road, not to the window active before it.
    ASSERT_TRUE(results->close());
    QApplication::processEvents();
    EXPECT_EQ(frame.Area().currentSubWindow(), road);
}

TEST_F(FrameWindowTest, AFileOpensOnceAndIsRememberedBetweenRuns) {
    for (const std::string& path : frame.Recent().List())
        frame.Recent().Remove(path);
    const std::string road = Copy("road.net", "road.net");
    const std::string flow = Copy("flow.net", "flow.net");
    frame.OpenFile(road);
    frame.OpenFile(Notes());
    QMdiSubWindow* roadWindow = frame.Area().subWindowList().front();
    // Opened again, under another spelling of its path, the net comes to the front.
    frame.OpenFile(dir.File(".") + "/road.net");
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(frame.Area().currentSubWindow(), roadWindow);
    frame.OpenFile(Notes());
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(frame.Recent().List(), (std::vector<std::string>{dir.File("notes.txt"), road}));

    // File > Close (Ctrl+F4) closes the active window; the list opens it again.
    EXPECT_EQ(frame.Actions().close->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
    frame.Actions().close->trigger();
    EXPECT_EQ(WindowCount(), 1);
    frame.OpenRecent(dir.File("notes.txt"));
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(frame.ActiveChild()->windowTitle().toStdString(), "Report Window : notes.txt");
    // A file that is gone is reported and leaves the list.
    std::filesystem::remove(dir.File("notes.txt"));
    frame.OpenRecent(dir.File("notes.txt"));
    EXPECT_EQ(dialogs.Texts("error"),
              std::vector<std::string>{" Cannot Load file \r\n" + dir.File("notes.txt")});
    EXPECT_EQ(frame.Recent().List(), std::vector<std::string>{road});
    // A net saved under a new name joins the list; an export does not.
    dialogs.paths = {dir.File("road copy.net"), dir.File("road.graphml")};
    frame.Area().setActiveSubWindow(roadWindow);
    ASSERT_TRUE(frame.ActiveDocument()->SaveNetAs());
    frame.ActiveDocument()->Export1Click();
    EXPECT_EQ(frame.Recent().List(), (std::vector<std::string>{dir.File("road copy.net"), road}));

    // Files dropped on the frame open; a drop with a file Plax cannot read opens nothing.
    const auto drop = [this](const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
        data.setUrls(urls);
        return frame.OpenDropped(data);
    };
    EXPECT_FALSE(drop({flow, dir.File("photo.jpg")}));
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_TRUE(drop({flow}));
    EXPECT_EQ(WindowCount(), 3);
    EXPECT_EQ(frame.ActiveDocument()->FileName(), flow);

    // The next run finds the list as this one left it, nine at most, newest first.
    for (int i = 0; i < 10; ++i)
        frame.Recent().Add(dir.File("n" + std::to_string(i) + ".net"));
    TPlaxForm next(dialogs);
    const std::vector<std::string> kept = next.Recent().List();
    ASSERT_EQ(kept.size(), 9u);
    EXPECT_EQ(kept.front(), dir.File("n9.net"));
    EXPECT_EQ(kept.back(), dir.File("n1.net"));

    // Save as Exercise sits with the saves, Exit comes last.
    std::vector<std::string> file;
    for (const QAction* item : frame.ActiveDocument()->Menus().front()->actions())
        if (!item->isSeparator()) file.push_back(item->objectName().toStdString());
    EXPECT_EQ(file, (std::vector<std::string>{"New1", "NewFromTemplate1", "Open1", "RecentNets1", "Close1",
                                              "Save1", "SaveAs1", "SaveAsExercise1", "Import1", "Export1",
                                              "Print1", "PrintSetup1", "Options1", "Exit1"}));
}

// The controls a screen reader cannot name: those that take the focus or a click and say nothing.
std::vector<std::string> Unnamed(QWidget& root) {
    std::vector<std::string> unnamed;
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(&root);
    for (QWidget* w : widgets) {
        const bool control =
            (w->focusPolicy() & Qt::TabFocus) != 0 || qobject_cast<QAbstractButton*>(w) != nullptr;
        // Qt's own parts (a spin box's text, the toolbar's overflow button) speak for their owner.
        if (!control || w->isWindow() != (w == &root) || !w->isVisibleTo(&root) ||
            w->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.push_back(std::string(w->metaObject()->className()) + " " +
                              w->objectName().toStdString());
    }
    return unnamed;
}

TEST_F(FrameWindowTest, EveryControlHasANameAScreenReaderCanSay) {
    frame.OpenFile(Copy("road.net", "road.net"));
    ASSERT_TRUE(frame.NewResultsWindow().OpenResults("road", dir.File("road.net"), dialogs));
    testing::ScriptedPickers pickers;
    TPointFormDlg point(dialogs, pickers, {});
    TEdgeFormDlg edge(dialogs, pickers, {});
    TAutoRunForm autoRun(&frame);
    TNewFromTemplateDlg templates(frame.State().options);
    for (QWidget* root : std::initializer_list<QWidget*>{&frame, &frame.OptionsDlg(), &frame.KPathsDialog(),
                                                         &frame.OptionsPalette(), &frame.AlignPalette(),
                                                         &point, &edge, &autoRun, &templates}) {
        SCOPED_TRACE(root->metaObject()->className());
        EXPECT_EQ(Unnamed(*root), std::vector<std::string>{});
    }
    for (const QMdiSubWindow* sub : frame.Area().subWindowList())
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(sub->widget())->text(QAccessible::Name).isEmpty());
}

TEST_F(FrameWindowTest, HelpOpensOverTheFrameWhollyOnTheScreen) {
    frame.resize(400, 300);
    frame.move(frame.screen()->availableGeometry().center() - QPoint(200, 150));
    frame.ShowHelp("");
    const THelpForm* help = frame.HelpWindow();
    ASSERT_NE(help, nullptr);
    const QRect area(frame.Area().viewport()->mapToGlobal(QPoint(0, 0)), frame.Area().viewport()->size());
    EXPECT_EQ(help->geometry().center(), area.center());

    // A screen of 900 pixels with the help window wanted half below it.
    const QRect screen(0, 0, 1440, 900);
    EXPECT_EQ(FitInside(QRect(100, 600, 760, 540), screen), QRect(100, 360, 760, 540));
    EXPECT_EQ(FitInside(QRect(-50, -20, 760, 540), screen), QRect(0, 0, 760, 540));
    EXPECT_EQ(FitInside(QRect(1000, 100, 760, 1000), screen), QRect(680, 0, 760, 900));
    EXPECT_EQ(CascadePlace(QSize(600, 400), QSize(300, 200), 30, std::nullopt), QRect(0, 0, 300, 200));
    EXPECT_EQ(CascadePlace(QSize(600, 400), QSize(300, 200), 30, QRect(0, 0, 300, 200)),
              QRect(30, 30, 300, 200));
    // 210 + 200 > 400: back to the top left.
    EXPECT_EQ(CascadePlace(QSize(600, 400), QSize(300, 200), 30, QRect(180, 180, 50, 50)),
              QRect(0, 0, 300, 200));
    // Wider than the area: as wide as the area, so only the top left has room.
    EXPECT_EQ(CascadePlace(QSize(600, 400), QSize(800, 300), 30, QRect(0, 0, 10, 10)), QRect(0, 0, 600, 300));
    // The frame on a full HD screen, and on 1280 x 1024 at 200% (640 x 512 of Qt's pixels).
    const QMargins decoration(8, 32, 8, 8);
    EXPECT_EQ(FramePlace(QRect(0, 0, 1920, 1080), QSize(900, 650), decoration), QRect(510, 227, 900, 650));
    EXPECT_EQ(FramePlace(QRect(0, 0, 640, 512), QSize(900, 650), decoration), QRect(8, 32, 624, 472));
    // Help over an area of 500 x 300 at (100, 100): inside it; over a tiny one: on the screen.
    EXPECT_EQ(OverArea(QRect(100, 100, 500, 300), screen, QSize(760, 540), QSize(360, 240)),
              QRect(100, 100, 500, 300));
    EXPECT_EQ(OverArea(QRect(100, 100, 200, 100), screen, QSize(760, 540), QSize(360, 240)),
              QRect(0, 0, 760, 540));
    // An active window partly outside the area is no place to start from.
    EXPECT_EQ(CascadePlace(QSize(600, 400), QSize(300, 200), 30, QRect(-100, 20, 300, 200)),
              QRect(0, 0, 300, 200));
}

TEST_F(FrameWindowTest, OpenChoosesTheWindowByExtension) {
    dialogs.paths = {Notes(), Copy("road.net", "road.net"), Copy("road.net", "graph.kpx"), std::nullopt};
    frame.OpenNet();
    EXPECT_NE(qobject_cast<TReportForm*>(frame.ActiveChild()), nullptr);
    EXPECT_TRUE(frame.WindowMenu().menuAction()->isEnabled());

    frame.OpenNet();
    ASSERT_NE(frame.ActiveDocument(), nullptr);
    EXPECT_EQ(frame.ActiveDocument()->windowTitle(), "road.net");
    EXPECT_EQ(frame.ActiveDocument()->Net().n, 9);

    frame.OpenNet(); // .kpx
    frame.OpenNet(); // cancelled
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(dialogs.Texts("error"), std::vector<std::string>{"Invalid Extension of the File"});
    EXPECT_EQ(dialogs.Texts("open"), std::vector<std::string>(4, OpenFileFilter));

    frame.OpenFile(Copy("flow.net", "flow.netx"));
    ASSERT_NE(frame.ActiveDocument(), nullptr);
    EXPECT_EQ(frame.ActiveDocument()->Net().kindName, "dirNet");
    frame.NewNet();
    EXPECT_EQ(frame.ActiveDocument()->windowTitle(), "NoName");
    EXPECT_EQ(frame.Documents().size(), 3u);
}

TEST_F(FrameWindowTest, ToolbarFollowsTheDocuments) {
    const QAction* increaseXY = frame.ToolButton(CommandCode::IncrementXY);
    ASSERT_NE(increaseXY, nullptr);
    EXPECT_EQ(increaseXY->toolTip(), "Increase X and  Y Size");
    EXPECT_EQ(frame.ToolButton(CommandCode::DecrementXY)->toolTip(), "Decrease  X and  Y Size");
    EXPECT_FALSE(increaseXY->isEnabled());
    EXPECT_FALSE(frame.SaveButton()->isEnabled());
    EXPECT_FALSE(frame.WindowMenu().menuAction()->isEnabled());

    frame.OpenFile(Copy("road.net", "road.net"));
    TMDIChild* road = frame.ActiveDocument();
    ASSERT_NE(road, nullptr);
    EXPECT_TRUE(frame.ToolButton(CommandCode::AddPoint)->isEnabled()); // 9 points: room for more
    EXPECT_TRUE(increaseXY->isEnabled());
    EXPECT_TRUE(frame.SaveButton()->isEnabled());
    EXPECT_FALSE(frame.ToolButton(CommandCode::Retype)->isEnabled()); // retype needs a net without edges
    EXPECT_TRUE(MenuBarHolds(road->Menus().front()));

    ASSERT_TRUE(frame.Area().currentSubWindow()->close());
    using C = CommandCode;
    for (C code : {C::AddPoint, C::AddEdge, C::DeletePoint, C::DeleteEdge, C::DeleteComponent, C::DeleteAll,
                   C::MovePoint, C::MoveComponent, C::Retype, C::IncrementXY, C::IncrementX, C::IncrementY,
                   C::DecrementXY, C::DecrementX, C::DecrementY, C::FitNet, C::ShowReport, C::ClearReport}) {
        EXPECT_FALSE(frame.ToolButton(code)->isEnabled()) << IndexOf(code);
    }
    EXPECT_FALSE(frame.SaveButton()->isEnabled());
    EXPECT_FALSE(frame.WindowMenu().menuAction()->isEnabled());
}

// The sub-window's own Ctrl+W close would make the key ambiguous, and Qt then runs neither.
TEST_F(FrameWindowTest, CtrlWShowsEdgeWeightsOnAnOpenDocument) {
    frame.OpenFile(Copy("road.net", "road.net"));
    TMDIChild* road = frame.ActiveDocument();
    ASSERT_NE(road, nullptr);
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    road->setFocus();
    const std::uint8_t before = road->Net().view.edgeMarks;
    QTest::keyClick(road, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(road->Net().view.edgeMarks, before == 0 ? 1 : 0);
    QTest::keyClick(road, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(road->Net().view.edgeMarks, before);
    EXPECT_EQ(frame.Documents().size(), 1u);
}

TEST_F(FrameWindowTest, ToolButtonsReachOnlyAnActiveDocument) {
    frame.OpenFile(Copy("road.net", "road.net"));
    const TMDIChild* road = frame.ActiveDocument();
    QMdiSubWindow* roadWindow = frame.Area().currentSubWindow();
    frame.OpenFile(Notes());
    ASSERT_NE(qobject_cast<TReportForm*>(frame.ActiveChild()), nullptr);
    EXPECT_FALSE(MenuBarHolds(road->Menus().front()));

    // Clear Report writes the net's report file without asking.
    const std::filesystem::path report = dir.File("road.TXT");
    frame.ToolButton(CommandCode::ClearReport)->trigger();
    EXPECT_FALSE(std::filesystem::exists(report));

    frame.Area().setActiveSubWindow(roadWindow);
    frame.ToolButton(CommandCode::ClearReport)->trigger();
    EXPECT_TRUE(std::filesystem::exists(report));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(FrameWindowTest, CloseStopsWhenAWindowStaysOrAProcedureRuns) {
    frame.OpenFile(Copy("road.net", "road.net"));
    frame.OpenFile(Copy("flow.net", "flow.net"));
    for (TMDIChild* document : frame.Documents())
        testing::TouchNet(*document);

    // Last to first: flow closes without saving, road's question is cancelled.
    dialogs.answers = {Answer::No, Answer::Cancel};
    EXPECT_FALSE(frame.close());
    ASSERT_EQ(frame.Documents().size(), 1u);
    EXPECT_EQ(frame.Documents().front()->windowTitle(), "road.net");
    ASSERT_EQ(dialogs.Texts("ask").size(), 2u);
    EXPECT_NE(dialogs.Texts("ask")[0].find("Do you wish to Save flow"), std::string::npos);

    frame.State().run.busy = 1;
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(dialogs.Texts("warning"), std::vector<std::string>{ProcedureInProgressMessage});
    EXPECT_EQ(dialogs.Texts("ask").size(), 2u);

    frame.State().run.busy = 0;
    dialogs.answers = {Answer::No};
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(WindowCount(), 0);
}

TEST_F(FrameWindowTest, UnopenedResultsWindowsDoNotLinger) {
    QPointer<TResultForm> unused = dynamic_cast<TResultForm*>(&frame.NewResultsWindow());
    ResultsSink& used = frame.NewResultsWindow();
    EXPECT_TRUE(unused.isNull());

    ASSERT_TRUE(used.OpenResults("road", dir.File("road.net"), dialogs));
    ASSERT_EQ(WindowCount(), 1);
    // Wide enough for the longest lines of the Results texts, 72 characters.
    const QWidget& results = *frame.Area().currentSubWindow()->widget();
    EXPECT_EQ(results.height(), 397);
    EXPECT_GT(results.width(),
              QFontMetrics(frame.State().resultFont).horizontalAdvance(QString(72, QLatin1Char('0'))));
    QPointer<TResultForm> opened = dynamic_cast<TResultForm*>(&used);
    frame.NewResultsWindow();
    EXPECT_FALSE(opened.isNull());
    EXPECT_EQ(WindowCount(), 1);
}

TEST_F(FrameWindowTest, StepEditKeepsToItsRange) {
    QSpinBox& step = frame.StepEdit();
    EXPECT_EQ(step.toolTip(), "Step for Size and Move operations");
    EXPECT_EQ(frame.State().step, 10);
    step.setValue(0);
    EXPECT_EQ(frame.State().step, 1);
    step.setValue(31);
    EXPECT_EQ(frame.State().step, 30);
    step.selectAll();
    QTest::keyClicks(&step, "7");
    EXPECT_EQ(frame.State().step, 7);
}

TEST_F(FrameWindowTest, KDialogAndToolbarSwitch) {
    TGetKForm& k = frame.KPathsDialog();
    EXPECT_TRUE(k.isHidden());
    EXPECT_EQ(k.windowTitle(), "K shortest distinct paths");
    EXPECT_EQ(k.SEGetKShort().minimum(), 1);
    EXPECT_EQ(k.SEGetKShort().maximum(), 15);
    EXPECT_EQ(k.SEGetNumIter().minimum(), 100);
    EXPECT_EQ(k.SEGetNumIter().maximum(), 10000);
    EXPECT_EQ(k.SEGetNumIter().singleStep(), 50);
    const auto answers = [&k] {
        const KShortestParameters a = k.Answers();
        return std::vector<int>{a.k, a.iterationLimit, a.showNumber};
    };
    EXPECT_EQ(answers(), (std::vector<int>{1, 100, 1}));

    // "Number" never goes above K, and counts only while the check box is ticked.
    k.Load(KShortestParameters{5, 300, 4});
    EXPECT_EQ(k.SEShowPathN().maximum(), 5);
    k.SEGetKShort().setValue(3);
    EXPECT_EQ(answers(), (std::vector<int>{3, 300, 3}));
    k.CBShowPath().setChecked(false);
    EXPECT_FALSE(k.SEShowPathN().isEnabled());
    EXPECT_EQ(answers(), (std::vector<int>{3, 300, 0}));
    k.Load(KShortestParameters{2, 100, 0});
    EXPECT_FALSE(k.CBShowPath().isChecked());

    EXPECT_TRUE(frame.ToolbarVisible());
    frame.ShowToolbar(false);
    EXPECT_FALSE(frame.ToolbarVisible());
    EXPECT_FALSE(frame.findChild<QToolBar*>(QStringLiteral("ToolBar"))->isVisible());
    frame.ShowToolbar(true);
    EXPECT_TRUE(frame.ToolbarVisible());
}

TEST(HelpWindowTest, TopicsByKeyAndByKeyword) {
    THelpForm help;
    help.show();
    for (const char* key :
         {"Ystanovutq_opcuu", "Ystanovutq_atrubytw", "Ystanovutq_atrubytw_rebra", "petri"}) {
        help.ShowTopic(key);
        EXPECT_EQ(help.CurrentTopic(), key);
    }
    EXPECT_EQ(help.windowTitle(), "Plax Help - The Petri net game");
    help.ShowTopic("no_such_topic");
    EXPECT_EQ(help.CurrentTopic(), "contents");

    help.ShowSearch("");
    ASSERT_TRUE(help.IndexShown());
    QTest::keyClicks(&help.Filter(), "Token");
    int shown = 0;
    for (int row = 0; row < help.Keywords().count(); ++row) {
        const QListWidgetItem* item = help.Keywords().item(row);
        if (item->isHidden()) continue;
        ++shown;
        EXPECT_TRUE(item->text().contains("token", Qt::CaseInsensitive)) << item->text().toStdString();
    }
    EXPECT_GE(shown, 2);
    EXPECT_LT(shown, help.Keywords().count());
    QTest::keyClick(&help.Filter(), Qt::Key_Return);
    EXPECT_EQ(help.CurrentTopic(), "petri");
}

TEST(HelpWindowTest, TopicNeedsAnAnchorAndKeywords) {
    const auto topics = ParseHelpTopics("<h2><a name=\"cut_1\"></a>Cut &amp; paste</h2>\n"
                                        "<p class=\"keywords\">Keywords: copy; cut &amp; paste;\n paste</p>"
                                        "<h2>No anchor</h2><p class=\"keywords\">Keywords: x</p>");
    ASSERT_EQ(topics.size(), 1u);
    EXPECT_EQ(topics[0], (HelpTopic{"cut_1", "Cut & paste", {"copy", "cut & paste", "paste"}}));
}

TEST(AboutBoxTest, ShowsTheBuildsVersionAndTheLargestNumberOfPoints) {
    TAboutBox box;
    const QLabel* label = nullptr;
    bool version = false;
    for (const QLabel* l : box.findChildren<QLabel*>()) {
        if (l->text() == "Max point:") label = l;
        version = version || l->text() == QStringLiteral("Version " PLAX_PROJECT_VERSION);
    }
    EXPECT_TRUE(version) << "the release line is the project's version";
    ASSERT_NE(label, nullptr);
    const auto* field = qobject_cast<const QLineEdit*>(label->buddy());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "15");
}

} // namespace
} // namespace plax
