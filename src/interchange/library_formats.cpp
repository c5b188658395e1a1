#include "library_formats.h"

#include "gexf_format.h"
#include "interchange_messages.h"
#include "graphml.h"
#include "node_link_json.h"
#include "pnml_format.h"

namespace plax {

std::string ReadLibraryFormat(InterchangeFormat format, std::string_view bytes, GraphDocument& graph) {
    switch (format) {
    case InterchangeFormat::GraphML: return ReadGraphML(bytes, graph);
    case InterchangeFormat::NodeLinkJson: return ReadNodeLinkJson(bytes, graph);
    case InterchangeFormat::Dot: return ReadDot(bytes, graph);
    case InterchangeFormat::Gexf: return ReadGexf(bytes, graph);
    case InterchangeFormat::Pnml: return ReadPnml(bytes, graph);
    default: return SyntaxReason(InterchangeFormatName(format), 0, "no reader of its own");
    }
}

std::string LibraryFormatRefusal(InterchangeFormat format, const GraphDocument& graph) {
    return format == InterchangeFormat::Pnml ? PnmlRefusal(graph) : std::string();
}

std::optional<std::string> LibraryFormatText(InterchangeFormat format, const GraphDocument& graph) {
    switch (format) {
    case InterchangeFormat::GraphML: return GraphMLText(graph);
    case InterchangeFormat::NodeLinkJson: return NodeLinkJsonText(graph);
    case InterchangeFormat::Gexf: return GexfText(graph);
    case InterchangeFormat::Pnml:
        if (!PnmlRefusal(graph).empty()) return std::nullopt;
        return PnmlText(graph);
    default: return std::nullopt;
    }
}

} // namespace plax
