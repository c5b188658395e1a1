#pragma once

#include "dialogs.h"

#include "model/net_types.h"
#include "petri/state_graph.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <string>

class QGraphicsScene;
class QGraphicsView;
class QLabel;

namespace plax {

// The reachability graph of a Petri net drawn by breadth-first layers: a box per marking ("M3"
// and its sum of places), the net's marking at opening with a double border, dead markings
// filled, arcs labelled with their transitions. A click on a marking draws the net with that
// marking's tokens beside the graph; a double click hands it to `take`, which makes it the
// document's marking. The graph can be saved as PNG, SVG or DOT.
class StateGraphWindow : public QWidget {
    Q_OBJECT
public:
    using Taker = std::function<void(std::size_t marking)>;

    StateGraphWindow(const NetWorkType& net, StateGraph graph, Dialogs& dialogs, Taker take, QWidget* parent);

    const StateGraph& Graph() const { return graph_; }
    std::size_t Shown() const { return shown_; }
    void ShowMarking(std::size_t marking);
    void Take(std::size_t marking) const { take_(marking); }
    // Asks for a file and writes the picture (.png, .svg) or the DOT text (.dot, .gv).
    bool Save();

private:
    void Layout();
    void DrawPreview();

    NetWorkType net_; // as it was at opening, for the preview and the DOT names
    StateGraph graph_;
    Dialogs& dialogs_;
    Taker take_;
    std::size_t shown_ = 0;
    QGraphicsScene* scene_ = nullptr;
    QGraphicsView* view_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* caption_ = nullptr;
};

} // namespace plax
