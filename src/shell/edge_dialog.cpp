#include "edge_dialog.h"

#include "view/whole_texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

TEdgeFormDlg::TEdgeFormDlg(Dialogs& ui, Pickers& pickers, HelpRequest help, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), help_(std::move(help)) {
    setWindowTitle(QString::fromLatin1(EdgeDialogCaption));
    FitToCaption(*this);
    mark_ = new MarkEdit(ui, this);
    mark_->setObjectName(QStringLiteral("EditMark"));
    color_ = new ColorChoice(tr("Edge &Color"), pickers, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Help | QDialogButtonBox::Ok, this);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeFields(), 0, 0);
    layout->addWidget(MakeShapes(), 0, 1, 2, 1);
    layout->addWidget(color_, 1, 0);
    layout->addWidget(buttons, 2, 0, 1, 2);
    ConnectDialogButtons(*this, *buttons, help_, EdgeHelpTopic);
    std::vector<QWidget*> chain{mark_, name_, width_, style_, reverse_};
    chain.insert(chain.end(), shapes_.begin(), shapes_.end());
    chain.push_back(&color_->Button());
    ChainTabs(chain, *buttons);
    Connect();
}

QWidget* TEdgeFormDlg::MakeFields() {
    auto* fields = new QWidget(this);
    edge_ = new QLabel(fields);
    edge_->setObjectName(QStringLiteral("LabelEdge"));
    mark_->setParent(fields);
    name_ = new QLineEdit(fields);
    name_->setObjectName(QStringLiteral("EditName"));
    name_->setMaxLength(static_cast<int>(MaxNameLength));
    width_ = new QSpinBox(fields);
    width_->setObjectName(QStringLiteral("SpinWidth"));
    width_->setRange(1, MaxDialogLineWidth);
    style_ = new QComboBox(fields);
    style_->setObjectName(QStringLiteral("LineStyle"));
    for (const char* s : LineStyleNames)
        style_->addItem(QString::fromLatin1(s));
    reverse_ = new QCheckBox(tr("&Reverse Edge"), fields);
    reverse_->setObjectName(QStringLiteral("ReverseEdge"));
    reverse_->setToolTip(QString::fromLatin1(ReverseEdgeHint));
    auto* form = new QFormLayout(fields);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Edge:"), edge_);
    form->addRow(tr("&Value of the Mark:"), mark_);
    form->addRow(tr("&Name of the Edge:"), name_);
    form->addRow(tr("&Width"), width_);
    form->addRow(tr("&Line Style"), style_);
    form->addRow(reverse_);
    return fields;
}

QGroupBox* TEdgeFormDlg::MakeShapes() {
    auto* box = new QGroupBox(tr("Edge &Type"), this);
    auto* column = new QVBoxLayout(box);
    shapeGroup_ = new QButtonGroup(box);
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        shapes_[i] = new QRadioButton(QString::fromLatin1(EdgeShapeNames[i]), box);
        shapeGroup_->addButton(shapes_[i], static_cast<int>(i));
        column->addWidget(shapes_[i]);
    }
    // The elliptic shapes are drawn but not offered.
    shapes_[1]->setEnabled(false);
    shapes_[2]->setEnabled(false);
    return box;
}

void TEdgeFormDlg::Connect() {
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& t) { state_.block.name = NameOf(t); });
    connect(shapeGroup_, &QButtonGroup::idClicked, this,
            [this](int shape) { state_.block.shape = static_cast<std::uint32_t>(shape); });
    connect(width_, &QSpinBox::valueChanged, this, &TEdgeFormDlg::WidthChanged);
    connect(style_, &QComboBox::currentIndexChanged, this, [this](int style) {
        if (style >= 0) state_.block.lineStyle = static_cast<std::uint32_t>(style);
    });
    connect(reverse_, &QCheckBox::clicked, this, &TEdgeFormDlg::Reverse);
}

void TEdgeFormDlg::Load(const EdgeDialogState& state) {
    state_ = state;
    mark_->Bind(state_.block.weight);
    color_->Bind(state_.block.color, state_.oldColor);
    const QSignalBlocker block(reverse_);
    reverse_->setChecked(false);
    reverse_->setEnabled(state_.twoWay);
    ShowBlock();
    mark_->setFocus();
}

void TEdgeFormDlg::ShowBlock() {
    const EdgeAttributes& b = state_.block;
    edge_->setText(QString::fromStdString(EdgeTitle(state_)));
    const QSignalBlocker b1(name_), b2(width_), b3(style_);
    mark_->ShowWeight();
    name_->setText(NameText(b.name));
    if (b.shape < shapes_.size()) shapes_[b.shape]->setChecked(true);
    width_->setValue(b.lineWidth);
    style_->setCurrentIndex(static_cast<int>(b.lineStyle));
    style_->setEnabled(StyleEnabled(b));
    color_->ShowColors();
}

void TEdgeFormDlg::Reverse() {
    // A mark typed but not yet left belongs to the direction in hand.
    if (!mark_->Check()) {
        const QSignalBlocker block(reverse_);
        reverse_->setChecked(!reverse_->isChecked());
        return;
    }
    ReverseEdge(state_);
    ShowBlock();
}

void TEdgeFormDlg::WidthChanged(int width) {
    SetLineWidth(state_.block, width);
    const QSignalBlocker block(style_);
    style_->setCurrentIndex(static_cast<int>(state_.block.lineStyle));
    style_->setEnabled(StyleEnabled(state_.block));
}

void TEdgeFormDlg::accept() {
    if (!mark_->Check()) return;
    QDialog::accept();
}

std::optional<EdgeDialogState> TEdgeFormDlg::Edit(const EdgeDialogState& state) {
    Load(state);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return state_;
}

} // namespace plax
