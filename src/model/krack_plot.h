#pragma once

#include "net_types.h"
#include "user_messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plax {

// A real Krack Plot file of 15 points is a few hundred bytes.
inline constexpr std::size_t MaxKrackPlotFileSize = 1024u * 1024u;

// The text of a Krack Plot file for a net with at least one point.
std::string KrackPlotText(const NetWorkType& net);

// Fills `net` from Krack Plot text. `path` only goes into the messages.
[[nodiscard]] bool ReadKrackPlotText(NetWorkType& net, std::string_view text, const std::string& path,
                                     const OptionType& options, UserMessages& messages);

// Refuses an empty net, asks before replacing an existing file.
[[nodiscard]] bool SaveKrackPlot(const NetWorkType& net, const std::string& path, UserMessages& messages);
[[nodiscard]] bool LoadKrackPlot(NetWorkType& net, const std::string& path, const OptionType& options,
                                 UserMessages& messages);

} // namespace plax
