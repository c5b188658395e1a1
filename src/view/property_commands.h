#pragma once

#include "document_context.h"

#include "catalogue/procedure_table.h"
#include "model/net_types.h"

#include <QAction>
#include <QObject>
#include <QPointer>

#include <string_view>
#include <vector>

class QMenu;

namespace plax {

class PickingCommands;

// The document window's "&Property" menu, built from the procedure table: the "Graph" and
// "NetWork" sub-menus and "Get Info". An item whose procedure needs points hands it to the
// picking commands; the others run here: each refuses while any procedure runs, tests its own
// preconditions, runs the procedure into a new Results window and stores the procedure's colours
// in the net for the canvas to show.
class PropertyCommands : public QObject {
    Q_OBJECT
public:
    PropertyCommands(DocumentContext& document, PickingCommands& picking, QMenu& property,
                     QObject* parent = nullptr);

    // Enables each item by the kinds of net its procedure is offered for.
    void DefEnableItem(const NetWorkType& net);

    // Runs a procedure that needs no points.
    void Run(const ProcedureEntry& entry);

    void MinSpanningTree1Click() { RunItem("MinSpanningTree1"); }
    void CriticalPath1Click() { RunItem("CriticalPath1"); }
    void QuickMetrics1Click() { RunItem("QuickMetrics1"); }
    void CutPoints1Click() { RunItem("CutPoints1"); }
    void Bridges1Click() { RunItem("Bridges1"); }
    void EulerianPath1Click() { RunItem("EulerianPath1"); }
    void EulerianCycle1Click() { RunItem("EulerianCycle1"); }
    void Density1Click() { RunItem("Density1"); }
    void Undensity1Click() { RunItem("Undensity1"); }
    void PointCover1Click() { RunItem("PointCover1"); }
    void PointColoration1Click() { RunItem("PointColoration1"); }
    void QuickColor11Click() { RunItem("QuickColor11"); }
    void QuickColor21Click() { RunItem("QuickColor21"); }
    void SortAutomorphism1Click() { RunItem("SortAutomorphism1"); }
    void UnsortAutomorphism1Click() { RunItem("UnsortAutomorphism1"); }
    void SymmetryGroup1Click() { RunItem("SymmetryGroup1"); }
    void GetInfo1Click() { RunItem("GetInfo1"); }

private:
    struct Item {
        QPointer<QAction> action;
        const ProcedureEntry* entry = nullptr;
    };

    void FillMenu(QMenu& menu, ProcedureMenu which);
    void Choose(const ProcedureEntry& entry);
    void RunItem(std::string_view itemName);
    bool Prepared(const ProcedureEntry& entry);

    DocumentContext& document_;
    PickingCommands& picking_;
    std::vector<Item> items_;
};

} // namespace plax
