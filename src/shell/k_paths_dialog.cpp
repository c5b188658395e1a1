#include "k_paths_dialog.h"

#include "modal_form.h"

#include "view/whole_texts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSpinBox>

#include <algorithm>

namespace plax {

TGetKForm::TGetKForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QString::fromUtf8(KPathsCaption));
    FitToCaption(*this);
    setModal(true);

    kEdit_ = new QSpinBox(this);
    kEdit_->setObjectName(QStringLiteral("SEGetKShort"));
    kEdit_->setRange(1, MaxK);
    iterationsEdit_ = new QSpinBox(this);
    iterationsEdit_->setObjectName(QStringLiteral("SEGetNumIter"));
    iterationsEdit_->setRange(MinIterations, MaxIterations);
    iterationsEdit_->setSingleStep(IterationStep);
    showPath_ = new QCheckBox(tr("Show Shortest Path"), this);
    showPath_->setObjectName(QStringLiteral("CBShowPath"));
    numberEdit_ = new QSpinBox(this);
    numberEdit_->setObjectName(QStringLiteral("SEShowPathN"));
    numberEdit_->setRange(1, 1);

    auto* form = new QFormLayout;
    form->addRow(tr("Value of K: "), kEdit_);
    form->addRow(tr("Max Number of Iterations:"), iterationsEdit_);
    form->addRow(showPath_);
    form->addRow(tr("Number:"), numberEdit_);
    LayOutWithOkCancel(*this, form);

    connect(kEdit_, &QSpinBox::valueChanged, this, &TGetKForm::KChanged);
    connect(showPath_, &QCheckBox::toggled, numberEdit_, &QWidget::setEnabled);
    Load(KShortestParameters{});
}

void TGetKForm::KChanged(int k) {
    // QSpinBox lowers a larger value itself when its maximum drops.
    numberEdit_->setMaximum(k);
}

void TGetKForm::Load(const KShortestParameters& parameters) {
    kEdit_->setValue(std::clamp(parameters.k, 1, MaxK));
    numberEdit_->setMaximum(kEdit_->value());
    iterationsEdit_->setValue(std::clamp(parameters.iterationLimit, MinIterations, MaxIterations));
    showPath_->setChecked(parameters.showNumber != 0);
    numberEdit_->setEnabled(showPath_->isChecked());
    numberEdit_->setValue(std::max(parameters.showNumber, 1));
}

KShortestParameters TGetKForm::Answers() const {
    KShortestParameters answers;
    answers.k = kEdit_->value();
    answers.iterationLimit = iterationsEdit_->value();
    answers.showNumber = showPath_->isChecked() ? numberEdit_->value() : 0;
    return answers;
}

bool TGetKForm::Ask(KShortestParameters& parameters) { return AskModal(*this, parameters); }

} // namespace plax
