#include "document_window.h"

#include "attribute_dialogs.h"
#include "check_dialog.h"
#include "document_window_parts.h"
#include "edit_commands.h"

#include "net_history.h"

#include "model/net_store.h"
#include "render/canvas_geometry.h"
#include "render/edge_anchors.h"
#include "render/net_geometry.h"

#include <QString>

#include <algorithm>
#include <array>
#include <utility>

namespace plax {

using namespace doc;

namespace {

using Moving = std::array<bool, MaxPoints + 1>;

PointType& PointOf(NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }

// Every edge at a moving point, each once: (u, v) with u < v, and on a directed net (v, u) too.
std::vector<std::pair<int, int>> EdgesTouching(const NetWorkType& net, const Moving& moving) {
    std::vector<std::pair<int, int>> edges;
    const bool directed = !IsUndirected(net);
    for (int u = 1; u <= net.n; ++u) {
        for (int v = u + 1; v <= net.n; ++v) {
            if (!moving[static_cast<std::size_t>(u)] && !moving[static_cast<std::size_t>(v)]) continue;
            if (EdgeExists(net, u, v)) edges.emplace_back(u, v);
            if (directed && EdgeExists(net, v, u)) edges.emplace_back(v, u);
        }
    }
    return edges;
}

} // namespace

std::vector<int> TMDIChild::SelectedPoints() const {
    std::vector<int> points;
    for (int i = 1; i <= document_.Net().n; ++i)
        if (document_.Net().points[static_cast<std::size_t>(i)].selected != 0) points.push_back(i);
    return points;
}

void TMDIChild::PaintBox1MouseDown(const CanvasMouse& m) {
    if (m.button == Qt::RightButton) return; // the pop-up menu's
    machine_.Pressed(m.x, m.y);
    const int q = PointNear(Net(), m.x, m.y);
    const bool idle = machine_.Armed() == Command::None;
    const bool shift = (m.modifiers & Qt::ShiftModifier) != 0;
    const bool left = m.button == Qt::LeftButton;
    if (idle && !shift && left && check_.Active() && q == 0 && MarkEdgeAt(m.x, m.y)) {
        gesture_.StartMarkEdge();
        return;
    }
    if (idle && !shift && left) {
        if (const int i = LabelAt(Net(), m.x, m.y); i != 0) {
            dragBefore_ = Net();
            SetGesture(&CanvasGesture::StartLabelDrag, i);
            return;
        }
        if (Net().selection.exists != 0 && q != 0 && PointOf(Net(), q).selected != 0) {
            StartGroupDrag(q);
            return;
        }
        if (Net().selection.exists != 0) DropSelection();
    }
    if (machine_.Armed() == Command::MovePoint && q != 0 && left) {
        StartPointDrag(q);
    } else if (!shift && idle) {
        Net().selection.left = Net().selection.right = m.x;
        Net().selection.top = Net().selection.bottom = m.y;
        gesture_.StartBand(m.x, m.y);
    }
}

void TMDIChild::SetGesture(void (CanvasGesture::*change)(int), int point) { (gesture_.*change)(point); }

void TMDIChild::EndGesture() { gesture_.End(); }

void TMDIChild::StartGroupDrag(int q) {
    const PointType& held = PointOf(Net(), q);
    std::vector<CanvasGesture::GroupEntry> group;
    Moving moving{};
    for (int i : SelectedPoints()) {
        moving[static_cast<std::size_t>(i)] = true;
        if (i != q) group.push_back({i, held.x - PointOf(Net(), i).x, held.y - PointOf(Net(), i).y});
    }
    dragBefore_ = Net();
    gesture_.StartGroupDrag(q, std::move(group), EdgesTouching(Net(), moving));
    canvas_->BeginDrag(SelectedPoints(), gesture_.GroupEdges());
}

void TMDIChild::StartPointDrag(int q) {
    dragBefore_ = Net();
    ShowPrompt(MovePointDragPrompt(q));
    Moving moving{};
    moving[static_cast<std::size_t>(q)] = true;
    SetGesture(&CanvasGesture::StartPointDrag, q);
    canvas_->BeginDrag({q}, EdgesTouching(Net(), moving));
}

void TMDIChild::PaintBox1MouseMove(const CanvasMouse& m) {
    const bool idle = machine_.Armed() == Command::None;
    const bool leftOnly = m.buttons == Qt::LeftButton;
    const bool band = gesture_.Is(GestureKind::RubberBand);
    const bool held = gesture_.Is(GestureKind::PointDrag) || gesture_.Is(GestureKind::GroupDrag);
    if (!idle || (band && leftOnly)) SetCoordText(CoordinateText(m.x, m.y));
    if (idle && gesture_.Is(GestureKind::LabelDrag) && gesture_.Point() != 0) {
        const int labelled = gesture_.Point();
        PointType& p = PointOf(Net(), labelled);
        const auto position = static_cast<std::uint32_t>(LabelPositionFromMouse(Net(), labelled, m.x, m.y));
        if (position != p.labelPosition) {
            p.labelPosition = position;
            Notify(ShownChange::Picture);
        }
    } else if (machine_.Armed() == Command::MovePoint && held && leftOnly) {
        PointOf(Net(), gesture_.Point()).x = m.x;
        PointOf(Net(), gesture_.Point()).y = m.y;
        canvas_->DragMoved();
    } else if (idle && gesture_.Is(GestureKind::GroupDrag)) {
        MoveGroup(m.x, m.y);
    } else if (idle && leftOnly && band) {
        Net().selection.exists = 1;
        gesture_.MoveBand(m.x, m.y);
        Net().selection.right = m.x;
        Net().selection.bottom = m.y;
        const CanvasGesture::Corner fixed = gesture_.BandFixed();
        const CanvasGesture::Corner moving = gesture_.BandMoving();
        canvas_->SetBand(QRect(QPoint(fixed.x, fixed.y), QPoint(moving.x, moving.y)));
        ShowPrompt(SelectRegionPrompt);
    } else if (Net().selection.exists == 0 && host_.State().options.showPopUpInfo != 0 && idle &&
               !gesture_.Is(GestureKind::LabelDrag) && !gesture_.Is(GestureKind::PointDrag)) {
        ShowPopUpInfo(m.x, m.y);
    }
    if (idle && gesture_.Is(GestureKind::None)) ShowEdgeHint(m.x, m.y);
}

void TMDIChild::MoveGroup(int x, int y) {
    PointOf(Net(), gesture_.Point()).x = x;
    PointOf(Net(), gesture_.Point()).y = y;
    for (const CanvasGesture::GroupEntry& e : gesture_.Group()) {
        PointOf(Net(), e.point).x = x - e.dx;
        PointOf(Net(), e.point).y = y - e.dy;
    }
    canvas_->DragMoved();
}

// The tool tip shows the text before its closing "|", one line per part.
void TMDIChild::ShowPopUpInfo(int x, int y) {
    std::string text = PopUpInfoText(Net(), canvas_->Anchors(), host_.State().options, x, y);
    if (const auto bar = text.rfind('|'); bar != std::string::npos) text.erase(bar);
    canvas_->setToolTip(QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TMDIChild::PaintBox1MouseUp(const CanvasMouse& m) {
    if (m.button == Qt::RightButton) return;
    machine_.SetAltFlag(m.button == Qt::LeftButton && m.modifiers == Qt::AltModifier);
    const GestureKind was = gesture_.Kind();
    if (gesture_.Is(GestureKind::RubberBand)) EndGesture();
    const bool idle = machine_.Armed() == Command::None;
    if (!idle) ClearSelection();
    if (idle && was == GestureKind::LabelDrag) {
        EndGesture();
        // The label settles on its place whether or not the drag made a step.
        if (!RecordDrag(MoveLabelStep)) Notify(ShownChange::Picture);
    } else if (idle && was == GestureKind::MarkEdge) {
        SetCoordText(ReadyText);
    } else if (idle && was != GestureKind::GroupDrag) {
        EndBand(m.x, m.y, (m.modifiers & Qt::ShiftModifier) != 0);
    } else if (idle) {
        EndGroupDrag();
    } else if (machine_.Armed() == Command::MovePoint && was == GestureKind::PointDrag) {
        EndPointDrag();
    }
    EndGesture();
    canvas_->SetBand(std::nullopt);
    // A point drag whose command was reset on the way ends here too.
    if (canvas_->Dragging()) canvas_->EndDrag();
    RecordDrag(MovePointStep);
    if (check_.Active()) {
        check_.SelectionChanged(Net());
        ShowPrompt(CheckModePrompt);
    }
}

void TMDIChild::EndBand(int x, int y, bool shift) {
    const int q = PointNear(Net(), x, y);
    canvas_->SetBand(std::nullopt);
    SetCoordText(ReadyText);
    SelectionState& s = Net().selection;
    if (s.left > s.right) std::swap(s.left, s.right);
    if (s.top > s.bottom) std::swap(s.top, s.bottom);
    if (!shift) {
        ClearSelection();
        SelectInRectangle();
        ShowPrompt("");
        Notify(ShownChange::Selection);
    } else if (q != 0) {
        ToggleSelected(q);
    }
}

void TMDIChild::SelectInRectangle() {
    SelectionState& s = Net().selection;
    if (s.left == s.right && s.top == s.bottom) return;
    for (int i = 1; i <= Net().n; ++i) {
        PointType& p = PointOf(Net(), i);
        if (s.left < p.x && p.x < s.right && s.top < p.y && p.y < s.bottom) {
            p.selected = 1;
            ++s.count;
        }
    }
    s.exists = s.count >= 1 ? 1 : 0;
}

void TMDIChild::ToggleSelected(int q) {
    PointType& p = PointOf(Net(), q);
    SelectionState& s = Net().selection;
    if (p.selected == 0) {
        p.selected = 1;
        ++s.count;
        s.exists = 1;
    } else {
        p.selected = 0;
        --s.count;
        s.exists = s.count > 0 ? 1 : 0;
    }
    Notify(ShownChange::Selection);
}

void TMDIChild::EndGroupDrag() {
    EndGesture();
    SetCoordText(ReadyText);
    Net().selection.left = Net().selection.top = Net().selection.right = Net().selection.bottom = 0;
    canvas_->EndDrag();
    RecordDrag(MovePointsStep);
}

void TMDIChild::EndPointDrag() {
    EndGesture();
    canvas_->EndDrag();
    ShowPrompt(MovePointPrompt);
    RecordDrag(MovePointStep);
}

// A drag is one step from its press to its release, and none when nothing moved.
bool TMDIChild::RecordDrag(const char* step) {
    if (!dragBefore_) return false;
    const NetWorkType before = std::move(*dragBefore_);
    dragBefore_.reset();
    return document_.Record(step, before);
}

void TMDIChild::PaintBox1DblClick(const CanvasMouse& m) {
    machine_.Pressed(m.x, m.y);
    if (gesture_.Is(GestureKind::RubberBand)) EndGesture();
    canvas_->SetBand(std::nullopt);
    DropSelection();
    if (machine_.Armed() != Command::None) {
        PaintBox1Click();
        return;
    }
    if (const int p = PointAt(Net(), m.x, m.y); p != 0) {
        PointDialog(p);
        return;
    }
    // Hit tests must not wait for a paint to have placed the anchors.
    ComputeEdgeAnchors(Net(), canvas_->Anchors());
    const auto [from, to] = EdgeAnchorAt(Net(), canvas_->Anchors(), m.x, m.y);
    if (machine_.AltFlag() && from != 0) {
        EnterSubNet(from, to);
    } else if (from == 0 || Net().view.edgeLabels == 0) {
        ClearSelection();
    } else {
        EdgeDialog(from, to);
    }
}

void TMDIChild::PointDialog(int p) {
    const auto edited = host_.EditPoint(PointDialogFor(Net(), p, InTimerMode()));
    if (!edited) return;
    document_.Edit(PointDialogStep, [p, &edited](NetWorkType& net) { ApplyPointDialog(net, p, *edited); });
    // The tokens or shapes may have changed under the game.
    if (!machine_.Simulation().AnyEnabled()) return;
    machine_.Simulation().Recompute(Net());
    Notify(ShownChange::Picture);
}

void TMDIChild::EdgeDialog(int from, int to) {
    const auto edited = host_.EditEdge(EdgeDialogFor(Net(), from, to));
    if (!edited) return;
    document_.Edit(EdgeDialogStep, [&edited](NetWorkType& net) { ApplyEdgeDialog(net, *edited); });
}

void TMDIChild::EnterSubNet(int from, int to) {
    if (!Busy()) document_.EnterSubNet(from, to);
}

} // namespace plax
