#pragma once

#include "petri/auto_run.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace plax {

inline constexpr const char* AutoRunCaption = "Auto Ordinary Petri Net";

// The automatic simulation's dialog: the firing limit, and a seed that repeats an earlier run
// (left empty, the run takes a new one). Made for each use.
class TAutoRunForm : public QDialog {
    Q_OBJECT
public:
    explicit TAutoRunForm(QWidget* parent = nullptr);

    // Shows the dialog modally starting from `parameters`; on OK stores the answers in it.
    bool Ask(AutoRunParameters& parameters);
    void Load(const AutoRunParameters& parameters);
    AutoRunParameters Answers() const;

    QSpinBox& LimitEdit() const { return *limit_; }
    QLineEdit& SeedEdit() const { return *seed_; }

private:
    QSpinBox* limit_ = nullptr;
    QLineEdit* seed_ = nullptr;
};

} // namespace plax
