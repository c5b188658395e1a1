#include "document_actions.h"

#include "document_window_parts.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <string>

namespace plax {

using namespace doc;

namespace {

constexpr const char* HideAllCaption = "Hide All &Attributes";
constexpr const char* HideAllPopupCaption = "Hide All Attributes";
constexpr const char* EdgeLabelsCaption = "Show  Edge labels";
constexpr const char* CopyAsPictureHint = "Copy the NetWork as a picture for other programs";
constexpr const char* CopyAsTikzHint = "Copy the NetWork as TikZ code for LaTeX";

QMenu* SubMenu(QMenu& parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), &parent);
    menu->setObjectName(QString::fromLatin1(name));
    parent.addMenu(menu);
    return menu;
}

} // namespace

DocumentActions::DocumentActions(QWidget& owner, DocumentHost& host, DocumentCommands& commands,
                                 const std::function<void(QMenu& property)>& fillProperty)
    : QObject(&owner), owner_(owner), host_(host), commands_(commands) {
    MakeFileMenu();
    MakeEditMenu();
    MakeViewMenu();
    propertyMenu_ = new QMenu(QStringLiteral("&Property"), &owner_);
    fillProperty(*propertyMenu_);
    MakeReportMenu();
    for (QMenu* menu : Menus()) {
        ShowHintsOf(*menu);
        for (QMenu* sub : menu->findChildren<QMenu*>())
            ShowHintsOf(*sub);
    }
}

std::vector<QMenu*> DocumentActions::Menus() const {
    return {fileMenu_, editMenu_, viewMenu_, propertyMenu_, reportMenu_};
}

QAction* DocumentActions::AddAction(QMenu& menu, const char* name, const char* caption, const char* hint) {
    QAction* action = menu.addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (*hint != '\0') action->setStatusTip(QString::fromLatin1(hint));
    return action;
}

QAction* DocumentActions::AddCodeAction(QMenu& menu, const char* name, const char* caption, CommandCode code,
                                        const QKeySequence& shortcut) {
    QAction* action = AddAction(menu, name, caption);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, code] { commands_.DoCommand(code); });
    codeItems_.push_back({action, code});
    return action;
}

QAction* DocumentActions::AddCommandAction(QMenu& menu, const char* name, const char* caption,
                                           void (DocumentCommands::*handler)(), const char* hint) {
    QAction* action = AddAction(menu, name, caption, hint);
    connect(action, &QAction::triggered, this, [this, handler] { (commands_.*handler)(); });
    return action;
}

// A pop-up item with a caption of its own for a menu command: it runs the command's action and
// shows its state, so DefEnableItem sets the state on the one action only.
QAction* DocumentActions::AddMirror(QMenu& menu, const char* name, const char* caption, QAction& source) {
    QAction* mirror = AddAction(menu, name, caption);
    mirror->setCheckable(source.isCheckable());
    const auto follow = [mirror, &source] {
        mirror->setEnabled(source.isEnabled());
        mirror->setChecked(source.isChecked());
    };
    follow();
    connect(&source, &QAction::changed, mirror, follow);
    connect(mirror, &QAction::triggered, &source, [&source] { source.trigger(); });
    return mirror;
}

void DocumentActions::ShowHintsOf(QMenu& menu) {
    connect(&menu, &QMenu::hovered, this, [this](QAction* action) {
        if (!action->statusTip().isEmpty()) host_.ShowHint(action->statusTip().toStdString());
    });
    QAction* title = menu.menuAction();
    connect(title, &QAction::hovered, this, [this, title] {
        if (!title->statusTip().isEmpty()) host_.ShowHint(title->statusTip().toStdString());
    });
}

// New, New from Template, Open, Import, Options and Exit are the frame's (AddFrameItems).
void DocumentActions::MakeFileMenu() {
    fileMenu_ = new QMenu(QStringLiteral("&File"), &owner_);
    saveItem_ = AddCodeAction(*fileMenu_, "Save1", "&Save", CommandCode::Save, QKeySequence::Save);
    connect(AddAction(*fileMenu_, "SaveAs1", "Save &As..."), &QAction::triggered, this,
            [this] { commands_.SaveNetAs(); });
    savesEnd_ = fileMenu_->addSeparator();
    exportItem_ = AddAction(*fileMenu_, "Export1", ExportCaption, ExportHint);
    connect(exportItem_, &QAction::triggered, this, [this] { commands_.Export1Click(); });
    fileMenu_->addSeparator();
    AddCommandAction(*fileMenu_, "Print1", "&Print", &DocumentCommands::Print1Click)
        ->setShortcut(QKeySequence::Print);
    AddCommandAction(*fileMenu_, "PrintSetup1", "Prin&t Setup...", &DocumentCommands::PrintSetup1Click);
    fileMenu_->addSeparator();
    exitSeparator_ = fileMenu_->addSeparator();
}

void DocumentActions::AddSaveItem(QAction& item) { fileMenu_->insertAction(savesEnd_, &item); }

void DocumentActions::MakeEditMenu() {
    editMenu_ = new QMenu(QStringLiteral("&Edit"), &owner_);
    // Undo and Redo are the frame's (AddHistoryItems); they go before this separator.
    historySeparator_ = editMenu_->addSeparator();
    MakeClipboardItems(*editMenu_);
    editMenu_->addSeparator();
    MakeEditSubMenus(*editMenu_);
    AddCodeAction(*editMenu_, "Retype1", "Retype", CommandCode::Retype, Qt::CTRL | Qt::Key_T);
    editMenu_->addSeparator();
    MakeChangeSizeMenu(*editMenu_);
    AddCodeAction(*editMenu_, "FitNettoWindow1", "Fit Net to Window", CommandCode::FitNet,
                  Qt::CTRL | Qt::Key_F);
    MakeLayoutMenu(*editMenu_);
    editMenu_->addSeparator();
    AddCommandAction(*editMenu_, "ClearCustomPOptions", "Clear custom Point options",
                     &DocumentCommands::ClearCustomPOptionsClick);
    MakeAlignItems(*editMenu_);
    MakeMoveGraphItems();
}

// The alignment items stay hidden, so their Ctrl+Alt keys sit on the window, as the Move Graph
// keys do. A hidden action reports itself disabled, so each key takes its code's enabling.
void DocumentActions::MakeAlignItems(QMenu& edit) {
    using C = CommandCode;
    struct Item {
        const char* name;
        const char* caption;
        Qt::Key key;
        CommandCode code;
    };
    static constexpr Item items[] = {
        {"AlignedgestoLeft1", "Align edges to Left", Qt::Key_L, C::AlignLeft},
        {"AlignedgestoRight1", "Align edges to Right", Qt::Key_R, C::AlignRight},
        {"AlignedgestoTop1", "Align edges to Top", Qt::Key_T, C::AlignTop},
        {"AlignedgestoBottom1", "Align edges to Bottom", Qt::Key_B, C::AlignBottom},
        {"Spaceequallyhorizontally1", "Space equally, horizontally", Qt::Key_H, C::SpaceHorizontally},
        {"Spaceequallyvertically1", "Space equally, vertically", Qt::Key_V, C::SpaceVertically},
        {"FitToEllips1", "FitToEllips", Qt::Key_E, C::FitEllipse},
    };
    for (const Item& item : items) {
        QAction* menuItem = AddCodeAction(edit, item.name, item.caption, item.code);
        menuItem->setVisible(false);
        auto* key = new QAction(menuItem->text(), &owner_);
        key->setObjectName(QString::fromLatin1(item.name) + QStringLiteral("Key"));
        key->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | item.key));
        key->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        owner_.addAction(key);
        connect(key, &QAction::triggered, this, [this, code = item.code] { commands_.DoCommand(code); });
        codeItems_.push_back({key, item.code});
    }
}

void DocumentActions::MakeEditSubMenus(QMenu& edit) {
    QMenu* add = SubMenu(edit, "Add1", "Add");
    AddCodeAction(*add, "AddPoint1", "Add Point", CommandCode::AddPoint);
    AddCodeAction(*add, "AddEdge1", "Add Edge", CommandCode::AddEdge);
    QMenu* del = SubMenu(edit, "Delete1", "Delete");
    AddCodeAction(*del, "DeletePoint1", "Delete Point", CommandCode::DeletePoint);
    AddCodeAction(*del, "DeleteEdge1", "Delete Edge", CommandCode::DeleteEdge);
    AddCodeAction(*del, "DeleteComponent1", "Delete Component", CommandCode::DeleteComponent);
    AddCodeAction(*del, "DeleteAll1", "Delete All", CommandCode::DeleteAll);
    QMenu* move = SubMenu(edit, "Move1", "Move");
    AddCodeAction(*move, "MovePoint1", "Move Point", CommandCode::MovePoint);
    AddCodeAction(*move, "MoveComponent1", "Move Component", CommandCode::MoveComponent);
}

// The program's own net clipboard, and beside it the picture for other programs.
void DocumentActions::MakeClipboardItems(QMenu& edit) {
    QMenu* clipboard = SubMenu(edit, "PlaxClipboard1", "Plax Clipboard");
    copyAction_ = AddCommandAction(*clipboard, "Copy1", "Copy", &DocumentCommands::CopyToClipboard);
    copyAction_->setShortcut(QKeySequence::Copy);
    pasteAction_ = AddCommandAction(*clipboard, "Paste1", "Paste", &DocumentCommands::StartPaste);
    pasteAction_->setShortcut(QKeySequence::Paste);
    pictureAction_ = AddCommandAction(edit, "CopyAsPicture1", "Copy as Picture",
                                      &DocumentCommands::CopyAsPicture1Click, CopyAsPictureHint);
    tikzAction_ = AddCommandAction(edit, "CopyAsTikz1", "Copy as TikZ", &DocumentCommands::CopyAsTikz1Click,
                                   CopyAsTikzHint);
}

void DocumentActions::MakeChangeSizeMenu(QMenu& edit) {
    QMenu* size = SubMenu(edit, "ChangeSize1", "Change Size");
    AddCodeAction(*size, "IncrementX1", "Increment X", CommandCode::IncrementX);
    AddCodeAction(*size, "IncrementY1", "Increment Y", CommandCode::IncrementY);
    AddCodeAction(*size, "IncrementXandY1", "Increment X and Y", CommandCode::IncrementXY,
                  Qt::CTRL | Qt::Key_I);
    AddCodeAction(*size, "DecrementX1", "Decrement X", CommandCode::DecrementX);
    AddCodeAction(*size, "DecrementY1", "Decrement Y", CommandCode::DecrementY);
    AddCodeAction(*size, "DecrementXandY1", "Decrement X and Y", CommandCode::DecrementXY,
                  Qt::CTRL | Qt::Key_D);
}

// The four Move Graph items are never shown, and a hidden menu item's shortcut does not fire, so
// they live on the window itself, reachable only while it has the focus.
void DocumentActions::MakeMoveGraphItems() {
    struct Item {
        const char* name;
        const char* caption;
        Qt::Key key;
        int dx;
        int dy;
    };
    static constexpr Item items[] = {
        {"MoveGraphToLeft1", "Move Graph To Left", Qt::Key_L, -1, 0},
        {"MoveGraphToRight1", "Move Graph To Right", Qt::Key_R, 1, 0},
        {"MoveGraphToUp1", "Move Graph To Up", Qt::Key_T, 0, -1},
        {"MoveGraphToDown1", "Move Graph To Down", Qt::Key_B, 0, 1},
    };
    for (const Item& item : items) {
        auto* action = new QAction(QString::fromLatin1(item.caption), &owner_);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(QKeySequence(Qt::SHIFT | item.key));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        owner_.addAction(action);
        connect(action, &QAction::triggered, this, [this, item] {
            const int step = host_.State().step;
            commands_.MoveGraph(item.dx * step, item.dy * step);
        });
    }
}

void DocumentActions::MakeViewSwitch(std::uint8_t ViewFlags::*flag, const char* name, const char* caption,
                                     const QKeySequence& shortcut, const char* popupCaption,
                                     void (DocumentCommands::*handler)()) {
    QAction* item = AddCommandAction(*viewMenu_, name, caption, handler);
    item->setShortcut(shortcut);
    item->setCheckable(true);
    const std::string popupName = std::string(name, std::char_traits<char>::length(name) - 1) + "2";
    AddMirror(*popupMenu_, popupName.c_str(), popupCaption, *item);
    viewSwitches_.push_back({flag, item});
}

void DocumentActions::MakeViewMenu() {
    using D = DocumentCommands;
    viewMenu_ = new QMenu(QStringLiteral("&View"), &owner_);
    hideAllAction_ =
        AddCommandAction(*viewMenu_, "HideAllAttributes1", HideAllCaption, &D::HideAllAttributes2Click);
    hideAllAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    refreshNetAction_ = new QAction(QStringLiteral("&Refresh Net"), &owner_);
    refreshNetAction_->setObjectName(QStringLiteral("RefreshNet1"));
    refreshNetAction_->setStatusTip(QString::fromLatin1(RefreshNetHint));
    refreshNetAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(refreshNetAction_, &QAction::triggered, this, [this] { commands_.RefreshNet1Click(); });
    // The pop-up menu takes its items in the same order, between its own first and last ones.
    popupMenu_ = new QMenu(&owner_);
    AddCommandAction(*popupMenu_, "ResetCommand1", "Reset Command", &D::ResetCommand);
    AddMirror(*popupMenu_, "RefreshNet2", "Refresh Net", *refreshNetAction_);
    AddMirror(*popupMenu_, "HideAllAttributes2", HideAllPopupCaption, *hideAllAction_);
    MakeViewSwitch(&ViewFlags::edgeNames, "ShowEdgeName1", "Show Edge &Name", Qt::CTRL | Qt::Key_E,
                   "Show Edge Name", &D::ShowEdgeName1Click);
    MakeViewSwitch(&ViewFlags::edgeMarks, "ShowMark1", "Show Edge &Weight", Qt::CTRL | Qt::Key_W,
                   "Show Edge Weight", &D::ShowMark1Click);
    MakeViewSwitch(&ViewFlags::flows, "ShowFlow1", "Show  Edge F&low (Reserve)", Qt::CTRL | Qt::Key_L,
                   "Show  Edge Flow (Reserve)", &D::ShowFlow1Click);
    MakeViewSwitch(&ViewFlags::pointNames, "ShowPointName1", "Show &Point Name", Qt::CTRL | Qt::Key_M,
                   "Show Po&int Name", &D::ShowPointName1Click);
    MakeViewSwitch(&ViewFlags::tokens, "ShowTokens1", "Show &Tokens", Qt::CTRL | Qt::Key_K, "Show Token",
                   &D::ShowTokens1Click);
    tokensAction_ = viewSwitches_.back().menuItem;
    MakeViewSwitch(&ViewFlags::edgeLabels, "ShowEdgelabels1", EdgeLabelsCaption, {}, EdgeLabelsCaption,
                   &D::ShowEdgelabels1Click);
    viewMenu_->addSeparator();
    viewMenu_->addAction(refreshNetAction_);
    MakeZoomItems();
    // The frame's Undo History, Toolbar and palette switches follow it.
    viewMenu_->addSeparator();
}

// Shown rather than hidden: a visible Undo is what users look for.
void DocumentActions::AddFrameItems(const FrameActions& frame) {
    fileMenu_->insertActions(saveItem_,
                             {frame.newNet, frame.newFromTemplate, frame.open, frame.recent, frame.close});
    fileMenu_->insertSeparator(saveItem_);
    fileMenu_->insertAction(exportItem_, frame.import);
    fileMenu_->insertAction(exitSeparator_, frame.options);
    // Exit is the File menu's last item.
    fileMenu_->addAction(frame.exit);
    editMenu_->insertActions(historySeparator_, {frame.undo, frame.redo});
    viewMenu_->addActions({frame.history, frame.toolbar, frame.optionsPalette, frame.alignPalette});
}

void DocumentActions::MakeReportMenu() {
    reportMenu_ = new QMenu(QStringLiteral("&Report"), &owner_);
    reportMenu_->menuAction()->setStatusTip(QString::fromLatin1(ReportMenuHint));
    AddCommandAction(*reportMenu_, "ShowReport1", "ShowReport", &DocumentCommands::ShowReport1Click,
                     ShowReportHint);
    AddCommandAction(*reportMenu_, "ClearReport1", "Clear Report", &DocumentCommands::ClearReport1Click,
                     ClearReportHint);
}

void DocumentActions::DefEnableItem(const ActionStates& states) {
    for (const CodeItem& item : codeItems_)
        item.action->setEnabled(states.enabling[item.code]);
    copyAction_->setEnabled(states.copy);
    pasteAction_->setEnabled(states.paste);
    pictureAction_->setEnabled(states.picture);
    tikzAction_->setEnabled(states.picture);
    hideAllAction_->setEnabled(states.anyAttributeShown);
    tokensAction_->setEnabled(states.directed);
    for (QAction* item : layoutItems_)
        item->setEnabled(states.layout);
    SyncViewChecks(states.view);
}

void DocumentActions::SyncViewChecks(const ViewFlags& view) {
    for (const ViewSwitch& s : viewSwitches_)
        s.menuItem->setChecked(view.*s.flag != 0);
}

} // namespace plax
