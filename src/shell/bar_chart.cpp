#include "bar_chart.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace plax {

namespace {

constexpr int Margin = 8;
constexpr int Gap = 6;

QFont ChartFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(bold);
    return font;
}

// Where the bars go: from `left` for values up to `largest` at `right`, rows from top to bottom.
struct ChartLayout {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    std::uint64_t largest = 1;
};

ChartLayout LayOut(const QFontMetrics& fm, QSize size, int titleHeight, const BarChartData& data) {
    int labelWidth = 0;
    for (const QString& label : data.labels)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(label));
    ChartLayout c;
    c.largest = std::max<std::uint64_t>(
        1, data.values.empty() ? 0 : *std::max_element(data.values.begin(), data.values.end()));
    // A label's box takes a little more than its advance, so the widest one is not elided.
    c.left = Margin + std::min(labelWidth + 2, size.width() / 3) + Gap;
    c.right = size.width() - Margin - fm.horizontalAdvance(QString::number(c.largest)) - Gap;
    c.top = Margin + titleHeight + Gap;
    c.bottom = size.height() - Margin;
    return c;
}

void DrawRow(QPainter& painter, const ChartLayout& c, int row, int rows, const QString& label,
             std::uint64_t value) {
    const QFontMetrics fm = painter.fontMetrics();
    const double rowHeight = static_cast<double>(c.bottom - c.top) / rows;
    const int h = std::clamp(static_cast<int>(rowHeight * 0.6), 2, 30);
    const int y = static_cast<int>(c.top + rowHeight * row + (rowHeight - h) / 2);
    const int w = static_cast<int>(static_cast<double>(std::max(0, c.right - c.left)) *
                                   static_cast<double>(value) / static_cast<double>(c.largest));
    painter.drawRect(c.left, y, std::max(w, 1), h);
    const QRect text(Margin, y + h / 2 - fm.height() / 2, c.left - Gap - Margin, fm.height());
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                     fm.elidedText(label, Qt::ElideRight, text.width()));
    painter.drawText(c.left + w + Gap, y + h / 2 + fm.ascent() / 2, QString::number(value));
}

} // namespace

void PaintBarChart(QPainter& painter, QSize size, const BarChartData& data) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setPen(Qt::black);
    painter.setFont(ChartFont(true));
    const int titleHeight = painter.fontMetrics().height();
    painter.drawText(QRect(0, Margin, size.width(), titleHeight), Qt::AlignHCenter, data.title);
    painter.setFont(ChartFont(false));
    const ChartLayout c = LayOut(painter.fontMetrics(), size, titleHeight, data);
    painter.drawLine(c.left, c.top, c.left, c.bottom);
    painter.setBrush(data.color);
    const auto rows = static_cast<int>(std::min(data.values.size(), data.labels.size()));
    for (int row = 0; row < rows; ++row)
        DrawRow(painter, c, row, rows, data.labels[static_cast<std::size_t>(row)],
                data.values[static_cast<std::size_t>(row)]);
    painter.restore();
}

BarChartView::BarChartView(QWidget* parent) : QWidget(parent) { setMinimumSize(200, 120); }

void BarChartView::SetData(BarChartData data) {
    if (data == data_) return;
    data_ = std::move(data);
    update();
}

void BarChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintBarChart(painter, size(), data_);
}

} // namespace plax
