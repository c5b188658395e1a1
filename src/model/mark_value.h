#pragma once

#include <optional>
#include <string_view>

namespace plax {

// What the attribute dialogs say when a mark is refused.
inline constexpr const char* InvalidNumberMessage =
    "Invalid Number String!\r\nNumber must be between 0 and 1.0E38";

// A mark typed by the user: a complete decimal number (optional sign, digits with an optional
// decimal point, an optional exponent; blanks around it ignored) from 0 to 1.0E38. Nothing for
// anything else, hexadecimal, "nan" and "inf" included.
std::optional<double> ParseMark(std::string_view text);

} // namespace plax
