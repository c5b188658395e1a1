#include "net_graph.h"

#include "interchange_messages.h"
#include "net_attributes.h"

#include "model/net_file.h"
#include "model/net_layout.h"
#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <charconv>
#include <map>

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

bool AppendGraph(const NetWorkType& net, const std::string& prefix, int depth, GraphDocument& graph) {
    if (depth > MaxSubNetDepth) return false;
    graph.directed = !IsUndirected(net);
    graph.attributes = WithoutNul(GraphAttributesOf(net));
    for (int i = 1; i <= net.n; ++i)
        graph.nodes.push_back({prefix + std::to_string(i),
                               WithoutNul(PointAttributesOf(net.points[static_cast<std::size_t>(i)]))});
    for (int i = 1; i <= net.n; ++i) {
        const EdgeList& list = net.lists[static_cast<std::size_t>(i)];
        // Tail first: the order the net file this net was read from holds its edges in.
        for (auto e = list.rbegin(); e != list.rend(); ++e) {
            if (!graph.directed && i > e->target) continue;
            GraphEdge edge{prefix + std::to_string(i),
                           prefix + std::to_string(e->target),
                           WithoutNul(EdgeAttributesOf(*e)),
                           {}};
            if (e->subNet) {
                edge.subGraph = std::make_unique<GraphDocument>();
                const std::string below = prefix + std::to_string(i) + "-" + std::to_string(e->target) + "/";
                if (!AppendGraph(*e->subNet, below, depth + 1, *edge.subGraph)) return false;
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
std::string SetGraphAttributes(const GraphDocument& graph, const OptionType& options, NetWorkType& net) {
    PointOptionType own = options.newNetOptions;
    for (const Attribute& a : graph.attributes) {
        if (a.value.size() > MaxValueLength) return ValueTooLongReason(GraphElement, a.name);
        if (a.name == "name") {
            net.name = CutText(a.value, MaxNetNameLength);
        } else if (a.name != "plax_kind") {
            if (std::string reason = SetGraphOptionAttribute(own, a); !reason.empty()) return reason;
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

std::string SetPoints(const GraphDocument& graph, const std::map<std::string, int>& numbers,
                      const OptionType& options, NetWorkType& net) {
    bool unplaced = false;
    for (const GraphNode& node : graph.nodes) {
        PointType& p = net.points[static_cast<std::size_t>(numbers.at(node.id))];
        p = PointType{};
        p.name = CutText(node.id, MaxNameLength);
        p.weight = 1.0;
        p.tokens = 1;
        p.color = options.foreDefaultColor;
        p.reserved = static_cast<std::uint16_t>(options.newReserved);
        const std::string element = NodeElement(node.id);
        for (const Attribute& a : node.attributes) {
            if (std::string reason = SetPointAttribute(p, a, element); !reason.empty()) return reason;
        }
        if (p.customOptions != 0) {
            ApplyFillPointRule(p.options);
        } else {
            p.options = net.defaultOptions;
        }
        const bool placed =
            FindValue(node.attributes, "x") != nullptr && FindValue(node.attributes, "y") != nullptr;
        p.selected = placed ? 0 : 1;
        unplaced = unplaced || !placed;
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

std::string BuildNet(const GraphDocument& graph, const OptionType& options, int depth, NetWorkType& net);

std::string AddEdge(const GraphEdge& edge, const std::map<std::string, int>& numbers,
                    const OptionType& options, int depth, NetWorkType& net) {
    const auto from = numbers.find(edge.source);
    const auto to = numbers.find(edge.target);
    if (from == numbers.end()) return UnknownNodeReason(CutText(edge.source, 40));
    if (to == numbers.end()) return UnknownNodeReason(CutText(edge.target, 40));
    if (from->second == to->second) return LoopReason(edge.source);
    if (EdgeExists(net, from->second, to->second)) return ParallelEdgesReason(edge.source, edge.target);
    EdgeType e;
    e.weight = 1.0;
    e.name = CutText(options.newEdgeName, MaxNameLength);
    e.color = options.foreDefaultColor;
    e.reserved = static_cast<std::uint32_t>(options.newReserved);
    e.lineWidth = 1;
    const std::string element = EdgeElement(edge.source, edge.target);
    for (const Attribute& a : edge.attributes) {
        if (std::string reason = SetEdgeAttribute(e, a, element); !reason.empty()) return reason;
    }
    if (edge.subGraph) {
        if (depth >= MaxSubNetDepth) return TooDeepReason();
        auto sub = std::make_shared<NetWorkType>();
        sub->sourcePoint = net.sourcePoint;
        sub->sinkPoint = net.sinkPoint;
        sub->interaction = net.interaction;
        sub->snapshotKind = net.snapshotKind;
        if (std::string reason = BuildNet(*edge.subGraph, options, depth + 1, *sub); !reason.empty())
            return reason;
        e.subNet = std::move(sub);
    }
    InsertEdge(net, from->second, to->second, std::move(e));
    return {};
}

std::string BuildNet(const GraphDocument& graph, const OptionType& options, int depth, NetWorkType& net) {
    if (graph.nodes.size() > static_cast<std::size_t>(MaxPoints))
        return TooManyPointsReason(graph.nodes.size());
    if (graph.edges.size() > MaxEdges) return TooManyEdgesReason(graph.edges.size());
    if (std::string reason = NulRefusal(graph); !reason.empty()) return reason;
    std::map<std::string, int> numbers;
    if (std::string reason = NumberNodes(graph, numbers); !reason.empty()) return reason;
    NetInit(net);
    NetClear(net);
    net.n = static_cast<std::uint8_t>(graph.nodes.size());
    if (std::string reason = SetGraphAttributes(graph, options, net); !reason.empty()) return reason;
    net.view = options.newDocumentView;
    if (std::string reason = SetPoints(graph, numbers, options, net); !reason.empty()) return reason;
    for (const GraphEdge& edge : graph.edges) {
        if (std::string reason = AddEdge(edge, numbers, options, depth, net); !reason.empty()) return reason;
    }
    return {};
}

} // namespace

std::optional<GraphDocument> GraphOfNet(const NetWorkType& net) {
    GraphDocument graph;
    if (!AppendGraph(net, "", 0, graph)) return std::nullopt;
    return graph;
}

std::string NetOfGraph(const GraphDocument& graph, const OptionType& options, const std::string& fallbackName,
                       NetWorkType& net) {
    NetWorkType made;
    made.name = CutText(fallbackName, MaxNetNameLength);
    if (std::string reason = BuildNet(graph, options, 0, made); !reason.empty()) return reason;
    net = std::move(made);
    return {};
}

} // namespace plax
