#include "window_placement.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace plax {

QRect CascadePlace(QSize area, QSize wanted, int step, const std::optional<QRect>& active) {
    const QSize size = wanted.boundedTo(area);
    QPoint at = active ? active->topLeft() + QPoint(step, step) : QPoint(0, 0);
    if (at.x() < 0 || at.y() < 0 || at.x() + size.width() > area.width() ||
        at.y() + size.height() > area.height())
        at = QPoint(0, 0);
    return {at, size};
}

QRect FitInside(const QRect& wanted, const QRect& available) {
    const QSize size = wanted.size().boundedTo(available.size());
    const int x =
        std::clamp(wanted.x(), available.left(), available.left() + available.width() - size.width());
    const int y =
        std::clamp(wanted.y(), available.top(), available.top() + available.height() - size.height());
    return {QPoint(x, y), size};
}

QRect FramePlace(const QRect& available, QSize wanted, const QMargins& decoration) {
    const QRect room = available.marginsRemoved(decoration);
    return OverArea(room, room, wanted, {});
}

QRect OverArea(const QRect& area, const QRect& screen, QSize wanted, QSize least) {
    const QRect onScreen = area.intersected(screen);
    const bool roomy = onScreen.width() >= least.width() && onScreen.height() >= least.height();
    QRect place(QPoint(0, 0), wanted);
    place.moveCenter(area.center());
    return FitInside(place, roomy ? onScreen : screen);
}

ChildFrame::ChildFrame() {
    const QKeySequence taken(Qt::CTRL | Qt::Key_W);
    if (QMenu* menu = systemMenu(); menu != nullptr) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            if (keys.removeAll(taken) > 0) action->setShortcuts(keys);
        }
    }
}

void ChildFrame::mousePressEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::LeftButton) {
        QMouseEvent hover(QEvent::MouseMove, event->position(), event->scenePosition(),
                          event->globalPosition(), Qt::NoButton, Qt::NoButton, event->modifiers());
        QMdiSubWindow::mouseMoveEvent(&hover);
    }
    QMdiSubWindow::mousePressEvent(event);
}

} // namespace plax
