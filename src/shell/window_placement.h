#pragma once

#include <QMargins>
#include <QMdiSubWindow>
#include <QRect>
#include <QSize>

namespace plax {

// Where the next window of the document area goes: `slot` steps of `step` pixels down and right
// from the top left, back to the top left when the window would not fit whole there, and shrunk
// to the area when it is larger. Advances `slot` for the window after it.
QRect CascadePlace(QSize area, QSize wanted, int step, int& slot);

// `wanted` moved, and shrunk where needed, so that it lies wholly inside `available`.
QRect FitInside(const QRect& wanted, const QRect& available);

// The sub-window of the document area. A modal question asked from its close button (the save
// question of a changed document) makes it see the mouse leave, so it forgets the title-bar
// button under the mouse; when the question is answered from the keyboard the mouse never moves
// again before the next click, and that click was taken for a press on no button. Each press
// here first looks again at what lies under it.
// Its system menu gives up Ctrl+W: the document's "Show Edge Weight" uses that key, and two
// actions on one key make Qt run neither. Ctrl+F4 and the title bar still close the window.
class ChildFrame : public QMdiSubWindow {
public:
    ChildFrame();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace plax
