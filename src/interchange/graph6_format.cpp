#include "graph6_format.h"

#include "interchange_messages.h"
#include "text_format.h"

#include "model/net_types.h"

#include <map>
#include <vector>

namespace plax {

namespace {

std::string Bad(const std::string& detail) { return SyntaxReason("graph6", 1, detail); }

// The bits of the bytes 63..126 after `from`, six to a byte, high bit first.
std::optional<std::vector<bool>> Bits(std::string_view text, std::size_t count) {
    std::vector<bool> bits;
    if (text.size() != (count + 5) / 6) return std::nullopt;
    for (const char c : text) {
        const int v = static_cast<unsigned char>(c) - 63;
        if (v < 0 || v > 63) return std::nullopt;
        for (int b = 5; b >= 0; --b)
            bits.push_back(((v >> b) & 1) != 0);
    }
    bits.resize(count);
    return bits;
}

} // namespace

std::string ReadGraph6(std::string_view bytes, GraphDocument& graph) {
    const std::vector<TextLine> lines = TextLines(bytes, 0);
    if (lines.empty()) return NoGraphReason();
    std::string_view line = lines[0].text;
    for (const std::string_view header : {">>graph6<<", ">>digraph6<<"}) {
        if (line.starts_with(header)) line.remove_prefix(header.size());
    }
    graph.directed = line.starts_with('&');
    if (graph.directed) line.remove_prefix(1);
    if (line.empty()) return Bad("no graph");
    // The number of nodes: one byte below 126, else 126 and 18 bits, or 126 126 and 36 bits.
    std::size_t n = 0;
    std::size_t width = 1;
    if (line[0] == '~') width = line.size() > 1 && line[1] == '~' ? 8 : 4;
    const std::size_t skip = width == 8 ? 2 : width == 4 ? 1 : 0;
    if (line.size() < width) return Bad("the number of nodes is cut off");
    for (std::size_t k = skip; k < width; ++k) {
        const int v = static_cast<unsigned char>(line[k]) - 63;
        if (v < 0 || v > 63) return Bad("a byte out of range");
        n = (n << 6) | static_cast<std::size_t>(v);
    }
    if (n > static_cast<std::size_t>(MaxPoints)) return TooManyPointsReason(n);
    const std::size_t count = graph.directed ? n * n : n * (n - (n > 0 ? 1 : 0)) / 2;
    const auto bits = Bits(line.substr(width), count);
    if (!bits) return Bad("the edges do not fill the line");
    for (std::size_t i = 0; i < n; ++i)
        graph.nodes.push_back({std::to_string(i), {}});
    std::size_t k = 0;
    if (graph.directed) {
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j, ++k) {
                if ((*bits)[k]) graph.edges.push_back({std::to_string(i), std::to_string(j), {}, {}});
            }
        }
    } else {
        for (std::size_t j = 1; j < n; ++j) {
            for (std::size_t i = 0; i < j; ++i, ++k) {
                if ((*bits)[k]) graph.edges.push_back({std::to_string(i), std::to_string(j), {}, {}});
            }
        }
    }
    if (lines.size() > 1) {
        graph.note = "The file holds " + std::to_string(lines.size()) + " graphs; the first is read.";
    }
    return {};
}

std::optional<std::string> Graph6Text(const GraphDocument& graph, bool digraph) {
    if (graph.directed != digraph) return std::nullopt;
    const std::size_t n = graph.nodes.size();
    std::map<std::string, std::size_t> index;
    for (std::size_t k = 0; k < n; ++k)
        index[graph.nodes[k].id] = k;
    std::vector<bool> bits(digraph ? n * n : n * (n - (n > 0 ? 1 : 0)) / 2);
    for (const GraphEdge& e : graph.edges) {
        std::size_t i = index.at(e.source);
        std::size_t j = index.at(e.target);
        if (digraph) {
            bits[i * n + j] = true;
        } else {
            if (i > j) std::swap(i, j);
            bits[j * (j - 1) / 2 + i] = true;
        }
    }
    std::string out = digraph ? "&" : "";
    out += static_cast<char>(63 + n); // a net has at most 15 points
    for (std::size_t k = 0; k < bits.size(); k += 6) {
        int v = 0;
        for (std::size_t b = 0; b < 6; ++b)
            v = (v << 1) | (k + b < bits.size() && bits[k + b] ? 1 : 0);
        out += static_cast<char>(63 + v);
    }
    return out + "\n";
}

} // namespace plax
