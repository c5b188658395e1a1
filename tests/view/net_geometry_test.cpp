#include "render/edge_anchors.h"
#include "render/net_geometry.h"
#include "view/edit_commands.h"

#include "model/net_store.h"
#include "view_test_nets.h"

#include <gtest/gtest.h>

namespace plax {

namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::CustomOptions;
using testing::NewTestNet;

EndOffsets Drawable(int dxFrom, int dyFrom, int dxTo, int dyTo) { return {true, dxFrom, dyFrom, dxTo, dyTo}; }

// Two points of radius 10 with point 2 at (x2, y2); point 1 sits at (100, 100).
NetWorkType TwoPoints(int x2, int y2, std::uint16_t shape1 = 0, std::uint16_t shape2 = 0,
                      bool directed = false) {
    NetWorkType net = NewTestNet(directed);
    AddTestPoint(net, 100, 100, shape1);
    AddTestPoint(net, x2, y2, shape2);
    return net;
}

TEST(Nearest, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(Nearest(0.5), 0);
    EXPECT_EQ(Nearest(1.5), 2);
    EXPECT_EQ(Nearest(2.5), 2);
    EXPECT_EQ(Nearest(7.5), 8);
    EXPECT_EQ(Nearest(-0.5), 0);
    EXPECT_EQ(Nearest(-1.5), -2);
    EXPECT_EQ(Nearest(3.49), 3);
    EXPECT_EQ(Nearest(3.51), 4);
}

TEST(EdgeEndOffsets, TwoCirclesAtTwentyTwentyOneAndThirtyPixels) {
    // 20 apart: the outlines touch (Dx = 20 <= 10 + 10), so the edge is not drawable.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(120, 100), 1, 2, 0), EndOffsets{});
    // 21 apart: both differences are below 24 and gy = 0, so the line joins the centres.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(121, 100), 1, 2, 0), Drawable(0, 0, 0, 0));
    // 30 apart: from 10 right of the left centre to 10 left of the right centre.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(130, 100), 1, 2, 0), Drawable(10, 0, -10, 0));
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(130, 100), 2, 1, 0), Drawable(-10, 0, 10, 0));
}

TEST(EdgeEndOffsets, NearlyVerticalAndNearlyHorizontalEdges) {
    // Dx < 24: out of the bottom of the upper point, into the top of the lower one.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(110, 160), 1, 2, 0), Drawable(0, 10, 0, -10));
    // A horizontal bar (shape 3) is 1 high; a vertical bar (shape 2) is 1 wide.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(100, 200, 3), 1, 2, 0), Drawable(0, 1, 0, -10));
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 100, 2), 1, 2, 0), Drawable(1, 0, -10, 0));
    // A triangle's sideways offset is half its half base (13 for radius 10), truncated toward 0.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 110, 6), 1, 2, 0), Drawable(6, 0, -10, 0));
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(0, 110, 7), 1, 2, 0), Drawable(-6, 0, 10, 0));
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(0, 110, 0, 7), 1, 2, 0), Drawable(-10, 0, 6, 0));
}

TEST(EdgeEndOffsets, TouchingUsesTheBarsHalfExtents) {
    // A vertical bar reaches 1 to either side, a circle 10: touching up to 11 apart.
    EXPECT_FALSE(EdgeEndOffsets(TwoPoints(111, 100, 2), 1, 2, 0).drawable);
    EXPECT_TRUE(EdgeEndOffsets(TwoPoints(112, 100, 2), 1, 2, 0).drawable);
    // Side by side but 25 apart vertically: not touching, although Dx <= 20.
    EXPECT_TRUE(EdgeEndOffsets(TwoPoints(105, 125), 1, 2, 0).drawable);
    EXPECT_FALSE(EdgeEndOffsets(TwoPoints(105, 120), 1, 2, 0).drawable);
}

TEST(EdgeEndOffsets, DiagonalLinesStopAtTheCornerInsets) {
    // Circle radius 10: inset 3, so 7 along each axis toward the other point.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 200), 1, 2, 0), Drawable(7, 7, -7, -7));
    // Square: no inset. Diamond radius 10: inset 5.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 0, 1, 4), 1, 2, 0), Drawable(10, -10, -5, 5));
    // Circle insets by radius: 6 -> 1, 7 -> 3, 11 -> 4, 0 -> 0.
    for (const auto& [r, expected] : {std::pair{6, 5}, {7, 4}, {11, 7}, {0, 0}}) {
        NetWorkType net = TwoPoints(200, 200);
        CustomOptions(net, 1, r);
        EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 0), Drawable(expected, expected, -7, -7)) << "radius " << r;
    }
}

TEST(EdgeEndOffsets, DiagonalLinesAtTriangles) {
    // Radius 9: half base t = 12. Triangle Up above, circle below right: leaves a base corner.
    NetWorkType net = TwoPoints(200, 200, 6, 0);
    CustomOptions(net, 1, 9);
    EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 0), Drawable(12, 9, -7, -7));
    // Triangle Up entered from above: near its apex, (t div 4 + 1, v div 2).
    net = TwoPoints(200, 200, 0, 6);
    CustomOptions(net, 2, 9);
    EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 0), Drawable(7, 7, -4, -4));
    // Triangle Down below, circle above left: leaves a top corner.
    net = TwoPoints(0, 0, 7, 0);
    CustomOptions(net, 1, 9);
    EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 0), Drawable(-12, -9, 7, 7));
    // Triangle Down leaving downward: near its apex.
    net = TwoPoints(200, 200, 7, 0);
    CustomOptions(net, 1, 9);
    EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 0), Drawable(4, 4, -7, -7));
}

TEST(EdgeEndOffsets, ConnectorsLeaveSidewaysOrThroughTopAndBottom) {
    // Triangle 1, A above B: A sideways, B from its top; below: A through its top, B sideways.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 200), 1, 2, 3), Drawable(10, 0, 0, -10));
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 200), 2, 1, 3), Drawable(0, -10, 10, 0));
    // Triangle 2, A above B: A through its bottom, B sideways; below: A sideways, B from its bottom.
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 200), 1, 2, 4), Drawable(0, 10, -10, 0));
    EXPECT_EQ(EdgeEndOffsets(TwoPoints(200, 200), 2, 1, 4), Drawable(-10, 0, 0, 10));
    // A triangle is left sideways at half its half base: radius 9 gives t = 12, 6.
    NetWorkType net = TwoPoints(200, 200, 6, 7);
    CustomOptions(net, 1, 9);
    CustomOptions(net, 2, 9);
    EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 3), Drawable(6, 0, 0, -9));
    EXPECT_EQ(EdgeEndOffsets(net, 1, 2, 4), Drawable(0, 9, -6, 0));
}

std::vector<PixelPoint> PathPoints(const EdgePath& path) {
    return {path.points.begin(), path.points.begin() + path.pointCount};
}

TEST(EdgePathOf, ConnectorsCutTheirCornerByFourPixels) {
    NetWorkType net = TwoPoints(200, 200, 0, 0, true);
    AddTestEdge(net, 1, 2, 1.0, 3);
    AddTestEdge(net, 2, 1, 1.0, 4);
    // Triangle 1 from above: along the top, bevel, down into the top of point 2.
    auto path = EdgePathOf(net, 1, 2);
    ASSERT_TRUE(path);
    EXPECT_EQ(PathPoints(*path), (std::vector<PixelPoint>{{110, 100}, {196, 100}, {200, 104}, {200, 190}}));
    EXPECT_EQ(path->anchor, (PixelPoint{196, 100}));
    EXPECT_EQ(path->arrowFrom, (PixelPoint{200, 96}));
    EXPECT_EQ(path->arrowTo, (PixelPoint{200, 190}));
    // Triangle 2 from below: along the bottom, bevel, up into the bottom of point 1.
    path = EdgePathOf(net, 2, 1);
    ASSERT_TRUE(path);
    EXPECT_EQ(PathPoints(*path), (std::vector<PixelPoint>{{190, 200}, {104, 200}, {100, 196}, {100, 110}}));
    EXPECT_EQ(path->anchor, (PixelPoint{104, 200}));
    EXPECT_EQ(path->arrowFrom, (PixelPoint{100, 204}));

    // The other two turns: Triangle 1 from below, Triangle 2 from above.
    FindEdge(net, 1, 2)->shape = 4;
    FindEdge(net, 2, 1)->shape = 3;
    path = EdgePathOf(net, 1, 2);
    EXPECT_EQ(PathPoints(*path), (std::vector<PixelPoint>{{100, 110}, {100, 196}, {104, 200}, {190, 200}}));
    EXPECT_EQ(path->anchor, (PixelPoint{104, 200}));
    EXPECT_EQ(path->arrowFrom, (PixelPoint{104, 200}));
    path = EdgePathOf(net, 2, 1);
    EXPECT_EQ(PathPoints(*path), (std::vector<PixelPoint>{{200, 190}, {200, 104}, {196, 100}, {110, 100}}));
    EXPECT_EQ(path->anchor, (PixelPoint{196, 100}));
    EXPECT_EQ(path->arrowFrom, (PixelPoint{196, 100}));
}

TEST(EdgePathOf, ConnectorWithin24PixelsIsStraightAndAnchoredHalfEven) {
    // Dy = 15: a straight line from (110, 100) to (190, 115); 7.5 rounds to 8.
    NetWorkType net = TwoPoints(200, 115, 0, 0, true);
    AddTestEdge(net, 1, 2, 1.0, 3);
    auto path = EdgePathOf(net, 1, 2);
    ASSERT_TRUE(path);
    EXPECT_EQ(PathPoints(*path), (std::vector<PixelPoint>{{110, 100}, {190, 115}}));
    EXPECT_EQ(path->anchor, (PixelPoint{150, 108}));
    EXPECT_EQ(path->arrowFrom, (PixelPoint{110, 100}));
    // Dy = 13: 6.5 rounds to 6.
    net.points[2].y = 113;
    EXPECT_EQ(EdgePathOf(net, 1, 2)->anchor, (PixelPoint{150, 106}));
}

TEST(EdgePathOf, UndirectedEdgesRunFromTheSmallerNumber) {
    NetWorkType net = NewTestNet(false);
    for (int i = 1; i <= 5; ++i)
        AddTestPoint(net, 100 * i, 100);
    AddTestEdge(net, 5, 2);
    const auto path = EdgePathOf(net, 5, 2);
    ASSERT_TRUE(path);
    EXPECT_EQ(path->from, 2);
    EXPECT_EQ(path->to, 5);
    EXPECT_EQ(path->points[0], (PixelPoint{210, 100}));
    EXPECT_FALSE(EdgePathOf(net, 2, 3));  // no such edge
    EXPECT_FALSE(EdgePathOf(net, 2, 2));  // no loops
    EXPECT_FALSE(EdgePathOf(net, 2, 16)); // beyond the limit
}

TEST(ComputeEdgeAnchors, MakesEdgesHittableWithoutPainting) {
    NetWorkType net = TwoPoints(130, 100);
    AddTestEdge(net, 1, 2);
    EdgeAnchors anchors;
    ComputeEdgeAnchors(net, anchors);
    EXPECT_EQ(anchors.Of(net, 2, 1), (PixelPoint{115, 100})); // both copies
    EXPECT_EQ(EdgeAnchorAt(net, anchors, 115, 100), (std::pair{1, 2}));
    // Touching points keep the old anchor.
    net.points[2].x = 110;
    ComputeEdgeAnchors(net, anchors);
    EXPECT_EQ(anchors.Of(net, 1, 2), (PixelPoint{115, 100}));
    // An edge made again after it was gone starts from its first anchor; one that cannot be
    // drawn has it at (0, 0).
    RemoveEdge(net, 1, 2);
    anchors.Prune(net);
    AddTestEdge(net, 1, 2);
    EXPECT_EQ(anchors.Of(net, 1, 2), (PixelPoint{0, 0}));
    net.points[2].x = 130;
    EXPECT_EQ(anchors.Of(net, 1, 2), (PixelPoint{115, 100}));
}

TEST(EdgeAnchorAt, ScansSourcesInOrder) {
    NetWorkType net = NewTestNet(false);
    for (int i = 0; i < 3; ++i)
        AddTestPoint(net, 20 + 100 * i, 300);
    AddTestEdge(net, 1, 2);
    AddTestEdge(net, 2, 3);
    EdgeAnchors anchors;
    anchors.Store(net, 1, 2, {50, 50});
    anchors.Store(net, 2, 3, {53, 50});
    EXPECT_EQ(EdgeAnchorAt(net, anchors, 52, 52), (std::pair{1, 2}));
    EXPECT_EQ(EdgeAnchorAt(net, anchors, 57, 50), (std::pair{2, 3}));
    EXPECT_EQ(EdgeAnchorAt(net, anchors, 58, 50), (std::pair{0, 0}));
    net.n = 1;
    EXPECT_EQ(EdgeAnchorAt(net, anchors, 50, 50), (std::pair{0, 0}));
}

TEST(ArrowWingPoints, HorizontalAndVerticalArrows) {
    EXPECT_EQ(ArrowWingPoints(0, 100, 50, 100), (ArrowWings{{42, 97}, {42, 103}})); // pointing right
    EXPECT_EQ(ArrowWingPoints(50, 100, 0, 100), (ArrowWings{{8, 103}, {8, 97}}));   // pointing left
    EXPECT_EQ(ArrowWingPoints(100, 0, 100, 50), (ArrowWings{{97, 42}, {103, 42}})); // pointing down
}

TEST(ArrowWingPoints, DiagonalArrowsWorkedByHand) {
    // adx 30, ady 20: t = nearest(5.33) = 5, k = 2; W2 is 10 across, so it is pulled in by one.
    EXPECT_EQ(ArrowWingPoints(0, 0, 30, 20), (ArrowWings{{24, 12}, {21, 17}}));
    // adx 16, ady 5: t = nearest(2.5) = 2 (half to even), k = 1.
    EXPECT_EQ(ArrowWingPoints(0, 0, 16, 5), (ArrowWings{{9, 0}, {8, 7}}));
    // 45 degrees: q = 1, t = 8, k = 4; W1 is 11 across and pulled in.
    EXPECT_EQ(ArrowWingPoints(0, 0, 20, 20), (ArrowWings{{10, 15}, {15, 8}}));
    // Steep, up and to the left: q = 0.25, t = 2, k = 1.
    EXPECT_EQ(ArrowWingPoints(0, 0, -10, 40), (ArrowWings{{-5, 33}, {-11, 31}}));
}

TEST(PointLabelPosition, EightPositionsAroundThePoint) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100);
    // Text 31 x 13: halves round down to 15 and 6.
    const PixelPoint expected[] = {{85, 77},  {57, 82},   {55, 94},  {57, 106},
                                   {85, 110}, {112, 106}, {114, 94}, {112, 82}};
    for (std::uint32_t code = 0; code < 8; ++code) {
        net.points[1].labelPosition = code;
        EXPECT_EQ(PointLabelPosition(net, 1, 31, 13), expected[code]) << "position " << code;
    }
}

TEST(PointNumberPosition, CentredExceptInTriangles) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100, 0);
    AddTestPoint(net, 100, 100, 6);
    AddTestPoint(net, 100, 100, 7);
    EXPECT_EQ(PointNumberPosition(net, 1, 7, 13), (PixelPoint{97, 94}));
    EXPECT_EQ(PointNumberPosition(net, 2, 7, 13), (PixelPoint{97, 97})); // in the wide lower part
    EXPECT_EQ(PointNumberPosition(net, 3, 7, 13), (PixelPoint{97, 90}));
}

TEST(PointOutlineOf, ShapeTableAndDoubleBorders) {
    NetWorkType net = NewTestNet(false);
    for (std::uint16_t shape = 0; shape <= 8; ++shape)
        AddTestPoint(net, 100, 100, shape);
    const PixelBox square = {90, 90, 110, 110};
    const PixelBox inset = {92, 92, 108, 108};
    EXPECT_EQ(PointOutlineOf(net, 1).kind, OutlineKind::Ellipse);
    EXPECT_EQ(PointOutlineOf(net, 1).box, square);
    EXPECT_EQ(PointOutlineOf(net, 1, true).box, inset);
    EXPECT_EQ(PointOutlineOf(net, 2).kind, OutlineKind::Rectangle);
    EXPECT_EQ(PointOutlineOf(net, 3).box, (PixelBox{99, 90, 101, 110}));
    EXPECT_EQ(PointOutlineOf(net, 4).box, (PixelBox{90, 99, 110, 101}));
    EXPECT_EQ(PointOutlineOf(net, 3, true).kind, OutlineKind::None);
    EXPECT_EQ(PointOutlineOf(net, 4, true).kind, OutlineKind::None);
    const PointOutline diamond = PointOutlineOf(net, 5, true);
    EXPECT_EQ(diamond.polyCount, 4);
    EXPECT_EQ(diamond.poly[1], (PixelPoint{100, 92}));
    EXPECT_EQ(PointOutlineOf(net, 6).corner, 8);
    EXPECT_EQ(PointOutlineOf(net, 6, true).box, inset);
    // Triangles: h = 10 + 10 div 3 = 13.
    const PointOutline up = PointOutlineOf(net, 7);
    EXPECT_EQ(up.polyCount, 3);
    EXPECT_EQ(up.poly[1], (PixelPoint{87, 110}));
    EXPECT_EQ(PointOutlineOf(net, 7, true).poly[2], (PixelPoint{110, 108}));
    EXPECT_EQ(PointOutlineOf(net, 8).poly[1], (PixelPoint{113, 90}));
    EXPECT_EQ(PointOutlineOf(net, 8, true).poly[0], (PixelPoint{100, 107}));
    EXPECT_EQ(PointOutlineOf(net, 9).kind, OutlineKind::None); // shape 8 draws nothing
    EXPECT_EQ(CornerEllipse(5), 4);
    EXPECT_EQ(CornerEllipse(6), 6);
    EXPECT_EQ(CornerEllipse(8), 6);
    EXPECT_EQ(CornerEllipse(9), 8);
}

TEST(SelectionMarkBoxes, SixPixelSquaresOutsideTheCorners) {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 100, 100, 0); // half size 10 - 3 = 7
    AddTestPoint(net, 100, 100, 2); // 3 wide, 10 high
    AddTestPoint(net, 100, 100, 5); // 8
    AddTestPoint(net, 100, 100, 5);
    CustomOptions(net, 4, 2); // 0, raised to 1
    const std::array<PixelBox, 4> circle = {PixelBox{87, 87, 93, 93}, PixelBox{107, 107, 113, 113},
                                            PixelBox{107, 87, 113, 93}, PixelBox{87, 107, 93, 113}};
    EXPECT_EQ(SelectionMarkBoxes(net, 1), circle);
    EXPECT_EQ(SelectionMarkBoxes(net, 2)[0], (PixelBox{91, 84, 97, 90}));
    EXPECT_EQ(SelectionMarkBoxes(net, 3)[1], (PixelBox{108, 108, 114, 114}));
    EXPECT_EQ(SelectionMarkBoxes(net, 4)[0], (PixelBox{93, 93, 99, 99}));
}

} // namespace

} // namespace plax
