#pragma once

#include <string>

namespace plax {

// The armed command of a document window. At most one is armed at a time, so one value holds
// what the window keeps as a row of flags.
enum class Command {
    None,
    AddPoint,
    AddEdge,
    DeletePoint,
    DeleteEdge,
    DeleteComponent,
    MovePoint,
    MoveComponent,
    MaximalFlow,
    ShortestPath,
    Salesman,
    AllShortestPath,
    HamiltonianPath,
    HamiltonianCycle,
    KShortestPaths,
    MaxCapacityPath,
    PastePlacement,
};

// The procedures that are started by picking points on the canvas.
inline bool IsPickingProcedure(Command c) {
    switch (c) {
    case Command::MaximalFlow:
    case Command::ShortestPath:
    case Command::Salesman:
    case Command::AllShortestPath:
    case Command::HamiltonianPath:
    case Command::HamiltonianCycle:
    case Command::KShortestPaths:
    case Command::MaxCapacityPath: return true;
    default: return false;
    }
}

// The document's command state as the point-picking procedures see it. The editing machine of
// the document window implements it.
class CommandMachine {
public:
    virtual ~CommandMachine() = default;
    virtual Command Armed() const = 0;
    // Resets the current command, arms `c`, writes `prompt`, enables Reset; first point := 0.
    virtual void Arm(Command c, const std::string& prompt) = 0;
    // The first point of a two-click command, 0 while none is chosen.
    virtual int FirstPoint() const = 0;
    virtual void SetFirstPoint(int p) = 0;
    virtual void Beep() = 0;
};

} // namespace plax
