#include "sub_net_levels.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <memory>
#include <utility>

namespace plax {

namespace {

// What a level hands down to the sub-net it enters, whether new or visited before.
struct CarriedState {
    std::string name;
    std::uint8_t changed = 0;
    PointOptionType defaultOptions;
    ViewFlags view;
    std::uint16_t sourcePoint = 0;
    std::uint16_t sinkPoint = 0;
    InteractionState interaction;
};

CarriedState CarriedFrom(const NetWorkType& net) {
    return {net.name,        net.changed,   net.defaultOptions, net.view,
            net.sourcePoint, net.sinkPoint, net.interaction};
}

void Carry(const CarriedState& from, NetWorkType& sub) {
    sub.changed = from.changed;
    sub.defaultOptions = from.defaultOptions;
    sub.view = from.view;
    sub.sourcePoint = from.sourcePoint;
    sub.sinkPoint = from.sinkPoint;
    sub.interaction = from.interaction;
}

} // namespace

std::shared_ptr<NetWorkType> NewSubNet(const NetWorkType& net, int from, int to) {
    auto sub = std::make_shared<NetWorkType>();
    NetInit(*sub);
    sub->kindName = net.kindName;
    sub->kindCode = net.kindCode;
    sub->n = 2;
    sub->points[1] = net.points[static_cast<std::size_t>(from)];
    sub->points[2] = net.points[static_cast<std::size_t>(to)];
    sub->points[1].selected = 0;
    sub->points[2].selected = 0;
    return sub;
}

std::string SubNetName(const std::string& netName, int from, int to) {
    return CutText(netName + "\t -> Edge(" + std::to_string(from) + "," + std::to_string(to) + ")",
                   MaxNetNameLength);
}

bool EnterLevel(NetLevels& levels, NetWorkType& working, int from, int to, UserMessages& ui) {
    NetWorkType* home = levels.Home();
    if (home == nullptr || !EdgeExists(working, from, to)) return false;
    if (!GetSubNet(working, from, to)) {
        if (!ui.Confirm(DecomposeEdgeQuestion)) return false;
        SetSubNet(working, from, to, NewSubNet(working, from, to));
    }
    const CarriedState carried = CarriedFrom(working);
    *home = std::move(working);
    levels.Down(from, to);
    working = *levels.Home();
    Carry(carried, working);
    working.name = SubNetName(carried.name, from, to);
    return true;
}

bool LeaveLevel(NetLevels& levels, NetWorkType& working) {
    NetWorkType* home = levels.Home();
    if (levels.AtTop() || home == nullptr) return false;
    levels.Up();
    NetWorkType& parent = *levels.Home();
    parent.defaultOptions = working.defaultOptions;
    parent.view = working.view;
    // The changed flag is the document's: edits inside a level must make closing ask.
    parent.changed = working.changed;
    *home = std::move(working);
    working = parent;
    return true;
}

} // namespace plax
