#include "options_palette.h"

#include "options_dialog.h"

#include "view/attribute_dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace plax {

namespace {

constexpr std::array<const char*, 8> PointShapeHints = {"Circle",         "Square",       "Transition Vert",
                                                        "Transition Hor", "Diamond",      "Rounded Square",
                                                        "Triangle Up",    "Triangle Down"};
// The palette offers the straight edge and the two broken ones.
constexpr std::array<const char*, 3> EdgeShapeHints = {"Line", "Triangle Edge Type 1",
                                                       "Triangle Edge Type 2"};
constexpr std::array<int, 3> EdgeShapeCodes = {0, 3, 4};
constexpr const char* WidthHint = "Width of the Edge";
constexpr const char* StyleHint = "Line Style for the Edge";
constexpr const char* NoName = "No Name";
constexpr int IconSize = 20;

QString Text(const char* text) { return QString::fromUtf8(text); }

// The outline of a point shape in an icon of IconSize pixels.
QPainterPath PointShapePath(int shape) {
    QPainterPath path;
    const QRectF r(3, 3, 14, 14);
    switch (shape) {
    case 0: path.addEllipse(r); break;
    case 1: path.addRect(r); break;
    case 2: path.addRect(QRectF(8, 2, 4, 16)); break;
    case 3: path.addRect(QRectF(2, 8, 16, 4)); break;
    case 4: path.addPolygon(QPolygonF({{10, 2}, {18, 10}, {10, 18}, {2, 10}, {10, 2}})); break;
    case 5: path.addRoundedRect(r, 4, 4); break;
    case 6: path.addPolygon(QPolygonF({{10, 3}, {17, 17}, {3, 17}, {10, 3}})); break;
    default: path.addPolygon(QPolygonF({{3, 3}, {17, 3}, {10, 17}, {3, 3}})); break;
    }
    return path;
}

// A straight edge, or one broken to the left or the right of its line.
QPainterPath EdgeShapePath(int index) {
    QPainterPath path(QPointF(3, 17));
    if (index == 1) path.lineTo(4, 4);
    if (index == 2) path.lineTo(16, 16);
    path.lineTo(17, 3);
    return path;
}

QIcon IconOf(const QPainterPath& path) {
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawPath(path);
    return QIcon(picture);
}

} // namespace

TFormOptionsPallete::TFormOptionsPallete(OptionType& options, Pickers& pickers, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), options_(options), pickers_(pickers) {
    setWindowTitle(Text(OptionsPaletteCaption));
    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(Text(OptionsPaletteCaption));
    // All three tabs in sight, never behind scroll arrows.
    tabs_->setUsesScrollButtons(false);
    tabs_->addTab(MakePointTab(), tr("Point type"));
    tabs_->addTab(MakeEdgeTab(), tr("EdgeType"));
    tabs_->addTab(MakeColorTab(), tr("Color"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tabs_);
}

QToolButton* TFormOptionsPallete::ShapeButton(QWidget* parent, const QIcon& icon, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setText(Text(hint));
    button->setToolTip(Text(hint));
    button->setCheckable(true);
    button->setAutoRaise(true);
    return button;
}

QWidget* TFormOptionsPallete::MakePointTab() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    auto* group = new QButtonGroup(page);
    for (std::size_t shape = 0; shape < pointShapes_.size(); ++shape) {
        const int index = static_cast<int>(shape);
        pointShapes_[shape] = ShapeButton(page, IconOf(PointShapePath(index)), PointShapeHints[shape]);
        group->addButton(pointShapes_[shape], index);
        grid->addWidget(pointShapes_[shape], index / 4, index % 4);
    }
    pointShapes_[static_cast<std::size_t>(options_.newPointShape) % pointShapes_.size()]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this](int shape) { options_.newPointShape = shape; });
    pointName_ = new QLineEdit(Text(NoName), page);
    pointName_->setObjectName(QStringLiteral("PointName"));
    auto* nameLabel = new QLabel(tr("Point &Name"), page);
    nameLabel->setBuddy(pointName_);
    grid->addWidget(nameLabel, 2, 0, 1, 4);
    grid->addWidget(pointName_, 3, 0, 1, 4);
    connect(pointName_, &QLineEdit::textChanged, this,
            [this](const QString& name) { options_.newPointName = name.toLatin1().toStdString(); });
    return page;
}

QWidget* TFormOptionsPallete::MakeEdgeTab() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    auto* row = new QHBoxLayout;
    auto* group = new QButtonGroup(page);
    for (std::size_t k = 0; k < edgeShapes_.size(); ++k) {
        edgeShapes_[k] = ShapeButton(page, IconOf(EdgeShapePath(static_cast<int>(k))), EdgeShapeHints[k]);
        group->addButton(edgeShapes_[k], EdgeShapeCodes[k]);
        row->addWidget(edgeShapes_[k]);
        if (EdgeShapeCodes[k] == options_.newEdgeShape) edgeShapes_[k]->setChecked(true);
    }
    row->addStretch(1);
    form->addRow(row);
    connect(group, &QButtonGroup::idClicked, this, [this](int shape) { options_.newEdgeShape = shape; });
    width_ = new QSpinBox(page);
    width_->setObjectName(QStringLiteral("Width"));
    width_->setRange(1, 4);
    width_->setValue(options_.newLineWidth);
    width_->setToolTip(Text(WidthHint));
    form->addRow(tr("&Width"), width_);
    connect(width_, &QSpinBox::valueChanged, this, [this](int width) { options_.newLineWidth = width; });
    style_ = new QComboBox(page);
    style_->setObjectName(QStringLiteral("Style"));
    for (const char* name : LineStyleNames)
        style_->addItem(Text(name));
    style_->setToolTip(Text(StyleHint));
    form->addRow(tr("&Style"), style_);
    connect(style_, &QComboBox::currentIndexChanged, this,
            [this](int style) { options_.newLineStyle = style; });
    edgeName_ = new QLineEdit(Text(NoName), page);
    edgeName_->setObjectName(QStringLiteral("EdgeName"));
    form->addRow(tr("Edge &Name"), edgeName_);
    connect(edgeName_, &QLineEdit::textChanged, this,
            [this](const QString& name) { options_.newEdgeName = name.toLatin1().toStdString(); });
    return page;
}

QWidget* TFormOptionsPallete::MakeColorTab() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    swatch_ = new QLabel(page);
    swatch_->setObjectName(QStringLiteral("CurrentColor"));
    swatch_->setFixedSize(24, 24);
    ShowSwatch(*swatch_, options_.foreDefaultColor);
    form->addRow(tr("Current Color"), swatch_);
    auto* pick = new QPushButton(tr("&Color..."), page);
    pick->setObjectName(QStringLiteral("ColorBtn"));
    form->addRow(pick);
    connect(pick, &QPushButton::clicked, this, &TFormOptionsPallete::PickColor);
    return page;
}

void TFormOptionsPallete::PickColor() {
    if (auto color = pickers_.AskColor(options_.foreDefaultColor)) {
        options_.foreDefaultColor = *color;
        ShowColor();
    }
}

void TFormOptionsPallete::ShowColor() { ShowSwatch(*swatch_, options_.foreDefaultColor); }

} // namespace plax
