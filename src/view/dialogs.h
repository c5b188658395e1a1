#pragma once

#include "interchange/net_graph.h"
#include "model/user_messages.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace plax {

// The caption of every question box.
inline constexpr const char* ConfirmCaption = "Confirm";

// The answer to a Yes/No question that the user may also dismiss (Escape or the close button).
enum class Answer { Yes, No, Cancel };

// A save dialog with a caption of its own whose file types, when chosen, put their extension
// into the name (the Gantt chart's).
struct TypedSaveRequest {
    std::string caption;
    std::string filter;                  // in the program's "|" form
    std::vector<std::string> extensions; // one per file type, with its dot
    std::string suggested;
};

// `name` with the extension of its file part replaced by `extension`, or with it added.
std::string ReplaceExtension(const std::string& name, const std::string& extension);

// Every modal question the windows ask: the message boxes of the four kinds, the three-way
// close questions, the file dialogs and the print dialog. The desktop shows real dialogs
// (QtDialogs); tests answer from a script.
class Dialogs : public UserMessages {
public:
    // Yes/No question with a caption; Cancel when dismissed.
    virtual Answer Ask(const std::string& text, const std::string& caption) = 0;
    // A file to write. `filter` is in the "Text (*.txt)|*.txt|..." form the program uses; the
    // default extension (without dot) is added to a name that has none. Nothing on cancel.
    virtual std::optional<std::string> AskSavePath(const std::string& filter,
                                                   const std::string& defaultExtension,
                                                   const std::string& suggested) = 0;
    // A file to write through a TypedSaveRequest; nothing on cancel. Without a dialog of its
    // own it is the plain save question.
    virtual std::optional<std::string> AskTypedSavePath(const TypedSaveRequest& request) {
        return AskSavePath(request.filter, "", request.suggested);
    }
    // An existing file to read; nothing on cancel.
    virtual std::optional<std::string> AskOpenPath(const std::string& filter) = 0;
    // How a file of another program is read: `weights` are its numeric edge attributes, `guess`
    // the one chosen first; the direction too when `askDirection` (the file cannot say; `directed`
    // is the reader's guess). Nothing on cancel. Without a dialog of its own, the guesses.
    virtual std::optional<ImportChoices> AskImportChoices(const std::vector<std::string>& weights,
                                                          const std::string& guess, bool askDirection,
                                                          bool directed) {
        (void)weights;
        return ImportChoices{guess, askDirection ? std::optional<bool>(directed) : std::nullopt};
    }
    // The scale a PNG or bitmap picture is drawn at, from 0.1 up to `largest`; nothing on cancel.
    // Without a dialog of its own, 1: the window's size.
    virtual std::optional<double> AskPictureScale(double largest) {
        (void)largest;
        return 1.0;
    }
    // The print dialog on `printer` (a PDF file is one of its choices); false on cancel.
    virtual bool AskPrinter(QPrinter& printer) = 0;
    // The system printer-setup dialog; false on cancel.
    virtual bool AskPrinterSetup(QPrinter& printer) = 0;
    // The system beep.
    virtual void Beep() = 0;
};

// Real modal dialogs with `parent` as their owner window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void Warning(const std::string& text) override;
    void Error(const std::string& text) override;
    void Information(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    Answer Ask(const std::string& text, const std::string& caption) override;
    std::optional<std::string> AskSavePath(const std::string& filter, const std::string& defaultExtension,
                                           const std::string& suggested) override;
    std::optional<std::string> AskTypedSavePath(const TypedSaveRequest& request) override;
    std::optional<std::string> AskOpenPath(const std::string& filter) override;
    std::optional<ImportChoices> AskImportChoices(const std::vector<std::string>& weights,
                                                  const std::string& guess, bool askDirection,
                                                  bool directed) override;
    std::optional<double> AskPictureScale(double largest) override;
    bool AskPrinter(QPrinter& printer) override;
    bool AskPrinterSetup(QPrinter& printer) override;
    void Beep() override;

private:
    QWidget* parent_; // not owned
};

// A window's close question about unsaved work: Yes saves (and the window may close only when the
// save went through), No closes, a dismissed question keeps the window.
[[nodiscard]] bool SaveQuestionAllowsClose(Dialogs& ui, const std::string& question,
                                           const std::string& caption, const std::function<bool()>& save);

// The Qt name filter ("Text files (*.txt);;...") of a filter in the program's "|" form.
std::string QtNameFilter(const std::string& filter);
// The same with each description kept as written and its patterns appended, for a dialog that
// hides the patterns: "Bit Map File (BMP)|*.bmp" gives "Bit Map File (BMP) (*.bmp)".
std::string QtNameFilterAsWritten(const std::string& filter);
// The extension a name typed without one takes under one entry of a Qt name filter: that of its
// first pattern ("pnml" of "PNML (*.pnml)"), none for "All (*)".
std::string FilterExtension(const std::string& entry);

// Message texts use "\r\n" for line breaks; a message box wants "\n".
std::string BoxText(const std::string& text);

} // namespace plax
