#include "tikz_format.h"

#include "graph_document.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <cstdio>
#include <set>

namespace plax {

namespace {

constexpr double PixelsPerCm = 50.0;

const char* ShapeStyle(int shape) {
    switch (shape) {
    case 1: return "rectangle, minimum size=5mm";
    case 2: return "rectangle, minimum width=1.5mm, minimum height=6mm";
    case 3: return "rectangle, minimum width=6mm, minimum height=1.5mm";
    case 4: return "diamond, minimum size=6mm";
    case 5: return "rectangle, rounded corners=1.5mm, minimum size=5mm";
    case 6: return "regular polygon, regular polygon sides=3, minimum size=7mm";
    case 7: return "regular polygon, regular polygon sides=3, shape border rotate=180, minimum size=7mm";
    default: break;
    }
    return "circle, minimum size=5mm";
}

const char* ShapeName(int shape) {
    static const char* names[] = {"circle",  "square",  "transition v", "transition h",
                                  "diamond", "rounded", "triangle up",  "triangle down"};
    return shape >= 0 && shape < 8 ? names[shape] : names[0];
}

std::string Cm(int pixels) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", pixels / PixelsPerCm);
    std::string text = buf;
    return text == "-0.00" ? "0.00" : text;
}

// LaTeX's special characters in a name, made printable.
std::string TexText(const std::string& latin1) {
    std::string out;
    for (const char c : Latin1ToUtf8(latin1)) {
        switch (c) {
        case '#':
        case '$':
        case '%':
        case '&':
        case '_':
        case '{':
        case '}': out += std::string("\\") + c; break;
        case '\\': out += "\\textbackslash{}"; break;
        case '^': out += "\\textasciicircum{}"; break;
        case '~': out += "\\textasciitilde{}"; break;
        default: out += c;
        }
    }
    return out;
}

constexpr const char* TikzPreamble = "\\usepackage{tikz}\\usetikzlibrary{arrows.meta,shapes.geometric}";

std::string ColourName(Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "c%06X", ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu));
    return buf;
}

} // namespace

std::string TikzText(const NetWorkType& net, bool standalone) {
    std::string out;
    if (standalone) {
        // The article class and pgf are in every TeX installation; standalone is not.
        out += "\\documentclass{article}\n\\usepackage[utf8]{inputenc}\n" + std::string(TikzPreamble) +
               "\n\\pagestyle{empty}\n\\begin{document}\n\\begin{center}\n";
    }
    const bool directed = !IsUndirected(net);
    std::set<Color> colours;
    std::set<int> shapes;
    for (int i = 1; i <= net.n; ++i) {
        colours.insert(net.points[static_cast<std::size_t>(i)].color & 0xFFFFFFu);
        shapes.insert(net.points[static_cast<std::size_t>(i)].shape);
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            colours.insert(e.color & 0xFFFFFFu);
    }
    out += "% " + TexText(net.name) + "\n";
    // A picture pasted into a document of the user's own says what its preamble must load.
    if (!standalone) out += "% " + std::string(TikzPreamble) + "\n";
    for (const Color c : colours) {
        char rgb[8];
        std::snprintf(rgb, sizeof rgb, "%06X", ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu));
        out += "\\definecolor{" + ColourName(c) + "}{HTML}{" + rgb + "}\n";
    }
    out += "\\begin{tikzpicture}[\n  point/.style={draw, inner sep=1pt, font=\\small},\n";
    for (const int s : shapes)
        out += "  " + std::string(ShapeName(s)) + " point/.style={point, " + ShapeStyle(s) + "},\n";
    out += "  edge/.style={draw" + std::string(directed ? ", -{Stealth[length=2.5mm]}" : "") + "},\n";
    out += "  weight/.style={auto, font=\\footnotesize, inner sep=1pt},\n]\n";
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        const std::string name = p.name.empty() ? std::to_string(i) : TexText(p.name);
        out += "  \\node[" + std::string(ShapeName(p.shape)) + " point, " + ColourName(p.color & 0xFFFFFFu) +
               "] (p" + std::to_string(i) + ") at (" + Cm(p.x) + ", " + Cm(-p.y) + ") {" + name + "};\n";
    }
    for (int i = 1; i <= net.n; ++i) {
        const EdgeList& list = net.lists[static_cast<std::size_t>(i)];
        for (auto e = list.rbegin(); e != list.rend(); ++e) {
            if (!directed && e->target < i) continue;
            // The two edges of a directed pair bend apart, each weight on its own edge's side.
            const bool pair = directed && EdgeExists(net, e->target, i);
            out += "  \\draw[edge, " + ColourName(e->color & 0xFFFFFFu) + (pair ? ", bend left=15" : "") +
                   "] (p" + std::to_string(i) + ") to node[weight] {" + TexText(NumberText(e->weight)) +
                   "} (p" + std::to_string(e->target) + ");\n";
        }
    }
    out += "\\end{tikzpicture}\n";
    if (standalone) out += "\\end{center}\n\\end{document}\n";
    return out;
}

} // namespace plax
