#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class QPainter;

namespace plax {

// A horizontal bar chart: a title, then one labelled row per value, top to bottom, each bar as
// long as its value against the largest.
struct BarChartData {
    QString title;
    QColor color;
    std::vector<QString> labels;
    std::vector<std::uint64_t> values;
    bool operator==(const BarChartData&) const = default;
};

// Draws the chart on (0, 0)-size of any painter: the screen, an image, a printer, an SVG file.
void PaintBarChart(QPainter& painter, QSize size, const BarChartData& data);

// A widget that shows one chart.
class BarChartView : public QWidget {
public:
    explicit BarChartView(QWidget* parent = nullptr);
    const BarChartData& Data() const { return data_; }
    // Repaints only when the chart changed.
    void SetData(BarChartData data);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChartData data_;
};

} // namespace plax
