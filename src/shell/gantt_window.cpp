#include "gantt_window.h"

#include "model/file_io.h"
#include "model/text_utils.h"
#include "render/emf_paint_device.h"
#include "render/render_support.h"
#include "render/wmf_paint_device.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

namespace plax {

namespace {

constexpr const char* GanttCaption = "Gantt Chart";
constexpr const char* TimeAxisTitle = "Job's Length & Start";
constexpr const char* JobAxisTitle = "Jobs";
constexpr const char* ShowMarksCaption = "Show &Start time";
constexpr const char* SaveChartFilter =
    "Bit Map File (BMP)|*.bmp|Windows MetaFile (WMF)|*.wmf|Enhanced WMF (EMF)|*.emf";
constexpr const char* SaveChartDefaultName = "GanttChart.BMP";
constexpr const char* CannotPrintChartMessage = " Cannot print the Gantt Chart.";
constexpr const char* SaveChartCaption = "Save Chart As...";
constexpr const char* UnknownValue = "***";
constexpr const char* CriticalYes = "Yes";
constexpr const char* CriticalNo = "No";
// The captions of the job panel, in the order of JobValues.
constexpr std::array<const char*, 4> JobCaptions = {"Job: ", "Length:", "Reserve: ", "Critical Job:"};
constexpr std::array<const char*, 4> JobLabelNames = {"JobNameLbl", "JobLengthLbl", "ReserveVLbl",
                                                      "CrFlagLbl"};

std::string CannotSaveChartMessage(const std::string& path) { return " Cannot Save file " + path; }

constexpr int FormWidth = 611;
constexpr int FormHeight = 373;
// The left wall and the boxes of the start marks are light yellow.
constexpr QRgb LightYellow = qRgb(255, 255, 224);
constexpr QRgb GridGrey = qRgb(208, 208, 208);

QFont ChartFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

// Where everything of the chart goes at one size. The time axis runs left to right over
// [low, high], the jobs bottom to top, job 0 on the lowest row.
struct ChartGeometry {
    QRect plot;
    QRect wall;
    double low = 0;
    double high = 0;
    int rows = 1;

    int X(double v) const {
        return plot.left() + static_cast<int>(std::lround((v - low) / (high - low) * plot.width()));
    }
    double RowCentre(int row) const { return plot.bottom() + 1 - (row + 0.5) * plot.height() / rows; }
    QRect Bar(int row, const GanttBar& bar) const {
        const double rowHeight = static_cast<double>(plot.height()) / rows;
        const int h = std::clamp(static_cast<int>(std::lround(rowHeight * 0.6)), 2, 40);
        const int top = static_cast<int>(std::lround(RowCentre(row) - h / 2.0));
        const int a = X(std::min(bar.start, bar.end));
        const int b = X(std::max(bar.start, bar.end));
        return QRect(a, top, std::max(1, b - a), h);
    }
};

ChartGeometry MakeGeometry(const std::vector<GanttBar>& bars, QSize size, const QFontMetrics& fm) {
    constexpr int Margin = 6;
    constexpr int WallWidth = 8;
    ChartGeometry g;
    g.rows = std::max<int>(1, static_cast<int>(bars.size()));
    for (const GanttBar& bar : bars) {
        g.low = std::min({g.low, bar.start, bar.end});
        g.high = std::max({g.high, bar.start, bar.end});
    }
    if (g.high <= g.low) g.high = g.low + 1;
    int labelWidth = fm.horizontalAdvance(QString::fromLatin1(JobAxisTitle));
    for (const GanttBar& bar : bars)
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(CanvasText(bar.label)));
    labelWidth = std::min(labelWidth, size.width() / 3);
    const int left = Margin + labelWidth + 6 + WallWidth;
    const int right = size.width() - Margin - fm.horizontalAdvance(FormatChartValue(g.high)) / 2 - 6;
    const int top = Margin + fm.height() + 4;
    const int bottom = size.height() - Margin - 2 * fm.height() - 8;
    g.plot = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), std::max(top + 1, bottom)));
    g.wall = QRect(left - WallWidth, top, WallWidth, g.plot.height());
    return g;
}

// The distance between labelled values: 1, 2 or 5 times a power of ten, at least 0.1 since
// labels show one decimal.
double TickStep(double range, int maxTicks) {
    const double raw = std::max(range / std::max(1, maxTicks), 0.1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / power;
    return (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * power;
}

void DrawCentredText(QPainter& painter, int x, int baseline, const QString& text) {
    painter.drawText(x - painter.fontMetrics().horizontalAdvance(text) / 2, baseline, text);
}

void DrawTimeAxis(QPainter& painter, const ChartGeometry& g) {
    const QFontMetrics fm = painter.fontMetrics();
    const int widest = fm.horizontalAdvance(FormatChartValue(g.high)) + 16;
    const double step = TickStep(g.high - g.low, g.plot.width() / widest);
    for (auto k = static_cast<long long>(std::ceil(g.low / step - 1e-9));
         static_cast<double>(k) * step <= g.high + 1e-9; ++k) {
        const int x = g.X(static_cast<double>(k) * step);
        painter.setPen(QColor(GridGrey));
        painter.drawLine(x, g.plot.top(), x, g.plot.bottom());
        painter.setPen(Qt::black);
        painter.drawLine(x, g.plot.bottom(), x, g.plot.bottom() + 4);
        DrawCentredText(painter, x, g.plot.bottom() + 6 + fm.ascent(),
                        FormatChartValue(static_cast<double>(k) * step));
    }
    painter.setPen(Qt::black);
    painter.drawLine(g.plot.bottomLeft(), g.plot.bottomRight());
    painter.drawLine(g.plot.topLeft(), g.plot.bottomLeft());
    DrawCentredText(painter, g.plot.center().x(), g.plot.bottom() + 10 + fm.height() + fm.ascent(),
                    QString::fromLatin1(TimeAxisTitle));
}

void DrawJobAxis(QPainter& painter, const ChartGeometry& g, const std::vector<GanttBar>& bars) {
    const QFontMetrics fm = painter.fontMetrics();
    painter.setPen(Qt::black);
    painter.setBrush(QColor(LightYellow));
    painter.drawRect(g.wall.adjusted(0, 0, -1, -1));
    for (std::size_t row = 0; row < bars.size(); ++row) {
        const QString label = CanvasText(bars[row].label);
        const int baseline = static_cast<int>(
            std::lround(g.RowCentre(static_cast<int>(row)) + (fm.ascent() - fm.descent()) / 2.0));
        painter.drawText(g.wall.left() - 4 - fm.horizontalAdvance(label), baseline, label);
    }
    painter.drawText(g.wall.left() - 4 - fm.horizontalAdvance(QString::fromLatin1(JobAxisTitle)),
                     g.plot.top() - 4 - fm.descent(), QString::fromLatin1(JobAxisTitle));
}

// The start value of a bar in a small box at the bar's left end.
void DrawMark(QPainter& painter, const QRect& bar, double start) {
    const QFontMetrics fm = painter.fontMetrics();
    const QString text = FormatChartValue(start);
    const QRect box(bar.left() + 3, bar.center().y() - fm.height() / 2 - 1, fm.horizontalAdvance(text) + 6,
                    fm.height() + 2);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(LightYellow));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box.left() + 3, box.top() + 1 + fm.ascent(), text);
}

QString TextOf(const std::string& s) { return QString::fromStdString(s); }

std::string ToBytes(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Paints the chart on a metafile device and answers its bytes.
template <typename Device> std::optional<std::string> Metafile(const TGanttForm& form, QSize size) {
    Device device(size.width(), size.height());
    QPainter painter;
    if (!painter.begin(&device)) return std::nullopt;
    form.PaintChart(painter, size);
    painter.end();
    return device.Bytes();
}

} // namespace

// The chart area: paints through the form and hands clicks back to it.
class GanttChartView : public QWidget {
public:
    GanttChartView(const TGanttForm& form, std::function<void(QPoint)> click, QWidget* parent)
        : QWidget(parent), form_(form), click_(std::move(click)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        form_.PaintChart(painter, size());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) click_(event->position().toPoint());
    }

private:
    const TGanttForm& form_;
    std::function<void(QPoint)> click_;
};

QString FormatChartValue(double value) {
    if (!std::isfinite(value) || std::abs(value) >= 1e15) return QString::number(value);
    const long long tenths = std::llround(std::abs(value) * 10);
    const std::string whole = std::to_string(tenths / 10);
    std::string text;
    for (std::size_t k = 0; k < whole.size(); ++k) {
        if (k > 0 && (whole.size() - k) % 3 == 0) text.push_back(',');
        text.push_back(whole[k]);
    }
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    if (value < 0 && tenths != 0) text.insert(text.begin(), '-');
    return QString::fromStdString(text);
}

TGanttForm::TGanttForm(DocumentHost& host, const std::vector<GanttBar>& bars, QWidget* parent)
    : QWidget(parent), host_(host), bars_(bars) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(GanttCaption));
    for (const GanttBar& bar : bars_)
        reserves_.push_back(bar.reserve);

    chart_ = new GanttChartView(
        *this, [this](QPoint p) { GanttChartClick(p); }, this);
    chart_->setObjectName(QStringLiteral("GanttChart"));
    chart_->setContextMenuPolicy(Qt::ActionsContextMenu);
    showMarksItem_ = new QAction(QString::fromLatin1(ShowMarksCaption), chart_);
    showMarksItem_->setObjectName(QStringLiteral("ShowMarksItem"));
    showMarksItem_->setCheckable(true);
    showMarksItem_->setChecked(marksShown_);
    connect(showMarksItem_, &QAction::toggled, this, [this](bool checked) { ShowMarksItemClick(checked); });
    chart_->addAction(showMarksItem_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(CreateMenus());
    layout->addWidget(CreateInfoPanel());
    layout->addWidget(chart_, 1);
    resize(FormWidth, FormHeight);
    layout->activate();
}

TGanttForm::~TGanttForm() = default;

QMenuBar* TGanttForm::CreateMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    connect(file->addAction(QStringLiteral("&New")), &QAction::triggered, this,
            [this] { host_.Actions().newNet->trigger(); });
    connect(file->addAction(QStringLiteral("&Open...")), &QAction::triggered, this,
            [this] { host_.Actions().open->trigger(); });
    connect(file->addAction(QStringLiteral("Save &As...")), &QAction::triggered, this,
            [this] { SaveAs1Click(); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("&Print...")), &QAction::triggered, this,
            [this] { Print1Click(); });
    connect(file->addAction(QStringLiteral("P&rint Setup...")), &QAction::triggered, this,
            [this] { PrintSetup1Click(); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("Options...")), &QAction::triggered, this,
            [this] { host_.Actions().options->trigger(); });
    file->addSeparator();
    connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this,
            [this] { host_.Actions().exit->trigger(); });
    return bar;
}

QWidget* TGanttForm::CreateInfoPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 4, 6, 4);
    for (std::size_t k = 0; k < JobCaptions.size(); ++k) {
        row->addWidget(new QLabel(QString::fromLatin1(JobCaptions[k]), panel));
        valueLabels_[k] = new QLabel(QString::fromLatin1(UnknownValue), panel);
        valueLabels_[k]->setObjectName(QString::fromLatin1(JobLabelNames[k]));
        row->addWidget(valueLabels_[k], k == 0 ? 3 : 1);
    }
    return panel;
}

QSize TGanttForm::ChartSize() const { return chart_->size().expandedTo(QSize(1, 1)); }

QImage TGanttForm::RenderChart(QSize size) const {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintChart(painter, image.size());
    return image;
}

void TGanttForm::PaintChart(QPainter& painter, QSize size) const {
    painter.save();
    painter.setFont(ChartFont());
    const ChartGeometry g = MakeGeometry(bars_, size, painter.fontMetrics());
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    DrawTimeAxis(painter, g);
    DrawJobAxis(painter, g, bars_);
    for (std::size_t row = 0; row < bars_.size(); ++row) {
        const QRect bar = g.Bar(static_cast<int>(row), bars_[row]);
        painter.setPen(Qt::black);
        painter.setBrush(ToQColor(bars_[row].color));
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
    }
    if (marksShown_) {
        for (std::size_t row = 0; row < bars_.size(); ++row)
            DrawMark(painter, g.Bar(static_cast<int>(row), bars_[row]), bars_[row].start);
    }
    painter.restore();
}

int TGanttForm::BarAt(QPoint p) const {
    const ChartGeometry g = MakeGeometry(bars_, ChartSize(), QFontMetrics(ChartFont()));
    for (std::size_t row = 0; row < bars_.size(); ++row) {
        if (g.Bar(static_cast<int>(row), bars_[row]).contains(p)) return static_cast<int>(row);
    }
    return -1;
}

std::array<QString, 4> TGanttForm::JobValues(int bar) const {
    const auto k = static_cast<std::size_t>(bar);
    const double reserve = reserves_[k];
    return {CanvasText(bars_[k].label), TextOf(FormatTrimmed(bars_[k].end - bars_[k].start, 2)),
            TextOf(FormatTrimmed(reserve, 2)),
            QString::fromLatin1(reserve == 0.0 ? CriticalYes : CriticalNo)};
}

QString TGanttForm::JobInfo(int bar) const {
    if (bar < 0 || static_cast<std::size_t>(bar) >= reserves_.size()) return {};
    const std::array<QString, 4> values = JobValues(bar);
    QStringList lines;
    for (std::size_t k = 0; k < values.size(); ++k)
        lines << QString::fromLatin1(JobCaptions[k]).trimmed() + QLatin1Char(' ') + values[k];
    return lines.join(QLatin1Char('\n'));
}

void TGanttForm::GanttChartClick(QPoint p) {
    const int bar = BarAt(p);
    if (bar < 0 || static_cast<std::size_t>(bar) >= reserves_.size()) return;
    const std::array<QString, 4> values = JobValues(bar);
    for (std::size_t k = 0; k < values.size(); ++k)
        valueLabels_[k]->setText(values[k]);
}

void TGanttForm::ShowMarksItemClick(bool checked) {
    marksShown_ = checked;
    chart_->update();
}

std::optional<std::string> TGanttForm::ChartFile(const std::string& extension) const {
    const QSize size = ChartSize();
    if (extension == ".WMF") return Metafile<WmfPaintDevice>(*this, size);
    if (extension == ".EMF") return Metafile<EmfPaintDevice>(*this, size);
    if (extension != ".BMP") return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!RenderChart(size).save(&buffer, "BMP")) return std::nullopt;
    return ToBytes(bytes);
}

void TGanttForm::SaveAs1Click() {
    const auto path = host_.Ui().AskTypedSavePath(
        {SaveChartCaption, SaveChartFilter, {".BMP", ".WMF", ".EMF"}, SaveChartDefaultName});
    if (!path) return;
    const std::string extension = UpperExtension(*path);
    if (extension != ".BMP" && extension != ".WMF" && extension != ".EMF") return; // saves nothing
    const auto bytes = ChartFile(extension);
    if (!bytes || WriteFileAtomically(*path, *bytes) != WriteStatus::Ok)
        host_.Ui().Error(CannotSaveChartMessage(*path));
}

QPrinter& TGanttForm::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

// The window's image, the job panel with the chart, fitted to the page.
void TGanttForm::Print1Click() {
    QPrinter& printer = Printer();
    if (!host_.Ui().AskPrinter(printer)) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        host_.Ui().Error(CannotPrintChartMessage);
        return;
    }
    const QImage image = WindowImage();
    const QRect page = painter.viewport();
    painter.drawImage(QRect(page.topLeft(), image.size().scaled(page.size(), Qt::KeepAspectRatio)), image);
}

QImage TGanttForm::WindowImage() {
    // What the window shows below its menu bar: the job panel and the chart.
    QWidget* bar = findChild<QMenuBar*>();
    const int top = bar != nullptr && bar->isVisible() ? bar->geometry().bottom() + 1 : 0;
    return grab(QRect(0, top, width(), height() - top)).toImage();
}

void TGanttForm::PrintSetup1Click() { host_.Ui().AskPrinterSetup(Printer()); }

void TGanttForm::closeEvent(QCloseEvent* event) {
    reserves_.clear();
    reserves_.shrink_to_fit();
    QWidget::closeEvent(event);
}

} // namespace plax
