#pragma once

#include <QWidget>

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
    void HideGauge();
    int Percent() const;

private:
    void CentreOnScreen();

    QProgressBar* gauge_; // child
};

} // namespace plax
