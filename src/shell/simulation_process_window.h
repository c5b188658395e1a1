#pragma once

#include "bar_chart.h"

#include "view/document_host.h"
#include "view/simulation_commands.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QPrinter;
class QRadioButton;
class QTabWidget;

namespace plax {

inline constexpr const char* SimulationProcessCaption = "Simulation Process";
inline constexpr const char* PlacesTabCaption = "Places-Tokens";
inline constexpr const char* TransitionsTabCaption = "Transitions - Firing";
inline constexpr const char* PlacesChartTitle = "Places - Tokens";
inline constexpr const char* TransitionsChartTitle = "Transition's  Execution";

// The statistics of one document's simulation: the tokens of its places and how often each
// transition fired since the simulation started, as two bar charts on tabs, labelled by point
// numbers or names. It follows the document as it changes, and goes when the document goes.
class TSimulationProcessForm : public QWidget {
    Q_OBJECT
public:
    TSimulationProcessForm(DocumentHost& host, SimulationCommands& source, QWidget* parent = nullptr);
    ~TSimulationProcessForm() override;

    const SimulationCommands* Source() const { return source_; }
    QTabWidget& Tabs() const { return *tabs_; }
    const BarChartView& PlacesChart() const { return *places_; }
    const BarChartView& TransitionsChart() const { return *transitions_; }
    QRadioButton& ShowNumbers() const { return *numbers_; }
    QRadioButton& ShowNames() const { return *names_; }

    // Reads the document's figures again.
    void Refresh();
    // The chart of the tab in front, as a PNG or SVG file.
    void SaveAs1Click();
    void Print1Click();

private:
    QWidget* MakeButtons();
    BarChartData ChartOf(const std::vector<ProcessBar>& bars, const char* title, QColor color) const;
    const BarChartView& Current() const;

    DocumentHost& host_;
    QPointer<SimulationCommands> source_;
    QTabWidget* tabs_ = nullptr;
    BarChartView* places_ = nullptr;
    BarChartView* transitions_ = nullptr;
    QRadioButton* numbers_ = nullptr;
    QRadioButton* names_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace plax
