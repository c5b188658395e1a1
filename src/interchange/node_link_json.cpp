#include "node_link_json.h"

#include "interchange_messages.h"
#include "net_attributes.h"

#include "model/net_file.h"
#include "model/text_utils.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <map>

namespace plax {

namespace {

constexpr const char* SubNetKey = "plax_subnet";

// An empty text stays a string: a null QString would be written as null.
QString Q(std::string_view text) {
    if (text.empty()) return QStringLiteral("");
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::map<std::string, AttributeType> TypesOf(AttributeOwner owner) {
    std::map<std::string, AttributeType> types;
    for (const AttributeDecl& decl : AttributeDecls()) {
        if (decl.owner == owner) types[decl.name] = decl.type;
    }
    return types;
}

// A value as the table types it: numbers as JSON numbers, the rest as strings.
QJsonValue JsonValueOf(const Attribute& a, const std::map<std::string, AttributeType>& types) {
    const auto type = types.find(a.name);
    if (type != types.end() && (type->second == AttributeType::Int || type->second == AttributeType::Real)) {
        if (const auto number = ParseNumber(a.value)) return *number;
    }
    return Q(a.value);
}

QJsonObject ObjectOf(const GraphDocument& graph, bool top);

void PutAttributes(QJsonObject& object, const Attributes& attributes, AttributeOwner owner) {
    const auto types = TypesOf(owner);
    for (const Attribute& a : attributes)
        object.insert(Q(a.name), JsonValueOf(a, types));
}

// Ids that are whole numbers are written as numbers, as networkx keeps integer nodes.
QJsonValue IdValue(const std::string& id) {
    const auto number = ParseNumber(id);
    if (number && id.find_first_not_of("0123456789") == std::string::npos) return *number;
    return Q(id);
}

QJsonObject ObjectOf(const GraphDocument& graph, bool top) {
    QJsonObject graphAttributes;
    PutAttributes(graphAttributes, graph.attributes, AttributeOwner::Graph);
    QJsonArray nodes;
    for (const GraphNode& node : graph.nodes) {
        QJsonObject n;
        PutAttributes(n, node.attributes, AttributeOwner::Node);
        // Within a sub-net the ids count from 1 again: each graph of the file stands alone.
        n.insert(QStringLiteral("id"), IdValue(node.id.substr(node.id.rfind('/') + 1)));
        nodes.append(n);
    }
    QJsonArray links;
    for (const GraphEdge& edge : graph.edges) {
        QJsonObject l;
        PutAttributes(l, edge.attributes, AttributeOwner::Edge);
        l.insert(QStringLiteral("source"), IdValue(edge.source.substr(edge.source.rfind('/') + 1)));
        l.insert(QStringLiteral("target"), IdValue(edge.target.substr(edge.target.rfind('/') + 1)));
        if (edge.subGraph) l.insert(QString::fromLatin1(SubNetKey), ObjectOf(*edge.subGraph, false));
        links.append(l);
    }
    QJsonObject object;
    object.insert(QStringLiteral("directed"), graph.directed);
    object.insert(QStringLiteral("multigraph"), false);
    object.insert(QStringLiteral("graph"), graphAttributes);
    object.insert(QStringLiteral("nodes"), nodes);
    // networkx calls the list "edges" since 3.4 and "links" before; both read the file when the
    // top level has both. Only this program reads the sub-nets, which have "edges" alone.
    object.insert(QStringLiteral("edges"), links);
    if (top) object.insert(QStringLiteral("links"), links);
    return object;
}

// A scalar as text: numbers in their shortest exact form, booleans as true and false.
std::optional<std::string> ScalarText(const QJsonValue& v) {
    if (v.isString()) return Utf8ToLatin1(v.toString().toStdString());
    if (v.isDouble()) return NumberText(v.toDouble());
    if (v.isBool()) return std::string(v.toBool() ? "true" : "false");
    return std::nullopt;
}

std::string ReadAttributes(const QJsonObject& object, const std::string& element,
                           std::initializer_list<const char*> skip, Attributes& out) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string name = Utf8ToLatin1(it.key().toStdString());
        bool skipped = false;
        for (const char* s : skip)
            skipped = skipped || name == s;
        if (skipped) continue;
        const auto text = ScalarText(it.value());
        if (!text) return BadValueReason(element, CutText(name, 40), "...", "a number or a text");
        out.push_back({name, *text});
    }
    return {};
}

std::string ReadGraph(const QJsonObject& object, int depth, GraphDocument& graph);

constexpr int MaxToldKeys = 50;

std::string PassedOverKeyText(const std::string& key) { return "Passed over: graph key " + key; }

std::string ReadLinks(const QJsonArray& links, int depth, GraphDocument& graph) {
    for (const QJsonValue& v : links) {
        if (!v.isObject()) return SyntaxReason("node-link JSON", 0, "a link that is no object");
        const QJsonObject l = v.toObject();
        const auto source = ScalarText(l.value(QStringLiteral("source")));
        const auto target = ScalarText(l.value(QStringLiteral("target")));
        if (!source || !target)
            return SyntaxReason("node-link JSON", 0, "a link without its source and target");
        GraphEdge edge{*source, *target, {}, {}};
        const std::string element = EdgeElement(*source, *target);
        // networkx's multigraphs name each link by a key; a net has no parallel edges to tell apart.
        if (std::string r =
                ReadAttributes(l, element, {"source", "target", "key", SubNetKey}, edge.attributes);
            !r.empty()) {
            return r;
        }
        const QJsonValue sub = l.value(QString::fromLatin1(SubNetKey));
        if (sub.isObject()) {
            if (depth >= MaxSubNetDepth) return TooDeepReason();
            edge.subGraph = std::make_unique<GraphDocument>();
            if (std::string r = ReadGraph(sub.toObject(), depth + 1, *edge.subGraph); !r.empty()) return r;
        } else if (!sub.isUndefined()) {
            return BadValueReason(element, SubNetKey, "...", "a node-link object");
        }
        graph.edges.push_back(std::move(edge));
    }
    return {};
}

std::string ReadGraph(const QJsonObject& object, int depth, GraphDocument& graph) {
    // Keys of other programs (networkx's own, say) are passed over and told, as attributes are.
    int told = 0;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        if (key == "directed" || key == "multigraph" || key == "graph" || key == "nodes" || key == "links" ||
            key == "edges" || ++told > MaxToldKeys) {
            continue;
        }
        graph.note += (graph.note.empty() ? "" : "\r\n") + PassedOverKeyText(CutText(Utf8ToLatin1(key), 40));
    }
    const QJsonValue links = object.value(QStringLiteral("links"));
    const QJsonValue edges = object.value(QStringLiteral("edges"));
    const QJsonValue nodes = object.value(QStringLiteral("nodes"));
    const bool oneList = links.isArray() != edges.isArray() && (links.isUndefined() || edges.isUndefined());
    if (!nodes.isArray() || !(oneList || (links.isArray() && links == edges))) {
        return SyntaxReason("node-link JSON", 0,
                            "it needs \"nodes\" and \"edges\" or \"links\" (or both, the same)");
    }
    graph.directed = object.value(QStringLiteral("directed")).toBool(false);
    const QJsonValue attributes = object.value(QStringLiteral("graph"));
    if (attributes.isObject()) {
        if (std::string r = ReadAttributes(attributes.toObject(), GraphElement, {}, graph.attributes);
            !r.empty())
            return r;
    } else if (!attributes.isUndefined()) {
        return BadValueReason(GraphElement, "graph", "...", "an object");
    }
    for (const QJsonValue& v : nodes.toArray()) {
        const auto id = v.isObject() ? ScalarText(v.toObject().value(QStringLiteral("id"))) : std::nullopt;
        if (!id) return SyntaxReason("node-link JSON", 0, "a node without an id");
        GraphNode node{*id, {}};
        const std::string r = ReadAttributes(v.toObject(), NodeElement(*id), {"id"}, node.attributes);
        if (!r.empty()) return r;
        graph.nodes.push_back(std::move(node));
    }
    return ReadLinks(links.isArray() ? links.toArray() : edges.toArray(), depth, graph);
}

} // namespace

std::string NodeLinkJsonText(const GraphDocument& graph) {
    return QJsonDocument(ObjectOf(graph, true)).toJson(QJsonDocument::Indented).toStdString();
}

std::string ReadNodeLinkJson(std::string_view bytes, GraphDocument& graph) {
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return SyntaxReason("node-link JSON", 0,
                            error.errorString().toStdString() + " at byte " + std::to_string(error.offset));
    }
    if (!doc.isObject()) return NoGraphReason();
    return ReadGraph(doc.object(), 0, graph);
}

} // namespace plax
