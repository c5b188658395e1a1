#include "report_window.h"

#include "view/document_host.h"

#include "model/text_utils.h"
#include "procedures/report_file.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace plax {

namespace {

// A file with a NUL byte or a line of this size is no report; the text area would choke on it.
bool LooksLikeText(const std::vector<std::string>& lines) {
    return std::all_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.size() <= MaxReportLineLength && line.find('\0') == std::string::npos;
    });
}

} // namespace

std::string CannotLoadReportMessage(const std::string& fileName) {
    return " Cannot Load report text " + fileName;
}

std::string ReportChangedQuestion(const std::string& fileName) {
    return "Report text\r\n" + fileName + " has changes." + "\r\n" + "Do you wish to Save file?";
}

TReportForm::TReportForm(DocumentHost& host, QWidget* parent)
    : QWidget(parent), host_(host), text_(*this, host, host.State().reportFont,
                                          {.memoName = QStringLiteral("ReportMemo"),
                                           .save = [this] { return Save1Click(); },
                                           .saveAs = [this] { return SaveAs1Click(); },
                                           .activated = nullptr,
                                           .frameShortcuts = false,
                                           .printShortcut = false,
                                           .buttonHints = true}) {
    setWindowTitle(QString::fromLatin1(ReportWindowCaption));
    text_.LayOut([this](QWidget& tools, QBoxLayout& row) { BuildToolRow(tools, row); });
    resize(ReportWindowWidth, ReportWindowHeight);
}

TReportForm::~TReportForm() = default;

void TReportForm::BuildToolRow(QWidget& tools, QBoxLayout& row) {
    auto* close = new QPushButton(QStringLiteral("Close"), &tools);
    close->setObjectName(QStringLiteral("BitBtn1"));
    row.addWidget(close);
    connect(close, &QPushButton::clicked, this, [this] { text_.CloseWindow(); });
}

bool TReportForm::OpenFile(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines) || !LooksLikeText(lines)) {
        host_.Ui().Error(CannotLoadReportMessage(path));
        return false;
    }
    TextFiller& filler = text_.Filler();
    filler.Reset(false);
    for (const std::string& line : lines)
        filler.Add(TextLine(line));
    filler.Flush();
    fileName_ = path;
    setWindowTitle(QString::fromLatin1("Report Window : ") + TextLine(FileNameOf(path)));
    text_.SetModified(false);
    return true;
}

bool TReportForm::Save1Click() {
    if (!SaveTextLines(fileName_, Lines())) {
        host_.Ui().Error(CannotSaveFileMessage(fileName_));
        return false;
    }
    text_.SetModified(false);
    return true;
}

bool TReportForm::SaveAs1Click() {
    const auto path = host_.Ui().AskSavePath(TextFileFilter, TextFileExtension, fileName_);
    if (!path) return false;
    if (!SaveTextLines(*path, Lines())) {
        host_.Ui().Error(CannotSaveFileMessage(fileName_));
        return false;
    }
    setWindowTitle(QString::fromLatin1("Report Window : ") + TextLine(FileNameOf(*path)));
    return true;
}

bool TReportForm::FormCloseQuery() {
    if (!text_.Modified()) return true;
    return SaveQuestionAllowsClose(host_.Ui(), ReportChangedQuestion(fileName_), ConfirmCaption,
                                   [this] { return Save1Click(); });
}

void TReportForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace plax
