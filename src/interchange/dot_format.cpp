#include "dot_format.h"

#include "dot_scan.h"
#include "interchange_messages.h"
#include "text_format.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <graphviz/cgraph.h>

// cgraph's scanner keeps what it read ahead from one file for the next; this drops it. Graphviz
// 2.42 exports it without declaring it.
extern "C" void aglexbad(void);

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace plax {

namespace {

// Our names for the attributes DOT spells its own way.
constexpr const char* DotShape = "plax_shape";

// Attributes that only say how Graphviz draws or laid out a graph: a net has no place for them.
const std::set<std::string>& DrawingAttributes() {
    static const std::set<std::string> names = {
        "_background", "_draw_",      "_hdraw_",   "_hldraw_",    "_ldraw_",     "_tdraw_",   "_tldraw_",
        "arrowhead",   "arrowsize",   "arrowtail", "bb",          "bgcolor",     "center",    "concentrate",
        "constraint",  "dir",         "dpi",       "fillcolor",   "fixedsize",   "fontcolor", "fontname",
        "fontsize",    "group",       "head_lp",   "headlabel",   "height",      "K",         "labelloc",
        "layout",      "len",         "lheight",   "lp",          "lwidth",      "margin",    "minlen",
        "mode",        "model",       "nodesep",   "ordering",    "outputorder", "overlap",   "pad",
        "penwidth",    "peripheries", "rank",      "rankdir",     "ranksep",     "ratio",     "rects",
        "sep",         "shape",       "size",      "splines",     "start",       "style",     "tail_lp",
        "taillabel",   "vertices",    "width",     "xdotversion", "xlabel",      "xlp"};
    return names;
}

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

// An edge's own name beside a label that shows more (or other) than the name.
constexpr const char* NameKey = "plax_name";

std::string DotName(const std::string& name) {
    if (name == "name") return "label";
    if (name == "shape") return DotShape;
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
    if ((weightOnly ? OptionType{}.newEdgeName : label) != name) out.push_back({NameKey, name});
    for (const Attribute& a : attributes) {
        if (a.name != "name") out.push_back(a);
    }
    return out;
}

struct GraphCloser {
    void operator()(Agraph_t* g) const { agclose(g); }
};

// What cgraph had to say about the last error, without its line end. Graphviz 2.42 hands the
// text over to the caller, who frees it.
std::string LastError() {
    const std::unique_ptr<char, decltype(&std::free)> text(aglasterr(), &std::free);
    std::string error = text ? text.get() : "unreadable";
    while (!error.empty() && (error.back() == '\n' || error.back() == '\r'))
        error.pop_back();
    return Utf8ToLatin1(CutText(error, 200));
}

// The top of the bounding box a layout wrote, from which Graphviz's upward y is measured down;
// without one, the highest node's y, so that the drawing starts at the canvas's top.
double BoxTop(Agraph_t* g) {
    const char* bb = agget(g, const_cast<char*>("bb"));
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    if (bb != nullptr && std::sscanf(bb, "%lf,%lf,%lf,%lf", &left, &bottom, &right, &top) == 4 &&
        std::isfinite(top)) {
        return top;
    }
    bool any = false;
    for (Agnode_t* n = agfstnode(g); n != nullptr; n = agnxtnode(g, n)) {
        const char* pos = agget(n, const_cast<char*>("pos"));
        double x = 0.0, y = 0.0;
        if (pos == nullptr || std::sscanf(pos, "%lf,%lf", &x, &y) != 2 || !std::isfinite(y)) continue;
        top = any ? std::max(top, y) : y;
        any = true;
    }
    return top;
}

// "x,y" or "x,y!" as the point's x and y.
bool AddPosition(const std::string& pos, double top, Attributes& out) {
    double x = 0.0, y = 0.0;
    char rest[2] = {0, 0};
    const int read = std::sscanf(pos.c_str(), "%lf,%lf%1s", &x, &y, rest);
    if (read < 2 || (read == 3 && rest[0] != '!') || !std::isfinite(x) || !std::isfinite(y)) return false;
    out.push_back({"x", NumberText(std::nearbyint(x))});
    out.push_back({"y", NumberText(std::nearbyint(top - y))});
    return true;
}

// The attributes of one object with a value, in DOT's spelling turned into ours.
std::string ReadObject(Agraph_t* g, void* object, int kind, const std::string& element, double top,
                       Attributes& out) {
    for (Agsym_t* sym = agnxtattr(g, kind, nullptr); sym != nullptr; sym = agnxtattr(g, kind, sym)) {
        const std::string name = sym->name;
        const std::string value = Utf8ToLatin1(agxget(object, sym));
        // Where labels are given, an empty one is an empty name; elsewhere the id names a node.
        if ((value.empty() && name != "label") || DrawingAttributes().count(name) != 0) continue;
        if (value.size() > MaxValueLength) return ValueTooLongReason(element, CutText(name, 40));
        if (name == "pos" && kind == AGNODE) {
            if (!AddPosition(value, top, out))
                return BadValueReason(element, "pos", CutText(value, 40), "x,y");
        } else if (name == "pos") {
            continue; // an edge's spline
        } else if (name == "label" && kind == AGEDGE) {
            // An edge's label may be its weight: the reader of the net decides (WeightAttributes).
            out.push_back({"label", value});
        } else if (name == "label") {
            // "\N" is Graphviz's way of saying "the node's own name".
            if (value != "\\N") out.push_back({"name", value});
        } else {
            out.push_back({name == DotShape  ? std::string("shape")
                           : name == NameKey ? std::string("name")
                                             : name,
                           value});
        }
    }
    return {};
}

std::string ReadGraphObjects(Agraph_t* g, GraphDocument& graph) {
    const double top = BoxTop(g);
    const std::string name = agnameof(g);
    // cgraph names an anonymous graph "%N".
    if (!name.empty() && name[0] != '%') graph.attributes.push_back({"name", Utf8ToLatin1(name)});
    if (std::string r = ReadObject(g, g, AGRAPH, GraphElement, top, graph.attributes); !r.empty()) return r;
    for (Agnode_t* n = agfstnode(g); n != nullptr; n = agnxtnode(g, n)) {
        GraphNode node{Utf8ToLatin1(agnameof(n)), {}};
        if (std::string r = ReadObject(g, n, AGNODE, NodeElement(node.id), top, node.attributes); !r.empty())
            return r;
        graph.nodes.push_back(std::move(node));
        // Reading stops where a net would: the count is enough for the refusal.
        if (graph.nodes.size() > static_cast<std::size_t>(MaxPoints))
            return TooManyPointsReason(static_cast<std::size_t>(agnnodes(g)));
    }
    // cgraph lists a node's edges by their heads; the file's order is the edges' sequence.
    std::vector<Agedge_t*> edges;
    for (Agnode_t* n = agfstnode(g); n != nullptr; n = agnxtnode(g, n)) {
        for (Agedge_t* e = agfstout(g, n); e != nullptr; e = agnxtout(g, e))
            edges.push_back(e);
    }
    std::sort(edges.begin(), edges.end(), [](Agedge_t* a, Agedge_t* b) { return AGSEQ(a) < AGSEQ(b); });
    for (Agedge_t* e : edges) {
        GraphEdge edge{Utf8ToLatin1(agnameof(agtail(e))), Utf8ToLatin1(agnameof(aghead(e))), {}, {}};
        const std::string element = EdgeElement(edge.source, edge.target);
        if (std::string r = ReadObject(g, e, AGEDGE, element, top, edge.attributes); !r.empty()) return r;
        graph.edges.push_back(std::move(edge));
        if (graph.edges.size() > static_cast<std::size_t>(MaxPoints * (MaxPoints - 1))) {
            return TooManyEdgesReason(static_cast<std::size_t>(agnedges(g)));
        }
    }
    return {};
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

std::string ReadDot(std::string_view bytes, GraphDocument& graph) {
    // cgraph reads a C string: a NUL byte would end the file early and quietly.
    if (bytes.find('\0') != std::string_view::npos) return SyntaxReason("DOT", 0, "a NUL byte");
    const DotScan scan = ScanDot(bytes);
    if (!scan.refusal.empty()) return scan.refusal;
    agseterr(AGMAX); // keep cgraph's messages for aglasterr instead of printing them
    agreseterrors();
    aglexbad();
    const std::unique_ptr<Agraph_t, GraphCloser> g(agmemread(scan.text.c_str()));
    // Past its own limits cgraph may give up and still answer a graph, with fewer nodes.
    if (!g || static_cast<std::size_t>(agnnodes(g.get())) < scan.nodes)
        return SyntaxReason("DOT", 0, LastError());
    graph.directed = agisdirected(g.get()) != 0;
    return ReadGraphObjects(g.get(), graph);
}

} // namespace plax
