#include "scratch_dir.h"
#include "view/scripted_dialogs.h"

#include "shell/auto_run_dialog.h"
#include "shell/frame_window.h"
#include "shell/simulation_process_window.h"

#include "view/document_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

namespace plax {
namespace {

using testing::ReadAll;

std::vector<QString> Labels(const BarChartView& chart) { return chart.Data().labels; }

TEST(SimulationProcessWindowTest, ShowsTheTokenGameLiveAndSavesAndPrintsItsCharts) {
    testing::ScratchDir dir;
    testing::ScriptedDialogs dialogs;
    TPlaxForm frame(dialogs);
    frame.show();
    // A copy: the firings are steps, so closing the frame offers to save them.
    const std::string copy = dir.File("petri.net");
    std::filesystem::copy_file(PLAX_EXAMPLES_DIR "/petri.net", copy);
    frame.OpenFile(copy);
    TMDIChild* doc = frame.ActiveDocument();
    ASSERT_NE(doc, nullptr);
    doc->findChild<QAction*>("SimulationProcess1")->trigger();
    auto* form = frame.findChild<TSimulationProcessForm*>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Simulation Process");
    EXPECT_EQ(form->Tabs().tabText(0), "Places-Tokens");
    EXPECT_EQ(form->Tabs().tabText(1), "Transitions - Firing");
    EXPECT_EQ(form->PlacesChart().Data().title, "Places - Tokens");
    EXPECT_EQ(form->TransitionsChart().Data().title, "Transition's  Execution");
    EXPECT_EQ(Labels(form->PlacesChart()), (std::vector<QString>{"1", "3", "5", "6", "8", "10"}));
    EXPECT_EQ(form->PlacesChart().Data().values, (std::vector<std::uint64_t>{1, 0, 0, 3, 0, 1}));

    // Produce (2) fires by a click; the window follows.
    doc->findChild<QAction*>("OrdinaryNet1")->trigger();
    doc->PaintBox1MouseDown({160, 175, Qt::LeftButton, Qt::LeftButton, {}});
    doc->PaintBox1Click();
    EXPECT_EQ(form->PlacesChart().Data().values, (std::vector<std::uint64_t>{0, 1, 0, 3, 0, 1}));
    EXPECT_EQ(form->TransitionsChart().Data().values, (std::vector<std::uint64_t>{1, 0, 0, 0}));
    form->ShowNames().setChecked(true);
    EXPECT_EQ(Labels(form->TransitionsChart()), (std::vector<QString>{"Produce", "Put", "Take", "Consume"}));

    // Asked again, the same window comes to the front.
    doc->findChild<QAction*>("SimulationProcess1")->trigger();
    EXPECT_EQ(frame.findChildren<TSimulationProcessForm*>().size(), 1);

    dialogs.paths = {dir.File("tokens.png"), dir.File("tokens.svg")};
    form->SaveAs1Click();
    form->SaveAs1Click();
    EXPECT_FALSE(QImage(QString::fromStdString(dir.File("tokens.png"))).isNull());
    EXPECT_NE(ReadAll(dir.File("tokens.svg")).find("Places - Tokens"), std::string::npos);
    dialogs.printFile = dir.File("chart.pdf");
    form->Print1Click();
    EXPECT_EQ(ReadAll(dir.File("chart.pdf")).substr(0, 5), "%PDF-");

    // The figures go with their document.
    const QPointer<QMdiSubWindow> statistics = frame.Area().subWindowList().back();
    doc->parentWidget()->close();
    for (int round = 0; round < 2; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(statistics.isNull());
    EXPECT_TRUE(dialogs.Texts("error").empty());
}

TEST(AutoRunFormTest, LoadsAndAnswersTheLimitAndTheSeed) {
    TAutoRunForm form;
    EXPECT_EQ(form.Answers().firingLimit, DefaultFiringLimit);
    EXPECT_FALSE(form.Answers().seed);
    form.Load({250, 9223372036854775807ULL});
    EXPECT_EQ(form.LimitEdit().value(), 250);
    EXPECT_EQ(form.Answers().seed, 9223372036854775807ULL);
    form.SeedEdit().setText("");
    EXPECT_FALSE(form.Answers().seed);
}

} // namespace
} // namespace plax
