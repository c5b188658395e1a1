#pragma once

#include "results_sink.h"

#include "model/net_types.h"

namespace plax {

// A search that can be stopped: starts the long run, and ends it however the search is left,
// a line that could not be written included.
class LongRun {
public:
    LongRun(ResultsSink& sink, NetWorkType& net) : sink_(sink), net_(net) { sink_.StartLongRun(net_); }
    ~LongRun() { End(); }
    LongRun(const LongRun&) = delete;
    LongRun& operator=(const LongRun&) = delete;

    // Whether Stop was pressed; ending the run clears the flag, so ask before.
    bool Stopped() const { return sink_.Flags().stop != 0; }
    void End() {
        if (!running_) return;
        running_ = false;
        sink_.EndLongRun(net_);
    }

private:
    ResultsSink& sink_;
    NetWorkType& net_;
    bool running_ = true;
};

// Polls once every `every` steps of a search, counting from the first step.
class StepPoller {
public:
    StepPoller(ResultsSink& sink, int every) : sink_(sink), every_(every) {}
    // True when the search must end: Stop was pressed now or before.
    bool Step() {
        if (++count_ >= every_) {
            count_ = 0;
            sink_.Poll();
        }
        return Stopped();
    }
    bool Stopped() const { return sink_.Flags().stop != 0; }

private:
    ResultsSink& sink_;
    int every_;
    int count_ = 0;
};

} // namespace plax
