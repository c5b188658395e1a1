#include "edge_list_reader.h"

#include "interchange_messages.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace plax {

namespace {

constexpr const char* ExportedEnd = "\"0\",\"0\",\"0\"";

struct Line {
    long long number;
    std::string text;
};

// The lines that say something: comments cut off, blanks trimmed, empty lines dropped.
std::vector<Line> MeaningfulLines(std::string_view text) {
    std::vector<Line> lines;
    long long number = 0;
    for (std::string_view line : TextLines(text)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::string trimmed = TrimText(line);
        while (!trimmed.empty() && trimmed.back() == ' ')
            trimmed.pop_back();
        if (!trimmed.empty()) lines.push_back({number, std::move(trimmed)});
    }
    return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

std::string Bad(long long line, const std::string& detail) { return SyntaxReason("edge list", line, detail); }

// Undirected when every edge has its reverse with the same weight, as the export writes an
// undirected net; then each pair is kept once.
void SettleDirection(GraphDocument& graph) {
    std::map<std::pair<std::string, std::string>, std::string> weights;
    for (const GraphEdge& e : graph.edges)
        weights[{e.source, e.target}] = e.attributes.empty() ? "" : e.attributes[0].value;
    bool symmetric = !graph.edges.empty();
    for (const auto& [pair, weight] : weights) {
        const auto reverse = weights.find({pair.second, pair.first});
        symmetric = symmetric && reverse != weights.end() && reverse->second == weight;
    }
    graph.directed = !symmetric;
    if (symmetric) {
        std::erase_if(graph.edges, [](const GraphEdge& e) {
            return ParseNumber(e.source).value_or(0) > ParseNumber(e.target).value_or(0);
        });
    }
}

std::string ReadExported(const std::vector<Line>& lines, GraphDocument& graph) {
    const auto n = ParseNumber(lines[0].text);
    // Whole and not negative, asked without a cast that a huge count would overflow.
    if (!n || *n < 0 || *n != std::floor(*n)) return Bad(lines[0].number, "no point count");
    if (*n > MaxPoints) return TooManyPointsReason(static_cast<std::size_t>(std::min(*n, 1e9)));
    for (int i = 1; i <= static_cast<int>(*n); ++i)
        graph.nodes.push_back({std::to_string(i), {}});
    if (lines.size() < 2 || lines.back().text != ExportedEnd)
        return Bad(lines.back().number, "no closing line");
    for (std::size_t k = 1; k + 1 < lines.size(); ++k) {
        const std::vector<std::string> fields = Split(lines[k].text, ',');
        if (fields.size() != 3) return Bad(lines[k].number, "not i,j,weight");
        const auto i = ParseNumber(fields[0]);
        const auto j = ParseNumber(fields[1]);
        if (!i || !j) return Bad(lines[k].number, "not i,j,weight");
        // The builder checks the numbers and the weight like any other file's.
        graph.edges.push_back(
            {TrimText(fields[0]), TrimText(fields[1]), {{"weight", TrimText(fields[2])}}, {}});
        if (graph.edges.size() > MaxPoints * MaxPoints) return TooManyEdgesReason(lines.size() - 2);
    }
    SettleDirection(graph);
    return {};
}

std::string ReadPlain(const std::vector<Line>& lines, GraphDocument& graph) {
    std::set<std::string> seen;
    std::set<std::pair<std::string, std::string>> pairs;
    bool bothWays = false;
    for (const Line& line : lines) {
        const std::vector<std::string> words = Split(line.text, ' ');
        if (words.size() > 3) return Bad(line.number, "not \"a b [weight]\"");
        // A lone word is a node without edges.
        for (std::size_t w = 0; w < std::min<std::size_t>(2, words.size()); ++w) {
            if (seen.insert(words[w]).second) graph.nodes.push_back({Utf8ToLatin1(words[w]), {}});
        }
        if (graph.nodes.size() > static_cast<std::size_t>(MaxPoints))
            return TooManyPointsReason(graph.nodes.size());
        if (words.size() == 1) continue;
        bothWays = bothWays || pairs.count({words[1], words[0]}) != 0;
        pairs.insert({words[0], words[1]});
        Attributes weight;
        if (words.size() == 3) weight.push_back({"weight", words[2]});
        graph.edges.push_back({Utf8ToLatin1(words[0]), Utf8ToLatin1(words[1]), std::move(weight), {}});
        if (graph.edges.size() > MaxPoints * MaxPoints) return TooManyEdgesReason(lines.size());
    }
    graph.directed = bothWays;
    return {};
}

} // namespace

std::string ReadEdgeList(std::string_view text, GraphDocument& graph) {
    const std::vector<Line> lines = MeaningfulLines(text);
    if (lines.empty()) return NoGraphReason();
    // The export starts with the lone point count and writes its pairs with commas, and ends with
    // a line of its own; a lone number by itself is a node of a plain list.
    const bool exported = lines[0].text.find_first_not_of("0123456789") == std::string::npos &&
                          lines.size() > 1 && lines[1].text.find(',') != std::string::npos;
    return exported ? ReadExported(lines, graph) : ReadPlain(lines, graph);
}

} // namespace plax
