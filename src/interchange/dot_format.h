#pragma once

#include "graph_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace plax {

// Our names for the attributes DOT spells its own way: the point's shape, and an edge's own name
// beside a label that shows more (or other) than the name.
inline constexpr const char* DotShapeKey = "plax_shape";
inline constexpr const char* DotNameKey = "plax_name";

// DOT for Graphviz: each point with its label (the name) and a pinned position pos="x,y!" (y
// upwards, as Graphviz draws), each edge with its label (by default its weight) and weight, and the rest
// of the table as attributes of their own ("plax_shape" for the shape, which Graphviz means
// otherwise). DOT holds one level: sub-nets are not written. Nothing when a name has no DOT form
// (an odd run of backslashes before a quote or its end, and angle brackets that do not pair up).
// An edge's label shows the parts `labels` asks for, joined by "/" as the canvas joins them;
// a name that the label does not show whole travels as the edge's `name`, so it comes back.
struct DotLabelParts {
    bool name = false;
    bool weight = true;
    bool flow = false;
};
std::optional<std::string> DotText(const GraphDocument& graph, const DotLabelParts& labels = {});

// Reads DOT through Graphviz's cgraph into `graph`; answers why not, or an empty text. Only the
// library built with cgraph reads DOT (dot_reader.cpp); the text-only one answers a refusal. The
// attributes Graphviz's layouts write (bb, width, height, an edge's pos, ...) are passed over; a
// node's pos is its position, measured from the top of the bounding box when there is one. A node's
// label is its name ("\N" its id), its id names it where the file gives no labels at all.
[[nodiscard]] std::string ReadDot(std::string_view bytes, GraphDocument& graph);

} // namespace plax
