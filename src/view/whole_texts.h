#pragma once

#include <QLabel>

class QWidget;

namespace plax {

// A one-line label that shows as much of its text as its width allows, with "…" where it is
// cut, and the whole text as its tool tip. text() stays the whole text.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    void SetWholeText(const QString& text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Makes a window at least as wide as its caption needs in a common title bar, so the window
// manager does not cut it.
void FitToCaption(QWidget& window);

} // namespace plax
