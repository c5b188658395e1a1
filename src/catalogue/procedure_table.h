#pragma once

#include "accounts/critical_path_account.h"
#include "accounts/k_shortest_paths_account.h"
#include "accounts/results_sink.h"

#include "accounts/activity_net_checks.h"
#include "algorithms/marking_buffer.h"
#include "algorithms/word_stack.h"

#include "model/net_types.h"
#include "model/user_messages.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// The kinds of net a procedure is offered for. A net is directed when its kind name is "dirNet";
// every other kind, "undirNet" as well as the other names the reader accepts, is not directed.
enum class OfferedFor { AnyNet, DirectedNets, NotDirectedNets };

bool IsDirectedNet(const NetWorkType& net);
bool IsOffered(OfferedFor offered, const NetWorkType& net);

// Where the procedure's item sits in the document window's Property menu.
enum class ProcedureMenu { Graph, NetWork, Property };

// The points the user picks before the procedure runs.
enum class PointPicks {
    None,
    Source,        // one point from which some other point is reachable; the run starts at once
    Start,         // any one point
    SourceAndSink, // a source as above, then a different point reachable from it
};

// What the procedure asks for besides its points.
enum class ProcedureParameters { None, KShortestPaths };

// When the desktop redraws the net in its normal colours, which removes earlier marks.
enum class Redraw {
    Never,
    AfterChecks,  // once the refusal and the preparation have passed
    BeforeChecks, // before the refusal is tested, so a refused run leaves the net redrawn
};

// How the desktop draws what the procedure found.
enum class Marking {
    None,         // nothing; the canvas is left as it is
    Edges,        // the marking buffer's edges in red
    PointColors,  // each marked point in the colour the procedure gave it
    PointsRed,    // each marked point in red
    Clique,       // each marked point red, and each edge between two marked points red
    CriticalJobs, // every job whose reserve is 0 in red
    Flow,         // the source red, every edge by how full it is
    Walk,         // the walk to show, step by step from the source, in red
};

enum class RefusalBox { Warning, Information };

// One run as a front end hands it over: the net with its picked points, a fresh marking buffer,
// the net's file name, where the account goes, and what the user answered beforehand.
struct ProcedureRun {
    NetWorkType& net;
    MarkingBuffer& marks;
    const std::string& fileName;
    ProcedureOutput out;
    KShortestParameters kParameters{};
    CriticalPathOptions criticalPath{};
    // The walk of k shortest paths to show, filled when kParameters.showNumber is not 0.
    TMyWordStack walk{};
};

using RefusalCheck = std::optional<std::string> (*)(const NetWorkType& net);
// A check that may ask the user and fails with elements to show (the cycle of an activity net).
using Preparation = bool (*)(NetWorkType& net, UserMessages& messages, std::vector<EdgeMark>& shown);
// A question to put to the user before a run that may take long, or nothing to ask.
using RunQuestion = std::optional<std::string> (*)(const NetWorkType& net);
// Answers false when the run ended refused (its message already shown).
using ProcedureBody = bool (*)(ProcedureRun& run);

// The texts of the point-picking flow.
struct PickTexts {
    std::string_view armPrompt{};    // the status line once the command is armed
    std::string_view armInfo{};      // the information box with "Select Confirmation"
    std::string_view sourcePrompt{}; // before the source's number, once it is picked
};

// One procedure: how each front end offers, checks, starts and marks it.
struct ProcedureEntry {
    std::string_view name{};      // plax-cli run NAME
    std::string_view cliSwitch{}; // a run option that selects this entry over the plain one of its name
    ProcedureMenu menu = ProcedureMenu::Graph;
    int menuOrder = 0; // the item's rank in its menu
    std::string_view itemName{};
    std::string_view caption{};
    std::string_view hint{};
    std::string_view shortcut{};
    OfferedFor offeredFor = OfferedFor::AnyNet;
    PointPicks picks = PointPicks::None;
    ProcedureParameters parameters = ProcedureParameters::None;
    PickTexts pickTexts{};
    std::string_view runPrompt{};   // the status line just before the run
    RefusalCheck refusal = nullptr; // none: only a procedure in progress refuses it
    RefusalBox refusalBox = RefusalBox::Warning;
    Preparation prepare = nullptr;
    RunQuestion question = nullptr; // the desktop asks; No runs nothing
    Redraw redraw = Redraw::AfterChecks;
    ProcedureBody run = nullptr;
    Marking marking = Marking::None;
    bool resetAfterRun = false;
};

// "Procedure in Progress!..." while a procedure runs on the net.
[[nodiscard]] std::optional<std::string> ProcedureInProgressRefusal(const NetWorkType& net);

// Why the entry's procedure cannot start on `net`, if it cannot: a procedure in progress first,
// then the entry's own refusal. Every front end asks this before a run.
[[nodiscard]] std::optional<std::string> EntryRefusal(const ProcedureEntry& entry, const NetWorkType& net);

// Every procedure, in the order plax-cli lists them.
std::span<const ProcedureEntry> ProcedureTable();

// The entry of a menu item, or nullptr.
const ProcedureEntry* FindProcedureItem(std::string_view itemName);

// The entries of one menu, in menu order.
std::vector<const ProcedureEntry*> MenuEntries(ProcedureMenu menu);

} // namespace plax
