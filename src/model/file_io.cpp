#include "file_io.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace plax {

namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    int fd_;
};

std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
    }
    return path;
}

int CreateTemp(const std::string& target, std::string& tempPath) {
    const auto slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = dir + "." + name + ".tmp" + std::to_string(random() % 1000000000u);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const std::string& path) {
    if (path.empty()) return;
    target_ = ResolveTarget(path);
    struct stat old {};
    existed_ = ::stat(target_.c_str(), &old) == 0;
    if (existed_ && S_ISDIR(old.st_mode)) return;
    existingMode_ = old.st_mode & 07777;
    fd_ = CreateTemp(target_, tempPath_);
    if (fd_ >= 0 && existed_) (void)::fchmod(fd_, existingMode_);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !tempPath_.empty()) ::unlink(tempPath_.c_str());
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0 || failed_) return false;
    // Small pieces (a line at a time) are gathered so the disk sees large writes.
    constexpr std::size_t Chunk = 1u << 16;
    if (buffer_.size() + bytes.size() < Chunk) {
        buffer_.append(bytes);
        return true;
    }
    if (!Flush() || !WriteAll(fd_, bytes)) failed_ = true;
    return !failed_;
}

bool AtomicFileWriter::Flush() {
    const bool ok = WriteAll(fd_, buffer_);
    buffer_.clear();
    return ok;
}

WriteStatus AtomicFileWriter::Commit() {
    if (fd_ < 0) return WriteStatus::CannotCreate;
    const bool written = !failed_ && Flush() && ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!written || !closed || ::rename(tempPath_.c_str(), target_.c_str()) != 0) return WriteStatus::CannotWrite;
    committed_ = true;
    return WriteStatus::Ok;
}

WriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    if (!writer.Opened()) return WriteStatus::CannotCreate;
    if (!writer.Write(bytes)) return WriteStatus::CannotWrite;
    return writer.Commit();
}

ReadStatus ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& out) {
    out.clear();
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int fd = file.get();
    if (fd < 0) return ReadStatus::CannotOpen;
    struct stat st {};
    if (::fstat(fd, &st) != 0) return ReadStatus::ReadError;
    if (S_ISDIR(st.st_mode)) return ReadStatus::CannotOpen;
    // Read in chunks up to one byte past the limit: sizes of pipes and special files lie.
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return ReadStatus::ReadError;
        if (n == 0) break;
        if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
            out.clear();
            return ReadStatus::TooLarge;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    return ReadStatus::Ok;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace plax
