#pragma once

#include "algorithms/activity_net.h"
#include "algorithms/marking_buffer.h"

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

// The Critical Path command's tests, with their messages: one source and one sink, then no
// cycle. On a cycle the user is asked whether to see it; `shownCycle` then receives its edges.
[[nodiscard]] bool ActivityNetReady(NetWorkType& net, UserMessages& messages,
                                    std::vector<EdgeMark>& shownCycle);

} // namespace plax
