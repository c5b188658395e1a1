#include "document_window.h"

#include "document_window_parts.h"
#include "edit_commands.h"
#include "menu_letters.h"
#include "net_canvas_widget.h"
#include "picking_commands.h"
#include "property_commands.h"
#include "simulation_commands.h"
#include "sub_net_levels.h"
#include "whole_texts.h"

#include "catalogue/procedure_table.h"
#include "model/clipboard.h"
#include "model/net_store.h"
#include "render/net_colors.h"
#include "render/net_render.h"
#include "render/picture_export.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace plax {

using namespace doc;

namespace {

using C = CommandCode;

constexpr int StatusLineHeight = 25;
constexpr int CoordLabelWidth = 85;
constexpr int DefaultWidth = 593;
constexpr int DefaultHeight = 351;

QString FileText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

template <class Label = QLabel> Label* StatusLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new Label(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    label->setFont(font);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

} // namespace

TMDIChild::TMDIChild(DocumentHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MakeStatusLine());
    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Base);
    canvas_ = new NetCanvasWidget(*this, *this, scroll_);
    scroll_->setWidget(canvas_);
    // The window's focus is the canvas's; a focus frame drawn round the visible part moves with
    // the scrolling.
    setFocusProxy(canvas_);
    scroll_->setAccessibleName(QStringLiteral("Net canvas area"));
    canvas_->setAccessibleName(QStringLiteral("Net canvas"));
    canvas_->setAccessibleDescription(QStringLiteral("The points and edges of the net; the status line above "
                                                     "says what a click does"));
    for (QScrollBar* bar : {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, canvas_, [this] {
            if (canvas_->hasFocus()) canvas_->update();
        });
    layout->addWidget(scroll_, 1);
    resize(DefaultWidth, DefaultHeight);
    setFocusPolicy(Qt::StrongFocus);
    actions_ = new DocumentActions(*this, host_, *this, [this](QMenu& property) {
        picking_ = new PickingCommands(*this, machine_, this);
        property_ = new PropertyCommands(*this, *picking_, property, this);
    });
    simulation_ = new SimulationCommands(*this, machine_, *this);
    MakePopupMenu();
    AddCheckItems();
    MakeSubNetItems();
    connect(&document_, &NetDocument::netChanged, this, &TMDIChild::RepaintNet);
    connect(&document_, &NetDocument::enablingChanged, this, &TMDIChild::DefEnableItem);
    connect(&document_, &NetDocument::selectionChanged, this, &TMDIChild::RepaintNet);
    connect(&document_, &NetDocument::levelChanged, this, &TMDIChild::ShowOpenedNet);
    connect(&document_, &NetDocument::levelChanged, this, &TMDIChild::DefEnableItem);
    connect(&document_, &NetDocument::levelChanged, this, &TMDIChild::RepaintNet);
    connect(&document_.History(), &QUndoStack::indexChanged, this, &TMDIChild::HistoryMoved);
}

void TMDIChild::AddFrameItems(const FrameActions& frame) {
    actions_->AddFrameItems(frame);
    for (QMenu* menu : Menus())
        GiveAccessLetters(*menu);
}

std::vector<QMenu*> TMDIChild::Menus() const {
    std::vector<QMenu*> menus = actions_->Menus();
    menus.insert(menus.end() - 1, simulation_->Menu());
    return menus;
}

void TMDIChild::MakePopupMenu() {
    connect(canvas_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        popupAt_ = canvas_->NetPointAt(at);
        const bool overEdge = NameSubNetItem(*popupEnterSubNet_, popupAt_.x(), popupAt_.y());
        popupEnterSubNet_->setVisible(overEdge);
        popupSeparator_->setVisible(overEdge);
        PopupMenu()->popup(canvas_->mapToGlobal(at));
    });
}

TMDIChild::~TMDIChild() = default;

QWidget* TMDIChild::MakeStatusLine() {
    auto* line = new QWidget(this);
    line->setFixedHeight(StatusLineHeight);
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    resetBtn_ = new QPushButton(QStringLiteral("Reset Command"), line);
    resetBtn_->setObjectName(QStringLiteral("ResetBtn"));
    resetBtn_->setEnabled(false);
    connect(resetBtn_, &QPushButton::clicked, this, [this] { ResetCommand(); });
    upOneLevelBtn_ = new QPushButton(QString::fromLatin1(UpOneLevelText), line);
    upOneLevelBtn_->setObjectName(QStringLiteral("UpOneLevelBtn"));
    upOneLevelBtn_->setToolTip(QString::fromLatin1(UpOneLevelText));
    upOneLevelBtn_->setStatusTip(QString::fromLatin1(UpOneLevelText));
    upOneLevelBtn_->setEnabled(false);
    connect(upOneLevelBtn_, &QPushButton::clicked, this, [this] { UpOneLevel(); });
    labelType_ = StatusLabel("LabelType", "UndirNet", line);
    labelCoord_ = StatusLabel("LabelCoord", ReadyText, line);
    labelCoord_->setFixedWidth(CoordLabelWidth);
    labelStatus_ = StatusLabel<ElidingLabel>("LabelStatus", "", line);
    row->addWidget(resetBtn_);
    row->addWidget(upOneLevelBtn_);
    row->addWidget(labelType_);
    row->addWidget(labelCoord_);
    row->addWidget(labelStatus_, 1);
    return line;
}

void TMDIChild::SetCaption(const std::string& caption) { setWindowTitle(FileText(caption)); }

void TMDIChild::OpenDocument(const std::string& path) {
    document_.Open(path);
    ShowWholeNet();
}

bool TMDIChild::ImportDocument(const std::string& path) { return document_.Import(path); }

void TMDIChild::NewDocument() { document_.New(); }

bool TMDIChild::NewFromTemplate(const TemplateParams& params) {
    // Laid out in what the window shows at 100%, from the canvas's top left.
    TemplateParams within = params;
    if (isVisible()) {
        within.width = scroll_->viewport()->width();
        within.height = scroll_->viewport()->height();
    }
    if (!document_.NewFromTemplate(within)) return false;
    ShowWholeNet();
    return true;
}

void TMDIChild::ShowOpenedNet() {
    gesture_.ForgetBandCorners();
    // The anchors were those of the net shown before.
    canvas_->Anchors().Clear();
    labelType_->setText(QString::fromStdString(Net().kindName));
    ResetCommand();
}

// The selection rectangle stays: only the band's corners belong to the selection's life.
void TMDIChild::ClearSelection() {
    ClearNetSelection(Net());
    gesture_.ForgetBandCorners();
}

void TMDIChild::DropSelection() {
    if (Net().selection.exists == 0) return;
    ClearSelection();
    Notify(ShownChange::Selection);
}

void TMDIChild::ResetCommandSoft() { machine_.ResetSoft(); }
void TMDIChild::ResetCommand() { machine_.Reset(); }

void TMDIChild::SetCoordText(const std::string& text) { labelCoord_->setText(QString::fromStdString(text)); }

// A prompt longer than the status line is cut there; its whole text is the line's tool tip
// and goes to the frame's status line as well.
void TMDIChild::ShowPrompt(const std::string& prompt) {
    edgeHintShown_ = false;
    labelStatus_->SetWholeText(QString::fromStdString(prompt));
    // An empty prompt clears only what a prompt put there, not the hint of a menu.
    if (!prompt.empty() || promptInFrame_) host_.ShowHint(prompt);
    promptInFrame_ = !prompt.empty();
}

void TMDIChild::RepaintNet() {
    canvas_->SetInverted(machine_.Simulation().Inverted());
    canvas_->update();
    simulation_->ProcessChanged();
}

void TMDIChild::TimerTick() {
    if (!machine_.Simulation().Tick(gesture_.Is(GestureKind::PointDrag))) return;
    canvas_->SetInverted(machine_.Simulation().Inverted());
    canvas_->update();
}

CommandEnabling TMDIChild::Enabling() const {
    CommandEnabling on;
    const int n = document_.Net().n;
    const int edges = EdgeCount(document_.Net());
    on[C::AddPoint] = n < MaxPoints;
    on[C::AddEdge] = CanAddEdge(document_.Net());
    on[C::DeleteEdge] = edges >= 1;
    for (CommandCode code :
         {C::DeletePoint, C::DeleteComponent, C::DeleteAll, C::MovePoint, C::MoveComponent, C::Save})
        on[code] = n > 0;
    on[C::Retype] = edges == 0 && !IsSubNet();
    for (CommandCode code : {C::IncrementXY, C::IncrementX, C::IncrementY, C::DecrementXY, C::DecrementX,
                             C::DecrementY, C::FitNet})
        on[code] = n >= 2;
    on[C::ShowReport] = true;
    on[C::ClearReport] = true;
    on[C::Repaint] = true;
    // The palette acts on any document; "Fill to rectangle" has no behaviour.
    for (CommandCode code : {C::AlignLeft, C::AlignRight, C::AlignTop, C::AlignBottom, C::SpaceHorizontally,
                             C::SpaceVertically, C::FitEllipse})
        on[code] = true;
    return on;
}

void TMDIChild::DefEnableItem() {
    const CommandEnabling on = Enabling();
    actions_->DefEnableItem({on, Net().n >= 2, CanPaste(Net(), host_.State().clipboard), Net().n > 0,
                             AnyAttributeShown(Net().view), IsDirectedNet(Net()), Net().n >= 2, Net().view});
    property_->DefEnableItem(Net());
    simulation_->DefEnableItem(Net());
    upOneLevelBtn_->setEnabled(IsSubNet());
    upOneLevelItem_->setEnabled(IsSubNet());
    emit enablingChanged();
}

void TMDIChild::UpOneLevel() {
    // A running procedure works on the level's record: it must not be swapped beneath it.
    if (Busy()) return;
    if (!document_.UpOneLevel()) upOneLevelBtn_->setEnabled(false);
}

// The clipboard is the program's: a copy in another window may have made Paste possible here.
void TMDIChild::FormActivate() { Notify(ShownChange::Enabling); }

void TMDIChild::DoCommand(CommandCode code) {
    switch (code) {
    case C::AddPoint: AddPoint1Click(); break;
    case C::AddEdge: AddEdge1Click(); break;
    case C::DeletePoint: DeletePoint1Click(); break;
    case C::DeleteEdge: DeleteEdge1Click(); break;
    case C::DeleteComponent: DeleteComponent1Click(); break;
    case C::DeleteAll: DeleteAll1Click(); break;
    case C::MovePoint: MovePoint1Click(); break;
    case C::MoveComponent: MoveComponent1Click(); break;
    case C::Retype: Retype1Click(); break;
    case C::IncrementXY: ChangeSize(SizeChange::GrowXY); break;
    case C::IncrementX: ChangeSize(SizeChange::GrowX); break;
    case C::IncrementY: ChangeSize(SizeChange::GrowY); break;
    case C::DecrementXY: ChangeSize(SizeChange::ShrinkXY); break;
    case C::DecrementX: ChangeSize(SizeChange::ShrinkX); break;
    case C::DecrementY: ChangeSize(SizeChange::ShrinkY); break;
    case C::FitNet: FitNettoWindow1Click(); break;
    case C::ShowReport: ShowReport1Click(); break;
    case C::ClearReport: ClearReport1Click(); break;
    case C::Save: SaveNet(); break;
    case C::Repaint: Notify(ShownChange::Picture); break;
    case C::AlignLeft:
    case C::AlignRight:
    case C::AlignTop:
    case C::AlignBottom:
    case C::SpaceHorizontally:
    case C::SpaceVertically:
    case C::FitEllipse: AlignSelection(code); break;
    case C::Nothing:
    case C::FillRectangle: break; // "Fill to rectangle" has no behaviour
    }
}

void TMDIChild::ShowReport1Click() { document_.ShowReport(); }
void TMDIChild::ClearReport1Click() { document_.ClearReport(); }

void TMDIChild::RefreshNet1Click() {
    ResetCommand();
    ColorNet(Net(), ForeDefaultColor(host_.State().options));
    Notify(ShownChange::Picture);
}

// Labels are painted from the flags, so point and edge texts switch alike.
void TMDIChild::ToggleViewText(std::uint8_t ViewFlags::*flag) {
    DropSelection();
    Net().view.*flag = Net().view.*flag != 0 ? 0 : 1;
    Notify(ShownChange::View);
}

void TMDIChild::ShowEdgeName1Click() { ToggleViewText(&ViewFlags::edgeNames); }
void TMDIChild::ShowMark1Click() {
    if (check_.HidesWeights()) {
        Beep();
        return;
    }
    ToggleViewText(&ViewFlags::edgeMarks);
}
void TMDIChild::ShowFlow1Click() { ToggleViewText(&ViewFlags::flows); }
void TMDIChild::ShowPointName1Click() { ToggleViewText(&ViewFlags::pointNames); }
void TMDIChild::ShowTokens1Click() { ToggleViewText(&ViewFlags::tokens); }

void TMDIChild::ShowEdgelabels1Click() { ToggleViewText(&ViewFlags::edgeLabels); }

void TMDIChild::HideAllAttributes2Click() {
    DropSelection();
    ViewFlags& v = Net().view;
    v.edgeMarks = v.flows = v.pointNames = v.edgeNames = v.tokens = 0;
    Notify(ShownChange::View);
}

void TMDIChild::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        FormKeyDown(EscapeKey);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TMDIChild::FormKeyDown(int key) {
    if (key == EscapeKey) ResetCommand();
}

QSize TMDIChild::PictureSize() const {
    const QSize visible = scroll_->viewport()->size();
    if (visible.isEmpty()) return {DefaultPictureWidth, DefaultPictureHeight};
    return visible.boundedTo(QSize(NetCanvasWidget::CanvasSize, NetCanvasWidget::CanvasSize));
}

bool TMDIChild::SaveNet() { return document_.Save(); }
bool TMDIChild::SaveNetAs() { return document_.SaveAs(); }
bool TMDIChild::Export1Click() { return document_.Export(); }
bool TMDIChild::SaveNetToFile() { return document_.SaveToFile(); }
void TMDIChild::PrintSetup1Click() { document_.PrintSetup(); }
void TMDIChild::Print1Click() { document_.Print(); }

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (document_.Closed()) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    document_.Release();
    host_.DocumentClosed(*this);
    event->accept();
}

} // namespace plax
