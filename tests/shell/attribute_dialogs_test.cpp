#include "view/scripted_dialogs.h"
#include "view/scripted_pickers.h"
#include "view/view_test_nets.h"

#include "shell/edge_dialog.h"
#include "shell/frame_window.h"
#include "shell/help_window.h"
#include "shell/point_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::NewTestNet;

void Show(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

QPushButton* Button(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

// What Tab reaches from the focused field, one press at a time, until the chain comes round:
// each field by its name, or its text when it has none.
std::vector<std::string> TabChain() {
    std::vector<std::string> chain;
    const QWidget* first = QApplication::focusWidget();
    for (int i = 0; i < 40; ++i) {
        QWidget* now = QApplication::focusWidget();
        const auto* button = qobject_cast<QAbstractButton*>(now);
        chain.push_back(!now->objectName().isEmpty() || button == nullptr
                            ? now->objectName().toStdString()
                            : button->text().remove(QLatin1Char('&')).toStdString());
        QTest::keyClick(now, Qt::Key_Tab);
        if (QApplication::focusWidget() == first) break;
    }
    return chain;
}

TEST(AttributeDialogs, TabGoesDownTheFieldsAndEndsOnOkWhichEnterPresses) {
    NetWorkType net = NewTestNet(true);
    AddTestPoint(net, 100, 120, 0, "Mill");
    AddTestPoint(net, 300, 120, 0, "Bay");
    AddTestEdge(net, 1, 2, 4);
    testing::ScriptedDialogs ui;
    testing::ScriptedPickers pickers;
    {
        TPointFormDlg dialog(ui, pickers, {});
        dialog.Load(PointDialogFor(net, 1, false));
        Show(dialog);
        dialog.findChild<QLineEdit*>("EditName")->setFocus();
        EXPECT_EQ(TabChain(),
                  (std::vector<std::string>{"EditName", "EditMark", "SpinTokens", "Circle", "ColorButton",
                                            "CustomOptions", "Help", "Cancel", "OK"}));
        // A name typed, Tab, Enter: OK, not the colour dialog.
        dialog.findChild<QLineEdit*>("EditName")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "Dam");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(pickers.colors.empty());
    }
    TEdgeFormDlg dialog(ui, pickers, {});
    dialog.Load(EdgeDialogFor(net, 1, 2));
    Show(dialog);
    EXPECT_EQ(TabChain(), (std::vector<std::string>{"EditMark", "EditName", "SpinWidth", "LineStyle", "Line",
                                                    "ColorButton", "Help", "Cancel", "OK"}));
}

TEST(PointFormDlg, MarkCheckedOnLeavingColourShapeHelpAndOk) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 120, 0, "Mill");
    testing::ScriptedDialogs ui;
    std::vector<std::string> help;
    testing::ScriptedPickers pickers;
    TPointFormDlg dialog(ui, pickers, [&](QWidget&, const std::string& topic) { help.push_back(topic); });
    dialog.Load(PointDialogFor(net, 1, false));
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Point Attributes");
    EXPECT_EQ(dialog.NameEdit().text(), "Mill");
    EXPECT_EQ(dialog.Mark().text(), "1");

    dialog.Mark().setFocus();
    dialog.Mark().selectAll();
    QTest::keyClicks(&dialog.Mark(), "1e39");
    QTest::keyClick(&dialog.Mark(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(ui.Texts("information"),
              std::vector<std::string>{"Invalid Number String!\r\nNumber must be between 0 and 1.0E38"});
    EXPECT_TRUE(dialog.Mark().hasFocus());
    EXPECT_EQ(dialog.State().point.weight, 1.0);
    dialog.Mark().selectAll();
    QTest::keyClicks(&dialog.Mark(), "2.5");
    QTest::keyClick(&dialog.Mark(), Qt::Key_Tab);
    EXPECT_EQ(ui.Texts("information").size(), 1u);
    EXPECT_EQ(dialog.State().point.weight, 2.5);

    pickers.colors = {0x00FF00};
    QTest::mouseClick(&dialog.Colors().Button(), Qt::LeftButton);
    EXPECT_EQ(dialog.State().point.color, 0x00FF00u);
    QTest::mouseClick(&dialog.ShapeButton(3), Qt::LeftButton);
    EXPECT_EQ(dialog.TokensLabel().text(), "&Level:");
    EXPECT_EQ(dialog.State().point.shape, 3);
    QTest::mouseClick(Button(dialog, QDialogButtonBox::Help), Qt::LeftButton);
    EXPECT_EQ(help, std::vector<std::string>{"Ystanovutq_atrubytw"});
    QTest::mouseClick(Button(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(EdgeFormDlg, ReverseWidthRuleAndStoredWidthOfSeven) {
    NetWorkType net = NewTestNet(true);
    AddTestPoint(net, 100, 100);
    AddTestPoint(net, 200, 100);
    AddTestEdge(net, 1, 2, 5.0)->lineStyle = 2;
    AddTestEdge(net, 2, 1, 6.0)->lineWidth = 7;
    testing::ScriptedDialogs ui;
    std::vector<std::string> help;
    testing::ScriptedPickers pickers;
    TEdgeFormDlg dialog(ui, pickers, [&](QWidget&, const std::string& topic) { help.push_back(topic); });
    dialog.Load(EdgeDialogFor(net, 1, 2));
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Edge Attributes");
    EXPECT_EQ(dialog.EdgeLabel().text(), "( 1,2 )");
    EXPECT_EQ(dialog.StyleList().currentText(), "Dot");
    dialog.WidthEdit().setValue(3);
    EXPECT_EQ(dialog.StyleList().currentText(), "Solid");
    EXPECT_FALSE(dialog.StyleList().isEnabled());

    ASSERT_TRUE(dialog.ReverseBox().isEnabled());
    dialog.ReverseBox().click();
    EXPECT_EQ(dialog.EdgeLabel().text(), "( 2,1 )");
    EXPECT_EQ(dialog.Mark().text(), "6");
    EXPECT_EQ(dialog.WidthEdit().value(), 1);
    EXPECT_EQ(dialog.StyleList().currentText(), "Solid");
    EXPECT_TRUE(dialog.StyleList().isEnabled());
    QTest::mouseClick(Button(dialog, QDialogButtonBox::Help), Qt::LeftButton);
    EXPECT_EQ(help, std::vector<std::string>{"Ystanovutq_atrubytw_rebra"});
}

// The frame shows the real dialog modally; its Help lends the help window to it.
TEST(AttributeDialogsFrame, HelpJoinsTheOpenDialogAndCancelAnswersNothing) {
    testing::ScriptedDialogs ui;
    TPlaxForm frame(ui);
    frame.show();
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100);
    QTimer::singleShot(0, &frame, [&] {
        auto* dialog = qobject_cast<TPointFormDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no point dialog";
            QApplication::activeModalWidget()->close();
            return;
        }
        QTest::mouseClick(Button(*dialog, QDialogButtonBox::Help), Qt::LeftButton);
        EXPECT_EQ(frame.HelpWindow()->parentWidget(), dialog);
        EXPECT_TRUE(frame.HelpWindow()->isVisible());
        dialog->reject();
    });
    EXPECT_FALSE(frame.EditPoint(PointDialogFor(net, 1, false)).has_value());
    ASSERT_NE(frame.HelpWindow(), nullptr);
    EXPECT_EQ(frame.HelpWindow()->parentWidget(), &frame);
    EXPECT_TRUE(frame.HelpWindow()->isVisible());
    EXPECT_EQ(frame.HelpWindow()->CurrentTopic(), "Ystanovutq_atrubytw");
}

} // namespace
} // namespace plax
