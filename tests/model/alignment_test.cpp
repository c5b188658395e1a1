#include "model/alignment.h"

#include "model/net_store.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace plax {
namespace {

struct At {
    int x;
    int y;
};

// Points 1.. at the given places, all selected, with the default radius 10 and the
// selection rectangle given as left, top, right, bottom.
NetWorkType Selected(const std::vector<At>& points, SelectionState rectangle = {}) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, UndirNetCode);
    net.defaultOptions = DefaultPointOptions();
    net.n = static_cast<std::uint8_t>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        net.points[i + 1].x = points[i].x;
        net.points[i + 1].y = points[i].y;
        net.points[i + 1].selected = 1;
    }
    net.selection = rectangle;
    net.selection.exists = 1;
    net.selection.count = static_cast<std::int32_t>(points.size());
    return net;
}

std::vector<std::pair<int, int>> Places(const NetWorkType& net) {
    std::vector<std::pair<int, int>> places;
    for (int i = 1; i <= net.n; ++i)
        places.emplace_back(net.points[static_cast<std::size_t>(i)].x,
                            net.points[static_cast<std::size_t>(i)].y);
    return places;
}

bool AnySelected(const NetWorkType& net) {
    for (int i = 1; i <= net.n; ++i)
        if (net.points[static_cast<std::size_t>(i)].selected != 0) return true;
    return false;
}

TEST(Alignment, TheTableHoldsTheSelectedPointsAndSortsEqualCoordinatesByNumber) {
    NetWorkType net = Selected({{5, 9}, {3, 8}, {7, 7}, {5, 6}, {1, 5}});
    net.points[3].selected = 0;
    AlignTable table = FillAlignTable(net);
    ASSERT_EQ(AlignCount(table), 4);
    EXPECT_EQ(table[4].point, 0);
    SortAlignTable(table, AlignAxis::X);
    EXPECT_EQ((std::vector<int>{table[0].point, table[1].point, table[2].point, table[3].point}),
              (std::vector<int>{5, 2, 1, 4}));
    SortAlignTable(table, AlignAxis::Y);
    EXPECT_EQ((std::vector<int>{table[0].point, table[1].point, table[2].point, table[3].point}),
              (std::vector<int>{5, 4, 2, 1}));
}

TEST(Alignment, CanAlignWantsTenPixelsBetweenNeighboursAcrossTheLine) {
    // Points 1 and 3 stand only 5 apart once sorted by y: they would touch in one column.
    EXPECT_FALSE(CanAlign(Selected({{40, 100}, {90, 200}, {10, 105}}), AlignAxis::X));
    EXPECT_TRUE(CanAlign(Selected({{40, 100}, {90, 200}, {10, 110}}), AlignAxis::X));
    EXPECT_TRUE(CanAlign(Selected({{40, 100}, {90, 200}, {10, 105}}), AlignAxis::Y));
    EXPECT_FALSE(CanAlign(Selected({{40, 100}, {49, 200}}), AlignAxis::Y));
}

TEST(Alignment, TheFourAlignmentsMoveEverySelectedPointAndDeselectIt) {
    struct Case {
        void (*align)(NetWorkType&);
        std::vector<std::pair<int, int>> places;
    };
    const Case cases[] = {
        {AlignMinX, {{10, 50}, {10, 80}, {10, 200}, {90, 90}}},
        {AlignMaxX, {{40, 50}, {40, 80}, {40, 200}, {90, 90}}},
        {AlignMinY, {{10, 50}, {40, 50}, {25, 50}, {90, 90}}},
        {AlignMaxY, {{10, 200}, {40, 200}, {25, 200}, {90, 90}}},
    };
    for (const Case& c : cases) {
        NetWorkType net = Selected({{10, 50}, {40, 80}, {25, 200}, {90, 90}});
        net.points[4].selected = 0;
        c.align(net);
        EXPECT_EQ(Places(net), c.places);
        EXPECT_FALSE(AnySelected(net));
    }
}

TEST(Alignment, SpacingKeepsTheOuterPointsAndRefusesTooNarrowASpread) {
    struct Case {
        bool (*space)(NetWorkType&);
        std::vector<At> points;
        bool done;
        std::vector<std::pair<int, int>> places;
    };
    const Case cases[] = {
        // d = 100 > 2 * 10 * 3: the middle point goes to 0 + 100 div 2.
        {SpaceEquallyX, {{0, 5}, {13, 6}, {100, 7}}, true, {{0, 5}, {50, 6}, {100, 7}}},
        {SpaceEquallyX, {{0, 5}, {13, 6}, {50, 7}}, false, {{0, 5}, {13, 6}, {50, 7}}},
        // Sorted 2, 4, 3, 1; step 91 div 3 = 30.
        {SpaceEquallyX, {{91, 0}, {0, 0}, {40, 0}, {10, 0}}, true, {{91, 0}, {0, 0}, {60, 0}, {30, 0}}},
        {SpaceEquallyY, {{5, 200}, {6, 110}, {7, 120}}, true, {{5, 200}, {6, 110}, {7, 155}}},
        {SpaceEquallyY, {{5, 200}, {6, 110}}, false, {{5, 200}, {6, 110}}},
    };
    for (const Case& c : cases) {
        NetWorkType net = Selected(c.points);
        EXPECT_EQ(c.space(net), c.done);
        EXPECT_EQ(Places(net), c.places);
    }
}

TEST(Alignment, TheEllipseRunsRightBottomLeftTopTakingTheNearestPointEachTime) {
    // A band of 200 x 100: centre (200, 150), r = 50, kx = 2, ky = 1.
    const SelectionState band{100, 100, 300, 200, 0, 0};
    NetWorkType together = Selected({{200, 150}, {200, 150}, {200, 150}, {200, 150}}, band);
    ASSERT_TRUE(FitToEllipse(together));
    EXPECT_EQ(Places(together),
              (std::vector<std::pair<int, int>>{{300, 150}, {200, 200}, {100, 150}, {200, 100}}));
    EXPECT_FALSE(AnySelected(together));

    // Three on a circle of r = 30: 120 degrees apart, the last at the top.
    NetWorkType three = Selected({{0, 0}, {0, 0}, {0, 0}}, {0, 0, 60, 60, 0, 0});
    ASSERT_TRUE(FitToEllipse(three));
    EXPECT_EQ(Places(three), (std::vector<std::pair<int, int>>{{56, 45}, {4, 45}, {30, 0}}));
}

TEST(Alignment, TheEllipseRefusesASmallOrEmptyRectangleAndASinglePoint) {
    const std::vector<At> two = {{10, 10}, {20, 20}};
    const SelectionState refused[] = {
        {0, 0, 0, 0, 0, 0},    // after a group drag
        {0, 0, 19, 100, 0, 0}, // narrower than a point
        {0, 0, 100, 19, 0, 0}, // lower than a point
    };
    for (const SelectionState& band : refused) {
        NetWorkType net = Selected(two, band);
        EXPECT_FALSE(FitToEllipse(net));
        EXPECT_EQ(Places(net), (std::vector<std::pair<int, int>>{{10, 10}, {20, 20}}));
    }
    NetWorkType one = Selected({{10, 10}}, {0, 0, 100, 100, 0, 0});
    EXPECT_FALSE(FitToEllipse(one));
    NetWorkType smallest = Selected(two, {0, 0, 20, 20, 0, 0});
    EXPECT_TRUE(FitToEllipse(smallest)); // r = 10 is the radius itself
}

} // namespace
} // namespace plax
