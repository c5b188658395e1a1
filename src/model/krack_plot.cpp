#include "krack_plot.h"

#include "file_io.h"
#include "file_messages.h"
#include "net_store.h"
#include "text_utils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace plax {

namespace {

const std::string LineEnd = "\r\n";
// The name the reader gives a point whose line carries none.
const std::string DefaultPointName = "No Name";
// Coordinates travel as 16-bit numbers everywhere else, so a file holds no others.
constexpr std::int32_t MinCoordinate = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t MaxCoordinate = std::numeric_limits<std::int16_t>::max();

// The digit shown for a count or weight: itself up to 9, "9" above. Halves round to even.
char MatrixDigit(double value) {
    if (value > 9.0) return '9';
    const double rounded = std::nearbyint(value);
    return rounded <= 0.0 ? '0' : static_cast<char>('0' + static_cast<int>(rounded));
}

std::int32_t FileCoordinate(std::int32_t v) { return std::clamp(v, MinCoordinate, MaxCoordinate); }

std::pair<std::int32_t, std::int32_t> YRange(const NetWorkType& net) {
    std::int32_t ymin = net.points[1].y;
    std::int32_t ymax = net.points[1].y;
    for (int i = 2; i <= net.n; ++i) {
        ymin = std::min(ymin, net.points[static_cast<std::size_t>(i)].y);
        ymax = std::max(ymax, net.points[static_cast<std::size_t>(i)].y);
    }
    return {ymin, ymax};
}

void ReplaceAll(std::string& s, std::string_view what, std::string_view with) {
    for (auto at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
}

// A name as it can stand on a point line and read back: one line, no control characters, not
// empty (a line without a name is unreadable), and none of the words the reader takes for a
// marker or for the kind of the net.
std::string FileName(const std::string& name) {
    std::string s = name;
    for (char& c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) c = ' ';
    }
    s = TrimText(s);
    if (s.empty()) return DefaultPointName;
    ReplaceAll(s, "!nc", "!NC");
    ReplaceAll(s, "!nl", "!NL");
    ReplaceAll(s, "arrows", "ARROWS");
    return s;
}

std::vector<std::string> NonBlankLines(std::string_view text) {
    std::vector<std::string> lines;
    for (const std::string_view line : TextLines(text)) {
        if (std::any_of(line.begin(), line.end(), [](char c) { return !IsBlank(c); }))
            lines.emplace_back(line);
    }
    return lines;
}

// A whole decimal integer with an optional sign; no value for anything else.
std::optional<std::int32_t> ParseInt(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    std::int32_t v = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

// A coordinate the net can save: refused beyond 16 bits rather than wrapped later.
std::optional<std::int32_t> ParseCoordinate(std::string_view s) {
    const auto v = ParseInt(s);
    if (!v || *v < MinCoordinate || *v > MaxCoordinate) return std::nullopt;
    return v;
}

// The first line's number: digits only. Values above 15 stay above 15 without overflowing.
std::optional<unsigned> ParseCount(std::string_view s) {
    if (s.empty() || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto first = s.find_first_not_of('0');
    if (first == std::string_view::npos) return 0u;
    if (s.size() - first > 3) return 1000u;
    return static_cast<unsigned>(std::stoul(std::string(s.substr(first))));
}

void EraseFirst(std::string& s, std::string_view what) {
    const auto at = s.find(what);
    if (at != std::string::npos) s.erase(at, what.size());
}

struct Markers {
    bool noCoordinates = false;
    bool noLabels = false;
    bool Both() const { return noCoordinates && noLabels; }
};

bool ReadPointLine(NetWorkType& net, int i, const std::string& line, const Markers& markers,
                   const OptionType& options) {
    PointType& p = net.points[static_cast<std::size_t>(i)];
    p = PointType{};
    std::string name;
    if (markers.noCoordinates) {
        const double angle = 2.0 * std::numbers::pi * i / net.n;
        p.x = static_cast<std::int32_t>(std::nearbyint(std::sin(angle) * 150.0)) + 170;
        p.y = 170 - static_cast<std::int32_t>(std::nearbyint(std::cos(angle) * 150.0));
        name = line;
        EraseFirst(name, "!nc");
        EraseFirst(name, "!nl");
        name = TrimText(name);
    } else {
        const auto blank = line.find(' ');
        const auto x = ParseCoordinate(std::string_view(line).substr(0, blank));
        if (blank == std::string::npos || !x) return false;
        const std::string rest = TrimText(line.substr(blank + 1));
        const auto blank2 = rest.find(' ');
        const auto y = ParseCoordinate(std::string_view(rest).substr(0, blank2));
        if (blank2 == std::string::npos || !y) return false;
        p.x = *x;
        p.y = *y;
        name = TrimText(rest.substr(blank2 + 1));
    }
    p.name = CutText(markers.noLabels ? DefaultPointName : name, MaxNameLength);
    p.color = options.foreDefaultColor;
    p.reserved = static_cast<std::uint16_t>(options.newReserved);
    p.tokens = 1;
    return true;
}

void ReadMatrixRow(NetWorkType& net, int i, const std::string& row, const OptionType& options) {
    const int columns = std::min<int>(net.n, static_cast<int>(row.size()));
    for (int j = 1; j <= columns; ++j) {
        const char c = row[static_cast<std::size_t>(j - 1)];
        const bool digit = c >= '0' && c <= '9';
        if (j == i) {
            if (digit && c != '0')
                net.points[static_cast<std::size_t>(i)].tokens = static_cast<std::uint16_t>(c - '0');
            continue;
        }
        if (c == '0' || EdgeExists(net, i, j)) continue;
        EdgeType e;
        e.weight = digit ? c - '0' : 1.0;
        e.color = options.foreDefaultColor;
        e.reserved = static_cast<std::uint32_t>(options.newReserved);
        e.name = "No Name";
        e.lineWidth = 1;
        InsertEdge(net, i, j, std::move(e));
    }
}

void MirrorY(NetWorkType& net) {
    if (net.n == 0) return;
    const auto [ymin, ymax] = YRange(net);
    for (int i = 1; i <= net.n; ++i) {
        auto& y = net.points[static_cast<std::size_t>(i)].y;
        // The result lies between ymin and ymax; only the sum needs the wider type.
        y = static_cast<std::int32_t>(std::int64_t{ymin} + ymax - y);
    }
}

} // namespace

std::string KrackPlotText(const NetWorkType& net) {
    std::string out = std::to_string(net.n) + LineEnd;
    // Coordinates beyond 16 bits are written at the nearest limit, which the reader still takes.
    std::vector<std::pair<std::int32_t, std::int32_t>> xy;
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        xy.emplace_back(FileCoordinate(p.x), FileCoordinate(p.y));
    }
    const auto [ymin, ymax] = std::minmax_element(
        xy.begin(), xy.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    for (int i = 1; i <= net.n; ++i) {
        const auto [x, y] = xy[static_cast<std::size_t>(i - 1)];
        const std::int32_t mirrored = ymin->second + ymax->second - y;
        out += PadLeft(std::to_string(x), 6) + " " + PadLeft(std::to_string(mirrored), 6) + "  " +
               FileName(net.points[static_cast<std::size_t>(i)].name) + LineEnd;
    }
    for (int i = 1; i <= net.n; ++i) {
        std::string row;
        for (int j = 1; j <= net.n; ++j) {
            if (j == i) {
                row += MatrixDigit(net.points[static_cast<std::size_t>(i)].tokens);
            } else {
                const EdgeType* e = FindEdge(net, i, j);
                row += e == nullptr ? '0' : MatrixDigit(e->weight);
            }
        }
        out += row + LineEnd;
    }
    out += std::string(IsUndirected(net) ? "arrows=n" : "arrows=y") + LineEnd;
    return out;
}

bool ReadKrackPlotText(NetWorkType& net, std::string_view text, const std::string& path,
                       const OptionType& options, UserMessages& messages) {
    std::vector<std::string> lines = NonBlankLines(text);
    NetClear(net);
    for (auto& p : net.points)
        p = PointType{};
    net.defaultOptions = options.newNetOptions;
    net.view = options.newDocumentView;
    const bool directed = std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("arrows") != std::string::npos && l.find('y') != std::string::npos;
    });
    SetNetKind(net, directed ? DirNetCode : UndirNetCode);

    const auto fail = [&](const std::string& message) {
        net.n = 0;
        net.lists.Clear();
        messages.Warning(message);
        return false;
    };
    if (lines.empty()) return fail(CannotLoadMessage(path));
    const std::string first = TrimText(lines.front());
    const auto count = ParseCount(std::string_view(first).substr(0, first.find(' ')));
    if (!count) return fail(CannotLoadMessage(path));
    if (*count > MaxPoints) return fail(TooManyPointsMessage(path));
    const int n = static_cast<int>(*count);

    Markers markers;
    if (lines.size() > 1) {
        markers.noCoordinates = lines[1].find("!nc") != std::string::npos;
        markers.noLabels = lines[1].find("!nl") != std::string::npos;
    }
    lines.erase(lines.begin());
    if (markers.Both()) lines.erase(lines.begin());
    // With both markers there are no point lines, but the matrix must still be there.
    const std::size_t needed = static_cast<std::size_t>(markers.Both() ? n : 2 * n);
    if (lines.size() < needed) return fail(InvalidHeaderMessage(path));

    net.n = static_cast<std::uint8_t>(n);
    std::size_t next = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string line = markers.Both() ? std::string() : TrimText(lines[next++]);
        if (!ReadPointLine(net, i, line, markers, options)) {
            net.n = 0;
            messages.Warning(CannotLoadMessage(path));
            return false;
        }
    }
    for (int i = 1; i <= n; ++i)
        ReadMatrixRow(net, i, TrimText(lines[next++]), options);
    MirrorY(net);
    return true;
}

bool SaveKrackPlot(const NetWorkType& net, const std::string& path, UserMessages& messages) {
    if (net.n == 0) {
        messages.Warning(TrivialNetWorkMessage);
        return false;
    }
    if (FileExists(path) && !messages.Confirm(RewriteQuestion(path))) return false;
    if (WriteFileAtomically(path, KrackPlotText(net)) != WriteStatus::Ok) {
        messages.Warning(CannotSaveMessage(path));
        return false;
    }
    return true;
}

bool LoadKrackPlot(NetWorkType& net, const std::string& path, const OptionType& options,
                   UserMessages& messages) {
    std::string text;
    if (ReadFileLimited(path, MaxKrackPlotFileSize, text) != ReadStatus::Ok) {
        NetClear(net);
        messages.Warning(CannotLoadMessage(path));
        return false;
    }
    return ReadKrackPlotText(net, text, path, options, messages);
}

} // namespace plax
