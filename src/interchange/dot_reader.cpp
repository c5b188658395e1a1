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
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

namespace plax {

namespace {

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
            out.push_back({name == DotShapeKey ? std::string("shape")
                           : name == DotNameKey ? std::string("name")
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
