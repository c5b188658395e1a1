#pragma once

#include "command_state.h"
#include "document_context.h"
#include "manual_simulation.h"

#include <string>

namespace plax {

// What the edit machine asks of the window that shows it, beyond the document's operations.
class EditMachineDisplay {
public:
    virtual ~EditMachineDisplay() = default;
    // The status line back to "Ready" and the selection dropped: what every reset does.
    virtual void ClearCommandDisplay() = 0;
    virtual void EnableReset(bool enabled) = 0;
    virtual void UnsetCursor() = 0;
    // The cross a waiting paste shows over the canvas.
    virtual void SetCrossCursor() = 0;
    // A click while a point-picking procedure is armed; p is the point there (0 = none).
    virtual void PickingClick(int p) = 0;
    // A click while a paste waits for its place.
    virtual void PasteAt(int x, int y) = 0;
};

// The document's command machine: the armed command, the points a two-click command has
// chosen, where the last press was, the Alt flag of the last release, the arming of the editing
// commands with their prompts, the reset rules, and what a click does while a command is armed.
// It edits the net through the document, so it runs without a window.
class EditMachine : public CommandMachine {
public:
    EditMachine(DocumentContext& document, EditMachineDisplay& display);

    Command Armed() const override { return armed_; }
    void Arm(Command c, const std::string& prompt) override;
    int FirstPoint() const override { return firstPoint_; }
    void SetFirstPoint(int p) override { firstPoint_ = p; }
    // The second point of the last two-click edit, 0 while none is chosen.
    int SecondPoint() const { return secondPoint_; }
    void Beep() override;

    // Arms one of the editing commands (Add Point ... Move Component) with its prompt.
    void ArmEdit(Command c);
    // Edit > Plax Clipboard > Paste: refused while a procedure runs; otherwise the paste waits
    // for the click that places it (PasteAt), under a cross cursor.
    void StartPaste();
    // Disarms: the soft reset keeps the cursor and the Reset button as they are. Both end the
    // manual simulation; the soft one only while it has enabled transitions.
    void ResetSoft();
    void Reset();

    // The manual Petri net simulation, which runs beside the armed command.
    ManualSimulation& Simulation() { return simulation_; }
    const ManualSimulation& Simulation() const { return simulation_; }
    // Starts it on the document's net (which passed the structure test): Reset enabled, the
    // status text shown. False when no transition is enabled.
    bool StartSimulation();

    // Where the last press (or double-click) was: a click acts there.
    void Pressed(int x, int y) {
        pressX_ = x;
        pressY_ = y;
    }
    int PressX() const { return pressX_; }
    int PressY() const { return pressY_; }
    // The last left release had exactly Alt held.
    void SetAltFlag(bool alt) { altFlag_ = alt; }
    bool AltFlag() const { return altFlag_; }

    // The click dispatch: what a click at the press point does for the armed command.
    void Click();

    // The immediate commands refuse while a procedure runs (the refusal is shown).
    bool Busy();
    // Asks the question when the edit confirmation option is on; true when it is off.
    bool Confirmed(const std::string& question, const char* caption);

private:
    void ClickAddPoint();
    bool PickEdgeEnds(int p, std::string (*firstPrompt)(int), std::string (*anotherPrompt)(int),
                      bool edgeWanted);
    void ClickAddEdge(int p);
    void ClickDeleteEdge(int p);
    void ClickDeletePoint(int p);
    void ClickMoveComponent(int p);
    void ClickDeleteComponent(int p);
    void EndSimulation();

    DocumentContext& document_;
    EditMachineDisplay& display_;
    Command armed_ = Command::None;
    int firstPoint_ = 0;
    int secondPoint_ = 0;
    int pressX_ = 0;
    int pressY_ = 0;
    bool altFlag_ = false;
    ManualSimulation simulation_;
};

} // namespace plax
