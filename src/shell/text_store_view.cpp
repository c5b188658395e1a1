#include "text_store_view.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace plax {

namespace {

// Space left of the text, in pixels.
constexpr int Margin = 3;
// Lines per wheel notch.
constexpr int WheelLines = 3;
// A backward search reads this many lines at a time, from the end towards the start.
constexpr std::uint64_t BackwardBlock = 4096;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), Lower);
    return text;
}

// First match of the lowered `needle` starting at or after `from`.
std::size_t FindIn(std::string_view hay, const std::string& needle, std::size_t from) {
    if (from > hay.size()) return std::string_view::npos;
    const auto at = std::search(hay.begin() + static_cast<std::ptrdiff_t>(from), hay.end(), needle.begin(),
                                needle.end(), [](char a, char b) { return Lower(a) == b; });
    return at == hay.end() ? std::string_view::npos : static_cast<std::size_t>(at - hay.begin());
}

// Last match of the lowered `needle` that ends at or before `end`.
std::size_t LastIn(std::string_view hay, const std::string& needle, std::size_t end) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = FindIn(hay, needle, 0); at != std::string_view::npos && at + needle.size() <= end;
         at = FindIn(hay, needle, at + 1))
        last = at;
    return last;
}

// The last match in lines [first, end), each line searched whole.
bool LastInLines(const TextStore& store, const std::string& needle, std::uint64_t first, std::uint64_t end,
                 TextPosition& found) {
    bool hit = false;
    const bool read = store.ForEachLine(first, [&](std::uint64_t index, std::string_view line) {
        if (index >= end) return false;
        if (const std::size_t at = LastIn(line, needle, line.size()); at != std::string_view::npos) {
            found = {index, at};
            hit = true;
        }
        return true;
    });
    return read && hit;
}

bool FirstFrom(const TextStore& store, const std::string& needle, TextPosition from, std::uint64_t end,
               TextPosition& found) {
    bool hit = false;
    const bool read = store.ForEachLine(from.line, [&](std::uint64_t index, std::string_view line) {
        if (index >= end) return false;
        const std::size_t at = FindIn(line, needle, index == from.line ? from.column : 0);
        if (at == std::string_view::npos) return true;
        found = {index, at};
        hit = true;
        return false;
    });
    return read && hit;
}

bool LastBefore(const TextStore& store, const std::string& needle, std::uint64_t first, std::uint64_t end,
                TextPosition& found) {
    for (std::uint64_t high = end; high > first;) {
        const std::uint64_t low = high - first > BackwardBlock ? high - BackwardBlock : first;
        if (LastInLines(store, needle, low, high, found)) return true;
        high = low;
    }
    return false;
}

} // namespace

int ScrollRangeOf(std::uint64_t lastTop) {
    return lastTop <= std::uint64_t{ScrollSteps} ? static_cast<int>(lastTop) : ScrollSteps;
}

int ScrollValueOf(std::uint64_t top, std::uint64_t lastTop) {
    top = std::min(top, lastTop);
    if (lastTop <= std::uint64_t{ScrollSteps}) return static_cast<int>(top);
    return static_cast<int>(static_cast<long double>(top) * ScrollSteps / static_cast<long double>(lastTop));
}

std::uint64_t TopLineOf(int value, std::uint64_t lastTop) {
    const std::uint64_t steps = static_cast<std::uint64_t>(std::clamp(value, 0, ScrollSteps));
    if (lastTop <= std::uint64_t{ScrollSteps}) return std::min(steps, lastTop);
    if (value >= ScrollSteps) return lastTop;
    return static_cast<std::uint64_t>(static_cast<long double>(steps) * static_cast<long double>(lastTop) /
                                      ScrollSteps);
}

bool SelectedText(const TextStore& store, TextPosition from, TextPosition to, std::size_t maxBytes,
                  std::string& out, bool& whole) {
    out.clear();
    whole = true;
    if (!(from < to)) return true;
    return store.ForEachLine(from.line, [&](std::uint64_t index, std::string_view line) {
        const std::size_t begin = index == from.line ? std::min(from.column, line.size()) : 0;
        const std::size_t end = index == to.line ? std::clamp(to.column, begin, line.size()) : line.size();
        if (index > from.line) out += '\n';
        out.append(line.substr(begin, end - begin));
        if (index == to.line) return false;
        if (out.size() >= maxBytes) whole = false;
        return whole;
    });
}

bool FindInStore(const TextStore& store, const std::string& needle, TextPosition from, bool backward,
                 TextPosition& found) {
    const std::uint64_t count = store.LineCount();
    if (needle.empty() || count == 0) return false;
    const std::string lowered = Lowered(needle);
    from.line = std::min(from.line, count - 1);
    if (!backward)
        return FirstFrom(store, lowered, from, count, found) ||
               FirstFrom(store, lowered, {0, 0}, from.line + 1, found);
    const std::string here = store.Line(from.line);
    if (const std::size_t at = LastIn(here, lowered, std::min(from.column, here.size()));
        at != std::string_view::npos) {
        found = {from.line, at};
        return true;
    }
    return LastBefore(store, lowered, 0, from.line, found) ||
           LastBefore(store, lowered, from.line, count, found);
}

TextStoreView::TextStoreView(const TextStore& store, QWidget* parent)
    : QAbstractScrollArea(parent), store_(store) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    refresh_.setSingleShot(true);
    refresh_.setInterval(RefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TextStoreView::Refresh);
    UpdateScrollBars();
}

void TextStoreView::Reset() {
    top_ = 0;
    widest_ = 0;
    anchor_ = caret_ = {};
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
    emit selectionChanged();
}

void TextStoreView::LinesAdded(std::size_t columns) {
    widest_ = std::max(widest_, columns);
    if (!refresh_.isActive()) refresh_.start();
}

void TextStoreView::Refresh() {
    const std::uint64_t before = shownLines_;
    UpdateScrollBars();
    // Only new lines that come into sight need drawing.
    if (top_ + PageLines() + 1 >= before) viewport()->update();
}

int TextStoreView::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

std::uint64_t TextStoreView::PageLines() const {
    return static_cast<std::uint64_t>(std::max(1, viewport()->height() / LineHeight()));
}

std::uint64_t TextStoreView::LastTop() const {
    const std::uint64_t count = store_.LineCount();
    return count > PageLines() ? count - PageLines() : 0;
}

void TextStoreView::UpdateScrollBars() {
    const std::uint64_t last = LastTop();
    top_ = std::min(top_, last);
    shownLines_ = store_.LineCount();
    syncing_ = true;
    QScrollBar& bar = *verticalScrollBar();
    bar.setRange(0, ScrollRangeOf(last));
    const std::uint64_t page = PageLines();
    bar.setPageStep(last <= std::uint64_t{ScrollSteps}
                        ? static_cast<int>(page)
                        : std::max(1, ScrollValueOf(std::min(page, last), last)));
    bar.setSingleStep(1);
    bar.setValue(ScrollValueOf(top_, last));
    const int charWidth = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char('W')));
    const qint64 width = static_cast<qint64>(widest_) * charWidth + 2 * Margin;
    QScrollBar& across = *horizontalScrollBar();
    across.setRange(0, static_cast<int>(std::clamp<qint64>(width - viewport()->width(), 0, 1 << 30)));
    across.setPageStep(viewport()->width());
    across.setSingleStep(charWidth);
    syncing_ = false;
}

void TextStoreView::SetTop(std::uint64_t top) {
    top_ = std::min(top, LastTop());
    syncing_ = true;
    verticalScrollBar()->setValue(ScrollValueOf(top_, LastTop()));
    syncing_ = false;
    viewport()->update();
}

void TextStoreView::ScrollToLine(std::uint64_t line) {
    const std::uint64_t half = PageLines() / 2;
    SetTop(line > half ? line - half : 0);
}

void TextStoreView::scrollContentsBy(int, int) {
    if (!syncing_) top_ = TopLineOf(verticalScrollBar()->value(), LastTop());
    viewport()->update();
}

void TextStoreView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

int TextStoreView::ColumnX(const QString& line, std::size_t column) const {
    const qsizetype upTo =
        static_cast<qsizetype>(std::min<std::size_t>(column, static_cast<std::size_t>(line.size())));
    return Margin + fontMetrics().horizontalAdvance(line.left(upTo)) - horizontalScrollBar()->value();
}

void TextStoreView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    std::vector<std::string> lines;
    if (!store_.ReadLines(top_, static_cast<std::size_t>(PageLines() + 1), lines)) return;
    const QFontMetrics metrics = fontMetrics();
    const int height = LineHeight();
    const TextPosition from = SelectionStart(), to = SelectionEnd();
    const std::size_t widestBefore = widest_;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::uint64_t index = top_ + i;
        const QString text = QString::fromLatin1(lines[i].data(), static_cast<qsizetype>(lines[i].size()));
        widest_ = std::max(widest_, lines[i].size());
        const int y = static_cast<int>(i) * height;
        const int baseline = y + metrics.ascent();
        const int x = ColumnX(text, 0);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(x, baseline, text);
        if (HasSelection() && index >= from.line && index <= to.line) {
            const int left = index == from.line ? ColumnX(text, from.column) : x;
            // A selected line end shows as a space's width.
            const int right = index == to.line ? ColumnX(text, to.column)
                                               : ColumnX(text, lines[i].size()) +
                                                     metrics.horizontalAdvance(QLatin1Char(' '));
            const QRect band(left, y, std::max(0, right - left), height);
            painter.save();
            painter.setClipRect(band);
            painter.fillRect(band, palette().color(QPalette::Highlight));
            painter.setPen(palette().color(QPalette::HighlightedText));
            painter.drawText(x, baseline, text);
            painter.restore();
        }
        if (hasFocus() && index == caret_.line)
            painter.drawLine(ColumnX(text, caret_.column), y, ColumnX(text, caret_.column), y + height - 1);
    }
    if (widest_ != widestBefore && !refresh_.isActive()) refresh_.start();
}

TextPosition TextStoreView::PositionAt(QPoint point) const {
    const std::uint64_t count = store_.LineCount();
    if (count == 0) return {};
    std::uint64_t line = top_;
    if (point.y() < 0)
        line = top_ > 0 ? top_ - 1 : 0;
    else
        line = std::min(top_ + static_cast<std::uint64_t>(point.y() / LineHeight()), count - 1);
    const std::string bytes = store_.Line(line);
    const QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QFontMetrics metrics = fontMetrics();
    int x = Margin - horizontalScrollBar()->value();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int advance = metrics.horizontalAdvance(text[i]);
        if (point.x() < x + advance / 2) return {line, static_cast<std::size_t>(i)};
        x += advance;
    }
    return {line, bytes.size()};
}

void TextStoreView::Select(TextPosition anchor, TextPosition caret) {
    anchor_ = anchor;
    caret_ = caret;
    EnsureVisible(caret_);
    viewport()->update();
    emit selectionChanged();
}

void TextStoreView::MoveCaret(TextPosition to, bool extend) { Select(extend ? anchor_ : to, to); }

void TextStoreView::SelectAll() {
    const std::uint64_t count = store_.LineCount();
    if (count == 0) return;
    anchor_ = {};
    caret_ = {count - 1, store_.Line(count - 1).size()};
    viewport()->update();
    emit selectionChanged();
}

void TextStoreView::EnsureVisible(TextPosition at) {
    if (at.line < top_)
        SetTop(at.line);
    else if (at.line >= top_ + PageLines())
        SetTop(at.line - PageLines() + 1);
    const std::string bytes = store_.Line(at.line);
    const QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QScrollBar& across = *horizontalScrollBar();
    const int x = ColumnX(text, at.column) + across.value();
    if (x < across.value() + Margin)
        across.setValue(x - Margin);
    else if (x > across.value() + viewport()->width() - Margin)
        across.setValue(x - viewport()->width() / 2);
}

bool TextStoreView::Find(const QString& text, bool backward) {
    const std::string needle = text.toLatin1().toStdString();
    TextPosition found;
    if (!FindInStore(store_, needle, backward ? SelectionStart() : SelectionEnd(), backward, found))
        return false;
    const TextPosition end{found.line, found.column + needle.size()};
    if (found.line < top_ || found.line >= top_ + PageLines()) ScrollToLine(found.line);
    Select(found, end);
    return true;
}

void TextStoreView::KeyMove(int key, bool control, bool extend) {
    const std::uint64_t count = store_.LineCount();
    if (count == 0) return;
    TextPosition to = caret_;
    const auto length = [&](std::uint64_t line) { return store_.Line(line).size(); };
    const std::uint64_t page = PageLines();
    switch (key) {
    case Qt::Key_Up: to.line = to.line > 0 ? to.line - 1 : 0; break;
    case Qt::Key_Down: to.line = std::min(to.line + 1, count - 1); break;
    case Qt::Key_PageUp:
        to.line = to.line > page ? to.line - page : 0;
        SetTop(top_ > page ? top_ - page : 0);
        break;
    case Qt::Key_PageDown:
        to.line = std::min(to.line + page, count - 1);
        SetTop(top_ + page);
        break;
    case Qt::Key_Home: to = control ? TextPosition{} : TextPosition{to.line, 0}; break;
    case Qt::Key_End:
        to = control ? TextPosition{count - 1, length(count - 1)} : TextPosition{to.line, length(to.line)};
        break;
    case Qt::Key_Left:
        if (to.column > 0)
            to.column = std::min(to.column, length(to.line)) - 1;
        else if (to.line > 0)
            to = {to.line - 1, length(to.line - 1)};
        break;
    case Qt::Key_Right:
        if (to.column < length(to.line))
            ++to.column;
        else if (to.line + 1 < count)
            to = {to.line + 1, 0};
        break;
    default: return;
    }
    to.column = std::min(to.column, length(to.line));
    MoveCaret(to, extend);
}

void TextStoreView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    const int key = event->key();
    const bool known = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                       key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End ||
                       key == Qt::Key_Left || key == Qt::Key_Right;
    if (!known) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    KeyMove(key, (event->modifiers() & Qt::ControlModifier) != 0,
            (event->modifiers() & Qt::ShiftModifier) != 0);
}

void TextStoreView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    MoveCaret(PositionAt(event->position().toPoint()), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void TextStoreView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0) MoveCaret(PositionAt(event->position().toPoint()), true);
}

void TextStoreView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || store_.LineCount() == 0) return;
    const TextPosition at = PositionAt(event->position().toPoint());
    const std::string line = store_.Line(at.line);
    const auto word = [&](std::size_t i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        return std::isalnum(c) != 0 || c == '_';
    };
    std::size_t begin = std::min(at.column, line.size()), end = begin;
    while (begin > 0 && word(begin - 1))
        --begin;
    while (end < line.size() && word(end))
        ++end;
    Select({at.line, begin}, {at.line, end});
}

void TextStoreView::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const std::uint64_t step = static_cast<std::uint64_t>(std::abs(notches)) * WheelLines;
    SetTop(notches > 0 ? (top_ > step ? top_ - step : 0) : top_ + step);
    event->accept();
}

} // namespace plax
