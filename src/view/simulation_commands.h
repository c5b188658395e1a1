#pragma once

#include "document_context.h"
#include "edit_machine.h"
#include "state_graph_window.h"

#include "model/net_types.h"
#include "petri/auto_run.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace plax {

inline constexpr const char* StateGraphTooLargeQuestion =
    "The state graph holds more than 500 markings, too many to draw.\r\nCount them with Reachability... "
    "instead?";

// One bar of the statistics window: a point, its name and its value.
struct ProcessBar {
    int point = 0;
    std::string name;
    std::uint64_t value = 0;
    bool operator==(const ProcessBar&) const = default;
};

// What the statistics window "Simulation Process" shows of a document: the tokens of every point
// that is not a transition, and how often each transition fired since the simulation started.
struct SimulationProcessData {
    std::vector<ProcessBar> places;
    std::vector<ProcessBar> transitions;
    bool operator==(const SimulationProcessData&) const = default;
};

// The document window's "&Simulation" menu: the manual token game, the automatic run, the
// statistics window and the reachability analysis. Each start refuses while a procedure runs,
// ends any running simulation and applies the structure test.
class SimulationCommands : public QObject {
    Q_OBJECT
public:
    SimulationCommands(DocumentContext& document, EditMachine& machine, QWidget& owner);

    QMenu* Menu() const { return menu_; }
    // The menu is offered for directed nets.
    void DefEnableItem(const NetWorkType& net);

    void OrdinaryNet1Click();
    void AutoOrdinaryPetriNet1Click();
    void SimulationProcess1Click();
    void Reachability1Click();
    void Coverability1Click();
    void Liveness1Click();
    void Invariants1Click();
    // Colours the places or transitions that `line` of an invariants account names, if it does.
    void ShowInvariantLine(const std::string& line, const std::vector<std::pair<int, int>>& level);
    void StateGraph1Click();
    // The window of the last State Graph, while it is open.
    StateGraphWindow* StateGraphShown() const { return stateGraph_.data(); }

    SimulationProcessData ProcessData();
    // The tokens or the counts may have changed: the statistics window looks again.
    void ProcessChanged() { emit processChanged(); }
    const AutoRunParameters& AutoParameters() const { return autoParameters_; }

signals:
    void processChanged();

private:
    QAction* AddItem(const char* name, const char* caption, const char* hint,
                     void (SimulationCommands::*handler)());
    // The busy guard, the end of a running simulation and the structure test.
    bool MayStart();
    // Asks for the bound on stored markings, then runs the exploration.
    void Explore(MarkingAnalysis analysis);
    void TakeMarkingOf(std::size_t marking);

    DocumentContext& document_;
    EditMachine& machine_;
    QWidget& owner_;
    QMenu* menu_ = nullptr;
    QPointer<StateGraphWindow> stateGraph_;
    AutoRunParameters autoParameters_;
    std::uint64_t markingBound_ = DefaultMaxMarkings;
};

} // namespace plax
