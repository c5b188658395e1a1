#include "simulation_process_window.h"

#include "render/picture_export.h"
#include "render/render_support.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace plax {

namespace {

constexpr const char* SaveChartCaption = "Save Chart As...";
constexpr const char* SaveChartFilter = "PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg";
constexpr const char* SaveChartName = "Simulation.png";
constexpr QRgb PlacesColor = qRgb(0, 128, 128);
constexpr QRgb TransitionsColor = qRgb(192, 0, 0);
constexpr int FormWidth = 480;
constexpr int FormHeight = 360;

QPushButton* Button(QWidget& parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), &parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

TSimulationProcessForm::TSimulationProcessForm(DocumentHost& host, SimulationCommands& source,
                                               QWidget* parent)
    : QWidget(parent), host_(host), source_(&source) {
    setWindowTitle(QString::fromLatin1(SimulationProcessCaption));
    tabs_ = new QTabWidget(this);
    places_ = new BarChartView(tabs_);
    transitions_ = new BarChartView(tabs_);
    tabs_->addTab(places_, QString::fromLatin1(PlacesTabCaption));
    tabs_->addTab(transitions_, QString::fromLatin1(TransitionsTabCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(MakeButtons());
    connect(&source, &SimulationCommands::processChanged, this, &TSimulationProcessForm::Refresh);
    // The figures belong to the document: without it the window has nothing to show.
    connect(&source, &QObject::destroyed, this, [this] {
        if (QWidget* frame = parentWidget()) {
            frame->close();
        } else {
            close();
        }
    });
    resize(FormWidth, FormHeight);
    Refresh();
}

TSimulationProcessForm::~TSimulationProcessForm() = default;

QWidget* TSimulationProcessForm::MakeButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    numbers_ = new QRadioButton(QStringLiteral("Show Numbers"), row);
    names_ = new QRadioButton(QStringLiteral("Show Names"), row);
    numbers_->setChecked(true);
    auto* group = new QButtonGroup(row);
    group->addButton(numbers_);
    group->addButton(names_);
    connect(numbers_, &QRadioButton::toggled, this, &TSimulationProcessForm::Refresh);
    QPushButton* save = Button(*row, "SaveBtn", "Save As...");
    QPushButton* print = Button(*row, "PrintBtn", "Print...");
    connect(save, &QPushButton::clicked, this, &TSimulationProcessForm::SaveAs1Click);
    connect(print, &QPushButton::clicked, this, &TSimulationProcessForm::Print1Click);
    layout->addWidget(numbers_);
    layout->addWidget(names_);
    layout->addStretch(1);
    layout->addWidget(save);
    layout->addWidget(print);
    return row;
}

BarChartData TSimulationProcessForm::ChartOf(const std::vector<ProcessBar>& bars, const char* title,
                                             QColor color) const {
    BarChartData chart{QString::fromLatin1(title), color, {}, {}};
    for (const ProcessBar& bar : bars) {
        // A point without a name keeps its number, so no row is left blank.
        const bool byName = names_->isChecked() && !bar.name.empty();
        chart.labels.push_back(byName ? CanvasText(bar.name) : QString::number(bar.point));
        chart.values.push_back(bar.value);
    }
    return chart;
}

void TSimulationProcessForm::Refresh() {
    if (!source_) return;
    const SimulationProcessData data = source_->ProcessData();
    places_->SetData(ChartOf(data.places, PlacesChartTitle, QColor(PlacesColor)));
    transitions_->SetData(ChartOf(data.transitions, TransitionsChartTitle, QColor(TransitionsColor)));
}

const BarChartView& TSimulationProcessForm::Current() const {
    return tabs_->currentIndex() == 0 ? *places_ : *transitions_;
}

void TSimulationProcessForm::SaveAs1Click() {
    const auto path =
        host_.Ui().AskTypedSavePath({SaveChartCaption, SaveChartFilter, {".png", ".svg"}, SaveChartName});
    if (!path) return;
    const BarChartView& chart = Current();
    auto format = PictureFormatForPath(*path);
    if (format != PictureFormat::Svg) format = PictureFormat::Png;
    const QSize size = chart.size();
    const auto bytes =
        RenderPicture(*format, size.width(), size.height(), chart.Data().title,
                      [&chart, size](QPainter& painter) { PaintBarChart(painter, size, chart.Data()); });
    (void)SavePicture(*path, bytes, host_.Ui());
}

void TSimulationProcessForm::Print1Click() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!host_.Ui().AskPrinter(*printer_)) return;
    QPainter painter;
    if (!painter.begin(printer_.get())) return;
    const BarChartView& chart = Current();
    const QRect page = painter.viewport();
    const QSize size = chart.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.setWindow(QRect(QPoint(0, 0), chart.size()));
    painter.setViewport(QRect(page.topLeft(), size));
    PaintBarChart(painter, chart.size(), chart.Data());
}

} // namespace plax
