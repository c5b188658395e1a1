#include "interchange_file.h"

#include "dot_format.h"
#include "edge_list_reader.h"
#include "graphml.h"
#include "interchange_messages.h"
#include "net_graph.h"
#include "node_link_json.h"

#include "model/edge_list.h"
#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/net_store.h"
#include "model/text_utils.h"

#include <cctype>

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
    case InterchangeFormat::GraphML: return ReadGraphML(bytes, graph);
    case InterchangeFormat::NodeLinkJson: return ReadNodeLinkJson(bytes, graph);
    case InterchangeFormat::Dot: return ReadDot(bytes, graph);
    case InterchangeFormat::ExportedEdgeList:
    case InterchangeFormat::PlainEdgeList: break;
    }
    return ReadEdgeList(bytes, graph);
}

// "a b weight" lines, each undirected edge once, with the point numbers as the nodes; a point
// without edges is a line of its own, as networkx's adjacency lists write it.
std::string PlainEdgeListText(const NetWorkType& net) {
    std::string out;
    std::string alone;
    for (int i = 1; i <= net.n; ++i) {
        bool joined = false;
        for (int j = 1; j <= net.n; ++j) {
            const EdgeType* e = FindEdge(net, i, j);
            joined = joined || e != nullptr || FindEdge(net, j, i) != nullptr;
            if (e == nullptr || (IsUndirected(net) && i > j)) continue;
            out += std::to_string(i) + " " + std::to_string(j) + " " + NumberText(e->weight) + "\n";
        }
        if (!joined) alone += std::to_string(i) + "\n";
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
    };
    return extensions;
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

bool ReadInterchangeBytes(InterchangeFormat format, std::string_view bytes, const std::string& path,
                          const OptionType& options, UserMessages& messages, NetWorkType& net) {
    GraphDocument graph;
    std::string reason = bytes.size() > MaxInterchangeFileSize ? TooLargeReason(MaxInterchangeFileSize)
                                                               : ReadDocument(format, bytes, graph);
    if (reason.empty()) reason = NetOfGraph(graph, options, StemOf(path), net);
    if (reason.empty()) return true;
    messages.Warning(ImportRefusedMessage(path, reason));
    return false;
}

bool LoadInterchangeFile(InterchangeFormat format, const std::string& path, const OptionType& options,
                         UserMessages& messages, NetWorkType& net) {
    std::string bytes;
    switch (ReadFileLimited(path, MaxInterchangeFileSize, bytes)) {
    case ReadStatus::Ok: return ReadInterchangeBytes(format, bytes, path, options, messages, net);
    case ReadStatus::TooLarge:
        messages.Warning(ImportRefusedMessage(path, TooLargeReason(MaxInterchangeFileSize)));
        break;
    case ReadStatus::CannotOpen:
    case ReadStatus::ReadError: messages.Warning(InvalidFileMessage(path)); break;
    }
    return false;
}

std::optional<std::string> InterchangeBytes(InterchangeFormat format, const NetWorkType& net) {
    if (format == InterchangeFormat::ExportedEdgeList) return EdgeListText(net);
    if (format == InterchangeFormat::PlainEdgeList) return PlainEdgeListText(net);
    const auto graph = GraphOfNet(net);
    if (!graph) return std::nullopt;
    switch (format) {
    case InterchangeFormat::GraphML: return GraphMLText(*graph);
    case InterchangeFormat::NodeLinkJson: return NodeLinkJsonText(*graph);
    case InterchangeFormat::Dot: return DotText(*graph);
    case InterchangeFormat::ExportedEdgeList:
    case InterchangeFormat::PlainEdgeList: break;
    }
    return std::nullopt;
}

bool SaveInterchangeFile(InterchangeFormat format, const NetWorkType& net, const std::string& path,
                         UserMessages& messages) {
    // The export of old keeps its own messages.
    if (format == InterchangeFormat::ExportedEdgeList) return SaveEdgeList(net, path, messages);
    const auto bytes = InterchangeBytes(format, net);
    if (!bytes || WriteFileAtomically(path, *bytes) != WriteStatus::Ok) {
        messages.Warning(CannotSaveMessage(path));
        return false;
    }
    return true;
}

} // namespace plax
