// The frame's program-wide actions, built once: the File commands, the menus, the history with its
// view, the window switches and the toolbar. Every document's menus hold the same actions.
#include "frame_window.h"

#include "align_palette.h"
#include "options_palette.h"

#include "accounts/procedure_texts.h"
#include "view/document_window.h"
#include "view/menu_letters.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoView>

#include <array>

namespace plax {

namespace {

// What a toolbar button does: a frame command, or a dispatcher code for the active document.
enum class ButtonKind { Code, Open, Save, New };

struct ToolButtonEntry {
    const char* icon; // picture ":/icons/<icon>.svg"
    ButtonKind kind;
    CommandCode code; // for ButtonKind::Code
    const char* hint;
    bool groupStart; // a separator goes before it
};

using C = CommandCode;

constexpr std::array<ToolButtonEntry, 21> ToolButtons = {{
    {"move_component", ButtonKind::Code, C::MoveComponent, "Move Component", false},
    {"open", ButtonKind::Open, C::Nothing, "Open", true},
    {"save", ButtonKind::Save, C::Save, "Save", false},
    {"new", ButtonKind::New, C::Nothing, "New Net", false},
    {"add_point", ButtonKind::Code, C::AddPoint, "Add Point", true},
    {"add_edge", ButtonKind::Code, C::AddEdge, "Add Edge", false},
    {"delete_point", ButtonKind::Code, C::DeletePoint, "Delete Point", true},
    {"delete_edge", ButtonKind::Code, C::DeleteEdge, "Delete Edge", false},
    {"delete_component", ButtonKind::Code, C::DeleteComponent, "Delete Component", false},
    {"delete_all", ButtonKind::Code, C::DeleteAll, "Delete All", false},
    {"increase_xy", ButtonKind::Code, C::IncrementXY, "Increase X and  Y Size", true},
    {"increase_x", ButtonKind::Code, C::IncrementX, "Increase X Size", false},
    {"increase_y", ButtonKind::Code, C::IncrementY, "Increase Y Size", false},
    {"decrease_xy", ButtonKind::Code, C::DecrementXY, "Decrease  X and  Y Size", false},
    {"decrease_x", ButtonKind::Code, C::DecrementX, "Decrease X Size", false},
    {"decrease_y", ButtonKind::Code, C::DecrementY, "Decrease Y Size", false},
    {"fit_to_screen", ButtonKind::Code, C::FitNet, "Fit to Screen", false},
    {"show_report", ButtonKind::Code, C::ShowReport, "Show Report File", true},
    {"clear_report", ButtonKind::Code, C::ClearReport, "Clear Report File", false},
    {"move_point", ButtonKind::Code, C::MovePoint, "Move Point", true},
    {"retype", ButtonKind::Code, C::Retype, "Change Type of the Net", false},
}};

QString Text(const char* text) { return QString::fromUtf8(text); }

} // namespace

// One action for each program-wide command: the frame's File menu and every document's hold it.
void TPlaxForm::CreateFileActions() {
    const auto make = [this](const char* name, const QString& caption, const QKeySequence& keys,
                             void (TPlaxForm::*command)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, command);
        // On the frame, so the keys work whichever child has the focus.
        addAction(action);
        return action;
    };
    actions_.newNet = make("New1", tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), &TPlaxForm::NewNet);
    actions_.newFromTemplate =
        make("NewFromTemplate1", Text(NewFromTemplateCaption), {}, &TPlaxForm::NewFromTemplate);
    actions_.open = make("Open1", tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O), &TPlaxForm::OpenNet);
    actions_.close =
        make("Close1", tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_F4), &TPlaxForm::CloseActiveWindow);
    actions_.import = make("Import1", QString::fromLatin1(ImportCaption), {}, &TPlaxForm::ImportNet);
    actions_.import->setStatusTip(QString::fromLatin1(ImportHint));
    actions_.options = make("Options1", tr("Options..."), {}, &TPlaxForm::ShowOptions);
    actions_.exit = make("Exit1", tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4), &TPlaxForm::ExitProgram);
}

void TPlaxForm::CreateMenus() {
    CreateFileActions();
    recentMenu_ = new QMenu(Text(RecentNetsCaption), this);
    recentMenu_->setObjectName(QStringLiteral("RecentNets1"));
    actions_.recent = recentMenu_->menuAction();
    actions_.recent->setObjectName(QStringLiteral("RecentNets1"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &TPlaxForm::FillRecentMenu);
    ShowRecentEnabled();
    fileMenu_ = new QMenu(tr("&File"), this);
    fileMenu_->addActions({actions_.newNet, actions_.newFromTemplate, actions_.open, actions_.recent,
                           actions_.close, actions_.import});
    fileMenu_->addSeparator();
    fileMenu_->addAction(actions_.options);
    fileMenu_->addSeparator();
    fileMenu_->addAction(actions_.exit);

    windowMenu_ = new QMenu(tr("&Window"), this);
    windowMenu_->addAction(tr("&Cascade"), area_, &QMdiArea::cascadeSubWindows);
    windowMenu_->addAction(tr("&Tile Horizontally"), this, &TPlaxForm::TileHorizontally);
    windowMenu_->addAction(tr("Tile Vertically"), this, &TPlaxForm::TileVertically);
    windowMenu_->addAction(tr("&Arrange Icons"), this, &TPlaxForm::ArrangeIcons);
    windowMenu_->addSeparator();
    windowMenu_->menuAction()->setEnabled(false);
    connect(windowMenu_, &QMenu::aboutToShow, this, &TPlaxForm::FillWindowList);

    helpMenu_ = new QMenu(tr("&Help"), this);
    helpMenu_->addAction(tr("&Contents"), this, [this] { ShowHelp(""); });
    helpMenu_->addAction(tr("&Search for Help On..."), this, [this] { SearchHelp(""); });
    helpMenu_->addSeparator();
    helpMenu_->addAction(tr("&About..."), this, &TPlaxForm::About1Click);

    GiveAccessLetters(*fileMenu_);
    GiveAccessLetters(*windowMenu_);
    GiveAccessLetters(*helpMenu_);
    ShowMenus({fileMenu_});
}

void TPlaxForm::FillRecentMenu() {
    recentMenu_->clear();
    int number = 1;
    for (const std::string& path : recent_.List()) {
        QAction* entry = recentMenu_->addAction(
            NumberedItem(number++, QFile::decodeName(QByteArray::fromStdString(path))));
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
}

void TPlaxForm::ShowRecentEnabled() { actions_.recent->setEnabled(!recent_.List().empty()); }

namespace {

// The Edit menu's texts: "Undo Move Point", or "Undo" alone when there is no step; U and R are
// their access letters.
QString StepCaption(const char* verb, const QString& step) {
    return step.isEmpty() ? Text(verb) : Text(verb) + QLatin1Char(' ') + step;
}

// The history refuses clicks while a procedure runs, as every other edit does.
class HistoryList : public QUndoView {
public:
    HistoryList(QUndoGroup& group, ProgramState& state, Dialogs& ui, QWidget* parent)
        : QUndoView(&group, parent), state_(state), ui_(ui) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (Refused()) return;
        QUndoView::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (Refused()) return;
        QUndoView::keyPressEvent(event);
    }

private:
    bool Refused() {
        if (state_.run.busy == 0) return false;
        ui_.Warning(ProcedureInProgressMessage);
        return true;
    }

    ProgramState& state_;
    Dialogs& ui_;
};

} // namespace

void TPlaxForm::CreateHistory() {
    undoGroup_ = new QUndoGroup(this);
    QAction* undo = actions_.undo = new QAction(Text("&Undo"), this);
    undo->setObjectName(QStringLiteral("Undo1"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = actions_.redo = new QAction(Text("&Redo"), this);
    redo->setObjectName(QStringLiteral("Redo1"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : {undo, redo}) {
        action->setEnabled(false);
        // On the frame, so the keys work whichever child has the focus.
        addAction(action);
    }
    connect(undoGroup_, &QUndoGroup::canUndoChanged, undo, &QAction::setEnabled);
    connect(undoGroup_, &QUndoGroup::canRedoChanged, redo, &QAction::setEnabled);
    connect(undoGroup_, &QUndoGroup::undoTextChanged, this,
            [undo](const QString& step) { undo->setText(StepCaption("&Undo", step)); });
    connect(undoGroup_, &QUndoGroup::redoTextChanged, this,
            [redo](const QString& step) { redo->setText(StepCaption("&Redo", step)); });
    connect(undo, &QAction::triggered, this, [this] {
        if (TMDIChild* document = ActiveDocument()) document->Undo1Click();
    });
    connect(redo, &QAction::triggered, this, [this] {
        if (TMDIChild* document = ActiveDocument()) document->Redo1Click();
    });

    auto* dock = new QDockWidget(Text(UndoHistoryCaption), this);
    dock->setObjectName(QStringLiteral("UndoHistory"));
    historyView_ = new HistoryList(*undoGroup_, state_, *dialogs_, dock);
    historyView_->setEmptyLabel(Text(HistoryStartText));
    dock->setWidget(historyView_);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    actions_.history = dock->toggleViewAction();
    actions_.history->setObjectName(QStringLiteral("UndoHistory1"));
    actions_.history->setText(Text(UndoHistoryCaption));
}

// View > "Toolbar" and the two palettes' switches.
void TPlaxForm::CreateWindowSwitches() {
    actions_.toolbar = toolBar_->toggleViewAction();
    actions_.toolbar->setObjectName(QStringLiteral("Toolbar1"));
    actions_.toolbar->setText(tr("Toolbar"));
    const auto make = [this](const char* name, const char* caption, void (TPlaxForm::*show)(bool)) {
        auto* action = new QAction(Text(caption), this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, show);
        return action;
    };
    actions_.optionsPalette =
        make("OptionsPallete", NewElementPaletteCaption, &TPlaxForm::ShowOptionsPalette);
    actions_.alignPalette = make("AlignePallete", AlignPaletteCaption, &TPlaxForm::ShowAlignPalette);
    palette_->installEventFilter(this);
    alignPalette_->installEventFilter(this);
}

bool TPlaxForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        const bool shown = event->type() == QEvent::Show;
        if (watched == palette_) actions_.optionsPalette->setChecked(shown);
        if (watched == alignPalette_) actions_.alignPalette->setChecked(shown);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TPlaxForm::CreateToolbar() {
    QToolBar* bar = addToolBar(tr("Tools"));
    toolBar_ = bar;
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    for (const ToolButtonEntry& entry : ToolButtons) {
        if (entry.groupStart) bar->addSeparator();
        const QString hint = Text(entry.hint);
        QAction* action = bar->addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(Text(entry.icon))), hint);
        action->setToolTip(hint);
        action->setStatusTip(hint);
        switch (entry.kind) {
        case ButtonKind::Open: connect(action, &QAction::triggered, this, &TPlaxForm::OpenNet); break;
        case ButtonKind::New: connect(action, &QAction::triggered, this, &TPlaxForm::NewNet); break;
        case ButtonKind::Save:
            saveButton_ = action;
            action->setEnabled(false);
            connect(action, &QAction::triggered, this, &TPlaxForm::SaveBtnClick);
            break;
        case ButtonKind::Code:
            action->setEnabled(false);
            codeButtons_.push_back({action, entry.code});
            connect(action, &QAction::triggered, this, [this, code = entry.code] { ToolButtonClick(code); });
            break;
        }
    }
    CreateStepEdit(*bar);
}

void TPlaxForm::CreateStepEdit(QToolBar& bar) {
    bar.addSeparator();
    stepEdit_ = new QSpinBox(&bar);
    stepEdit_->setRange(MinStep, MaxStep);
    stepEdit_->setValue(state_.step);
    stepEdit_->setToolTip(Text(StepHint));
    stepEdit_->setStatusTip(Text(StepHint));
    bar.addWidget(stepEdit_);
    connect(stepEdit_, &QSpinBox::valueChanged, this,
            [this](int value) { state_.step = static_cast<std::uint8_t>(value); });
}

} // namespace plax
