#include "progress_window.h"

#include "view/whole_texts.h"

#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace plax {

TProgressBar::TProgressBar(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint),
      gauge_(new QProgressBar(this)) {
    setWindowTitle(QString::fromLatin1(ProgressCaption));
    FitToCaption(*this);
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setTextVisible(true);
    gauge_->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: #0000ff; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(gauge_);
    resize(300, 60);
}

void TProgressBar::SetPercent(int percent) {
    gauge_->setValue(std::clamp(percent, 0, 100));
    if (isHidden()) {
        CentreOnScreen();
        show();
    }
}

void TProgressBar::HideGauge() { hide(); }

int TProgressBar::Percent() const { return gauge_->value(); }

void TProgressBar::CentreOnScreen() {
    const QScreen* where = screen();
    if (where == nullptr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace plax
