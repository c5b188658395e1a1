#pragma once

#include "command_code.h"
#include "document_host.h"
#include "frame_actions.h"

#include "model/net_layout.h"
#include "model/net_types.h"

#include <QKeySequence>
#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace plax {

// File > "Import..." and "Export...": nets from and for other graph tools.
inline constexpr const char* ImportCaption = "Import...";
inline constexpr const char* ExportCaption = "Export...";
inline constexpr const char* ImportHint = "Open a GraphML, JSON, DOT or edge list file as a new NetWork";
inline constexpr const char* ExportHint = "Write the NetWork as GraphML, JSON, DOT or an edge list";

inline constexpr const char* NewFromTemplateCaption = "New from Template...";
inline constexpr const char* NewElementPaletteCaption = "New Element Options Palette";
inline constexpr const char* AlignPaletteCaption = "Alignment Palette";

// View > "Zoom In", "Zoom Out", "Actual Size", "Zoom to Fit".
enum class ZoomCommand { In, Out, ActualSize, ToFit };

// What the document's menu items run; the document window implements it.
class DocumentCommands {
public:
    virtual ~DocumentCommands() = default;
    virtual void DoCommand(CommandCode code) = 0;
    virtual bool SaveNetAs() = 0;
    virtual bool Export1Click() = 0;
    virtual void Print1Click() = 0;
    virtual void PrintSetup1Click() = 0;
    virtual void CopyToClipboard() = 0;
    virtual void StartPaste() = 0;
    virtual void CopyAsPicture1Click() = 0;
    virtual void CopyAsTikz1Click() = 0;
    virtual void ClearCustomPOptionsClick() = 0;
    virtual void MoveGraph(int dx, int dy) = 0;
    virtual void ResetCommand() = 0;
    virtual void RefreshNet1Click() = 0;
    virtual void HideAllAttributes2Click() = 0;
    virtual void ShowEdgeName1Click() = 0;
    virtual void ShowMark1Click() = 0;
    virtual void ShowFlow1Click() = 0;
    virtual void ShowPointName1Click() = 0;
    virtual void ShowTokens1Click() = 0;
    virtual void ShowEdgelabels1Click() = 0;
    virtual void ShowReport1Click() = 0;
    virtual void ClearReport1Click() = 0;
    // Edit > Layout: the selection (two points or more) or else the whole net.
    virtual void Layout1Click(LayoutKind kind) = 0;
    virtual void Zoom1Click(ZoomCommand command) = 0;
};

// The states the document's own items show, as the document computes them.
struct ActionStates {
    CommandEnabling enabling;
    bool copy = false;    // Plax Clipboard > Copy
    bool paste = false;   // Plax Clipboard > Paste
    bool picture = false; // Copy as Picture
    bool anyAttributeShown = false;
    bool directed = false; // the token items belong to directed nets
    bool layout = false;   // Edit > Layout: two points or more
    ViewFlags view;
};

// Every action and menu of one document, made once: File, Edit, View, the empty Property menu
// (filled by its own commands), Report, the canvas's pop-up with its mirrors of View items, and
// the Move Graph and alignment keys on the window. It is the one place that sets their enabled
// and checked states.
class DocumentActions : public QObject {
    Q_OBJECT
public:
    // The menus, actions and shortcuts belong to `owner`.
    DocumentActions(QWidget& owner, DocumentHost& host, DocumentCommands& commands,
                    const std::function<void(QMenu& property)>& fillProperty);

    // "&File", "&Edit", "&View", "&Property", "&Report".
    std::vector<QMenu*> Menus() const;
    QMenu* PopupMenu() const { return popupMenu_; }

    void DefEnableItem(const ActionStates& states);
    // The frame's actions at their places in the File, Edit and View menus.
    void AddFrameItems(const FrameActions& frame);
    // A File menu item of the document's own among the saves (after Save As).
    void AddSaveItem(QAction& item);
    // The View check marks; the pop-up follows.
    void SyncViewChecks(const ViewFlags& view);

private:
    // A menu item that offers a DoCommand code, enabled by the same rule as the toolbar.
    struct CodeItem {
        QAction* action = nullptr;
        CommandCode code = CommandCode::Nothing;
    };
    // A view switch: the flag it shows and its View item (the pop-up mirrors it).
    struct ViewSwitch {
        std::uint8_t ViewFlags::*flag = nullptr;
        QAction* menuItem = nullptr;
    };

    void MakeFileMenu();
    void MakeEditMenu();
    void MakeEditSubMenus(QMenu& edit);
    void MakeClipboardItems(QMenu& edit);
    void MakeChangeSizeMenu(QMenu& edit);
    void MakeAlignItems(QMenu& edit);
    void MakeMoveGraphItems();
    void MakeLayoutMenu(QMenu& edit);
    void MakeZoomItems();
    void MakeViewMenu();
    void MakeViewSwitch(std::uint8_t ViewFlags::*flag, const char* name, const char* caption,
                        const QKeySequence& shortcut, const char* popupCaption,
                        void (DocumentCommands::*handler)());
    void MakeReportMenu();
    QAction* AddAction(QMenu& menu, const char* name, const char* caption, const char* hint = "");
    QAction* AddCodeAction(QMenu& menu, const char* name, const char* caption, CommandCode code,
                           const QKeySequence& shortcut = {});
    QAction* AddCommandAction(QMenu& menu, const char* name, const char* caption,
                              void (DocumentCommands::*handler)(), const char* hint = "");
    QAction* AddMirror(QMenu& menu, const char* name, const char* caption, QAction& source);
    void ShowHintsOf(QMenu& menu);

    QWidget& owner_;
    DocumentHost& host_;
    DocumentCommands& commands_;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* propertyMenu_ = nullptr;
    QMenu* reportMenu_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QAction* refreshNetAction_ = nullptr;
    // Where the frame's actions go: before these items, and Exit after the last separator.
    QAction* historySeparator_ = nullptr;
    QAction* saveItem_ = nullptr;
    QAction* exportItem_ = nullptr;
    QAction* exitSeparator_ = nullptr;
    QAction* savesEnd_ = nullptr; // the separator after the File menu's saves
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QAction* pictureAction_ = nullptr;
    QAction* tikzAction_ = nullptr;
    QAction* hideAllAction_ = nullptr;
    QAction* tokensAction_ = nullptr;
    std::vector<CodeItem> codeItems_;
    std::vector<ViewSwitch> viewSwitches_;
    std::vector<QAction*> layoutItems_;
};

} // namespace plax
