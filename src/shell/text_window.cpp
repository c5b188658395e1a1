#include "text_window.h"

#include "view/document_host.h"

#include "model/file_io.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
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
#include <utility>

namespace plax {

namespace {

// The height of the row of buttons above the text.
constexpr int ToolRowHeight = 30;

const std::string Eol = "\r\n";

// One insert should stay near a millisecond; the batch follows the text area's speed.
constexpr qint64 FastInsertNs = 500'000;
constexpr qint64 SlowInsertNs = 1'500'000;
constexpr std::size_t MinBatch = 16;
constexpr std::size_t MaxBatch = 16384;

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

bool SaveTextLines(const std::string& path, const QStringList& lines) {
    std::string bytes;
    std::size_t size = 0;
    for (const QString& line : lines)
        size += static_cast<std::size_t>(line.size()) + Eol.size();
    bytes.reserve(size);
    for (const QString& line : lines) {
        const QByteArray latin = line.toLatin1();
        bytes.append(latin.constData(), static_cast<std::size_t>(latin.size()));
        bytes += Eol;
    }
    return WriteFileAtomically(path, bytes) == WriteStatus::Ok;
}

bool PrintTextLines(QPrinter& printer, const QStringList& lines, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setFont(PrinterFont(font));
    const QFontMetrics metrics = painter.fontMetrics();
    const int step = std::max(1, metrics.lineSpacing());
    const int pageHeight = printer.height();
    int y = 0;
    for (const QString& line : lines) {
        if (y > 0 && y + step > pageHeight) {
            if (!printer.newPage()) return false;
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += step;
    }
    return painter.end();
}

TextFiller::TextFiller(QPlainTextEdit& memo) : memo_(memo) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // After every chunk the event loop gets a turn of its own before the next one.
        if (!std::exchange(justFlushed_, false)) Flush();
    });
}

void TextFiller::Reset(bool oneEmptyLine) {
    pending_ = {};
    head_ = 0;
    timer_.stop();
    memo_.clear();
    memo_.document()->setUndoRedoEnabled(true);
    memo_.document()->setModified(false);
    noLines_ = !oneEmptyLine;
}

void TextFiller::Add(QString line) {
    pending_.push_back(std::move(line));
    if (!timer_.isActive()) timer_.start();
}

void TextFiller::Flush(int budgetMs) {
    if (!Filling()) {
        timer_.stop();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    QTextDocument& doc = *memo_.document();
    const bool modified = doc.isModified();
    const int caret = memo_.textCursor().position();
    const int anchor = memo_.textCursor().anchor();
    // Filling is not an edit the user could undo.
    doc.setUndoRedoEnabled(false);
    QTextCursor end(&doc);
    end.movePosition(QTextCursor::End);
    // One edit block: the text area recounts its size and scroll bars once per step, not per insert.
    end.beginEditBlock();
    const qint64 budgetNs = qint64{budgetMs} * 1'000'000;
    qint64 took = 0;
    do {
        QElapsedTimer step;
        step.start();
        end.insertText(NextChunk(noLines_ && doc.isEmpty()));
        noLines_ = false;
        took = step.nsecsElapsed();
        if (took < FastInsertNs) batch_ = std::min(batch_ * 2, MaxBatch);
        if (took > SlowInsertNs) batch_ = std::max(batch_ / 2, MinBatch);
    } while (Filling() && clock.nsecsElapsed() + took < budgetNs); // stop before an insert would overrun
    end.endEditBlock();
    justFlushed_ = true;
    doc.setModified(modified);
    // The caret stays where the user left it, not at the end of what came in.
    if (memo_.textCursor().position() != caret || memo_.textCursor().anchor() != anchor) {
        QTextCursor restored(&doc);
        restored.setPosition(anchor);
        restored.setPosition(caret, QTextCursor::KeepAnchor);
        memo_.setTextCursor(restored);
    }
    if (!Filling()) Drained();
}

QString TextFiller::NextChunk(bool first) {
    const std::size_t count = std::min(batch_, pending_.size() - head_);
    qsizetype size = static_cast<qsizetype>(count);
    for (std::size_t i = head_; i < head_ + count; ++i)
        size += pending_[i].size();
    QString chunk;
    chunk.reserve(size);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 || !first) chunk += QLatin1Char('\n');
        chunk += pending_[head_ + i];
        pending_[head_ + i] = QString();
    }
    head_ += count;
    return chunk;
}

void TextFiller::Drained() {
    pending_ = {};
    head_ = 0;
    timer_.stop();
    memo_.document()->setUndoRedoEnabled(true);
}

QStringList TextFiller::Lines() const {
    QStringList out;
    const QTextDocument& doc = *memo_.document();
    if (!(noLines_ && doc.isEmpty())) {
        out.reserve(doc.blockCount() + static_cast<qsizetype>(pending_.size() - head_));
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            // Shift+Enter breaks a line inside a block; it is a line end all the same.
            if (text.contains(QChar::LineSeparator))
                out += text.split(QChar::LineSeparator);
            else
                out += text;
        }
    }
    for (std::size_t i = head_; i < pending_.size(); ++i)
        out += pending_[i];
    return out;
}

TextWindow::TextWindow(QWidget& owner, DocumentHost& host, const QFont& font, TextWindowOptions options)
    : owner_(owner), host_(host), options_(std::move(options)), memo_(new QPlainTextEdit(&owner)),
      menuBar_(new QMenuBar(&owner)), filler_(std::make_unique<TextFiller>(*memo_)) {
    memo_->setObjectName(options_.memoName);
    memo_->setFont(font);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette colours = memo_->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    memo_->setPalette(colours);
    menuBar_->setNativeMenuBar(false);
    BuildMenus();
    BuildContextMenu();
    connect(memo_, &QPlainTextEdit::selectionChanged, this, &TextWindow::UpdateEditEnabling);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TextWindow::UpdateEditEnabling);
    owner_.installEventFilter(this);
    WatchSubWindow();
    UpdateEditEnabling();
}

TextWindow::~TextWindow() = default;

bool TextWindow::Modified() const { return memo_->document()->isModified(); }

void TextWindow::SetModified(bool modified) { memo_->document()->setModified(modified); }

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
    AddItem(file, frameKey("&New", "Ctrl+N"), [this] { host_.NewNet(); });
    AddItem(file, frameKey("&Open", "Ctrl+O"), [this] { host_.OpenNet(); });
    if (options_.save)
        ownKey(AddItem(file, QStringLiteral("&Save"), [this] { options_.save(); }), QKeySequence::Save);
    AddItem(file, QStringLiteral("Save &As..."), [this] { options_.saveAs(); });
    QAction* print = AddItem(file, QStringLiteral("&Print"), [this] { Print1Click(); });
    if (options_.printShortcut) ownKey(print, QKeySequence::Print);
    AddItem(file, QStringLiteral("Prin&t Setup..."), [this] { PrintSetup1Click(); });
    AddItem(file, QStringLiteral("Options..."), [this] { host_.ShowOptions(); })->setEnabled(false);
    AddItem(file, frameKey("E&xit", "Alt+F4"), [this] { host_.ExitProgram(); });

    // The text area answers these keys itself while it has the focus.
    QMenu& edit = *menuBar_->addMenu(QStringLiteral("&Edit"));
    cutActions_.push_back(AddItem(edit, QStringLiteral("Cu&t\tCtrl+X"), [this] { memo_->cut(); }));
    copyActions_.push_back(AddItem(edit, QStringLiteral("&Copy\tCtrl+C"), [this] { memo_->copy(); }));
    pasteActions_.push_back(AddItem(edit, QStringLiteral("&Paste\tCtrl+V"), [this] { memo_->paste(); }));
    connect(&edit, &QMenu::aboutToShow, this, &TextWindow::UpdateEditEnabling);
}

void TextWindow::BuildContextMenu() {
    popup_ = new QMenu(memo_);
    cutActions_.push_back(AddItem(*popup_, QStringLiteral("Cut"), [this] { memo_->cut(); }));
    copyActions_.push_back(AddItem(*popup_, QStringLiteral("Copy"), [this] { memo_->copy(); }));
    pasteActions_.push_back(AddItem(*popup_, QStringLiteral("Paste"), [this] { memo_->paste(); }));
    AddItem(*popup_, QStringLiteral("Delete"), [this] { memo_->textCursor().removeSelectedText(); });
    AddItem(*popup_, QStringLiteral("Select All"), [this] { memo_->selectAll(); });
    memo_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        UpdateEditEnabling();
        popup_->popup(memo_->viewport()->mapToGlobal(at));
    });
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
}

void TextWindow::AddEditButtons(QBoxLayout& row) {
    const auto add = [&](const char* name, const char* text, std::vector<QAction*>& group,
                         void (QPlainTextEdit::*operation)()) {
        auto* action = new QAction(QString::fromLatin1(text), this);
        connect(action, &QAction::triggered, memo_, operation);
        group.push_back(action);
        auto* button = new QToolButton(&owner_);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action);
        button->setFocusPolicy(Qt::NoFocus);
        if (options_.buttonHints) AttachHint(*button, QString::fromLatin1(text));
        row.addWidget(button);
    };
    add("CopyButton", "Copy", copyActions_, &QPlainTextEdit::copy);
    add("CutButton", "Cut", cutActions_, &QPlainTextEdit::cut);
    add("PasteButton", "Paste", pasteActions_, &QPlainTextEdit::paste);
    UpdateEditEnabling();
}

void TextWindow::AttachHint(QWidget& widget, const QString& hint) {
    widget.setToolTip(hint);
    widget.installEventFilter(this);
    hints_.emplace_back(&widget, hint.toStdString());
}

void TextWindow::UpdateEditEnabling() {
    const bool selected = memo_->textCursor().hasSelection();
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    const bool text = clip != nullptr && clip->hasText();
    for (QAction* action : cutActions_)
        action->setEnabled(selected);
    for (QAction* action : copyActions_)
        action->setEnabled(selected);
    for (QAction* action : pasteActions_)
        action->setEnabled(text);
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &owner_) {
        if (event->type() == QEvent::ParentChange) WatchSubWindow();
        // Inside the frame only the sub-window's activation counts: every widget of the frame
        // hears WindowActivate when the program comes back to the front.
        if (event->type() == QEvent::WindowActivate && !subWindow_) Activated();
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
    if (!PrintTextLines(printer, Lines(), memo_->font())) host_.Ui().Error(CannotPrintMessage);
}

void TextWindow::CloseWindow() {
    if (subWindow_)
        subWindow_->close();
    else
        owner_.close();
}

} // namespace plax
