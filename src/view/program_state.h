#pragma once

#include "model/net_types.h"
#include "procedures/results_sink.h"

#include <QFont>

#include <cstdint>
#include <memory>

namespace plax {

// Smallest and largest step of the size and move commands, and the start-up value.
inline constexpr int MinStep = 1;
inline constexpr int MaxStep = 30;
inline constexpr int StartStep = 10;

// The program-wide state the frame window creates at start-up and owns for the whole run.
// Nothing of it is saved: every start begins with these values.
struct ProgramState {
    OptionType options;
    NetWorkType clipboard; // prepared with NetInit by the frame
    std::uint8_t step = StartStep;
    RunFlags run; // Stop pressed; a procedure in progress anywhere
    // Time and date of every Results header; tests put a fixed clock here.
    std::shared_ptr<const Clock> clock = std::make_shared<Clock>();
    QFont resultFont = TextWindowFont();
    QFont reportFont = TextWindowFont();

    // The start-up font of the Results and Report windows: "Courier New", 10 points.
    static QFont TextWindowFont();
};

} // namespace plax
