#pragma once

#include "document_context.h"

#include "model/net_types.h"

#include <QAction>
#include <QObject>
#include <QPointer>

#include <vector>

class QMenu;

namespace plax {

// The document window's "&Property" menu: the "Graph" and "NetWork" sub-menus and "Get Info",
// and the handlers of the procedures that start without picking points. Each handler refuses
// while any procedure runs, tests its own preconditions, runs the procedure into a new Results
// window and stores the procedure's colours in the net for the canvas to show.
class PropertyCommands : public QObject {
    Q_OBJECT
public:
    // Fills `property` with the "Graph" and "NetWork" sub-menus and their items (captions, hints
    // as status tips, shortcuts such as Ctrl+G).
    PropertyCommands(DocumentContext& document, QMenu& property, QObject* parent = nullptr);

    // Enables the items by the net's kind.
    void DefEnableItem(const NetWorkType& net);

    void MinSpanningTree1Click();
    void CriticalPath1Click();
    void QuickMetrics1Click();
    void CutPoints1Click();
    void Bridges1Click();
    void EulerianPath1Click();
    void EulerianCycle1Click();
    void Density1Click();
    void Undensity1Click();
    void PointCover1Click();
    void PointColoration1Click();
    void QuickColor11Click();
    void QuickColor21Click();
    void SortAutomorphism1Click();
    void UnsortAutomorphism1Click();
    void GetInfo1Click();

private:
    // Which nets an item is offered for.
    enum class Offered { Always, Directed, NotDirected };
    struct Item {
        QPointer<QAction> action;
        Offered offered = Offered::Always;
    };
    using Handler = void (PropertyCommands::*)();

    void AddItem(QMenu& menu, const char* name, const char* caption, const char* hint, Handler handler,
                 Offered offered = Offered::Always);
    void FillGraphMenu(QMenu& graph);
    void FillNetWorkMenu(QMenu& netWork);

    DocumentContext& document_;
    std::vector<Item> items_;
};

} // namespace plax
