#include "whole_texts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace plax {

void ElidingLabel::SetWholeText(const QString& text) {
    setText(text);
    setToolTip(text);
}

QSize ElidingLabel::minimumSizeHint() const {
    // Any width will do: the text is cut to fit.
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidingLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

void FitToCaption(QWidget& window) {
    // The title bar's own font is the window manager's: the application's bold font with room
    // for an icon and three buttons is a fair measure of the common ones.
    QFont font = QApplication::font();
    font.setBold(true);
    constexpr int ButtonsAndIcon = 140;
    const int wanted = QFontMetrics(font).horizontalAdvance(window.windowTitle()) + ButtonsAndIcon;
    window.setMinimumWidth(std::max(window.minimumWidth(), wanted));
}

} // namespace plax
