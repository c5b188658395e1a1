#include "text_utils.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
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
std::size_t ShortestPlainDigits(char* out, double value) {
    std::array<char, 32> sci{}; // "-1.2345678901234567e+308"
    const char* end =
        std::to_chars(sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific).ptr;
    const char* begin = sci.data();
    const char* e = std::find(begin, end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    std::array<char, 20> digits{};
    std::size_t count = 0;
    for (const char* c = begin; c != e; ++c) {
        if (*c >= '0' && *c <= '9') digits[count++] = *c;
    }
    char* o = out;
    if (value < 0) *o++ = '-';
    const auto intDigits = static_cast<std::size_t>(exponent + 1);
    for (std::size_t k = 0; k < intDigits; ++k)
        *o++ = k < count ? digits[k] : '0';
    if (count > intDigits) {
        *o++ = '.';
        for (std::size_t k = intDigits; k < count; ++k)
            *o++ = digits[k];
    }
    return static_cast<std::size_t>(o - out);
}

std::size_t CopyText(char* out, std::string_view text) {
    std::copy(text.begin(), text.end(), out);
    return text.size();
}

std::size_t FixedDigits(char* out, double value, int decimals) {
    if (!std::isfinite(value)) return CopyText(out, value != value ? "NAN" : (value > 0 ? "INF" : "-INF"));
    // Beyond 15 integer digits a double has no exact decimal fraction worth showing; the
    // shortest round-trip digits read better than the binary expansion (1E38, not 99999...).
    if (std::fabs(value) >= 1e15) return ShortestPlainDigits(out, value);
    // Exactly printf's "%.*f": the exact binary value, correctly rounded.
    return static_cast<std::size_t>(
        std::to_chars(out, out + TrimmedNumberRoom, value, std::chars_format::fixed, decimals).ptr - out);
}

} // namespace

namespace {

// Up to three digits, written without a division loop.
char* PutSmall(char* out, unsigned v) {
    if (v >= 100) *out++ = static_cast<char>('0' + v / 100);
    if (v >= 10) *out++ = static_cast<char>('0' + v / 10 % 10);
    *out++ = static_cast<char>('0' + v % 10);
    return out;
}

} // namespace

std::size_t WriteTrimmed(char* out, double value, int decimals) {
    // A whole number (most weights and lengths) loses all its zero places to the trimming, and
    // -0 its sign. Whole is tested by the conversion, not by trunc, which is a call here.
    if (std::fabs(value) < 1e15) {
        const auto whole = static_cast<long long>(value);
        if (static_cast<double>(whole) == value) {
            if (whole >= 0 && whole < 1000)
                return static_cast<std::size_t>(PutSmall(out, static_cast<unsigned>(whole)) - out);
            return static_cast<std::size_t>(std::to_chars(out, out + TrimmedNumberRoom, whole).ptr - out);
        }
    }
    std::size_t size = FixedDigits(out, value, decimals);
    if (std::find(out, out + size, '.') != out + size) {
        while (size > 0 && out[size - 1] == '0')
            --size;
        if (size > 0 && out[size - 1] == '.') --size;
    }
    if (size == 2 && out[0] == '-' && out[1] == '0') {
        out[0] = '0';
        size = 1;
    }
    return size;
}

void AppendTrimmed(std::string& line, double value, int decimals) {
    std::array<char, TrimmedNumberRoom> text; // only the written part is read
    line.append(text.data(), WriteTrimmed(text.data(), value, decimals));
}

void AppendResultNumber(std::string& line, double value) { AppendTrimmed(line, value, 4); }

char* WriteRightAligned(char* out, long long value, std::size_t width) {
    if (value >= 0 && value < 1000) {
        const std::size_t digits = value < 10 ? 1 : value < 100 ? 2 : 3;
        if (digits < width) out = std::fill_n(out, width - digits, ' ');
        return PutSmall(out, static_cast<unsigned>(value));
    }
    // Counted first, so the digits go straight to their place.
    std::size_t size = value < 0 ? 2 : 1;
    for (auto rest = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                               : static_cast<unsigned long long>(value);
         rest >= 10; rest /= 10)
        ++size;
    if (size < width) out = std::fill_n(out, width - size, ' ');
    return std::to_chars(out, out + size, value).ptr;
}

// Not through WriteRightAligned: appending the blanks and the digits straight to the line is
// measurably faster in the accounts that write many short items.
void AppendRightAligned(std::string& line, long long value, std::size_t width) {
    std::array<char, 24> digits{};
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    const auto size = static_cast<std::size_t>(end - digits.data());
    if (size < width) line.append(width - size, ' ');
    line.append(digits.data(), size);
}

std::string CellRight(std::string_view text, std::size_t width) {
    return text.size() < width ? PadLeft(text, width) : " " + std::string(text);
}

std::string CellLeft(std::string_view text, std::size_t width) {
    return text.size() < width ? PadRight(text, width) : std::string(text) + " ";
}

std::string FormatTrimmed(double value, int decimals) {
    std::string text;
    AppendTrimmed(text, value, decimals);
    return text;
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

std::vector<std::string_view> TextLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    return lines;
}

} // namespace plax
