#include "report_file.h"

#include "model/file_io.h"
#include "model/text_utils.h"

namespace plax {

namespace {

const std::string Eol = "\r\n";

std::string WithLines(std::string text, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        text += line + Eol;
    return text;
}

} // namespace

std::string ReportFileName(const std::string& netFileName) {
    const std::string ext = UpperExtension(netFileName);
    return netFileName.substr(0, netFileName.size() - ext.size()) + ".TXT";
}

std::string AppendBanner(const std::string& netName) {
    return "    Report for NetWork " + netName + "    " + " (PLAX 2000) ";
}

std::string ReportBanner(const std::string& netName) {
    return CutText(CutText("    Report for NetWork " + netName, 123) + " PLAX 2000", 133);
}

bool AddToReport(std::string& reportFile, const std::string& netName, const std::vector<std::string>& lines,
                 UserMessages& messages) {
    reportFile = ReportFileName(reportFile);
    std::string text;
    // The whole file is rewritten beside the old one and renamed over it, so a failure
    // leaves the report as it was.
    const ReadStatus status = ReadFileLimited(reportFile, MaxReportFileSize, text);
    if (status == ReadStatus::CannotOpen && !FileExists(reportFile)) {
        text = AppendBanner(netName) + Eol;
    } else if (status != ReadStatus::Ok) {
        messages.Error(" Cannot append Result text to " + reportFile);
        return false;
    }
    if (!text.empty() && text.back() != '\n') text += Eol;
    if (WriteFileAtomically(reportFile, WithLines(std::move(text), lines)) != WriteStatus::Ok) {
        messages.Error(" Cannot append Result text to " + reportFile);
        return false;
    }
    return true;
}

std::string EnsureReportFile(const std::string& netFileName, const std::string& netName,
                             UserMessages& messages) {
    const std::string reportFile = ReportFileName(netFileName);
    if (FileExists(reportFile)) return reportFile;
    if (WriteFileAtomically(reportFile, ReportBanner(netName) + Eol) != WriteStatus::Ok) {
        messages.Error("Disk Error! \r\n Cannot open Report file " + reportFile);
        return {};
    }
    return reportFile;
}

bool ClearReport(const std::string& netFileName, const std::string& netName, UserMessages& messages) {
    const std::string reportFile = ReportFileName(netFileName);
    if (WriteFileAtomically(reportFile, ReportBanner(netName) + Eol) != WriteStatus::Ok) {
        messages.Error("Disk Error! \r\n Cannot Clear Report file " + reportFile);
        return false;
    }
    return true;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::string text;
    if (ReadFileLimited(path, MaxReportFileSize, text) != ReadStatus::Ok) return false;
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

} // namespace plax
