#include "report_file.h"

#include "report_lock.h"

#include "model/file_io.h"
#include "model/text_utils.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace plax {

namespace {

const std::string Eol = "\r\n";
const std::string NetFileItself = ": it is the net file itself";

std::string CannotAppendMessage(const std::string& reportFile) {
    return " Cannot append Result text to " + reportFile;
}
std::string CannotOpenReportMessage(const std::string& reportFile) {
    return "Disk Error! \r\n Cannot open Report file " + reportFile;
}
std::string CannotClearReportMessage(const std::string& reportFile) {
    return "Disk Error! \r\n Cannot Clear Report file " + reportFile;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Show Report and Clear Report know the net's file name.
bool IsNetFile(const std::string& netFile, const std::string& reportFile) {
    return netFile == reportFile || SameFile(netFile, reportFile);
}

// Streams the old report into the new file, ending its last line if it is not ended.
bool CopyReport(int fd, AtomicFileWriter& writer) {
    std::string chunk(std::size_t{1} << 16, '\0');
    char last = '\n';
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        const std::string_view got(chunk.data(), static_cast<std::size_t>(n));
        if (!writer.Write(got)) return false;
        last = got.back();
    }
    return last == '\n' || writer.Write(Eol);
}

bool WriteLines(const TextStore& text, AtomicFileWriter& writer) {
    bool written = true;
    const bool read = text.ForEachLine([&](std::uint64_t, std::string_view line) {
        written = writer.Write(line) && writer.Write(Eol);
        return written;
    });
    return read && written;
}

bool AppendLocked(ReportLock& lock, const std::string& reportFile, const std::string& netName,
                  const TextStore& text) {
    AtomicFileWriter writer(reportFile);
    if (!writer.Opened()) return false;
    const bool old =
        lock.Created() ? writer.Write(AppendBanner(netName) + Eol) : CopyReport(lock.Fd(), writer);
    if (!old || !WriteLines(text, writer) || writer.Commit() != WriteStatus::Ok) return false;
    lock.Keep();
    return true;
}

bool WriteBanner(ReportLock& lock, const std::string& reportFile, const std::string& banner) {
    AtomicFileWriter writer(reportFile);
    if (!writer.Write(banner + Eol) || writer.Commit() != WriteStatus::Ok) return false;
    lock.Keep();
    return true;
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

std::string AppendToNetFileMessage(const std::string& reportFile) {
    return CannotAppendMessage(reportFile) + NetFileItself;
}
std::string OpenNetFileAsReportMessage(const std::string& reportFile) {
    return CannotOpenReportMessage(reportFile) + NetFileItself;
}
std::string ClearNetFileAsReportMessage(const std::string& reportFile) {
    return CannotClearReportMessage(reportFile) + NetFileItself;
}
std::string IncompleteTextMessage(const std::string& reportFile) {
    return CannotAppendMessage(reportFile) + ": the Results text is incomplete";
}

bool AddToReport(std::string& reportFile, const std::string& netFile, const std::string& netName,
                 const TextStore& text, UserMessages& messages) {
    reportFile = ReportFileName(reportFile);
    if (!netFile.empty() && IsNetFile(netFile, reportFile)) {
        messages.Error(AppendToNetFileMessage(reportFile));
        return false;
    }
    ReportLock lock(reportFile);
    if (!lock.Held()) {
        messages.Error(CannotAppendMessage(reportFile));
        return false;
    }
    if (!AppendLocked(lock, reportFile, netName, text)) {
        messages.Error(CannotAppendMessage(reportFile));
        return false;
    }
    return true;
}

std::string EnsureReportFile(const std::string& netFileName, const std::string& netName,
                             UserMessages& messages) {
    const std::string reportFile = ReportFileName(netFileName);
    if (IsNetFile(netFileName, reportFile)) {
        messages.Error(OpenNetFileAsReportMessage(reportFile));
        return {};
    }
    ReportLock lock(reportFile);
    if (!lock.Held() || (lock.Created() && !WriteBanner(lock, reportFile, ReportBanner(netName)))) {
        messages.Error(CannotOpenReportMessage(reportFile));
        return {};
    }
    return reportFile;
}

bool ClearReport(const std::string& netFileName, const std::string& netName, UserMessages& messages) {
    const std::string reportFile = ReportFileName(netFileName);
    if (IsNetFile(netFileName, reportFile)) {
        messages.Error(ClearNetFileAsReportMessage(reportFile));
        return false;
    }
    ReportLock lock(reportFile);
    if (!lock.Held() || !WriteBanner(lock, reportFile, ReportBanner(netName))) {
        messages.Error(CannotClearReportMessage(reportFile));
        return false;
    }
    return true;
}

} // namespace plax
