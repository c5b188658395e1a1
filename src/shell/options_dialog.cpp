#include "options_dialog.h"

#include "render/render_support.h"
#include "view/display_option_rules.h"

#include "view/whole_texts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace plax {

namespace {

constexpr const char* ConfirmTabCaption = "Confirm Options";
constexpr const char* PopUpTabCaption = "Pop Up Info";
constexpr const char* CurrentSettingsCaption = "Current Settings";
constexpr const char* LoadPanelCaption = "Load Graph with Settings:";
constexpr const char* ForeColorCaption = "Fore Default Color";
constexpr const char* ApplyPanelCaption = "Apply current Settings to:";
// Our own captions for the two colour buttons, which have none of their own. The access letters
// of the dialog's captions are all different.
constexpr const char* BorderColorCaption = "Border Co&lor...";
constexpr const char* ForeColorButtonCaption = "C&olor...";
constexpr std::array<const char*, 3> LoadModeCaptions = {"&Default (R=10, Size=8)", "O&wn", "&Current"};
constexpr std::array<const char*, 3> TargetCaptions = {"Current &Graph ", "&All Graphs ", "No Actions"};
constexpr int SwatchSize = 24;

QString Text(const char* text) { return QString::fromUtf8(text); }

template <class Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

void ShowSwatch(QLabel& swatch, Color color) {
    swatch.setAutoFillBackground(true);
    QPalette colours = swatch.palette();
    colours.setColor(QPalette::Window, ToQColor(color));
    swatch.setPalette(colours);
}

TOptionsDlg::TOptionsDlg(ProgramState& state, Pickers& pickers, HelpRequest help, QWidget* parent)
    : QDialog(parent), state_(state), pickers_(pickers), help_(std::move(help)) {
    setWindowTitle(Text(OptionsCaption));
    FitToCaption(*this);
    setModal(true);
    tabs_ = Named(new QTabWidget(this), "PageControl1");
    tabs_->setAccessibleName(Text(OptionsCaption));
    tabs_->addTab(MakeConfirmTab(), Text(ConfirmTabCaption));
    tabs_->addTab(MakePopUpTab(), Text(PopUpTabCaption));
    auto* top = new QHBoxLayout;
    top->addWidget(tabs_, 1);
    top->addWidget(MakeCurrentSettings());
    auto* middle = new QHBoxLayout;
    middle->addWidget(MakeLoadPanel());
    middle->addWidget(MakeForeColorPanel());
    middle->addWidget(MakeApplyPanel());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(MakeButtons());
    Load(BeginOptionsEdit(state_.options, false));
}

QCheckBox* TOptionsDlg::AddSwitch(QWidget* parent, const char* name, const char* caption, SwitchField field) {
    auto* box = Named(new QCheckBox(Text(caption), parent), name);
    switches_.push_back({box, std::move(field)});
    connect(box, &QCheckBox::toggled, this, [this, s = switches_.back()](bool on) { SwitchChanged(s, on); });
    return box;
}

QWidget* TOptionsDlg::MakeConfirmTab() {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    column->addWidget(AddSwitch(page, "EditConfirmation", "&Edit Confirmation",
                                [](OptionsEdit& e) -> std::uint8_t& { return e.options.editConfirmation; }));
    column->addWidget(
        AddSwitch(page, "SelectConfirmation", "&Select Confirmation",
                  [](OptionsEdit& e) -> std::uint8_t& { return e.options.selectConfirmation; }));
    column->addWidget(AddSwitch(page, "ShowPopUpInfo", "Show Pop Up &info",
                                [](OptionsEdit& e) -> std::uint8_t& { return e.options.showPopUpInfo; }));
    column->addStretch(1);
    return page;
}

// Each box sets its pop-up flag: point name, tokens, (x,y), weight, number, then the edge's
// name, weight and flow.
QWidget* TOptionsDlg::MakePopUpTab() {
    popUpTab_ = new QWidget(this);
    auto* row = new QHBoxLayout(popUpTab_);
    row->addWidget(MakePopUpGroup(
        "Point Info", {{"Name", 0}, {"Number", 4}, {"(X,Y)", 2}, {"Weight", 3}, {"Token/Level", 1}}));
    row->addWidget(MakePopUpGroup("Edge Info", {{"Name", 5}, {"Weight", 6}, {"Flow/Reserve", 7}}));
    return popUpTab_;
}

QGroupBox* TOptionsDlg::MakePopUpGroup(const char* title,
                                       const std::vector<std::pair<const char*, int>>& boxes) {
    auto* group = new QGroupBox(Text(title), popUpTab_);
    auto* column = new QVBoxLayout(group);
    for (const auto& [caption, flag] : boxes) {
        const std::string name = "PopUp" + std::to_string(flag);
        const auto index = static_cast<std::size_t>(flag);
        column->addWidget(AddSwitch(group, name.c_str(), caption, [index](OptionsEdit& e) -> std::uint8_t& {
            return e.options.popUp[index];
        }));
    }
    column->addStretch(1);
    return group;
}

QSpinBox* TOptionsDlg::AddSpin(const char* name, int low, int high, std::uint16_t PointOptionType::*field) {
    auto* spin = Named(new QSpinBox(this), name);
    spin->setRange(low, high);
    connect(spin, &QSpinBox::valueChanged, this, [this, field](int value) {
        if (!showing_) edit_.options.options.*field = static_cast<std::uint16_t>(value);
    });
    return spin;
}

QGroupBox* TOptionsDlg::MakeCurrentSettings() {
    auto* group = new QGroupBox(Text(CurrentSettingsCaption), this);
    auto* form = new QFormLayout(group);
    numberSize_ = AddSpin("NumberSize", 1, 10, &PointOptionType::fontSize);
    radius_ = AddSpin("Radius", 0, 15, &PointOptionType::radius);
    auto* sizeLabel = new QLabel(tr("Number Si&ze"), group);
    sizeLabel->setBuddy(numberSize_);
    auto* radiusLabel = new QLabel(tr("&Radius"), group);
    radiusLabel->setBuddy(radius_);
    form->addRow(sizeLabel, numberSize_);
    form->addRow(radiusLabel, radius_);
    form->addRow(AddSwitch(group, "ShowNumber", "Show Num&ber",
                           [](OptionsEdit& e) -> std::uint8_t& { return e.options.options.showNumber; }));
    form->addRow(AddSwitch(group, "ShowBorder", "Show Bor&der",
                           [](OptionsEdit& e) -> std::uint8_t& { return e.options.options.showBorder; }));
    fillPoint_ = AddSwitch(group, "FillPoint", "&Fill point",
                           [](OptionsEdit& e) -> std::uint8_t& { return e.options.options.fillPoint; });
    borderByColor_ =
        AddSwitch(group, "BorderByColor", "Border b&y Color",
                  [](OptionsEdit& e) -> std::uint8_t& { return e.options.options.coloredBorder; });
    doubleBorder_ = AddSwitch(group, "DoubleBorder", "Do&uble Border",
                              [](OptionsEdit& e) -> std::uint8_t& { return e.options.options.doubleBorder; });
    form->addRow(fillPoint_);
    form->addRow(borderByColor_);
    form->addRow(doubleBorder_);
    auto* pick = Named(new QPushButton(Text(BorderColorCaption), group), "BorderColorBtn");
    borderSwatch_ = Named(new QLabel(group), "BorderColorSwatch");
    borderSwatch_->setFixedSize(SwatchSize, SwatchSize);
    form->addRow(pick, borderSwatch_);
    connect(pick, &QPushButton::clicked, this, &TOptionsDlg::PickBorderColor);
    return group;
}

QGroupBox* TOptionsDlg::MakeLoadPanel() {
    auto* group = new QGroupBox(Text(LoadPanelCaption), this);
    auto* column = new QVBoxLayout(group);
    for (std::size_t mode = 0; mode < loadModes_.size(); ++mode) {
        loadModes_[mode] = new QRadioButton(Text(LoadModeCaptions[mode]), group);
        loadModes_[mode]->setObjectName(QStringLiteral("LoadMode%1").arg(mode));
        column->addWidget(loadModes_[mode]);
        connect(loadModes_[mode], &QRadioButton::toggled, this, [this, mode](bool on) {
            if (on && !showing_) edit_.options.loadMode = static_cast<std::int32_t>(mode);
        });
    }
    column->addWidget(AddSwitch(group, "ShowEdgeLabels", "S&how Edge Labels",
                                [](OptionsEdit& e) -> std::uint8_t& { return e.options.showEdgeLabels; }));
    return group;
}

QGroupBox* TOptionsDlg::MakeForeColorPanel() {
    auto* group = new QGroupBox(Text(ForeColorCaption), this);
    auto* column = new QVBoxLayout(group);
    auto* pick = Named(new QPushButton(Text(ForeColorButtonCaption), group), "ForeColorBtn");
    foreSwatch_ = Named(new QLabel(group), "ForeColorSwatch");
    foreSwatch_->setFixedSize(SwatchSize, SwatchSize);
    column->addWidget(pick);
    column->addWidget(foreSwatch_, 0, Qt::AlignHCenter);
    column->addStretch(1);
    connect(pick, &QPushButton::clicked, this, &TOptionsDlg::PickForeColor);
    return group;
}

QGroupBox* TOptionsDlg::MakeApplyPanel() {
    auto* group = new QGroupBox(Text(ApplyPanelCaption), this);
    auto* column = new QVBoxLayout(group);
    for (std::size_t k = 0; k < targets_.size(); ++k) {
        targets_[k] = new QRadioButton(Text(TargetCaptions[k]), group);
        targets_[k]->setObjectName(QStringLiteral("Apply%1").arg(k));
        column->addWidget(targets_[k]);
        connect(targets_[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on && !showing_) edit_.target = static_cast<ApplyTarget>(k);
        });
    }
    column->addStretch(1);
    return group;
}

QWidget* TOptionsDlg::MakeButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [&](const char* name, const QString& caption) {
        auto* button = Named(new QPushButton(caption, row), name);
        button->setAutoDefault(false);
        layout->addWidget(button);
        return button;
    };
    connect(add("ReportFontBtn", Text("Re&port Font")), &QPushButton::clicked, this, [this] {
        if (auto font = pickers_.AskFont(state_.reportFont)) state_.reportFont = *font;
    });
    connect(add("ResultFontBtn", Text("Result Fo&nt")), &QPushButton::clicked, this, [this] {
        if (auto font = pickers_.AskFont(state_.resultFont)) state_.resultFont = *font;
    });
    connect(add("SetDefaultBtn", Text("Se&t Default")), &QPushButton::clicked, this,
            &TOptionsDlg::SetDefault1Click);
    layout->addStretch(1);
    connect(add("HelpBtn", tr("Help")), &QPushButton::clicked, this, &TOptionsDlg::HelpBtnClick);
    QPushButton* ok = add("OKBtn", tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(add("CancelBtn", tr("Cancel")), &QPushButton::clicked, this, &QDialog::reject);
    return row;
}

void TOptionsDlg::SwitchChanged(const Switch& s, bool on) {
    if (showing_) return;
    s.field(edit_) = on ? 1 : 0;
    ApplyRules();
}

void TOptionsDlg::ApplyRules() {
    ApplyDisplayOptionRules(edit_.options.options);
    const DisplayOptionEnabling on = DisplayOptionsEnabled(edit_.options.options);
    fillPoint_->setEnabled(on.fillPoint);
    doubleBorder_->setEnabled(on.doubleBorder);
    borderByColor_->setEnabled(on.borderByColor);
    tabs_->setTabVisible(tabs_->indexOf(popUpTab_), edit_.options.showPopUpInfo != 0);
    ShowSwitches();
}

void TOptionsDlg::ShowSwitches() {
    const bool wasShowing = showing_;
    showing_ = true;
    for (const Switch& s : switches_)
        s.box->setChecked(s.field(edit_) != 0);
    showing_ = wasShowing;
}

void TOptionsDlg::ShowAll() {
    showing_ = true;
    const PointOptionType& block = edit_.options.options;
    numberSize_->setValue(block.fontSize);
    radius_->setValue(block.radius);
    ShowSwatch(*borderSwatch_, block.borderColor);
    ShowSwatch(*foreSwatch_, edit_.options.foreDefaultColor);
    const auto mode = static_cast<std::size_t>(edit_.options.loadMode);
    if (mode < loadModes_.size()) loadModes_[mode]->setChecked(true);
    targets_[static_cast<std::size_t>(edit_.target)]->setChecked(true);
    targets_[0]->setEnabled(edit_.graphsOffered);
    targets_[1]->setEnabled(edit_.graphsOffered);
    ApplyRules();
    showing_ = false;
}

void TOptionsDlg::Load(const OptionsEdit& edit) {
    edit_ = edit;
    ShowAll();
}

bool TOptionsDlg::PopUpTabShown() const { return tabs_->isTabVisible(tabs_->indexOf(popUpTab_)); }

bool TOptionsDlg::Run(OptionsEdit& edit) {
    Load(edit);
    tabs_->setCurrentIndex(0);
    if (exec() != QDialog::Accepted) return false;
    edit = edit_;
    return true;
}

void TOptionsDlg::PickBorderColor() {
    if (auto color = pickers_.AskColor(edit_.options.options.borderColor)) {
        edit_.options.options.borderColor = *color;
        ShowSwatch(*borderSwatch_, *color);
    }
}

void TOptionsDlg::PickForeColor() {
    if (auto color = pickers_.AskColor(edit_.options.foreDefaultColor)) {
        edit_.options.foreDefaultColor = *color;
        ShowSwatch(*foreSwatch_, *color);
    }
}

void TOptionsDlg::SetDefault1Click() {
    SetDefaultOptions(edit_.options);
    ShowAll();
}

void TOptionsDlg::HelpBtnClick() {
    if (help_) help_(*this, OptionsHelpTopic);
}

} // namespace plax
