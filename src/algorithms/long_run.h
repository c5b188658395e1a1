#pragma once

#include "run_control.h"

#include "model/net_types.h"

namespace plax {

// A search that can be stopped: starts the long run, and ends it however the search is left,
// a line that could not be written included.
class LongRun {
public:
    LongRun(RunControl& control, NetWorkType& net) : control_(control), net_(net) {
        control_.StartLongRun(net_);
    }
    ~LongRun() { End(); }
    LongRun(const LongRun&) = delete;
    LongRun& operator=(const LongRun&) = delete;

    // Whether Stop was pressed; ending the run clears the flag, so ask before.
    bool Stopped() const { return control_.Stopped(); }
    void End() {
        if (!running_) return;
        running_ = false;
        control_.EndLongRun(net_);
    }

private:
    RunControl& control_;
    NetWorkType& net_;
    bool running_ = true;
};

// Polls once every `every` steps of a search, counting from the first step.
class StepPoller {
public:
    StepPoller(RunControl& control, int every) : control_(control), every_(every) {}
    // True when the search must end: Stop was pressed now or before.
    bool Step() {
        if (++count_ >= every_) {
            count_ = 0;
            control_.Poll();
        }
        return Stopped();
    }
    bool Stopped() const { return control_.Stopped(); }

private:
    RunControl& control_;
    int every_;
    int count_ = 0;
};

} // namespace plax
