#include "render/net_render.h"

#include "model/net_store.h"
#include "view_test_nets.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace plax {

namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::Blue;
using testing::CustomOptions;
using testing::Green;
using testing::NewTestNet;
using testing::Red;

QImage WhiteImage() {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void Paint(QImage& image, const std::function<void(NetCanvas&)>& draw, bool subNet = false,
           bool dragging = false) {
    QPainter painter(&image);
    ResetCanvas(painter);
    NetCanvas canvas{painter, subNet, dragging};
    draw(canvas);
}

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
bool IsWhite(const QImage& image, int x, int y) { return Pixel(image, x, y) == 0xFFFFFF; }
bool IsBlack(const QImage& image, int x, int y) { return Pixel(image, x, y) == 0; }

int CountPixels(const QImage& image, QRect area, QRgb rgb) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += Pixel(image, x, y) == rgb ? 1 : 0;
    }
    return count;
}

bool AllWhite(const QImage& image) {
    return CountPixels(image, image.rect(), 0xFFFFFF) == image.width() * image.height();
}

// One red circle of radius 10 at (50, 50).
NetWorkType RedPoint() {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 50, 50);
    net.points[1].color = Red;
    return net;
}

TEST(RenderPixels, CanvasTextIsAFixedPitchFace) {
    QImage image = WhiteImage();
    QPainter painter(&image);
    ResetCanvas(painter);
    EXPECT_TRUE(QFontInfo(painter.font()).fixedPitch()) << QFontInfo(painter.font()).family().toStdString();
}

TEST(RenderPixels, FillPointOnlyWithoutTheNumber) {
    NetWorkType net = RedPoint();
    net.defaultOptions.showNumber = 0;
    net.defaultOptions.fillPoint = 1;
    QImage filled = WhiteImage();
    Paint(filled, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_EQ(Pixel(filled, 50, 50), 0xFF0000u); // QRgb is 0xRRGGBB
    EXPECT_EQ(Pixel(filled, 43, 50), 0xFF0000u);
    EXPECT_TRUE(IsWhite(filled, 50, 62));

    // With "show number" the fill is ignored: the inside stays white but for the red number.
    net.defaultOptions.showNumber = 1;
    QImage numbered = WhiteImage();
    Paint(numbered, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_TRUE(IsWhite(numbered, 43, 50));
    EXPECT_GT(CountPixels(numbered, QRect(44, 43, 13, 15), 0xFF0000), 3);

    // Without a border only the number is drawn.
    net.defaultOptions.showBorder = 0;
    QImage bare = WhiteImage();
    Paint(bare, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_EQ(CountPixels(bare, QRect(38, 38, 25, 25), 0xFF0000),
              CountPixels(bare, QRect(44, 43, 13, 15), 0xFF0000));
    EXPECT_GT(CountPixels(bare, QRect(44, 43, 13, 15), 0xFF0000), 3);
}

TEST(RenderPixels, ColourRule) {
    NetWorkType net = RedPoint();
    AddTestPoint(net, 150, 50);
    AddTestEdge(net, 1, 2)->color = Blue;
    QImage image = WhiteImage();
    Paint(image, [&](NetCanvas& c) {
        DrawPoint(c, net, 1, OwnColor);
        EXPECT_FALSE(AllWhite(image));
        // Drawing in BackColor erases the point, and its stored colour stays.
        DrawPoint(c, net, 1, BackColor);
        EXPECT_TRUE(AllWhite(image));
        EXPECT_EQ(net.points[1].color, Red);
        // Any other colour is drawn and stored; an undirected edge stores it in both copies.
        DrawPoint(c, net, 1, Green);
        DrawEdge(c, net, 2, 1, Green);
    });
    EXPECT_EQ(net.points[1].color, Green);
    EXPECT_EQ(FindEdge(net, 1, 2)->color, Green);
    EXPECT_EQ(FindEdge(net, 2, 1)->color, Green);
    EXPECT_EQ(Pixel(image, 100, 50), 0x008000u);

    // "Refresh Net": everything is redrawn and stored in the default colour.
    OptionType options;
    options.foreDefaultColor = 0x404040;
    QImage refreshed = WhiteImage();
    Paint(refreshed, [&](NetCanvas& c) { DrawNet(c, net, ForeDefaultColor(options)); });
    EXPECT_EQ(net.points[1].color, 0x404040u);
    EXPECT_EQ(FindEdge(net, 2, 1)->color, 0x404040u);
    EXPECT_EQ(Pixel(refreshed, 100, 50), 0x404040u);
}

TEST(RenderPixels, ErasingAnEdgeKeepsItsAnchor) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 50, 50);
    AddTestPoint(net, 150, 50);
    AddTestEdge(net, 1, 2);
    QImage image = WhiteImage();
    Paint(image, [&](NetCanvas& c) {
        DrawEdge(c, net, 1, 2, OwnColor);
        EXPECT_EQ(c.Anchors().Of(net, 2, 1).x, 100);
        net.points[2].x = 170;
        DrawEdge(c, net, 1, 2, BackColor);
        EXPECT_EQ(c.Anchors().Of(net, 1, 2).x, 100);
        DrawEdge(c, net, 1, 2, OwnColor);
        EXPECT_EQ(c.Anchors().Of(net, 1, 2).x, 110);
    });
}

TEST(RenderPixels, SelectionMarksDrawnTwiceLeaveTheImageUnchanged) {
    NetWorkType net = RedPoint();
    QImage image = WhiteImage();
    Paint(image, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    const QImage before = image.copy();
    Paint(image, [&](NetCanvas& c) { DrawPointMarks(c, net, 1); });
    // The first square (37, 37)-(43, 43): black border on white, silver inside.
    EXPECT_TRUE(IsBlack(image, 37, 39));
    EXPECT_TRUE(IsBlack(image, 42, 42));
    EXPECT_EQ(Pixel(image, 39, 39), 0xC0C0C0u);
    EXPECT_TRUE(IsWhite(image, 43, 39));
    EXPECT_NE(image, before);
    Paint(image, [&](NetCanvas& c) { DrawPointMarks(c, net, 1); });
    EXPECT_EQ(image, before);

    // DrawSelectionMarks toggles only selected points, and only when a selection exists.
    net.points[1].selected = 1;
    Paint(image, [&](NetCanvas& c) { DrawSelectionMarks(c, net); });
    EXPECT_EQ(image, before);
    net.selection.exists = 1;
    Paint(image, [&](NetCanvas& c) { DrawSelectionMarks(c, net); });
    EXPECT_NE(image, before);
}

TEST(RenderPixels, HandleOfADecomposedEdgeIsFilled) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 50, 50);
    AddTestPoint(net, 150, 50);
    AddTestEdge(net, 1, 2);
    net.view.edgeLabels = 1;
    QImage plain = WhiteImage();
    Paint(plain, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    // The handle around the anchor (100, 50): outlined, white inside above the line.
    EXPECT_TRUE(IsBlack(plain, 100, 47));
    EXPECT_TRUE(IsWhite(plain, 100, 48));
    SetSubNet(net, 1, 2, std::make_shared<NetWorkType>());
    QImage decomposed = WhiteImage();
    Paint(decomposed, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_TRUE(IsBlack(decomposed, 100, 48));
    EXPECT_TRUE(IsBlack(decomposed, 99, 52));
}

// Black pixels along the top edge of a square point of radius 10 centred at x, y = 30.
int TopEdgeBlack(const QImage& image, int x) {
    return CountPixels(image, QRect(x - 10, 20, 20, 1), 0x000000);
}

TEST(RenderPixels, EndPointsOfASubNetAreDotted) {
    NetWorkType net = NewTestNet(false);
    for (int x : {30, 80, 130})
        AddTestPoint(net, x, 30, 1);
    QImage sub = WhiteImage();
    Paint(
        sub, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); }, true);
    for (int x : {30, 80}) {
        EXPECT_GT(TopEdgeBlack(sub, x), 3) << x;
        EXPECT_LT(TopEdgeBlack(sub, x), 17) << x;
    }
    EXPECT_EQ(TopEdgeBlack(sub, 130), 20);
    QImage top = WhiteImage();
    Paint(top, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_EQ(TopEdgeBlack(top, 30), 20);
}

TEST(RenderPixels, DoubleBorderOnlyAboveRadiusFour) {
    NetWorkType net = NewTestNet(false);
    net.defaultOptions.doubleBorder = 1;
    net.defaultOptions.showNumber = 0;
    AddTestPoint(net, 30, 30, 1);
    AddTestPoint(net, 80, 30, 1);
    CustomOptions(net, 1, 4);
    CustomOptions(net, 2, 6);
    QImage image = WhiteImage();
    Paint(image, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_TRUE(IsBlack(image, 26, 30)); // outer border of radius 4
    EXPECT_TRUE(IsWhite(image, 28, 30)); // no second outline
    EXPECT_TRUE(IsBlack(image, 74, 30));
    EXPECT_TRUE(IsBlack(image, 76, 30)); // second outline inset by 2
}

TEST(RenderPixels, ArrowheadsOnlyOnDirectedNetsAndNotWhileDragging) {
    // The edge runs from (30, 50) to (110, 50); the wings end at (102, 47) and (102, 53).
    for (const auto& [directed, drag, arrow] :
         {std::tuple{true, false, true}, {false, false, false}, {true, true, false}}) {
        NetWorkType net = NewTestNet(directed);
        AddTestPoint(net, 20, 50);
        AddTestPoint(net, 120, 50);
        AddTestEdge(net, 1, 2);
        QImage image = WhiteImage();
        Paint(
            image, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); }, false, drag);
        EXPECT_TRUE(IsBlack(image, 80, 50));
        EXPECT_EQ(IsBlack(image, 102, 47), arrow) << directed << drag;
        EXPECT_EQ(IsBlack(image, 102, 53), arrow) << directed << drag;
    }
}

TEST(RenderPixels, LabelsAreBlackAndEdgeTextsCoverTheLine) {
    NetWorkType net = RedPoint();
    net.points[1].name = "Mill";
    AddTestPoint(net, 150, 50);
    AddTestEdge(net, 1, 2)->name = "   ";
    QImage image = WhiteImage();
    Paint(image, [&](NetCanvas& c) { DrawNet(c, net, OwnColor); });
    EXPECT_TRUE(IsBlack(image, 100, 50));
    // Names and edge names shown: the point's name above it is black, the blank edge name
    // blanks the line around the anchor (100, 50).
    net.view.pointNames = 1;
    net.view.edgeNames = 1;
    QImage labelled = WhiteImage();
    Paint(labelled, [&](NetCanvas& c) { RedrawNet(c, net, OwnColor); });
    EXPECT_GT(CountPixels(labelled, QRect(30, 20, 40, 20), 0x000000), 10);
    EXPECT_EQ(CountPixels(labelled, QRect(30, 20, 40, 20), 0xFF0000), 0);
    EXPECT_TRUE(IsWhite(labelled, 100, 50));
    EXPECT_TRUE(IsWhite(labelled, 96, 50));
    EXPECT_TRUE(IsBlack(labelled, 80, 50));
}

} // namespace

} // namespace plax
