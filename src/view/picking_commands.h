#pragma once

#include "command_state.h"
#include "document_context.h"

#include "accounts/k_shortest_paths_account.h"
#include "catalogue/procedure_table.h"
#include "model/net_types.h"

#include <QObject>

#include <string_view>

namespace plax {

// The Property commands that start a procedure by picking points on the canvas: the arming of
// the pick, and the clicks that pick the source, sink or start point and then run the procedure
// and store its colours in the net. The procedures are the table's entries that pick points.
class PickingCommands : public QObject {
    Q_OBJECT
public:
    PickingCommands(DocumentContext& document, CommandMachine& machine, QObject* parent = nullptr);

    // Checks the entry's preconditions and arms its pick.
    void Arm(const ProcedureEntry& entry);
    // A click while one of these procedures is armed; p is the point there (0 = none).
    void Click(int p);

    void ShortestPath1Click() { ArmItem("ShortestPath1"); }
    void AllShortestPath1Click() { ArmItem("AllShortestPath1"); }
    void MaximalFlow1Click() { ArmItem("MaximalFlow1"); }
    void kshortestPath1Click() { ArmItem("kshortestPath1"); }
    void MaxCapacityPath1Click() { ArmItem("MaxCapacityPath1"); }
    void HamiltonianPath1Click() { ArmItem("HamiltonianPath1"); }
    void HamiltonianCicle1Click() { ArmItem("HamiltonianCicle1"); }
    void SalesmanProblem1Click() { ArmItem("SalesmanProblem1"); }

    // What the k shortest paths dialog answered last; the next run uses it.
    const KShortestParameters& KParameters() const { return kParameters_; }

private:
    void ArmItem(std::string_view itemName);
    bool StartSourcePick(const ProcedureEntry& entry);
    bool StartStartPick(const ProcedureEntry& entry);
    void ArmCommand(const ProcedureEntry& entry);
    void PickAllShortestSource(const ProcedureEntry& entry, int p);
    void PickStart(const ProcedureEntry& entry, int p);
    void PickSource(const ProcedureEntry& entry, int p);
    void PickSink(const ProcedureEntry& entry, int p);
    void RunPicked(const ProcedureEntry& entry);

    DocumentContext& document_;
    CommandMachine& machine_;
    KShortestParameters kParameters_;
};

} // namespace plax
