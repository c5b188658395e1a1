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

namespace {

int Covered(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

} // namespace

QRect BesidePlace(QSize area, const QRect& document, QSize wanted, int leastHeight) {
    const QRect whole(QPoint(0, 0), area);
    const QSize size = wanted.boundedTo(area);
    // Beside: the whole width, as high as the area lets it be, level with the document.
    const int top = std::clamp(document.top(), 0, area.height() - size.height());
    if (area.width() - document.right() - 1 >= size.width()) return {QPoint(document.right() + 1, top), size};
    if (document.left() >= size.width()) return {QPoint(document.left() - size.width(), top), size};
    // Below, else above: the whole width, and at least `leastHeight` of the height.
    const int left = std::clamp(document.left(), 0, area.width() - size.width());
    const int below = area.height() - document.bottom() - 1;
    if (below >= std::min(leastHeight, size.height()))
        return {QPoint(left, document.bottom() + 1), QSize(size.width(), std::min(size.height(), below))};
    if (document.top() >= std::min(leastHeight, size.height())) {
        const int height = std::min(size.height(), document.top());
        return {QPoint(left, document.top() - height), QSize(size.width(), height)};
    }
    // No room beside it: the corner of the area where it covers the least of the document.
    const QPoint corners[] = {{area.width() - size.width(), area.height() - size.height()},
                              {0, area.height() - size.height()},
                              {area.width() - size.width(), 0},
                              {0, 0}};
    QRect best(corners[0], size);
    for (const QPoint& corner : corners) {
        const QRect place(corner, size);
        if (Covered(place, document) < Covered(best, document)) best = place;
    }
    return best.intersected(whole);
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
    const QKeySequence taken[] = {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)};
    if (QMenu* menu = systemMenu(); menu != nullptr) {
        for (QAction* action : menu->actions()) {
            QList<QKeySequence> keys = action->shortcuts();
            qsizetype removed = 0;
            for (const QKeySequence& key : taken)
                removed += keys.removeAll(key);
            if (removed > 0) action->setShortcuts(keys);
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
