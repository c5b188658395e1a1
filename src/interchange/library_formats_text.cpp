#include "library_formats.h"

#include "interchange_messages.h"

namespace plax {

// plax-cli's text program links neither Qt nor Graphviz. It hands a command line naming one of
// these formats to plax-cli-full before anything is read, so these answer only a caller that
// did not: reading is refused with a reason, writing finds no form and fails as a save does.

std::string ReadLibraryFormat(InterchangeFormat format, std::string_view, GraphDocument&) {
    return SyntaxReason(InterchangeFormatName(format), 0, "this program reads it through plax-cli-full");
}

std::string LibraryFormatRefusal(InterchangeFormat, const GraphDocument&) { return {}; }

std::optional<std::string> LibraryFormatText(InterchangeFormat, const GraphDocument&) { return std::nullopt; }

} // namespace plax
