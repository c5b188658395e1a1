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
    gauge_->setRange(0, 100);
    gauge_->setFormat(QStringLiteral("%p%"));
    gauge_->setValue(std::clamp(percent, 0, 100));
    Show();
}

void TProgressBar::SetCount(std::uint64_t done, std::uint64_t total) {
    constexpr int Steps = 10000;
    done = std::min(done, total);
    gauge_->setRange(0, Steps);
    // In doubles: a limit of billions of firings times the steps would overflow.
    gauge_->setValue(total == 0
                         ? Steps
                         : static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * Steps));
    gauge_->setFormat(QStringLiteral("%1 of %2 firings").arg(done).arg(total));
    Show();
}

void TProgressBar::Show() {
    if (isHidden()) {
        CentreOnScreen();
        show();
    }
}

void TProgressBar::HideGauge() { hide(); }

int TProgressBar::Percent() const {
    return static_cast<int>(std::int64_t{gauge_->value()} * 100 / std::max(1, gauge_->maximum()));
}

QString TProgressBar::Text() const { return gauge_->text(); }

void TProgressBar::CentreOnScreen() {
    const QScreen* where = screen();
    if (where == nullptr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}

} // namespace plax
