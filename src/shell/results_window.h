#pragma once

#include "progress_window.h"
#include "text_window.h"

#include "accounts/results_sink.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <string>

class QBoxLayout;
class QPushButton;

namespace plax {

class DocumentHost;

inline constexpr const char* ResultWindowCaption = "Result Window";
inline constexpr const char* AddToReportHint = "|Add Contents of Result Window to Report File";
inline constexpr int ResultWindowWidth = 544;
inline constexpr int ResultWindowHeight = 397;
// The Results texts' lines are at most about 72 characters: a new window shows that many whole.
inline constexpr int ResultWindowColumns = 76;

std::string ResultsChangedQuestion(const std::string& netName);

// The Results window of one procedure run: the text the procedure writes, Add to Report, Save
// As, printing, and the Stop button of a long run.
class TResultForm : public QWidget, public ResultsSink {
    Q_OBJECT
public:
    // Created hidden by the frame for one procedure run; `progress` is the frame's shared gauge.
    TResultForm(DocumentHost& host, TProgressBar& progress, QWidget* parent = nullptr);
    ~TResultForm() override;

    bool Opened() const { return opened_; }
    // The text, one entry per line; for tests and small texts.
    QStringList Lines() const { return text_.Lines(); }
    std::uint64_t LineCount() const { return text_.LineCount(); }
    // The limits of the text of the next run (tests and benchmarks make them small).
    void SetTextLimits(TextStore::Limits limits) { text_.SetLimits(std::move(limits)); }

    void AppendBtnClick();
    bool SaveAs1Click();

    // The window of the document whose procedure writes here: the frame places the window beside
    // it and goes back to it when the window closes.
    void SetSource(QWidget* document) { source_ = document; }
    QWidget* Source() const { return source_; }

signals:
    // DoOpen emits it; the frame then puts the window into its document area and shows it.
    void openRequested(TResultForm* form);

protected:
    bool DoOpen() override;
    void DoClear() override;
    bool DoAddLine(std::string_view text) override;
    bool DoAddBlock(std::string_view lines) override;
    void DoFinish() override;
    void DoStartLongRun() override;
    void DoPoll() override;
    void DoEndLongRun() override;
    void DoProgress(int percent) override;
    void DoCount(std::uint64_t done, std::uint64_t total) override;

    void closeEvent(QCloseEvent* event) override;

private:
    // Appends a line, or lines joined by their line ends, to the text.
    bool AppendText(std::string_view text);
    void BuildToolRow(QWidget& tools, QBoxLayout& row);
    void FormActivate();
    bool FormCloseQuery();

    DocumentHost& host_;
    TProgressBar& progress_;
    std::shared_ptr<const Clock> clock_; // the clock the header reads
    TextWindow text_;
    QPushButton* exitBtn_ = nullptr;   // child
    QPushButton* closeBtn_ = nullptr;  // child
    QPushButton* appendBtn_ = nullptr; // child
    std::string reportFile_;           // the net file's name until Add to Report makes it the .TXT name
    bool opened_ = false;
    QPointer<QWidget> source_;
};

} // namespace plax
