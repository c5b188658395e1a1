#include "text_window.h"

#include "text_store_view.h"

#include "view/document_host.h"

#include "model/file_io.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <utility>

namespace plax {

namespace {

// The height of the row of buttons above the text.
constexpr int ToolRowHeight = 30;

const std::string Eol = "\r\n";

// A memo's text copied into a store stays in memory: it is small, and it must not fail.
TextStore::Limits MemoCopyLimits() {
    return {.memoryBytes = std::numeric_limits<std::size_t>::max(),
            .totalBytes = std::numeric_limits<std::uint64_t>::max(),
            .tempDir = {}};
}

// The lines of a memo; Shift+Enter breaks a line inside a block, which is a line end all the same.
template <typename Visit> void ForEachMemoLine(const QTextDocument& doc, Visit visit) {
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.contains(QChar::LineSeparator)) {
            for (const QString& part : text.split(QChar::LineSeparator))
                visit(part);
        } else {
            visit(text);
        }
    }
}

// Fonts given in pixels are screen fonts; on paper they keep their size in points.
QFont PrinterFont(const QFont& font) {
    QFont out(font);
    if (font.pixelSize() > 0) out.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return out;
}

} // namespace

std::string CannotSaveFileMessage(const std::string& fileName) { return " Cannot Save file " + fileName; }

QString TextLine(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string LineBytes(const QString& line) { return line.toLatin1().toStdString(); }

std::vector<std::string> LineBytes(const QStringList& lines) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        out.push_back(LineBytes(line));
    return out;
}

bool SaveText(const std::string& path, const TextStore& text) {
    AtomicFileWriter file(path);
    if (!file.Opened()) return false;
    bool written = true;
    const bool read = text.ForEachLine([&](std::uint64_t, std::string_view line) {
        written = file.Write(line) && file.Write(Eol);
        return written;
    });
    return read && written && file.Commit() == WriteStatus::Ok;
}

bool PrintText(QPrinter& printer, const TextStore& text, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(PrinterFont(font));
    const QFontMetrics metrics = painter.fontMetrics();
    const int step = std::max(1, metrics.lineSpacing());
    const int pageHeight = printer.height();
    int y = 0;
    bool paged = true;
    const bool read = text.ForEachLine([&](std::uint64_t, std::string_view line) {
        if (y > 0 && y + step > pageHeight) {
            paged = printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(),
                         QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
        y += step;
        return paged;
    });
    return painter.end() && read && paged;
}

std::string CopyCutShortMessage(std::uint64_t copiedLines) {
    return "The selection is too large for the clipboard: only its first " + std::to_string(copiedLines) +
           " lines were copied.\r\nSave As keeps the whole text.";
}

namespace {

// The find bar's own texts.
constexpr const char* FindNextCaption = "Next";
constexpr const char* FindPreviousCaption = "Previous";
constexpr const char* FindCloseCaption = "Close";
constexpr const char* FindPlaceholder = "Find";

} // namespace

TextWindow::TextWindow(QWidget& owner, DocumentHost& host, const QFont& font, TextWindowOptions options)
    : owner_(owner), host_(host), options_(std::move(options)), memo_(new QPlainTextEdit(&owner)),
      view_(new TextStoreView(store_, &owner)), menuBar_(new QMenuBar(&owner)) {
    memo_->setObjectName(options_.memoName);
    view_->setObjectName(options_.memoName + QStringLiteral("View"));
    memo_->setAccessibleName(options_.textName);
    view_->setAccessibleName(options_.textName);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette colours = memo_->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    for (QAbstractScrollArea* area :
         {static_cast<QAbstractScrollArea*>(memo_), static_cast<QAbstractScrollArea*>(view_)}) {
        area->setFont(font);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        area->setPalette(colours);
    }
    view_->hide();
    // A window that was never filled holds one empty line.
    memoChanged_ = true;
    connect(memo_->document(), &QTextDocument::contentsChanged, this, [this] { memoChanged_ = true; });
    menuBar_->setNativeMenuBar(false);
    BuildMenus();
    BuildContextMenu();
    BuildFindBar();
    connect(memo_, &QPlainTextEdit::selectionChanged, this, &TextWindow::UpdateEditEnabling);
    connect(view_, &TextStoreView::selectionChanged, this, &TextWindow::UpdateEditEnabling);
    connect(view_, &TextStoreView::copyRequested, this, &TextWindow::Copy);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TextWindow::UpdateEditEnabling);
    owner_.installEventFilter(this);
    WatchSubWindow();
    UpdateEditEnabling();
}

TextWindow::~TextWindow() = default;

void TextWindow::ShowText(bool editable) {
    editing_ = editable;
    memo_->setVisible(editable);
    view_->setVisible(!editable);
    UpdateEditEnabling();
}

void TextWindow::Reset(bool oneEmptyLine) {
    store_ = TextStore(limits_);
    // One byte in a new store cannot be refused.
    if (oneEmptyLine) static_cast<void>(store_.Append(""));
    memo_->clear();
    memo_->document()->clearUndoRedoStacks();
    memo_->document()->setModified(false);
    memoChanged_ = false;
    noLines_ = false;
    view_->Reset();
    ShowText(false);
}

TextStore::Status TextWindow::Append(std::string_view line) {
    const TextStore::Status status = store_.Append(line);
    // A block of lines is as wide as its widest line.
    std::size_t widest = 0;
    for (std::size_t start = 0; start <= line.size();) {
        const std::size_t end = std::min(line.find('\n', start), line.size());
        widest = std::max(widest, end - start);
        start = end + 1;
    }
    view_->LinesAdded(widest);
    return status;
}

void TextWindow::Load(TextStore text) {
    store_ = std::move(text);
    memo_->clear();
    view_->Reset();
    ShowText(false);
    Complete();
}

void TextWindow::Complete() {
    view_->LinesAdded(0);
    if (editing_ || store_.ByteCount() + store_.LineCount() > EditableTextBytes) return;
    QString text;
    text.reserve(static_cast<qsizetype>(store_.ByteCount() + store_.LineCount()));
    const bool read = store_.ForEachLine([&](std::uint64_t index, std::string_view line) {
        if (index > 0) text += QLatin1Char('\n');
        text += QLatin1String(line.data(), static_cast<qsizetype>(line.size()));
        return true;
    });
    if (!read) return;
    memo_->setPlainText(text);
    memo_->document()->setModified(false);
    noLines_ = store_.LineCount() == 0;
    memoChanged_ = false;
    ShowText(true);
}

const TextStore& TextWindow::Text() {
    if (!editing_ || !memoChanged_) return store_;
    TextStore copy(MemoCopyLimits());
    if (!(noLines_ && memo_->document()->isEmpty())) {
        ForEachMemoLine(*memo_->document(), [&](const QString& line) {
            const QByteArray latin = line.toLatin1();
            // An unlimited store in memory refuses nothing.
            static_cast<void>(
                copy.Append(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size()))));
        });
    }
    store_ = std::move(copy);
    memoChanged_ = false;
    return store_;
}

QStringList TextWindow::Lines() const {
    QStringList out;
    if (editing_) {
        if (!(noLines_ && memo_->document()->isEmpty()))
            ForEachMemoLine(*memo_->document(), [&](const QString& line) { out += line; });
        return out;
    }
    static_cast<void>(store_.ForEachLine([&](std::uint64_t, std::string_view line) {
        out += QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        return true;
    }));
    return out;
}

std::uint64_t TextWindow::LineCount() const {
    return editing_ ? static_cast<std::uint64_t>(Lines().size()) : store_.LineCount();
}

bool TextWindow::Modified() const { return editing_ && memo_->document()->isModified(); }

void TextWindow::SetModified(bool modified) { memo_->document()->setModified(modified); }

bool TextWindow::Find(const QString& text, bool backward) {
    if (!editing_) return view_->Find(text, backward);
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (memo_->find(text, flags)) return true;
    const QTextCursor kept = memo_->textCursor();
    memo_->moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    if (memo_->find(text, flags)) return true;
    memo_->setTextCursor(kept);
    return false;
}

void TextWindow::Cut() {
    if (editing_) memo_->cut();
}

void TextWindow::Paste() {
    if (editing_) memo_->paste();
}

void TextWindow::Delete() {
    if (editing_) memo_->textCursor().removeSelectedText();
}

void TextWindow::SelectAll() {
    if (editing_)
        memo_->selectAll();
    else
        view_->SelectAll();
}

void TextWindow::Copy() {
    if (editing_) {
        memo_->copy();
        return;
    }
    if (!view_->HasSelection()) return;
    std::string text;
    bool whole = true;
    if (!SelectedText(store_, view_->SelectionStart(), view_->SelectionEnd(), MaxCopyBytes, text, whole)) {
        host_.Ui().Beep();
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    if (!whole)
        host_.Ui().Information(
            CopyCutShortMessage(static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n')) + 1));
}

QAction* TextWindow::AddItem(QMenu& menu, const QString& text, std::function<void()> handler) {
    QAction* action = menu.addAction(text);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return action;
}

void TextWindow::BuildMenus() {
    // The frame owns Ctrl+N, Ctrl+O and Alt+F4; here they are only shown beside the items.
    const auto frameKey = [this](const char* text, const char* keys) {
        return options_.frameShortcuts ? QString::fromLatin1(text) + QLatin1Char('\t') + QLatin1String(keys)
                                       : QString::fromLatin1(text);
    };
    const auto ownKey = [this](QAction* action, QKeySequence::StandardKey key) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        owner_.addAction(action);
    };
    QMenu& file = *menuBar_->addMenu(QStringLiteral("&File"));
    AddItem(file, frameKey("&New", "Ctrl+N"), [this] { host_.Actions().newNet->trigger(); });
    AddItem(file, frameKey("&Open", "Ctrl+O"), [this] { host_.Actions().open->trigger(); });
    if (options_.save)
        ownKey(AddItem(file, QStringLiteral("&Save"), [this] { options_.save(); }), QKeySequence::Save);
    AddItem(file, QStringLiteral("Save &As..."), [this] { options_.saveAs(); });
    QAction* print = AddItem(file, QStringLiteral("&Print"), [this] { Print1Click(); });
    if (options_.printShortcut) ownKey(print, QKeySequence::Print);
    AddItem(file, QStringLiteral("Prin&t Setup..."), [this] { PrintSetup1Click(); });
    AddItem(file, QStringLiteral("Options..."), [this] { host_.Actions().options->trigger(); });
    AddItem(file, frameKey("E&xit", "Alt+F4"), [this] { host_.Actions().exit->trigger(); });

    // The text answers these keys itself while it has the focus.
    QMenu& edit = *menuBar_->addMenu(QStringLiteral("&Edit"));
    cutActions_.push_back(AddItem(edit, QStringLiteral("Cu&t\tCtrl+X"), [this] { Cut(); }));
    copyActions_.push_back(AddItem(edit, QStringLiteral("&Copy\tCtrl+C"), [this] { Copy(); }));
    pasteActions_.push_back(AddItem(edit, QStringLiteral("&Paste\tCtrl+V"), [this] { Paste(); }));
    connect(&edit, &QMenu::aboutToShow, this, &TextWindow::UpdateEditEnabling);

    // Find has no menu item; it answers its keys anywhere in the window.
    const auto findKey = [this](QKeySequence::StandardKey key, std::function<void()> handler) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
        owner_.addAction(action);
    };
    findKey(QKeySequence::Find, [this] { ShowFindBar(); });
    findKey(QKeySequence::FindNext, [this] { FindFromBar(false); });
    findKey(QKeySequence::FindPrevious, [this] { FindFromBar(true); });
}

void TextWindow::BuildContextMenu() {
    popup_ = new QMenu(&owner_);
    cutActions_.push_back(AddItem(*popup_, QStringLiteral("Cut"), [this] { Cut(); }));
    copyActions_.push_back(AddItem(*popup_, QStringLiteral("Copy"), [this] { Copy(); }));
    pasteActions_.push_back(AddItem(*popup_, QStringLiteral("Paste"), [this] { Paste(); }));
    deleteActions_.push_back(AddItem(*popup_, QStringLiteral("Delete"), [this] { Delete(); }));
    AddItem(*popup_, QStringLiteral("Select All"), [this] { SelectAll(); });
    for (QAbstractScrollArea* area :
         {static_cast<QAbstractScrollArea*>(memo_), static_cast<QAbstractScrollArea*>(view_)}) {
        area->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(area, &QWidget::customContextMenuRequested, this, [this, area](const QPoint& at) {
            UpdateEditEnabling();
            popup_->popup(area->viewport()->mapToGlobal(at));
        });
    }
}

void TextWindow::BuildFindBar() {
    findBar_ = new QWidget(&owner_);
    findBar_->setObjectName(QStringLiteral("FindBar"));
    auto* row = new QHBoxLayout(findBar_);
    row->setContentsMargins(2, 2, 2, 2);
    findText_ = new QLineEdit(findBar_);
    findText_->setObjectName(QStringLiteral("FindText"));
    findText_->setPlaceholderText(QString::fromLatin1(FindPlaceholder));
    findText_->installEventFilter(this);
    row->addWidget(findText_, 1);
    const auto button = [&](const char* caption, std::function<void()> handler) {
        auto* b = new QToolButton(findBar_);
        b->setText(QString::fromLatin1(caption));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [handler = std::move(handler)] { handler(); });
        row->addWidget(b);
    };
    button(FindNextCaption, [this] { FindFromBar(false); });
    button(FindPreviousCaption, [this] { FindFromBar(true); });
    findStatus_ = new QLabel(findBar_);
    row->addWidget(findStatus_);
    button(FindCloseCaption, [this] { findBar_->hide(); });
    findBar_->hide();
}

void TextWindow::ShowFindBar() {
    findBar_->show();
    findText_->setFocus(Qt::ShortcutFocusReason);
    findText_->selectAll();
}

void TextWindow::FindFromBar(bool backward) {
    if (findText_->text().isEmpty()) {
        ShowFindBar();
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool found = Find(findText_->text(), backward);
    QGuiApplication::restoreOverrideCursor();
    findStatus_->setText(found ? QString() : QString::fromLatin1(FindNotFoundText));
}

void TextWindow::LayOut(const std::function<void(QWidget& tools, QBoxLayout& row)>& ownButtons) {
    auto* layout = new QVBoxLayout(&owner_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    auto* tools = new QWidget(&owner_);
    tools->setFixedHeight(ToolRowHeight);
    auto* row = new QHBoxLayout(tools);
    row->setContentsMargins(2, 2, 2, 2);
    ownButtons(*tools, *row);
    AddEditButtons(*row);
    row->addStretch();
    layout->addWidget(tools);
    layout->addWidget(memo_);
    layout->addWidget(view_);
    layout->addWidget(findBar_);
}

void TextWindow::AddEditButtons(QBoxLayout& row) {
    const auto add = [&](const char* name, const char* text, std::vector<QAction*>& group,
                         std::function<void()> operation) {
        auto* action = new QAction(QString::fromLatin1(text), this);
        connect(action, &QAction::triggered, this, [operation = std::move(operation)] { operation(); });
        group.push_back(action);
        auto* button = new QToolButton(&owner_);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action);
        button->setFocusPolicy(Qt::NoFocus);
        if (options_.buttonHints) AttachHint(*button, QString::fromLatin1(text));
        row.addWidget(button);
    };
    add("CopyButton", "Copy", copyActions_, [this] { Copy(); });
    add("CutButton", "Cut", cutActions_, [this] { Cut(); });
    add("PasteButton", "Paste", pasteActions_, [this] { Paste(); });
    UpdateEditEnabling();
}

void TextWindow::AttachHint(QWidget& widget, const QString& hint) {
    widget.setToolTip(hint);
    widget.installEventFilter(this);
    hints_.emplace_back(&widget, hint.toStdString());
}

void TextWindow::UpdateEditEnabling() {
    const bool selected = editing_ ? memo_->textCursor().hasSelection() : view_->HasSelection();
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const bool text = clip != nullptr && clip->hasText();
    const auto enable = [](const std::vector<QAction*>& group, bool on) {
        for (QAction* action : group)
            action->setEnabled(on);
    };
    enable(cutActions_, editing_ && selected);
    enable(copyActions_, selected);
    enable(pasteActions_, editing_ && text);
    enable(deleteActions_, editing_);
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &owner_) {
        if (event->type() == QEvent::ParentChange) WatchSubWindow();
        // Inside the frame only the sub-window's activation counts: every widget of the frame
        // hears WindowActivate when the program comes back to the front.
        if (event->type() == QEvent::WindowActivate && !subWindow_) Activated();
        return false;
    }
    if (watched == findText_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FindFromBar((key->modifiers() & Qt::ShiftModifier) != 0);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            findBar_->hide();
            if (editing_)
                memo_->setFocus();
            else
                view_->setFocus();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::Enter || event->type() == QEvent::Leave) {
        for (const auto& [widget, hint] : hints_)
            if (widget == watched) host_.ShowHint(event->type() == QEvent::Enter ? hint : std::string());
    }
    return false;
}

// Inside the frame the window is the widget of a sub-window, which is what gets activated.
void TextWindow::WatchSubWindow() {
    disconnect(subWindowActivation_);
    auto* sub = qobject_cast<QMdiSubWindow*>(owner_.parentWidget());
    subWindow_ = sub;
    if (sub != nullptr)
        subWindowActivation_ = connect(sub, &QMdiSubWindow::aboutToActivate, this, &TextWindow::Activated);
}

void TextWindow::Activated() {
    UpdateEditEnabling();
    if (options_.activated) options_.activated();
}

QPrinter& TextWindow::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TextWindow::PrintSetup1Click() { host_.Ui().AskPrinterSetup(Printer()); }

void TextWindow::Print1Click() {
    QPrinter& printer = Printer();
    if (!host_.Ui().AskPrinter(printer)) return;
    if (!PrintText(printer, Text(), memo_->font())) host_.Ui().Error(CannotPrintMessage);
}

void TextWindow::CloseWindow() {
    if (subWindow_)
        subWindow_->close();
    else
        owner_.close();
}

} // namespace plax
