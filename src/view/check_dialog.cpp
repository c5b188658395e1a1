#include "check_dialog.h"

#include "whole_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace plax {

namespace {

QSpinBox* PointBox(QWidget* parent, int points, int value) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, points);
    box->setSpecialValueText(QStringLiteral("-"));
    box->setValue(value);
    return box;
}

} // namespace

bool AskCheckQuestion(QWidget* parent, CheckDialogState& state, int points) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QString::fromLatin1(state.forExercise ? "Save as Exercise" : CheckMyAnswerCaption));
    FitToCaption(dialog);
    auto* form = new QFormLayout(&dialog);
    auto* question = new QComboBox(&dialog);
    question->setObjectName(QStringLiteral("Question"));
    for (const QuestionInfo& q : Questions())
        question->addItem(QString::fromLatin1(q.caption.data(), static_cast<qsizetype>(q.caption.size())));
    question->setCurrentIndex(static_cast<int>(state.request.question));
    form->addRow(QStringLiteral("Question:"), question);
    QSpinBox* source = PointBox(&dialog, points, state.request.source);
    QSpinBox* sink = PointBox(&dialog, points, state.request.sink);
    source->setObjectName(QStringLiteral("Source"));
    sink->setObjectName(QStringLiteral("Sink"));
    form->addRow(QStringLiteral("Source:"), source);
    form->addRow(QStringLiteral("Sink:"), sink);
    auto* show = new QCheckBox(QStringLiteral("Show a correct answer"), &dialog);
    show->setChecked(state.request.showCorrect);
    form->addRow(show);
    QCheckBox* hide = nullptr;
    auto* answer = new QLineEdit(QString::fromStdString(state.answer), &dialog);
    answer->setObjectName(QStringLiteral("Answer"));
    answer->setMaxLength(static_cast<int>(MaxAnswerText));
    answer->setPlaceholderText(QStringLiteral("empty: mark it on the canvas"));
    if (state.forExercise) {
        hide = new QCheckBox(QStringLiteral("Hide weights until answered"), &dialog);
        hide->setChecked(state.hideWeights);
        form->addRow(hide);
    } else {
        form->addRow(QStringLiteral("Answer:"), answer);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    state.request.question = Questions()[static_cast<std::size_t>(question->currentIndex())].question;
    state.request.source = source->value();
    state.request.sink = sink->value();
    state.request.showCorrect = show->isChecked();
    state.hideWeights = hide != nullptr && hide->isChecked();
    state.answer = answer->text().toStdString();
    return true;
}

} // namespace plax
