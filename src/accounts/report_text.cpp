#include "report_file.h"

#include "model/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plax {

namespace {

// A report holds lines of text; a "line" longer than this is no text, and is not gathered in memory.
constexpr std::size_t MaxLineBytes = std::size_t{16} << 20;

std::string ReadErrorReason(int error) { return "read error: " + std::string(std::strerror(error)); }

std::string StoreReason(TextStore::Status status) {
    switch (status) {
    case TextStore::Status::TooLarge: return "too large for the text store";
    case TextStore::Status::DiskFull: return "disk full";
    case TextStore::Status::DiskError: return "the text store's temporary file cannot be written";
    case TextStore::Status::Ok: break;
    }
    return {};
}

class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() { ::close(fd_); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int fd_;
};

// Gathers the bytes of the file into lines and hands each whole line to the store.
class LineSplitter {
public:
    explicit LineSplitter(TextStore& store) : store_(store) {}

    std::string Feed(std::string_view bytes) {
        // A report is text; a file with a zero byte is something else that happens to bear the name.
        if (bytes.find('\0') != std::string_view::npos) return "not a text file (it holds a zero byte)";
        for (auto end = bytes.find('\n'); end != std::string_view::npos; end = bytes.find('\n')) {
            std::string_view line = bytes.substr(0, end);
            if (!carry_.empty()) {
                carry_.append(line);
                line = carry_;
            }
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (const auto status = store_.Append(line); status != TextStore::Status::Ok)
                return StoreReason(status);
            carry_.clear();
            bytes.remove_prefix(end + 1);
        }
        if (carry_.size() + bytes.size() > MaxLineBytes) return "a line is longer than 16 MiB";
        carry_.append(bytes);
        return {};
    }

    std::string Finish() {
        if (carry_.empty()) return {};
        return StoreReason(store_.Append(carry_));
    }

private:
    TextStore& store_;
    std::string carry_; // the start of a line that runs on into the next piece
};

} // namespace

std::string ReadReportText(const std::string& path, TextStore& store) {
    store.Clear();
    // O_NONBLOCK: a FIFO under the name must not hang the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? "no such file" : ReadErrorReason(errno);
    const FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return ReadErrorReason(errno);
    if (!S_ISREG(st.st_mode)) return "not a regular file";
    LineSplitter splitter(store);
    std::string chunk(std::size_t{1} << 16, '\0');
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return ReadErrorReason(errno);
        if (n == 0) return splitter.Finish();
        if (std::string reason = splitter.Feed({chunk.data(), static_cast<std::size_t>(n)});
            !reason.empty()) {
            return reason;
        }
    }
}

} // namespace plax
