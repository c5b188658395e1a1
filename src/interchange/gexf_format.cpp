#include "gexf_format.h"

#include "interchange_messages.h"
#include "text_format.h"
#include "xml_steps.h"

#include "model/net_file.h"
#include "model/net_types.h"
#include "model/text_utils.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace plax {

namespace {

class GexfReader {
public:
    explicit GexfReader(std::string_view bytes)
        : xml_(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))) {}
    std::string Read(GraphDocument& graph);

private:
    bool NextChild();
    std::string Syntax(const std::string& detail) const {
        return SyntaxReason("GEXF", static_cast<long long>(xml_.lineNumber()), detail);
    }
    std::string XmlError() const { return Syntax(xml_.errorString().toStdString()); }
    std::string Name() const { return xml_.name().toString().toStdString(); }
    std::string Attr(const char* name) const {
        return Utf8ToLatin1(xml_.attributes().value(QLatin1String(name)).toString().toStdString());
    }
    bool HasAttr(const char* name) const { return xml_.attributes().hasAttribute(QLatin1String(name)); }
    std::string ReadGraph(GraphDocument& graph);
    void ReadDeclarations();
    std::string ReadElement(const std::string& kind, Attributes& attributes);

    QXmlStreamReader xml_;
    std::map<std::string, std::string> titles_[2]; // of nodes and of edges, by id
};

bool GexfReader::NextChild() { return NextChildElement(xml_, "GEXF"); }

std::string GexfReader::Read(GraphDocument& graph) {
    if (!NextChild()) return xml_.hasError() ? XmlError() : NoGraphReason();
    if (Name() != "gexf") return Syntax("the element <" + Name() + "> has no place here");
    bool found = false;
    while (NextChild()) {
        if (Name() == "graph" && !found) {
            found = true;
            if (std::string r = ReadGraph(graph); !r.empty()) return r;
        } else {
            xml_.skipCurrentElement(); // meta, and whatever else
        }
    }
    if (xml_.hasError()) return XmlError();
    return found ? std::string() : NoGraphReason();
}

void GexfReader::ReadDeclarations() {
    const std::size_t owner = Attr("class") == "edge" ? 1 : 0;
    while (NextChild()) {
        if (Name() == "attribute") titles_[owner][Attr("id")] = Attr("title");
        xml_.skipCurrentElement();
    }
}

// One node or edge: its label, its attvalues by their titles, and its viz position and colour.
std::string GexfReader::ReadElement(const std::string& kind, Attributes& attributes) {
    const std::size_t owner = kind == "edge" ? 1 : 0;
    if (HasAttr("label")) attributes.push_back({"label", Attr("label")});
    if (owner == 1 && HasAttr("weight")) attributes.push_back({"weight", Attr("weight")});
    while (NextChild()) {
        const std::string name = Name();
        if (name == "attvalues") {
            while (NextChild()) {
                if (Name() == "attvalue") {
                    const std::string id = HasAttr("for") ? Attr("for") : Attr("id");
                    const auto title = titles_[owner].find(id);
                    const std::string value = Attr("value");
                    if (value.size() > MaxValueLength) return ValueTooLongReason(kind, id);
                    attributes.push_back({title != titles_[owner].end() ? title->second : id, value});
                }
                xml_.skipCurrentElement();
            }
        } else if (name == "position" && owner == 0) {
            attributes.push_back({"x", Attr("x")});
            const auto y = ParseNumber(Attr("y"));
            attributes.push_back({"y", y ? NumberText(-*y) : Attr("y")});
            xml_.skipCurrentElement();
        } else if (name == "color") {
            if (HasAttr("hex")) {
                attributes.push_back({"color", Attr("hex")});
            } else {
                for (const char* part : {"r", "g", "b"})
                    attributes.push_back({part, Attr(part)});
            }
            xml_.skipCurrentElement();
        } else if (name == "nodes" || name == "edges") {
            return Syntax("nested graphs, which a net does not hold");
        } else {
            if (name != "size" && name != "shape" && name != "thickness")
                attributes.push_back({name, "[element]"});
            xml_.skipCurrentElement();
        }
    }
    return xml_.hasError() ? XmlError() : std::string();
}

std::string GexfReader::ReadGraph(GraphDocument& graph) {
    graph.directed = Attr("defaultedgetype") != "undirected";
    bool mixed = false;
    while (NextChild()) {
        const std::string name = Name();
        if (name == "attributes") {
            ReadDeclarations();
        } else if (name == "nodes") {
            while (NextChild()) {
                if (Name() != "node") {
                    xml_.skipCurrentElement();
                    continue;
                }
                GraphNode node{Attr("id"), {}};
                if (std::string r = ReadElement("node", node.attributes); !r.empty()) return r;
                graph.nodes.push_back(std::move(node));
                if (graph.nodes.size() > static_cast<std::size_t>(MaxPoints))
                    return TooManyPointsReason(graph.nodes.size());
            }
        } else if (name == "edges") {
            while (NextChild()) {
                if (Name() != "edge") {
                    xml_.skipCurrentElement();
                    continue;
                }
                const std::string type = Attr("type");
                if (!type.empty() && (type == "directed") != graph.directed) mixed = true;
                GraphEdge edge{Attr("source"), Attr("target"), {}, {}};
                if (std::string r = ReadElement("edge", edge.attributes); !r.empty()) return r;
                graph.edges.push_back(std::move(edge));
                if (graph.edges.size() > static_cast<std::size_t>(MaxPoints * MaxPoints))
                    return TooManyEdgesReason(graph.edges.size());
            }
        } else {
            xml_.skipCurrentElement();
        }
        if (xml_.hasError()) return XmlError();
    }
    if (mixed) return MixedDirectionReason();
    return xml_.hasError() ? XmlError() : std::string();
}

// The attributes GEXF has a place of its own for; the rest are declared and written as attvalues.
bool OwnPlace(const std::string& name, bool edge) {
    return name == "name" || name == "x" || name == "y" || name == "color" || (edge && name == "weight");
}

void DeclareAttributes(QXmlStreamWriter& xml, const char* kind, const std::vector<std::string>& names) {
    if (names.empty()) return;
    xml.writeStartElement(QStringLiteral("attributes"));
    xml.writeAttribute(QStringLiteral("class"), QString::fromLatin1(kind));
    for (std::size_t k = 0; k < names.size(); ++k) {
        xml.writeStartElement(QStringLiteral("attribute"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(k));
        xml.writeAttribute(QStringLiteral("title"), XmlText(names[k]));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("string"));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void WriteValues(QXmlStreamWriter& xml, const Attributes& attributes, const std::vector<std::string>& names,
                 bool edge) {
    bool open = false;
    for (const Attribute& a : attributes) {
        if (OwnPlace(a.name, edge)) continue;
        if (!open) xml.writeStartElement(QStringLiteral("attvalues"));
        open = true;
        xml.writeStartElement(QStringLiteral("attvalue"));
        const auto at = std::find(names.begin(), names.end(), a.name) - names.begin();
        xml.writeAttribute(QStringLiteral("for"), QString::number(at));
        xml.writeAttribute(QStringLiteral("value"), XmlText(a.value));
        xml.writeEndElement();
    }
    if (open) xml.writeEndElement();
}

std::vector<std::string> ExtraNames(const GraphDocument& graph, bool edge) {
    std::vector<std::string> names;
    const auto add = [&](const Attributes& attributes) {
        for (const Attribute& a : attributes) {
            if (!OwnPlace(a.name, edge) && std::find(names.begin(), names.end(), a.name) == names.end())
                names.push_back(a.name);
        }
    };
    if (edge) {
        for (const GraphEdge& e : graph.edges)
            add(e.attributes);
    } else {
        for (const GraphNode& n : graph.nodes)
            add(n.attributes);
    }
    return names;
}

// As 1.2 spells it: r, g and b apart (the hex form is 1.3's).
void WriteColour(QXmlStreamWriter& xml, const Attributes& attributes) {
    const std::string* colour = FindValue(attributes, "color");
    if (colour == nullptr || colour->size() != 7 || (*colour)[0] != '#') return;
    const unsigned long rgb = std::strtoul(colour->c_str() + 1, nullptr, 16);
    xml.writeStartElement(QStringLiteral("viz:color"));
    xml.writeAttribute(QStringLiteral("r"), QString::number((rgb >> 16) & 0xFF));
    xml.writeAttribute(QStringLiteral("g"), QString::number((rgb >> 8) & 0xFF));
    xml.writeAttribute(QStringLiteral("b"), QString::number(rgb & 0xFF));
    xml.writeEndElement();
}

} // namespace

std::string ReadGexf(std::string_view bytes, GraphDocument& graph) {
    GexfReader reader(bytes);
    return reader.Read(graph);
}

std::string GexfText(const GraphDocument& graph) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    // GEXF 1.2 holds everything written here, and networkx reads no later version; Gephi reads
    // both.
    xml.writeStartElement(QStringLiteral("gexf"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.gexf.net/1.2draft"));
    xml.writeNamespace(QStringLiteral("http://www.gexf.net/1.2draft/viz"), QStringLiteral("viz"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    xml.writeStartElement(QStringLiteral("graph"));
    xml.writeAttribute(QStringLiteral("defaultedgetype"),
                       graph.directed ? QStringLiteral("directed") : QStringLiteral("undirected"));
    xml.writeAttribute(QStringLiteral("mode"), QStringLiteral("static"));
    const std::vector<std::string> nodeNames = ExtraNames(graph, false);
    const std::vector<std::string> edgeNames = ExtraNames(graph, true);
    DeclareAttributes(xml, "node", nodeNames);
    DeclareAttributes(xml, "edge", edgeNames);
    xml.writeStartElement(QStringLiteral("nodes"));
    for (const GraphNode& node : graph.nodes) {
        xml.writeStartElement(QStringLiteral("node"));
        xml.writeAttribute(QStringLiteral("id"), XmlText(node.id));
        xml.writeAttribute(QStringLiteral("label"), XmlText(ValueOr(node.attributes, "name", node.id)));
        WriteValues(xml, node.attributes, nodeNames, false);
        const std::string* x = FindValue(node.attributes, "x");
        const std::string* y = FindValue(node.attributes, "y");
        const auto yUp = y ? ParseNumber(*y) : std::nullopt;
        if (x && yUp) {
            xml.writeStartElement(QStringLiteral("viz:position"));
            xml.writeAttribute(QStringLiteral("x"), XmlText(*x));
            xml.writeAttribute(QStringLiteral("y"), XmlText(NumberText(-*yUp)));
            xml.writeAttribute(QStringLiteral("z"), QStringLiteral("0"));
            xml.writeEndElement();
        }
        WriteColour(xml, node.attributes);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("edges"));
    std::size_t k = 0;
    for (const GraphEdge& edge : graph.edges) {
        xml.writeStartElement(QStringLiteral("edge"));
        xml.writeAttribute(QStringLiteral("id"), QString::number(k++));
        xml.writeAttribute(QStringLiteral("source"), XmlText(edge.source));
        xml.writeAttribute(QStringLiteral("target"), XmlText(edge.target));
        if (const std::string* w = FindValue(edge.attributes, "weight"))
            xml.writeAttribute(QStringLiteral("weight"), XmlText(*w));
        if (const std::string* name = FindValue(edge.attributes, "name"))
            xml.writeAttribute(QStringLiteral("label"), XmlText(*name));
        WriteValues(xml, edge.attributes, edgeNames, true);
        WriteColour(xml, edge.attributes);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes.toStdString();
}

} // namespace plax
