#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// The lines of a Results or Report text, held compactly: the bytes of all lines in one buffer,
// moved to a temporary file once they pass a threshold. A listing search may write lines for
// hours, so memory stays bounded whatever their number: beyond the bytes held in memory, only
// one offset is kept for every IndexStep lines.
class TextStore {
public:
    static constexpr std::uint64_t IndexStep = 256;

    struct Limits {
        std::size_t memoryBytes = std::size_t{4} << 20;    // beyond this the text goes to a temporary file
        std::uint64_t totalBytes = std::uint64_t{4} << 30; // a text is never larger than this
        std::string tempDir;                               // empty: $TMPDIR, else /tmp
    };

    enum class Status {
        Ok,
        TooLarge,  // the text reached Limits::totalBytes
        DiskFull,  // the temporary file could not grow: no space left (or a file-size limit)
        DiskError, // the temporary file could not be made, written or read
    };

    TextStore() : TextStore(Limits{}) {}
    explicit TextStore(Limits limits);
    ~TextStore();
    TextStore(TextStore&& other) noexcept;
    TextStore& operator=(TextStore&& other) noexcept;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    // Appends one line (without its line end; a "\n" inside starts a new line). After a failure
    // the text keeps every line appended before it, and later appends fail the same way.
    [[nodiscard]] Status Append(std::string_view line);
    void Clear();

    std::uint64_t LineCount() const { return lineCount_; }
    // The bytes of all lines, line ends not counted.
    std::uint64_t ByteCount() const { return size_ - lineCount_; }
    bool Spilled() const { return file_ >= 0; }
    // Bytes held in memory: the whole text while it is small, then the part not yet written out.
    std::size_t MemoryBytes() const { return buffer_.capacity(); }
    Status LastStatus() const { return status_; }

    // Lines first .. first + count - 1 (fewer at the end of the text); false on a read error.
    [[nodiscard]] bool ReadLines(std::uint64_t first, std::size_t count, std::vector<std::string>& out) const;
    std::string Line(std::uint64_t index) const;

    // Visits lines from `first` on, in order, until `visit` answers false; false on a read error.
    using Visitor = std::function<bool(std::uint64_t index, std::string_view line)>;
    [[nodiscard]] bool ForEachLine(std::uint64_t first, const Visitor& visit) const;
    [[nodiscard]] bool ForEachLine(const Visitor& visit) const { return ForEachLine(0, visit); }

private:
    Status AppendOne(std::string_view line);
    Status Spill();
    Status Flush();
    // Reads up to `want` bytes of the text from `offset` into `out`; false on a read error.
    bool ReadBytes(std::uint64_t offset, std::size_t want, std::string& out) const;
    void CloseFile();

    Limits limits_;
    std::string buffer_;          // the text while it is small; once spilled, the bytes not yet in the file
    int file_ = -1;               // the temporary file, removed from its directory at once
    std::uint64_t fileBytes_ = 0; // bytes of the text already in the file
    std::uint64_t size_ = 0;      // bytes of the text, a "\n" after every line
    std::uint64_t lineCount_ = 0;
    std::vector<std::uint64_t> index_; // offset of line k * IndexStep
    Status status_ = Status::Ok;
};

// The message shown when a run ends because its text could not be kept.
std::string TextStoreStopText(TextStore::Status status);

} // namespace plax
