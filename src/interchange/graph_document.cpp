#include "graph_document.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace plax {

const std::string* FindValue(const Attributes& attributes, std::string_view name) {
    for (const Attribute& a : attributes) {
        if (a.name == name) return &a.value;
    }
    return nullptr;
}

std::string NumberText(double value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) return "0";
    return std::string(buf, end);
}

std::optional<double> ParseNumber(std::string_view text) {
    // XML and DOT may pad a value; the number itself is strict.
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    if (text.front() == '+') text.remove_prefix(1);
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '-' ||
                          text.front() == '.')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace plax
