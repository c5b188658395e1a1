#include "text_format.h"

#include "model/text_utils.h"

#include <set>

namespace plax {

std::vector<TextLine> TextLines(std::string_view text, char comment) {
    std::vector<TextLine> lines;
    long long number = 0;
    for (std::string_view line : TextLines(text)) {
        ++number;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || (comment != 0 && line[first] == comment)) continue;
        lines.push_back({number, line.substr(0, line.find_last_not_of(" \t") + 1)});
    }
    return lines;
}

std::optional<std::vector<std::string>> LineWords(std::string_view line, char separator) {
    std::vector<std::string> words;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (i < line.size()) {
        while (i < line.size() && blank(line[i]))
            ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            word = std::string(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            while (i < line.size() && !blank(line[i]) && (separator == 0 || line[i] != separator))
                word += line[i++];
        }
        words.push_back(std::move(word));
        while (i < line.size() && blank(line[i]))
            ++i;
        if (separator != 0 && i < line.size() && line[i] == separator) {
            ++i;
            // An empty cell between two separators, or at the end of the line.
            std::size_t j = i;
            while (j < line.size() && blank(line[j]))
                ++j;
            if (j >= line.size() || line[j] == separator) words.emplace_back();
        }
    }
    return words;
}

std::vector<std::string> NodeLabels(const GraphDocument& graph, bool wordsOnly) {
    std::vector<std::string> labels;
    std::set<std::string> seen;
    bool usable = true;
    for (const GraphNode& node : graph.nodes) {
        std::string name = ValueOr(node.attributes, "name", node.id);
        usable = usable && !name.empty() && seen.insert(name).second &&
                 (!wordsOnly || name.find_first_of(" \t\"#,;") == std::string::npos);
        labels.push_back(std::move(name));
    }
    if (!usable) {
        labels.clear();
        for (const GraphNode& node : graph.nodes)
            labels.push_back(node.id);
    }
    return labels;
}

std::string ValueOr(const Attributes& attributes, std::string_view name, const std::string& fallback) {
    const std::string* value = FindValue(attributes, name);
    return value ? *value : fallback;
}

} // namespace plax
