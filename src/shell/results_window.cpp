#include "results_window.h"

#include "view/document_host.h"

#include "accounts/procedure_texts.h"
#include "accounts/report_file.h"
#include "model/text_utils.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <exception>
#include <new>

namespace plax {

namespace {

// Room around the text inside the window: the text's frame and margins.
constexpr int ResultTextMargin = 12;

// A poll lets the events that are waiting run, for about a millisecond at most.
constexpr int PollEventsMs = 1;

QString StatusHint(const char* hint) {
    const QString text = QString::fromLatin1(hint);
    return text.mid(text.indexOf(QLatin1Char('|')) + 1);
}

} // namespace

std::string ResultsChangedQuestion(const std::string& netName) {
    return "Result text " + netName + " has changes." + "\r\n" + "Do you wish to Save file?";
}

TResultForm::TResultForm(DocumentHost& host, TProgressBar& progress, QWidget* parent)
    : QWidget(parent), ResultsSink(*host.State().clock, host.State().run), host_(host), progress_(progress),
      clock_(host.State().clock), text_(*this, host, host.State().resultFont,
                                        {.memoName = QStringLiteral("ResultMemo"),
                                         .textName = QStringLiteral("Results text"),
                                         .save = nullptr,
                                         .saveAs = [this] { return SaveAs1Click(); },
                                         .activated = [this] { FormActivate(); },
                                         .frameShortcuts = true,
                                         .printShortcut = true,
                                         .buttonHints = false}) {
    setWindowTitle(QString::fromLatin1(ResultWindowCaption));
    text_.LayOut([this](QWidget& tools, QBoxLayout& row) { BuildToolRow(tools, row); });
    const QFontMetrics metrics(host.State().resultFont);
    const int columns = metrics.horizontalAdvance(QString(ResultWindowColumns, QLatin1Char('0'))) +
                        style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * ResultTextMargin;
    resize(std::max(ResultWindowWidth, columns), ResultWindowHeight);
}

TResultForm::~TResultForm() = default;

void TResultForm::BuildToolRow(QWidget& tools, QBoxLayout& row) {
    const auto button = [&](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromLatin1(caption), &tools);
        b->setObjectName(QString::fromLatin1(name));
        row.addWidget(b);
        return b;
    };
    // Stop and Close share one place: Stop shows only while a search runs, Close once it ended.
    exitBtn_ = button("ExitBtn", "Stop");
    closeBtn_ = button("CloseBtn", "Close");
    appendBtn_ = button("AppendBtn", "Add to Report");
    exitBtn_->hide();
    closeBtn_->hide();
    text_.AttachHint(*appendBtn_, StatusHint(AddToReportHint));
    connect(exitBtn_, &QPushButton::clicked, this, [this] { host_.State().run.stop = 1; });
    connect(closeBtn_, &QPushButton::clicked, this, [this] { text_.CloseWindow(); });
    connect(appendBtn_, &QPushButton::clicked, this, &TResultForm::AppendBtnClick);
}

bool TResultForm::DoOpen() {
    try {
        text_.Reset(true);
        reportFile_ = FileName();
        exitBtn_->hide();
        opened_ = true;
        emit openRequested(this);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void TResultForm::DoClear() { text_.Reset(false); }

// A line the store refuses stops the run at its next poll; the lines before it stay.
bool TResultForm::DoAddLine(std::string_view text) { return AppendText(text); }

// The store splits a block at its line ends itself.
bool TResultForm::DoAddBlock(std::string_view lines) {
    return lines.empty() || AppendText(lines.substr(0, lines.size() - 1));
}

bool TResultForm::AppendText(std::string_view text) {
    try {
        if (const TextStore::Status status = text_.Append(text); status != TextStore::Status::Ok)
            StopForText(status);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void TResultForm::DoFinish() {
    text_.Complete();
    text_.SetModified(false);
    closeBtn_->show();
}

void TResultForm::DoStartLongRun() {
    appendBtn_->hide();
    closeBtn_->hide();
    exitBtn_->show();
    exitBtn_->setFocus();
}

// The view's refresh timer is among the events, so the text shown keeps up with the run.
void TResultForm::DoPoll() { QCoreApplication::processEvents(QEventLoop::AllEvents, PollEventsMs); }

void TResultForm::DoEndLongRun() {
    exitBtn_->hide();
    appendBtn_->show();
    progress_.HideGauge();
}

void TResultForm::DoProgress(int percent) { progress_.SetPercent(percent); }

void TResultForm::DoCount(std::uint64_t done, std::uint64_t total) { progress_.SetCount(done, total); }

void TResultForm::AppendBtnClick() {
    if (AddToReport(reportFile_, FileName(), NetName(), text_.Text(), host_.Ui())) text_.SetModified(false);
}

bool TResultForm::SaveAs1Click() {
    const auto path = host_.Ui().AskSavePath(TextFileFilter, TextFileExtension, std::string());
    if (!path) return false;
    if (!SaveText(*path, text_.Text())) {
        host_.Ui().Error(CannotSaveFileMessage(*path));
        return false;
    }
    setWindowTitle(QString::fromLatin1("Result Window : ") + TextLine(FileNameOf(*path)));
    text_.SetModified(false);
    return true;
}

void TResultForm::FormActivate() {
    if (opened_) setWindowTitle(TextLine(NetName()) + QStringLiteral("  Results"));
}

bool TResultForm::FormCloseQuery() {
    if (host_.State().run.busy != 0) {
        host_.Ui().Warning(ProcedureInProgressMessage);
        return false;
    }
    if (!text_.Modified()) return true;
    return SaveQuestionAllowsClose(host_.Ui(), ResultsChangedQuestion(NetName()), ConfirmCaption,
                                   [this] { return SaveAs1Click(); });
}

void TResultForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace plax
