#pragma once

#include <string>

struct stat;

namespace plax {

// An exclusive lock on one report file, held while it is read, appended to and replaced, so
// that appends from several windows or processes queue up instead of losing one another.
// Writers replace the report by renaming a new file over it, so a lock won on a file that was
// replaced meanwhile is let go and taken again on the file the name now holds.
class ReportLock {
public:
    // Makes an empty file at `path` when there is none.
    explicit ReportLock(const std::string& path);
    // An empty file this lock made for want of one is removed again unless Keep() was called,
    // so a failed first write leaves nothing behind.
    ~ReportLock();
    ReportLock(const ReportLock&) = delete;
    ReportLock& operator=(const ReportLock&) = delete;

    // False when the file cannot be made, opened or locked, or is no regular file.
    bool Held() const { return fd_ >= 0; }
    // The locked file, open for reading.
    int Fd() const { return fd_; }
    // True when the file did not exist and the lock made it (empty).
    bool Created() const { return created_; }
    // The file now holds what was written in its place: nothing is to be removed.
    void Keep() { created_ = false; }

private:
    bool TryOnce();
    bool LockOpened(const struct stat& opened);
    void Close();

    std::string path_;
    int fd_ = -1;
    bool created_ = false;
};

} // namespace plax
