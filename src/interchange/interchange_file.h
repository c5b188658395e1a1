#pragma once

#include "dot_format.h"
#include "net_graph.h"

#include "model/net_types.h"
#include "model/user_messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// The formats other graph tools speak. The edge list comes in two: the export of old (.txt,
// N and "i,j,weight" lines) and the plain "a b weight" lines networkx writes (.edgelist); either
// reader takes both. Pajek is written as .paj and read from a .net by its content as well.
enum class InterchangeFormat {
    GraphML,
    NodeLinkJson,
    Dot,
    ExportedEdgeList,
    PlainEdgeList,
    Gml,
    Gexf,
    Pajek,
    Graph6,
    Digraph6,
    AdjacencyMatrix,
    AdjacencyList,
    Pnml
};

struct InterchangeExtension {
    const char* extension; // lower case, with its dot
    InterchangeFormat format;
    const char* description;
};

// Whether the format writes back attributes a net has no field for, so that reading it keeps
// them with the net (GraphML, node-link JSON, GML, GEXF) instead of passing them over.
bool KeepsAttributes(InterchangeFormat format);

// The formats read or written through Qt Core's XML and JSON classes or Graphviz's cgraph:
// GraphML, node-link JSON, GEXF, PNML and DOT (which only cgraph reads). The text-only build of
// this layer (plax_interchange_text, for plax-cli) leaves them out.
bool NeedsFormatLibraries(InterchangeFormat format);

// The format's name as the file dialogs give it ("GraphML").
std::string InterchangeFormatName(InterchangeFormat format);

// Every extension, in the order the file dialogs offer them.
const std::vector<InterchangeExtension>& InterchangeExtensions();

// The format a file name asks for by its extension, in any case of letters.
std::optional<InterchangeFormat> InterchangeFormatForPath(const std::string& path);
// The format an extension names, with or without its dot ("graphml", ".GV").
std::optional<InterchangeFormat> InterchangeFormatForExtension(std::string extension);

// Files of other programs for nets of 15 points are a few kilobytes, a net file 16 MB at most;
// this bounds what a hostile
// one can make us hold.
inline constexpr std::size_t MaxInterchangeFileSize = 16u * 1024u * 1024u;

// Fills `net` from the bytes of a file in `format`; on a refusal the message names `path` and the
// reason, and `net` is left as it was. A net without a name of its own takes the file's name
// without its extension. What was passed over, and a reader's note, are shown once as
// information. `choices` picks the weight and, for files that cannot say, the direction.
// `pointIds`, when given, receives the file's id of each point, point 1 first.
[[nodiscard]] bool ReadInterchangeBytes(InterchangeFormat format, std::string_view bytes,
                                        const std::string& path, const OptionType& options,
                                        UserMessages& messages, NetWorkType& net,
                                        const ImportChoices& choices = {},
                                        std::vector<std::string>* pointIds = nullptr);
[[nodiscard]] bool LoadInterchangeFile(InterchangeFormat format, const std::string& path,
                                       const OptionType& options, UserMessages& messages, NetWorkType& net,
                                       const ImportChoices& choices = {},
                                       std::vector<std::string>* pointIds = nullptr);

// The graph of a file before it is a net, for choosing its weight (WeightAttributes) and its
// direction; the reason when there is none.
[[nodiscard]] std::string ReadInterchangeDocument(InterchangeFormat format, std::string_view bytes,
                                                  GraphDocument& graph);

// A Pajek network rather than a net file under the name .net.
bool HoldsPajek(std::string_view bytes);

// Why the net cannot be written in `format` (empty when it can): PNML holds only Petri nets.
[[nodiscard]] std::string InterchangeRefusal(InterchangeFormat format, const NetWorkType& net);
// The bytes of the net in `format`, or nothing when the net cannot be written (sub-nets nested
// deeper than a net file allows, or a refusal above). `dotLabels`: what DOT's edge labels show.
[[nodiscard]] std::optional<std::string> InterchangeBytes(InterchangeFormat format, const NetWorkType& net,
                                                          const DotLabelParts& dotLabels = {});
// Writes the file, replacing any old one atomically; a refusal or a failure is shown through
// `messages`.
[[nodiscard]] bool SaveInterchangeFile(InterchangeFormat format, const NetWorkType& net,
                                       const std::string& path, UserMessages& messages,
                                       const DotLabelParts& dotLabels = {});

} // namespace plax
