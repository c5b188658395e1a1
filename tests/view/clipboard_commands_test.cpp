#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/net_canvas_widget.h"

#include "model/net_store.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace plax {
namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::NewTestNet;

// Points at (100 * i, 50): far enough apart to be told by their x.
NetWorkType LineNet(bool directed, int n) {
    NetWorkType net = NewTestNet(directed);
    for (int i = 1; i <= n; ++i)
        AddTestPoint(net, 100 * i, 50);
    return net;
}

class ClipboardTest : public ::testing::Test {
protected:
    std::unique_ptr<TMDIChild> Document(const NetWorkType& net) {
        auto doc = std::make_unique<TMDIChild>(host);
        doc->show();
        doc->NewDocument();
        doc->Net() = net;
        doc->DefEnableItem();
        return doc;
    }
    static QAction* Item(TMDIChild& doc, const char* name) { return doc.findChild<QAction*>(name); }
    static void ClickCanvas(TMDIChild& doc, int x, int y) {
        QTest::mouseClick(doc.findChild<NetCanvasWidget*>(), Qt::LeftButton, {}, QPoint(x, y));
    }

    testing::TestHost host;
};

TEST_F(ClipboardTest, CopyPasteBetweenNetsLandsAtTheClickAndUndoTakesItBack) {
    // Points 2 and 4 of 5 selected; edges 1-2, 2-4 and 4-5: only 2-4 goes along.
    NetWorkType road = LineNet(false, 5);
    AddTestEdge(road, 1, 2);
    AddTestEdge(road, 2, 4);
    AddTestEdge(road, 4, 5);
    road.points[2].selected = road.points[4].selected = 1;
    road.selection.exists = 1;
    road.selection.count = 2;
    auto from = Document(road);
    Item(*from, "Copy1")->trigger();
    ASSERT_EQ(host.state.clipboard.n, 2);

    auto to = Document(LineNet(false, 12));
    const NetWorkType before = to->Net();
    ASSERT_TRUE(Item(*to, "Paste1")->isEnabled());
    Item(*to, "Paste1")->trigger();
    EXPECT_EQ(to->Armed(), Command::PastePlacement);
    EXPECT_EQ(to->findChild<QLabel*>("LabelStatus")->text(), "Select Position for the Clipboard Graph");
    EXPECT_TRUE(to->findChild<QPushButton*>("ResetBtn")->isEnabled());
    EXPECT_EQ(to->findChild<NetCanvasWidget*>()->cursor().shape(), Qt::CrossCursor);

    // The clipboard holds point 4 (x 400) as 1 and point 2 (x 200) as 2: the corner is (200, 50).
    ClickCanvas(*to, 300, 120);
    ASSERT_EQ(to->Net().n, 14);
    EXPECT_EQ(to->Net().points[13].x, 500);
    EXPECT_EQ(to->Net().points[14].x, 300);
    EXPECT_EQ(to->Net().points[14].y, 120);
    EXPECT_TRUE(EdgeExists(to->Net(), 13, 14) && EdgeExists(to->Net(), 14, 13));
    EXPECT_EQ(EdgeCount(to->Net()), 1) << "no edge to a point that was not pasted";
    EXPECT_EQ(to->Armed(), Command::None);
    EXPECT_FALSE(to->findChild<NetCanvasWidget*>()->testAttribute(Qt::WA_SetCursor));

    EXPECT_EQ(to->History().undoText().toStdString(), "Paste");
    to->Undo1Click();
    EXPECT_EQ(to->Net().n, 12);
    EXPECT_EQ(to->Net().points, before.points);
    EXPECT_EQ(EdgeCount(to->Net()), 0);

    // Placed near the right edge of the view, the paste is scrolled into it whole.
    auto* canvas = to->findChild<NetCanvasWidget*>();
    EXPECT_FALSE(canvas->visibleRegion().boundingRect().contains(QPoint(780, 120)));
    Item(*to, "Paste1")->trigger();
    ClickCanvas(*to, 560, 120);
    ASSERT_EQ(to->Net().points[13].x, 760);
    const QRect visible = canvas->visibleRegion().boundingRect();
    EXPECT_TRUE(visible.contains(QPoint(780, 120)) && visible.contains(QPoint(540, 120))) << visible.x();
}

TEST_F(ClipboardTest, PasteRefusesWhatItCannotPlace) {
    auto doc = Document(LineNet(false, 13));
    EXPECT_FALSE(Item(*doc, "Paste1")->isEnabled()) << "the clipboard starts empty";
    host.state.clipboard = LineNet(true, 3);
    doc->DefEnableItem();
    EXPECT_FALSE(Item(*doc, "Paste1")->isEnabled()) << "a directed clipboard for an undirected net";

    host.state.clipboard = LineNet(false, 3);
    doc->DefEnableItem();
    ASSERT_TRUE(Item(*doc, "Paste1")->isEnabled());
    doc->Net().interaction.busy = 1;
    Item(*doc, "Paste1")->trigger();
    EXPECT_EQ(doc->Armed(), Command::None);
    EXPECT_EQ(host.dialogs.Texts("warning"),
              std::vector<std::string>{"Procedure in Progress!\r\nFirst terminate procedure!"});

    doc->Net().interaction.busy = 0;
    Item(*doc, "Paste1")->trigger();
    ClickCanvas(*doc, 300, 300);
    EXPECT_EQ(host.dialogs.Texts("error"), std::vector<std::string>{"Too many Points!"});
    EXPECT_EQ(doc->Net().n, 13);
    EXPECT_FALSE(doc->History().canUndo()) << "a refused paste makes no step";
    EXPECT_EQ(doc->Armed(), Command::None);

    // The clipboard changed kind while the paste waited: nothing happens and it keeps waiting.
    Item(*doc, "Paste1")->trigger();
    host.state.clipboard = LineNet(true, 1);
    ClickCanvas(*doc, 300, 300);
    EXPECT_EQ(doc->Net().n, 13);
    EXPECT_EQ(doc->Armed(), Command::PastePlacement);
    EXPECT_EQ(host.dialogs.Texts("error").size(), 1U);
}

TEST_F(ClipboardTest, CopyAsPicturePutsPngAndSvgOnTheSystemClipboard) {
    NetWorkType net = LineNet(false, 2);
    AddTestEdge(net, 1, 2);
    auto doc = Document(net);
    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(Item(*doc, "CopyAsPicture1")->isEnabled());
    Item(*doc, "CopyAsPicture1")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data("image/png").startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), doc->PictureSize());
    EXPECT_EQ(image.pixel(300, 50), qRgb(255, 255, 255)) << "between the points, on the white page";
    EXPECT_NE(image.pixel(150, 50), qRgb(255, 255, 255)) << "the edge is drawn";
    EXPECT_TRUE(host.dialogs.calls.empty());
}

} // namespace
} // namespace plax
