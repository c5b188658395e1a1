#include "frame_window.h"

#include "about_box.h"
#include "align_palette.h"
#include "auto_run_dialog.h"
#include "edge_dialog.h"
#include "gantt_window.h"
#include "help_window.h"
#include "k_paths_dialog.h"
#include "options_dialog.h"
#include "options_palette.h"
#include "point_dialog.h"
#include "progress_window.h"
#include "report_window.h"
#include "results_window.h"
#include "simulation_process_window.h"
#include "template_dialog.h"
#include "window_placement.h"

#include "accounts/procedure_texts.h"
#include "interchange/interchange_file.h"
#include "model/net_store.h"
#include "model/text_utils.h"
#include "view/document_window.h"
#include "view/menu_letters.h"
#include "view/net_document.h"
#include "view/options_command.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QIcon>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <utility>

namespace plax {

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

// The frame's size on a screen that has room for it.
constexpr int FrameWidth = 900;
constexpr int FrameHeight = 650;
constexpr QMargins FrameDecoration(8, 32, 8, 8);
// A help window narrower or lower than this would be of little use: it goes over the screen.
constexpr int HelpLeastWidth = 360;
constexpr int HelpLeastHeight = 240;

// The sub-windows that are shown and not minimized, in creation order.
std::vector<QMdiSubWindow*> TileableWindows(const QMdiArea& area) {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* sub : area.subWindowList()) {
        if (sub->isVisible() && !sub->isMinimized()) windows.push_back(sub);
    }
    return windows;
}

// Gives each window an equal stripe of the area: rows one above the other, or columns.
void TileInStripes(QMdiArea& area, bool rows) {
    const std::vector<QMdiSubWindow*> windows = TileableWindows(area);
    const QRect r = area.viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* const window = windows[static_cast<std::size_t>(i)];
        window->showNormal();
        if (rows) {
            const int top = r.height() * i / count;
            window->setGeometry(0, top, r.width(), r.height() * (i + 1) / count - top);
        } else {
            const int left = r.width() * i / count;
            window->setGeometry(left, 0, r.width() * (i + 1) / count - left, r.height());
        }
    }
}

// The local files among a drag's URLs, or none when one of them is something Plax does not open.
std::vector<std::string> DroppedFiles(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) return {};
        std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
        if (OpenKindOf(path) == OpenKind::Invalid && !InterchangeFormatForPath(path)) return {};
        paths.push_back(std::move(path));
    }
    return paths;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

} // namespace

OpenKind OpenKindOf(std::string_view path) {
    const std::string extension = UpperExtension(path).substr(0, 4);
    if (extension == ".TXT") return OpenKind::Report;
    if (extension == ".NET" || extension == ".KP") return OpenKind::Net;
    if (extension == ".PEX") return OpenKind::Exercise;
    return OpenKind::Invalid;
}

TPlaxForm::TPlaxForm(QWidget* parent)
    : QMainWindow(parent), ownDialogs_(std::make_unique<QtDialogs>(this)), dialogs_(ownDialogs_.get()) {
    Setup();
}

TPlaxForm::TPlaxForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(&dialogs) { Setup(); }

TPlaxForm::~TPlaxForm() {
    // The child windows call back into the frame, so they go while it is still whole.
    closingAll_ = true;
    timer_->stop();
    area_->disconnect(this);
    delete pendingResults_.data();
    const auto subs = area_->findChildren<QMdiSubWindow*>();
    for (const QPointer<QMdiSubWindow>& sub :
         std::vector<QPointer<QMdiSubWindow>>(subs.begin(), subs.end())) {
        delete sub.data();
    }
}

void TPlaxForm::Setup() {
    setWindowTitle(Text(ProgramTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/plax.svg")));
    NetInit(state_.clipboard);

    area_ = new QMdiArea(this);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    setAcceptDrops(true);
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { ChildActivated(); });

    CreateMenus();
    CreateHistory();
    CreateToolbar();
    statusBar();

    // One progress window for the whole run, shown by the long runs that have a gauge.
    progress_ = new TProgressBar(this);
    progress_->hide();
    kForm_ = new TGetKForm(this);
    kForm_->hide();
    pickers_ = std::make_unique<QtPickers>(this);
    optionsDlg_ = new TOptionsDlg(state_, *pickers_, DialogHelp(), this);
    optionsDlg_->hide();
    palette_ = new TFormOptionsPallete(state_.options, *pickers_, this);
    palette_->hide();
    alignPalette_ = new TAlignForm([this](CommandCode code) { ToolButtonClick(code); }, this);
    alignPalette_->hide();
    CreateWindowSwitches();

    timer_ = new QTimer(this);
    timer_->setInterval(TimerInterval);
    connect(timer_, &QTimer::timeout, this, &TPlaxForm::Timer1Timer);
    timer_->start();
    // The window manager's frame is not known before the first showing: room for a common one.
    setGeometry(FramePlace(screen()->availableGeometry(), QSize(FrameWidth, FrameHeight), FrameDecoration));
}

QWidget* TPlaxForm::ActiveChild() const {
    QMdiSubWindow* sub = area_->currentSubWindow();
    return sub != nullptr ? sub->widget() : nullptr;
}

TMDIChild* TPlaxForm::ActiveDocument() const { return qobject_cast<TMDIChild*>(ActiveChild()); }

std::vector<TMDIChild*> TPlaxForm::Documents() const {
    std::vector<TMDIChild*> documents;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* document = qobject_cast<TMDIChild*>(sub->widget())) documents.push_back(document);
    }
    return documents;
}

QAction* TPlaxForm::ToolButton(CommandCode code) const {
    for (const CodeButton& button : codeButtons_) {
        if (button.code == code) return button.action;
    }
    return nullptr;
}

void TPlaxForm::ToolButtonClick(CommandCode code) {
    if (TMDIChild* document = ActiveDocument()) document->DoCommand(code);
}

void TPlaxForm::SaveBtnClick() {
    QWidget* child = ActiveChild();
    if (auto* document = qobject_cast<TMDIChild*>(child)) {
        document->DoCommand(CommandCode::Save);
    } else if (auto* report = qobject_cast<TReportForm*>(child)) {
        report->Save1Click();
    }
}

namespace {

bool ShownNormally(const QMdiSubWindow* sub) {
    return sub != nullptr && sub->isVisible() && !sub->isMinimized() && !sub->isMaximized();
}

// A Results window lower than this beside its net shows too little of its text.
constexpr int LeastResultsHeight = 200;

} // namespace

QMdiSubWindow* TPlaxForm::AddChild(QWidget* child, const QMdiSubWindow* beside) {
    // Each window knows its own default size; the sub-window adds its frame around it.
    const QSize wanted = child->testAttribute(Qt::WA_Resized) ? child->size() : child->sizeHint();
    // Cascades from the window the user is at, as long as a shown one is.
    std::optional<QRect> from;
    if (const QMdiSubWindow* active = area_->currentSubWindow();
        active != nullptr && active->isVisible() && !active->isMinimized())
        from = active->geometry();
    auto* sub = new ChildFrame;
    sub->setWidget(child);
    // Inside the area the window is no top-level one: its caption is its name for screen readers.
    child->setAccessibleName(child->windowTitle());
    connect(child, &QWidget::windowTitleChanged, child, &QWidget::setAccessibleName);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area_->addSubWindow(sub);
    const QMargins frame = sub->contentsMargins();
    const QSize area = area_->viewport()->size();
    sub->setGeometry(ShownNormally(beside) ? ResultsPlace(*beside, wanted.grownBy(frame))
                                           : CascadePlace(area, wanted.grownBy(frame), frame.top(), from));
    // A text window maximized or restored changes whose menus the menu bar shows.
    if (qobject_cast<TMDIChild*>(child) == nullptr) {
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this, sub](Qt::WindowStates before, Qt::WindowStates now) {
                    const bool changed = ((before ^ now) & Qt::WindowMaximized) != 0;
                    if (changed && area_->currentSubWindow() == sub) ChildActivated();
                });
    }
    child->show();
    sub->show();
    area_->setActiveSubWindow(sub);
    return sub;
}

ResultsSink& TPlaxForm::NewResultsWindow() {
    DiscardPendingResults();
    auto* form = new TResultForm(*this, *progress_, this);
    form->SetSource(ActiveDocument());
    form->hide();
    connect(form, &TResultForm::openRequested, this, &TPlaxForm::AddResultsWindow);
    pendingResults_ = form;
    return *form;
}

// Beside the net's window when the area has room; else where it covers the least of the net
// as drawn, so its marks stay in sight.
QRect TPlaxForm::ResultsPlace(const QMdiSubWindow& beside, QSize wanted) const {
    const QSize area = area_->viewport()->size();
    const QRect window = beside.geometry();
    const QRect place = BesidePlace(area, window, wanted, LeastResultsHeight);
    const auto* document = qobject_cast<const TMDIChild*>(beside.widget());
    if (!place.intersects(window) || document == nullptr) return place;
    const QRect drawn = document->DrawnArea();
    if (drawn.isEmpty()) return place;
    const QRect net(document->mapTo(area_->viewport(), drawn.topLeft()), drawn.size());
    return BesidePlace(area, net, wanted, LeastResultsHeight);
}

void TPlaxForm::AddResultsWindow(TResultForm* form) {
    if (form == pendingResults_) pendingResults_ = nullptr;
    QPointer<QMdiSubWindow> source;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (form->Source() != nullptr && sub->widget() == form->Source()) source = sub;
    QMdiSubWindow* sub = AddChild(form, source);
    // Closed, it hands the focus back to the net it reports on, not to whichever window was
    // active before.
    connect(sub, &QObject::destroyed, this, [this, source] {
        if (!closingAll_ && source) area_->setActiveSubWindow(source);
    });
}

void TPlaxForm::DiscardPendingResults() {
    // A run that refused before opening its window leaves it unused; nobody else would free it.
    if (pendingResults_ && !pendingResults_->Opened()) delete pendingResults_.data();
    pendingResults_ = nullptr;
}

void TPlaxForm::ShowGanttChart(const std::vector<GanttBar>& bars) {
    auto form = std::make_unique<TGanttForm>(*this, bars);
    AddChild(form.release());
}

bool TPlaxForm::AskKShortestPaths(KShortestParameters& parameters) { return kForm_->Ask(parameters); }

bool TPlaxForm::AskAutoRun(AutoRunParameters& parameters) {
    TAutoRunForm dialog(this);
    return dialog.Ask(parameters);
}

bool TPlaxForm::AskMarkingBound(std::uint64_t& bound) {
    bool ok = false;
    const int answer = QInputDialog::getInt(
        this, QStringLiteral("Reachability"), QStringLiteral("Largest number of markings to store:"),
        static_cast<int>(std::clamp<std::uint64_t>(bound, 1, MaxMarkingsLimit)), 1,
        static_cast<int>(MaxMarkingsLimit), 1000, &ok);
    if (ok) bound = static_cast<std::uint64_t>(answer);
    return ok;
}

// One statistics window for each document: asked again, it comes to the front.
void TPlaxForm::ShowSimulationProcess(SimulationCommands& simulation) {
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        auto* form = qobject_cast<TSimulationProcessForm*>(sub->widget());
        if (form != nullptr && form->Source() == &simulation) {
            area_->setActiveSubWindow(sub);
            return;
        }
    }
    AddChild(new TSimulationProcessForm(*this, simulation, this));
}

std::optional<PointType> TPlaxForm::EditPoint(const PointDialogState& state) {
    TPointFormDlg dialog(Ui(), *pickers_, DialogHelp(), this);
    auto edited = dialog.Edit(state);
    ReclaimHelp();
    return edited;
}

std::optional<EdgeDialogState> TPlaxForm::EditEdge(const EdgeDialogState& state) {
    TEdgeFormDlg dialog(Ui(), *pickers_, DialogHelp(), this);
    auto edited = dialog.Edit(state);
    ReclaimHelp();
    return edited;
}

TMDIChild& TPlaxForm::AddDocument(std::unique_ptr<TMDIChild> document) {
    TMDIChild& shown = *document;
    undoGroup_->addStack(&shown.History());
    shown.AddFrameItems(actions_);
    AddChild(document.release());
    windowMenu_->menuAction()->setEnabled(true);
    return shown;
}

void TPlaxForm::OpenReportWindow(const std::string& path) {
    auto form = std::make_unique<TReportForm>(*this);
    if (!form->OpenFile(path)) return;
    AddChild(form.release());
    windowMenu_->menuAction()->setEnabled(true);
}

void TPlaxForm::NewNet() {
    auto document = std::make_unique<TMDIChild>(*this);
    document->NewDocument();
    AddDocument(std::move(document));
}

void TPlaxForm::NewFromTemplate() {
    TNewFromTemplateDlg dialog(state_.options, this);
    TemplateParams params = lastTemplate_;
    if (!dialog.Ask(params)) return;
    lastTemplate_ = params;
    OpenTemplate(params);
}

bool TPlaxForm::OpenTemplate(const TemplateParams& params) {
    auto document = std::make_unique<TMDIChild>(*this);
    document->NewDocument();
    // Shown first, so the net is laid out in what the window shows; a refused template takes
    // its window (still the empty net) away again.
    TMDIChild& shown = AddDocument(std::move(document));
    if (shown.NewFromTemplate(params)) return true;
    for (QMdiSubWindow* sub : area_->subWindowList())
        if (sub->widget() == &shown) sub->close();
    return false;
}

void TPlaxForm::OpenNet() {
    const std::optional<std::string> path = Ui().AskOpenPath(OpenFileFilter);
    if (path) OpenFile(*path);
}

void TPlaxForm::ImportNet() {
    const std::optional<std::string> path = Ui().AskOpenPath(ImportFilter());
    if (path) ImportFile(*path);
}

void TPlaxForm::ImportFile(const std::string& path) {
    auto document = std::make_unique<TMDIChild>(*this);
    // A file that makes no net leaves no window behind.
    if (!document->ImportDocument(path)) return;
    AddDocument(std::move(document));
    RememberFile(path);
}

QMdiSubWindow* TPlaxForm::WindowShowing(const std::string& path) const {
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        const std::string* shown = nullptr;
        if (const auto* document = qobject_cast<TMDIChild*>(sub->widget())) shown = &document->FileName();
        if (const auto* report = qobject_cast<TReportForm*>(sub->widget())) shown = &report->FileName();
        if (shown != nullptr && SameFile(*shown, path)) return sub;
    }
    return nullptr;
}

void TPlaxForm::OpenFile(const std::string& path) {
    const OpenKind kind = OpenKindOf(path);
    if (kind == OpenKind::Report || kind == OpenKind::Net) {
        if (QMdiSubWindow* shown = WindowShowing(path)) {
            if (shown->isMinimized()) shown->showNormal();
            area_->setActiveSubWindow(shown);
            return;
        }
    }
    switch (kind) {
    case OpenKind::Report: OpenReportWindow(path); break;
    case OpenKind::Net: {
        auto document = std::make_unique<TMDIChild>(*this);
        document->OpenDocument(path);
        AddDocument(std::move(document));
        break;
    }
    case OpenKind::Exercise: OpenExercise(path); break;
    case OpenKind::Invalid: Ui().Error(InvalidExtensionMessage); return;
    }
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) RememberFile(path);
}

void TPlaxForm::OpenAny(const std::string& path) {
    if (OpenKindOf(path) == OpenKind::Invalid && InterchangeFormatForPath(path)) {
        ImportFile(path);
    } else {
        OpenFile(path);
    }
}

void TPlaxForm::OpenRecent(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        Ui().Error(CannotLoadFileMessage(path));
        recent_.Remove(path);
        ShowRecentEnabled();
        return;
    }
    OpenAny(path);
}

void TPlaxForm::RememberFile(const std::string& path) {
    recent_.Add(path);
    ShowRecentEnabled();
}

void TPlaxForm::CloseActiveWindow() {
    if (QMdiSubWindow* sub = area_->activeSubWindow()) sub->close();
}

void TPlaxForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !DroppedFiles(*event->mimeData()).empty())
        event->acceptProposedAction();
}

void TPlaxForm::dropEvent(QDropEvent* event) {
    if (OpenDropped(*event->mimeData())) event->acceptProposedAction();
}

bool TPlaxForm::OpenDropped(const QMimeData& data) {
    const std::vector<std::string> paths = DroppedFiles(data);
    for (const std::string& path : paths)
        OpenAny(path);
    return !paths.empty();
}

// An exercise opens its net, beside it, straight in check mode.
void TPlaxForm::OpenExercise(const std::string& path) {
    const ReadExercise read = LoadExercise(path);
    if (!read.exercise) {
        Ui().Error(read.error);
        return;
    }
    auto document = std::make_unique<TMDIChild>(*this);
    document->OpenDocument(ExerciseNetPath(path, *read.exercise));
    AddDocument(std::move(document)).StartExercise(*read.exercise);
}

void TPlaxForm::ShowOptions() {
    TMDIChild* active = ActiveDocument();
    if (active != nullptr) TakeDocumentOptions(state_, active->Net());
    if (active == nullptr) active = lastDocument_;
    const bool accepted = RunOptions(state_, *optionsDlg_, Documents(), active);
    ReclaimHelp();
    if (accepted) palette_->ShowColor();
}

void TPlaxForm::ExitProgram() { close(); }

THelpForm& TPlaxForm::Help() {
    if (!help_) {
        help_ = new THelpForm(this);
        PlaceHelp();
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
    return *help_;
}

void TPlaxForm::PlaceHelp() {
    // Over the document area and wholly inside what it shows, with room for the frame that the
    // window manager adds, the same as the frame's own; on the screen when the area is too small.
    const QRect available = screen()->availableGeometry();
    const QMargins decoration(
        geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
        frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
    const QRect area(area_->viewport()->mapToGlobal(QPoint(0, 0)), area_->viewport()->size());
    help_->setGeometry(OverArea(area.marginsRemoved(decoration), available.marginsRemoved(decoration),
                                help_->size(), QSize(HelpLeastWidth, HelpLeastHeight)));
}

THelpForm* TPlaxForm::HelpWindow() const { return help_; }

void TPlaxForm::ShowHelp(const std::string& topic) { Help().ShowTopic(topic); }

void TPlaxForm::ShowHelpOver(QWidget& dialog, const std::string& topic) {
    THelpForm& help = Help();
    if (help.parentWidget() != &dialog) {
        help.setParent(&dialog, help.windowFlags());
        help.show();
    }
    help.ShowTopic(topic);
}

HelpRequest TPlaxForm::DialogHelp() {
    return [this](QWidget& dialog, const std::string& topic) { ShowHelpOver(dialog, topic); };
}

void TPlaxForm::ReclaimHelp() {
    if (!help_ || help_->parentWidget() == this) return;
    const bool shown = help_->isVisible();
    help_->setParent(this, help_->windowFlags());
    if (shown) help_->show();
}

void TPlaxForm::SearchHelp(const std::string& key) { Help().ShowSearch(key); }

void TPlaxForm::About1Click() {
    TAboutBox box(this);
    box.exec();
}

void TPlaxForm::PullEnabling() {
    const TMDIChild* active = ActiveDocument();
    if (active == nullptr) return;
    const CommandEnabling enabled = active->Enabling();
    for (const CodeButton& button : codeButtons_)
        button.action->setEnabled(enabled[button.code]);
    saveButton_->setEnabled(enabled[CommandCode::Save]);
    alignPalette_->Enable(enabled);
}

void TPlaxForm::ShowToolbar(bool visible) { toolBar_->setVisible(visible); }

// Asked of the toolbar's own switch, so a frame not yet shown still reports it on.
bool TPlaxForm::ToolbarVisible() const { return !toolBar_->isHidden(); }

void TPlaxForm::ShowPalette(QWidget& palette, bool visible, bool& placed, int top) {
    if (visible && !placed) {
        // First shown at the frame's right edge, below the toolbar, clear of the menus.
        palette.adjustSize();
        palette.move(mapToGlobal(QPoint(width() - palette.width() - 24, top)));
        placed = true;
    }
    palette.setVisible(visible);
    if (visible) palette.raise();
}

void TPlaxForm::ShowOptionsPalette(bool visible) { ShowPalette(*palette_, visible, palettePlaced_, 96); }

bool TPlaxForm::OptionsPaletteVisible() const { return palette_->isVisible(); }

// Below where the options palette first opens, so the two do not cover each other.
void TPlaxForm::ShowAlignPalette(bool visible) {
    ShowPalette(*alignPalette_, visible, alignPalettePlaced_, 400);
}

bool TPlaxForm::AlignPaletteVisible() const { return alignPalette_->isVisible(); }

void TPlaxForm::ShowHint(const std::string& hint) { statusBar()->showMessage(QString::fromStdString(hint)); }

void TPlaxForm::DocumentClosed(TMDIChild& document) {
    if (lastDocument_ == &document) lastDocument_ = nullptr;
    for (const TMDIChild* other : Documents()) {
        if (other != &document) return;
    }
    DisableDocumentItems();
}

void TPlaxForm::DisableDocumentItems() {
    windowMenu_->menuAction()->setEnabled(false);
    for (const CodeButton& button : codeButtons_)
        button.action->setEnabled(false);
    saveButton_->setEnabled(false);
}

void TPlaxForm::ChildActivated() {
    QWidget* child = ActiveChild();
    auto* active = qobject_cast<TMDIChild*>(child);
    // Undo and Redo act on the document shown, and on nothing while a text window is active.
    undoGroup_->setActiveStack(active != nullptr ? &active->History() : nullptr);
    disconnect(enablingFollowed_);
    if (auto* document = active) {
        lastDocument_ = document;
        ShowMenus(document->Menus());
        enablingFollowed_ = connect(document, &TMDIChild::enablingChanged, this, &TPlaxForm::PullEnabling);
        document->FormActivate();
        PullEnabling();
        return;
    }
    // Results, Report and Gantt windows have no net: the frame's own File menu stands, unless a
    // maximized text window lends the menu bar its own menus, which it then hides.
    ShowMenus(TextWindowMenus(child));
    // Save also saves a Report window; with neither a report nor a net it has nothing to do.
    if (qobject_cast<TReportForm*>(child) != nullptr) {
        saveButton_->setEnabled(true);
    } else if (Documents().empty()) {
        saveButton_->setEnabled(false);
    }
}

std::vector<QMenu*> TPlaxForm::TextWindowMenus(QWidget* child) const {
    QMenuBar* own =
        child != nullptr ? child->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (own == nullptr) return {fileMenu_};
    const QMdiSubWindow* sub = area_->currentSubWindow();
    const bool lend = sub != nullptr && sub->isMaximized();
    own->setVisible(!lend);
    if (!lend) return {fileMenu_};
    std::vector<QMenu*> menus;
    for (QAction* title : own->actions())
        if (QMenu* menu = title->menu()) menus.push_back(menu);
    return menus;
}

void TPlaxForm::ShowMenus(const std::vector<QMenu*>& fileMenus) {
    QList<QAction*> wanted;
    for (QMenu* menu : fileMenus)
        wanted.append(menu->menuAction());
    wanted.append(windowMenu_->menuAction());
    wanted.append(helpMenu_->menuAction());
    if (menuBar()->actions() == wanted) return;
    menuBar()->clear();
    menuBar()->addActions(wanted);
}

void TPlaxForm::Timer1Timer() {
    const std::vector<TMDIChild*> documents = Documents();
    std::vector<QPointer<TMDIChild>> guarded(documents.rbegin(), documents.rend());
    for (const QPointer<TMDIChild>& document : guarded) {
        if (document && document->InTimerMode()) document->TimerTick();
    }
}

void TPlaxForm::closeEvent(QCloseEvent* event) {
    if (state_.run.busy != 0) {
        Ui().Warning(ProcedureInProgressMessage);
        event->ignore();
        return;
    }
    // A document whose save question was cancelled, or a Results window kept open, keeps the
    // program running rather than losing the user's work.
    if (!CloseChildren()) {
        event->ignore();
        return;
    }
    DiscardPendingResults();
    if (help_) help_->close();
    timer_->stop();
    event->accept();
}

bool TPlaxForm::CloseChildren() {
    const auto subs = area_->subWindowList(QMdiArea::CreationOrder);
    std::vector<QPointer<QMdiSubWindow>> lastToFirst(subs.rbegin(), subs.rend());
    closingAll_ = true;
    for (const QPointer<QMdiSubWindow>& sub : lastToFirst) {
        if (sub && !sub->close()) {
            closingAll_ = false;
            return false;
        }
    }
    return true;
}

void TPlaxForm::TileHorizontally() { TileInStripes(*area_, true); }

void TPlaxForm::TileVertically() { TileInStripes(*area_, false); }

void TPlaxForm::ArrangeIcons() {
    // Minimized windows line up along the bottom edge, left to right.
    int left = 0;
    const int bottom = area_->viewport()->height();
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        sub->move(left, bottom - sub->height());
        left += sub->width();
    }
}

void TPlaxForm::FillWindowList() {
    delete windowList_.data();
    windowList_ = new QActionGroup(this);
    const QMdiSubWindow* current = area_->currentSubWindow();
    int number = 1;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
        auto* action = new QAction(NumberedItem(number, sub->windowTitle()), windowList_);
        action->setCheckable(true);
        action->setChecked(sub == current);
        connect(action, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(sub)] {
            if (target) area_->setActiveSubWindow(target);
        });
        windowMenu_->addAction(action);
        ++number;
    }
}

} // namespace plax
