#include "document_window.h"

#include "render/canvas_zoom.h"

#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>

#include <cmath>
#include <string>

namespace plax {

namespace {

// "Zoom 150%", shown in the frame's status line when the zoom changes.
std::string ZoomHint(int percent) { return "Zoom " + std::to_string(percent) + "%"; }

} // namespace

QSize TMDIChild::NetViewSize() const {
    const QSize view = scroll_->viewport()->size();
    return {NetCoordinate(view.width(), Zoom()), NetCoordinate(view.height(), Zoom())};
}

QPoint TMDIChild::NetViewOrigin() const {
    return {NetCoordinate(scroll_->horizontalScrollBar()->value(), Zoom()),
            NetCoordinate(scroll_->verticalScrollBar()->value(), Zoom())};
}

QPoint TMDIChild::ViewCentre() const { return scroll_->viewport()->rect().center(); }

void TMDIChild::ScrollNetTo(double x, double y, QPoint at) {
    scroll_->horizontalScrollBar()->setValue(static_cast<int>(std::lround(ZoomedCoordinate(x, Zoom()))) -
                                             at.x());
    scroll_->verticalScrollBar()->setValue(static_cast<int>(std::lround(ZoomedCoordinate(y, Zoom()))) -
                                           at.y());
}

void TMDIChild::SetZoom(int percent, QPoint anchor) {
    const int old = Zoom();
    const int now = ClampZoom(percent);
    if (now == old) return;
    const QPoint at = canvas_->mapFrom(scroll_->viewport(), anchor);
    canvas_->SetZoom(now);
    ScrollNetTo(at.x() * 100.0 / old, at.y() * 100.0 / old, anchor);
    host_.ShowHint(ZoomHint(now));
}

QRect TMDIChild::DrawnArea() const {
    constexpr int LabelRoom = 24;
    const std::optional<NetBox> box = DrawnBox(document_.Net(), LabelRoom);
    if (!box) return {};
    const QRect drawn = canvas_->Zoomed(QRect(QPoint(box->left, box->top), QPoint(box->right, box->bottom)));
    const QRect shown = drawn.intersected(canvas_->visibleRegion().boundingRect());
    if (shown.isEmpty()) return {};
    return {canvas_->mapTo(this, shown.topLeft()), shown.size()};
}

void TMDIChild::ZoomToFit(int most) {
    const std::optional<NetBox> box = DrawnBox(Net(), ZoomFitMargin);
    if (!box) {
        SetZoom(ActualZoom, ViewCentre());
        return;
    }
    const QSize view = scroll_->viewport()->size();
    const int percent = ZoomToShow(*box, view.width(), view.height(), most);
    if (percent != Zoom()) {
        canvas_->SetZoom(percent);
        host_.ShowHint(ZoomHint(percent));
    }
    ScrollNetTo((box->left + box->right) / 2.0, (box->top + box->bottom) / 2.0,
                QPoint(view.width() / 2, view.height() / 2));
}

void TMDIChild::Zoom1Click(ZoomCommand command) {
    switch (command) {
    case ZoomCommand::In: SetZoom(ZoomedIn(Zoom()), ViewCentre()); break;
    case ZoomCommand::Out: SetZoom(ZoomedOut(Zoom()), ViewCentre()); break;
    case ZoomCommand::ActualSize: SetZoom(ActualZoom, ViewCentre()); break;
    case ZoomCommand::ToFit: ZoomToFit(MaxZoom); break;
    }
}

void TMDIChild::CanvasWheelZoom(int steps, QPoint at) {
    int percent = Zoom();
    for (int k = 0; k < std::abs(steps); ++k)
        percent = steps > 0 ? ZoomedIn(percent) : ZoomedOut(percent);
    SetZoom(percent, canvas_->mapTo(scroll_->viewport(), at));
}

// Only a net that the window at 100% cuts off is zoomed out; the stored places stay.
void TMDIChild::ShowWholeNet() {
    if (!isVisible()) {
        showWholeNetPending_ = true;
        return;
    }
    showWholeNetPending_ = false;
    canvas_->SetZoom(ActualZoom);
    scroll_->horizontalScrollBar()->setValue(0);
    scroll_->verticalScrollBar()->setValue(0);
    const std::optional<NetBox> box = DrawnBox(Net(), 0);
    const QSize view = scroll_->viewport()->size();
    if (box && (box->left < 0 || box->top < 0 || box->right >= view.width() || box->bottom >= view.height()))
        ZoomToFit(ActualZoom);
}

void TMDIChild::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!showWholeNetPending_) return;
    // The scroll area learns its size from the layout, which a first showing may not have run.
    layout()->activate();
    ShowWholeNet();
}

} // namespace plax
