#include "procedure_table.h"

#include "refusals.h"

#include "accounts/automorphisms_account.h"
#include "accounts/cut_points_account.h"
#include "accounts/density_account.h"
#include "accounts/euler_account.h"
#include "accounts/hamiltonian_account.h"
#include "accounts/max_capacity_path_account.h"
#include "accounts/max_flow_account.h"
#include "accounts/metrics_account.h"
#include "accounts/net_info_account.h"
#include "accounts/procedure_texts.h"
#include "accounts/shortest_paths_account.h"
#include "accounts/spanning_tree_account.h"
#include "accounts/symmetry_group_account.h"

#include <algorithm>
#include <array>

namespace plax {

namespace {

constexpr std::string_view SelectSourceInfo = "Select Source Point ";

constexpr PickTexts ShortestPathTexts{
    "Shortest Path : Select Source Point ",
    " Select Two Points to find Shortest Path \r\nfrom the Source to the Sink.", "Shortest Path : Source = "};
constexpr PickTexts AllShortestPathTexts{"All Shortest Path : Select Source Point ", SelectSourceInfo, ""};
constexpr PickTexts MaximalFlowTexts{
    "Maximal Flow: Select Source Point ",
    " Select Two Points to find Maximal Flow\r\nfrom the Source to the Sink.", "Maximal Flow: Source = "};
constexpr PickTexts KPathsTexts{
    "k Shortest Paths: Select Source Point ",
    "Select Two Points to Obtain k Shortest Paths\r\nfrom the Source to the Sink.",
    "k Shortest Paths: Source = "};
constexpr PickTexts MaxCapacityTexts{
    "Max. Capacity Path  : Select Source Point ",
    " Select Two Points to find Max. Capacity Path \r\nfrom the Source to the Sink.",
    "Max. Capacity Path : Source = "};
constexpr PickTexts HamiltonianPathTexts{"Hamiltonian Path : Select Source Point ", SelectSourceInfo, ""};
constexpr PickTexts HamiltonianCycleTexts{"Hamiltonian Cycle : Select Source Point ", SelectSourceInfo, ""};
constexpr PickTexts SalesmanTexts{"Salesman problem: Select Source Point ", SelectSourceInfo, ""};

template <ShortestPathMode Mode> bool RunShortestPath(ProcedureRun& r) {
    ShortestPath(r.net, Mode, r.marks, r.fileName, r.out);
    return true;
}

template <ShortestPathMode Mode> std::optional<std::string> ShortestPathCheck(const NetWorkType& net) {
    return ShortestPathRefusal(net, Mode);
}

bool RunMetrics(ProcedureRun& r) {
    QuickMetrics(r.net, r.marks, r.fileName, r.out);
    return true;
}

template <CutSearchMode Mode> bool RunCutSearch(ProcedureRun& r) {
    CutPointsAndBridges(r.net, Mode, r.marks, r.fileName, r.out);
    return true;
}

template <EulerMode Mode> bool RunEuler(ProcedureRun& r) {
    return Euler(r.net, Mode, r.marks, r.fileName, r.out);
}

bool RunInfo(ProcedureRun& r) {
    GetInfo(r.net, r.fileName, r.out);
    return true;
}

bool RunSpanningTree(ProcedureRun& r) {
    MinSpanningTree(r.net, r.marks, r.fileName, r.out);
    return true;
}

bool RunMaximalFlow(ProcedureRun& r) {
    MaximalFlow(r.net, r.marks, r.fileName, r.out);
    return true;
}

// A declined start answers -1.
bool RunCriticalPath(ProcedureRun& r) {
    return CriticalPath(r.net, r.marks, r.fileName, r.out, r.criticalPath) != -1.0;
}

bool RunKShortestPaths(ProcedureRun& r) {
    TMyWordStack* walk = r.kParameters.showNumber != 0 ? &r.walk : nullptr;
    KShortestPaths(r.net, walk, r.fileName, r.kParameters, r.out);
    return true;
}

bool RunMaxCapacityPath(ProcedureRun& r) {
    MaxCapacityPath(r.net, r.marks, r.fileName, r.out);
    return true;
}

template <HamiltonianMode Mode> bool RunHamiltonian(ProcedureRun& r) {
    Hamiltonian(r.net, Mode, r.marks, r.fileName, r.out);
    return true;
}

template <HamiltonianMode Mode> std::optional<std::string> HamiltonianCheck(const NetWorkType& net) {
    return HamiltonianRefusal(net, Mode);
}

bool RunSalesman(ProcedureRun& r) {
    Salesman(r.net, r.marks, r.fileName, r.out);
    return true;
}

template <DensityMode Mode> bool RunDensity(ProcedureRun& r) {
    Density(r.net, Mode, r.marks, r.fileName, r.out);
    return true;
}

template <int Variant> bool RunQuickColor(ProcedureRun& r) {
    QuickColor(r.net, Variant, r.marks, r.fileName, r.out);
    return true;
}

template <AutomorphismOrder Order> bool RunAutomorphisms(ProcedureRun& r) {
    Automorphisms(r.net, Order, r.fileName, r.out);
    return true;
}

bool RunSymmetryGroup(ProcedureRun& r) {
    FindSymmetryGroup(r.net, r.marks, r.fileName, r.out);
    return true;
}

using M = ProcedureMenu;

// Menu ranks leave gaps so that an item can go between two others without renumbering them.
constexpr std::array<ProcedureEntry, 25> Table = {{
    {.name = "shortest-path",
     .menu = M::NetWork,
     .menuOrder = 10,
     .itemName = "ShortestPath1",
     .caption = "Shortest Path",
     .hint = "Search Shortest path from Source to Sink",
     .picks = PointPicks::SourceAndSink,
     .pickTexts = ShortestPathTexts,
     .refusal = ShortestPathCheck<ShortestPathMode::SinglePair>,
     .run = RunShortestPath<ShortestPathMode::SinglePair>,
     .marking = Marking::Edges},
    {.name = "all-shortest-paths",
     .menu = M::NetWork,
     .menuOrder = 20,
     .itemName = "AllShortestPath1",
     .caption = "All Shortest Path",
     .hint = "Search All Shortest paths from Source",
     .picks = PointPicks::Source,
     .pickTexts = AllShortestPathTexts,
     .refusal = ShortestPathCheck<ShortestPathMode::AllFromSource>,
     .run = RunShortestPath<ShortestPathMode::AllFromSource>,
     .marking = Marking::Edges},
    {.name = "metrics",
     .menu = M::Graph,
     .menuOrder = 10,
     .itemName = "QuickMetrics1",
     .caption = "Quick Metrics",
     .hint = "Search Metrics of the Graph",
     .run = RunMetrics,
     .marking = Marking::PointColors},
    {.name = "cut-points",
     .menu = M::Graph,
     .menuOrder = 20,
     .itemName = "CutPoints1",
     .caption = "Cut Points",
     .hint = "Search CutPoints for the Graph (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .refusal = CutPointsRefusal,
     .run = RunCutSearch<CutSearchMode::CutPoints>,
     .marking = Marking::PointsRed,
     .resetAfterRun = true},
    {.name = "bridges",
     .menu = M::Graph,
     .menuOrder = 30,
     .itemName = "Bridges1",
     .caption = "Bridges",
     .hint = "Search Bridges for the Graph (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .refusal = CutPointsRefusal,
     .run = RunCutSearch<CutSearchMode::Bridges>,
     .marking = Marking::Edges,
     .resetAfterRun = true},
    // The walk itself marks nothing, only a refusal on the degrees does, so no redraw comes first.
    {.name = "euler-path",
     .menu = M::Graph,
     .menuOrder = 40,
     .itemName = "EulerianPath1",
     .caption = "Eulerian Path",
     .hint = "Search Eulerian Path",
     .refusal = EulerRefusal,
     .redraw = Redraw::Never,
     .run = RunEuler<EulerMode::Path>,
     .marking = Marking::PointsRed},
    {.name = "euler-cycle",
     .menu = M::Graph,
     .menuOrder = 50,
     .itemName = "EulerianCycle1",
     .caption = "Eulerian Cycle",
     .hint = "Search Eulerian Cycle",
     .refusal = EulerRefusal,
     .redraw = Redraw::Never,
     .run = RunEuler<EulerMode::Cycle>,
     .marking = Marking::PointsRed},
    {.name = "info",
     .menu = M::Property,
     .menuOrder = 10,
     .itemName = "GetInfo1",
     .caption = "Get Info",
     .hint = "Information about Points and Edges of the NetWork",
     .shortcut = "Ctrl+G",
     .redraw = Redraw::Never,
     .run = RunInfo},
    {.name = "spanning-tree",
     .menu = M::NetWork,
     .menuOrder = 30,
     .itemName = "MinSpanningTree1",
     .caption = "Min. Spanning Tree ",
     .hint = "Search Min. Spanning Tree for undirected NetWork",
     .offeredFor = OfferedFor::NotDirectedNets,
     .runPrompt = "Min. Spanning Tree",
     .refusal = SpanningTreeRefusal,
     .run = RunSpanningTree,
     .marking = Marking::Edges},
    {.name = "max-flow",
     .menu = M::NetWork,
     .menuOrder = 40,
     .itemName = "MaximalFlow1",
     .caption = "Maximal Flow",
     .hint = "Search Maximal Flow from Source to Sink",
     .picks = PointPicks::SourceAndSink,
     .pickTexts = MaximalFlowTexts,
     .refusal = TrivialNetRefusal,
     .refusalBox = RefusalBox::Information,
     .run = RunMaximalFlow,
     .marking = Marking::Flow},
    // The reserves stay in the flows, so the critical jobs are drawn even after a declined start.
    {.name = "critical-path",
     .menu = M::NetWork,
     .menuOrder = 50,
     .itemName = "CriticalPath1",
     .caption = "Critical Path",
     .hint = "Search Critical Path for directed NetWork",
     .offeredFor = OfferedFor::DirectedNets,
     .prepare = ActivityNetReady,
     .run = RunCriticalPath,
     .marking = Marking::CriticalJobs},
    {.name = "k-shortest-paths",
     .menu = M::NetWork,
     .menuOrder = 60,
     .itemName = "kshortestPath1",
     .caption = "k Shortest Paths",
     .picks = PointPicks::SourceAndSink,
     .parameters = ProcedureParameters::KShortestPaths,
     .pickTexts = KPathsTexts,
     .refusal = TrivialNetRefusal,
     .run = RunKShortestPaths,
     .marking = Marking::Walk},
    // It shows its own result: the Results text alone.
    {.name = "max-capacity-path",
     .menu = M::NetWork,
     .menuOrder = 70,
     .itemName = "MaxCapacityPath1",
     .caption = "Max Capacity Path",
     .picks = PointPicks::SourceAndSink,
     .pickTexts = MaxCapacityTexts,
     .refusal = MaxCapacityPathRefusal,
     .run = RunMaxCapacityPath},
    {.name = "hamiltonian-path",
     .menu = M::Graph,
     .menuOrder = 60,
     .itemName = "HamiltonianPath1",
     .caption = "Hamiltonian Path",
     .hint = "Search Hamiltonian Path",
     .picks = PointPicks::Start,
     .pickTexts = HamiltonianPathTexts,
     .refusal = HamiltonianCheck<HamiltonianMode::Path>,
     .run = RunHamiltonian<HamiltonianMode::Path>,
     .marking = Marking::Edges},
    {.name = "hamiltonian-cycle",
     .menu = M::Graph,
     .menuOrder = 70,
     .itemName = "HamiltonianCicle1",
     .caption = "Hamiltonian Cycle",
     .hint = "Search Hamiltonian Cycle",
     .picks = PointPicks::Start,
     .pickTexts = HamiltonianCycleTexts,
     .refusal = HamiltonianCheck<HamiltonianMode::Cycle>,
     .run = RunHamiltonian<HamiltonianMode::Cycle>,
     .marking = Marking::Edges},
    {.name = "salesman",
     .menu = M::NetWork,
     .menuOrder = 80,
     .itemName = "SalesmanProblem1",
     .caption = "Salesman Problem",
     .hint = "Search Salesman Cicle",
     .picks = PointPicks::Start,
     .pickTexts = SalesmanTexts,
     .refusal = SalesmanRefusal,
     .run = RunSalesman,
     .marking = Marking::Edges},
    // The exact searches refuse only after the redraw, as their run would, but before a Results
    // window is made.
    {.name = "density",
     .menu = M::Graph,
     .menuOrder = 80,
     .itemName = "Density1",
     .caption = "Density",
     .hint = "Search Greatest Clique (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .refusal = DensityRefusal,
     .redraw = Redraw::BeforeChecks,
     .run = RunDensity<DensityMode::Density>,
     .marking = Marking::Clique},
    {.name = "undensity",
     .menu = M::Graph,
     .menuOrder = 90,
     .itemName = "Undensity1",
     .caption = "Undensity",
     .hint = "Search Greatest Independent Set (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .refusal = DensityRefusal,
     .redraw = Redraw::BeforeChecks,
     .run = RunDensity<DensityMode::Undensity>,
     .marking = Marking::Clique},
    {.name = "point-cover",
     .menu = M::Graph,
     .menuOrder = 100,
     .itemName = "PointCover1",
     .caption = "Point Cover",
     .hint = "Search Smallest Point Cover (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .refusal = DensityRefusal,
     .redraw = Redraw::BeforeChecks,
     .run = RunDensity<DensityMode::PointCover>,
     .marking = Marking::PointsRed},
    {.name = "coloring",
     .menu = M::Graph,
     .menuOrder = 110,
     .itemName = "PointColoration1",
     .caption = "Point Coloration (Min)",
     .hint = "Search Minimal Point Coloration (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .refusal = DensityRefusal,
     .redraw = Redraw::BeforeChecks,
     .run = RunDensity<DensityMode::Coloring>,
     .marking = Marking::PointColors},
    {.name = "quick-color-1",
     .menu = M::Graph,
     .menuOrder = 120,
     .itemName = "QuickColor11",
     .caption = "Quick Color 1",
     .hint = "Quick Point Coloration 1 (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .run = RunQuickColor<1>,
     .marking = Marking::PointColors},
    {.name = "quick-color-2",
     .menu = M::Graph,
     .menuOrder = 130,
     .itemName = "QuickColor21",
     .caption = "Quick Color 2",
     .hint = "Quick Point Coloration 2 (for undirected only)",
     .offeredFor = OfferedFor::NotDirectedNets,
     .run = RunQuickColor<2>,
     .marking = Marking::PointColors},
    {.name = "automorphisms",
     .menu = M::Graph,
     .menuOrder = 140,
     .itemName = "SortAutomorphism1",
     .caption = "Sort Automorphism",
     .hint = "Search Automorphism Group (Sort)",
     .question = LongListingQuestion,
     .redraw = Redraw::Never,
     .run = RunAutomorphisms<AutomorphismOrder::Sorted>},
    {.name = "automorphisms",
     .cliSwitch = "--unsorted",
     .menu = M::Graph,
     .menuOrder = 150,
     .itemName = "UnsortAutomorphism1",
     .caption = "Unsort Automorphism",
     .hint = "Search Automorphism Group (UnSort)",
     .question = LongListingQuestion,
     .redraw = Redraw::Never,
     .run = RunAutomorphisms<AutomorphismOrder::PlainChanges>},
    {.name = "symmetry-group",
     .menu = M::Graph,
     .menuOrder = 160,
     .itemName = "SymmetryGroup1",
     .caption = "Symmetry Group",
     .hint = "Order, Orbits and Generators of the Automorphism Group",
     .run = RunSymmetryGroup,
     .marking = Marking::PointColors},
}};

} // namespace

bool IsDirectedNet(const NetWorkType& net) { return net.kindName == NetKind[DirNetCode]; }

bool IsOffered(OfferedFor offered, const NetWorkType& net) {
    switch (offered) {
    case OfferedFor::AnyNet: return true;
    case OfferedFor::DirectedNets: return IsDirectedNet(net);
    case OfferedFor::NotDirectedNets: return !IsDirectedNet(net);
    }
    return false;
}

std::optional<std::string> ProcedureInProgressRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    return std::nullopt;
}

std::optional<std::string> EntryRefusal(const ProcedureEntry& entry, const NetWorkType& net) {
    if (auto busy = ProcedureInProgressRefusal(net)) return busy;
    return entry.refusal != nullptr ? entry.refusal(net) : std::nullopt;
}

std::span<const ProcedureEntry> ProcedureTable() { return Table; }

const ProcedureEntry* FindProcedureItem(std::string_view itemName) {
    const auto it = std::ranges::find(Table, itemName, &ProcedureEntry::itemName);
    return it == Table.end() ? nullptr : &*it;
}

std::vector<const ProcedureEntry*> MenuEntries(ProcedureMenu menu) {
    std::vector<const ProcedureEntry*> entries;
    for (const ProcedureEntry& e : Table) {
        if (e.menu == menu) entries.push_back(&e);
    }
    std::ranges::sort(entries, {}, &ProcedureEntry::menuOrder);
    return entries;
}

} // namespace plax
