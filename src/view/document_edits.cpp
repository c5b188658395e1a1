#include "document_window.h"

#include "document_window_parts.h"
#include "edit_commands.h"
#include "picking_commands.h"
#include "procedure_marks.h"

#include "model/net_store.h"
#include "model/undo.h"
#include "render/canvas_geometry.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace plax {

using namespace doc;

bool TMDIChild::Busy() { return RefuseWhileRunning(*this); }

bool TMDIChild::Confirmed(const std::string& question, const char* caption) {
    if (host_.State().options.editConfirmation == 0) return true;
    return host_.Ui().Ask(question, caption) == Answer::Yes;
}

void TMDIChild::Beep() { host_.Ui().Beep(); }

void TMDIChild::Arm(Command c, const std::string& prompt) {
    ResetCommand();
    armed_ = c;
    firstPoint_ = 0;
    ShowPrompt(prompt);
    resetBtn_->setEnabled(true);
}

void TMDIChild::ArmEdit(Command c, const char* prompt, bool soft) {
    if (soft) {
        ResetCommandSoft();
    } else {
        ResetCommand();
    }
    ShowPrompt(prompt);
    resetBtn_->setEnabled(true);
    armed_ = c;
}

void TMDIChild::AddPoint1Click() {
    if (Busy()) return;
    ArmEdit(Command::AddPoint, AddPointPrompt, true);
    DefEnableItem();
}

void TMDIChild::AddEdge1Click() {
    if (Busy()) return;
    ArmEdit(Command::AddEdge, AddEdgePrompt, true);
    firstPoint_ = secondPoint_ = 0;
    DefEnableItem();
}

void TMDIChild::DeletePoint1Click() {
    if (Busy()) return;
    ArmEdit(Command::DeletePoint, DeletePointPrompt, false);
    DefEnableItem();
}

void TMDIChild::DeleteEdge1Click() {
    if (Busy()) return;
    ArmEdit(Command::DeleteEdge, DeleteEdgePrompt, false);
    firstPoint_ = secondPoint_ = 0;
    DefEnableItem();
}

void TMDIChild::DeleteComponent1Click() {
    if (Busy()) return;
    ArmEdit(Command::DeleteComponent, DeleteComponentPrompt, false);
    DefEnableItem();
}

// Moving takes no busy test: it changes nothing until the click.
void TMDIChild::MovePoint1Click() {
    ArmEdit(Command::MovePoint, MovePointPrompt, true);
    firstPoint_ = 0;
}

void TMDIChild::MoveComponent1Click() {
    ArmEdit(Command::MoveComponent, MoveComponentPrompt, true);
    firstPoint_ = 0;
}

void TMDIChild::PaintBox1Click() {
    const int p = PointAt(net_, press_.x(), press_.y());
    // Manual Petri net simulation fires its enabled transitions here once it exists.
    canvas_->unsetCursor();
    switch (armed_) {
    case Command::PastePlacement: PasteAt(press_.x(), press_.y()); break;
    case Command::AddPoint: ClickAddPoint(); break;
    case Command::AddEdge: ClickAddEdge(p); break;
    case Command::DeleteEdge: ClickDeleteEdge(p); break;
    case Command::DeletePoint: ClickDeletePoint(p); break;
    case Command::MoveComponent: ClickMoveComponent(p); break;
    case Command::DeleteComponent: ClickDeleteComponent(p); break;
    default:
        if (IsPickingProcedure(armed_)) picking_->Click(p);
        break;
    }
}

void TMDIChild::ClickAddPoint() {
    if (PointNear(net_, press_.x(), press_.y()) != 0) {
        Beep();
        return;
    }
    if (!Confirmed(AddPointQuestion, AddPointCaption)) return;
    SaveUndoFull(net_);
    AddNewPoint(net_, host_.State().options, press_.x(), press_.y());
    RepaintNet();
    DefEnableItem();
    if (net_.n >= MaxPoints) ResetCommand();
}

void TMDIChild::ClickAddEdge(int p) {
    if (p == 0) {
        Beep();
        return;
    }
    if (firstPoint_ == 0) {
        firstPoint_ = p;
        ShowPrompt(AddEdgeFirstPrompt(p));
        return;
    }
    secondPoint_ = p;
    if (p == firstPoint_ || EdgeExists(net_, firstPoint_, p)) {
        ShowPrompt(AddEdgeAnotherPrompt(firstPoint_));
        return;
    }
    if (Confirmed(AddEdgeQuestion(firstPoint_, p), AddEdgeCaption)) {
        SaveUndoFull(net_);
        AddNewEdge(net_, host_.State().options, firstPoint_, p);
        RepaintNet();
    }
    firstPoint_ = secondPoint_ = 0;
    DefEnableItem();
    if (!CanAddEdge(net_)) {
        ResetCommand();
    } else {
        ShowPrompt(AddEdgePrompt);
    }
}

void TMDIChild::ClickDeleteEdge(int p) {
    if (p == 0) {
        Beep();
        return;
    }
    if (firstPoint_ == 0) {
        firstPoint_ = p;
        ShowPrompt(DeleteEdgeFirstPrompt(p));
        return;
    }
    secondPoint_ = p;
    if (p == firstPoint_ || !EdgeExists(net_, firstPoint_, p)) {
        ShowPrompt(DeleteEdgeAnotherPrompt(firstPoint_));
        return;
    }
    if (Confirmed(DeleteEdgeQuestion(firstPoint_, p), DeleteEdgeCaption)) {
        SaveUndoFull(net_);
        RemoveEdge(net_, firstPoint_, p);
        net_.changed = 1;
        RepaintNet();
    }
    firstPoint_ = secondPoint_ = 0;
    DefEnableItem();
    if (EdgeCount(net_) == 0) {
        ResetCommand();
    } else {
        ShowPrompt(DeleteEdgePrompt);
    }
}

void TMDIChild::ClickDeletePoint(int p) {
    // The two end points of a sub-net stand for the decomposed edge's ends.
    if (p == 0 || (IsSubNet() && p <= 2)) {
        Beep();
        return;
    }
    firstPoint_ = p;
    if (!Confirmed(DeletePointQuestion(p), DeletePointCaption)) {
        firstPoint_ = 0;
        return;
    }
    SaveUndoFull(net_);
    net_.changed = 1;
    DeleteNetPoint(net_, p);
    RepaintNet();
    firstPoint_ = 0;
    DefEnableItem();
    if (net_.n == 0) ResetCommandSoft();
}

void TMDIChild::ClickMoveComponent(int p) {
    if (firstPoint_ == 0) {
        if (p == 0) {
            Beep();
            return;
        }
        firstPoint_ = p;
        ShowPrompt(MoveComponentTargetPrompt(p));
        return;
    }
    if (Confirmed(MoveComponentQuestion(firstPoint_), MoveComponentCaption)) {
        SaveUndoPoints(net_);
        MoveComponentTo(net_, firstPoint_, press_.x(), press_.y());
        RepaintNet();
        DefEnableItem();
    }
    firstPoint_ = 0;
    ShowPrompt(MoveComponentPrompt);
}

void TMDIChild::ClickDeleteComponent(int p) {
    if (p == 0) {
        Beep();
        return;
    }
    firstPoint_ = p;
    if (!Confirmed(DeleteComponentQuestion(p), DeleteComponentQuestionCaption)) return;
    SaveUndoFull(net_);
    DeleteComponentOf(net_, p);
    RepaintNet();
    firstPoint_ = 0;
    DefEnableItem();
    if (net_.n == 0) ResetCommand();
}

void TMDIChild::PasteAt(int /*x*/, int /*y*/) { ResetCommand(); }

void TMDIChild::Retype1Click() {
    if (Busy()) return;
    if (EdgeCount(net_) > 0 && net_.kindName == NetKind[DirNetCode]) return;
    ResetCommand();
    RetypeNet(net_, host_.State().options);
    labelType_->setText(QString::fromStdString(net_.kindName));
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::DeleteAll1Click() {
    if (Busy()) return;
    ResetCommandSoft();
    if (host_.Ui().Ask(DeleteAllQuestion(net_.name), DeleteAllCaption) != Answer::Yes) return;
    SaveUndoFull(net_);
    DeleteAllOf(net_, IsSubNet());
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::ChangeSize(SizeChange change) {
    if (Busy()) return;
    const int step = host_.State().step;
    switch (change) {
    case SizeChange::GrowXY:
        GrowAxis(net_, Axis::X, step);
        GrowAxis(net_, Axis::Y, step);
        break;
    case SizeChange::GrowX: GrowAxis(net_, Axis::X, step); break;
    case SizeChange::GrowY: GrowAxis(net_, Axis::Y, step); break;
    case SizeChange::ShrinkXY:
        ShrinkAxis(net_, Axis::X, step);
        ShrinkAxis(net_, Axis::Y, step);
        break;
    case SizeChange::ShrinkX: ShrinkAxis(net_, Axis::X, step); break;
    case SizeChange::ShrinkY: ShrinkAxis(net_, Axis::Y, step); break;
    }
    RepaintNet();
}

void TMDIChild::MoveGraph(int dx, int dy) {
    if (Busy()) return;
    plax::MoveGraph(net_, dx, dy);
    RepaintNet();
}

void TMDIChild::FitNettoWindow1Click() {
    if (Busy()) return;
    ResetCommandSoft();
    const QSize view = scroll_->viewport()->size();
    if (!FitNeeded(net_, view.width(), view.height())) return;
    SaveUndoPoints(net_);
    FitNetToWindow(net_, view.width(), view.height(), host_.State().step);
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::Undo1Click() {
    if (Busy() || !Undo(net_)) return;
    labelType_->setText(QString::fromStdString(net_.kindName));
    RepaintNet();
    DefEnableItem();
}

void TMDIChild::ClearCustomPOptionsClick() {
    if (Busy()) return;
    if (!ClearCustomPointOptions(net_).empty()) net_.changed = 1;
    RepaintNet();
    DefEnableItem();
}

} // namespace plax
