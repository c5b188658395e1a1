#include "run_control.h"

namespace plax {

void RunControl::StartLongRun(NetWorkType& net) {
    flags_.busy = 1;
    net.interaction.busy = 1;
    flags_.stop = 0;
    DoStartLongRun();
}

bool RunControl::Poll() {
    flags_.stop = 0;
    // Showing what was held back may itself end the run (its text takes no more lines).
    BeforePoll();
    DoPoll();
    if (StopHolds()) flags_.stop = 1;
    return flags_.stop != 0;
}

void RunControl::EndLongRun(NetWorkType& net) {
    DoEndLongRun();
    flags_.stop = 0;
    flags_.busy = 0;
    net.interaction.busy = 0;
}

} // namespace plax
