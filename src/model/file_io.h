#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plax {

enum class WriteStatus { Ok, CannotCreate, CannotWrite };

// Replaces the file at `path` with `bytes`: everything goes to a new file beside it first, which
// is renamed over the target only once it is complete, so a failure leaves the old file whole.
// A target reached through symbolic links is replaced (or created) where the links point, so
// the links stay links.
[[nodiscard]] WriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

// The same replacement for text written piece by piece (a report of any length): Write appends
// to the new file, Commit puts it in place of the target. A writer destroyed without a
// successful Commit removes its new file and leaves the target as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::string& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the new file could not be made (Commit then answers CannotCreate).
    bool Opened() const { return fd_ >= 0; }
    // False once any write has failed; later writes are ignored.
    [[nodiscard]] bool Write(std::string_view bytes);
    [[nodiscard]] WriteStatus Commit();

private:
    bool Flush();

    int dirFd_ = -1; // the directory the target and the new file are in
    std::string targetName_;
    std::string tempName_;
    int fd_ = -1;
    bool failed_ = false;
    bool committed_ = false;
    unsigned existingMode_ = 0; // the target's permission bits, kept by the new file
    bool existed_ = false;
    std::string buffer_;
};

enum class ReadStatus { Ok, CannotOpen, TooLarge, ReadError };

// Reads the whole file, refusing one larger than `maxBytes` without reading it. Anything but a
// regular file (a FIFO, a device, a directory) is refused as CannotOpen without waiting on it.
[[nodiscard]] ReadStatus ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& out);

// Makes `path` as a new empty file, open for reading and writing, that holds an exclusive flock
// from the moment its name appears, so no one else can lock it first. -1 when it cannot be made,
// with errno EEXIST when the name is taken.
[[nodiscard]] int CreateLockedFile(const std::string& path);

bool FileExists(const std::string& path);

} // namespace plax
