#include "adjacency_formats.h"

#include "interchange_messages.h"
#include "text_format.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace plax {

namespace {

char SeparatorOf(std::string_view line) {
    for (const char c : {',', ';', '\t'}) {
        if (line.find(c) != std::string_view::npos) return c;
    }
    return ' ';
}

bool AllNumbers(const std::vector<std::string>& cells, std::size_t from) {
    for (std::size_t k = from; k < cells.size(); ++k) {
        if (!ParseNumber(cells[k])) return false;
    }
    return cells.size() > from;
}

// The index of each node id.
std::map<std::string, std::size_t> IndexOf(const GraphDocument& graph) {
    std::map<std::string, std::size_t> index;
    for (std::size_t k = 0; k < graph.nodes.size(); ++k)
        index[graph.nodes[k].id] = k;
    return index;
}

} // namespace

std::string ReadAdjacencyMatrix(std::string_view bytes, GraphDocument& graph) {
    const std::vector<TextLine> lines = TextLines(bytes, '#');
    if (lines.empty()) return NoGraphReason();
    const char separator = SeparatorOf(lines[0].text);
    const auto bad = [](long long line, const std::string& detail) {
        return SyntaxReason("adjacency matrix", line, detail);
    };
    std::vector<std::vector<std::string>> rows;
    for (const TextLine& line : lines) {
        auto cells = LineWords(line.text, separator == ' ' ? 0 : separator);
        if (!cells) return bad(line.number, "a quote not closed");
        for (std::string& c : *cells)
            c = Utf8ToLatin1(TrimText(c));
        rows.push_back(std::move(*cells));
        // A net's matrix has at most 15 rows and a header; a larger one is refused by its width.
        if (rows.size() > static_cast<std::size_t>(MaxPoints) + 1)
            return TooManyPointsReason(std::max(rows.size() - 1, rows[0].size()));
    }
    const bool header = !AllNumbers(rows[0], 0);
    std::vector<std::string> names;
    if (header) {
        names = rows[0];
        if (!names.empty() && names[0].empty()) names.erase(names.begin());
        rows.erase(rows.begin());
    }
    const std::size_t n = header ? names.size() : rows[0].size();
    if (n == 0) return NoGraphReason();
    if (n > static_cast<std::size_t>(MaxPoints)) return TooManyPointsReason(n);
    if (rows.size() != n) return bad(lines.back().number, "not as many rows as columns");
    if (!header) {
        for (std::size_t k = 1; k <= n; ++k)
            names.push_back(std::to_string(k));
    }
    std::set<std::string> seen;
    for (const std::string& name : names) {
        if (!seen.insert(name).second) return DuplicateNodeReason(CutText(name, 40));
        graph.nodes.push_back({name, {}});
    }
    std::vector<std::vector<std::string>> cells(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<std::string>& row = rows[i];
        // A row may start with its node's name.
        if (row.size() == n + 1) {
            if (header && row[0] != names[i])
                return bad(lines[i + 1].number, "the row of " + CutText(row[0], 40) + " out of order");
            row.erase(row.begin());
        }
        if (row.size() != n || !AllNumbers(row, 0))
            return bad(lines[i + (header ? 1 : 0)].number, "not a row of numbers");
        cells[i] = row;
    }
    bool symmetric = true;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j)
            symmetric = symmetric && *ParseNumber(cells[i][j]) == *ParseNumber(cells[j][i]);
    }
    graph.directed = !symmetric;
    graph.directionOpen = true;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (*ParseNumber(cells[i][j]) != 0)
                graph.edges.push_back({names[i], names[j], {{"weight", cells[i][j]}}, {}});
        }
    }
    return {};
}

std::string AdjacencyMatrixText(const GraphDocument& graph) {
    const std::vector<std::string> labels = NodeLabels(graph, true);
    const auto index = IndexOf(graph);
    const std::size_t n = graph.nodes.size();
    std::vector<std::vector<std::string>> cells(n, std::vector<std::string>(n, "0"));
    for (const GraphEdge& e : graph.edges) {
        const std::size_t i = index.at(e.source);
        const std::size_t j = index.at(e.target);
        cells[i][j] = ValueOr(e.attributes, "weight", "1");
        if (!graph.directed) cells[j][i] = cells[i][j];
    }
    std::string out;
    for (const std::string& label : labels)
        out += "," + Latin1ToUtf8(label);
    out += "\n";
    for (std::size_t i = 0; i < n; ++i) {
        out += Latin1ToUtf8(labels[i]);
        for (const std::string& c : cells[i])
            out += "," + c;
        out += "\n";
    }
    return out;
}

std::string ReadAdjacencyList(std::string_view bytes, GraphDocument& graph) {
    // The nodes in the order their lines come, as networkx writes one for each; a node named only
    // as a neighbour comes after them.
    std::set<std::string> seen;
    std::vector<std::string> later;
    const auto node = [&](const std::string& id, bool head) {
        if (seen.insert(id).second) {
            if (head) {
                graph.nodes.push_back({id, {}});
            } else {
                later.push_back(id);
            }
        } else if (head) {
            if (const auto it = std::find(later.begin(), later.end(), id); it != later.end()) {
                later.erase(it);
                graph.nodes.push_back({id, {}});
            }
        }
        return seen.size() <= static_cast<std::size_t>(MaxPoints);
    };
    for (const TextLine& line : TextLines(bytes, '#')) {
        // A '#' later in the line starts a comment too.
        const std::string_view text = line.text.substr(0, line.text.find('#'));
        const auto words = LineWords(text);
        if (!words) return SyntaxReason("adjacency list", line.number, "a quote not closed");
        if (words->empty()) continue;
        std::vector<std::string> ids;
        for (const std::string& w : *words)
            ids.push_back(Utf8ToLatin1(w));
        for (std::size_t k = 0; k < ids.size(); ++k) {
            if (!node(ids[k], k == 0)) return TooManyPointsReason(seen.size());
        }
        for (std::size_t k = 1; k < ids.size(); ++k) {
            graph.edges.push_back({ids[0], ids[k], {}, {}});
            if (graph.edges.size() > static_cast<std::size_t>(MaxPoints * MaxPoints))
                return TooManyEdgesReason(graph.edges.size());
        }
    }
    for (const std::string& id : later)
        graph.nodes.push_back({id, {}});
    if (graph.nodes.empty()) return NoGraphReason();
    graph.directed = false;
    graph.directionOpen = true;
    return {};
}

std::string AdjacencyListText(const GraphDocument& graph) {
    const std::vector<std::string> labels = NodeLabels(graph, true);
    const auto index = IndexOf(graph);
    std::vector<std::string> lines(labels.size());
    for (std::size_t k = 0; k < labels.size(); ++k)
        lines[k] = Latin1ToUtf8(labels[k]);
    for (const GraphEdge& e : graph.edges)
        lines[index.at(e.source)] += " " + Latin1ToUtf8(labels[index.at(e.target)]);
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

} // namespace plax
