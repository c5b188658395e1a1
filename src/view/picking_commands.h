#pragma once

#include "command_state.h"
#include "document_context.h"

#include "model/net_types.h"
#include "procedures/k_shortest_paths.h"

#include <QAction>
#include <QObject>
#include <QPointer>

#include <optional>
#include <string>
#include <vector>

class QMenu;

namespace plax {

// The Property commands that start a procedure by picking points on the canvas: their menu
// items, the handlers that arm the pick, and the clicks that pick the source, sink or start
// point and then run the procedure and store its colours in the net.
class PickingCommands : public QObject {
    Q_OBJECT
public:
    // Puts the items into the "Graph" and "NetWork" sub-menus around the items already there.
    PickingCommands(DocumentContext& document, CommandMachine& machine, QMenu& graph, QMenu& netWork,
                    QObject* parent = nullptr);

    // A click while one of these procedures is armed; p is the point there (0 = none).
    void Click(int p);
    // Enables the items for this net.
    void DefEnableItem(const NetWorkType& net);

    void ShortestPath1Click();
    void AllShortestPath1Click();
    void MaximalFlow1Click();
    void kshortestPath1Click();
    void MaxCapacityPath1Click();
    void HamiltonianPath1Click();
    void HamiltonianCicle1Click();
    void SalesmanProblem1Click();

    // What the k shortest paths dialog answered last; the next run uses it.
    const KShortestParameters& KParameters() const { return kParameters_; }

private:
    using Handler = void (PickingCommands::*)();

    QAction* NewItem(QMenu& menu, const char* name, const char* caption, const char* hint, Handler handler);
    bool StartTwoPoint();
    void Arm(Command c, const char* prompt, const char* confirmation);
    void ArmStart(Command c, const char* prompt, const std::optional<std::string>& refusal);
    void PickAllShortestSource(int p);
    void PickStart(int p);
    void PickSource(int p);
    void PickSink(int p);
    void RunTwoPoint(Command c);
    void ShowKPath(TMyWordStack& walk);

    DocumentContext& document_;
    CommandMachine& machine_;
    std::vector<QPointer<QAction>> items_;
    KShortestParameters kParameters_;
};

} // namespace plax
