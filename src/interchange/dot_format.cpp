#include "dot_format.h"

#include "text_format.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace plax {

namespace {

// cgraph keeps a backslash in a quoted string unless a quote, a line end or another backslash
// follows it, and it drops a line end that stands alone between quotes and backslashes; a name
// with an odd run of backslashes before a quote, a line end or its own end, or with such a
// line end, has no quoted form. An HTML string carries any text whose angle brackets pair up.
std::optional<std::string> Quoted(const std::string& latin1) {
    const std::string text = Latin1ToUtf8(latin1);
    bool quotable = true;
    std::size_t run = 0;   // backslashes just before
    std::size_t plain = 0; // characters since the last quote or backslash
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '"';
        if (run % 2 == 1 && (c == '"' || c == '\n')) quotable = false;
        const bool special = c == '"' || c == '\\';
        if (special && plain == 1 && text[i - 1] == '\n') quotable = false;
        run = c == '\\' ? run + 1 : 0;
        plain = special ? 0 : plain + 1;
    }
    if (quotable) {
        std::string out = "\"";
        for (const char c : text) {
            if (c == '"') out += '\\';
            out += c;
        }
        return out + "\"";
    }
    int depth = 0;
    for (const char c : text) {
        depth += c == '<' ? 1 : c == '>' ? -1 : 0;
        if (depth < 0) return std::nullopt;
    }
    if (depth != 0) return std::nullopt;
    return "<" + text + ">";
}

std::string DotName(const std::string& name) {
    if (name == "name") return "label";
    if (name == "shape") return DotShapeKey;
    return name;
}

std::optional<std::string> AttributeList(const Attributes& attributes, const std::string& pos) {
    std::string out;
    bool written = true;
    const auto add = [&](const std::string& name, const std::string& value) {
        const auto quoted = Quoted(value);
        written = written && quoted.has_value();
        if (quoted) out += (out.empty() ? " [" : ", ") + name + "=" + *quoted;
    };
    if (!pos.empty()) add("pos", pos);
    for (const Attribute& a : attributes) {
        if (a.name != "x" && a.name != "y") add(DotName(a.name), a.value);
    }
    if (!written) return std::nullopt;
    return out.empty() ? out : out + "]";
}

// An edge's attributes with its label as neato -n draws it: the parts shown, joined by "/" (a
// flow the file leaves out is 0). The name, the first settings' one when the edge has none of its
// own, travels under a key of its own when the label is not it and could be taken for it.
Attributes LabelledEdge(const Attributes& attributes, const DotLabelParts& labels) {
    const std::string* own = FindValue(attributes, "name");
    const std::string name = own != nullptr ? *own : OptionType{}.newEdgeName;
    const std::string weight = ValueOr(attributes, "weight", "");
    std::string label;
    const auto add = [&label](const std::string& part) {
        if (!part.empty()) label += (label.empty() ? "" : "/") + part;
    };
    if (labels.name) add(name);
    if (labels.weight) add(weight);
    if (labels.flow) add(ValueOr(attributes, "flow", "0"));
    // An empty name can only travel as an empty label: Graphviz gives every edge an empty
    // value of a key that some edge has.
    if (name.empty()) label.clear();
    Attributes out;
    if (!label.empty() || name.empty()) out.push_back({"name", label});
    // What a reader takes from the label alone: no name where it only repeats the weight.
    const auto w = ParseNumber(weight);
    const bool weightOnly = (label.empty() && !name.empty()) || (w && ParseNumber(label) == w);
    if ((weightOnly ? OptionType{}.newEdgeName : label) != name) out.push_back({DotNameKey, name});
    for (const Attribute& a : attributes) {
        if (a.name != "name") out.push_back(a);
    }
    return out;
}

} // namespace

std::optional<std::string> DotText(const GraphDocument& graph, const DotLabelParts& labels) {
    const std::string* name = FindValue(graph.attributes, "name");
    const auto graphName = Quoted(name ? *name : "");
    if (!graphName) return std::nullopt;
    std::string out = std::string(graph.directed ? "digraph " : "graph ") + *graphName + " {\n";
    Attributes rest;
    for (const Attribute& a : graph.attributes) {
        if (a.name != "name") rest.push_back(a);
    }
    // The frame the positions are measured in: y upwards from the canvas's top.
    std::optional<std::pair<double, double>> across;
    double depth = 0;
    for (const GraphNode& node : graph.nodes) {
        const auto x = ParseNumber(ValueOr(node.attributes, "x", ""));
        const auto y = ParseNumber(ValueOr(node.attributes, "y", ""));
        if (!x || !y) continue;
        across =
            across ? std::pair{std::min(across->first, *x), std::max(across->second, *x)} : std::pair{*x, *x};
        depth = std::max(depth, *y);
    }
    if (across) {
        rest.push_back({"bb", NumberText(across->first) + "," + NumberText(-depth) + "," +
                                  NumberText(across->second) + ",0"});
    }
    const auto graphAttributes = AttributeList(rest, "");
    if (!graphAttributes) return std::nullopt;
    if (!rest.empty()) out += "  graph" + *graphAttributes + ";\n";
    for (const GraphNode& node : graph.nodes) {
        const std::string* x = FindValue(node.attributes, "x");
        const std::string* y = FindValue(node.attributes, "y");
        const auto yUp = y ? ParseNumber(*y) : std::nullopt;
        const std::string pos = x && yUp ? *x + "," + NumberText(-*yUp) + "!" : "";
        const auto id = Quoted(node.id);
        const auto list = AttributeList(node.attributes, pos);
        if (!id || !list) return std::nullopt;
        out += "  " + *id + *list + ";\n";
    }
    const char* arrow = graph.directed ? " -> " : " -- ";
    for (const GraphEdge& edge : graph.edges) {
        const Attributes shown = LabelledEdge(edge.attributes, labels);
        const auto source = Quoted(edge.source);
        const auto target = Quoted(edge.target);
        const auto list = AttributeList(shown, "");
        if (!source || !target || !list) return std::nullopt;
        out += "  " + *source + arrow + *target + *list + ";\n";
    }
    return out + "}\n";
}

} // namespace plax
