#pragma once

#include "accounts/k_shortest_paths_account.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace plax {

inline constexpr const char* KPathsCaption = "K shortest distinct paths";
inline constexpr int MaxK = 15;
inline constexpr int MinIterations = 100;
inline constexpr int MaxIterations = 10000;
inline constexpr int IterationStep = 50;

// The k shortest paths dialog: K, the iteration limit and which walk to mark. The frame makes
// it once and keeps it hidden between uses.
class TGetKForm : public QDialog {
    Q_OBJECT
public:
    explicit TGetKForm(QWidget* parent = nullptr);

    // Shows the dialog modally starting from `parameters`; on OK stores the answers in it.
    bool Ask(KShortestParameters& parameters);
    // Fills the controls from `parameters` (what Ask does before showing the dialog).
    void Load(const KShortestParameters& parameters);
    // The answers the controls hold now; the walk number is 0 when no walk is to be shown.
    KShortestParameters Answers() const;

    QSpinBox& SEGetKShort() const { return *kEdit_; }
    QSpinBox& SEGetNumIter() const { return *iterationsEdit_; }
    QCheckBox& CBShowPath() const { return *showPath_; }
    QSpinBox& SEShowPathN() const { return *numberEdit_; }

private:
    void KChanged(int k);

    QSpinBox* kEdit_ = nullptr;
    QSpinBox* iterationsEdit_ = nullptr;
    QCheckBox* showPath_ = nullptr;
    QSpinBox* numberEdit_ = nullptr;
};

} // namespace plax
