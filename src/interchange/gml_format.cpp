#include "gml_format.h"

#include "interchange_messages.h"
#include "text_format.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

namespace plax {

namespace {

// A file's lists nest a few deep (graph, node, graphics, and whatever a tool adds); a hostile one
// is stopped here, and so is one of a great many values.
constexpr int MaxDepth = 16;
constexpr std::size_t MaxValues = 100000;

struct GmlValue {
    std::string key;
    std::string text; // a number or a string, references resolved
    bool list = false;
    std::vector<GmlValue> items;
};

class GmlParser {
public:
    explicit GmlParser(std::string_view text) : text_(text) {}
    // The values at the top, read without recursion.
    std::string Parse(std::vector<GmlValue>& top);

private:
    std::string Bad(const std::string& detail) const { return SyntaxReason("GML", line_, detail); }
    void SkipBlanks();
    std::string Word();
    std::string String(std::string& out);

    std::string_view text_;
    std::size_t at_ = 0;
    long long line_ = 1;
    std::size_t values_ = 0;
};

void GmlParser::SkipBlanks() {
    while (at_ < text_.size()) {
        const char c = text_[at_];
        if (c == '\n') ++line_;
        if (c == '#') {
            // A comment runs to the line end.
            while (at_ < text_.size() && text_[at_] != '\n')
                ++at_;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++at_;
        } else {
            return;
        }
    }
}

std::string GmlParser::Word() {
    const std::size_t start = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_' ||
                                  text_[at_] == '.' || text_[at_] == '-' || text_[at_] == '+'))
        ++at_;
    return std::string(text_.substr(start, at_ - start));
}

// A quoted string; "&quot;", "&amp;", "&lt;", "&gt;" and "&#N;" stand for their characters.
std::string GmlParser::String(std::string& out) {
    ++at_;
    while (at_ < text_.size() && text_[at_] != '"') {
        if (out.size() > MaxValueLength) return Bad("a string longer than " + std::to_string(MaxValueLength));
        if (text_[at_] == '&') {
            const std::size_t end = text_.find(';', at_);
            const std::string_view ref =
                end == std::string_view::npos || end - at_ > 10 ? "" : text_.substr(at_ + 1, end - at_ - 1);
            int code = -1;
            if (ref == "quot") code = '"';
            if (ref == "amp") code = '&';
            if (ref == "lt") code = '<';
            if (ref == "gt") code = '>';
            if (ref.size() > 1 && ref[0] == '#') {
                const auto v = ParseNumber(ref.substr(1));
                if (v && *v >= 1 && *v <= 0x10FFFF) code = static_cast<int>(*v);
            }
            if (code >= 0) {
                if (code < 0x100) {
                    out += static_cast<char>(code);
                } else {
                    out += '?'; // beyond Latin-1, which names hold
                }
                at_ = end + 1;
            } else {
                out += '&';
                ++at_;
            }
            continue;
        }
        // Raw bytes are UTF-8 as networkx writes them: turned into Latin-1 by the run.
        std::size_t run = at_;
        while (run < text_.size() && text_[run] != '"' && text_[run] != '&')
            ++run;
        out += Utf8ToLatin1(text_.substr(at_, run - at_));
        for (std::size_t k = at_; k < run; ++k)
            line_ += text_[k] == '\n' ? 1 : 0;
        at_ = run;
    }
    if (at_ >= text_.size()) return Bad("a string not closed");
    if (out.size() > MaxValueLength) return Bad("a string longer than " + std::to_string(MaxValueLength));
    ++at_;
    return {};
}

std::string GmlParser::Parse(std::vector<GmlValue>& top) {
    std::vector<std::vector<GmlValue>*> open = {&top};
    for (;;) {
        SkipBlanks();
        if (at_ >= text_.size()) break;
        if (text_[at_] == ']') {
            if (open.size() == 1) return Bad("a ] without its [");
            open.pop_back();
            ++at_;
            continue;
        }
        GmlValue value;
        value.key = Word();
        if (value.key.empty() || !std::isalpha(static_cast<unsigned char>(value.key[0])))
            return Bad("a key expected");
        SkipBlanks();
        if (at_ >= text_.size()) return Bad("the key " + CutText(value.key, 40) + " has no value");
        if (++values_ > MaxValues) return Bad("more than " + std::to_string(MaxValues) + " values");
        if (text_[at_] == '[') {
            ++at_;
            if (static_cast<int>(open.size()) > MaxDepth)
                return Bad("lists nested more than " + std::to_string(MaxDepth) + " deep");
            value.list = true;
            open.back()->push_back(std::move(value));
            open.push_back(&open.back()->back().items);
            continue;
        }
        if (text_[at_] == '"') {
            if (std::string r = String(value.text); !r.empty()) return r;
        } else {
            value.text = Word();
            if (!ParseNumber(value.text))
                return Bad("the value of " + CutText(value.key, 40) + " is not a number");
        }
        open.back()->push_back(std::move(value));
    }
    if (open.size() != 1) return Bad("a [ not closed");
    return {};
}

const GmlValue* Find(const std::vector<GmlValue>& items, std::string_view key) {
    for (const GmlValue& v : items) {
        if (v.key == key) return &v;
    }
    return nullptr;
}

// The attributes of a node or an edge: plain values as they are, the graphics' position and
// fill colour, and any other list passed over by name.
Attributes AttributesOf(const std::vector<GmlValue>& items, std::initializer_list<std::string_view> taken) {
    Attributes out;
    for (const GmlValue& v : items) {
        if (std::find(taken.begin(), taken.end(), v.key) != taken.end()) continue;
        if (v.key == "graphics" && v.list) {
            for (const char* part : {"x", "y"}) {
                if (const GmlValue* c = Find(v.items, part); c && !c->list) out.push_back({part, c->text});
            }
            if (const GmlValue* fill = Find(v.items, "fill"); fill && !fill->list)
                out.push_back({"color", fill->text});
        } else {
            out.push_back({v.key, v.list ? std::string("[list]") : v.text});
        }
    }
    return out;
}

std::string Quoted(const std::string& latin1) {
    std::string out = "\"";
    for (const char c : latin1) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "&quot;";
        } else if (c == '&') {
            out += "&amp;";
        } else if (u >= 0x80 || u < 0x20) {
            out += "&#" + std::to_string(u) + ";";
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Numbers are written bare, anything else quoted.
std::string GmlValueText(const std::string& value) {
    return ParseNumber(value) && value.find_first_of(" \t") == std::string::npos ? value : Quoted(value);
}

} // namespace

std::string ReadGml(std::string_view bytes, GraphDocument& graph) {
    std::vector<GmlValue> top;
    GmlParser parser(bytes);
    if (std::string r = parser.Parse(top); !r.empty()) return r;
    const GmlValue* g = Find(top, "graph");
    if (g == nullptr || !g->list) return NoGraphReason();
    for (const GmlValue& v : g->items) {
        if (v.key == "directed") {
            graph.directed = v.text == "1";
        } else if (v.key == "node" && v.list) {
            const GmlValue* id = Find(v.items, "id");
            if (id == nullptr || id->list) return SyntaxReason("GML", 0, "a node without an id");
            graph.nodes.push_back({id->text, AttributesOf(v.items, {"id"})});
            if (graph.nodes.size() > static_cast<std::size_t>(MaxPoints)) {
                const auto count = std::count_if(g->items.begin(), g->items.end(),
                                                 [](const GmlValue& n) { return n.key == "node"; });
                return TooManyPointsReason(static_cast<std::size_t>(count));
            }
        } else if (v.key == "edge" && v.list) {
            const GmlValue* from = Find(v.items, "source");
            const GmlValue* to = Find(v.items, "target");
            if (from == nullptr || to == nullptr || from->list || to->list)
                return SyntaxReason("GML", 0, "an edge without its source and target");
            graph.edges.push_back(
                {from->text, to->text, AttributesOf(v.items, {"source", "target", "id", "key"}), {}});
            if (graph.edges.size() > static_cast<std::size_t>(MaxPoints * MaxPoints))
                return TooManyEdgesReason(graph.edges.size());
        } else if (v.key == "name" || v.key == "label") {
            if (!v.list) graph.attributes.push_back({"name", v.text});
        } else if (v.key != "multigraph") {
            graph.attributes.push_back({v.key, v.list ? std::string("[list]") : v.text});
        }
    }
    return {};
}

namespace {

// A key GML can write: a letter, then letters, digits and underscores (an attribute kept from
// another format may be named otherwise).
bool IsGmlKey(std::string_view name) {
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (name.empty() || !letter(name[0])) return false;
    return std::all_of(name.begin(), name.end(),
                       [&](char c) { return letter(c) || (c >= '0' && c <= '9') || c == '_'; });
}

} // namespace

std::string GmlText(const GraphDocument& graph) {
    std::string out = "graph [\n";
    if (graph.directed) out += "  directed 1\n";
    if (const std::string* name = FindValue(graph.attributes, "name"); name && !name->empty())
        out += "  name " + Quoted(*name) + "\n";
    const std::vector<std::string> labels = NodeLabels(graph, false);
    for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
        const GraphNode& node = graph.nodes[k];
        out += "  node [\n    id " + std::to_string(k) + "\n    label " + Quoted(labels[k]) + "\n";
        const std::string* x = FindValue(node.attributes, "x");
        const std::string* y = FindValue(node.attributes, "y");
        for (const Attribute& a : node.attributes) {
            if (a.name != "x" && a.name != "y" && a.name != "label" && a.name != "graphics" &&
                !(a.name == "name" && labels[k] == a.value) && IsGmlKey(a.name))
                out += "    " + a.name + " " + GmlValueText(a.value) + "\n";
        }
        if (x && y) out += "    graphics [\n      x " + *x + "\n      y " + *y + "\n    ]\n";
        out += "  ]\n";
    }
    const auto number = [&graph](const std::string& id) {
        for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
            if (graph.nodes[k].id == id) return std::to_string(k);
        }
        return std::string("-1");
    };
    for (const GraphEdge& e : graph.edges) {
        out += "  edge [\n    source " + number(e.source) + "\n    target " + number(e.target) + "\n";
        for (const Attribute& a : e.attributes)
            if (IsGmlKey(a.name)) out += "    " + a.name + " " + GmlValueText(a.value) + "\n";
        out += "  ]\n";
    }
    return out + "]\n";
}

} // namespace plax
