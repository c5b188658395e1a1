#pragma once

#include "model/net_types.h"
#include "petri/auto_run_account.h"
#include "algorithms/reachability.h"

namespace plax {

// The manual token game of a document window: its simulation flag, the enabled transitions and
// the blink phase, and how often each transition fired since the last start (manual or
// automatic), which the statistics window shows.
class ManualSimulation {
public:
    bool Running() const { return running_; }
    const PointFlags& Enabled() const { return enabled_; }
    bool AnyEnabled() const;
    // The enabled transitions the last tick drew inverted (not-xor) and no later drawing restored.
    const PointFlags& Inverted() const { return inverted_; }

    // Starts on a net that passed the structure test; false, and not running, when no transition
    // is enabled. The firing counts start afresh.
    bool Start(const NetWorkType& net);
    // A click on point p: an enabled transition fires and the enabled set is computed again; a
    // transition that is no longer enabled loses its inversion. Answers whether p fired.
    bool Click(NetWorkType& net, int p);
    // After the net was edited under the game: every transition drawn plainly, the set anew.
    void Recompute(const NetWorkType& net);
    // Not running, nothing enabled or inverted.
    void End();
    // One tick of the frame's timer: unless nothing is enabled or a point is being dragged, the
    // enabled transitions turn inverted or plain by the blink phase, which then flips. Answers
    // whether the drawing changed.
    bool Tick(bool pointDragged);

    const FiringCounts& Firings() const { return firings_; }
    void ClearFirings() { firings_ = {}; }
    void CountFiring(int t) { ++firings_[static_cast<std::size_t>(t)]; }

private:
    bool running_ = false;
    PointFlags enabled_{};
    PointFlags inverted_{};
    bool blinkPhase_ = false;
    FiringCounts firings_{};
};

} // namespace plax
