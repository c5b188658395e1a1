#pragma once

#include "net_types.h"
#include "user_messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plax {

inline constexpr std::size_t NetRecordSize = 64;
// Sub-net blocks nest at most this deep; anything deeper is not a net this program wrote.
inline constexpr int MaxSubNetDepth = 64;
// A real net file is a few kilobytes; this bounds what a hostile one can make us allocate.
inline constexpr std::size_t MaxNetFileSize = 16u * 1024u * 1024u;

// The bytes of a .net file, or no value when a weight or flow cannot be stored.
[[nodiscard]] std::optional<std::string> NetFileBytes(const NetWorkType& net);

// Fills `net` from the bytes of a .net file. `path` only goes into the messages. On failure
// the message is shown, the net keeps what was read, and the answer is false.
[[nodiscard]] bool ReadNetBytes(NetWorkType& net, std::string_view bytes, const std::string& path,
                                const OptionType& options, UserMessages& messages);

// The net name a file gives: the file name without directory, with the four characters from
// its first "." removed ("road.net" -> "road"), at most 100 characters.
std::string NetNameFromPath(const std::string& path);

[[nodiscard]] bool SaveNetFile(const NetWorkType& net, const std::string& path, UserMessages& messages);
[[nodiscard]] bool LoadNetFile(NetWorkType& net, const std::string& path, const OptionType& options,
                               UserMessages& messages);

} // namespace plax
