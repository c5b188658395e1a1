#include "shell/gantt_window.h"

#include "accounts/critical_path_account.h"
#include "accounts/results_sink.h"
#include "algorithms/marking_buffer.h"

#include "net_builders.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "view/test_host.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace plax {
namespace {

using testing::ReadAll;
using testing::ScratchDir;
using testing::TestHost;

// The activity net 1->2 (3), 1->3 (2), 2->4 (4), 3->4 (4), through the critical path procedure.
std::vector<GanttBar> ExampleBars() {
    NetWorkType net = testing::MakeNet(DirNetCode, 4, "plan");
    testing::AddEdge(net, 1, 2, 3, "a");
    testing::AddEdge(net, 1, 3, 2, "b");
    testing::AddEdge(net, 2, 4, 4, "c");
    testing::AddEdge(net, 3, 4, 4, "d");
    net.sourcePoint = 1;
    net.sinkPoint = 4;
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    LineSink sink(clock, flags);
    testing::RecordingMessages messages(true);
    MarkingBuffer marks;
    std::vector<GanttBar> bars;
    const CriticalPathOptions options{false, [&bars](const std::vector<GanttBar>& b) { bars = b; }};
    CriticalPath(net, marks, "plan.net", {sink, messages}, options);
    return bars;
}

QAction* Action(const QWidget& form, const QString& text) {
    for (QAction* action : form.findChildren<QAction*>()) {
        if (action->text() == text) return action;
    }
    ADD_FAILURE() << "no action " << text.toStdString();
    return nullptr;
}

QWidget* Chart(const QWidget& form) { return form.findChild<QWidget*>(QStringLiteral("GanttChart")); }

QString Label(const QWidget& form, const char* name) {
    return form.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

int IndexOf(const std::vector<GanttBar>& bars, const std::string& label) {
    const auto it =
        std::find_if(bars.begin(), bars.end(), [&](const GanttBar& b) { return b.label == label; });
    return it == bars.end() ? -1 : static_cast<int>(it - bars.begin());
}

TEST(GanttChart, ExampleNetShowsItsJobsAndAClickShowsOne) {
    const std::vector<GanttBar> bars = ExampleBars();
    ASSERT_EQ(bars.size(), 4u);
    TestHost host;
    TGanttForm form(host, bars);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Gantt Chart"));
    const int ab = IndexOf(bars, "(1,2) - a");
    const int bd = IndexOf(bars, "(1,3) - b");
    ASSERT_GE(ab, 0);
    ASSERT_GE(bd, 0);
    EXPECT_EQ(form.JobInfo(ab), QStringLiteral("Job: (1,2) - a\nLength: 3\nReserve: 0\nCritical Job: Yes"));
    EXPECT_EQ(form.JobInfo(bd), QStringLiteral("Job: (1,3) - b\nLength: 2\nReserve: 1\nCritical Job: No"));
    EXPECT_EQ(form.JobInfo(4), QString());

    // Every pixel in a bar's colour lies on a bar of that colour; two bars are red, two green.
    QWidget* chart = Chart(form);
    ASSERT_NE(chart, nullptr);
    const QImage image = form.RenderChart(chart->size());
    std::set<int> red;
    std::set<int> green;
    QPoint inside;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFF;
            if (c != 0xFF0000 && c != 0x008000) continue;
            const int bar = form.BarAt({x, y});
            ASSERT_GE(bar, 0) << x << "," << y;
            EXPECT_EQ(bars[static_cast<std::size_t>(bar)].color, c == 0xFF0000 ? 0x0000FFu : 0x008000u);
            (c == 0xFF0000 ? red : green).insert(bar);
            if (bar == bd) inside = {x, y};
        }
    }
    EXPECT_EQ(red.size(), 2u);
    EXPECT_EQ(green.size(), 2u);
    EXPECT_EQ(form.BarAt({2, 2}), -1);
    EXPECT_EQ(form.BarAt({chart->width() - 3, inside.y()}), -1);

    EXPECT_EQ(Label(form, "JobNameLbl"), QStringLiteral("***"));
    QTest::mouseClick(chart, Qt::LeftButton, {}, {2, 2});
    EXPECT_EQ(Label(form, "CrFlagLbl"), QStringLiteral("***"));
    QTest::mouseClick(chart, Qt::LeftButton, {}, inside);
    EXPECT_EQ(Label(form, "JobNameLbl"), QStringLiteral("(1,3) - b"));
    EXPECT_EQ(Label(form, "JobLengthLbl"), QStringLiteral("2"));
    EXPECT_EQ(Label(form, "ReserveVLbl"), QStringLiteral("1"));
    EXPECT_EQ(Label(form, "CrFlagLbl"), QStringLiteral("No"));
}

TEST(GanttChart, LengthAndReserveHaveTwoDecimalsTrimmed) {
    TestHost host;
    TGanttForm form(host, {{"(1,2) - x", 1.5, 4.25, 0x008000, 0.126}, {"(2,3) - y", 4.25, 1004.25, 0xFF, 0}});
    EXPECT_EQ(form.JobInfo(0),
              QStringLiteral("Job: (1,2) - x\nLength: 2.75\nReserve: 0.13\nCritical Job: No"));
    EXPECT_EQ(form.JobInfo(1), QStringLiteral("Job: (2,3) - y\nLength: 1000\nReserve: 0\nCritical Job: Yes"));
}

TEST(GanttChart, AxisValuesHaveThousandsSeparatorsAndOneDecimal) {
    EXPECT_EQ(FormatChartValue(1234.56), QStringLiteral("1,234.6"));
    EXPECT_EQ(FormatChartValue(7), QStringLiteral("7"));
    EXPECT_EQ(FormatChartValue(0), QStringLiteral("0"));
    EXPECT_EQ(FormatChartValue(0.04), QStringLiteral("0"));
    EXPECT_EQ(FormatChartValue(999.96), QStringLiteral("1,000"));
    EXPECT_EQ(FormatChartValue(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(FormatChartValue(123456.7), QStringLiteral("123,456.7"));
    EXPECT_EQ(FormatChartValue(-2500.5), QStringLiteral("-2,500.5"));
}

TEST(GanttChart, SaveAsWritesTheFormatItsExtensionNames) {
    ScratchDir dir;
    TestHost host;
    TGanttForm form(host, ExampleBars());
    const QSize size = Chart(form)->size();
    for (const char* name : {"chart.bmp", "chart.WMF", "chart.Emf", "chart.png", "none/chart.bmp"})
        host.dialogs.paths.push_back(dir.File(name));
    for (int k = 0; k < 5; ++k)
        Action(form, QStringLiteral("Save &As..."))->trigger();

    EXPECT_EQ(host.dialogs.Texts("save").front(),
              "Bit Map File (BMP)|*.bmp|Windows MetaFile (WMF)|*.wmf|Enhanced WMF (EMF)|*.emf");
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("chart.bmp")), "BMP").size(), size);
    EXPECT_EQ(ReadAll(dir.File("chart.WMF")).substr(0, 4), std::string("\xD7\xCD\xC6\x9A"));
    const std::string emf = ReadAll(dir.File("chart.Emf"));
    ASSERT_GT(emf.size(), 108u);
    EXPECT_EQ(emf.substr(40, 4), std::string(" EMF"));
    EXPECT_EQ(static_cast<unsigned char>(emf[48]) | static_cast<unsigned char>(emf[49]) << 8 |
                  static_cast<unsigned char>(emf[50]) << 16,
              static_cast<int>(emf.size()));
    EXPECT_NE(emf.find(std::string("J\0o\0b\0'\0s\0", 10)), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("chart.png")));
    EXPECT_EQ(host.dialogs.Texts("error"),
              std::vector<std::string>{" Cannot Save file " + dir.File("none/chart.bmp")});

    host.dialogs.printFile = dir.File("chart.pdf");
    Action(form, QStringLiteral("&Print..."))->trigger();
    EXPECT_EQ(ReadAll(dir.File("chart.pdf")).substr(0, 4), "%PDF");
    // Print takes the window's image: the job panel beside the chart, not the chart alone.
    const QImage window = form.WindowImage();
    EXPECT_GT(window.width() * window.height(), size.width() * size.height());
    // A printer that cannot be opened is reported.
    host.dialogs.printFile = dir.File("none/chart.pdf");
    Action(form, QStringLiteral("&Print..."))->trigger();
    EXPECT_EQ(host.dialogs.Texts("error").back(), " Cannot print the Gantt Chart.");
}

// The desktop's save dialog of the chart: its caption, and a file type puts its extension into
// the name.
TEST(GanttChart, SaveDialogIsTitledAndTheFileTypeSetsTheExtension) {
    EXPECT_EQ(ReplaceExtension("GanttChart.BMP", ".WMF"), "GanttChart.WMF");
    EXPECT_EQ(ReplaceExtension("chart", ".EMF"), "chart.EMF");
    EXPECT_EQ(ReplaceExtension("my.dir/chart", ".BMP"), "my.dir/chart.BMP");
    EXPECT_EQ(ReplaceExtension("a.b.wmf", ".BMP"), "a.b.BMP");

    QtDialogs dialogs(nullptr);
    QString title;
    QStringList names;
    QStringList shownTypes;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(name, nullptr);
        for (int type = 0; type < types->count(); ++type)
            shownTypes.push_back(types->itemText(type));
        for (int type : {1, 2, 0}) {
            types->setCurrentIndex(type);
            emit types->activated(type);
            emit types->textActivated(types->itemText(type));
            names.push_back(name->text());
        }
        dialog->reject();
    });
    const TypedSaveRequest request{
        "Save Chart As...",
        "Bit Map File (BMP)|*.bmp|Windows MetaFile (WMF)|*.wmf|Enhanced WMF (EMF)|*.emf",
        {".BMP", ".WMF", ".EMF"},
        "GanttChart.BMP"};
    EXPECT_EQ(dialogs.AskTypedSavePath(request), std::nullopt);
    // The types read as the filter writes them.
    EXPECT_EQ(shownTypes,
              (QStringList{"Bit Map File (BMP)", "Windows MetaFile (WMF)", "Enhanced WMF (EMF)"}));
    EXPECT_EQ(title.toStdString(), "Save Chart As...");
    EXPECT_EQ(names, (QStringList{"GanttChart.WMF", "GanttChart.EMF", "GanttChart.BMP"}));
}

TEST(GanttChart, StartMarksToggleAndTheFileMenuGoesToTheFrame) {
    TestHost host;
    auto* form = new TGanttForm(host, ExampleBars());
    const QSize size = Chart(*form)->size();
    QAction* marks = Action(*form, QStringLiteral("Show &Start time"));
    ASSERT_NE(marks, nullptr);
    EXPECT_TRUE(marks->isChecked());
    const QImage withMarks = form->RenderChart(size);
    marks->trigger();
    EXPECT_FALSE(marks->isChecked());
    EXPECT_NE(form->RenderChart(size), withMarks);
    marks->trigger();
    EXPECT_TRUE(marks->isChecked());
    EXPECT_EQ(form->RenderChart(size), withMarks);

    for (const char* item : {"&New", "&Open...", "Options...", "E&xit"})
        Action(*form, QString::fromLatin1(item))->trigger();
    EXPECT_EQ(host.requests, (std::vector<std::string>{"new", "open", "options", "exit"}));

    const QPointer<TGanttForm> alive(form);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace
} // namespace plax
