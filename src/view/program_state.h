#pragma once

#include "model/net_types.h"
#include "accounts/results_sink.h"

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
    // The fonts of the Results and Report windows, each taken when a window is made.
    QFont resultFont = TextWindowFont();
    QFont reportFont = TextWindowFont();
    // Set at the Options dialog's first opening, when its font dialogs' fonts take over.
    bool optionsFonts = false;

    // The start-up font of the Results and Report windows: "Courier New Cyr", 15 pixels high.
    static QFont TextWindowFont();
    // The font of the Options dialog's font dialogs until the user picks another:
    // "Courier New", 13 pixels high.
    static QFont OptionsDialogFont();
};

// From the Options dialog's first opening on, the text windows use its fonts.
void TakeOptionsFonts(ProgramState& state);

} // namespace plax
