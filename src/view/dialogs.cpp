#include "dialogs.h"

#include "model/text_utils.h"

#include "whole_texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringDecoder>
#include <QStringList>

#include <vector>

namespace plax {

namespace {

// Messages carry paths (UTF-8 on this system) and net names, which are 8-bit text of any code
// page; what is not UTF-8 is shown byte for byte.
QString DisplayText(const std::string& text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (!utf8.hasError()) return decoded;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString BoxString(const std::string& text) { return DisplayText(BoxText(text)); }

std::vector<std::string> SplitBars(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// "NetWork File (*.net)" shows its patterns already; Qt reads them from the trailing
// parentheses, so they are replaced by the real ones.
std::string Description(std::string text) {
    if (!text.empty() && text.back() == ')') {
        const auto open = text.rfind('(');
        if (open != std::string::npos) text.erase(open);
    }
    return TrimText(text);
}

std::string Patterns(std::string text) {
    for (char& c : text) {
        if (c == ';') c = ' ';
    }
    const std::string patterns = TrimText(text);
    return patterns.empty() ? "*" : patterns;
}

std::string PathOf(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

std::string BoxText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

namespace {

// Each "description|patterns" pair as Qt's "description (patterns)", the description as
// `describe` gives it.
std::string JoinedFilter(const std::string& filter, std::string (*describe)(std::string)) {
    const auto parts = SplitBars(filter);
    std::string out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!out.empty()) out += ";;";
        out += describe(parts[i]) + " (" + Patterns(parts[i + 1]) + ")";
    }
    return out;
}

std::string AsWritten(std::string text) { return TrimText(text); }

} // namespace

std::string QtNameFilter(const std::string& filter) { return JoinedFilter(filter, Description); }

std::string QtNameFilterAsWritten(const std::string& filter) { return JoinedFilter(filter, AsWritten); }

std::string FilterExtension(const std::string& entry) {
    const std::size_t open = entry.rfind('(');
    if (open == std::string::npos || entry.compare(open, 3, "(*.") != 0) return {};
    const std::size_t start = open + 3;
    const std::size_t end = entry.find_first_of(" ;)", start);
    const std::string extension =
        entry.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return extension.find_first_of("*?[") == std::string::npos ? extension : std::string();
}

void QtDialogs::Warning(const std::string& text) {
    QMessageBox::warning(parent_, QStringLiteral("Warning"), BoxString(text));
}

void QtDialogs::Error(const std::string& text) {
    QMessageBox::critical(parent_, QStringLiteral("Error"), BoxString(text));
}

void QtDialogs::Information(const std::string& text) {
    QMessageBox::information(parent_, QStringLiteral("Information"), BoxString(text));
}

bool QtDialogs::Confirm(const std::string& text) {
    return QMessageBox::question(parent_, QString::fromLatin1(ConfirmCaption), BoxString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtDialogs::Ask(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, DisplayText(caption), BoxString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    // Escape and the close button must not count as No: they press this hidden Cancel.
    QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
    cancel->hide();
    box.setEscapeButton(cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    if (pressed == QMessageBox::Yes) return Answer::Yes;
    if (pressed == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

std::optional<std::string> QtDialogs::AskSavePath(const std::string& filter,
                                                  const std::string& defaultExtension,
                                                  const std::string& suggested) {
    QFileDialog dialog(parent_, QStringLiteral("Save As"), QFile::decodeName(suggested.c_str()),
                       QString::fromStdString(QtNameFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The writers decide about existing files: Krack Plot asks, the others replace.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // A name typed without an extension takes that of the type chosen in the dialog.
    const auto chosenExtension = [&] {
        const std::string chosen = FilterExtension(dialog.selectedNameFilter().toStdString());
        return chosen.empty() ? defaultExtension : chosen;
    };
    dialog.setDefaultSuffix(QString::fromStdString(defaultExtension));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&] { dialog.setDefaultSuffix(QString::fromStdString(chosenExtension())); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    std::string path = PathOf(dialog.selectedFiles().constFirst());
    const std::string extension = chosenExtension();
    if (!extension.empty() && FileNameOf(path).find('.') == std::string::npos) path += "." + extension;
    return path;
}

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + extension;
    return name.substr(0, dot) + extension;
}

std::optional<std::string> QtDialogs::AskTypedSavePath(const TypedSaveRequest& request) {
    // The types read as the filter writes them ("Bit Map File (BMP)"); the patterns Qt filters
    // by are appended and kept out of sight.
    const QStringList filters =
        QString::fromStdString(QtNameFilterAsWritten(request.filter)).split(QStringLiteral(";;"));
    QFileDialog dialog(parent_, DisplayText(request.caption), QFile::decodeName(request.suggested.c_str()));
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The name field is the dialog's own line edit; only Qt's dialog lets it be rewritten.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        // With the patterns hidden the dialog may name the type without them.
        qsizetype at = filters.indexOf(filter);
        for (qsizetype i = 0; at < 0 && i < filters.size(); ++i)
            if (filters[i].startsWith(filter + QStringLiteral(" ("))) at = i;
        const auto type = static_cast<std::size_t>(at);
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name == nullptr || type >= request.extensions.size()) return;
        name->setText(
            QString::fromStdString(ReplaceExtension(name->text().toStdString(), request.extensions[type])));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathOf(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtDialogs::AskOpenPath(const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(parent_, QStringLiteral("Open"), QString(),
                                                      QString::fromStdString(QtNameFilter(filter)));
    if (path.isEmpty()) return std::nullopt;
    return PathOf(path);
}

std::optional<double> QtDialogs::AskPictureScale(double largest) {
    bool ok = false;
    const double scale =
        QInputDialog::getDouble(parent_, QStringLiteral("Picture Scale"),
                                QStringLiteral("Scale (1 is the window's size):"), 1.0, 0.1, largest, 2, &ok);
    if (!ok) return std::nullopt;
    return scale;
}

std::optional<ImportChoices> QtDialogs::AskImportChoices(const std::vector<std::string>& weights,
                                                         const std::string& guess, bool askDirection,
                                                         bool directed) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("Import"));
    FitToCaption(dialog);
    auto* form = new QFormLayout(&dialog);
    auto* weight = new QComboBox(&dialog);
    weight->setObjectName(QStringLiteral("WeightAttribute"));
    for (const std::string& name : weights) {
        weight->addItem(DisplayText(name));
        if (name == guess) weight->setCurrentIndex(weight->count() - 1);
    }
    form->addRow(QStringLiteral("Weight:"), weight);
    QCheckBox* direction = nullptr;
    if (askDirection) {
        direction = new QCheckBox(QStringLiteral("Directed"), &dialog);
        direction->setObjectName(QStringLiteral("Directed"));
        direction->setChecked(directed);
        form->addRow(QStringLiteral("Edges:"), direction);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    ImportChoices choices;
    const int at = weight->currentIndex();
    choices.weight = at >= 0 ? weights[static_cast<std::size_t>(at)] : guess;
    if (direction != nullptr) choices.directed = direction->isChecked();
    return choices;
}

bool QtDialogs::AskPrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::AskPrinterSetup(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::Beep() { QApplication::beep(); }

bool SaveQuestionAllowsClose(Dialogs& ui, const std::string& question, const std::string& caption,
                             const std::function<bool()>& save) {
    switch (ui.Ask(question, caption)) {
    case Answer::Yes: return save();
    case Answer::No: return true;
    case Answer::Cancel: return false;
    }
    return false;
}

} // namespace plax
