#pragma once

#include <QMargins>
#include <QMdiSubWindow>
#include <QRect>
#include <QSize>

#include <optional>

namespace plax {

// Where the next window of the document area goes: `step` pixels down and right of the active
// window, at the top left when there is none or the window would not fit whole there, and
// shrunk to the area when it is larger.
QRect CascadePlace(QSize area, QSize wanted, int step, const std::optional<QRect>& active);

// Where a Results window goes, so that it covers the least of its document's window: beside it
// (right, else left) when the area has the width there, else below (else above) it when at least
// `leastHeight` is free, else in the area's corner that covers the least of the document.
QRect BesidePlace(QSize area, const QRect& document, QSize wanted, int leastHeight);

// `wanted` moved, and shrunk where needed, so that it lies wholly inside `available`.
QRect FitInside(const QRect& wanted, const QRect& available);

// The frame's first place: `wanted` centred in the available screen less the room the window
// manager's frame takes, and shrunk to it on a small (or strongly scaled) screen.
QRect FramePlace(const QRect& available, QSize wanted, const QMargins& decoration);

// A top-level window over the document area (help): centred on `area` and wholly inside it,
// unless the area is smaller than `least`, when the screen is the bound.
QRect OverArea(const QRect& area, const QRect& screen, QSize wanted, QSize least);

// The sub-window of the document area. A modal question asked from its close button (the save
// question of a changed document) makes it see the mouse leave, so it forgets the title-bar
// button under the mouse; when the question is answered from the keyboard the mouse never moves
// again before the next click, and that click was taken for a press on no button. Each press
// here first looks again at what lies under it.
// Its system menu gives up Ctrl+W and Ctrl+F4: the document's "Show Edge Weight" uses the one,
// the frame's File > Close the other, and two actions on one key make Qt run neither.
class ChildFrame : public QMdiSubWindow {
public:
    ChildFrame();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace plax
