#include "net_graph.h"

#include "interchange_messages.h"
#include "net_attributes.h"

#include "model/net_file.h"
#include "model/net_layout.h"
#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace plax {

namespace {

// Where nodes without a position go: a new document window's visible canvas.
constexpr int NewCanvasWidth = 593;
constexpr int NewCanvasHeight = 351;
constexpr std::size_t MaxEdges = MaxPoints * (MaxPoints - 1);

// A net file may hold a NUL in a name, which no text format carries and every reader refuses.
Attributes WithoutNul(Attributes attributes) {
    for (Attribute& a : attributes)
        std::replace(a.value.begin(), a.value.end(), '\0', '?');
    return attributes;
}

bool HasNul(const std::string& text) { return text.find('\0') != std::string::npos; }

std::string NulRefusal(const GraphDocument& graph) {
    const auto shown = [](std::string id) {
        std::replace(id.begin(), id.end(), '\0', '?');
        return id;
    };
    const auto any = [](const Attributes& as) {
        return std::any_of(as.begin(), as.end(), [](const Attribute& a) { return HasNul(a.value); });
    };
    if (any(graph.attributes)) return NulReason(GraphElement);
    for (const GraphNode& node : graph.nodes)
        if (HasNul(node.id) || any(node.attributes)) return NulReason(NodeElement(shown(node.id)));
    for (const GraphEdge& edge : graph.edges)
        if (HasNul(edge.source) || HasNul(edge.target) || any(edge.attributes))
            return NulReason(EdgeElement(shown(edge.source), shown(edge.target)));
    return {};
}

// The records a reader starts a point and an edge from, before the file's attributes.
PointType NewPoint(const OptionType& options) {
    PointType p;
    p.weight = 1.0;
    p.tokens = 1;
    p.color = options.foreDefaultColor;
    p.reserved = static_cast<std::uint16_t>(options.newReserved);
    return p;
}

EdgeType NewEdge(const OptionType& options) {
    EdgeType e;
    e.weight = 1.0;
    e.name = CutText(options.newEdgeName, MaxNameLength);
    e.color = options.foreDefaultColor;
    e.reserved = static_cast<std::uint32_t>(options.newReserved);
    e.lineWidth = 1;
    return e;
}

// What a reader with the program's first settings sets anyway is not written: other programs
// see the values that say something.
// The attributes kept from a file after the net's own, none that would repeat a name or stand
// for what the formats spell themselves.
Attributes WithKept(Attributes attributes, const KeptAttributes& kept, bool withKept) {
    if (!withKept) return attributes;
    for (const KeptAttribute& k : kept) {
        if (k.name == "id" || k.name == "source" || k.name == "target" || k.name == "key" ||
            FindValue(attributes, k.name) != nullptr)
            continue;
        attributes.push_back({k.name, k.value});
    }
    return attributes;
}

bool AppendGraph(const NetWorkType& net, const std::string& prefix, int depth, bool withKept,
                 GraphDocument& graph) {
    if (depth > MaxSubNetDepth) return false;
    const OptionType first;
    const PointType point = NewPoint(first);
    const EdgeType plain = NewEdge(first);
    graph.directed = !IsUndirected(net);
    graph.attributes = WithoutNul(WithKept(GraphAttributesOf(net, &first.newNetOptions), net.kept, withKept));
    for (int i = 1; i <= net.n; ++i) {
        const PointType& p = net.points[static_cast<std::size_t>(i)];
        graph.nodes.push_back({prefix + std::to_string(i),
                               WithoutNul(WithKept(PointAttributesOf(p, &point), p.kept, withKept))});
    }
    for (int i = 1; i <= net.n; ++i) {
        const EdgeList& list = net.lists[static_cast<std::size_t>(i)];
        // Tail first: the order the net file this net was read from holds its edges in.
        for (auto e = list.rbegin(); e != list.rend(); ++e) {
            if (!graph.directed && i > e->target) continue;
            GraphEdge edge{prefix + std::to_string(i),
                           prefix + std::to_string(e->target),
                           WithoutNul(WithKept(EdgeAttributesOf(*e, &plain), e->kept, withKept)),
                           {}};
            if (e->subNet) {
                edge.subGraph = std::make_unique<GraphDocument>();
                const std::string below = prefix + std::to_string(i) + "-" + std::to_string(e->target) + "/";
                if (!AppendGraph(*e->subNet, below, depth + 1, withKept, *edge.subGraph)) return false;
            }
            graph.edges.push_back(std::move(edge));
        }
    }
    return true;
}

// The point number of every node id: the ids themselves when they are exactly 1..N.
std::string NumberNodes(const GraphDocument& graph, std::map<std::string, int>& numbers) {
    bool ownNumbers = true;
    for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
        const std::string& id = graph.nodes[k].id;
        if (!numbers.emplace(id, static_cast<int>(k) + 1).second) return DuplicateNodeReason(id);
        int v = 0;
        const auto [end, ec] = std::from_chars(id.data(), id.data() + id.size(), v);
        ownNumbers = ownNumbers && ec == std::errc() && end == id.data() + id.size() && v >= 1 &&
                     v <= static_cast<int>(graph.nodes.size()) && id == std::to_string(v);
    }
    if (ownNumbers) {
        for (auto& [id, number] : numbers)
            number = std::stoi(id);
    }
    return {};
}

// What a file had that a net has no field for: per kind of element and attribute, how many
// elements had it, in the order first met.
class PassedOverList {
public:
    void Add(const std::string& owner, const std::string& name) {
        for (Item& item : items_) {
            if (item.owner == owner && item.name == name) {
                ++item.count;
                return;
            }
        }
        if (items_.size() < MaxItems) items_.push_back({owner, CutText(name, 40), 1});
    }
    std::string Text() const {
        std::string out;
        for (const Item& item : items_) {
            if (!out.empty()) out += "\r\n";
            out += "Passed over: " + item.owner + " attribute " + item.name;
            if (item.owner != "graph")
                out += " (" + std::to_string(item.count) + " " + item.owner + (item.count == 1 ? ")" : "s)");
        }
        return out;
    }

private:
    static constexpr std::size_t MaxItems = 50;
    struct Item {
        std::string owner;
        std::string name;
        std::size_t count;
    };
    std::vector<Item> items_;
};

struct Reading {
    std::string weight; // the edge attribute read as the weight
    bool keep = false;  // attributes without a field are kept, not passed over
    PassedOverList passedOver;

    // An attribute a net has no field for.
    void Unknown(const char* owner, const Attribute& a, KeptAttributes& kept) {
        if (!keep) {
            passedOver.Add(owner, a.name);
        } else if (kept.size() < MaxKept) {
            kept.push_back({a.name, a.value});
        } else {
            passedOver.Add(owner, a.name);
        }
    }
    static constexpr std::size_t MaxKept = 64; // per element
};

struct CanvasPosition {
    std::int32_t x;
    std::int32_t y;
};

// Where each node goes: its own x and y when every placed node has whole coordinates a net holds,
// else all of them scaled alike into a new window's canvas (Gephi's and networkx's layouts give
// fractions around 0).
std::string NodePositions(const GraphDocument& graph, std::vector<std::optional<CanvasPosition>>& out) {
    std::vector<std::optional<std::pair<double, double>>> given;
    bool canvas = true;
    for (const GraphNode& node : graph.nodes) {
        const std::string* x = FindValue(node.attributes, "x");
        const std::string* y = FindValue(node.attributes, "y");
        if (x == nullptr || y == nullptr) {
            given.emplace_back();
            continue;
        }
        const auto vx = ParseNumber(*x);
        const auto vy = ParseNumber(*y);
        const std::string element = NodeElement(node.id);
        if (!vx) return BadValueReason(element, "x", CutText(*x, 40), "a number");
        if (!vy) return BadValueReason(element, "y", CutText(*y, 40), "a number");
        for (const double v : {*vx, *vy})
            canvas = canvas && std::floor(v) == v && v >= -32768 && v <= 32767;
        given.emplace_back(std::pair{*vx, *vy});
    }
    double left = 0, right = 0, top = 0, bottom = 0;
    bool any = false;
    for (const auto& g : given) {
        if (!g) continue;
        left = any ? std::min(left, g->first) : g->first;
        right = any ? std::max(right, g->first) : g->first;
        top = any ? std::min(top, g->second) : g->second;
        bottom = any ? std::max(bottom, g->second) : g->second;
        any = true;
    }
    // Several nodes all at one place (networkx's Pajek writes 0 0 for every node) are not placed,
    // nor are drawings too wide to measure.
    if (!std::isfinite(right - left) || !std::isfinite(bottom - top)) {
        out.assign(given.size(), std::nullopt);
        return {};
    }
    if (any && left == right && top == bottom &&
        std::count_if(given.begin(), given.end(), [](const auto& g) { return g.has_value(); }) > 1) {
        out.assign(given.size(), std::nullopt);
        return {};
    }
    const LayoutArea area = VisibleLayoutArea(NewCanvasWidth, NewCanvasHeight);
    const double width = area.right - area.left;
    const double height = area.bottom - area.top;
    const double spanX = right - left;
    const double spanY = bottom - top;
    double scale = 1.0;
    if (spanX > 0 && spanY > 0) {
        scale = std::min(width / spanX, height / spanY);
    } else if (spanX > 0) {
        scale = width / spanX;
    } else if (spanY > 0) {
        scale = height / spanY;
    }
    // The drawing centred in the area.
    const double offsetX = area.left + (width - spanX * scale) / 2;
    const double offsetY = area.top + (height - spanY * scale) / 2;
    for (const auto& g : given) {
        if (!g) {
            out.emplace_back();
        } else if (canvas) {
            out.push_back(
                CanvasPosition{static_cast<std::int32_t>(g->first), static_cast<std::int32_t>(g->second)});
        } else {
            out.push_back(
                CanvasPosition{static_cast<std::int32_t>(std::lround(offsetX + (g->first - left) * scale)),
                               static_cast<std::int32_t>(std::lround(offsetY + (g->second - top) * scale))});
        }
    }
    return {};
}

std::string SetKind(const GraphDocument& graph, NetWorkType& net) {
    const std::string* kind = FindValue(graph.attributes, "plax_kind");
    if (kind == nullptr) {
        SetNetKind(net, graph.directed ? DirNetCode : UndirNetCode);
        return {};
    }
    const auto it = std::find(NetKind.begin(), NetKind.end(), *kind);
    // Only "undirNet" is undirected; every other kind keeps both directions of an edge apart.
    if (it == NetKind.end() || (*kind == "undirNet") == graph.directed)
        return KindMismatchReason(CutText(*kind, 40));
    SetNetKind(net, static_cast<std::uint16_t>(it - NetKind.begin()));
    return {};
}

// The net's own attributes: its name, its kind, and its display options as the load mode takes
// them (the net file's header rule).
std::string SetGraphAttributes(const GraphDocument& graph, const OptionType& options, Reading& reading,
                               NetWorkType& net) {
    PointOptionType own = options.newNetOptions;
    for (const Attribute& a : graph.attributes) {
        if (a.value.size() > MaxValueLength) return ValueTooLongReason(GraphElement, a.name);
        if (a.name == "name") {
            net.name = CutText(a.value, MaxNetNameLength);
        } else if (a.name != "plax_kind") {
            const SetResult result = SetGraphOptionAttribute(own, a);
            if (!result.known) reading.Unknown("graph", a, net.kept);
            if (!result.refusal.empty()) return result.refusal;
        }
    }
    switch (static_cast<LoadMode>(options.loadMode)) {
    case LoadMode::Default: net.defaultOptions = options.newNetOptions; break;
    case LoadMode::Current: net.defaultOptions = options.options; break;
    case LoadMode::Own:
        ApplyFillPointRule(own);
        net.defaultOptions = own.radius > 15 || own.fontSize > 10 ? options.newNetOptions : own;
        break;
    }
    return SetKind(graph, net);
}

// Gephi's colour of a node, as three numbers 0..255.
std::optional<Color> RgbColour(const Attributes& attributes) {
    Color c = 0;
    int shift = 0;
    for (const char* part : {"r", "g", "b"}) {
        const std::string* text = FindValue(attributes, part);
        const auto v = text ? ParseNumber(*text) : std::nullopt;
        if (!v || *v < 0 || *v > 255) return std::nullopt;
        c |= static_cast<Color>(std::lround(*v)) << shift;
        shift += 8;
    }
    return c;
}

std::string SetPoints(const GraphDocument& graph, const std::map<std::string, int>& numbers,
                      const OptionType& options, Reading& reading, NetWorkType& net) {
    std::vector<std::optional<CanvasPosition>> positions;
    if (std::string reason = NodePositions(graph, positions); !reason.empty()) return reason;
    bool unplaced = false;
    for (std::size_t k = 0; k < graph.nodes.size(); ++k) {
        const GraphNode& node = graph.nodes[k];
        PointType& p = net.points[static_cast<std::size_t>(numbers.at(node.id))];
        p = NewPoint(options);
        p.fileId = CutText(node.id, MaxValueLength);
        const std::string* label = FindValue(node.attributes, "label");
        p.name = CutText(label && !FindValue(node.attributes, "name") ? *label : node.id, MaxNameLength);
        const auto rgb = RgbColour(node.attributes);
        if (rgb) p.color = *rgb;
        const std::string element = NodeElement(node.id);
        for (const Attribute& a : node.attributes) {
            if (a.name == "x" || a.name == "y" || (a.name == "label" && label == &a.value)) continue;
            if (rgb && (a.name == "r" || a.name == "g" || a.name == "b")) continue;
            const SetResult result = SetPointAttribute(p, a, element);
            if (!result.known) reading.Unknown("node", a, p.kept);
            if (!result.refusal.empty()) return result.refusal;
        }
        if (p.customOptions != 0) {
            ApplyFillPointRule(p.options);
        } else {
            p.options = net.defaultOptions;
        }
        if (positions[k]) {
            p.x = positions[k]->x;
            p.y = positions[k]->y;
        }
        p.selected = positions[k] ? 0 : 1;
        unplaced = unplaced || !positions[k];
    }
    if (unplaced) {
        LayoutOptions layout;
        layout.selectionOnly = true;
        LayoutNet(net, VisibleLayoutArea(NewCanvasWidth, NewCanvasHeight), layout);
        for (int i = 1; i <= net.n; ++i)
            net.points[static_cast<std::size_t>(i)].selected = 0;
    }
    return {};
}

std::string BuildNet(const GraphDocument& graph, const OptionType& options, int depth, Reading& reading,
                     NetWorkType& net);

std::string AddEdge(const GraphEdge& edge, const std::map<std::string, int>& numbers,
                    const OptionType& options, int depth, Reading& reading, NetWorkType& net) {
    const auto from = numbers.find(edge.source);
    const auto to = numbers.find(edge.target);
    if (from == numbers.end()) return UnknownNodeReason(CutText(edge.source, 40));
    if (to == numbers.end()) return UnknownNodeReason(CutText(edge.target, 40));
    if (from->second == to->second) return LoopReason(edge.source);
    if (EdgeExists(net, from->second, to->second)) return ParallelEdgesReason(edge.source, edge.target);
    EdgeType e = NewEdge(options);
    const std::string element = EdgeElement(edge.source, edge.target);
    const bool named = FindValue(edge.attributes, "name") != nullptr;
    for (const Attribute& a : edge.attributes) {
        SetResult result;
        if (a.name == reading.weight) {
            result = SetEdgeAttribute(e, {"weight", a.value}, element);
        } else if (a.name == "weight") {
            result.known = false; // another attribute was chosen as the weight
        } else if (a.name == "label") {
            // Beside a name a label is only what is drawn; one that repeats the weight (as DOT
            // files show it) names nothing.
            const std::string* weight = FindValue(edge.attributes, reading.weight);
            const auto w = weight ? ParseNumber(*weight) : std::nullopt;
            if (named || (w && ParseNumber(a.value) == w)) continue;
            result = SetEdgeAttribute(e, {"name", a.value}, element);
        } else {
            result = SetEdgeAttribute(e, a, element);
        }
        if (!result.known) reading.Unknown("edge", a, e.kept);
        if (!result.refusal.empty()) return result.refusal;
    }
    if (edge.subGraph) {
        if (depth >= MaxSubNetDepth) return TooDeepReason();
        auto sub = std::make_shared<NetWorkType>();
        sub->sourcePoint = net.sourcePoint;
        sub->sinkPoint = net.sinkPoint;
        sub->interaction = net.interaction;
        sub->snapshotKind = net.snapshotKind;
        if (std::string reason = BuildNet(*edge.subGraph, options, depth + 1, reading, *sub); !reason.empty())
            return reason;
        e.subNet = std::move(sub);
    }
    InsertEdge(net, from->second, to->second, std::move(e));
    return {};
}

std::string BuildNet(const GraphDocument& graph, const OptionType& options, int depth, Reading& reading,
                     NetWorkType& net) {
    if (graph.nodes.size() > static_cast<std::size_t>(MaxPoints))
        return TooManyPointsReason(graph.nodes.size());
    if (graph.edges.size() > MaxEdges) return TooManyEdgesReason(graph.edges.size());
    if (std::string reason = NulRefusal(graph); !reason.empty()) return reason;
    std::map<std::string, int> numbers;
    if (std::string reason = NumberNodes(graph, numbers); !reason.empty()) return reason;
    NetInit(net);
    NetClear(net);
    net.n = static_cast<std::uint8_t>(graph.nodes.size());
    if (std::string reason = SetGraphAttributes(graph, options, reading, net); !reason.empty()) return reason;
    net.view = options.newDocumentView;
    if (std::string reason = SetPoints(graph, numbers, options, reading, net); !reason.empty()) return reason;
    for (const GraphEdge& edge : graph.edges) {
        if (std::string reason = AddEdge(edge, numbers, options, depth, reading, net); !reason.empty())
            return reason;
    }
    return {};
}

} // namespace

std::optional<GraphDocument> GraphOfNet(const NetWorkType& net, bool withKept) {
    GraphDocument graph;
    if (!AppendGraph(net, "", 0, withKept, graph)) return std::nullopt;
    return graph;
}

WeightAttributeList WeightAttributes(const GraphDocument& graph) {
    WeightAttributeList list;
    std::vector<std::string> refused;
    for (const GraphEdge& edge : graph.edges) {
        for (const Attribute& a : edge.attributes) {
            if (std::find(refused.begin(), refused.end(), a.name) != refused.end()) continue;
            const bool listed = std::find(list.names.begin(), list.names.end(), a.name) != list.names.end();
            const bool own = a.name == "name" || a.name == "flow" || a.name == "color" || a.name == "shape" ||
                             a.name.starts_with("plax_");
            if (own || !ParseNumber(a.value)) {
                if (listed) std::erase(list.names, a.name);
                refused.push_back(a.name);
            } else if (!listed && list.names.size() < 64) {
                list.names.push_back(a.name);
            }
        }
    }
    for (const char* name : {"weight", "capacity", "length", "label", "value", "cost", "distance"}) {
        if (std::find(list.names.begin(), list.names.end(), name) != list.names.end()) {
            list.guess = name;
            break;
        }
    }
    return list;
}

std::string NetOfGraph(const GraphDocument& graph, const OptionType& options, const std::string& fallbackName,
                       NetWorkType& net, const ImportChoices& choices, std::string* passedOver, bool keep) {
    Reading reading;
    reading.weight = choices.weight;
    reading.keep = keep;
    if (reading.weight.empty()) {
        reading.weight = WeightAttributes(graph).guess;
    } else if (std::none_of(
                   graph.edges.begin(), graph.edges.end(),
                   [&](const GraphEdge& e) { return FindValue(e.attributes, reading.weight) != nullptr; }) &&
               !graph.edges.empty()) {
        return NoSuchWeightReason(CutText(reading.weight, 40));
    }
    NetWorkType made;
    made.name = CutText(fallbackName, MaxNetNameLength);
    if (std::string reason = BuildNet(graph, options, 0, reading, made); !reason.empty()) return reason;
    net = std::move(made);
    if (passedOver != nullptr) *passedOver = reading.passedOver.Text();
    return {};
}

std::vector<std::string> PointIdsOf(const NetWorkType& net) {
    std::vector<std::string> ids;
    for (int i = 1; i <= net.n; ++i)
        ids.push_back(net.points[static_cast<std::size_t>(i)].fileId);
    return ids;
}

} // namespace plax
