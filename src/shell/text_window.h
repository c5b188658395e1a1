#pragma once

#include "accounts/text_store.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QBoxLayout;
class QFont;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace plax {

class DocumentHost;
class TextStoreView;

inline constexpr const char* TextFileFilter = "Text files (*.txt)|*.txt";
inline constexpr const char* TextFileExtension = "txt";
inline constexpr const char* CannotPrintMessage = " Cannot print the text.";

std::string CannotSaveFileMessage(const std::string& fileName);

// Results and report texts are 8-bit text, shown and written back byte for byte.
QString TextLine(const std::string& bytes);
std::string LineBytes(const QString& line);
std::vector<std::string> LineBytes(const QStringList& lines);

// Writes the lines, each ending with CR LF, replacing the file atomically; false on failure.
[[nodiscard]] bool SaveText(const std::string& path, const TextStore& text);

// Prints the lines one below the other in `font`, starting a new page when one is full.
[[nodiscard]] bool PrintText(QPrinter& printer, const TextStore& text, const QFont& font);

// A text up to this size goes into the editable text area once it is complete; a larger one
// stays in the store's view, read-only, since a text area holds every line as a block of its
// own and would take gigabytes and minutes on a long listing.
inline constexpr std::uint64_t EditableTextBytes = std::uint64_t{1} << 20;
// Copy takes whole lines up to about this size: the clipboard holds the text several times over.
inline constexpr std::size_t MaxCopyBytes = std::size_t{8} << 20;
std::string CopyCutShortMessage(std::uint64_t copiedLines);
inline constexpr const char* FindNotFoundText = "Not found";

// What one text window wants of the shared parts.
struct TextWindowOptions {
    QString memoName;                // object name of the text area
    QString textName;                // what a screen reader calls the text
    std::function<bool()> save;      // File > Save, when the window has one
    std::function<bool()> saveAs;    // File > Save As
    std::function<void()> activated; // the window became the active one
    bool frameShortcuts = false;     // show the frame's keys beside New, Open and Exit
    bool printShortcut = false;      // Print on Ctrl+P
    bool buttonHints = false;        // the small tool buttons carry the hints "Copy", ...
};

// What the Results and the Report window share: the text with its font and context menu, the
// File and Edit menus, the small Copy / Cut / Paste buttons and their enabling, Find, printing,
// hints in the frame's status line, and closing through the frame's sub-window. A member of
// the window it serves, so it goes before the text area does.
//
// The text lives in a TextStore from its first line on and shows in a TextStoreView while it
// comes in, so a run of any length costs little memory and never holds up the event loop. Once
// complete, a text of up to EditableTextBytes moves into a QPlainTextEdit, where the user may
// change it; a larger one stays read-only in the view (Copy, Select All and Find still work).
class TextWindow : public QObject {
public:
    TextWindow(QWidget& owner, DocumentHost& host, const QFont& font, TextWindowOptions options);
    ~TextWindow() override;

    QPlainTextEdit& Memo() { return *memo_; }
    TextStoreView& View() { return *view_; }
    QMenuBar& MenuBar() { return *menuBar_; }

    // The limits of the store the next Reset makes.
    void SetLimits(TextStore::Limits limits) { limits_ = std::move(limits); }
    // Empties the text for lines to come; with `oneEmptyLine` it holds one empty line.
    void Reset(bool oneEmptyLine);
    [[nodiscard]] TextStore::Status Append(std::string_view line);
    // Shows `text` (a file just read) as a complete text.
    void Load(TextStore text);
    // The text is complete: a small one becomes editable.
    void Complete();
    bool Editable() const { return editing_; }

    // The text as it stands, the user's changes included.
    const TextStore& Text();
    std::uint64_t LineCount() const;
    // The text, one entry per line; for tests and small texts.
    QStringList Lines() const;
    bool Modified() const;
    void SetModified(bool modified);
    // Finds the next (or previous) occurrence of `text` after the selection, wrapping around.
    bool Find(const QString& text, bool backward);

    // Lays the owner out: the menu bar, the tool row of 30 pixels (the owner's own buttons, which
    // `ownButtons` adds to the row, then CopyButton, CutButton and PasteButton), the text and
    // the find bar.
    void LayOut(const std::function<void(QWidget& tools, QBoxLayout& row)>& ownButtons);
    // Shows `hint` (the part after "|") as tooltip and, while the mouse is over `widget`, in
    // the frame's status line.
    void AttachHint(QWidget& widget, const QString& hint);
    // Copy follows the selection; Cut the selection and Paste the clipboard, in an editable text.
    void UpdateEditEnabling();

    void PrintSetup1Click();
    void Print1Click();
    // Closes the frame's sub-window around the owner (or the owner itself), so the close
    // questions run once.
    void CloseWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Adds CopyButton, CutButton and PasteButton to the tool row.
    void AddEditButtons(QBoxLayout& row);
    void BuildMenus();
    void BuildContextMenu();
    void BuildFindBar();
    QAction* AddItem(QMenu& menu, const QString& text, std::function<void()> handler);
    void ShowText(bool editable);
    void Cut();
    void Copy();
    void Paste();
    void Delete();
    void SelectAll();
    void ShowFindBar();
    void FindFromBar(bool backward);
    void WatchSubWindow();
    void Activated();
    QPrinter& Printer();

    QWidget& owner_;
    DocumentHost& host_;
    TextWindowOptions options_;
    TextStore::Limits limits_;
    TextStore store_;
    bool editing_ = true;           // the text is in the memo, not (only) in the store
    bool memoChanged_ = false;      // the memo differs from the store
    bool noLines_ = false;          // an empty memo stands for a text without lines, not one empty line
    QPlainTextEdit* memo_;          // child of the owner
    TextStoreView* view_;           // child of the owner
    QMenuBar* menuBar_;             // child of the owner
    QWidget* findBar_ = nullptr;    // child of the owner
    QLineEdit* findText_ = nullptr; // child of the find bar
    QLabel* findStatus_ = nullptr;  // child of the find bar
    QMenu* popup_ = nullptr;        // child of the owner
    std::vector<QAction*> cutActions_, copyActions_, pasteActions_, deleteActions_;
    std::vector<std::pair<const QObject*, std::string>> hints_;
    QPointer<QWidget> subWindow_;
    QMetaObject::Connection subWindowActivation_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace plax
