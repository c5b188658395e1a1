#include "report_window.h"

#include "view/document_host.h"

#include "accounts/report_file.h"
#include "model/text_utils.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

namespace plax {

std::string CannotLoadReportMessage(const std::string& fileName, const std::string& reason) {
    return " Cannot Load report text " + fileName + "\r\n" + reason;
}

std::string ReportChangedQuestion(const std::string& fileName) {
    return "Report text\r\n" + fileName + " has changes." + "\r\n" + "Do you wish to Save file?";
}

TReportForm::TReportForm(DocumentHost& host, QWidget* parent)
    : QWidget(parent), host_(host), text_(*this, host, host.State().reportFont,
                                          {.memoName = QStringLiteral("ReportMemo"),
                                           .textName = QStringLiteral("Report text"),
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
    TextStore text;
    if (const std::string reason = ReadReportText(path, text); !reason.empty()) {
        host_.Ui().Error(CannotLoadReportMessage(path, reason));
        return false;
    }
    text_.Load(std::move(text));
    fileName_ = path;
    setWindowTitle(QString::fromLatin1("Report Window : ") + TextLine(FileNameOf(path)));
    text_.SetModified(false);
    return true;
}

bool TReportForm::Save1Click() {
    if (!SaveText(fileName_, text_.Text())) {
        host_.Ui().Error(CannotSaveFileMessage(fileName_));
        return false;
    }
    text_.SetModified(false);
    return true;
}

bool TReportForm::SaveAs1Click() {
    const auto path = host_.Ui().AskSavePath(TextFileFilter, TextFileExtension, fileName_);
    if (!path) return false;
    if (!SaveText(*path, text_.Text())) {
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
