#include "interchange_file.h"

#include "adjacency_formats.h"
#include "dot_format.h"
#include "edge_list_reader.h"
#include "gml_format.h"
#include "graph6_format.h"
#include "interchange_messages.h"
#include "library_formats.h"
#include "net_graph.h"
#include "pajek_format.h"
#include "text_format.h"

#include "model/edge_list.h"
#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/net_store.h"
#include "model/text_utils.h"

#include <cctype>
#include <map>

namespace plax {

namespace {

std::string StemOf(const std::string& path) {
    std::string name = FileNameOf(path);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

std::string ReadDocument(InterchangeFormat format, std::string_view bytes, GraphDocument& graph) {
    switch (format) {
    case InterchangeFormat::GraphML:
    case InterchangeFormat::NodeLinkJson:
    case InterchangeFormat::Dot:
    case InterchangeFormat::Gexf:
    case InterchangeFormat::Pnml: return ReadLibraryFormat(format, bytes, graph);
    case InterchangeFormat::Gml: return ReadGml(bytes, graph);
    case InterchangeFormat::Pajek: return ReadPajek(bytes, graph);
    case InterchangeFormat::Graph6:
    case InterchangeFormat::Digraph6: return ReadGraph6(bytes, graph);
    case InterchangeFormat::AdjacencyMatrix: return ReadAdjacencyMatrix(bytes, graph);
    case InterchangeFormat::AdjacencyList: return ReadAdjacencyList(bytes, graph);
    case InterchangeFormat::ExportedEdgeList:
    case InterchangeFormat::PlainEdgeList: break;
    }
    std::string reason = ReadEdgeList(bytes, graph);
    graph.directionOpen = true;
    return reason;
}

// The direction the user chose for a file that cannot say; an undirected edge listed both ways
// with the same attributes is one edge.
void SettleDirection(const ImportChoices& choices, GraphDocument& graph) {
    if (!graph.directionOpen) return;
    if (choices.directed) graph.directed = *choices.directed;
    if (graph.directed) return;
    std::map<std::pair<std::string, std::string>, std::size_t> kept;
    std::vector<GraphEdge> edges;
    for (GraphEdge& e : graph.edges) {
        const auto reverse = kept.find({e.target, e.source});
        if (reverse != kept.end()) {
            const Attributes& other = edges[reverse->second].attributes;
            const bool same = std::equal(other.begin(), other.end(), e.attributes.begin(), e.attributes.end(),
                                         [](const Attribute& a, const Attribute& b) {
                                             return a.name == b.name && a.value == b.value;
                                         });
            if (same) continue;
        }
        kept.emplace(std::pair{e.source, e.target}, edges.size());
        edges.push_back(std::move(e));
    }
    graph.edges = std::move(edges);
}

// "a b weight" lines, each undirected edge once, the points by their names when other tools can
// read them back as words, else by their numbers; a point without edges is a line of its own,
// as networkx's adjacency lists write it.
std::string PlainEdgeListText(const NetWorkType& net) {
    GraphDocument points;
    for (int i = 1; i <= net.n; ++i)
        points.nodes.push_back({std::to_string(i), {{"name", net.points[static_cast<std::size_t>(i)].name}}});
    const std::vector<std::string> labels = NodeLabels(points, true);
    std::string out;
    std::string alone;
    for (int i = 1; i <= net.n; ++i) {
        bool joined = false;
        for (int j = 1; j <= net.n; ++j) {
            const EdgeType* e = FindEdge(net, i, j);
            joined = joined || e != nullptr || FindEdge(net, j, i) != nullptr;
            if (e == nullptr || (IsUndirected(net) && i > j)) continue;
            out += Latin1ToUtf8(labels[static_cast<std::size_t>(i - 1)]) + " " +
                   Latin1ToUtf8(labels[static_cast<std::size_t>(j - 1)]) + " " + NumberText(e->weight) + "\n";
        }
        if (!joined) alone += Latin1ToUtf8(labels[static_cast<std::size_t>(i - 1)]) + "\n";
    }
    return out + alone;
}

} // namespace

const std::vector<InterchangeExtension>& InterchangeExtensions() {
    static const std::vector<InterchangeExtension> extensions = {
        {".graphml", InterchangeFormat::GraphML, "GraphML"},
        {".json", InterchangeFormat::NodeLinkJson, "Node-link JSON"},
        {".dot", InterchangeFormat::Dot, "Graphviz DOT"},
        {".gv", InterchangeFormat::Dot, "Graphviz DOT"},
        {".txt", InterchangeFormat::ExportedEdgeList, "Edge list"},
        {".edgelist", InterchangeFormat::PlainEdgeList, "Edge list (a b weight)"},
        {".gml", InterchangeFormat::Gml, "GML"},
        {".gexf", InterchangeFormat::Gexf, "GEXF"},
        {".paj", InterchangeFormat::Pajek, "Pajek"},
        {".g6", InterchangeFormat::Graph6, "graph6"},
        {".d6", InterchangeFormat::Digraph6, "digraph6"},
        {".csv", InterchangeFormat::AdjacencyMatrix, "Adjacency matrix (CSV)"},
        {".adjlist", InterchangeFormat::AdjacencyList, "Adjacency list"},
        {".pnml", InterchangeFormat::Pnml, "PNML (Petri net)"},
    };
    return extensions;
}

bool NeedsFormatLibraries(InterchangeFormat format) {
    switch (format) {
    case InterchangeFormat::GraphML:
    case InterchangeFormat::NodeLinkJson:
    case InterchangeFormat::Dot:
    case InterchangeFormat::Gexf:
    case InterchangeFormat::Pnml: return true;
    default: return false;
    }
}

std::string InterchangeFormatName(InterchangeFormat format) {
    for (const InterchangeExtension& e : InterchangeExtensions()) {
        if (e.format == format) return e.description;
    }
    return {};
}

std::optional<InterchangeFormat> InterchangeFormatForExtension(std::string extension) {
    if (!extension.empty() && extension[0] != '.') extension.insert(0, ".");
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const InterchangeExtension& e : InterchangeExtensions()) {
        if (extension == e.extension) return e.format;
    }
    return std::nullopt;
}

std::optional<InterchangeFormat> InterchangeFormatForPath(const std::string& path) {
    const std::string ext = UpperExtension(path);
    if (ext.empty()) return std::nullopt;
    return InterchangeFormatForExtension(ext);
}

bool KeepsAttributes(InterchangeFormat format) {
    return format == InterchangeFormat::GraphML || format == InterchangeFormat::NodeLinkJson ||
           format == InterchangeFormat::Gml || format == InterchangeFormat::Gexf;
}

std::string ReadInterchangeDocument(InterchangeFormat format, std::string_view bytes, GraphDocument& graph) {
    if (bytes.size() > MaxInterchangeFileSize) return TooLargeReason(MaxInterchangeFileSize);
    return ReadDocument(format, bytes, graph);
}

bool ReadInterchangeBytes(InterchangeFormat format, std::string_view bytes, const std::string& path,
                          const OptionType& options, UserMessages& messages, NetWorkType& net,
                          const ImportChoices& choices, std::vector<std::string>* pointIds) {
    GraphDocument graph;
    std::string reason = ReadInterchangeDocument(format, bytes, graph);
    std::string passedOver;
    if (reason.empty()) {
        SettleDirection(choices, graph);
        reason = NetOfGraph(graph, options, StemOf(path), net, choices, &passedOver, KeepsAttributes(format));
    }
    if (!reason.empty()) {
        messages.Warning(ImportRefusedMessage(path, reason));
        return false;
    }
    if (pointIds != nullptr) *pointIds = PointIdsOf(net);
    std::string told = graph.note;
    if (!passedOver.empty()) told += (told.empty() ? "" : "\r\n") + passedOver;
    if (!told.empty()) messages.Information(told);
    return true;
}

bool LoadInterchangeFile(InterchangeFormat format, const std::string& path, const OptionType& options,
                         UserMessages& messages, NetWorkType& net, const ImportChoices& choices,
                         std::vector<std::string>* pointIds) {
    std::string bytes;
    switch (ReadFileLimited(path, MaxInterchangeFileSize, bytes)) {
    case ReadStatus::Ok:
        return ReadInterchangeBytes(format, bytes, path, options, messages, net, choices, pointIds);
    case ReadStatus::TooLarge:
        messages.Warning(ImportRefusedMessage(path, TooLargeReason(MaxInterchangeFileSize)));
        break;
    case ReadStatus::CannotOpen:
    case ReadStatus::ReadError: messages.Warning(InvalidFileMessage(path)); break;
    }
    return false;
}

std::string InterchangeRefusal(InterchangeFormat format, const NetWorkType& net) {
    if (format != InterchangeFormat::Pnml) return {};
    const auto graph = GraphOfNet(net);
    return graph ? LibraryFormatRefusal(format, *graph) : std::string();
}

std::optional<std::string> InterchangeBytes(InterchangeFormat format, const NetWorkType& net,
                                            const DotLabelParts& dotLabels) {
    if (format == InterchangeFormat::ExportedEdgeList) return EdgeListText(net);
    if (format == InterchangeFormat::PlainEdgeList) return PlainEdgeListText(net);
    const auto graph = GraphOfNet(net, KeepsAttributes(format));
    if (!graph) return std::nullopt;
    switch (format) {
    case InterchangeFormat::GraphML:
    case InterchangeFormat::NodeLinkJson:
    case InterchangeFormat::Gexf:
    case InterchangeFormat::Pnml: return LibraryFormatText(format, *graph);
    case InterchangeFormat::Dot: return DotText(*graph, dotLabels);
    case InterchangeFormat::Gml: return GmlText(*graph);
    case InterchangeFormat::Pajek: return PajekText(*graph);
    case InterchangeFormat::Graph6: return Graph6Text(*graph, false);
    case InterchangeFormat::Digraph6: return Graph6Text(*graph, true);
    case InterchangeFormat::AdjacencyMatrix: return AdjacencyMatrixText(*graph);
    case InterchangeFormat::AdjacencyList: return AdjacencyListText(*graph);
    case InterchangeFormat::ExportedEdgeList:
    case InterchangeFormat::PlainEdgeList: break;
    }
    return std::nullopt;
}

bool SaveInterchangeFile(InterchangeFormat format, const NetWorkType& net, const std::string& path,
                         UserMessages& messages, const DotLabelParts& dotLabels) {
    // The export of old keeps its own messages.
    if (format == InterchangeFormat::ExportedEdgeList) return SaveEdgeList(net, path, messages);
    if (std::string reason = InterchangeRefusal(format, net); !reason.empty()) {
        messages.Warning(ExportRefusedMessage(path, reason));
        return false;
    }
    const auto bytes = InterchangeBytes(format, net, dotLabels);
    if (!bytes || WriteFileAtomically(path, *bytes) != WriteStatus::Ok) {
        messages.Warning(CannotSaveMessage(path));
        return false;
    }
    return true;
}

} // namespace plax
