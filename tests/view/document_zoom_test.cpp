#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/net_canvas_widget.h"

#include "model/net_store.h"
#include "render/canvas_zoom.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace plax {
namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;

class DocumentZoomTest : public ::testing::Test {
protected:
    DocumentZoomTest() {
        doc->show();
        doc->NewDocument();
    }

    NetWorkType& Net() { return doc->Net(); }
    const PointType& Point(int i) { return Net().points[static_cast<std::size_t>(i)]; }
    NetCanvasWidget* Canvas() const { return doc->findChild<NetCanvasWidget*>(); }
    QScrollArea* Scroll() const { return doc->findChild<QScrollArea*>(); }
    // Where point i is drawn on the zoomed canvas.
    QPoint Drawn(int i) {
        return {static_cast<int>(ZoomedCoordinate(Point(i).x, doc->Zoom())),
                static_cast<int>(ZoomedCoordinate(Point(i).y, doc->Zoom()))};
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mousePress(Canvas(), Qt::LeftButton, keys, from);
        QTest::mouseMove(Canvas(), to);
        QTest::mouseRelease(Canvas(), Qt::LeftButton, keys, to);
    }
    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers keys) {
        QWheelEvent event(at, Canvas()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Canvas(), &event);
    }
    std::vector<std::pair<int, int>> Places() {
        std::vector<std::pair<int, int>> places;
        for (int i = 1; i <= Net().n; ++i)
            places.emplace_back(Point(i).x, Point(i).y);
        return places;
    }

    testing::TestHost host;
    std::unique_ptr<TMDIChild> doc = std::make_unique<TMDIChild>(host);
};

TEST_F(DocumentZoomTest, ClicksDragsAndTheReadOutWorkInNetPixelsAtEveryZoom) {
    for (int zoom : {50, 100, 200}) {
        SCOPED_TRACE(zoom);
        doc->NewDocument();
        AddTestPoint(Net(), 120, 80);
        AddTestPoint(Net(), 240, 160);
        Canvas()->SetZoom(zoom);
        QTest::mouseClick(Canvas(), Qt::LeftButton, Qt::ShiftModifier, Drawn(2));
        EXPECT_EQ(Point(2).selected, 1);
        EXPECT_EQ(Point(1).selected, 0);
        // A drag of (30, -20) widget pixels is (30, -20) / zoom in the net.
        Drag(Drawn(2), Drawn(2) + QPoint(30, -20));
        EXPECT_EQ(Point(2).x, 240 + 30 * 100 / zoom);
        EXPECT_EQ(Point(2).y, 160 - 20 * 100 / zoom);
        EXPECT_EQ(Point(1).x, 120);
        // The band from the top left to just past point 1 takes point 1 alone.
        Drag(QPoint(2, 2), Drawn(1) + QPoint(8, 8));
        EXPECT_EQ(Point(1).selected, 1);
        EXPECT_EQ(Point(2).selected, 0);
        doc->AddPoint1Click();
        QTest::mouseMove(Canvas(), Drawn(1));
        EXPECT_EQ(doc->findChild<QLabel*>("LabelCoord")->text(), "( 120,  80)");
        doc->ResetCommand();
    }
}

TEST_F(DocumentZoomTest, WheelAndMenusZoomTheViewAndNeverTheNet) {
    AddTestPoint(Net(), 600, 500);
    AddTestPoint(Net(), 900, 700);
    AddTestEdge(Net(), 1, 2);
    const auto places = Places();
    Scroll()->horizontalScrollBar()->setValue(400);
    Scroll()->verticalScrollBar()->setValue(300);
    const QPoint at(700, 550);
    Wheel(at, 120, Qt::NoModifier);
    EXPECT_EQ(doc->Zoom(), 100) << "a plain wheel scrolls";
    const QPoint before = Canvas()->mapTo(Scroll()->viewport(), at);
    Wheel(at, 120, Qt::ControlModifier);
    EXPECT_EQ(doc->Zoom(), 125);
    // The net pixel under the mouse stays under it.
    EXPECT_EQ(Canvas()->mapTo(Scroll()->viewport(), at * 125 / 100), before);
    Wheel(at * 125 / 100, -240, Qt::ControlModifier);
    EXPECT_EQ(doc->Zoom(), 90);
    doc->Zoom1Click(ZoomCommand::In);
    EXPECT_EQ(doc->Zoom(), 100);
    doc->Zoom1Click(ZoomCommand::Out);
    doc->Zoom1Click(ZoomCommand::Out);
    EXPECT_EQ(doc->Zoom(), 75);
    doc->Zoom1Click(ZoomCommand::ActualSize);
    EXPECT_EQ(doc->Zoom(), 100);
    doc->Zoom1Click(ZoomCommand::ToFit);
    const QSize view = Scroll()->viewport()->size();
    // 300 + 2 * 30 wide and 200 + 2 * 30 high: the view's own height decides.
    EXPECT_EQ(doc->Zoom(), ZoomToShow({570, 470, 930, 730}, view.width(), view.height(), MaxZoom));
    const QRect shown(
        QPoint(Scroll()->horizontalScrollBar()->value(), Scroll()->verticalScrollBar()->value()), view);
    EXPECT_TRUE(shown.contains(Drawn(1)) && shown.contains(Drawn(2)));
    EXPECT_EQ(Places(), places);
    EXPECT_EQ(Net().changed, 0);
}

TEST_F(DocumentZoomTest, ANetThatDoesNotFitOpensZoomedOutWithItsPlacesKept) {
    doc->resize(300, 200);
    QApplication::processEvents();
    doc->OpenDocument(PLAX_EXAMPLES_DIR "/road.net");
    EXPECT_LT(doc->Zoom(), 100);
    const QRect shown(
        QPoint(Scroll()->horizontalScrollBar()->value(), Scroll()->verticalScrollBar()->value()),
        Scroll()->viewport()->size());
    for (int i = 1; i <= Net().n; ++i)
        EXPECT_TRUE(shown.contains(Drawn(i))) << i;
    EXPECT_EQ(Net().changed, 0);
}

TEST_F(DocumentZoomTest, LayoutIsOneUndoableMoveInsideTheWindow) {
    for (int i = 0; i < 6; ++i)
        AddTestPoint(Net(), 50 + 7 * i, 60 + 3 * i);
    for (int i = 1; i < 6; ++i)
        AddTestEdge(Net(), i, i + 1);
    doc->DefEnableItem();
    const auto places = Places();
    doc->Layout1Click(LayoutKind::ForceDirected);
    EXPECT_EQ(Net().changed, 1);
    const QSize view = Scroll()->viewport()->size();
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(Point(i).x >= 40 && Point(i).x <= view.width() - 40) << i;
        EXPECT_TRUE(Point(i).y >= 40 && Point(i).y <= view.height() - 40) << i;
    }
    doc->Undo1Click();
    EXPECT_EQ(Places(), places);

    // Two selected points move alone; at 50% the window shows twice the net pixels.
    Canvas()->SetZoom(50);
    for (int i : {1, 2})
        Net().points[static_cast<std::size_t>(i)].selected = 1;
    Net().selection = {0, 0, 0, 0, 1, 2};
    doc->Layout1Click(LayoutKind::Grid);
    const auto after = Places();
    EXPECT_NE(after, places);
    EXPECT_TRUE(std::equal(after.begin() + 2, after.end(), places.begin() + 2));
    doc->Layout1Click(LayoutKind::Grid); // no selection now: the whole net
    EXPECT_GT(Point(6).x, view.width());

    Net().interaction.busy = 1;
    const auto busy = Places();
    doc->Layout1Click(LayoutKind::Circle);
    EXPECT_EQ(Places(), busy);
    EXPECT_EQ(host.dialogs.Texts("warning"),
              std::vector<std::string>{"Procedure in Progress!\r\nFirst terminate procedure!"});
}

TEST_F(DocumentZoomTest, ATemplateOpensLaidOutInTheWindowOrIsRefused) {
    TemplateParams petersen;
    petersen.kind = NetTemplate::Petersen;
    ASSERT_TRUE(doc->NewFromTemplate(petersen));
    EXPECT_EQ(Net().n, 10);
    EXPECT_EQ(EdgeCount(Net()), 15);
    EXPECT_EQ(Net().changed, 1);
    EXPECT_TRUE(doc->Unnamed());
    EXPECT_EQ(doc->Zoom(), 100);
    const QSize view = Scroll()->viewport()->size();
    for (int i = 1; i <= 10; ++i)
        EXPECT_TRUE(Point(i).x >= 40 && Point(i).x <= view.width() - 40 && Point(i).y >= 40 &&
                    Point(i).y <= view.height() - 40)
            << i;
    TemplateParams k16;
    k16.n = 16;
    EXPECT_FALSE(doc->NewFromTemplate(k16));
    EXPECT_EQ(Net().n, 10) << "a refusal keeps the net";
    EXPECT_EQ(host.dialogs.Texts("error"),
              std::vector<std::string>{"K16 would have 16 points; Plax holds at most 15"});
}

} // namespace
} // namespace plax
