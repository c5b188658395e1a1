#pragma once

#include "dot_format.h"
#include "graph_document.h"
#include "interchange_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace plax {

// The formats whose readers or writers stand on Qt Core's XML and JSON classes or on Graphviz's
// cgraph (those of NeedsFormatLibraries), by format. The whole layer answers them from
// library_formats.cpp; the text-only layer from library_formats_text.cpp, where they are refused.

// Reads `bytes` into `graph`; answers why not, or an empty text.
std::string ReadLibraryFormat(InterchangeFormat format, std::string_view bytes, GraphDocument& graph);
// Why `graph` cannot be written in `format`, or an empty text.
std::string LibraryFormatRefusal(InterchangeFormat format, const GraphDocument& graph);
// The file's text, or nothing when the graph has no form in it.
std::optional<std::string> LibraryFormatText(InterchangeFormat format, const GraphDocument& graph);

} // namespace plax
