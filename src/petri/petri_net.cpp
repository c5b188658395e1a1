#include "petri_net.h"

#include "model/net_store.h"
#include "accounts/procedure_texts.h"

#include <algorithm>

namespace plax {

namespace {

std::size_t At(int p) { return static_cast<std::size_t>(p); }

// The places the structure test checks edges against; shapes 6 and 7 take no side.
bool IsCheckedPlace(const PointType& point) {
    return point.shape == 0 || point.shape == 1 || point.shape == 4 || point.shape == 5;
}

bool HasBothClasses(const NetWorkType& net) {
    bool transition = false;
    bool other = false;
    for (int i = 1; i <= net.n; ++i) {
        const bool t = IsTransition(net.points[At(i)]);
        transition = transition || t;
        other = other || !t;
    }
    return transition && other;
}

bool EdgesJoinTheClasses(const NetWorkType& net) {
    for (int i = 1; i <= net.n; ++i) {
        const PointType& from = net.points[At(i)];
        for (const EdgeType& e : net.lists[At(i)]) {
            if (e.target < 1 || e.target > net.n) continue;
            const PointType& to = net.points[e.target];
            if (IsTransition(from) && IsTransition(to)) return false;
            if (IsCheckedPlace(from) && IsCheckedPlace(to)) return false;
        }
    }
    return true;
}

} // namespace

bool IsTransition(const PointType& point) { return point.shape == 2 || point.shape == 3; }

bool IsTokenPlace(const PointType& point) { return point.shape == 0 || point.shape == 1; }

bool IsOrdinaryPetriNet(const NetWorkType& net) {
    return net.kindName == NetKind[DirNetCode] && HasBothClasses(net) && EdgesJoinTheClasses(net);
}

std::optional<std::string> PetriRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    if (!IsOrdinaryPetriNet(net)) return std::string(NotBichromaticMessage);
    return CeilingRefusal(net);
}

std::optional<std::string> CeilingRefusal(const NetWorkType& net) {
    for (int p = 1; p <= net.n; ++p) {
        const PointType& place = net.points[At(p)];
        if (IsTokenPlace(place) && place.tokens > TokenCeiling)
            return "Place " + std::to_string(p) + " holds " + std::to_string(place.tokens) +
                   " tokens; the token game keeps at most " + std::to_string(TokenCeiling) +
                   " in a place.\r\nProcedure terminated! ";
    }
    return std::nullopt;
}

bool AnyEnabled(const PointFlags& enabled) {
    return std::find(enabled.begin(), enabled.end(), true) != enabled.end();
}

PointFlags EnabledTransitions(const NetWorkType& net) {
    PointFlags enabled{};
    for (int t = 1; t <= net.n; ++t) {
        if (!IsTransition(net.points[At(t)])) continue;
        bool ready = true;
        for (int p = 1; p <= net.n && ready; ++p) {
            if (p != t && EdgeExists(net, p, t)) ready = net.points[At(p)].tokens > 0;
        }
        enabled[At(t)] = ready;
    }
    return enabled;
}

PointFlags FireTransition(NetWorkType& net, int t) {
    PointFlags changed{};
    if (t < 1 || t > net.n) return changed;
    for (int p = 1; p <= net.n; ++p) {
        PointType& place = net.points[At(p)];
        if (p == t || !IsTokenPlace(place)) continue;
        const std::uint16_t before = place.tokens;
        const bool in = EdgeExists(net, p, t) && place.tokens > 0;
        const bool out = EdgeExists(net, t, p);
        if (in && !out) --place.tokens;
        if (out && !in && place.tokens < TokenCeiling) ++place.tokens;
        changed[At(p)] = place.tokens != before;
    }
    return changed;
}

} // namespace plax
