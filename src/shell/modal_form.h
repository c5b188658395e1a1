#pragma once

#include <QDialog>

class QFormLayout;

namespace plax {

// Lays a small dialog out: `form` (which the dialog takes) above OK and Cancel, which accept and
// reject it.
void LayOutWithOkCancel(QDialog& dialog, QFormLayout* form);

// Shows a dialog of answers modally, starting from `answers`; on OK stores its answers there.
template <class Form, class Answers> bool AskModal(Form& form, Answers& answers) {
    form.Load(answers);
    if (form.exec() != QDialog::Accepted) return false;
    answers = form.Answers();
    return true;
}

} // namespace plax
