#include "graphml.h"

#include "interchange_messages.h"
#include "net_attributes.h"
#include "xml_steps.h"

#include "model/net_file.h"
#include "model/net_types.h"
#include "model/text_utils.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace plax {

namespace {

constexpr const char* GraphMLNamespace = "http://graphml.graphdrawing.org/xmlns";

const char* GraphMLType(AttributeType type) {
    switch (type) {
    case AttributeType::Int: return "int";
    case AttributeType::Real: return "double";
    case AttributeType::Text:
    case AttributeType::Colour: break;
    }
    return "string";
}

std::string KeyId(const char* owner, const std::string& name) { return std::string(owner) + "_" + name; }

void WriteData(QXmlStreamWriter& xml, const char* owner, const Attributes& attributes) {
    for (const Attribute& a : attributes) {
        xml.writeStartElement(QStringLiteral("data"));
        xml.writeAttribute(QStringLiteral("key"), XmlText(KeyId(owner, a.name)));
        // A reader turns a CR written as it is into a line feed; as a reference it stays a CR.
        std::string_view rest = a.value;
        for (auto cr = rest.find('\r'); cr != std::string_view::npos; cr = rest.find('\r')) {
            xml.writeCharacters(XmlText(rest.substr(0, cr)));
            xml.writeEntityReference(QStringLiteral("#13"));
            rest.remove_prefix(cr + 1);
        }
        xml.writeCharacters(XmlText(rest));
        xml.writeEndElement();
    }
}

void WriteGraph(QXmlStreamWriter& xml, const GraphDocument& graph, const std::string& id) {
    xml.writeStartElement(QStringLiteral("graph"));
    xml.writeAttribute(QStringLiteral("id"), XmlText(id));
    xml.writeAttribute(QStringLiteral("edgedefault"),
                       graph.directed ? QStringLiteral("directed") : QStringLiteral("undirected"));
    WriteData(xml, "graph", graph.attributes);
    for (const GraphNode& node : graph.nodes) {
        xml.writeStartElement(QStringLiteral("node"));
        xml.writeAttribute(QStringLiteral("id"), XmlText(node.id));
        WriteData(xml, "node", node.attributes);
        xml.writeEndElement();
    }
    std::size_t k = 0;
    for (const GraphEdge& edge : graph.edges) {
        xml.writeStartElement(QStringLiteral("edge"));
        xml.writeAttribute(QStringLiteral("source"), XmlText(edge.source));
        xml.writeAttribute(QStringLiteral("target"), XmlText(edge.target));
        WriteData(xml, "edge", edge.attributes);
        if (edge.subGraph) WriteGraph(xml, *edge.subGraph, id + "/e" + std::to_string(k));
        xml.writeEndElement();
        ++k;
    }
    xml.writeEndElement();
}

// An attribute the fixed declarations do not name (one kept from another file), typed "long"
// or "double" when every value is such a number, else "string".
struct ExtraKey {
    std::string owner;
    std::string name;
    bool whole = true;
    bool number = true;
};

void CollectExtraKeys(const GraphDocument& graph, const std::vector<AttributeDecl>& fixed,
                      std::vector<ExtraKey>& extra) {
    const auto note = [&](const char* owner, const Attributes& attributes) {
        for (const Attribute& a : attributes) {
            const bool declared = std::any_of(fixed.begin(), fixed.end(), [&](const AttributeDecl& d) {
                return a.name == d.name && std::string_view(OwnerName(d.owner)) == owner;
            });
            if (declared) continue;
            auto it = std::find_if(extra.begin(), extra.end(),
                                   [&](const ExtraKey& k) { return k.owner == owner && k.name == a.name; });
            if (it == extra.end()) it = extra.insert(extra.end(), {owner, a.name});
            const auto v = ParseNumber(a.value);
            it->number = it->number && v.has_value();
            it->whole = it->whole && v && std::floor(*v) == *v && std::abs(*v) < 9.0e15 &&
                        a.value.find_first_of(".eE") == std::string::npos;
        }
    };
    note("graph", graph.attributes);
    for (const GraphNode& node : graph.nodes)
        note("node", node.attributes);
    for (const GraphEdge& edge : graph.edges) {
        note("edge", edge.attributes);
        if (edge.subGraph) CollectExtraKeys(*edge.subGraph, fixed, extra);
    }
}

struct Key {
    std::string owner; // "node", "edge", "graph" or "all"
    std::string name;
    std::optional<std::string> defaultValue;
    std::string yfiles; // yEd's kind of key: "nodegraphics", "edgegraphics", "resources", ...
};

class GraphMLReader {
public:
    explicit GraphMLReader(std::string_view bytes)
        : xml_(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) {}

    std::string Read(GraphDocument& graph);

private:
    bool NextChild();
    std::string Unexpected() const;
    std::string Syntax(const std::string& detail) const {
        return SyntaxReason("GraphML", static_cast<long long>(xml_.lineNumber()), detail);
    }
    std::string Name() const { return xml_.name().toString().toStdString(); }
    std::string Attr(const char* name) const {
        return Utf8ToLatin1(xml_.attributes().value(QLatin1String(name)).toString().toStdString());
    }
    std::string ReadKey();
    std::string ReadGraph(GraphDocument& graph, int depth);
    std::string ReadNode(GraphDocument& graph);
    std::string ReadEdge(GraphDocument& graph, int depth);
    std::string ReadData(const char* owner, Attributes& attributes);
    std::string AddDefaults(const char* owner, Attributes& attributes);
    std::string ReadGraphics(Attributes& attributes);

    QXmlStreamReader xml_;
    std::map<std::string, Key> keys_;
    // The keys with a default of each owner, listed once after the keys change.
    std::map<std::string, std::vector<const Key*>> defaults_;
    std::size_t defaultsGiven_ = 0;
};

// Keys and the defaults they spread over the elements are bounded before any is applied, so that
// a few bytes of keys cannot multiply into the work of every element.
constexpr std::size_t MaxKeys = 256;
constexpr std::size_t MaxDefaultsGiven = 1u << 20;

bool GraphMLReader::NextChild() { return NextChildElement(xml_, "GraphML"); }

std::string GraphMLReader::Unexpected() const {
    return Syntax("the element <" + Name() + "> has no place here");
}

std::string GraphMLReader::Read(GraphDocument& graph) {
    if (!NextChild()) return xml_.hasError() ? Syntax(xml_.errorString().toStdString()) : NoGraphReason();
    if (Name() != "graphml") return Unexpected();
    bool found = false;
    while (NextChild()) {
        std::string reason;
        if (Name() == "key") {
            reason = ReadKey();
        } else if (Name() == "desc" || Name() == "data") {
            xml_.skipCurrentElement(); // yEd keeps its resources here
        } else if (Name() == "graph" && !found) {
            found = true;
            reason = ReadGraph(graph, 0);
        } else {
            return Unexpected();
        }
        if (!reason.empty()) return reason;
    }
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    return found ? std::string() : NoGraphReason();
}

std::string GraphMLReader::ReadKey() {
    Key key{Attr("for"), Attr("attr.name"), std::nullopt, Attr("yfiles.type")};
    const std::string id = Attr("id");
    if (key.owner.empty()) key.owner = "all";
    while (NextChild()) {
        if (Name() != "default") return Unexpected();
        const std::string value = xml_.readElementText().toStdString();
        if (xml_.hasError()) break;
        key.defaultValue = Utf8ToLatin1(value);
    }
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    if (key.name.empty()) key.name = id;
    if (keys_.count(id) == 0 && keys_.size() >= MaxKeys)
        return Syntax("more than " + std::to_string(MaxKeys) + " keys");
    keys_[id] = std::move(key);
    defaults_.clear();
    return {};
}

std::string GraphMLReader::ReadData(const char* owner, Attributes& attributes) {
    const std::string id = Attr("key");
    const auto key = keys_.find(id);
    if (key == keys_.end() || (key->second.owner != owner && key->second.owner != "all")) {
        return Syntax("data for the undeclared key \"" + CutText(id, 40) + "\"");
    }
    if (key->second.yfiles == "nodegraphics" || key->second.yfiles == "edgegraphics")
        return ReadGraphics(attributes);
    if (!key->second.yfiles.empty()) {
        xml_.skipCurrentElement();
        return {};
    }
    const QString text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    if (static_cast<std::size_t>(text.size()) > MaxValueLength) {
        return ValueTooLongReason(std::string("a ") + owner, key->second.name);
    }
    attributes.push_back({key->second.name, Utf8ToLatin1(text.toStdString())});
    return {};
}

// yEd's drawing of a node or an edge: the centre of its geometry, its fill colour and its first
// label, as x, y, color and label.
std::string GraphMLReader::ReadGraphics(Attributes& attributes) {
    int depth = 0;
    bool placed = false;
    bool filled = false;
    bool labelled = false;
    while (!xml_.atEnd()) {
        const auto token = xml_.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth-- == 0) break;
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        ++depth;
        const std::string name = Name();
        if (name == "Geometry" && !placed) {
            const auto x = ParseNumber(Attr("x"));
            const auto y = ParseNumber(Attr("y"));
            const auto w = ParseNumber(Attr("width"));
            const auto h = ParseNumber(Attr("height"));
            if (x && y) {
                attributes.push_back({"x", NumberText(*x + w.value_or(0) / 2)});
                attributes.push_back({"y", NumberText(*y + h.value_or(0) / 2)});
                placed = true;
            }
        } else if (name == "Fill" && !filled && Attr("color").size() == 7) {
            attributes.push_back({"color", Attr("color")});
            filled = true;
        } else if ((name == "NodeLabel" || name == "EdgeLabel") && !labelled) {
            const std::string text = TrimText(
                Utf8ToLatin1(xml_.readElementText(QXmlStreamReader::IncludeChildElements).toStdString()));
            --depth; // at the label's end now
            if (!text.empty()) attributes.push_back({"label", CutText(text, MaxValueLength)});
            labelled = !text.empty();
        }
    }
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    return {};
}

std::string GraphMLReader::AddDefaults(const char* owner, Attributes& attributes) {
    auto [list, fresh] = defaults_.try_emplace(owner);
    if (fresh) {
        for (const auto& [id, key] : keys_)
            if ((key.owner == owner || key.owner == "all") && key.defaultValue) list->second.push_back(&key);
    }
    if (list->second.empty()) return {};
    std::set<std::string> given;
    for (const Attribute& a : attributes)
        given.insert(a.name);
    for (const Key* key : list->second) {
        if (!given.insert(key->name).second) continue;
        if (++defaultsGiven_ > MaxDefaultsGiven) return Syntax("more default values than a net can hold");
        attributes.push_back({key->name, *key->defaultValue});
    }
    return {};
}

std::string GraphMLReader::ReadGraph(GraphDocument& graph, int depth) {
    if (depth > MaxSubNetDepth) return TooDeepReason();
    const std::string direction = Attr("edgedefault");
    if (direction != "directed" && direction != "undirected" && !direction.empty()) {
        return Syntax("edgedefault \"" + CutText(direction, 40) + "\"");
    }
    graph.directed = direction == "directed";
    while (NextChild()) {
        std::string reason;
        if (Name() == "data") {
            reason = ReadData("graph", graph.attributes);
        } else if (Name() == "desc") {
            xml_.skipCurrentElement();
        } else if (Name() == "node") {
            reason = ReadNode(graph);
        } else if (Name() == "edge") {
            reason = ReadEdge(graph, depth);
        } else {
            return Unexpected();
        }
        if (!reason.empty()) return reason;
    }
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    return AddDefaults("graph", graph.attributes);
}

std::string GraphMLReader::ReadNode(GraphDocument& graph) {
    GraphNode node{Attr("id"), {}};
    while (NextChild()) {
        if (Name() == "desc") {
            xml_.skipCurrentElement();
        } else if (Name() != "data") {
            return Unexpected();
        } else if (std::string reason = ReadData("node", node.attributes); !reason.empty()) {
            return reason;
        }
    }
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    // Past what a net holds the nodes are only counted, for the refusal.
    if (graph.nodes.size() < static_cast<std::size_t>(MaxPoints)) {
        if (std::string reason = AddDefaults("node", node.attributes); !reason.empty()) return reason;
    } else {
        node.attributes.clear();
    }
    graph.nodes.push_back(std::move(node));
    return {};
}

std::string GraphMLReader::ReadEdge(GraphDocument& graph, int depth) {
    GraphEdge edge{Attr("source"), Attr("target"), {}, {}};
    const std::string directed = Attr("directed");
    if (!directed.empty() && (directed == "true") != graph.directed) return MixedDirectionReason();
    while (NextChild()) {
        std::string reason;
        if (Name() == "data") {
            reason = ReadData("edge", edge.attributes);
        } else if (Name() == "desc") {
            xml_.skipCurrentElement();
        } else if (Name() == "graph" && !edge.subGraph) {
            edge.subGraph = std::make_unique<GraphDocument>();
            reason = ReadGraph(*edge.subGraph, depth + 1);
        } else {
            return Unexpected();
        }
        if (!reason.empty()) return reason;
    }
    if (xml_.hasError()) return Syntax(xml_.errorString().toStdString());
    if (graph.edges.size() < static_cast<std::size_t>(MaxPoints * (MaxPoints - 1))) {
        if (std::string reason = AddDefaults("edge", edge.attributes); !reason.empty()) return reason;
    } else {
        edge.attributes.clear();
    }
    graph.edges.push_back(std::move(edge));
    return {};
}

} // namespace

std::string GraphMLText(const GraphDocument& graph) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("graphml"));
    xml.writeDefaultNamespace(QString::fromLatin1(GraphMLNamespace));
    const std::vector<AttributeDecl> fixed = AttributeDecls();
    const auto declare = [&xml](const std::string& owner, const std::string& name, const char* type) {
        xml.writeStartElement(QStringLiteral("key"));
        xml.writeAttribute(QStringLiteral("id"), XmlText(KeyId(owner.c_str(), name)));
        xml.writeAttribute(QStringLiteral("for"), QString::fromLatin1(owner));
        xml.writeAttribute(QStringLiteral("attr.name"), XmlText(name));
        xml.writeAttribute(QStringLiteral("attr.type"), QString::fromLatin1(type));
        xml.writeEndElement();
    };
    for (const AttributeDecl& decl : fixed)
        declare(OwnerName(decl.owner), decl.name, GraphMLType(decl.type));
    std::vector<ExtraKey> extra;
    CollectExtraKeys(graph, fixed, extra);
    for (const ExtraKey& k : extra)
        declare(k.owner, k.name, k.whole ? "long" : k.number ? "double" : "string");
    WriteGraph(xml, graph, "G");
    xml.writeEndDocument();
    return bytes.toStdString();
}

std::string ReadGraphML(std::string_view bytes, GraphDocument& graph) {
    GraphMLReader reader(bytes);
    return reader.Read(graph);
}

} // namespace plax
