#include "pajek_format.h"

#include "interchange_messages.h"
#include "text_format.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

namespace plax {

namespace {

enum class Section { None, Vertices, Arcs, Edges, ArcsList, EdgesList, Matrix, Other };

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

Section SectionOf(const std::string& word) {
    const std::string w = Lower(word);
    if (w == "*vertices") return Section::Vertices;
    if (w == "*arcs") return Section::Arcs;
    if (w == "*edges") return Section::Edges;
    if (w == "*arcslist") return Section::ArcsList;
    if (w == "*edgeslist") return Section::EdgesList;
    if (w == "*matrix") return Section::Matrix;
    return Section::Other;
}

class PajekReader {
public:
    explicit PajekReader(GraphDocument& graph) : graph_(graph) {}
    std::string Read(std::string_view bytes);

private:
    std::string Bad(long long line, const std::string& detail) const {
        return SyntaxReason("Pajek", line, detail);
    }
    std::string Vertex(long long line, const std::vector<std::string>& words);
    std::string Edge(long long line, const std::vector<std::string>& words, bool arcs);
    std::string List(long long line, const std::vector<std::string>& words, bool arcs);
    std::string MatrixRow(long long line, const std::vector<std::string>& words);
    // The node of a vertex number 1..N, made on first use.
    std::optional<std::string> Node(const std::string& word);
    std::string AddEdge(long long line, const std::string& from, const std::string& to, Attributes attributes,
                        bool arcs);

    GraphDocument& graph_;
    std::size_t count_ = 0;
    std::size_t matrixRow_ = 0;
    bool arcs_ = false;
    bool edges_ = false;
};

std::optional<std::string> PajekReader::Node(const std::string& word) {
    const auto v = ParseNumber(word);
    if (!v || *v < 1 || *v > static_cast<double>(count_) || *v != static_cast<double>(static_cast<long>(*v)))
        return std::nullopt;
    return std::to_string(static_cast<long>(*v));
}

std::string PajekReader::Vertex(long long line, const std::vector<std::string>& words) {
    const auto id = Node(words[0]);
    if (!id) return Bad(line, "a vertex number out of 1.." + std::to_string(count_));
    GraphNode& node = graph_.nodes[static_cast<std::size_t>(std::stol(*id)) - 1];
    Attributes& a = node.attributes;
    a.clear();
    std::size_t k = 1;
    if (k < words.size()) a.push_back({"name", Utf8ToLatin1(words[k++])});
    // Up to three coordinates, then a shape, then pairs of a key and its value.
    if (k + 1 < words.size() && ParseNumber(words[k]) && ParseNumber(words[k + 1])) {
        a.push_back({"x", words[k]});
        a.push_back({"y", words[k + 1]});
        k += 2;
        if (k < words.size() && ParseNumber(words[k])) ++k;
    }
    if (k < words.size() && (words.size() - k) % 2 == 1) ++k; // the shape: Plax draws its own
    for (; k + 1 < words.size(); k += 2) {
        const std::string key = Lower(words[k]);
        a.push_back({key == "ic" ? "color" : key, Utf8ToLatin1(words[k + 1])});
    }
    return {};
}

std::string PajekReader::AddEdge(long long line, const std::string& from, const std::string& to,
                                 Attributes attributes, bool arcs) {
    const auto a = Node(from);
    const auto b = Node(to);
    if (!a || !b) return Bad(line, "a vertex number out of 1.." + std::to_string(count_));
    (arcs ? arcs_ : edges_) = true;
    if (arcs_ && edges_) return MixedDirectionReason();
    graph_.edges.push_back({*a, *b, std::move(attributes), {}});
    if (graph_.edges.size() > static_cast<std::size_t>(MaxPoints * MaxPoints))
        return TooManyEdgesReason(graph_.edges.size());
    return {};
}

std::string PajekReader::Edge(long long line, const std::vector<std::string>& words, bool arcs) {
    if (words.size() < 2) return Bad(line, "not \"from to [weight]\"");
    Attributes attributes;
    std::size_t k = 2;
    if (k < words.size() && ParseNumber(words[k])) attributes.push_back({"weight", words[k++]});
    for (; k + 1 < words.size(); k += 2) {
        const std::string key = Lower(words[k]);
        attributes.push_back({key == "c" ? "color" : key == "l" ? "label" : key, Utf8ToLatin1(words[k + 1])});
    }
    return AddEdge(line, words[0], words[1], std::move(attributes), arcs);
}

std::string PajekReader::List(long long line, const std::vector<std::string>& words, bool arcs) {
    for (std::size_t k = 1; k < words.size(); ++k) {
        if (std::string r = AddEdge(line, words[0], words[k], {}, arcs); !r.empty()) return r;
    }
    return {};
}

std::string PajekReader::MatrixRow(long long line, const std::vector<std::string>& words) {
    if (matrixRow_ >= count_ || words.size() != count_) return Bad(line, "not a row of the matrix");
    ++matrixRow_;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const auto v = ParseNumber(words[k]);
        if (!v) return Bad(line, "not a number in the matrix");
        if (*v == 0) continue;
        if (std::string r = AddEdge(line, std::to_string(matrixRow_), std::to_string(k + 1),
                                    {{"weight", words[k]}}, true);
            !r.empty())
            return r;
    }
    return {};
}

std::string PajekReader::Read(std::string_view bytes) {
    Section section = Section::None;
    bool vertices = false;
    for (const TextLine& line : TextLines(bytes, '%')) {
        const auto words = LineWords(line.text);
        if (!words) return Bad(line.number, "a quote not closed");
        if (words->empty()) continue;
        if ((*words)[0].starts_with('*')) {
            section = SectionOf((*words)[0]);
            if (Lower((*words)[0]) == "*network") {
                std::string name;
                for (std::size_t k = 1; k < words->size(); ++k)
                    name += (k > 1 ? " " : "") + (*words)[k];
                if (!name.empty()) graph_.attributes.push_back({"name", Utf8ToLatin1(name)});
                section = Section::None;
            } else if (section == Section::Vertices) {
                const auto n = words->size() > 1 ? ParseNumber((*words)[1]) : std::nullopt;
                if (vertices || !n || *n < 0) return Bad(line.number, "no vertex count");
                if (*n > MaxPoints) return TooManyPointsReason(static_cast<std::size_t>(std::min(*n, 1e9)));
                if (*n != static_cast<double>(static_cast<int>(*n)))
                    return Bad(line.number, "no vertex count");
                vertices = true;
                count_ = static_cast<std::size_t>(*n);
                for (std::size_t k = 1; k <= count_; ++k)
                    graph_.nodes.push_back({std::to_string(k), {}});
            } else if (section == Section::Other) {
                return Bad(line.number, "the section " + CutText((*words)[0], 40));
            } else if (!vertices) {
                return Bad(line.number, "edges before *Vertices");
            }
            continue;
        }
        std::string r;
        switch (section) {
        case Section::Vertices: r = Vertex(line.number, *words); break;
        case Section::Arcs: r = Edge(line.number, *words, true); break;
        case Section::Edges: r = Edge(line.number, *words, false); break;
        case Section::ArcsList: r = List(line.number, *words, true); break;
        case Section::EdgesList: r = List(line.number, *words, false); break;
        case Section::Matrix: r = MatrixRow(line.number, *words); break;
        case Section::None:
        case Section::Other: r = Bad(line.number, "a line outside any section"); break;
        }
        if (!r.empty()) return r;
    }
    if (!vertices) return NoGraphReason();
    graph_.directed = arcs_;
    return {};
}

// A word Pajek and shlex read back as it is: quoted, with the quotes it cannot hold made single.
std::string PajekWord(const std::string& latin1) {
    std::string text = Latin1ToUtf8(latin1);
    std::replace(text.begin(), text.end(), '"', '\'');
    return "\"" + text + "\"";
}

} // namespace

std::string ReadPajek(std::string_view bytes, GraphDocument& graph) {
    PajekReader reader(graph);
    return reader.Read(bytes);
}

std::string PajekText(const GraphDocument& graph) {
    std::string out;
    if (const std::string* name = FindValue(graph.attributes, "name"); name && !name->empty())
        out += "*Network " + PajekWord(*name) + "\n";
    out += "*Vertices " + std::to_string(graph.nodes.size()) + "\n";
    const std::vector<std::string> labels = NodeLabels(graph, false);
    std::vector<std::string> ids;
    for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
        const GraphNode& node = graph.nodes[k];
        ids.push_back(node.id);
        out += std::to_string(k + 1) + " " + PajekWord(labels[k]);
        const std::string* x = FindValue(node.attributes, "x");
        const std::string* y = FindValue(node.attributes, "y");
        // networkx reads the coordinates only with a shape after them.
        if (x && y) out += " " + *x + " " + *y + " ellipse";
        out += "\n";
    }
    out += graph.directed ? "*Arcs\n" : "*Edges\n";
    const auto number = [&ids](const std::string& id) {
        return std::to_string(std::find(ids.begin(), ids.end(), id) - ids.begin() + 1);
    };
    for (const GraphEdge& e : graph.edges)
        out += number(e.source) + " " + number(e.target) + " " + ValueOr(e.attributes, "weight", "1") + "\n";
    return out;
}

// Its first line that says something is a '%' comment or a "*Network" or "*Vertices" section;
// a net file starts with a zero byte.
bool HoldsPajek(std::string_view bytes) {
    const auto first = bytes.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return false;
    if (bytes[first] == '%') return true;
    const std::string head = Lower(bytes.substr(first, 10));
    return head.starts_with("*network") || head.starts_with("*vertices");
}

} // namespace plax
