#pragma once

#include <algorithm>

#include "model/net_types.h"

#include <cstdint>

namespace plax {

// The program-wide flags of a run: Stop pressed, and a procedure in progress anywhere.
struct RunFlags {
    std::uint8_t stop = 0;
    std::uint8_t busy = 0;
};

// What a search needs of the run it is part of: the long run's start and end, which hold the
// busy flags that keep other commands away, the polls that answer Stop, and the gauge. Searches
// take this and no text sink, so they run the same under a window, the command line, a test or a
// benchmark. The public steps keep the flag rules; the Do... hooks are what a front end adds.
class RunControl {
public:
    explicit RunControl(RunFlags& flags) : flags_(flags) {}
    virtual ~RunControl() = default;
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // Sets the program's and the net's busy flags and clears Stop.
    void StartLongRun(NetWorkType& net);
    // Lets the user act for a moment; true when Stop was pressed.
    bool Poll();
    // Whether the last poll saw Stop; ending the run clears it, so ask before.
    bool Stopped() const { return flags_.stop != 0; }
    void EndLongRun(NetWorkType& net);
    // The gauge of a long run that shows one, in per cent; the desktop hides it when the run ends.
    void Progress(int percent) { DoProgress(percent); }
    // The gauge counting `done` of `total` steps (the firings of an automatic run), so that a
    // long run shows it moving long before its first whole per cent.
    void Count(std::uint64_t done, std::uint64_t total) { DoCount(done, total); }

    RunFlags& Flags() { return flags_; }

protected:
    virtual void DoStartLongRun() {}
    virtual void DoPoll() {}
    virtual void DoEndLongRun() {}
    virtual void DoProgress(int /*percent*/) {}
    virtual void DoCount(std::uint64_t done, std::uint64_t total) {
        DoProgress(total == 0 ? 100 : static_cast<int>(std::min(done, total) * 100 / total));
    }
    // A reason to stop that holds beyond one poll (a text that takes no more lines): every poll
    // answers Stop while it holds.
    virtual bool StopHolds() const { return false; }
    // What a run holds back for the user to see (a block of listing lines) is shown before a poll.
    virtual void BeforePoll() {}

private:
    RunFlags& flags_;
};

// The flags of a run that no window shares; a base before RunControl, so they exist first.
struct OwnRunFlags {
    RunFlags ownFlags;
};

// A run that is never stopped: tests and benchmarks of the searches themselves.
class UnstoppedRun : private OwnRunFlags, public RunControl {
public:
    UnstoppedRun() : RunControl(ownFlags) {}
};

// A run whose Stop is pressed during its `stopAt`-th poll (counted from 1; 0 never).
class StopAtPoll : public UnstoppedRun {
public:
    explicit StopAtPoll(int stopAt) : stopAt_(stopAt) {}
    int Polls() const { return polls_; }

protected:
    void DoPoll() override {
        if (++polls_ == stopAt_) Flags().stop = 1;
    }

private:
    int stopAt_;
    int polls_ = 0;
};

} // namespace plax
