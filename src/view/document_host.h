#pragma once

#include "attribute_dialogs.h"
#include "command_code.h"
#include "dialogs.h"
#include "frame_actions.h"
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

// The services a document window has from the frame that holds it: the program-wide state, the
// dialogs, new Results, Report and Gantt windows, help and hints. The frame's own commands (New,
// Open, Import, Options, Exit, Undo, Redo, the toolbar and the palettes) are its actions, shown
// in the document's menus, and it reads the document's state itself. The desktop's TPlaxForm
// implements it; tests use a host of their own.
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

    // The frame's own actions, for the windows that offer them under captions of their own.
    virtual const FrameActions& Actions() const = 0;
    // The help file at a topic key ("" for the contents).
    virtual void ShowHelp(const std::string& topic) = 0;
    // Shows a hint in the frame's status line.
    virtual void ShowHint(const std::string& hint) = 0;
    // A net file was saved under a new name: the frame's recent files list takes it.
    virtual void RememberFile(const std::string& path) { (void)path; }
    // The document is going: the frame forgets it as the active document and, when it was the
    // last one, disables the Window menu and the document buttons.
    virtual void DocumentClosed(TMDIChild& document) = 0;
};

} // namespace plax
