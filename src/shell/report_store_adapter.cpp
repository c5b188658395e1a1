#include "report_store_adapter.h"

#include "procedures/report_file.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace plax {

namespace {

constexpr std::size_t ReadChunk = std::size_t{1} << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string StoreRefusal(TextStore::Status status) {
    switch (status) {
    case TextStore::Status::TooLarge: return "The text is too large.";
    case TextStore::Status::DiskFull: return "No space left on the disk for the text.";
    case TextStore::Status::DiskError: return "The temporary file of the text cannot be written.";
    case TextStore::Status::Ok: break;
    }
    return {};
}

} // namespace

bool AddToReport(std::string& reportFile, const std::string& netName, const TextStore& text,
                 UserMessages& messages) {
    std::vector<std::string> lines;
    if (!text.ForEachLine([&](std::uint64_t, std::string_view line) {
            lines.emplace_back(line);
            return true;
        })) {
        messages.Error(" Cannot append Result text to " + ReportFileName(reportFile));
        return false;
    }
    return AddToReport(reportFile, netName, lines, messages);
}

std::string ReadReportText(const std::string& path, TextStore& store) {
    store.Clear();
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return "The file cannot be opened.";
    std::string chunk(ReadChunk, '\0');
    std::string line;
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (got == 0) break;
        const std::string_view bytes(chunk.data(), got);
        if (bytes.find('\0') != std::string_view::npos) return "The file holds a NUL byte: it is no text.";
        std::size_t start = 0;
        for (std::size_t end = bytes.find('\n'); end != std::string_view::npos;
             end = bytes.find('\n', start)) {
            line.append(bytes.substr(start, end - start));
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (const TextStore::Status status = store.Append(line); status != TextStore::Status::Ok)
                return StoreRefusal(status);
            line.clear();
            start = end + 1;
        }
        line.append(bytes.substr(start));
    }
    if (std::ferror(file.get()) != 0) return "The file cannot be read.";
    if (!line.empty()) {
        if (line.back() == '\r') line.pop_back();
        if (const TextStore::Status status = store.Append(line); status != TextStore::Status::Ok)
            return StoreRefusal(status);
    }
    return {};
}

} // namespace plax
