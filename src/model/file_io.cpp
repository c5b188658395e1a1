#include "file_io.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace plax {

namespace {

// New files are made beside their target under this prefix, the writer's process id and six
// letters (".plax-4711-Ab3xYz"), and stay locked while they are written: a later save can tell
// the file of a writer that was killed and remove it.
constexpr std::string_view TempFilePrefix = ".plax-";

#ifdef O_PATH
constexpr int DirectoryOpenFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int DirectoryOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

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

// Where a save lands: the path itself, or the file its chain of symbolic links names, even
// when that file does not exist yet (it is then created there and the links stay). Empty when
// the chain is longer than the system would follow, which is also how a loop ends.
std::string ResolveTarget(std::string path) {
    constexpr int MaxLinkHops = 40;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return {};
        link.resize(static_cast<std::size_t>(n));
        const auto slash = path.find_last_of('/');
        path = link.front() == '/' || slash == std::string::npos ? link : path.substr(0, slash + 1) + link;
    }
    return {};
}

// The directory part of `path` ("." when there is none) and the name inside it.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A new file with a short name of its own in the directory `dirFd`, so that a target whose
// name or path is as long as the system allows still has room beside it.
int CreateTemp(int dirFd, std::string& tempName, int access = O_WRONLY) {
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Letters - 2);
    for (int attempt = 0; attempt < 64; ++attempt) {
        tempName = std::string(TempFilePrefix) + std::to_string(::getpid()) + "-";
        for (int k = 0; k < 6; ++k)
            tempName += Letters[pick(random)];
        const int fd = ::openat(dirFd, tempName.c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The process id in a temporary file's name, or 0 for any other name.
pid_t WriterOf(std::string_view name) {
    if (name.substr(0, TempFilePrefix.size()) != TempFilePrefix) return 0;
    name.remove_prefix(TempFilePrefix.size());
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (ec != std::errc() || end == name.data() + name.size() || *end != '-' || pid <= 0) return 0;
    return pid;
}

// Removes the temporary files in `dirFd` whose writer is gone: no process has its id, and no one
// holds the file's lock (the id may be of another machine sharing the folder).
void RemoveDeadTemps(int dirFd) {
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return;
    }
    std::vector<std::string> dead;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t pid = WriterOf(entry->d_name);
        if (pid == 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        UniqueFd file(::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st {};
        if (file.get() >= 0 && ::fstat(file.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            dead.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : dead)
        ::unlinkat(dirFd, name.c_str(), 0);
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
    const std::string target = ResolveTarget(path);
    if (target.empty()) return;
    struct stat old {};
    existed_ = ::stat(target.c_str(), &old) == 0;
    if (existed_ && S_ISDIR(old.st_mode)) return;
    existingMode_ = old.st_mode & 07777;
    auto [dir, name] = SplitPath(target);
    if (name.empty()) return;
    // The directory is held open and the files named inside it, so the length of the whole
    // path never matters for the new file.
    dirFd_ = ::open(dir.c_str(), DirectoryOpenFlags);
    if (dirFd_ < 0) return;
    targetName_ = std::move(name);
    RemoveDeadTemps(dirFd_);
    fd_ = CreateTemp(dirFd_, tempName_);
    if (fd_ < 0) tempName_.clear();
    if (fd_ >= 0) (void)::flock(fd_, LOCK_EX | LOCK_NB);
    if (fd_ >= 0 && existed_) (void)::fchmod(fd_, existingMode_);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !tempName_.empty()) ::unlinkat(dirFd_, tempName_.c_str(), 0);
    if (dirFd_ >= 0) ::close(dirFd_);
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
    if (!written || !closed || ::renameat(dirFd_, tempName_.c_str(), dirFd_, targetName_.c_str()) != 0)
        return WriteStatus::CannotWrite;
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
    // Only regular files are read: a FIFO or a device may wait for a writer for ever, so
    // neither the look at the path nor the opening may wait on one.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return ReadStatus::CannotOpen;
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    const int fd = file.get();
    if (fd < 0) return ReadStatus::CannotOpen;
    // The path may have been given to something else between the look and the opening.
    if (::fstat(fd, &st) != 0) return ReadStatus::ReadError;
    if (!S_ISREG(st.st_mode)) return ReadStatus::CannotOpen;
    // Read in chunks up to one byte past the limit: a file may grow while it is read, and some
    // (those of /proc) give no size at all.
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

int CreateLockedFile(const std::string& path) {
    auto [dir, name] = SplitPath(path);
    UniqueFd dirFd(::open(dir.c_str(), DirectoryOpenFlags));
    std::string tempName;
    const int fd = dirFd.get() < 0 ? -1 : CreateTemp(dirFd.get(), tempName, O_RDWR);
    if (fd < 0) return -1;
    // Locked under its own name first, then linked into place: whoever sees the new name finds
    // it locked already.
    if (::flock(fd, LOCK_EX) == 0 &&
        ::linkat(dirFd.get(), tempName.c_str(), dirFd.get(), name.c_str(), 0) == 0) {
        ::unlinkat(dirFd.get(), tempName.c_str(), 0);
        return fd;
    }
    const int linkError = errno;
    ::unlinkat(dirFd.get(), tempName.c_str(), 0);
    ::close(fd);
    if (linkError == EEXIST) {
        errno = EEXIST;
        return -1;
    }
    // A file system without hard links: made under its name and locked just after.
    const int plain = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (plain >= 0) (void)::flock(plain, LOCK_EX);
    return plain;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace plax
