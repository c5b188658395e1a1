#pragma once

#include "model/user_messages.h"
#include "accounts/text_store.h"

#include <cstddef>
#include <string>
#include <vector>

namespace plax {

// The report file of a net file: its extension replaced by ".TXT" (appended when it has none).
std::string ReportFileName(const std::string& netFileName);

// The first line of a report file made by Add to Report, and by Show Report or Clear Report.
std::string AppendBanner(const std::string& netName);
std::string ReportBanner(const std::string& netName);

// The refusals of the three report commands when the report's name leads to the net file itself
// (a net saved as NAME.TXT, or a link), whose text must not overwrite the net.
std::string AppendToNetFileMessage(const std::string& reportFile);
std::string OpenNetFileAsReportMessage(const std::string& reportFile);
std::string ClearNetFileAsReportMessage(const std::string& reportFile);
// plax-cli's refusal to add a text that its store could not keep whole.
std::string IncompleteTextMessage(const std::string& reportFile);

// Add to Report: `reportFile` holds the net's file name on the first call and is turned into
// the report file's name, which later calls pass again. A missing file gets the banner first;
// then every line of `text` is appended. The old report and the text are streamed into a new
// file renamed over the old one, under an exclusive lock, so concurrent appends all arrive
// whole and a failure leaves the report as it was. Refused when the report would be the net
// file `netFile` itself (a net saved as NAME.TXT, or a link to it); "" skips that test.
[[nodiscard]] bool AddToReport(std::string& reportFile, const std::string& netFile,
                               const std::string& netName, const TextStore& text, UserMessages& messages);

// Show Report's first step: makes the report file with its banner when there is none.
// Answers the report file's name, or "" after a disk error or a refusal (already shown).
std::string EnsureReportFile(const std::string& netFileName, const std::string& netName,
                             UserMessages& messages);

// Clear Report: the report file made anew, holding only its banner.
[[nodiscard]] bool ClearReport(const std::string& netFileName, const std::string& netName,
                               UserMessages& messages);

// Streams the text file at `path` into `store` (cleared first): lines split at "\n", a "\r"
// before it dropped, a last line without line end kept, bytes as they are. Answers "" on
// success, else a short reason to show after " Cannot Load report text " + path + "\r\n".
[[nodiscard]] std::string ReadReportText(const std::string& path, TextStore& store);

} // namespace plax
