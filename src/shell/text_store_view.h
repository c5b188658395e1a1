#pragma once

#include "accounts/text_store.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>

namespace plax {

// A place in a text: a line and a column (a byte of that line).
struct TextPosition {
    std::uint64_t line = 0;
    std::size_t column = 0;
    auto operator<=>(const TextPosition&) const = default;
};

// A scroll bar counts in int, a text may hold billions of lines: past this many top lines the
// bar's range stays at this size and its value is scaled.
inline constexpr int ScrollSteps = 1 << 30;
int ScrollRangeOf(std::uint64_t lastTop);
int ScrollValueOf(std::uint64_t top, std::uint64_t lastTop);
std::uint64_t TopLineOf(int value, std::uint64_t lastTop);

// The selected text with "\n" between lines, cut after the line that passes `maxBytes`;
// `whole` tells whether all of it fitted. False on a read error.
bool SelectedText(const TextStore& store, TextPosition from, TextPosition to, std::size_t maxBytes,
                  std::string& out, bool& whole);

// The next occurrence of `needle` (ASCII letters in either case) at or after `from`, or the
// last one ending at or before `from` when `backward`; the search wraps around the text once.
// False when there is none.
bool FindInStore(const TextStore& store, const std::string& needle, TextPosition from, bool backward,
                 TextPosition& found);

// Shows a TextStore read-only, drawing only the lines in sight, so a text of any size scrolls,
// selects and searches at the same cost. The store belongs to the owner; the view only reads it.
class TextStoreView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // While lines come in, the view catches up this often.
    static constexpr int RefreshMs = 100;

    TextStoreView(const TextStore& store, QWidget* parent);

    // The store was emptied or replaced: nothing selected, back at the top.
    void Reset();
    // Lines were appended; `columns` is the length of the longest of them.
    void LinesAdded(std::size_t columns);

    bool HasSelection() const { return anchor_ != caret_; }
    TextPosition SelectionStart() const { return std::min(anchor_, caret_); }
    TextPosition SelectionEnd() const { return std::max(anchor_, caret_); }
    void Select(TextPosition anchor, TextPosition caret);
    void SelectAll();
    std::uint64_t TopLine() const { return top_; }
    void ScrollToLine(std::uint64_t line);
    // Selects the next (or previous) occurrence of `text` and scrolls to it; false when none.
    bool Find(const QString& text, bool backward);

signals:
    void selectionChanged();
    void copyRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Refresh();
    void UpdateScrollBars();
    int LineHeight() const;
    std::uint64_t PageLines() const;
    std::uint64_t LastTop() const;
    void SetTop(std::uint64_t top);
    int ColumnX(const QString& line, std::size_t column) const;
    TextPosition PositionAt(QPoint point) const;
    void MoveCaret(TextPosition to, bool extend);
    void EnsureVisible(TextPosition at);
    void KeyMove(int key, bool control, bool extend);

    const TextStore& store_;
    std::uint64_t top_ = 0;
    std::uint64_t shownLines_ = 0; // the line count the scroll bars were last set for
    std::size_t widest_ = 0;       // the longest line known, in characters
    TextPosition anchor_, caret_;
    bool syncing_ = false; // the bar is being set from top_, not moved by the user
    QTimer refresh_;
};

} // namespace plax
