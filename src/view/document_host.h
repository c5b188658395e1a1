#pragma once

#include "attribute_dialogs.h"
#include "command_code.h"
#include "dialogs.h"
#include "program_state.h"

#include "accounts/critical_path_account.h"
#include "accounts/k_shortest_paths_account.h"
#include "accounts/results_sink.h"
#include "petri/auto_run.h"
#include "petri/marking_graph.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plax {

class SimulationCommands;
class TMDIChild;

// What a document window needs from the frame that holds it: the program-wide state, the
// dialogs, new Results and Report windows, and the frame's own File commands. The desktop's
// TPlaxForm implements it; tests use a host of their own.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual ProgramState& State() = 0;
    virtual Dialogs& Ui() = 0;

    // A fresh Results window for one procedure run. It stays hidden until the procedure opens
    // it (OpenResults), and lives until the user closes it; the frame owns it.
    virtual ResultsSink& NewResultsWindow() = 0;
    // A new Gantt chart window with these bars, shown once filled.
    virtual void ShowGanttChart(const std::vector<GanttBar>& bars) = 0;
    // The k shortest paths dialog, starting from `parameters`; false on Cancel.
    virtual bool AskKShortestPaths(KShortestParameters& parameters) = 0;
    // The automatic simulation's dialog (firing limit and seed), starting from `parameters`;
    // false on Cancel.
    virtual bool AskAutoRun(AutoRunParameters& parameters) = 0;
    // Reachability's bound on stored markings; false when the user cancels.
    virtual bool AskMarkingBound(std::uint64_t& bound) = 0;
    // The statistics window "Simulation Process" of a document's simulation, made or raised.
    virtual void ShowSimulationProcess(SimulationCommands& simulation) = 0;
    // The point and edge dialogs on their copies: the edited copy after OK, nothing on Cancel.
    virtual std::optional<PointType> EditPoint(const PointDialogState& state) = 0;
    virtual std::optional<EdgeDialogState> EditEdge(const EdgeDialogState& state) = 0;
    // A Report window on the file at `path` (Show Report, or File > Open of a ".txt" file).
    virtual void OpenReportWindow(const std::string& path) = 0;

    // The frame's File commands that the document's menu forwards.
    virtual void NewNet() = 0;
    // File > "New from Template...": a new document with a standard net.
    virtual void NewFromTemplate() = 0;
    virtual void OpenNet() = 0;
    virtual void ImportNet() = 0;
    virtual void ShowOptions() = 0;
    virtual void ExitProgram() = 0;
    // The help file at a topic key ("" for the contents).
    virtual void ShowHelp(const std::string& topic) = 0;

    // The active document's enabling changed (DefEnableItem).
    virtual void UpdateToolbar(const TMDIChild& document, const CommandEnabling& enabled) = 0;
    // The View menu's "Toolbar" switch: shows or hides the frame's toolbar.
    virtual void ShowToolbar(bool visible) = 0;
    virtual bool ToolbarVisible() const = 0;
    // View > "New Element Options Palette": shows or hides the frame's palette.
    virtual void ShowOptionsPalette(bool visible) = 0;
    virtual bool OptionsPaletteVisible() const = 0;
    // View > "Alignment Palette": shows or hides the frame's alignment palette.
    virtual void ShowAlignPalette(bool visible) = 0;
    virtual bool AlignPaletteVisible() const = 0;
    // Shows a hint in the frame's status line.
    virtual void ShowHint(const std::string& hint) = 0;
    // The document is going: the frame forgets it as the active document and, when it was the
    // last one, disables the Window menu and the document buttons.
    virtual void DocumentClosed(TMDIChild& document) = 0;
};

} // namespace plax
