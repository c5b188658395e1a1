#pragma once

#include "marking_buffer.h"

#include "model/net_types.h"
#include "model/user_messages.h"

#include <string>
#include <vector>

namespace plax {

inline constexpr const char* NotOneSourceOneSinkMessage =
    "It Must be One Source and One Sink.\r\nThere isnt Critical Path";
inline constexpr const char* NetWorkHasCycleQuestion =
    "NetWork has a Cycle.\r\nThere isnt Critical Path\r\nDo you wish to Show Cycle?";
std::string NoPathsFromSourceToSinkMessage(int source, int sink);

// True when exactly one point has no incoming edge and exactly one has no outgoing edge; they
// become the net's source and sink. A sink the source cannot reach is refused with a warning.
[[nodiscard]] bool OneSourceOneSink(NetWorkType& net, UserMessages& messages);

// Looks for a cycle, first from the net's source and then from every point that search did not
// reach, so a cycle anywhere in the net is found. `cycle` receives its points against the edge
// direction: c1, c2, ..., cm with the edges (c2,c1), ..., (cm,cm-1) and (c1,cm).
bool HasCycle(const NetWorkType& net, std::vector<int>& cycle);

// The edges of a cycle that HasCycle found, in the order it names them.
std::vector<EdgeMark> CycleEdges(const std::vector<int>& cycle);

// The Critical Path command's tests, with their messages: one source and one sink, then no
// cycle. On a cycle the user is asked whether to see it; `shownCycle` then receives its edges.
[[nodiscard]] bool ActivityNetReady(NetWorkType& net, UserMessages& messages,
                                    std::vector<EdgeMark>& shownCycle);

} // namespace plax
