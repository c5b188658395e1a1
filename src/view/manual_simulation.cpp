#include "manual_simulation.h"

#include "petri/petri_net.h"

namespace plax {

bool ManualSimulation::AnyEnabled() const { return plax::AnyEnabled(enabled_); }

bool ManualSimulation::Start(const NetWorkType& net) {
    End();
    enabled_ = EnabledTransitions(net);
    if (!AnyEnabled()) return false;
    running_ = true;
    blinkPhase_ = true;
    ClearFirings();
    return true;
}

bool ManualSimulation::Click(NetWorkType& net, int p) {
    if (!running_ || p < 1 || p > net.n || !enabled_[static_cast<std::size_t>(p)]) return false;
    // A set gone stale under an edit must not fire a transition whose inputs are empty.
    if (!EnabledTransitions(net)[static_cast<std::size_t>(p)]) return false;
    FireTransition(net, p);
    CountFiring(p);
    enabled_ = EnabledTransitions(net);
    for (std::size_t t = 0; t < inverted_.size(); ++t)
        inverted_[t] = inverted_[t] && enabled_[t];
    return true;
}

void ManualSimulation::Recompute(const NetWorkType& net) {
    inverted_ = {};
    enabled_ = EnabledTransitions(net);
}

void ManualSimulation::End() {
    running_ = false;
    enabled_ = {};
    inverted_ = {};
}

bool ManualSimulation::Tick(bool pointDragged) {
    if (!running_ || !AnyEnabled() || pointDragged) return false;
    inverted_ = blinkPhase_ ? enabled_ : PointFlags{};
    blinkPhase_ = !blinkPhase_;
    return true;
}

} // namespace plax
