#include "test_host.h"
#include "view_test_nets.h"

#include "view/document_window.h"
#include "view/net_canvas_widget.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace plax {
namespace {

using C = CommandCode;
using Places = std::vector<std::pair<int, int>>;

class DocumentAlignTest : public ::testing::Test {
protected:
    DocumentAlignTest() { doc->show(); }

    NetWorkType& Net() { return doc->Net(); }
    QAction* Item(const std::string& name) const {
        return doc->findChild<QAction*>(QString::fromStdString(name));
    }
    int Beeps() const { return static_cast<int>(host.dialogs.Texts("beep").size()); }

    // A new net with points 1.. at the given places, those inside the band selected by a drag.
    void Build(const Places& at, QRect band) {
        doc->NewDocument();
        host.dialogs.calls.clear();
        for (const auto& [x, y] : at)
            testing::AddTestPoint(Net(), x, y);
        doc->DefEnableItem();
        Drag(band.topLeft(), band.bottomRight() + QPoint(1, 1));
    }
    void Drag(QPoint from, QPoint to) {
        auto* canvas = doc->findChild<NetCanvasWidget*>();
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, to);
    }
    Places Now() {
        Places places;
        for (int i = 1; i <= Net().n; ++i)
            places.emplace_back(Net().points[static_cast<std::size_t>(i)].x,
                                Net().points[static_cast<std::size_t>(i)].y);
        return places;
    }

    testing::TestHost host;
    std::unique_ptr<TMDIChild> doc = std::make_unique<TMDIChild>(host);
};

TEST_F(DocumentAlignTest, EachCodeWantsItsSelectionAndARefusalBeepsAndDropsIt) {
    const QRect all(5, 5, 290, 240); // within the visible canvas
    const Places column = {{40, 100}, {90, 200}, {10, 105}};
    struct Case {
        const char* what;
        CommandCode code;
        Places points;
        QRect band;
        int beeps;
        bool done; // the command was not ignored for its selection
        Places after;
    };
    const Case cases[] = {
        {"100 and 105 too close", C::AlignLeft, column, all, 1, true, column},
        {"one point is ignored", C::AlignLeft, column, {0, 0, 60, 103}, 0, false, column},
        {"two points do not space",
         C::SpaceHorizontally,
         {{40, 100}, {90, 200}},
         all,
         0,
         false,
         {{40, 100}, {90, 200}}},
        {"too narrow",
         C::SpaceHorizontally,
         {{100, 100}, {113, 130}, {150, 160}},
         all,
         1,
         true,
         {{100, 100}, {113, 130}, {150, 160}}},
        // A band of 200 x 100 pixels: right, bottom, left, top, each to the nearest point.
        {"ellipse",
         C::FitEllipse,
         {{190, 110}, {290, 140}, {120, 160}, {210, 190}},
         {100, 100, 200, 100},
         0,
         true,
         {{200, 100}, {300, 150}, {100, 150}, {200, 200}}},
        {"rectangle does nothing", C::FillRectangle, column, all, 0, false, column},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Build(c.points, c.band);
        const bool selected = Net().selection.exists != 0;
        doc->DoCommand(c.code);
        EXPECT_EQ(Now(), c.after);
        EXPECT_EQ(Beeps(), c.beeps);
        // Only moved points make a step and mark the net changed.
        EXPECT_EQ(doc->History().count(), c.after != c.points ? 1 : 0);
        if (doc->History().count() == 1) {
            EXPECT_EQ(doc->History().undoText().toStdString(),
                      c.code == C::FitEllipse ? "Fit to Ellipse" : "Space equally, horizontally");
        }
        // Only an ignored command leaves the selection.
        EXPECT_EQ(Net().selection.exists != 0, selected && !c.done);
        EXPECT_EQ(Net().changed, c.after != c.points ? 1 : 0);
    }
}

TEST_F(DocumentAlignTest, TheEllipseWantsABandAfterAGroupDragAndUndoesItsMoves) {
    const Places points = {{150, 150}, {160, 140}, {170, 160}};
    Build(points, {100, 100, 100, 100});
    doc->DoCommand(C::FitEllipse);
    EXPECT_EQ(Now(), (Places{{107, 175}, {150, 100}, {193, 175}}));
    doc->Undo1Click();
    EXPECT_EQ(Now(), points);

    Build(points, {100, 100, 100, 100});
    Drag({150, 150}, {160, 160}); // the group drag leaves an empty selection rectangle
    doc->DoCommand(C::FitEllipse);
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(Now(), (Places{{160, 160}, {170, 150}, {180, 170}}));
}

TEST_F(DocumentAlignTest, TheHiddenEditItemsKeysFireOnTheWindow) {
    struct Row {
        const char* name;
        const char* caption;
        Qt::Key key;
    };
    const Row rows[] = {
        {"AlignedgestoLeft1", "Align edges to Left", Qt::Key_L},
        {"AlignedgestoRight1", "Align edges to Right", Qt::Key_R},
        {"AlignedgestoTop1", "Align edges to Top", Qt::Key_T},
        {"AlignedgestoBottom1", "Align edges to Bottom", Qt::Key_B},
        {"Spaceequallyhorizontally1", "Space equally, horizontally", Qt::Key_H},
        {"Spaceequallyvertically1", "Space equally, vertically", Qt::Key_V},
        {"FitToEllips1", "FitToEllips", Qt::Key_E},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(Item(row.name), nullptr);
        EXPECT_FALSE(Item(row.name)->isVisible());
        EXPECT_EQ(Item(row.name)->text().toStdString(), row.caption);
        EXPECT_EQ(Item(std::string(row.name) + "Key")->shortcut(),
                  QKeySequence(Qt::CTRL | Qt::ALT | row.key));
    }
    Build({{40, 100}, {90, 200}, {10, 150}}, {5, 5, 290, 240});
    doc->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(doc.get()));
    doc->setFocus();
    QTest::keyClick(doc.get(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Now(), (Places{{90, 100}, {90, 200}, {90, 150}}));
}

} // namespace
} // namespace plax
