#pragma once

#include <QWidget>

#include <cstdint>

class QProgressBar;

namespace plax {

inline constexpr const char* ProgressCaption = "Progress indicator";

// The gauge of the long searches: a small window above all others, one blue bar from 0 to 100
// per cent, centred on the screen. The frame makes one and keeps it hidden until a run shows it.
class TProgressBar : public QWidget {
public:
    explicit TProgressBar(QWidget* parent = nullptr);
    // Shows the window if hidden.
    void SetPercent(int percent);
    // "120000 of 5000000 firings", the bar in ten-thousandths of the whole.
    void SetCount(std::uint64_t done, std::uint64_t total);
    void HideGauge();
    int Percent() const;
    // What the bar reads.
    QString Text() const;

private:
    void Show();
    void CentreOnScreen();

    QProgressBar* gauge_; // child
};

} // namespace plax
