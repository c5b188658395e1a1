#include "document_window.h"

#include "document_window_parts.h"
#include "edit_commands.h"
#include "net_canvas_widget.h"
#include "picking_commands.h"
#include "property_commands.h"

#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "model/text_utils.h"
#include "model/undo.h"
#include "procedures/report_file.h"
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
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <exception>

namespace plax {

using namespace doc;

namespace {

using C = CommandCode;

constexpr const char* CannotPrintMessage = " Cannot print the NetWork.";
constexpr const char* UpOneLevelHint = "Up One Level";

constexpr int StatusLineHeight = 25;
constexpr int CoordLabelWidth = 85;
constexpr int DefaultWidth = 593;
constexpr int DefaultHeight = 351;

std::string CloseQuestion(const std::string& netName) {
    return "Do you wish to Save " + netName + "?" + "\r\n" + "Network has been changed!";
}

QString FileText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QLabel* StatusLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
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
    layout->addWidget(scroll_, 1);
    resize(DefaultWidth, DefaultHeight);
    setFocusPolicy(Qt::StrongFocus);
    MakeMenus();
    MakeEmptyNet(NoNameFile);
    levels_.Reset(net_);
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
    // Levels are entered by a later editing command; until then there is nothing to leave.
    upOneLevelBtn_ = new QPushButton(QStringLiteral("Up"), line);
    upOneLevelBtn_->setObjectName(QStringLiteral("UpOneLevelBtn"));
    upOneLevelBtn_->setToolTip(QString::fromLatin1(UpOneLevelHint));
    upOneLevelBtn_->setStatusTip(QString::fromLatin1(UpOneLevelHint));
    upOneLevelBtn_->setEnabled(false);
    labelType_ = StatusLabel("LabelType", "UndirNet", line);
    labelCoord_ = StatusLabel("LabelCoord", ReadyText, line);
    labelCoord_->setFixedWidth(CoordLabelWidth);
    labelStatus_ = StatusLabel("LabelStatus", "", line);
    row->addWidget(resetBtn_);
    row->addWidget(upOneLevelBtn_);
    row->addWidget(labelType_);
    row->addWidget(labelCoord_);
    row->addWidget(labelStatus_, 1);
    return line;
}

void TMDIChild::SetCaption(const std::string& caption) { setWindowTitle(FileText(caption)); }

void TMDIChild::MakeEmptyNet(const std::string& name) {
    net_ = NetWorkType{};
    NetInit(net_);
    SetNetKind(net_, UndirNetCode);
    net_.name = CutText(name, MaxNetNameLength);
    unnamed_ = true;
}

void TMDIChild::OpenDocument(const std::string& path) {
    fileName_ = path;
    SetCaption(SavedCaptionPrefix + FileNameOf(path));
    MakeEmptyNet(path == NoNameFile ? std::string(NoNameFile) : std::string());
    if (path == NoNameFile) {
        SetCaption(NoNameFile);
    } else {
        try {
            // A file that could not be read whole keeps what was read, but a plain Save must
            // not write that part over what may still be recovered from the file.
            const bool whole = LoadDocumentNet(net_, path, host_.State().options, host_.Ui());
            unnamed_ = !whole;
            SetCaption(whole ? FileNameOf(path) : DamagedCaption(path));
        } catch (const std::exception&) {
            host_.Ui().Error(CannotLoadFileMessage(path));
            MakeEmptyNet(path);
            SetCaption(path);
        }
    }
    levels_.Reset(net_);
    net_.changed = 0;
    net_.interaction = InteractionState{};
    ClearSelection();
    net_.view = host_.State().options.newDocumentView;
    labelType_->setText(QString::fromStdString(net_.kindName));
    ResetCommand();
    DefEnableItem();
    RepaintNet();
}

void TMDIChild::NewDocument() {
    OpenDocument(NoNameFile);
    const OptionType& options = host_.State().options;
    net_.defaultOptions = static_cast<LoadMode>(options.loadMode) == LoadMode::Default ? options.newNetOptions
                                                                                       : options.options;
    net_.view = options.newDocumentView;
    levels_.Reset(net_);
    RepaintNet();
}

// The selection rectangle stays: only the band's corners belong to the selection's life.
void TMDIChild::ClearSelection() {
    for (PointType& p : net_.points)
        p.selected = 0;
    net_.selection.exists = 0;
    net_.selection.count = 0;
    bandFixed_ = bandMoving_ = QPoint();
}

void TMDIChild::DropSelection() {
    if (net_.selection.exists == 0) return;
    ClearSelection();
    RepaintNet();
}

void TMDIChild::ResetCommandSoft() { machine_.ResetSoft(); }
void TMDIChild::ResetCommand() { machine_.Reset(); }

void TMDIChild::SetCoordText(const std::string& text) { labelCoord_->setText(QString::fromStdString(text)); }

void TMDIChild::ShowPrompt(const std::string& prompt) {
    labelStatus_->setText(QString::fromStdString(prompt));
}

void TMDIChild::RepaintNet() { canvas_->update(); }

CommandEnabling TMDIChild::Enabling() const {
    CommandEnabling on;
    const int n = net_.n;
    const int edges = EdgeCount(net_);
    on[C::AddPoint] = n < MaxPoints;
    on[C::AddEdge] = CanAddEdge(net_);
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
    for (const CodeItem& item : codeItems_)
        item.action->setEnabled(on[item.code]);
    undoAction_->setEnabled(HasUndo(net_));
    hideAllAction_->setEnabled(AnyAttributeShown(net_.view));
    SyncViewChecks();
    property_->DefEnableItem(net_);
    host_.UpdateToolbar(*this, on);
}

void TMDIChild::FormActivate() { DefEnableItem(); }

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
    case C::Repaint: RepaintNet(); break;
    case C::Nothing:
    case C::AlignLeft:
    case C::AlignRight:
    case C::AlignTop:
    case C::AlignBottom:
    case C::SpaceHorizontally:
    case C::SpaceVertically:
    case C::FillRectangle:
    case C::FitEllipse: break; // the alignment codes come with the palette
    }
}

void TMDIChild::ShowReport1Click() {
    const std::string report = EnsureReportFile(fileName_, net_.name, host_.Ui());
    if (!report.empty()) host_.OpenReportWindow(report);
}

void TMDIChild::ClearReport1Click() { ClearReport(fileName_, net_.name, host_.Ui()); }

void TMDIChild::RefreshNet1Click() {
    ResetCommand();
    ColorNet(net_, ForeDefaultColor(host_.State().options));
    RepaintNet();
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

void TMDIChild::RecordPictureSize() {
    const QSize size = PictureSize();
    net_.interaction.canvasWidth = static_cast<std::uint16_t>(size.width());
    net_.interaction.canvasHeight = static_cast<std::uint16_t>(size.height());
}

bool TMDIChild::WriteNetFile() {
    const bool written = WriteNetHierarchy(levels_, net_, fileName_, host_.Ui());
    // A save that wrote nothing leaves the net changed, so closing still asks.
    if (written) net_.changed = 0;
    return written;
}

bool TMDIChild::SaveNet() { return unnamed_ ? SaveNetAs() : SaveNetToFile(); }

bool TMDIChild::SaveNetToFile() {
    unnamed_ = false;
    // Krack Plot text keeps only part of a net, so the net stays changed after it.
    const bool written =
        UpperExtension(fileName_) == ".KP" ? SaveKrackPlot(net_, fileName_, host_.Ui()) : WriteNetFile();
    ResetCommand();
    return written;
}

bool TMDIChild::SaveNetAs() {
    const auto path =
        host_.Ui().AskSavePath(SaveNetFilter, SaveNetDefaultExtension, unnamed_ ? "" : fileName_);
    if (!path) {
        ResetCommand();
        return false;
    }
    ShowPrompt(SaveFileNowPrompt);
    RecordPictureSize();
    bool written = false;
    const SaveAsKind kind = SaveAsKindForPath(*path);
    if (kind == SaveAsKind::NetFile) {
        unnamed_ = false;
        fileName_ = *path;
        net_.name = NetNameFromPath(*path);
        written = WriteNetFile();
        SetCaption(SavedCaptionPrefix + FileNameOf(*path));
    } else {
        // A picture or an edge list does not hold the net: answering "saved" here would let a
        // close question go on and lose the changes.
        written =
            ExportNet(net_, *path, PictureSize(), IsSubNet(), host_.Ui()) && kind == SaveAsKind::KrackPlot;
    }
    ResetCommand();
    return written;
}

QPrinter& TMDIChild::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TMDIChild::PrintSetup1Click() { host_.Ui().AskPrinterSetup(Printer()); }

void TMDIChild::Print1Click() {
    QPrinter& printer = Printer();
    const QSize picture = PictureSize();
    if (host_.Ui().AskPrinter(printer)) {
        QPainter painter;
        if (painter.begin(&printer)) {
            const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
            const QSizeF fit = FitPictureToPage(QSizeF(picture), page.size());
            painter.scale(fit.width() / picture.width(), fit.height() / picture.height());
            DrawNetPicture(painter, net_, picture.width(), picture.height(), IsSubNet());
            painter.end();
        } else {
            host_.Ui().Error(CannotPrintMessage);
        }
    }
    ResetCommand();
}

bool TMDIChild::FormCloseQuery() {
    if (Busy()) return false;
    if (net_.changed == 0 || net_.n == 0) return true;
    // A cancelled or failed save keeps the document open.
    return SaveQuestionAllowsClose(host_.Ui(), CloseQuestion(net_.name), ConfirmCaption,
                                   [this] { return SaveNet(); });
}

void TMDIChild::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closed_ = true;
    FreeNet(net_);
    levels_.Reset(NetWorkType{});
    host_.DocumentClosed(*this);
    event->accept();
}

} // namespace plax
