#include "auto_run_dialog.h"

#include "modal_form.h"

#include "view/whole_texts.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include <algorithm>

namespace plax {

TAutoRunForm::TAutoRunForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QString::fromLatin1(AutoRunCaption));
    FitToCaption(*this);
    setModal(true);
    limit_ = new QSpinBox(this);
    limit_->setObjectName(QStringLiteral("FiringLimitEdit"));
    limit_->setRange(1, static_cast<int>(MaxFiringLimit));
    limit_->setGroupSeparatorShown(true);
    seed_ = new QLineEdit(this);
    seed_->setObjectName(QStringLiteral("SeedEdit"));
    // Nineteen digits always fit the seed's 64 bits.
    seed_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,19}")), seed_));
    seed_->setPlaceholderText(QStringLiteral("a new one"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Firing limit:"), limit_);
    form->addRow(QStringLiteral("Seed:"), seed_);
    LayOutWithOkCancel(*this, form);
    Load(AutoRunParameters{});
}

void TAutoRunForm::Load(const AutoRunParameters& parameters) {
    limit_->setValue(static_cast<int>(std::clamp<std::uint64_t>(parameters.firingLimit, 1, MaxFiringLimit)));
    seed_->setText(parameters.seed ? QString::number(*parameters.seed) : QString());
}

AutoRunParameters TAutoRunForm::Answers() const {
    AutoRunParameters answers;
    answers.firingLimit = static_cast<std::uint64_t>(limit_->value());
    bool ok = false;
    const qulonglong seed = seed_->text().toULongLong(&ok);
    if (ok) answers.seed = seed;
    return answers;
}

bool TAutoRunForm::Ask(AutoRunParameters& parameters) { return AskModal(*this, parameters); }

} // namespace plax
