#include "render/canvas_geometry.h"

#include "render/canvas_zoom.h"
#include "render/render_support.h"
#include "view_test_nets.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace plax {
namespace {

using testing::AddTestPoint;
using testing::NewTestNet;

void Select(NetWorkType& net, int i) {
    net.points[static_cast<std::size_t>(i)].selected = 1;
    net.selection.exists = 1;
    ++net.selection.count;
}

int X(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)].x; }
int Y(const NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)].y; }

TEST(CanvasGeometry, ScalingWorksAboutTheCentreOfTheSelectionOrOfAll) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 50);
    AddTestPoint(net, 200, 60);
    AddTestPoint(net, 0, 0);
    Select(net, 1);
    Select(net, 2);
    GrowAxis(net, Axis::X, 10); // c = 150, f = 1.1
    EXPECT_EQ(X(net, 1), 95);
    EXPECT_EQ(X(net, 2), 205);
    EXPECT_EQ(X(net, 3), 0) << "unselected points stay";

    // One selected point is no selection for scaling: all points scale (c = 100, f = 1.05).
    NetWorkType one = NewTestNet(false);
    AddTestPoint(one, 100, 0);
    AddTestPoint(one, 200, 0);
    AddTestPoint(one, 0, 0);
    Select(one, 1);
    GrowAxis(one, Axis::X, 10);
    EXPECT_EQ(X(one, 2), 205);
    EXPECT_EQ(X(one, 3), -5);
    MoveGraph(one, -10, 0); // but moving takes any selection
    EXPECT_EQ(X(one, 1), 90);
    EXPECT_EQ(X(one, 2), 205);

    // A step beyond the extent mirrors it: c = 102, f = -1.
    NetWorkType near = NewTestNet(false);
    AddTestPoint(near, 100, 30);
    AddTestPoint(near, 105, 30);
    ShrinkAxis(near, Axis::X, 10);
    EXPECT_EQ(X(near, 1), 104);
    EXPECT_EQ(X(near, 2), 99);

    // A flat extent changes nothing.
    NetWorkType flat = NewTestNet(false);
    AddTestPoint(flat, 100, 30);
    AddTestPoint(flat, 100, 80);
    GrowAxis(flat, Axis::X, 10);
    EXPECT_EQ(X(flat, 1), 100);
    GrowAxis(flat, Axis::Y, 10); // c = 55, f = 1.2
    EXPECT_EQ(Y(flat, 1), 25);
    EXPECT_EQ(Y(flat, 2), 85);
}

TEST(CanvasGeometry, FitNetToWindowFillsTheViewWithinTheMargins) {
    // Already within the margins and filling 593 x 351: nothing to do.
    NetWorkType fitted = NewTestNet(false);
    AddTestPoint(fitted, 40, 40);
    AddTestPoint(fitted, 553, 311);
    EXPECT_FALSE(FitNeeded(fitted, 593, 351));

    // A vertical line: only Y is fitted.
    NetWorkType line = NewTestNet(false);
    AddTestPoint(line, 100, 100);
    AddTestPoint(line, 100, 150);
    ASSERT_TRUE(FitNeeded(line, 593, 351));
    FitNetToWindow(line, 593, 351, 10);
    EXPECT_EQ(X(line, 1), 40);
    EXPECT_EQ(X(line, 2), 40);
    EXPECT_GE(Y(line, 2) - Y(line, 1), 271);
    EXPECT_LT(Y(line, 2) - Y(line, 1), 281);
    EXPECT_EQ(line.interaction.canvasWidth, 593);
    EXPECT_EQ(line.interaction.canvasHeight, 351);

    // A net across most of the canvas takes about 150 shrinking rounds.
    NetWorkType wide = NewTestNet(false);
    AddTestPoint(wide, 0, 100);
    AddTestPoint(wide, 1990, 200);
    FitNetToWindow(wide, 593, 351, 10);
    const Extent e = PointsExtent(wide, false);
    EXPECT_GE(e.maxX - e.minX, 513);
    EXPECT_LT(e.maxX - e.minX, 523);
}

TEST(CanvasGeometry, FitLoopsEndOnViewsTooSmallAndOnRoundingStalls) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 0, 0);
    AddTestPoint(net, 100, 100);
    AddTestPoint(net, 30, 70);
    FitNetToWindow(net, 50, 50, 10); // no extent fits within 50 - 80 pixels
    EXPECT_EQ(net.interaction.canvasWidth, 50);

    // Growing 40..44 by one: c = 42, f = 1.25 gives -2.5 and 2.5, which round back to -2 and 2.
    NetWorkType stall = NewTestNet(false);
    AddTestPoint(stall, 40, 40);
    AddTestPoint(stall, 44, 300);
    FitNetToWindow(stall, 593, 351, 1);
    EXPECT_EQ(X(stall, 2) - X(stall, 1), 4);
}

TEST(CanvasGeometry, HitTestsOnPointsAndLabels) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100, 0, "Alpha");
    AddTestPoint(net, 105, 100);
    testing::CustomOptions(net, 1, 3);
    EXPECT_EQ(PointNear(net, 110, 90), 1);
    EXPECT_EQ(PointAt(net, 110, 90), 0);
    EXPECT_EQ(PointAt(net, 110, 100), 2) << "point 1 is only 3 pixels wide";
    EXPECT_EQ(PointNear(net, 111, 100), 2);
    EXPECT_EQ(PointNear(net, 117, 100), 0);

    // Label to the right: its box starts at x + r + 4 and is as wide as the name alone.
    net.points[1].labelPosition = 6;
    EXPECT_EQ(LabelAt(net, 107, 100), 0) << "no label without names or tokens";
    net.view.pointNames = 1;
    net.view.tokens = 1; // the label reads "Alpha/1"
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    SetCanvasFont(painter, net.defaultOptions.fontSize);
    const int nameWidth = MeasureCanvasText(painter, "Alpha").width;
    EXPECT_EQ(LabelAt(net, 107, 100), 1);
    EXPECT_EQ(LabelAt(net, 107 + nameWidth, 100), 1);
    EXPECT_EQ(LabelAt(net, 108 + nameWidth, 100), 0);
    EXPECT_EQ(LabelAt(net, 106, 100), 0);
}

TEST(CanvasGeometry, LabelPositionFollowsTheMouseAroundThePoint) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100);
    testing::CustomOptions(net, 1, 2); // the net's radius counts, not the point's
    EXPECT_EQ(LabelPositionFromMouse(net, 1, 100, 100), 1) << "(-7,-7) is nearer than (0,-10)";
    EXPECT_EQ(LabelPositionFromMouse(net, 1, 100, 60), 0);
    EXPECT_EQ(LabelPositionFromMouse(net, 1, 60, 100), 2);
    EXPECT_EQ(LabelPositionFromMouse(net, 1, 100, 140), 4);
    EXPECT_EQ(LabelPositionFromMouse(net, 1, 140, 60), 7);
}

TEST(CanvasGeometry, CoordinateAndPopUpTexts) {
    EXPECT_EQ(CoordinateText(5, 1234), "(   5,1234)");
    EXPECT_EQ(CoordinateText(-12, 40), "( -12,  40)");

    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100, 0, "A");
    AddTestPoint(net, 200, 100);
    EdgeType* edge = testing::AddTestEdge(net, 1, 2, 2.5);
    edge->name = "e";
    EdgeAnchors anchors;
    anchors.Store(net, 1, 2, {150, 100});
    OptionType options;
    EXPECT_EQ(PopUpInfoText(net, anchors, options, 100, 100), "Name = A|");
    net.view.pointNames = 1;
    EXPECT_EQ(PopUpInfoText(net, anchors, options, 100, 100), "") << "the name is on the canvas already";
    options.options.showNumber = 0;
    options.popUp = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(PopUpInfoText(net, anchors, options, 104, 96),
              "Number = 1\r\n (100,100)\r\nWeight = 1\r\nTokens/Reserve = 1|");
    net.view.flows = 1;
    EXPECT_EQ(PopUpInfoText(net, anchors, options, 152, 103), "Name = e\r\nWeight = 2.5|");
    EXPECT_EQ(PopUpInfoText(net, anchors, options, 150, 130), "");
}

TEST(CanvasZoom, StepsPixelsAndTheZoomThatShowsABox) {
    EXPECT_EQ(ZoomedIn(100), 125);
    EXPECT_EQ(ZoomedIn(110), 125); // from Zoom to Fit's odd values to the next step
    EXPECT_EQ(ZoomedIn(400), 400);
    EXPECT_EQ(ZoomedOut(100), 90);
    EXPECT_EQ(ZoomedOut(25), 25);
    EXPECT_EQ(ClampZoom(1000), 400);
    // Widget pixel 201 at 200% lies in net pixel 100; pixel 50 at 50% in net pixels 100..101.
    EXPECT_EQ(NetCoordinate(201, 200), 100);
    EXPECT_EQ(NetCoordinate(50, 50), 100);
    EXPECT_EQ(NetCoordinate(99.9, 100), 99);
    EXPECT_DOUBLE_EQ(ZoomedCoordinate(101, 50), 50.5);

    NetWorkType net = NewTestNet(false);
    EXPECT_FALSE(DrawnBox(net, ZoomFitMargin).has_value());
    AddTestPoint(net, 100, 50);
    AddTestPoint(net, 1100, 450);
    testing::CustomOptions(net, 2, 15);
    const NetBox box = *DrawnBox(net, 5); // radius 15 + 5 around the extent
    EXPECT_EQ(box.left, 80);
    EXPECT_EQ(box.top, 30);
    EXPECT_EQ(box.right, 1120);
    EXPECT_EQ(box.bottom, 470);
    // 1041 x 441 pixels in 520 x 400: 49.95% wide, so 49%.
    EXPECT_EQ(ZoomToShow(box, 520, 400, MaxZoom), 49);
    EXPECT_EQ(ZoomToShow(box, 100, 100, MaxZoom), MinZoom);
    EXPECT_EQ(ZoomToShow(box, 5000, 5000, ActualZoom), ActualZoom);
    EXPECT_EQ(ZoomToShow(box, 5000, 5000, MaxZoom), 400);
}

} // namespace
} // namespace plax
