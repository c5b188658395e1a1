#include "report_lock.h"

#include "model/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plax {

namespace {

// Another writer can replace the file between our open and our lock only while it holds the
// lock itself, so a few rounds suffice unless the name keeps changing under us.
constexpr int MaxAttempts = 1000;

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

ReportLock::ReportLock(const std::string& path) : path_(path) {
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        if (TryOnce()) return;
    }
}

ReportLock::~ReportLock() {
    if (created_ && Held()) {
        struct stat mine {};
        struct stat named {};
        if (::fstat(fd_, &mine) == 0 && ::stat(path_.c_str(), &named) == 0 && SameFile(mine, named)) {
            ::unlink(path_.c_str());
        }
    }
    Close();
}

void ReportLock::Close() {
    if (fd_ >= 0) ::close(fd_); // lets the lock go
    fd_ = -1;
}

// One round: open (or make) the file, lock it, and check that the name still holds it. Answers
// true when done, held or failed; false when the round is to be repeated.
bool ReportLock::TryOnce() {
    created_ = false;
    // O_NONBLOCK: a FIFO in the report's place must not hang the open.
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    fd_ = ::open(path_.c_str(), flags);
    if (fd_ < 0 && errno == ENOENT) {
        // Made locked: a writer that opens it the moment it appears must wait for its banner.
        fd_ = CreateLockedFile(path_);
        if (fd_ < 0 && errno == EEXIST) return false; // made by another writer just now
        created_ = fd_ >= 0;
    }
    if (fd_ < 0) return true;
    struct stat opened {};
    if (::fstat(fd_, &opened) == 0 && S_ISREG(opened.st_mode)) return LockOpened(opened);
    Close();
    return true;
}

bool ReportLock::LockOpened(const struct stat& opened) {
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            Close();
            return true;
        }
    }
    struct stat named {};
    if (::stat(path_.c_str(), &named) == 0 && SameFile(opened, named)) return true;
    Close();
    return false;
}

} // namespace plax
