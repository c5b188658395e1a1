#pragma once

#include "canvas_gesture.h"
#include "check_mode.h"
#include "command_code.h"
#include "command_state.h"
#include "document_actions.h"
#include "document_context.h"
#include "document_host.h"
#include "edit_machine.h"
#include "net_canvas_widget.h"
#include "net_document.h"

#include "checking/exercise_file.h"
#include "model/net_layout.h"
#include "model/net_templates.h"
#include "model/net_types.h"

#include <QPoint>
#include <QSize>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QUndoStack;

namespace plax {

class ElidingLabel;
class PickingCommands;
class PropertyCommands;
class SimulationCommands;

// The Change Size commands, in the order of their DoCommand codes (9..14).
enum class SizeChange { GrowXY, GrowX, GrowY, ShrinkXY, ShrinkX, ShrinkY };

// The window of one open net: its status line, its canvas in a scroll area and the mouse on it
// over one CanvasGesture. Its parts do the rest: the document and its files (NetDocument), the
// actions and menus (DocumentActions), the edit command machine (EditMachine) and the Property
// commands. The handlers named after the menu items forward to them.
class TMDIChild : public QWidget,
                  public DocumentContext,
                  public CommandMachine,
                  public CanvasEvents,
                  private DocumentDisplay,
                  private EditMachineDisplay,
                  private DocumentCommands {
    Q_OBJECT
public:
    explicit TMDIChild(DocumentHost& host, QWidget* parent = nullptr);
    ~TMDIChild() override;

    // Fills the document from the file at `path`; "NoName" makes the empty unnamed net.
    void OpenDocument(const std::string& path);
    // The frame's New: the empty unnamed net with the options and view flags for new nets.
    void NewDocument();
    // File > Import...: the net of another graph tool's file; false when the file makes none.
    [[nodiscard]] bool ImportDocument(const std::string& path);
    // File > "New from Template...": New, then the standard net laid out in the window's visible
    // canvas. False, with the refusal shown, when the parameters make no net.
    bool NewFromTemplate(const TemplateParams& params);

    // The menus the frame shows while this document is active: "&File", "&Edit", "&View",
    // "&Property", "&Simulation", "&Report".
    std::vector<QMenu*> Menus() const;
    // The canvas's right-button menu.
    QMenu* PopupMenu() const { return actions_->PopupMenu(); }

    // A command by its dispatcher code; 16 and 27 do nothing.
    void DoCommand(CommandCode code) override;

    // Edit menu.
    void AddPoint1Click();
    void AddEdge1Click();
    void DeletePoint1Click();
    void DeleteEdge1Click();
    void DeleteComponent1Click();
    void DeleteAll1Click();
    void MovePoint1Click();
    void MoveComponent1Click();
    void Retype1Click();
    void ChangeSize(SizeChange change);
    void MoveGraph(int dx, int dy) override;
    void FitNettoWindow1Click();
    // Edit > Undo and Redo: one step of the document's history back or forth, refused while a
    // procedure runs.
    void Undo1Click();
    void Redo1Click();
    QUndoStack& History() { return document_.History(); }
    // The frame's actions, into this document's File, Edit and View menus.
    void AddFrameItems(const FrameActions& frame);
    // Edit > Plax Clipboard > Copy and Paste; the paste is placed by the next click (PasteAt).
    void CopyToClipboard() override;
    void StartPaste() override;
    // Edit > Copy as Picture: the net onto the system clipboard as PNG and SVG.
    void CopyAsPicture1Click() override;
    void CopyAsTikz1Click() override;
    void ClearCustomPOptionsClick() override;
    // Edit > Layout, in the visible canvas with the Fit margins.
    void Layout1Click(LayoutKind kind) override;

    // View menu and the canvas's pop-up menu.
    void HideAllAttributes2Click() override;
    void ShowEdgeName1Click() override;
    void ShowMark1Click() override;
    void ShowFlow1Click() override;
    void ShowPointName1Click() override;
    void ShowTokens1Click() override;
    void ShowEdgelabels1Click() override;
    void Zoom1Click(ZoomCommand command) override;
    // Percent of the net's pixels.
    int Zoom() const { return canvas_->Zoom(); }

    // The canvas.
    void PaintBox1MouseDown(const CanvasMouse& m) override;
    void PaintBox1MouseMove(const CanvasMouse& m) override;
    void PaintBox1MouseUp(const CanvasMouse& m) override;
    void PaintBox1Click() override;
    void PaintBox1DblClick(const CanvasMouse& m) override;
    void CanvasWheelZoom(int steps, QPoint at) override;
    void FormKeyDown(int key);

    // The command machine.
    Command Armed() const override { return machine_.Armed(); }
    void Arm(Command c, const std::string& prompt) override { machine_.Arm(c, prompt); }
    int FirstPoint() const override { return machine_.FirstPoint(); }
    void SetFirstPoint(int p) override { machine_.SetFirstPoint(p); }
    void Beep() override { machine_.Beep(); }
    bool HasPendingParameters() const { return machine_.Armed() != Command::None; }
    // Reset without touching the cursor and the Reset button.
    void ResetCommandSoft();
    // Each answers whether the net was written (an exported picture or edge list is not the net).
    bool SaveNet();
    bool SaveNetAs() override;
    bool Export1Click() override;
    bool SaveNetToFile();
    void Print1Click() override;
    void PrintSetup1Click() override;
    void ShowReport1Click() override;
    void ClearReport1Click() override;
    void RefreshNet1Click() override;
    // The status line's Up One Level button: back to the enclosing level; at the top it only
    // disables the button.
    void UpOneLevel();
    // Edit > "Enter Sub-net" (Ctrl+Enter) and the pop-up's item: into the level of the edge
    // under the last click, or under the pointer for the pop-up; "Decompose Edge" on an edge
    // that has none asks first. A beep when no edge is there.
    void EnterSubNetAt(int x, int y);
    QAction& EnterSubNetAction() const { return *enterSubNetItem_; }
    QAction& PopupEnterSubNetAction() const { return *popupEnterSubNet_; }
    // Property > "Check My Answer": the question dialog, then check mode or the verdict.
    void CheckMyAnswer1Click();
    // File > "Save as Exercise...": the question into a small file beside the net.
    void SaveAsExercise1Click();
    // Opening an exercise: the net in check mode on its question.
    void StartExercise(const Exercise& exercise);
    const CheckMode& Check() const { return check_; }

    // Which dispatcher codes the toolbar and the palette may offer for this net; the frame reads
    // it when the window becomes active and on enablingChanged.
    CommandEnabling Enabling() const;
    void FormActivate();
    // The manual Petri net simulation runs; the frame's timer then calls TimerTick.
    bool InTimerMode() const { return machine_.Simulation().Running(); }
    // The blinking of the enabled transitions.
    void TimerTick();
    SimulationCommands& Simulation() const { return *simulation_; }

    // Where the window shows its net: the drawn points' box (with room for labels) within the
    // visible canvas, in the window's own pixels; empty when none of it is in view.
    QRect DrawnArea() const;
    // What a picture of the net shows: the visible part of the canvas.
    QSize PictureSize() const override;
    bool Unnamed() const { return document_.Unnamed(); }

    NetWorkType& Net() override { return document_.Net(); }
    const std::string& FileName() const override { return document_.FileName(); }
    bool IsSubNet() const override { return document_.IsSubNet(); }
    std::vector<std::pair<int, int>> Level() const override { return document_.LevelSteps(); }
    DocumentHost& Host() override { return host_; }
    void Edit(const std::string& text, const std::function<void(NetWorkType&)>& change) override {
        document_.Edit(text, change);
    }
    void ResetCommand() override;
    void ShowPrompt(const std::string& prompt) override;
    void Notify(ShownChange what) override { document_.Notify(what); }
    // The slots of the document's signals: one paints the net again, one re-enables the menus.
    void RepaintNet();
    void DefEnableItem();

signals:
    // The window's own items were re-enabled: what the frame's toolbar offers may have changed.
    void enablingChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Where the point and edge dialogs, the decomposition of an edge and the paste placement
    // join the machine. The dialogs edit copies, applied on OK; the decomposition asks first
    // and enters the edge's level; the paste merges the program's clipboard net with its corner
    // at (x, y).
    virtual void PointDialog(int p);
    virtual void EdgeDialog(int from, int to);
    virtual void EnterSubNet(int from, int to);
    void PasteAt(int x, int y) override;

private:
    QWidget* MakeStatusLine();
    void AddCheckItems();
    void StartCheckMode(const CheckRequest& request, bool hideWeights);
    void ShowVerdict(const CheckRequest& request, const StudentAnswer& answer);
    // The "mark edge" gesture of check mode: a click on an edge's anchor marks or unmarks it.
    bool MarkEdgeAt(int x, int y);
    void MakePopupMenu();
    void MakeSubNetItems();
    // The edge at (x, y) (EdgeOver), and whether it holds a sub-net.
    struct EdgeUnder {
        int from = 0;
        int to = 0;
        bool decomposed = false;
    };
    EdgeUnder EdgeUnderAt(int x, int y);
    // The sub-net items name what they would do with the edge at (x, y): enter or decompose it.
    // False when no edge is there.
    bool NameSubNetItem(QAction& item, int x, int y);
    // "Edge (3,4) holds a sub-net" while the pointer is over such an edge and nothing else is
    // shown in the status line.
    void ShowEdgeHint(int x, int y);
    void ClearSelection();
    // Clears the selection and repaints when there was one (its marks go).
    void DropSelection();
    bool Busy() { return machine_.Busy(); }
    void SetCoordText(const std::string& text);
    void ToggleViewText(std::uint8_t ViewFlags::*flag);
    // The alignment palette's codes over the selected points.
    void AlignSelection(CommandCode code);

    // What the edit machine shows in the window.
    void ClearCommandDisplay() override;
    void EnableReset(bool enabled) override;
    void UnsetCursor() override;
    void SetCrossCursor() override;
    void PickingClick(int p) override;

    // Mouse modes.
    // Starts, changes or ends the gesture together with the net's drag flags.
    void SetGesture(void (CanvasGesture::*change)(int), int point);
    void EndGesture();
    void StartGroupDrag(int q);
    void MoveGroup(int x, int y);
    void StartPointDrag(int q);
    void EndBand(int x, int y, bool shift);
    void EndGroupDrag();
    void EndPointDrag();
    // Answers whether the drag made a step.
    bool RecordDrag(const char* step);
    void HistoryMoved();
    void ToggleSelected(int q);
    void SelectInRectangle();
    void ShowPopUpInfo(int x, int y);
    std::vector<int> SelectedPoints() const;
    void SetCaption(const std::string& caption) override;
    // After New, Open or a change of level: the window shows the document's net afresh.
    void ShowOpenedNet();
    // The zoom: `percent` with the net pixel under `anchor` (a place in the scroll area's
    // viewport) kept where it is.
    void SetZoom(int percent, QPoint anchor);
    // Scrolls the net position (x, y) to `at` in the viewport.
    void ScrollNetTo(double x, double y, QPoint at);
    QPoint ViewCentre() const;
    // The zoom, up to `most`, that shows every point, with the net centred in the view.
    void ZoomToFit(int most);
    // A net opened that does not fit the window is shown whole, zoomed out; waits for the
    // window's first showing when it is not shown yet.
    void ShowWholeNet();
    // The visible canvas in net pixels.
    QSize NetViewSize() const;
    QPoint NetViewOrigin() const;
    // Close: false when the document must stay open.
    bool FormCloseQuery() { return document_.CloseQuery(); }

    DocumentHost& host_;
    NetDocument document_{host_, *this};

    QLabel* labelType_ = nullptr;
    QLabel* labelCoord_ = nullptr;
    ElidingLabel* labelStatus_ = nullptr;
    QPushButton* resetBtn_ = nullptr;
    QPushButton* upOneLevelBtn_ = nullptr;
    QAction* enterSubNetItem_ = nullptr;
    QAction* upOneLevelItem_ = nullptr;
    QAction* popupEnterSubNet_ = nullptr;
    QAction* popupSeparator_ = nullptr;
    QPoint popupAt_; // net pixels of the last pop-up
    bool edgeHintShown_ = false;
    bool promptInFrame_ = false; // the frame's status line shows this window's last prompt
    QScrollArea* scroll_ = nullptr;
    NetCanvasWidget* canvas_ = nullptr;

    DocumentActions* actions_ = nullptr;
    PropertyCommands* property_ = nullptr;
    PickingCommands* picking_ = nullptr;
    SimulationCommands* simulation_ = nullptr;

    EditMachine machine_{*this, *this};
    CanvasGesture gesture_;
    CheckMode check_;
    bool showWholeNetPending_ = false;
    // The level as a drag found it at its press.
    std::optional<NetWorkType> dragBefore_;
};

} // namespace plax
