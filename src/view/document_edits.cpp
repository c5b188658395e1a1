#include "document_window.h"

#include "clipboard_commands.h"
#include "document_window_parts.h"
#include "edit_commands.h"
#include "net_history.h"
#include "picking_commands.h"

#include "interchange/tikz_format.h"
#include "model/net_store.h"
#include "model/point_options.h"
#include "render/canvas_geometry.h"
#include "render/net_geometry.h"

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
    ShowPrompt("");
    SetCoordText(ReadyText);
}

void TMDIChild::EnableReset(bool enabled) { resetBtn_->setEnabled(enabled); }
void TMDIChild::UnsetCursor() { canvas_->unsetCursor(); }
void TMDIChild::PickingClick(int p) { picking_->Click(p); }

void TMDIChild::SetCrossCursor() { canvas_->setCursor(Qt::CrossCursor); }

void TMDIChild::CopyToClipboard() { CopyNetToClipboard(*this); }
void TMDIChild::StartPaste() { machine_.StartPaste(); }
namespace {

// Room kept round pasted points scrolled into view, for their labels.
constexpr int PasteViewMargin = 12;

} // namespace

// What a paste placed near an edge of the view is scrolled into it, as far as it fits.
void TMDIChild::PasteAt(int x, int y) {
    const int before = Net().n;
    PasteClipboardAt(*this, x, y);
    QRect placed;
    for (int i = before + 1; i <= Net().n; ++i) {
        const PointType& p = Net().points[static_cast<std::size_t>(i)];
        const int r = PointOptionsInForce(Net(), i).radius + PasteViewMargin;
        placed |= QRect(p.x - r, p.y - r, 2 * r + 1, 2 * r + 1);
    }
    if (placed.isEmpty()) return;
    const QRect shown = canvas_->Zoomed(placed);
    scroll_->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2, shown.height() / 2);
}

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
    document_.Edit(RetypeStep, [this](NetWorkType& net) { RetypeNet(net, host_.State().options); });
}

void TMDIChild::DeleteAll1Click() {
    if (Busy()) return;
    ResetCommandSoft();
    if (host_.Ui().Ask(DeleteAllQuestion(Net().name), DeleteAllCaption) != Answer::Yes) return;
    const bool subNet = IsSubNet();
    document_.Edit(DeleteAllStep, [subNet](NetWorkType& net) { DeleteAllOf(net, subNet); });
}

namespace {

// The steps of the Change Size commands, in the order of SizeChange.
constexpr const char* SizeChangeSteps[] = {"Increase X and Y Size", "Increase X Size", "Increase Y Size",
                                           "Decrease X and Y Size", "Decrease X Size", "Decrease Y Size"};

void ChangeNetSize(NetWorkType& net, SizeChange change, int step) {
    const bool grow =
        change == SizeChange::GrowXY || change == SizeChange::GrowX || change == SizeChange::GrowY;
    const bool x = change != SizeChange::GrowY && change != SizeChange::ShrinkY;
    const bool y = change != SizeChange::GrowX && change != SizeChange::ShrinkX;
    void (*const scale)(NetWorkType&, Axis, int) = grow ? GrowAxis : ShrinkAxis;
    if (x) scale(net, Axis::X, step);
    if (y) scale(net, Axis::Y, step);
}

// Each direction of Move Graph is a command of its own.
int MoveGraphMergeId(int dx, int dy) {
    auto sign = [](int v) { return v > 0 ? 1 : v < 0 ? 2 : 0; };
    return MoveGraphMerge + 3 * sign(dx) + sign(dy);
}

} // namespace

void TMDIChild::ChangeSize(SizeChange change) {
    if (Busy()) return;
    const int step = host_.State().step;
    const auto index = static_cast<int>(change);
    document_.Edit(
        SizeChangeSteps[index], [change, step](NetWorkType& net) { ChangeNetSize(net, change, step); },
        ChangeSizeMerge + index);
}

void TMDIChild::MoveGraph(int dx, int dy) {
    if (Busy()) return;
    document_.Edit(
        MoveGraphStep, [dx, dy](NetWorkType& net) { plax::MoveGraph(net, dx, dy); },
        MoveGraphMergeId(dx, dy));
}

void TMDIChild::FitNettoWindow1Click() {
    if (Busy()) return;
    ResetCommandSoft();
    // The window in net pixels: at any zoom the net is fitted to what the window shows.
    const QSize view = NetViewSize();
    if (!FitNeeded(Net(), view.width(), view.height())) return;
    const int step = host_.State().step;
    document_.Edit(FitNetStep, [view, step](NetWorkType& net) {
        FitNetToWindow(net, view.width(), view.height(), step);
    });
}

void TMDIChild::Undo1Click() {
    if (!Busy()) document_.History().undo();
}

void TMDIChild::Redo1Click() {
    if (!Busy()) document_.History().redo();
}

// The tokens or the kind may be those of another step now.
void TMDIChild::HistoryMoved() {
    if (machine_.Simulation().AnyEnabled()) machine_.Simulation().Recompute(Net());
    labelType_->setText(QString::fromStdString(Net().kindName));
}

void TMDIChild::ClearCustomPOptionsClick() {
    if (Busy()) return;
    document_.Edit(ClearCustomOptionsStep, [](NetWorkType& net) { ClearCustomPointOptions(net); });
}

} // namespace plax
