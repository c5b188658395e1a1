#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plax {

// The colour an X11 or SVG colour name stands for ("gray40", "SteelBlue", "light grey") as
// 0xRRGGBB; case, blanks and underscores do not count.
std::optional<std::uint32_t> ColourOfName(std::string_view name);

} // namespace plax
