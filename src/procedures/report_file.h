#pragma once

#include "model/user_messages.h"

#include <cstddef>
#include <string>
#include <vector>

namespace plax {

// Report files collect Results texts; they are read whole, so they are held to a sane size.
inline constexpr std::size_t MaxReportFileSize = 64u * 1024u * 1024u;

// The report file of a net file: its extension replaced by ".TXT" (appended when it has none).
std::string ReportFileName(const std::string& netFileName);

// The first line of a report file made by Add to Report, and by Show Report or Clear Report.
std::string AppendBanner(const std::string& netName);
std::string ReportBanner(const std::string& netName);

// Add to Report: `reportFile` (the window's report file name) becomes the report file's name;
// a missing file gets the banner first; then every line is appended.
bool AddToReport(std::string& reportFile, const std::string& netName, const std::vector<std::string>& lines,
                 UserMessages& messages);

// Show Report's first step: makes the report file with its banner when there is none.
// Answers the report file's name, or "" after a disk error (already shown).
std::string EnsureReportFile(const std::string& netFileName, const std::string& netName,
                             UserMessages& messages);

// Clear Report: the report file made anew, holding only its banner.
bool ClearReport(const std::string& netFileName, const std::string& netName, UserMessages& messages);

// The lines of a text file, for the Report window; false when it cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

} // namespace plax
