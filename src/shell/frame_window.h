#pragma once

#include "attribute_controls.h"
#include "recent_files.h"

#include "view/dialogs.h"
#include "view/document_actions.h"
#include "view/document_host.h"
#include "view/pickers.h"
#include "view/program_state.h"

#include "model/net_templates.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSpinBox;
class QTimer;
class QToolBar;
class QUndoGroup;
class QUndoView;

namespace plax {

class TAlignForm;
class TFormOptionsPallete;
class TGetKForm;
class THelpForm;
class TOptionsDlg;
class TProgressBar;
class TResultForm;

inline constexpr const char* ProgramTitle = "Plax";
inline constexpr const char* OpenFileFilter = "Net files (*.net)|*.net|Report files (*.txt)|*.txt|KrackPlot "
                                              "files (*.kp)|*.kp|Plax exercises (*.pex)|*.pex";
inline constexpr const char* InvalidExtensionMessage = "Invalid Extension of the File";
inline constexpr const char* UndoHistoryCaption = "Undo History";
inline constexpr const char* RecentNetsCaption = "Recent Nets";
// The first line of the history: the net as it was opened.
inline constexpr const char* HistoryStartText = "<opened>";
inline constexpr const char* StepHint = "Step for Size and Move operations";
// Milliseconds between two ticks of the documents' timer modes.
inline constexpr int TimerInterval = 300;

// What File > Open makes of a file, by its extension.
enum class OpenKind { Report, Net, Exercise, Invalid };
// Only the first four characters of the extension count, upper-cased: ".netx" opens as a net.
OpenKind OpenKindOf(std::string_view path);

// The frame window: it owns the program-wide state, holds the document, Results, Report and
// Gantt windows in its document area, forwards its toolbar to the active document and drives
// the documents' timer modes.
class TPlaxForm : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    explicit TPlaxForm(QWidget* parent = nullptr);
    // A frame whose messages and questions go to `dialogs` (tests give it a script).
    explicit TPlaxForm(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TPlaxForm() override;

    ProgramState& State() override { return state_; }
    Dialogs& Ui() override { return *dialogs_; }
    ResultsSink& NewResultsWindow() override;
    void ShowGanttChart(const std::vector<GanttBar>& bars) override;
    bool AskKShortestPaths(KShortestParameters& parameters) override;
    bool AskAutoRun(AutoRunParameters& parameters) override;
    bool AskMarkingBound(std::uint64_t& bound) override;
    void ShowSimulationProcess(SimulationCommands& simulation) override;
    std::optional<PointType> EditPoint(const PointDialogState& state) override;
    std::optional<EdgeDialogState> EditEdge(const EdgeDialogState& state) override;
    void OpenReportWindow(const std::string& path) override;
    void ShowHelp(const std::string& topic) override;
    void ShowHint(const std::string& hint) override;
    void RememberFile(const std::string& path) override;

    // The frame's own commands, on its actions (FrameActions).
    void NewNet();
    // Asks for the template (the last one of this run first), then opens it.
    void NewFromTemplate();
    // A new document holding the standard net; false, with the refusal shown and no window
    // left, when the parameters make none.
    bool OpenTemplate(const TemplateParams& params);
    void OpenNet();
    void ImportNet();
    // File > Options...: with a document active, the dialog shows that net's point options first.
    void ShowOptions();
    void ExitProgram();
    void ShowToolbar(bool visible);
    bool ToolbarVisible() const;
    void ShowOptionsPalette(bool visible);
    bool OptionsPaletteVisible() const;
    void ShowAlignPalette(bool visible);
    bool AlignPaletteVisible() const;
    void DocumentClosed(TMDIChild& document) override;

    // Opens `path` as File > Open does once the file is chosen; the command line uses it too.
    // A net or report that is open already only has its window brought to the front.
    void OpenFile(const std::string& path);
    // What a dropped file or a recent entry opens: a net, report or exercise as OpenFile does,
    // a file of another graph tool as File > Import does.
    void OpenAny(const std::string& path);
    // A recent entry whose file is gone is reported and leaves the list.
    void OpenRecent(const std::string& path);
    // Imports `path` into a new document, as File > Import does once the file is chosen.
    void ImportFile(const std::string& path);
    // Opens the files of a drop on the frame; nothing when one of them is of no kind Plax opens.
    bool OpenDropped(const QMimeData& data);
    // File > Close (Ctrl+F4): closes the active window, as its close button does.
    void CloseActiveWindow();
    // File > "Recent Nets", newest first.
    RecentFiles& Recent() { return recent_; }
    // A ".pex" exercise: its net opened in check mode.
    void OpenExercise(const std::string& path);
    // The keyword search of the help file, with `key` in its filter.
    void SearchHelp(const std::string& key);
    // Visits every document in a timer mode, last to first.
    void Timer1Timer();

    // The child widget of the current sub-window, and that child when it is a document.
    QWidget* ActiveChild() const;
    TMDIChild* ActiveDocument() const;
    std::vector<TMDIChild*> Documents() const;

    QMdiArea& Area() const { return *area_; }
    // The toolbar button that sends `code` to the active document, or nullptr.
    QAction* ToolButton(CommandCode code) const;
    QAction* SaveButton() const { return saveButton_; }
    QSpinBox& StepEdit() const { return *stepEdit_; }
    QMenu& WindowMenu() const { return *windowMenu_; }
    // Edit > Undo and Redo, whose texts name the active document's step, and View > "Undo
    // History" with the active document's steps.
    QAction& UndoAction() const { return *actions_.undo; }
    QAction& RedoAction() const { return *actions_.redo; }
    QAction& HistoryAction() const { return *actions_.history; }
    QUndoView& HistoryView() const { return *historyView_; }
    // Every action the frame shows in the documents' menus.
    const FrameActions& Actions() const override { return actions_; }
    TProgressBar& Progress() const { return *progress_; }
    TGetKForm& KPathsDialog() const { return *kForm_; }
    TOptionsDlg& OptionsDlg() const { return *optionsDlg_; }
    TFormOptionsPallete& OptionsPalette() const { return *palette_; }
    TAlignForm& AlignPalette() const { return *alignPalette_; }
    THelpForm* HelpWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The palettes' check marks follow the palettes, whoever shows or hides them.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Files dropped on the frame open as OpenAny opens them.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Setup();
    void CreateFileActions();
    void CreateMenus();
    void CreateHistory();
    void CreateWindowSwitches();
    // The toolbar and the alignment palette offer what the active document offers.
    void PullEnabling();
    void CreateToolbar();
    void CreateStepEdit(QToolBar& bar);
    void ToolButtonClick(CommandCode code);
    // Shows a palette, the first time at the frame's right edge, `top` pixels down.
    void ShowPalette(QWidget& palette, bool visible, bool& placed, int top);
    void SaveBtnClick();
    // Shows `child` in the document area: beside the window `beside` when one is given and shown,
    // else cascaded from the active window.
    QMdiSubWindow* AddChild(QWidget* child, const QMdiSubWindow* beside = nullptr);
    // Shows a document window and enables the Window menu; the frame's area owns it from then on.
    TMDIChild& AddDocument(std::unique_ptr<TMDIChild> document);
    void AddResultsWindow(TResultForm* form);
    QRect ResultsPlace(const QMdiSubWindow& beside, QSize wanted) const;
    void DiscardPendingResults();
    void ChildActivated();
    // The window showing the net or report file `path`, or nullptr.
    QMdiSubWindow* WindowShowing(const std::string& path) const;
    void FillRecentMenu();
    void ShowRecentEnabled();
    void ShowMenus(const std::vector<QMenu*>& fileMenus);
    // The menus the bar shows with a window without a net active: the frame's File menu, or a
    // maximized text window's own menus.
    std::vector<QMenu*> TextWindowMenus(QWidget* child) const;
    void DisableDocumentItems();
    bool CloseChildren();
    void TileHorizontally();
    void TileVertically();
    void ArrangeIcons();
    void FillWindowList();
    void About1Click();
    THelpForm& Help();
    void PlaceHelp();
    // A modal dialog blocks every window but its own, so its Help lends it the help window,
    // and the frame takes it back when the dialog ends.
    void ShowHelpOver(QWidget& dialog, const std::string& topic);
    HelpRequest DialogHelp();
    void ReclaimHelp();

    ProgramState state_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs* dialogs_ = nullptr; // ownDialogs_ or the one the caller keeps
    QMdiArea* area_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    RecentFiles recent_;
    // Set while the frame closes every window: a closing Results window then activates nothing.
    bool closingAll_ = false;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QUndoGroup* undoGroup_ = nullptr;
    QUndoView* historyView_ = nullptr;
    FrameActions actions_;
    // The active document's enablingChanged, followed while it is active.
    QMetaObject::Connection enablingFollowed_;
    QPointer<QActionGroup> windowList_;
    struct CodeButton {
        QAction* action = nullptr;
        CommandCode code = CommandCode::Nothing;
    };
    std::vector<CodeButton> codeButtons_;
    QAction* saveButton_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QSpinBox* stepEdit_ = nullptr;
    QTimer* timer_ = nullptr;
    TProgressBar* progress_ = nullptr;
    TGetKForm* kForm_ = nullptr;
    std::unique_ptr<Pickers> pickers_;
    TOptionsDlg* optionsDlg_ = nullptr;
    TFormOptionsPallete* palette_ = nullptr;
    bool palettePlaced_ = false;
    TAlignForm* alignPalette_ = nullptr;
    bool alignPalettePlaced_ = false;
    // The document that was active last: "Current Graph " while a text window is active.
    QPointer<TMDIChild> lastDocument_;
    QPointer<THelpForm> help_;
    // A Results window handed to a procedure that has not opened it yet.
    QPointer<TResultForm> pendingResults_;
    // What File > "New from Template..." offers first: the last template of this run.
    TemplateParams lastTemplate_;
};

} // namespace plax
