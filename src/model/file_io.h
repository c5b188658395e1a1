#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plax {

enum class WriteStatus { Ok, CannotCreate, CannotWrite };

// Replaces the file at `path` with `bytes`: everything goes to a new file beside it first, which
// is renamed over the target only once it is complete, so a failure leaves the old file whole.
// A target reached through a symbolic link is replaced where the link points.
WriteStatus WriteFileAtomically(const std::string& path, std::string_view bytes);

enum class ReadStatus { Ok, CannotOpen, TooLarge, ReadError };

// Reads the whole file, refusing one larger than `maxBytes` without reading it.
ReadStatus ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& out);

bool FileExists(const std::string& path);

} // namespace plax
