#pragma once

#include "document_files.h"

#include "model/net_types.h"
#include "model/user_messages.h"

#include <memory>
#include <string>

namespace plax {

inline constexpr const char* DecomposeEdgeQuestion = "Do you wish to Decompose this edge?";
inline constexpr const char* UpOneLevelText = "Up One Level";

// The name a level gets from the net one level up: that net's name, then "\t -> Edge(from,to)",
// cut to the length of a net name.
std::string SubNetName(const std::string& netName, int from, int to);

// The sub-net a decomposed edge (from, to) gets: two points, copies of `from` and `to`, no edge.
std::shared_ptr<NetWorkType> NewSubNet(const NetWorkType& net, int from, int to);

// Goes down into the sub-net of the edge (from, to) of the level being edited; an edge without
// one is decomposed first (NewSubNet, shared by both entries of an undirected edge), once the user
// agrees. The enclosing level is stored into its place in `levels`; the sub-net comes down with
// the enclosing level's display options, view flags, source, sink, interaction state and changed
// flag. Answers whether `working` now holds the sub-net.
[[nodiscard]] bool EnterLevel(NetLevels& levels, NetWorkType& working, int from, int to, UserMessages& ui);

// Goes back up: the level is stored into its sub-net (so both entries of an undirected edge still
// see one net), and the enclosing level comes back, taking the level's display options, view
// flags and changed flag. False, changing nothing, at the top.
bool LeaveLevel(NetLevels& levels, NetWorkType& working);

} // namespace plax
