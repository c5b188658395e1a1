#include "text_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace plax {

namespace {

// Spilled text is written and read in pieces of this size.
constexpr std::size_t FileChunk = std::size_t{1} << 20;

std::string TempDirectory(const std::string& chosen) {
    if (!chosen.empty()) return chosen;
    const char* env = std::getenv("TMPDIR");
    return env != nullptr && *env != '\0' ? env : "/tmp";
}

// A file that vanishes with its descriptor: nothing is left behind, whatever ends the program.
int OpenAnonymousFile(const std::string& dir) {
#ifdef O_TMPFILE
    const int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
#endif
    std::string pattern = dir + "/.plax-text-XXXXXX";
    const int named = ::mkstemp(pattern.data());
    if (named >= 0) ::unlink(pattern.c_str());
    return named;
}

TextStore::Status StatusOfErrno() {
    return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? TextStore::Status::DiskFull
                                                                : TextStore::Status::DiskError;
}

} // namespace

TextStore::TextStore(Limits limits) : limits_(std::move(limits)) {}

TextStore::~TextStore() { CloseFile(); }

TextStore::TextStore(TextStore&& other) noexcept
    : limits_(std::move(other.limits_)), buffer_(std::move(other.buffer_)),
      file_(std::exchange(other.file_, -1)), fileBytes_(std::exchange(other.fileBytes_, 0)),
      size_(std::exchange(other.size_, 0)), lineCount_(std::exchange(other.lineCount_, 0)),
      index_(std::move(other.index_)), status_(std::exchange(other.status_, Status::Ok)) {}

TextStore& TextStore::operator=(TextStore&& other) noexcept {
    if (this != &other) {
        CloseFile();
        limits_ = std::move(other.limits_);
        buffer_ = std::move(other.buffer_);
        file_ = std::exchange(other.file_, -1);
        fileBytes_ = std::exchange(other.fileBytes_, 0);
        size_ = std::exchange(other.size_, 0);
        lineCount_ = std::exchange(other.lineCount_, 0);
        index_ = std::move(other.index_);
        status_ = std::exchange(other.status_, Status::Ok);
    }
    return *this;
}

void TextStore::CloseFile() {
    if (file_ >= 0) ::close(file_);
    file_ = -1;
}

void TextStore::Clear() {
    CloseFile();
    std::string().swap(buffer_);
    std::vector<std::uint64_t>().swap(index_);
    fileBytes_ = size_ = lineCount_ = 0;
    status_ = Status::Ok;
}

TextStore::Status TextStore::Append(std::string_view line) {
    for (;;) {
        const auto end = line.find('\n');
        if (const Status status = AppendOne(line.substr(0, end)); status != Status::Ok) return status;
        if (end == std::string_view::npos) return Status::Ok;
        line.remove_prefix(end + 1);
    }
}

TextStore::Status TextStore::AppendOne(std::string_view line) {
    if (status_ != Status::Ok) return status_;
    if (size_ + line.size() + 1 > limits_.totalBytes) return status_ = Status::TooLarge;
    if (lineCount_ % IndexStep == 0) index_.push_back(size_);
    buffer_.append(line);
    buffer_.push_back('\n');
    size_ += line.size() + 1;
    ++lineCount_;
    if (!Spilled()) return buffer_.size() > limits_.memoryBytes ? Spill() : Status::Ok;
    return buffer_.size() >= FileChunk ? Flush() : Status::Ok;
}

TextStore::Status TextStore::Spill() {
    file_ = OpenAnonymousFile(TempDirectory(limits_.tempDir));
    if (file_ < 0) return status_ = StatusOfErrno();
    const Status status = Flush();
    // The memory that held the small text is given back; the file takes the rest.
    if (status == Status::Ok) std::string().swap(buffer_);
    return status;
}

TextStore::Status TextStore::Flush() {
    std::size_t done = 0;
    Status status = Status::Ok;
    while (done < buffer_.size()) {
        const ssize_t n = ::pwrite(file_, buffer_.data() + done, buffer_.size() - done,
                                   static_cast<off_t>(fileBytes_ + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            status = n == 0 ? Status::DiskError : StatusOfErrno();
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    // What was written leaves memory; what was not stays readable there.
    buffer_.erase(0, done);
    fileBytes_ += done;
    if (status != Status::Ok) status_ = status;
    return status;
}

bool TextStore::ReadBytes(std::uint64_t offset, std::size_t want, std::string& out) const {
    out.clear();
    if (offset >= size_) return true;
    want = static_cast<std::size_t>(std::min<std::uint64_t>(want, size_ - offset));
    out.resize(want);
    std::size_t got = 0;
    while (got < want && offset + got < fileBytes_) {
        const std::size_t fromFile =
            static_cast<std::size_t>(std::min<std::uint64_t>(want - got, fileBytes_ - offset - got));
        const ssize_t n = ::pread(file_, out.data() + got, fromFile, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    if (got < want)
        buffer_.copy(out.data() + got, want - got, static_cast<std::size_t>(offset + got - fileBytes_));
    return true;
}

bool TextStore::ForEachLine(std::uint64_t first, const Visitor& visit) const {
    if (first >= lineCount_) return true;
    std::uint64_t line = first - first % IndexStep;
    std::uint64_t offset = index_[static_cast<std::size_t>(first / IndexStep)];
    std::string chunk;
    std::string carry; // the start of a line that runs on into the next chunk
    // A window of a few lines reads little; a long walk reads in large pieces.
    std::size_t want = std::size_t{1} << 14;
    while (offset < size_) {
        if (!ReadBytes(offset, want, chunk)) return false;
        want = std::min(want * 2, FileChunk);
        offset += chunk.size();
        std::string_view rest(chunk);
        for (auto end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
            std::string_view text = rest.substr(0, end);
            if (!carry.empty()) {
                carry.append(text);
                text = carry;
            }
            if (line >= first && !visit(line, text)) return true;
            ++line;
            carry.clear();
            rest.remove_prefix(end + 1);
        }
        carry.append(rest);
    }
    return true;
}

bool TextStore::ReadLines(std::uint64_t first, std::size_t count, std::vector<std::string>& out) const {
    out.clear();
    if (count == 0) return true;
    return ForEachLine(first, [&](std::uint64_t, std::string_view line) {
        out.emplace_back(line);
        return out.size() < count;
    });
}

std::string TextStore::Line(std::uint64_t index) const {
    std::vector<std::string> lines;
    if (!ReadLines(index, 1, lines) || lines.empty()) return {};
    return std::move(lines.front());
}

std::string TextStoreStopText(TextStore::Status status) {
    switch (status) {
    case TextStore::Status::TooLarge:
        return "The Results text has reached its largest size.\r\nProcedure stopped. ";
    case TextStore::Status::DiskFull: return "No space left on the disk for the Results text.\r\nProcedure stopped. ";
    case TextStore::Status::DiskError:
        return "The Results text cannot be kept: its temporary file cannot be written.\r\nProcedure stopped. ";
    case TextStore::Status::Ok: break;
    }
    return {};
}

} // namespace plax
