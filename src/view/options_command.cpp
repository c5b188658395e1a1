#include "options_command.h"

#include "document_window.h"
#include "net_history.h"

namespace plax {

namespace {

// The documents whose nets take the "Current Settings" block after OK.
std::vector<TMDIChild*> Targets(ApplyTarget target, const std::vector<TMDIChild*>& documents,
                                TMDIChild* active) {
    switch (target) {
    case ApplyTarget::AllGraphs: return documents;
    case ApplyTarget::CurrentGraph:
        if (active != nullptr) return {active};
        return {};
    case ApplyTarget::NoActions: return {};
    }
    return {};
}

} // namespace

OptionsEdit BeginOptionsEdit(const OptionType& options, bool anyDocument) {
    OptionsEdit edit;
    edit.options = options;
    edit.graphsOffered = anyDocument;
    edit.target = anyDocument ? ApplyTarget::CurrentGraph : ApplyTarget::NoActions;
    return edit;
}

void SetDefaultOptions(OptionType& options) {
    PointOptionType& block = options.options;
    block.fontSize = 8;
    block.radius = 10;
    block.showNumber = 1;
    block.showBorder = 1;
    block.fillPoint = 0;
    block.doubleBorder = 0;
    block.coloredBorder = 0;
    options.editConfirmation = 0;
    options.selectConfirmation = 1;
    options.showEdgeLabels = 0;
    options.loadMode = static_cast<std::int32_t>(LoadMode::Own);
}

void TakeDocumentOptions(ProgramState& state, const NetWorkType& net) {
    state.options.options = net.defaultOptions;
}

bool RunOptions(ProgramState& state, OptionsDialog& dialog, const std::vector<TMDIChild*>& documents,
                TMDIChild* active) {
    TakeOptionsFonts(state);
    OptionsEdit edit = BeginOptionsEdit(state.options, !documents.empty());
    if (!dialog.Run(edit)) return false;
    state.options = edit.options;
    // A closed dialog cannot offer the graphs, but a script could still ask for them.
    if (!edit.graphsOffered) return true;
    const PointOptionType block = state.options.options;
    for (TMDIChild* document : Targets(edit.target, documents, active))
        document->Edit(OptionsStep, [&block](NetWorkType& net) { net.defaultOptions = block; });
    return true;
}

} // namespace plax
