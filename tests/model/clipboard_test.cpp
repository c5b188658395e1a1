#include "model/clipboard.h"

#include "model/net_store.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace plax {
namespace {

using Edges = std::vector<std::pair<int, int>>;

// Points 1..n at x = 100 * i, so a copied point shows which one it was.
NetWorkType NumberedNet(std::uint16_t kind, int n, const Edges& edges) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    net.name = "road";
    net.n = static_cast<std::uint8_t>(n);
    for (int i = 1; i <= n; ++i) {
        net.points[static_cast<std::size_t>(i)].x = 100 * i;
        net.points[static_cast<std::size_t>(i)].y = 10;
    }
    for (const auto& [from, to] : edges) {
        EdgeType e;
        e.weight = 1.0;
        InsertEdge(net, from, to, e);
    }
    return net;
}

void Select(NetWorkType& net, const std::vector<int>& points) {
    for (int p : points)
        net.points[static_cast<std::size_t>(p)].selected = 1;
    net.selection.exists = points.empty() ? 0 : 1;
    net.selection.count = static_cast<std::int32_t>(points.size());
}

// Which original point each clipboard point is, by its x.
std::vector<int> Originals(const NetWorkType& clipboard) {
    std::vector<int> originals;
    for (int i = 1; i <= clipboard.n; ++i)
        originals.push_back(clipboard.points[static_cast<std::size_t>(i)].x / 100);
    return originals;
}

// Every stored entry (from, to), list by list from the head.
Edges Entries(const NetWorkType& net) {
    Edges entries;
    for (int i = 1; i <= net.n; ++i)
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            entries.emplace_back(i, e.target);
    return entries;
}

TEST(Clipboard, CopyKeepsTheSelectedPointsNumberedAsDeletionLeavesThem) {
    // 1-2, 2-3, 2-4, 3-4, 4-5, 1-5: most selections below cut some of these.
    const Edges roadEdges = {{1, 2}, {2, 3}, {2, 4}, {3, 4}, {4, 5}, {1, 5}};
    struct Row {
        std::vector<int> selected;
        std::vector<int> originals; // clipboard point k was point originals[k - 1]
        Edges entries;              // in clipboard numbers
    };
    const Row rows[] = {
        // Deleting 5, then 3 (4 takes its place), then 1 (4 again) leaves 4, 2.
        {{2, 4}, {4, 2}, {{1, 2}, {2, 1}}},
        {{1, 2, 3}, {1, 2, 3}, {{1, 2}, {2, 3}, {2, 1}, {3, 2}}},
        {{5}, {5}, {}},
        // 4 goes (5 takes its place), then 2 goes (5 again): 1, 5, 3.
        {{1, 3, 5}, {1, 5, 3}, {{1, 2}, {2, 1}}},
    };
    for (const Row& row : rows) {
        NetWorkType net = NumberedNet(UndirNetCode, 5, roadEdges);
        Select(net, row.selected);
        NetWorkType clipboard;
        NetInit(clipboard);
        CopyToClipboard(net, clipboard);
        EXPECT_EQ(Originals(clipboard), row.originals) << row.selected.size();
        EXPECT_EQ(Entries(clipboard), row.entries) << row.selected.size();
        for (const auto& [from, to] : Entries(clipboard))
            EXPECT_LE(to, clipboard.n) << "no edge to a point that was left out";
        EXPECT_EQ(clipboard.selection.exists, 0);
        for (const PointType& p : clipboard.points)
            EXPECT_EQ(p.selected, 0);
        EXPECT_EQ(net.n, 5) << "the document's net stays";
        EXPECT_EQ(net.points[static_cast<std::size_t>(row.selected[0])].selected, 1);
    }
}

TEST(Clipboard, CopyWithoutSelectionTakesTheWholeNetAsItsOwnCopy) {
    NetWorkType net = NumberedNet(DirNetCode, 3, {{1, 2}, {3, 1}, {1, 3}});
    net.changed = 1;
    auto sub = std::make_shared<NetWorkType>();
    NetInit(*sub);
    SetSubNet(net, 1, 2, sub);
    NetWorkType clipboard;
    NetInit(clipboard);
    clipboard.view.pointNames = 1;
    CopyToClipboard(net, clipboard);
    EXPECT_EQ(clipboard.name, "road");
    EXPECT_EQ(clipboard.kindName, "dirNet");
    EXPECT_EQ(clipboard.kindCode, DirNetCode);
    EXPECT_EQ(clipboard.changed, 1);
    EXPECT_EQ(Originals(clipboard), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Entries(clipboard), (Edges{{1, 3}, {1, 2}, {3, 1}})) << "list order kept";
    ASSERT_TRUE(GetSubNet(clipboard, 1, 2));
    EXPECT_NE(GetSubNet(clipboard, 1, 2), sub) << "sub-nets are copied, not shared";
    EXPECT_EQ(clipboard.view.pointNames, 1) << "the clipboard's view flags are not the net's business";
}

TEST(Clipboard, PasteIsOfferedForPointsOfTheSameKind) {
    struct Row {
        std::uint16_t netKind;
        std::uint16_t clipboardKind;
        int clipboardPoints;
        bool offered;
    };
    const Row rows[] = {
        {UndirNetCode, UndirNetCode, 2, true},  {DirNetCode, DirNetCode, 1, true},
        {UndirNetCode, DirNetCode, 2, false},   {DirNetCode, UndirNetCode, 2, false},
        {UndirNetCode, UndirNetCode, 0, false},
    };
    for (const Row& row : rows) {
        const NetWorkType net = NumberedNet(row.netKind, 3, {});
        const NetWorkType clipboard = NumberedNet(row.clipboardKind, row.clipboardPoints, {});
        EXPECT_EQ(CanPaste(net, clipboard), row.offered) << row.netKind << " " << row.clipboardKind;
    }
}

TEST(Clipboard, PasteAppendsRenumberedPointsWithTheirCornerOnTheClick) {
    // The leftmost point is 2 (x 20, ahead of 3), the topmost 3 (y 50): the corner is (20, 50).
    NetWorkType clipboard = NumberedNet(UndirNetCode, 3, {{1, 2}, {2, 3}});
    clipboard.points[1].x = 40;
    clipboard.points[1].y = 60;
    clipboard.points[2].x = 20;
    clipboard.points[2].y = 90;
    clipboard.points[3].x = 20;
    clipboard.points[3].y = 50;
    auto sub = std::make_shared<NetWorkType>();
    NetInit(*sub);
    SetSubNet(clipboard, 2, 3, sub);

    EXPECT_FALSE(PasteFits(NumberedNet(UndirNetCode, 13, {}), clipboard));
    NetWorkType net = NumberedNet(UndirNetCode, 12, {{1, 12}});
    ASSERT_TRUE(PasteFits(net, clipboard));
    MergeClipboard(net, clipboard, 300, 400);

    ASSERT_EQ(net.n, 15);
    const std::pair<int, int> at[] = {{320, 410}, {300, 440}, {300, 400}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(net.points[static_cast<std::size_t>(13 + k)].x, at[k].first) << 13 + k;
        EXPECT_EQ(net.points[static_cast<std::size_t>(13 + k)].y, at[k].second) << 13 + k;
    }
    EXPECT_EQ(Entries(net), (Edges{{1, 12}, {12, 1}, {13, 14}, {14, 15}, {14, 13}, {15, 14}}));
    ASSERT_TRUE(GetSubNet(net, 14, 15));
    EXPECT_NE(GetSubNet(net, 14, 15), sub) << "a deep copy of the clipboard";
    EXPECT_EQ(GetSubNet(net, 14, 15), GetSubNet(net, 15, 14)) << "both entries keep one sub-net";
    EXPECT_EQ(clipboard.n, 3) << "the clipboard stays for the next paste";
}

} // namespace
} // namespace plax
