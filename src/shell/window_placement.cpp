#include "window_placement.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace plax {

QRect CascadePlace(QSize area, QSize wanted, int step, int& slot) {
    const QSize size = wanted.boundedTo(area);
    QPoint at(slot * step, slot * step);
    if (at.x() + size.width() > area.width() || at.y() + size.height() > area.height()) {
        slot = 0;
        at = QPoint(0, 0);
    }
    ++slot;
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
