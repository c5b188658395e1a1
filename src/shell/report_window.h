#pragma once

#include "text_window.h"

#include <QStringList>
#include <QWidget>

#include <string>

class QBoxLayout;

namespace plax {

class DocumentHost;

inline constexpr const char* ReportWindowCaption = "Report";
inline constexpr int ReportWindowWidth = 558;
inline constexpr int ReportWindowHeight = 382;
// The refusal of a report file, with the reason the reader gave.
std::string CannotLoadReportMessage(const std::string& fileName, const std::string& reason);
std::string ReportChangedQuestion(const std::string& fileName);

// A report file in a window of its own: the user reads, edits, saves and prints it.
class TReportForm : public QWidget {
    Q_OBJECT
public:
    explicit TReportForm(DocumentHost& host, QWidget* parent = nullptr);
    ~TReportForm() override;

    // Loads the file; on failure shows the error and answers false.
    bool OpenFile(const std::string& path);
    // Save (the frame's Save button calls it too).
    bool Save1Click();
    // Writes a copy elsewhere; the window goes on saving to the file it shows.
    bool SaveAs1Click();
    QStringList Lines() const { return text_.Lines(); }
    const std::string& FileName() const { return fileName_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolRow(QWidget& tools, QBoxLayout& row);
    bool FormCloseQuery();

    DocumentHost& host_;
    TextWindow text_;
    std::string fileName_; // the report file the window shows and saves to
};

} // namespace plax
