#include "shell/frame_window.h"
#include "shell/help_window.h"
#include "shell/options_dialog.h"
#include "shell/options_palette.h"
#include "shell/progress_window.h"
#include "shell/results_window.h"

#include "view/scripted_pickers.h"
#include "view/test_host.h"

#include "model/net_store.h"
#include "view/document_window.h"
#include "view/edit_commands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace plax {
namespace {

using testing::ScriptedPickers;

class OptionsDialogTest : public ::testing::Test {
protected:
    OptionsDialogTest() {
        dialog.Load(BeginOptionsEdit(host.state.options, true));
        dialog.show();
    }
    template <class T = QCheckBox> T* Control(const char* name) const {
        T* control = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // Near the left end: a box stretched across its panel is hit only on its mark and caption.
    void Click(const char* name) const {
        QAbstractButton* button = Control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    testing::TestHost host;
    ScriptedPickers pickers;
    std::vector<std::string> help;
    TOptionsDlg dialog{host.state, pickers,
                       [this](QWidget&, const std::string& topic) { help.push_back(topic); }};
};

TEST_F(OptionsDialogTest, BoxesWriteTheCopyAndFollowTheEnablementRules) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Plax Options");
    // Start-up settings: the number is shown, so "Fill point" is clear and disabled.
    EXPECT_FALSE(Control("FillPoint")->isEnabled());
    EXPECT_TRUE(Control("DoubleBorder")->isEnabled());
    EXPECT_FALSE(dialog.PopUpTabShown());
    EXPECT_TRUE(Control<QRadioButton>("Apply0")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>("Apply1")->isEnabled());

    Click("ShowNumber");
    EXPECT_TRUE(Control("FillPoint")->isEnabled());
    Click("FillPoint");
    Click("DoubleBorder");
    EXPECT_EQ(dialog.Edit().options.options.fillPoint, 1);
    EXPECT_EQ(dialog.Edit().options.options.doubleBorder, 1);
    Click("ShowNumber");
    EXPECT_FALSE(Control("FillPoint")->isEnabled());
    EXPECT_FALSE(Control("FillPoint")->isChecked());
    EXPECT_EQ(dialog.Edit().options.options.fillPoint, 0);

    Click("BorderByColor");
    Click("ShowBorder");
    for (const char* name : {"DoubleBorder", "BorderByColor", "FillPoint"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Control(name)->isEnabled());
        EXPECT_FALSE(Control(name)->isChecked());
    }
    EXPECT_EQ(dialog.Edit().options.options.coloredBorder, 0);
    Click("ShowBorder");
    EXPECT_TRUE(Control("DoubleBorder")->isEnabled());
    EXPECT_FALSE(Control("DoubleBorder")->isChecked());

    Click("ShowPopUpInfo");
    EXPECT_TRUE(dialog.PopUpTabShown());
    dialog.Tabs().setCurrentIndex(1);
    Click("PopUp2"); // "(X,Y)" of the points
    Click("PopUp5"); // "Name" of the edges: on at start-up, now off
    EXPECT_EQ(dialog.Edit().options.popUp, (std::array<std::uint8_t, 8>{1, 0, 1, 0, 1, 0, 1, 0}));
    Control<QSpinBox>("Radius")->setValue(4);
    Click("LoadMode2");
    Click("Apply1");
    EXPECT_EQ(dialog.Edit().options.options.radius, 4);
    EXPECT_EQ(dialog.Edit().options.loadMode, 2);
    EXPECT_EQ(dialog.Edit().target, ApplyTarget::AllGraphs);

    Click("SetDefaultBtn");
    EXPECT_EQ(Control<QSpinBox>("Radius")->value(), 10);
    EXPECT_TRUE(Control<QRadioButton>("LoadMode1")->isChecked());
    EXPECT_TRUE(Control("ShowNumber")->isChecked());
    EXPECT_TRUE(dialog.PopUpTabShown()); // the pop-up switches are not its business
}

TEST_F(OptionsDialogTest, PickersChangeTheirFieldOnlyWhenNotCancelled) {
    pickers.colors = {std::nullopt, Color{0x00FF00}, Color{0x0000FF}};
    Click("ForeColorBtn");
    EXPECT_EQ(dialog.Edit().options.foreDefaultColor, 0u);
    Click("ForeColorBtn");
    EXPECT_EQ(dialog.Edit().options.foreDefaultColor, 0x00FF00u);
    Click("BorderColorBtn");
    EXPECT_EQ(dialog.Edit().options.options.borderColor, 0x0000FFu);

    const QFont before = host.state.reportFont;
    Click("ReportFontBtn"); // cancelled
    EXPECT_EQ(host.state.reportFont, before);
}

TEST_F(OptionsDialogTest, OkHandsBackTheCopyCancelKeepsOnlyThePickedFont) {
    QFont picked(QStringLiteral("Liberation Sans"));
    picked.setPixelSize(19);
    pickers.fonts = {picked};
    OptionsEdit edit = BeginOptionsEdit(host.state.options, true);
    QTimer::singleShot(0, &dialog, [this] {
        Click("EditConfirmation");
        Click("ResultFontBtn");
        Click("CancelBtn");
    });
    EXPECT_FALSE(dialog.Run(edit));
    EXPECT_EQ(edit.options.editConfirmation, 0);
    TProgressBar progress;
    TResultForm results(host, progress);
    EXPECT_EQ(results.findChild<QPlainTextEdit*>()->font().pixelSize(), 19);

    QTimer::singleShot(0, &dialog, [this] {
        Click("EditConfirmation");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_TRUE(dialog.Run(edit));
    EXPECT_EQ(edit.options.editConfirmation, 1);
}

TEST_F(OptionsDialogTest, HelpOpensItsTopic) {
    Click("HelpBtn");
    EXPECT_EQ(help, std::vector<std::string>{OptionsHelpTopic});
}

TEST(OptionsPaletteTest, ItsControlsSetTheNewElementFieldsThatNewPointsAndEdgesTake) {
    OptionType options;
    ScriptedPickers pickers;
    TFormOptionsPallete palette(options, pickers);
    palette.show();
    EXPECT_EQ(palette.windowTitle().toStdString(), "Options");
    EXPECT_TRUE(palette.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(palette.PointName().text().toStdString(), "No Name");
    EXPECT_EQ(palette.Style().currentText().toStdString(), "Solid");
    EXPECT_EQ(palette.PointShapeButton(7).toolTip().toStdString(), "Triangle Down");

    QTest::mouseClick(&palette.PointShapeButton(6), Qt::LeftButton);
    palette.PointName().setText(QStringLiteral("Depot"));
    palette.Tabs().setCurrentIndex(1);
    QTest::mouseClick(&palette.EdgeShapeButton(2), Qt::LeftButton);
    palette.Width().setValue(3);
    palette.Style().setCurrentIndex(4);
    palette.EdgeName().setText(QStringLiteral("Road"));
    pickers.colors = {std::nullopt, Color{0x008000}};
    auto* pick = palette.findChild<QPushButton*>(QStringLiteral("ColorBtn"));
    QTest::mouseClick(pick, Qt::LeftButton);
    EXPECT_EQ(options.foreDefaultColor, 0u);
    QTest::mouseClick(pick, Qt::LeftButton);

    NetWorkType net;
    NetInit(net);
    ASSERT_EQ(AddNewPoint(net, options, 50, 50), 1);
    ASSERT_EQ(AddNewPoint(net, options, 150, 50), 2);
    ASSERT_TRUE(AddNewEdge(net, options, 1, 2));
    EXPECT_EQ(net.points[1].shape, 6);
    EXPECT_EQ(net.points[1].name, "Depot");
    EXPECT_EQ(net.points[1].color, 0x008000u);
    const EdgeType& e = net.lists[1].front();
    EXPECT_EQ(e.shape, 4u);
    EXPECT_EQ(e.lineWidth, 3);
    EXPECT_EQ(e.lineStyle, 4u);
    EXPECT_EQ(e.name, "Road");
    EXPECT_EQ(e.color, 0x008000u);
}

TEST(FrameOptionsTest, StartUpMakesTheDialogAndThePaletteAndOkReachesThePalette) {
    testing::ScriptedDialogs dialogs;
    TPlaxForm frame(dialogs);
    frame.show();
    EXPECT_FALSE(frame.OptionsPaletteVisible());
    frame.ShowOptionsPalette(true);
    EXPECT_TRUE(frame.OptionsPaletteVisible());
    frame.NewNet();
    int items = 0;
    for (const QAction* action : frame.findChildren<QAction*>()) {
        if (action->text().remove(QLatin1Char('&')) != QStringLiteral("Options...")) continue;
        ++items;
        EXPECT_TRUE(action->isEnabled());
    }
    EXPECT_EQ(items, 1); // one action, in the frame's File menu and the document's
    EXPECT_TRUE(frame.ActiveDocument()->Menus().front()->actions().contains(frame.Actions().options));
    // With a document active the dialog shows that net's point options first.
    frame.ActiveDocument()->Net().defaultOptions.radius = 12;
    QTimer::singleShot(0, &frame.OptionsDlg(), [&frame] {
        EXPECT_TRUE(frame.OptionsDlg().findChild<QRadioButton*>(QStringLiteral("Apply0"))->isChecked());
        auto* radius = frame.OptionsDlg().findChild<QSpinBox*>(QStringLiteral("Radius"));
        EXPECT_EQ(radius->value(), 12);
        radius->setValue(13);
        frame.OptionsDlg().accept();
    });
    frame.Actions().options->trigger();
    ASSERT_EQ(frame.Documents().size(), 1u);
    EXPECT_EQ(frame.Documents()[0]->Net().defaultOptions.radius, 13);
    frame.ShowOptionsPalette(false);
}

TEST(FrameOptionsTest, TheViewMenuShowsAndMarksThePalette) {
    testing::ScriptedDialogs dialogs;
    TPlaxForm frame(dialogs);
    frame.show();
    frame.NewNet();
    QAction* item = frame.Actions().optionsPalette;
    EXPECT_EQ(item->text().remove(QLatin1Char('&')).toStdString(), "New Element Options Palette");
    EXPECT_TRUE(frame.ActiveDocument()->Menus()[2]->actions().contains(item));
    item->trigger();
    EXPECT_TRUE(frame.OptionsPaletteVisible());
    EXPECT_TRUE(item->isChecked());
    // Closed by its own button: the mark follows.
    frame.OptionsPalette().close();
    EXPECT_FALSE(item->isChecked());
    frame.ShowOptionsPalette(true);
    EXPECT_TRUE(item->isChecked());
    frame.ShowOptionsPalette(false);
}

} // namespace
} // namespace plax
