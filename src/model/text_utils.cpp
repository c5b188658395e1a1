#include "text_utils.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <system_error>

namespace plax {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string CutText(std::string text, std::size_t maxLength) {
    if (text.size() > maxLength) text.resize(maxLength);
    return text;
}

std::string TrimText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (char c : text) {
        if (IsBlank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out.push_back(' ');
        pendingBlank = false;
        out.push_back(c);
    }
    return out;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string out(text.size() < width ? width - text.size() : 0, ' ');
    out.append(text);
    return out;
}

std::string PadRight(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

namespace {

// The shortest decimal digits that read back as `value`, written out without an exponent.
std::string ShortestPlainDigits(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string sci(buf, res.ptr); // "-1.2345e+38"
    const auto ePos = sci.find('e');
    const int exponent = std::stoi(sci.substr(ePos + 1));
    std::string digits;
    for (char c : sci.substr(0, ePos)) {
        if (c >= '0' && c <= '9') digits.push_back(c);
    }
    const auto intDigits = static_cast<std::size_t>(exponent + 1);
    if (digits.size() < intDigits) digits.append(intDigits - digits.size(), '0');
    std::string out;
    if (value < 0) out.push_back('-');
    out.append(digits, 0, intDigits);
    if (digits.size() > intDigits) {
        out.push_back('.');
        out.append(digits, intDigits, std::string::npos);
    }
    return out;
}

std::string FixedDigits(double value, int decimals) {
    if (!std::isfinite(value)) return value != value ? "NAN" : (value > 0 ? "INF" : "-INF");
    // Beyond 15 integer digits a double has no exact decimal fraction worth showing; the
    // shortest round-trip digits read better than the binary expansion (1E38, not 99999...).
    if (std::fabs(value) >= 1e15) return ShortestPlainDigits(value);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

} // namespace

std::string CellRight(std::string_view text, std::size_t width) {
    return text.size() < width ? PadLeft(text, width) : " " + std::string(text);
}

std::string CellLeft(std::string_view text, std::size_t width) {
    return text.size() < width ? PadRight(text, width) : std::string(text) + " ";
}

std::string FormatTrimmed(double value, int decimals) {
    std::string s = FixedDigits(value, decimals);
    const auto first = s.find_first_not_of(' ');
    s.erase(0, first == std::string::npos ? s.size() : first);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s == "-0") s.erase(0, 1);
    return s;
}

std::string ResultNumber(double value) { return FormatTrimmed(value, 4); }

std::string FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string UpperExtension(std::string_view path) {
    const std::string name = FileNameOf(path);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot);
    for (char& c : ext) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return ext;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

namespace {

// The length of the UTF-8 sequence starting at `at` and its code point, or 0 when none starts there.
std::size_t Utf8Sequence(std::string_view text, std::size_t at, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[at + k]);
        if ((c & 0xC0) != 0x80) return 0;
        code = (code << 6) | (c & 0x3Fu);
    }
    return length;
}

} // namespace

std::string Utf8ToLatin1(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t code = 0;
        const std::size_t length =
            static_cast<unsigned char>(text[i]) < 0x80 ? 0 : Utf8Sequence(text, i, code);
        if (length == 0) {
            out.push_back(text[i++]);
            continue;
        }
        out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
        i += length;
    }
    return out;
}

} // namespace plax
