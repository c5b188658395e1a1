#pragma once

#include "graph_document.h"

#include "model/net_types.h"

#include <string>
#include <vector>

namespace plax {

// The attributes the formats carry, with the names other programs know where there is one (x, y,
// name, weight, flow, tokens, shape, color) and "plax_" names for the rest of what a net file
// stores. One table serves every format, so what one carries the others carry the same way.
enum class AttributeOwner { Graph, Node, Edge };
enum class AttributeType { Int, Real, Text, Colour };

struct AttributeDecl {
    AttributeOwner owner;
    const char* name;
    AttributeType type;
};

// Every attribute, graph ones first, then nodes, then edges: the order the writers declare them.
std::vector<AttributeDecl> AttributeDecls();
const char* OwnerName(AttributeOwner owner); // "graph", "node", "edge"

// What a net, one of its points or one of its edges, says of itself, in table order. A point
// lists its own display options only when it has them.
// With `unless`, what a reader would set anyway (the record a reader starts from) is left out,
// but for the position and name of a point and the weight of an edge.
Attributes GraphAttributesOf(const NetWorkType& net, const PointOptionType* unless = nullptr);
Attributes PointAttributesOf(const PointType& point, const PointType* unless = nullptr);
Attributes EdgeAttributesOf(const EdgeType& edge, const EdgeType* unless = nullptr);

// What became of one attribute: set, refused with a reason, or not one a net holds (`known`
// false: the caller passes it over).
struct SetResult {
    bool known = true;
    std::string refusal;
};

// Sets the attribute `a` of a point, an edge or the net, naming `element` in a refusal (a value
// that does not fit). The graph's "name" and "plax_kind" are read by the caller; the display
// options of the net go to `options`. A colour that is neither #RRGGBB nor an X11 or SVG name is
// not known either.
SetResult SetPointAttribute(PointType& point, const Attribute& a, const std::string& element);
SetResult SetEdgeAttribute(EdgeType& edge, const Attribute& a, const std::string& element);
SetResult SetGraphOptionAttribute(PointOptionType& options, const Attribute& a);

// A colour 0x00BBGGRR as "#RRGGBB" (Graphviz and most programs read it); a colour with a top byte
// keeps it as "#TTRRGGBB".
std::string ColourText(Color c);

} // namespace plax
