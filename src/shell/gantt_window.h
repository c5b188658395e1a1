#pragma once

#include "accounts/critical_path_account.h"
#include "view/document_host.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenuBar;
class QPainter;
class QPrinter;

namespace plax {

class GanttChartView;

// A value of the time axis as "#,##0.#" writes it: thousands separated by commas and at most
// one decimal, shown only when it is not zero (1234.56 -> "1,234.6", 7 -> "7").
QString FormatChartValue(double value);

// The Gantt chart of the jobs of an activity net: one bar per job from its earliest start to
// its end, red for a critical job and green otherwise, on a row of its own labelled with the
// job. Clicking a bar shows the job in the panel above the chart.
class TGanttForm : public QWidget {
    Q_OBJECT
public:
    // A filled chart; the frame puts it into its QMdiArea and shows it.
    TGanttForm(DocumentHost& host, const std::vector<GanttBar>& bars, QWidget* parent = nullptr);
    ~TGanttForm() override;

    // What the window shows, for saving, printing and tests.
    QImage RenderChart(QSize size) const;
    // What Print prints: the window below its menu bar, the job panel and the chart.
    QImage WindowImage();
    // Draws the chart on (0, 0)-size of any painter: the screen, an image, a metafile.
    void PaintChart(QPainter& painter, QSize size) const;
    // The job index under a point of the chart, or -1.
    int BarAt(QPoint p) const;
    // The four lines shown when bar i is clicked.
    QString JobInfo(int bar) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QMenuBar* CreateMenus();
    QWidget* CreateInfoPanel();
    QSize ChartSize() const;
    std::array<QString, 4> JobValues(int bar) const;
    void GanttChartClick(QPoint p);
    void ShowMarksItemClick(bool checked);
    void SaveAs1Click();
    void Print1Click();
    void PrintSetup1Click();
    QPrinter& Printer();
    // The picture file for ".BMP", ".WMF" or ".EMF"; nothing for another extension or a failure.
    std::optional<std::string> ChartFile(const std::string& extension) const;

    DocumentHost& host_;
    std::vector<GanttBar> bars_;
    std::vector<double> reserves_; // one per job, in job order
    bool marksShown_ = true;
    GanttChartView* chart_ = nullptr;
    QAction* showMarksItem_ = nullptr;
    std::array<QLabel*, 4> valueLabels_{};
    std::unique_ptr<QPrinter> printer_;
};

} // namespace plax
