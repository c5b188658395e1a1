#include "render/net_labels.h"

#include "model/net_store.h"
#include "render/net_geometry.h"
#include "view_test_nets.h"

#include <gtest/gtest.h>

#include <memory>

namespace plax {

namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::NewTestNet;

// Every character 7 wide, every line 13 high.
TextSize FixedMeasure(const std::string& text) { return {7 * static_cast<int>(text.size()), 13}; }

TEST(FormatNumber, TwoDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(FormatNumber(0.5), "0.5");
    EXPECT_EQ(FormatNumber(1), "1");
    EXPECT_EQ(FormatNumber(0), "0");
    EXPECT_EQ(FormatNumber(2.50), "2.5");
    EXPECT_EQ(FormatNumber(120), "120");
    EXPECT_EQ(FormatNumber(3.00), "3");
    EXPECT_EQ(FormatNumber(1.25), "1.25");
    EXPECT_EQ(FormatNumber(0.004), "0");
    EXPECT_EQ(FormatNumber(12345.678), "12345.68");
}

TEST(PointLabelText, NamesAndTokensByTheViewFlags) {
    NetWorkType net = NewTestNet(true);
    AddTestPoint(net, 100, 100, 0, "Buffer");
    AddTestPoint(net, 200, 100, 2, "Take");
    net.points[1].tokens = 3;
    EXPECT_FALSE(HasPointLabel(net, 1));
    net.view.tokens = 1;
    EXPECT_EQ(PointLabelText(net, 1), "3");
    EXPECT_FALSE(HasPointLabel(net, 2)); // a transition never shows tokens
    net.view.pointNames = 1;
    EXPECT_EQ(PointLabelText(net, 1), "Buffer/3");
    EXPECT_EQ(PointLabelText(net, 2), "Take");
    net.view.tokens = 0;
    EXPECT_EQ(PointLabelText(net, 1), "Buffer");
}

TEST(EdgeLabelText, NameWeightAndFlowJoinedBySlashes) {
    NetWorkType net = NewTestNet(true);
    AddTestPoint(net, 100, 100);
    AddTestPoint(net, 200, 200);
    EdgeType* e = AddTestEdge(net, 1, 2, 2.0);
    e->name = "a";
    e->flow = 1.25;
    net.view.edgeNames = 1;
    net.view.edgeMarks = 1;
    net.view.flows = 1;
    EXPECT_EQ(EdgeLabelText(net, 1, 2), "a/2/1.25");
    net.view.edgeNames = 0;
    EXPECT_EQ(EdgeLabelText(net, 1, 2), "2/1.25");
    net.view.flows = 0;
    EXPECT_EQ(EdgeLabelText(net, 1, 2), "2");
}

// Points 1 (100, 100) and 2 (200, 200) with edges both ways, weights 2.5 and 10.
NetWorkType OppositeEdges(std::uint32_t shape12, std::uint32_t shape21) {
    NetWorkType net = NewTestNet(true);
    AddTestPoint(net, 100, 100);
    AddTestPoint(net, 200, 200);
    AddTestEdge(net, 1, 2, 2.5, shape12);
    AddTestEdge(net, 2, 1, 10, shape21);
    net.view.edgeMarks = 1;
    return net;
}

EdgeAnchors AnchorsOf(const NetWorkType& net) {
    EdgeAnchors anchors;
    ComputeEdgeAnchors(net, anchors);
    return anchors;
}

TEST(EdgeLabelLayout, OppositeLinesArePairedAroundTheAnchorOfTwoToOne) {
    NetWorkType net = OppositeEdges(0, 0);
    EdgeAnchors anchors = AnchorsOf(net);
    ASSERT_TRUE(EdgeLabelsPaired(net, anchors, 1, 2));
    // Both lines run from (107, 107) to (193, 193): the anchor is (150, 150).
    EXPECT_TRUE(EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure).texts.empty());
    const EdgeLabelPlan plan = EdgeLabelLayout(net, anchors, 2, 1, true, FixedMeasure);
    ASSERT_EQ(plan.texts.size(), 2u);
    EXPECT_EQ(plan.texts[0], (PlacedText{"10", {143, 137}}));  // 2 -> 1 just above
    EXPECT_EQ(plan.texts[1], (PlacedText{"2.5", {140, 150}})); // 1 -> 2 just below
    EXPECT_FALSE(plan.handle);
    // Erasing from the smaller number clears both texts, placed from its own anchor.
    const EdgeLabelPlan erase = EdgeLabelLayout(net, anchors, 1, 2, false, FixedMeasure);
    ASSERT_EQ(erase.texts.size(), 2u);
    EXPECT_EQ(erase.texts[0], (PlacedText{"2.5", {140, 137}}));
}

TEST(EdgeLabelLayout, TriangleOneAndTwoArePairedThoughTheirAnchorsAreApart) {
    NetWorkType net = OppositeEdges(3, 4);
    EdgeAnchors anchors = AnchorsOf(net);
    // Anchors (196, 100) and (104, 200): 92 apart both ways, paired by their shapes.
    ASSERT_TRUE(EdgeLabelsPaired(net, anchors, 2, 1));
    EXPECT_TRUE(EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure).texts.empty());
    const EdgeLabelPlan plan = EdgeLabelLayout(net, anchors, 2, 1, true, FixedMeasure);
    ASSERT_EQ(plan.texts.size(), 2u);
    EXPECT_EQ(plan.texts[0], (PlacedText{"10", {97, 187}}));
    EXPECT_EQ(plan.texts[1], (PlacedText{"2.5", {94, 200}}));
    const NetWorkType flipped = OppositeEdges(4, 3);
    EXPECT_TRUE(EdgeLabelsPaired(flipped, AnchorsOf(flipped), 1, 2));
}

TEST(EdgeLabelLayout, UnpairedLabelsAreCentredOnTheirAnchor) {
    // A line and a connector whose anchors (150, 150) and (196, 100) are 46 and 50 apart.
    NetWorkType net = OppositeEdges(0, 3);
    EdgeAnchors anchors = AnchorsOf(net);
    ASSERT_FALSE(EdgeLabelsPaired(net, anchors, 1, 2));
    EdgeLabelPlan plan = EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure);
    ASSERT_EQ(plan.texts.size(), 1u);
    EXPECT_EQ(plan.texts[0], (PlacedText{"2.5", {140, 144}}));
    // Anchors less than 24 apart in one direction pair any shapes.
    anchors.Store(net, 2, 1, {anchors.Of(net, 2, 1).x, 160});
    EXPECT_TRUE(EdgeLabelsPaired(net, anchors, 1, 2));
    // An undirected edge is labelled once, from its smaller number.
    NetWorkType road = NewTestNet(false);
    AddTestPoint(road, 100, 100);
    AddTestPoint(road, 200, 200);
    AddTestEdge(road, 1, 2, 7);
    road.view.edgeMarks = 1;
    const EdgeAnchors roadAnchors = AnchorsOf(road);
    EXPECT_TRUE(EdgeLabelLayout(road, roadAnchors, 2, 1, true, FixedMeasure).texts.empty());
    plan = EdgeLabelLayout(road, roadAnchors, 1, 2, true, FixedMeasure);
    ASSERT_EQ(plan.texts.size(), 1u);
    EXPECT_EQ(plan.texts[0], (PlacedText{"7", {147, 144}}));
}

TEST(EdgeLabelLayout, HandleWhenOnlyEdgeLabelsAreShown) {
    NetWorkType net = OppositeEdges(0, 3);
    EdgeAnchors anchors = AnchorsOf(net);
    net.view.edgeMarks = 0;
    EXPECT_FALSE(EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure).handle);
    net.view.edgeLabels = 1;
    EdgeLabelPlan plan = EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure);
    EXPECT_TRUE(plan.handle);
    EXPECT_FALSE(plan.handleFilled);
    EXPECT_EQ(plan.handleBox, (PixelBox{147, 147, 153, 153}));
    SetSubNet(net, 1, 2, std::make_shared<NetWorkType>());
    EXPECT_TRUE(EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure).handleFilled);
    // Texts win over the handle.
    net.view.edgeNames = 1;
    EXPECT_FALSE(EdgeLabelLayout(net, anchors, 1, 2, true, FixedMeasure).handle);
}

} // namespace

} // namespace plax
