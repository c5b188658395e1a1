#include "document_window.h"

#include "clipboard_commands.h"
#include "document_window_parts.h"
#include "edit_commands.h"
#include "picking_commands.h"

#include "interchange/tikz_format.h"
#include "model/net_store.h"
#include "model/undo.h"
#include "render/canvas_geometry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace plax {

using namespace doc;

void TMDIChild::AddPoint1Click() { machine_.ArmEdit(Command::AddPoint); }
void TMDIChild::AddEdge1Click() { machine_.ArmEdit(Command::AddEdge); }
void TMDIChild::DeletePoint1Click() { machine_.ArmEdit(Command::DeletePoint); }
void TMDIChild::DeleteEdge1Click() { machine_.ArmEdit(Command::DeleteEdge); }
void TMDIChild::DeleteComponent1Click() { machine_.ArmEdit(Command::DeleteComponent); }
void TMDIChild::MovePoint1Click() { machine_.ArmEdit(Command::MovePoint); }
void TMDIChild::MoveComponent1Click() { machine_.ArmEdit(Command::MoveComponent); }
void TMDIChild::PaintBox1Click() { machine_.Click(); }

void TMDIChild::ClearCommandDisplay() {
    DropSelection();
    labelStatus_->clear();
    SetCoordText(ReadyText);
}

void TMDIChild::EnableReset(bool enabled) { resetBtn_->setEnabled(enabled); }
void TMDIChild::UnsetCursor() { canvas_->unsetCursor(); }
void TMDIChild::PickingClick(int p) { picking_->Click(p); }

void TMDIChild::SetCrossCursor() { canvas_->setCursor(Qt::CrossCursor); }

void TMDIChild::CopyToClipboard() { CopyNetToClipboard(*this); }
void TMDIChild::StartPaste() { machine_.StartPaste(); }
void TMDIChild::PasteAt(int x, int y) { PasteClipboardAt(*this, x, y); }

void TMDIChild::CopyAsPicture1Click() {
    if (!CopyNetPicture(Net(), PictureSize(), IsSubNet(), *QGuiApplication::clipboard()))
        host_.Ui().Error(CannotCopyPictureMessage);
}

void TMDIChild::CopyAsTikz1Click() {
    QGuiApplication::clipboard()->setText(QString::fromStdString(TikzText(Net(), false)));
}

void TMDIChild::Retype1Click() {
    if (Busy()) return;
    if (EdgeCount(Net()) > 0 && Net().kindName == NetKind[DirNetCode]) return;
    ResetCommand();
    RetypeNet(Net(), host_.State().options);
    labelType_->setText(QString::fromStdString(Net().kindName));
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::DeleteAll1Click() {
    if (Busy()) return;
    ResetCommandSoft();
    if (host_.Ui().Ask(DeleteAllQuestion(Net().name), DeleteAllCaption) != Answer::Yes) return;
    SaveUndoFull(Net());
    DeleteAllOf(Net(), IsSubNet());
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::ChangeSize(SizeChange change) {
    if (Busy()) return;
    const int step = host_.State().step;
    switch (change) {
    case SizeChange::GrowXY:
        GrowAxis(Net(), Axis::X, step);
        GrowAxis(Net(), Axis::Y, step);
        break;
    case SizeChange::GrowX: GrowAxis(Net(), Axis::X, step); break;
    case SizeChange::GrowY: GrowAxis(Net(), Axis::Y, step); break;
    case SizeChange::ShrinkXY:
        ShrinkAxis(Net(), Axis::X, step);
        ShrinkAxis(Net(), Axis::Y, step);
        break;
    case SizeChange::ShrinkX: ShrinkAxis(Net(), Axis::X, step); break;
    case SizeChange::ShrinkY: ShrinkAxis(Net(), Axis::Y, step); break;
    }
    RepaintNet();
}

void TMDIChild::MoveGraph(int dx, int dy) {
    if (Busy()) return;
    plax::MoveGraph(Net(), dx, dy);
    RepaintNet();
}

void TMDIChild::FitNettoWindow1Click() {
    if (Busy()) return;
    ResetCommandSoft();
    // The window in net pixels: at any zoom the net is fitted to what the window shows.
    const QSize view = NetViewSize();
    if (!FitNeeded(Net(), view.width(), view.height())) return;
    SaveUndoPoints(Net());
    FitNetToWindow(Net(), view.width(), view.height(), host_.State().step);
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::Undo1Click() {
    if (Busy() || !Undo(Net())) return;
    // The tokens may be those of before a firing.
    if (machine_.Simulation().AnyEnabled()) machine_.Simulation().Recompute(Net());
    labelType_->setText(QString::fromStdString(Net().kindName));
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::ClearCustomPOptionsClick() {
    if (Busy()) return;
    if (!ClearCustomPointOptions(Net()).empty()) Net().changed = 1;
    RepaintNet();
    DefEnableItem();
}

} // namespace plax
