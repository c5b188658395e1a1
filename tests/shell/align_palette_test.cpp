#include "view/scripted_dialogs.h"

#include "shell/align_palette.h"
#include "shell/frame_window.h"

#include "view/document_window.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace plax {
namespace {

using C = CommandCode;

TEST(AlignPaletteTest, ItsButtonsAlignTheActiveDocumentAndTheViewItemFollowsIt) {
    testing::ScriptedDialogs dialogs;
    TPlaxForm frame(dialogs);
    frame.show();
    TAlignForm& palette = frame.AlignPalette();
    EXPECT_FALSE(palette.isVisible());
    EXPECT_EQ(palette.windowTitle(), QStringLiteral("Align"));
    EXPECT_TRUE(palette.windowFlags().testFlags(Qt::Tool | Qt::WindowStaysOnTopHint));
    EXPECT_EQ(palette.size(), QSize(104, 52));
    frame.NewNet();
    TMDIChild* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    NetWorkType& net = doc->Net();
    net.n = 3;
    const int places[][2] = {{50, 80}, {100, 120}, {150, 100}};
    for (std::size_t i = 1; i <= 3; ++i) {
        net.points[i].x = places[i - 1][0];
        net.points[i].y = places[i - 1][1];
        net.points[i].selected = 1;
    }
    net.selection.exists = 1;
    net.selection.count = 3;
    doc->DefEnableItem();
    EXPECT_FALSE(palette.Button(C::FillRectangle).isEnabled());

    // View > "Alignment Palette", the frame's, shows it in the document's View menu.
    QAction* item = frame.Actions().alignPalette;
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(doc->Menus()[2]->actions().contains(item));
    EXPECT_EQ(item->text().remove(QLatin1Char('&')), QStringLiteral("Alignment Palette"));
    item->trigger();
    EXPECT_TRUE(frame.AlignPaletteVisible());
    struct Row {
        CommandCode code;
        const char* name;
        const char* tip;
        QPoint at;
    };
    const Row rows[] = {
        {C::AlignLeft, "SBtnAlignLeft", "Align left Edges (Ctrl+Alt+L)", {0, 0}},
        {C::AlignTop, "SBtnAlignTop", "Align Tops (Ctrl+Alt+T)", {26, 0}},
        {C::AlignBottom, "SBtnAlignBottom", "Align Bottoms (Ctrl+Alt+B)", {52, 0}},
        {C::AlignRight, "SBtnAlignRight", "Align right Edges (Ctrl+Alt+R)", {78, 0}},
        {C::SpaceHorizontally, "SBtnAlignSpaceVert", "Space equally, horizontally (Ctrl+Alt+H)", {0, 26}},
        {C::SpaceVertically, "SBtnAlignSpaceHor", "Space equally, vertically (Ctrl+Alt+V)", {26, 26}},
        {C::FillRectangle, "SBtnAlignSpaceRect", "Fill to rectangle", {52, 26}},
        {C::FitEllipse, "SBtnAlignSpaceSircle", "Fill to Ellipse", {78, 26}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QToolButton& button = palette.Button(row.code);
        EXPECT_EQ(button.objectName().toStdString(), row.name);
        EXPECT_EQ(button.toolTip().toStdString(), row.tip);
        EXPECT_EQ(button.geometry(), QRect(row.at, QSize(26, 26)));
        EXPECT_EQ(button.isEnabled(), row.code != C::FillRectangle);
    }

    QTest::mouseClick(&palette.Button(C::AlignBottom), Qt::LeftButton);
    for (std::size_t i = 1; i <= 3; ++i)
        EXPECT_EQ(net.points[i].y, 120) << i;
    EXPECT_EQ(net.selection.exists, 0);

    QMenu* view =
        item->associatedObjects().isEmpty() ? nullptr : qobject_cast<QMenu*>(item->associatedObjects()[0]);
    ASSERT_NE(view, nullptr);
    palette.close();
    emit view->aboutToShow();
    EXPECT_FALSE(item->isChecked());
    frame.ShowAlignPalette(true);
    emit view->aboutToShow();
    EXPECT_TRUE(item->isChecked());
    frame.ShowAlignPalette(false);
}

} // namespace
} // namespace plax
