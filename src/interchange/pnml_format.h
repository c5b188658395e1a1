#pragma once

#include "graph_document.h"

#include <string>
#include <string_view>

namespace plax {

// PNML place/transition nets, the exchange format of Petri net tools. Places and transitions
// become points (circles and vertical bars unless the file's own Plax section says which shape),
// the initial marking a place's tokens, arcs directed edges. Only ordinary nets are read: an arc
// weight other than 1 is refused. Pages are flattened and reference places and transitions lead
// to the node they stand for. What PNML has no element for travels in a <toolspecific
// tool="Plax"> section, so a net written and read back keeps its looks.
std::string ReadPnml(std::string_view bytes, GraphDocument& graph);

// Why the graph is no place/transition net PNML can hold (empty when it is one): a directed net
// whose edges each join a place and a transition, without sub-nets.
std::string PnmlRefusal(const GraphDocument& graph);
std::string PnmlText(const GraphDocument& graph);

} // namespace plax
