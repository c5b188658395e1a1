#pragma once

#include <QDialog>

namespace plax {

inline constexpr const char* MaxPointLabel = "Max point:";

// The about box: the program title, the release (the build's version) and the largest number of
// points in a net.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace plax
