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

// Removes the temporary file unless it was renamed into place.
class TempFile {
public:
    TempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (fd_.get() >= 0) fd_.Close();
        if (!kept_) ::unlink(path_.c_str());
    }
    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }
    bool Close() { return fd_.Close(); }
    void Keep() { kept_ = true; }

private:
    UniqueFd fd_;
    std::string path_;
    bool kept_ = false;
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

WriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) return WriteStatus::CannotCreate;
    const std::string target = ResolveTarget(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode)) return WriteStatus::CannotCreate;

    std::string tempPath;
    const int fd = CreateTemp(target, tempPath);
    if (fd < 0) return WriteStatus::CannotCreate;
    TempFile temp(fd, tempPath);
    if (existed) (void)::fchmod(temp.fd(), old.st_mode & 07777);
    if (!WriteAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || !temp.Close()) {
        return WriteStatus::CannotWrite;
    }
    if (::rename(temp.path().c_str(), target.c_str()) != 0) return WriteStatus::CannotWrite;
    temp.Keep();
    return WriteStatus::Ok;
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
