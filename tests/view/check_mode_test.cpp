// Check mode on the canvas: points marked in order by Shift-clicks, edges by clicks on their
// anchors, colours from the points, and the weights an exercise hides.
#include "scratch_dir.h"
#include "test_host.h"

#include "view/document_window.h"

#include "model/net_store.h"
#include "render/net_geometry.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace plax {
namespace {

class CheckModeTest : public ::testing::Test {
protected:
    CheckModeTest() {
        const std::string path = dir.File("road.net");
        std::filesystem::copy_file(PLAX_EXAMPLES_DIR "/road.net", path);
        doc->OpenDocument(path);
        doc->show();
    }
    void Click(int x, int y, Qt::KeyboardModifiers modifiers) {
        doc->PaintBox1MouseDown({x, y, Qt::LeftButton, Qt::LeftButton, modifiers});
        doc->PaintBox1MouseUp({x, y, Qt::LeftButton, Qt::NoButton, modifiers});
    }
    void ShiftClickPoint(int p) {
        const PointType& point = doc->Net().points[static_cast<std::size_t>(p)];
        Click(point.x, point.y, Qt::ShiftModifier);
    }
    void ClickAnchor(int from, int to) {
        EdgeAnchors& anchors = doc->findChild<NetCanvasWidget*>()->Anchors();
        ComputeEdgeAnchors(doc->Net(), anchors);
        const PixelPoint at = anchors.Of(doc->Net(), from, to);
        Click(at.x, at.y, Qt::NoModifier);
    }

    testing::TestHost host;
    testing::ScratchDir dir;
    std::unique_ptr<TMDIChild> doc = std::make_unique<TMDIChild>(host);
};

TEST_F(CheckModeTest, MarksPointsInOrderAndEdgesByTheirAnchors) {
    doc->StartExercise({"road.net", {Question::ShortestPath, 1, 9, false}, false});
    for (int p : {1, 3, 6, 8, 9})
        ShiftClickPoint(p);
    ShiftClickPoint(6);
    ShiftClickPoint(6);
    const StudentAnswer marked = doc->Check().MarkedAnswer(doc->Net());
    EXPECT_EQ(marked.points, (std::vector<int>{1, 3, 8, 9, 6})) << "a point marked again goes to the end";

    const Color before = FindEdge(doc->Net(), 1, 3)->color;
    ClickAnchor(1, 3);
    EXPECT_EQ(FindEdge(doc->Net(), 1, 3)->color, AnswerEdgeColor);
    EXPECT_EQ(doc->Net().selection.count, 5) << "marking an edge keeps the marked points";
    ClickAnchor(1, 3);
    EXPECT_EQ(FindEdge(doc->Net(), 1, 3)->color, before);

    doc->StartExercise({"road.net", {Question::SpanningTree, 0, 0, false}, false});
    for (auto [a, b] : {std::pair{1, 3}, {3, 4}, {2, 3}, {3, 6}, {6, 7}, {5, 6}, {6, 8}, {8, 9}})
        ClickAnchor(a, b);
    UnstoppedRun run;
    const Verdict v =
        CheckAnswer(doc->Net(), doc->Check().Request(), doc->Check().MarkedAnswer(doc->Net()), run);
    EXPECT_EQ(v.lines, (std::vector<std::string>{"Correct"}));
}

// An exercise names points of the net it was written for; the net beside it may have fewer.
TEST_F(CheckModeTest, AnExerciseWithPointsTheNetLacksIsRefused) {
    doc->StartExercise({"road.net", {Question::ShortestPath, 15, 9, false}, false});
    EXPECT_FALSE(doc->Check().Active());
    ASSERT_EQ(host.dialogs.calls.size(), 1u);
    EXPECT_EQ(host.dialogs.calls[0].text, "The exercise names point 15; the net has points 1 to 9.");
    doc->StartExercise({"road.net", {Question::Coloring, 0, 12, false}, false});
    EXPECT_FALSE(doc->Check().Active()) << "a sink the question does not use is still named";
}

// Property > Check My Answer through its real dialog: answered, it judges the typed answer; asked
// again in check mode, it offers the question being checked; cancelled, it does nothing.
TEST_F(CheckModeTest, TheQuestionDialogJudgesATypedAnswerAndOffersTheCurrentQuestionAgain) {
    auto answer = [](const char* question, int source, int sink, const char* text) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* questions = dialog->findChild<QComboBox*>(QStringLiteral("Question"));
            questions->setCurrentIndex(questions->findText(QString::fromLatin1(question)));
            dialog->findChild<QSpinBox*>(QStringLiteral("Source"))->setValue(source);
            dialog->findChild<QSpinBox*>(QStringLiteral("Sink"))->setValue(sink);
            dialog->findChild<QLineEdit*>(QStringLiteral("Answer"))->setText(QString::fromLatin1(text));
            dialog->accept();
        });
    };
    answer("shortest path", 1, 9, "1, 2, 5, 8, 9");
    doc->CheckMyAnswer1Click();
    ASSERT_TRUE(doc->Check().Active());
    const std::vector<std::string> wrong = host.LastResults();
    EXPECT_NE(
        std::find_if(wrong.begin(), wrong.end(),
                     [](const std::string& line) { return line.find("length 28.5") != std::string::npos; }),
        wrong.end());

    answer("shortest path", 1, 9, "1 3 6 8 9");
    doc->CheckMyAnswer1Click();
    const std::vector<std::string> right = host.LastResults();
    EXPECT_NE(std::find(right.begin(), right.end(), "    Correct"), right.end())
        << ::testing::PrintToString(right);
    answer("shortest path", 1, 9, "Harbour, 3, Square, Farm, Airport");
    doc->CheckMyAnswer1Click();
    const std::vector<std::string> named = host.LastResults();
    EXPECT_NE(std::find(named.begin(), named.end(), "    Correct"), named.end()) << "points by name";

    QString offered;
    QTimer::singleShot(0, [&offered] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = dialog->findChild<QComboBox*>(QStringLiteral("Question"))->currentText() + " " +
                  QString::number(dialog->findChild<QSpinBox*>(QStringLiteral("Source"))->value()) + " " +
                  QString::number(dialog->findChild<QSpinBox*>(QStringLiteral("Sink"))->value());
        dialog->reject();
    });
    const std::size_t windows = host.results.size();
    doc->CheckMyAnswer1Click();
    EXPECT_EQ(offered, QStringLiteral("shortest path 1 9"));
    EXPECT_EQ(host.results.size(), windows);
}

TEST_F(CheckModeTest, ColoursAreThePointsOwnAndHiddenWeightsStayHidden) {
    doc->Net().view.edgeMarks = 1;
    doc->StartExercise({"road.net", {Question::Coloring, 0, 0, false}, true});
    EXPECT_EQ(doc->Net().view.edgeMarks, 0);
    doc->ShowMark1Click();
    EXPECT_EQ(doc->Net().view.edgeMarks, 0) << "the weights stay hidden until answered";
    const std::vector<Color> colors = {5, 7, 9, 7, 5, 7, 5, 9, 7};
    for (int p = 1; p <= 9; ++p)
        doc->Net().points[static_cast<std::size_t>(p)].color = colors[static_cast<std::size_t>(p - 1)];
    EXPECT_EQ(doc->Check().MarkedAnswer(doc->Net()).colors, (std::vector<int>{0, 1, 2, 3, 2, 1, 2, 1, 3, 2}));
}

} // namespace
} // namespace plax
