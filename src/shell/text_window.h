#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QBoxLayout;
class QFont;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace plax {

class DocumentHost;

inline constexpr const char* TextFileFilter = "Text files (*.txt)|*.txt";
inline constexpr const char* TextFileExtension = "txt";
inline constexpr const char* ConfirmCaption = "Confirm";
inline constexpr const char* CannotPrintMessage = " Cannot print the text.";

std::string CannotSaveFileMessage(const std::string& fileName);

// Results and report texts are 8-bit text, shown and written back byte for byte.
QString TextLine(const std::string& bytes);
std::string LineBytes(const QString& line);
std::vector<std::string> LineBytes(const QStringList& lines);

// Writes the lines, each ending with CR LF, replacing the file atomically; false on failure.
bool SaveTextLines(const std::string& path, const QStringList& lines);

// Prints the lines one below the other in `font`, starting a new page when one is full.
bool PrintTextLines(QPrinter& printer, const QStringList& lines, const QFont& font);

// Lines waiting to go into a text area. A run may write hundreds of thousands of lines, which
// the text area takes far slower than a procedure writes them, so they are moved in chunks that
// each take a few milliseconds: from a zero timer while the event loop runs, and whenever the
// owner asks (a poll, the end of a run). The event loop is never held up for long.
class TextFiller {
public:
    // Longest time one flush step spends; a single insert may add a few ms on top.
    static constexpr int StepMs = 4;

    explicit TextFiller(QPlainTextEdit& memo);
    TextFiller(const TextFiller&) = delete;
    TextFiller& operator=(const TextFiller&) = delete;

    // Empties the text and drops waiting lines; with `oneEmptyLine` the text holds one empty
    // line, otherwise none (the next line becomes the first).
    void Reset(bool oneEmptyLine);
    void Add(QString line);
    // Moves waiting lines into the text area for about `budgetMs`.
    void Flush(int budgetMs = StepMs);
    bool Filling() const { return head_ < pending_.size(); }
    // The text, one entry per line, waiting lines included.
    QStringList Lines() const;

private:
    QString NextChunk(bool first);
    void Drained();

    QPlainTextEdit& memo_;
    std::vector<QString> pending_;
    std::size_t head_ = 0;
    std::size_t batch_ = 256; // lines per insert, tuned to the speed of the text area
    bool noLines_ = false;    // an empty text that holds no line at all, not one empty line
    bool justFlushed_ = false;
    QTimer timer_;
};

// What one text window wants of the shared parts.
struct TextWindowOptions {
    QString memoName;                // object name of the text area
    std::function<bool()> save;      // File > Save, when the window has one
    std::function<bool()> saveAs;    // File > Save As
    std::function<void()> activated; // the window became the active one
    bool frameShortcuts = false;     // show the frame's keys beside New, Open and Exit
    bool printShortcut = false;      // Print on Ctrl+P
    bool buttonHints = false;        // the small tool buttons carry the hints "Copy", ...
};

// What the Results and the Report window share: the text area with its font and context menu,
// the File and Edit menus, the small Copy / Cut / Paste buttons and their enabling, printing,
// hints in the frame's status line, and closing through the frame's sub-window. A member of
// the window it serves, so it goes before the text area does.
class TextWindow : public QObject {
public:
    TextWindow(QWidget& owner, DocumentHost& host, const QFont& font, TextWindowOptions options);
    ~TextWindow() override;

    QPlainTextEdit& Memo() { return *memo_; }
    QMenuBar& MenuBar() { return *menuBar_; }
    TextFiller& Filler() { return *filler_; }
    const TextFiller& Filler() const { return *filler_; }
    QStringList Lines() const { return filler_->Lines(); }
    bool Modified() const;
    void SetModified(bool modified);

    // Lays the owner out: the menu bar, the tool row of 30 pixels (the owner's own buttons, which
    // `ownButtons` adds to the row, then CopyButton, CutButton and PasteButton) and the text.
    void LayOut(const std::function<void(QWidget& tools, QBoxLayout& row)>& ownButtons);
    // Shows `hint` (the part after "|") as tooltip and, while the mouse is over `widget`, in
    // the frame's status line.
    void AttachHint(QWidget& widget, const QString& hint);
    // Cut and Copy follow the selection, Paste the clipboard.
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
    QAction* AddItem(QMenu& menu, const QString& text, std::function<void()> handler);
    void WatchSubWindow();
    void Activated();
    QPrinter& Printer();

    QWidget& owner_;
    DocumentHost& host_;
    TextWindowOptions options_;
    QPlainTextEdit* memo_; // child of the owner
    QMenuBar* menuBar_;    // child of the owner
    std::unique_ptr<TextFiller> filler_;
    QMenu* popup_ = nullptr; // child of the memo
    std::vector<QAction*> cutActions_, copyActions_, pasteActions_;
    std::vector<std::pair<const QObject*, std::string>> hints_;
    QPointer<QWidget> subWindow_;
    QMetaObject::Connection subWindowActivation_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace plax
