#include "point_dialog.h"

#include "view/display_option_rules.h"

#include "view/whole_texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace plax {

namespace {

// The token label with a mnemonic for its spin box.
QString TokenCaption(int shape) { return QStringLiteral("&") + QString::fromLatin1(TokenLabel(shape)); }

QCheckBox* MakeBox(const QString& text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

TPointFormDlg::TPointFormDlg(Dialogs& ui, Pickers& pickers, HelpRequest help, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), help_(std::move(help)) {
    setWindowTitle(QString::fromLatin1(PointDialogCaption));
    FitToCaption(*this);
    mark_ = new MarkEdit(ui, this);
    mark_->setObjectName(QStringLiteral("EditMark"));
    color_ = new ColorChoice(tr("Point &Color"), pickers, this);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Help | QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeFields(), 0, 0);
    layout->addWidget(MakeShapes(), 0, 1, 2, 1);
    layout->addWidget(color_, 1, 0);
    layout->addWidget(MakeCustom(), 2, 0, 1, 2);
    layout->addWidget(buttons, 3, 0, 1, 2);
    ConnectDialogButtons(*this, *buttons, help_, PointHelpTopic);
    std::vector<QWidget*> chain{name_, mark_, tokens_};
    chain.insert(chain.end(), shapes_.begin(), shapes_.end());
    chain.insert(chain.end(),
                 {&color_->Button(), custom_, radius_, showNumber_, showBorder_, fillPoint_, doubleBorder_});
    ChainTabs(chain, *buttons);
    Connect();
}

QWidget* TPointFormDlg::MakeFields() {
    auto* fields = new QWidget(this);
    number_ = new QLabel(fields);
    x_ = new QLabel(fields);
    y_ = new QLabel(fields);
    name_ = new QLineEdit(fields);
    name_->setObjectName(QStringLiteral("EditName"));
    name_->setMaxLength(static_cast<int>(MaxNameLength));
    mark_->setParent(fields);
    tokens_ = new QSpinBox(fields);
    tokens_->setObjectName(QStringLiteral("SpinTokens"));
    tokens_->setRange(0, MaxDialogTokens);
    tokensLabel_ = new QLabel(TokenCaption(0), fields);
    tokensLabel_->setBuddy(tokens_);
    auto* form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Point Number:"), number_);
    form->addRow(tr("X = "), x_);
    form->addRow(tr("Y = "), y_);
    form->addRow(tr("&Name of the Point:"), name_);
    form->addRow(tr("&Value of the Mark:"), mark_);
    form->addRow(tokensLabel_, tokens_);
    return fields;
}

QGroupBox* TPointFormDlg::MakeShapes() {
    auto* box = new QGroupBox(tr("Point T&ype"), this);
    auto* column = new QVBoxLayout(box);
    shapeGroup_ = new QButtonGroup(box);
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        shapes_[i] = new QRadioButton(QString::fromLatin1(PointShapeNames[i]), box);
        shapeGroup_->addButton(shapes_[i], static_cast<int>(i));
        column->addWidget(shapes_[i]);
    }
    return box;
}

QGroupBox* TPointFormDlg::MakeCustom() {
    custom_ = new QGroupBox(tr("C&ustom Point Options"), this);
    custom_->setObjectName(QStringLiteral("CustomOptions"));
    custom_->setCheckable(true);
    radius_ = new QSpinBox(custom_);
    radius_->setObjectName(QStringLiteral("SpinRadius"));
    radius_->setRange(0, MaxCustomRadius);
    auto* radiusLabel = new QLabel(tr("&Radius"), custom_);
    radiusLabel->setBuddy(radius_);
    showNumber_ = MakeBox(tr("Show Nu&mber"), "ShowNumber", custom_);
    showBorder_ = MakeBox(tr("Show &Border"), "ShowBorder", custom_);
    fillPoint_ = MakeBox(tr("&Fill point"), "FillPoint", custom_);
    doubleBorder_ = MakeBox(tr("&Double Border"), "DoubleBorder", custom_);
    auto* grid = new QGridLayout(custom_);
    grid->addWidget(radiusLabel, 0, 0);
    grid->addWidget(radius_, 0, 1);
    grid->addWidget(showNumber_, 0, 2);
    grid->addWidget(showBorder_, 0, 3);
    grid->addWidget(fillPoint_, 1, 2);
    grid->addWidget(doubleBorder_, 1, 3);
    return custom_;
}

void TPointFormDlg::Connect() {
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& t) { state_.point.name = NameOf(t); });
    connect(tokens_, &QSpinBox::valueChanged, this,
            [this](int v) { state_.point.tokens = static_cast<std::uint16_t>(v); });
    connect(shapeGroup_, &QButtonGroup::idClicked, this, &TPointFormDlg::ShapeClicked);
    connect(custom_, &QGroupBox::toggled, this, &TPointFormDlg::CustomToggled);
    connect(radius_, &QSpinBox::valueChanged, this, &TPointFormDlg::OptionChanged);
    for (QCheckBox* box : {showNumber_, showBorder_, fillPoint_, doubleBorder_})
        connect(box, &QCheckBox::toggled, this, &TPointFormDlg::OptionChanged);
}

void TPointFormDlg::Load(const PointDialogState& state) {
    state_ = state;
    const PointType& p = state_.point;
    number_->setText(QString::number(state_.number));
    x_->setText(QString::number(p.x));
    y_->setText(QString::number(p.y));
    const QSignalBlocker blockName(name_);
    const QSignalBlocker blockTokens(tokens_);
    const QSignalBlocker blockCustom(custom_);
    name_->setText(NameText(p.name));
    mark_->Bind(state_.point.weight);
    mark_->ShowWeight();
    tokens_->setValue(p.tokens);
    for (std::size_t i = 0; i < shapes_.size(); ++i)
        shapes_[i]->setEnabled(ShapeEnabled(state_, static_cast<int>(i)));
    if (p.shape < shapes_.size()) shapes_[p.shape]->setChecked(true);
    tokensLabel_->setText(TokenCaption(p.shape));
    color_->Bind(state_.point.color, state_.oldColor);
    color_->ShowColors();
    custom_->setChecked(p.customOptions != 0);
    ShowOptions();
    name_->setFocus();
}

void TPointFormDlg::ShapeClicked(int shape) {
    state_.point.shape = static_cast<std::uint16_t>(shape);
    tokensLabel_->setText(TokenCaption(shape));
}

void TPointFormDlg::CustomToggled(bool on) {
    SetCustomOptions(state_, on);
    ShowOptions();
}

void TPointFormDlg::OptionChanged() {
    if (state_.point.customOptions == 0) return;
    PointOptionType& o = state_.point.options;
    o.radius = static_cast<std::uint16_t>(radius_->value());
    o.showNumber = showNumber_->isChecked() ? 1 : 0;
    o.showBorder = showBorder_->isChecked() ? 1 : 0;
    o.fillPoint = fillPoint_->isChecked() ? 1 : 0;
    o.doubleBorder = doubleBorder_->isChecked() ? 1 : 0;
    ShowOptions();
}

void TPointFormDlg::ShowOptions() {
    PointOptionType shown = ShownOptions(state_);
    ApplyDisplayOptionRules(shown);
    const DisplayOptionEnabling on = DisplayOptionsEnabled(shown);
    if (state_.point.customOptions != 0) state_.point.options = shown;
    const QSignalBlocker b1(radius_), b2(showNumber_), b3(showBorder_), b4(fillPoint_), b5(doubleBorder_);
    radius_->setValue(shown.radius);
    showNumber_->setChecked(shown.showNumber != 0);
    showBorder_->setChecked(shown.showBorder != 0);
    fillPoint_->setChecked(shown.fillPoint != 0);
    doubleBorder_->setChecked(shown.doubleBorder != 0);
    fillPoint_->setEnabled(on.fillPoint);
    doubleBorder_->setEnabled(on.doubleBorder);
}

void TPointFormDlg::accept() {
    if (!mark_->Check()) return;
    QDialog::accept();
}

std::optional<PointType> TPointFormDlg::Edit(const PointDialogState& state) {
    Load(state);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return state_.point;
}

} // namespace plax
