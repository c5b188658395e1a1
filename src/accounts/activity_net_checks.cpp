#include "activity_net_checks.h"

namespace plax {

std::string NoPathsFromSourceToSinkMessage(int source, int sink) {
    return "There aren`t Paths from Source " + std::to_string(source) + " to " + "Sink" +
           std::to_string(sink);
}

bool OneSourceOneSink(NetWorkType& net, UserMessages& messages) {
    const ActivityEnds ends = FindSourceAndSink(net);
    if (!ends.one) return false;
    net.sourcePoint = static_cast<std::uint16_t>(ends.source);
    net.sinkPoint = static_cast<std::uint16_t>(ends.sink);
    if (!ends.connected) {
        messages.Warning(NoPathsFromSourceToSinkMessage(ends.source, ends.sink));
        return false;
    }
    return true;
}

bool ActivityNetReady(NetWorkType& net, UserMessages& messages, std::vector<EdgeMark>& shownCycle) {
    shownCycle.clear();
    if (!OneSourceOneSink(net, messages)) {
        messages.Warning(NotOneSourceOneSinkMessage);
        return false;
    }
    std::vector<int> cycle;
    if (HasCycle(net, cycle)) {
        if (messages.Confirm(NetWorkHasCycleQuestion)) shownCycle = CycleEdges(cycle);
        return false;
    }
    return true;
}

} // namespace plax
