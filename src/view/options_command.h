#pragma once

#include "program_state.h"

#include "model/net_types.h"

#include <vector>

namespace plax {

class TMDIChild;

// The choices of "Apply current Settings to:".
enum class ApplyTarget { CurrentGraph, AllGraphs, NoActions };

// What the Options dialog edits: its own copy of the settings, and where OK applies the
// "Current Settings" block.
struct OptionsEdit {
    OptionType options;
    ApplyTarget target = ApplyTarget::NoActions;
    bool graphsOffered = false; // "Current Graph " and "All Graphs " may be chosen
};

// The copy the dialog opens on: with a document open "Current Graph " is chosen and both graph
// choices are offered; without one only "No Actions" is.
OptionsEdit BeginOptionsEdit(const OptionType& options, bool anyDocument);

// "Set Default": the usual point settings and switches. The border colour, the pop-up flags,
// the fore colour and the fonts stay as they are.
void SetDefaultOptions(OptionType& options);

// The Options dialog as the frame shows it: the desktop's TOptionsDlg, a script in tests.
class OptionsDialog {
public:
    virtual ~OptionsDialog() = default;
    // Shows the dialog modally on `edit`, which its controls change as they are used; true on
    // OK. A font picked in it takes effect at once, whatever the answer.
    virtual bool Run(OptionsEdit& edit) = 0;
};

// File > Options... of a document: the settings show that net's point options first.
void TakeDocumentOptions(ProgramState& state, const NetWorkType& net);

// The whole command once the settings show what they should: the dialog's fonts take over, the
// dialog runs on a copy, and OK stores the copy and gives the "Current Settings" block to the
// active document or to every open one, each then repainted. True on OK.
bool RunOptions(ProgramState& state, OptionsDialog& dialog, const std::vector<TMDIChild*>& documents,
                TMDIChild* active);

} // namespace plax
