#include "pnml_format.h"

#include "interchange_messages.h"
#include "text_format.h"
#include "xml_steps.h"

#include "model/net_types.h"
#include "model/text_utils.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <map>

namespace plax {

namespace {

constexpr const char* ToolName = "Plax";
constexpr int MaxPageDepth = 16;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool IsTransitionShape(const std::string* shape) {
    return shape != nullptr && (*shape == "2" || *shape == "3");
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

void SetValue(Attributes& attributes, const std::string& name, std::string value) {
    for (Attribute& a : attributes) {
        if (a.name == name) {
            a.value = std::move(value);
            return;
        }
    }
    attributes.push_back({name, std::move(value)});
}

class PnmlReader {
public:
    explicit PnmlReader(std::string_view bytes)
        : xml_(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) {}
    std::string Read(GraphDocument& graph);

private:
    bool NextChild() { return NextChildElement(xml_, "PNML"); }
    std::string Syntax(const std::string& detail) const {
        return SyntaxReason("PNML", static_cast<long long>(xml_.lineNumber()), detail);
    }
    std::string XmlError() const { return Syntax(xml_.errorString().toStdString()); }
    std::string Name() const { return xml_.name().toString().toStdString(); }
    std::string Attr(const char* name) const {
        return Utf8ToLatin1(xml_.attributes().value(QLatin1String(name)).toString().toStdString());
    }
    std::string ReadNet(GraphDocument& graph);
    std::string ReadObjects(GraphDocument& graph, int depth);
    std::string ReadNode(GraphDocument& graph, bool transition);
    std::string ReadArc(GraphDocument& graph);
    std::string ReadText(const std::string& element, std::string& text);
    std::string ReadToolSpecific(const std::string& element, Attributes& attributes);
    void ReadPosition(Attributes& attributes);
    std::string Settle(GraphDocument& graph);

    QXmlStreamReader xml_;
    std::map<std::string, bool> transitions_; // whether each node is a transition, by id
    std::map<std::string, std::string> references_;
    std::size_t nodes_ = 0;
    std::size_t arcs_ = 0;
};

std::string PnmlReader::Read(GraphDocument& graph) {
    if (!NextChild()) return xml_.hasError() ? XmlError() : NoGraphReason();
    if (Name() != "pnml") return Syntax("the element <" + Name() + "> has no place here");
    std::size_t nets = 0;
    while (NextChild()) {
        if (Name() == "net" && nets++ == 0) {
            if (std::string r = ReadNet(graph); !r.empty()) return r;
        } else {
            xml_.skipCurrentElement();
        }
    }
    if (xml_.hasError()) return XmlError();
    if (nets == 0) return NoGraphReason();
    if (nets > 1) graph.note = "The file holds " + std::to_string(nets) + " nets; the first is read.";
    return Settle(graph);
}

std::string PnmlReader::ReadNet(GraphDocument& graph) {
    graph.directed = true;
    std::string type = Attr("type");
    std::string lower = type;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // The grammar's URI names the kind of net: place/transition nets end in "ptnet".
    if (!type.empty() && lower.find("ptnet") == std::string::npos) {
        return "The net is of type " + Quoted(CutText(type, 80)) +
               "; only place/transition nets (ptnet) are read.";
    }
    return ReadObjects(graph, 0);
}

// The objects of the net or of one of its pages; pages within pages are read as one.
std::string PnmlReader::ReadObjects(GraphDocument& graph, int depth) {
    while (NextChild()) {
        const std::string name = Name();
        std::string reason;
        if (name == "page") {
            if (depth == MaxPageDepth) return Syntax("pages nested more than 16 deep");
            reason = ReadObjects(graph, depth + 1);
        } else if (name == "place" || name == "transition") {
            reason = ReadNode(graph, name == "transition");
        } else if (name == "arc") {
            reason = ReadArc(graph);
        } else if (name == "referencePlace" || name == "referenceTransition") {
            const std::string id = Attr("id");
            if (!transitions_.emplace(id, name == "referenceTransition").second)
                return DuplicateNodeReason(id);
            references_[id] = Attr("ref");
            xml_.skipCurrentElement();
        } else if (name == "name" && depth == 0) {
            std::string text;
            reason = ReadText("the net", text);
            SetValue(graph.attributes, "name", text);
        } else if (name == "toolspecific" && depth == 0) {
            reason = ReadToolSpecific("the net", graph.attributes);
        } else {
            xml_.skipCurrentElement();
        }
        if (!reason.empty()) return reason;
        if (xml_.hasError()) return XmlError();
    }
    return xml_.hasError() ? XmlError() : std::string();
}

// The text of an annotation such as <name> or <initialMarking>: its <text> child.
std::string PnmlReader::ReadText(const std::string& element, std::string& text) {
    const std::string annotation = Name();
    while (NextChild()) {
        if (Name() != "text") {
            xml_.skipCurrentElement();
            continue;
        }
        text = Utf8ToLatin1(xml_.readElementText(QXmlStreamReader::SkipChildElements).toStdString());
        if (text.size() > MaxValueLength) return ValueTooLongReason(element, annotation);
    }
    return xml_.hasError() ? XmlError() : std::string();
}

std::string PnmlReader::ReadToolSpecific(const std::string& element, Attributes& attributes) {
    if (Attr("tool") != ToolName) {
        xml_.skipCurrentElement(); // another tool's own matters
        return {};
    }
    while (NextChild()) {
        if (Name() == "attribute") {
            std::string value = Attr("value");
            if (value.size() > MaxValueLength) return ValueTooLongReason(element, Attr("name"));
            SetValue(attributes, Attr("name"), std::move(value));
        }
        xml_.skipCurrentElement();
    }
    return xml_.hasError() ? XmlError() : std::string();
}

void PnmlReader::ReadPosition(Attributes& attributes) {
    while (NextChild()) {
        if (Name() == "position") {
            SetValue(attributes, "x", Attr("x"));
            SetValue(attributes, "y", Attr("y"));
        }
        xml_.skipCurrentElement(); // dimensions, fill and line are the other tool's looks
    }
}

std::string PnmlReader::ReadNode(GraphDocument& graph, bool transition) {
    const std::string id = Attr("id");
    if (!transitions_.emplace(id, transition).second) return DuplicateNodeReason(id);
    // Counted to the end, so that the refusal says how many the file has.
    if (++nodes_ > static_cast<std::size_t>(MaxPoints)) {
        xml_.skipCurrentElement();
        return {};
    }
    const std::string element = (transition ? "transition " : "place ") + Quoted(id);
    GraphNode node{id, {}};
    std::string marking = "0";
    while (NextChild()) {
        const std::string name = Name();
        std::string reason;
        if (name == "name") {
            std::string text;
            reason = ReadText(element, text);
            SetValue(node.attributes, "name", text);
        } else if (name == "graphics") {
            ReadPosition(node.attributes);
        } else if (name == "initialMarking" && !transition) {
            reason = ReadText(element, marking);
            marking = Trimmed(marking);
        } else if (name == "toolspecific") {
            reason = ReadToolSpecific(element, node.attributes);
        } else {
            node.attributes.push_back({name, "[element]"});
            xml_.skipCurrentElement();
        }
        if (!reason.empty()) return reason;
    }
    // The class decides the shape; the Plax section only chooses among the shapes of its class.
    const std::string* shape = FindValue(node.attributes, "shape");
    if (shape == nullptr || IsTransitionShape(shape) != transition)
        SetValue(node.attributes, "shape", transition ? "2" : "0");
    if (!transition) SetValue(node.attributes, "tokens", marking);
    graph.nodes.push_back(std::move(node));
    return xml_.hasError() ? XmlError() : std::string();
}

std::string PnmlReader::ReadArc(GraphDocument& graph) {
    const std::string id = Attr("id");
    if (++arcs_ > static_cast<std::size_t>(MaxPoints * MaxPoints)) {
        xml_.skipCurrentElement();
        return {};
    }
    const std::string element = "arc " + Quoted(id);
    GraphEdge edge{Attr("source"), Attr("target"), {}, {}};
    while (NextChild()) {
        const std::string name = Name();
        std::string reason;
        if (name == "inscription") {
            std::string text;
            reason = ReadText(element, text);
            const auto weight = ParseNumber(Trimmed(text));
            if (reason.empty() && (!weight || *weight != 1)) {
                return "The arc " + Quoted(id) + " has the weight " + Quoted(CutText(Trimmed(text), 40)) +
                       "; a net's arcs are ordinary, each of weight 1.";
            }
        } else if (name == "type") {
            const std::string type = Attr("value");
            if (type != "normal") {
                return "The arc " + Quoted(id) + " is of the type " + Quoted(CutText(type, 40)) +
                       "; a net's arcs are ordinary.";
            }
            xml_.skipCurrentElement();
        } else if (name == "toolspecific") {
            reason = ReadToolSpecific(element, edge.attributes);
        } else if (name == "graphics") {
            xml_.skipCurrentElement(); // bend points: a net's edges are drawn straight
        } else {
            edge.attributes.push_back({name, "[element]"});
            xml_.skipCurrentElement();
        }
        if (!reason.empty()) return reason;
    }
    graph.edges.push_back(std::move(edge));
    return xml_.hasError() ? XmlError() : std::string();
}

// Arcs to reference nodes lead to the nodes they stand for, and each arc must join a place and a
// transition, as the firing rule reads them.
std::string PnmlReader::Settle(GraphDocument& graph) {
    if (nodes_ > static_cast<std::size_t>(MaxPoints)) return TooManyPointsReason(nodes_);
    if (arcs_ > static_cast<std::size_t>(MaxPoints * MaxPoints)) return TooManyEdgesReason(arcs_);
    const auto settle = [&](std::string& end) -> std::string {
        for (std::size_t steps = 0; references_.count(end) != 0; ++steps) {
            if (steps == references_.size()) return "The reference " + Quoted(end) + " leads in a circle.";
            end = references_[end];
        }
        return {};
    };
    for (GraphEdge& e : graph.edges) {
        if (std::string r = settle(e.source); !r.empty()) return r;
        if (std::string r = settle(e.target); !r.empty()) return r;
        const auto from = transitions_.find(e.source);
        const auto to = transitions_.find(e.target);
        if (from != transitions_.end() && to != transitions_.end() && from->second == to->second) {
            return "The arc from " + Quoted(e.source) + " to " + Quoted(e.target) + " joins two " +
                   (from->second ? "transitions" : "places") + "; an arc joins a place and a transition.";
        }
    }
    return {};
}

void WriteText(QXmlStreamWriter& xml, const char* annotation, const std::string& text) {
    xml.writeStartElement(QLatin1String(annotation));
    xml.writeTextElement(QStringLiteral("text"), XmlText(text));
    xml.writeEndElement();
}

void WriteToolSpecific(QXmlStreamWriter& xml, const Attributes& attributes) {
    if (attributes.empty()) return;
    xml.writeStartElement(QStringLiteral("toolspecific"));
    xml.writeAttribute(QStringLiteral("tool"), QLatin1String(ToolName));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    for (const Attribute& a : attributes) {
        xml.writeStartElement(QStringLiteral("attribute"));
        xml.writeAttribute(QStringLiteral("name"), XmlText(a.name));
        xml.writeAttribute(QStringLiteral("value"), XmlText(a.value));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

std::string PnmlId(const GraphDocument& graph, const std::string& id) {
    for (const GraphNode& n : graph.nodes) {
        if (n.id == id) return (IsTransitionShape(FindValue(n.attributes, "shape")) ? "t" : "p") + id;
    }
    return id;
}

void WriteNode(QXmlStreamWriter& xml, const GraphNode& node) {
    const bool transition = IsTransitionShape(FindValue(node.attributes, "shape"));
    xml.writeStartElement(transition ? QStringLiteral("transition") : QStringLiteral("place"));
    xml.writeAttribute(QStringLiteral("id"), XmlText((transition ? "t" : "p") + node.id));
    WriteText(xml, "name", ValueOr(node.attributes, "name", ""));
    xml.writeStartElement(QStringLiteral("graphics"));
    xml.writeStartElement(QStringLiteral("position"));
    xml.writeAttribute(QStringLiteral("x"), XmlText(ValueOr(node.attributes, "x", "0")));
    xml.writeAttribute(QStringLiteral("y"), XmlText(ValueOr(node.attributes, "y", "0")));
    xml.writeEndElement();
    xml.writeEndElement();
    // A point the net writes without tokens holds the one a new point gets.
    const std::string tokens = ValueOr(node.attributes, "tokens", "1");
    if (!transition && tokens != "0") WriteText(xml, "initialMarking", tokens);
    Attributes own;
    for (const Attribute& a : node.attributes) {
        const bool placed = a.name == "name" || a.name == "x" || a.name == "y" ||
                            (a.name == "tokens" && !transition) ||
                            (a.name == "shape" && a.value == (transition ? "2" : "0"));
        if (!placed) own.push_back(a);
    }
    WriteToolSpecific(xml, own);
    xml.writeEndElement();
}

} // namespace

std::string ReadPnml(std::string_view bytes, GraphDocument& graph) {
    PnmlReader reader(bytes);
    return reader.Read(graph);
}

std::string PnmlRefusal(const GraphDocument& graph) {
    if (!graph.directed) return "PNML holds Petri nets, and an undirected net is not one.";
    std::map<std::string, const GraphNode*> nodes;
    for (const GraphNode& n : graph.nodes)
        nodes[n.id] = &n;
    const auto name = [&](const std::string& id) {
        const std::string* text = FindValue(nodes[id]->attributes, "name");
        return Quoted(text != nullptr && !text->empty() ? *text : id);
    };
    for (const GraphEdge& e : graph.edges) {
        const std::string edge = "The edge from " + name(e.source) + " to " + name(e.target);
        if (e.subGraph) return edge + " has a sub-net, which PNML does not hold.";
        const bool from = IsTransitionShape(FindValue(nodes[e.source]->attributes, "shape"));
        const bool to = IsTransitionShape(FindValue(nodes[e.target]->attributes, "shape"));
        if (from == to) {
            return edge + " joins two " + (from ? "transitions" : "places") +
                   "; in PNML an arc joins a place and a transition.";
        }
    }
    return {};
}

std::string PnmlText(const GraphDocument& graph) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("pnml"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.pnml.org/version-2009/grammar/pnml"));
    xml.writeStartElement(QStringLiteral("net"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("net1"));
    xml.writeAttribute(QStringLiteral("type"),
                       QStringLiteral("http://www.pnml.org/version-2009/grammar/ptnet"));
    WriteText(xml, "name", ValueOr(graph.attributes, "name", ""));
    Attributes own;
    std::copy_if(graph.attributes.begin(), graph.attributes.end(), std::back_inserter(own),
                 [](const Attribute& a) { return a.name != "name"; });
    WriteToolSpecific(xml, own);
    xml.writeStartElement(QStringLiteral("page"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("page1"));
    for (const GraphNode& node : graph.nodes)
        WriteNode(xml, node);
    std::size_t k = 0;
    for (const GraphEdge& edge : graph.edges) {
        xml.writeStartElement(QStringLiteral("arc"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("a%1").arg(++k));
        xml.writeAttribute(QStringLiteral("source"), XmlText(PnmlId(graph, edge.source)));
        xml.writeAttribute(QStringLiteral("target"), XmlText(PnmlId(graph, edge.target)));
        // The Mark of an edge is no arc weight: the firing rule moves one token along every arc.
        Attributes kept;
        std::copy_if(edge.attributes.begin(), edge.attributes.end(), std::back_inserter(kept),
                     [](const Attribute& a) { return !(a.name == "weight" && a.value == "1"); });
        WriteToolSpecific(xml, kept);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes.toStdString();
}

} // namespace plax
