#include "template_dialog.h"

#include "model/net_store.h"
#include "render/net_render.h"
#include "view/net_document.h"

#include "view/whole_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace plax {

namespace {

// What n, m and p mean for each kind, in the order of NetTemplate; none: the kind reads no such
// parameter.
struct KindFields {
    const char* n;
    const char* m;
    const char* p;
};

constexpr std::array<KindFields, NetTemplateCount> Fields = {{
    {"Points n:", nullptr, nullptr},
    {"Points n:", nullptr, nullptr},
    {"Points n:", nullptr, nullptr},
    {"Leaves n:", nullptr, nullptr},
    {"Rim points n:", nullptr, nullptr},
    {"Second part n:", "First part m:", nullptr},
    {"Rows:", "Columns:", nullptr},
    {"Dimension d:", nullptr, nullptr},
    {nullptr, nullptr, nullptr},
    {"Points n:", nullptr, nullptr},
    {"Points n:", nullptr, "Edge chance p:"},
    {"Points n:", "Edges m:", nullptr},
    {"Points n:", nullptr, "Further edges p:"},
    {"Points n:", nullptr, "Further edges p:"},
    {nullptr, "Buffer slots k:", nullptr},
}};

constexpr int PreviewWidth = 320;
constexpr int PreviewHeight = 176;

QString Text(const char* text) { return QString::fromUtf8(text); }

// "Petersen graph: 10 points, 15 edges"
QString Summary(const NetWorkType& net) {
    return QString::fromStdString(net.name + ": " + std::to_string(net.n) + " points, " +
                                  std::to_string(EdgeCount(net)) + " edges");
}

void Label(QLabel& label, QWidget& field, const char* text, const char* otherwise) {
    label.setText(Text(text != nullptr ? text : otherwise));
    field.setEnabled(text != nullptr);
}

} // namespace

TemplatePreview::TemplatePreview(QWidget* parent) : QWidget(parent) {
    setFixedSize(PreviewWidth, PreviewHeight);
    setObjectName(QStringLiteral("TemplatePreview"));
}

void TemplatePreview::Show(std::optional<NetWorkType> net, QSize laidOutIn) {
    net_ = std::move(net);
    laidOutIn_ = laidOutIn;
    update();
}

void TemplatePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!net_ || laidOutIn_.isEmpty()) return;
    const double scale = std::min(static_cast<double>(width()) / laidOutIn_.width(),
                                  static_cast<double>(height()) / laidOutIn_.height());
    painter.scale(scale, scale);
    ResetCanvas(painter);
    NetCanvas canvas{painter};
    NetWorkType drawn = *net_;
    RedrawNet(canvas, drawn, OwnColor);
}

TNewFromTemplateDlg::TNewFromTemplateDlg(const OptionType& options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), options_(options) {
    setWindowTitle(Text(TemplateCaption));
    FitToCaption(*this);
    setModal(true);
    MakeControls();
    MakeLayout();
    Load(TemplateParams{});
}

void TNewFromTemplateDlg::MakeControls() {
    kind_ = new QComboBox(this);
    for (const NetTemplateName& name : NetTemplateNames)
        kind_->addItem(QString::fromUtf8(name.title.data(), static_cast<qsizetype>(name.title.size())));
    n_ = new QSpinBox(this);
    n_->setRange(0, 99); // beyond 15, so the refusal says why
    m_ = new QSpinBox(this);
    m_->setRange(0, 9999);
    p_ = new QDoubleSpinBox(this);
    p_->setRange(0, 1);
    p_->setSingleStep(0.05);
    directed_ = new QCheckBox(tr("Directed"), this);
    seed_ = new QSpinBox(this);
    seed_->setRange(0, 2147483647);
    weights_ = new QComboBox(this);
    weights_->addItems({tr("Constant"), tr("Random whole numbers"), tr("Euclidean distances")});
    weight_ = new QDoubleSpinBox(this);
    weight_->setRange(0, 1000000);
    low_ = new QSpinBox(this);
    low_->setRange(0, 1000000);
    high_ = new QSpinBox(this);
    high_->setRange(0, 1000000);
    decimals_ = new QSpinBox(this);
    decimals_->setRange(0, 6);
    names_ = new QComboBox(this);
    names_->addItems({tr("1, 2, 3, ..."), tr("A, B, C, ...")});
    nLabel_ = new QLabel(this);
    mLabel_ = new QLabel(this);
    pLabel_ = new QLabel(this);
    preview_ = new TemplatePreview(this);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("TemplateMessage"));
    message_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto refresh = [this] { Refresh(); };
    connect(kind_, &QComboBox::currentIndexChanged, this, refresh);
    connect(weights_, &QComboBox::currentIndexChanged, this, refresh);
    connect(names_, &QComboBox::currentIndexChanged, this, refresh);
    for (QSpinBox* spin : {n_, m_, seed_, low_, high_, decimals_})
        connect(spin, &QSpinBox::valueChanged, this, refresh);
    for (QDoubleSpinBox* spin : {p_, weight_})
        connect(spin, &QDoubleSpinBox::valueChanged, this, refresh);
    connect(directed_, &QCheckBox::toggled, this, refresh);
}

void TNewFromTemplateDlg::MakeLayout() {
    auto* form = new QFormLayout;
    nLabel_->setBuddy(n_);
    mLabel_->setBuddy(m_);
    pLabel_->setBuddy(p_);
    low_->setAccessibleName(tr("Lowest weight"));
    high_->setAccessibleName(tr("Highest weight"));
    form->addRow(tr("Net:"), kind_);
    form->addRow(nLabel_, n_);
    form->addRow(mLabel_, m_);
    form->addRow(pLabel_, p_);
    form->addRow(directed_);
    form->addRow(tr("Seed:"), seed_);
    form->addRow(tr("Weights:"), weights_);
    form->addRow(tr("Weight:"), weight_);
    auto* range = new QHBoxLayout;
    range->addWidget(low_);
    range->addWidget(new QLabel(tr("to"), this));
    range->addWidget(high_);
    form->addRow(tr("From:"), range);
    form->addRow(tr("Decimals:"), decimals_);
    form->addRow(tr("Names:"), names_);
    auto* right = new QVBoxLayout;
    right->addWidget(preview_);
    right->addWidget(message_);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons_);
}

void TNewFromTemplateDlg::Load(const TemplateParams& params) {
    loading_ = true;
    kind_->setCurrentIndex(static_cast<int>(params.kind));
    n_->setValue(params.n);
    m_->setValue(params.m);
    p_->setValue(params.p);
    directed_->setChecked(params.directed);
    seed_->setValue(static_cast<int>(std::min<std::uint64_t>(params.seed, 2147483647)));
    weights_->setCurrentIndex(static_cast<int>(params.weights));
    weight_->setValue(params.weight);
    low_->setValue(params.weightMin);
    high_->setValue(params.weightMax);
    decimals_->setValue(params.decimals);
    names_->setCurrentIndex(params.naming == PointNaming::Letters ? 1 : 0);
    loading_ = false;
    Refresh();
}

TemplateParams TNewFromTemplateDlg::Answers() const {
    TemplateParams p;
    p.kind = static_cast<NetTemplate>(kind_->currentIndex());
    p.n = n_->value();
    p.m = m_->value();
    p.p = p_->value();
    p.directed = TemplateMayChooseDirection(p.kind) ? directed_->isChecked() : true;
    p.seed = static_cast<std::uint64_t>(seed_->value());
    p.weights = static_cast<WeightRule>(weights_->currentIndex());
    p.weight = weight_->value();
    p.weightMin = low_->value();
    p.weightMax = high_->value();
    p.decimals = decimals_->value();
    p.naming = names_->currentIndex() == 1 ? PointNaming::Letters : PointNaming::Numbers;
    return p;
}

void TNewFromTemplateDlg::Adapt() {
    const auto kind = static_cast<NetTemplate>(kind_->currentIndex());
    const KindFields& fields = Fields[static_cast<std::size_t>(kind)];
    Label(*nLabel_, *n_, fields.n, "n:");
    Label(*mLabel_, *m_, fields.m, "m:");
    Label(*pLabel_, *p_, fields.p, "p:");
    const bool mayChoose = TemplateMayChooseDirection(kind);
    directed_->setEnabled(mayChoose);
    if (!mayChoose) {
        const QSignalBlocker quiet(directed_);
        directed_->setChecked(true);
    }
    const auto rule = static_cast<WeightRule>(weights_->currentIndex());
    const bool weighted = kind != NetTemplate::ProducerConsumer;
    weights_->setEnabled(weighted);
    weight_->setEnabled(weighted && rule == WeightRule::Constant);
    low_->setEnabled(weighted && rule == WeightRule::RandomRange);
    high_->setEnabled(weighted && rule == WeightRule::RandomRange);
    decimals_->setEnabled(weighted && rule == WeightRule::Euclidean);
    seed_->setEnabled(TemplateIsRandom(kind) || (weighted && rule == WeightRule::RandomRange));
}

void TNewFromTemplateDlg::Refresh() {
    if (loading_) return;
    Adapt();
    // Laid out in the parameters' own canvas, a new document window's.
    const TemplateParams params = Answers();
    TemplateResult made = GenerateForNewNet(params, options_);
    message_->setText(made.net ? Summary(*made.net) : QString::fromStdString(made.refusal));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(made.net.has_value());
    if (made.net) made.net->view = options_.newDocumentView;
    preview_->Show(std::move(made.net), QSize(params.width, params.height));
}

bool TNewFromTemplateDlg::OkEnabled() const { return buttons_->button(QDialogButtonBox::Ok)->isEnabled(); }

bool TNewFromTemplateDlg::Ask(TemplateParams& params) {
    Load(params);
    if (exec() != QDialog::Accepted) return false;
    params = Answers();
    return true;
}

} // namespace plax
