#pragma once

#include "edge_anchors.h"

#include "model/net_types.h"

class QPainter;

namespace plax {

// What the renderer draws on: any painter (screen, image, printer, SVG, PDF, metafile), the
// facts about the drawing that the net record does not hold, and where its anchors go.
struct NetCanvas {
    QPainter& painter;
    // The net is a level below the top: its points 1 and 2 stand for the ends of the
    // decomposed edge and are drawn dotted.
    bool subNet = false;
    // What moves in a drag is drawn bare: no labels, fills, numbers or arrowheads.
    bool dragging = false;
    // The drawing goes to a picture or a printer, not to the screen.
    bool exporting = false;
    // A picture for slides and papers (PNG, SVG, PDF): text in a face the machine has, drawn
    // smooth; the point labels are left to the caller, who writes each once over the edges; the
    // two edges of a directed pair are bent apart.
    bool picture = false;
    // The anchors kept from one drawing to the next (the screen's); a drawing without them
    // keeps its own for the one pass.
    EdgeAnchors* anchors = nullptr;
    EdgeAnchors passAnchors{};

    EdgeAnchors& Anchors() { return anchors != nullptr ? *anchors : passAnchors; }
};

// The default drawing colour, the settings' "Fore Default Color": "Refresh Net" and every
// procedure run redraw the net in it, which resets the stored colours.
inline Color ForeDefaultColor(const OptionType& options) { return options.foreDefaultColor; }

// Colour rule of every drawing call with colour c: OwnColor draws each element in its stored
// colour; BackColor erases (stored colours and the canvas's anchors stay); any other c is drawn and stored.
void DrawNet(NetCanvas& canvas, NetWorkType& net, Color c);
void DrawPoint(NetCanvas& canvas, NetWorkType& net, int i, Color c);
void DrawEdge(NetCanvas& canvas, NetWorkType& net, int from, int to, Color c);
void DrawArrow(QPainter& painter, int x1, int y1, int x2, int y2);

void DrawPointLabel(NetCanvas& canvas, const NetWorkType& net, int i, bool visible);
void DrawAllPointLabels(NetCanvas& canvas, const NetWorkType& net, bool visible);
void DrawEdgeLabel(NetCanvas& canvas, const NetWorkType& net, int from, int to, bool visible);
void DrawAllEdgeLabels(NetCanvas& canvas, const NetWorkType& net, bool visible);

// Toggles the four selection marks of point i (drawing them twice removes them).
void DrawPointMarks(NetCanvas& canvas, const NetWorkType& net, int i);
// Toggles the marks of every selected point, when a selection exists.
void DrawSelectionMarks(NetCanvas& canvas, const NetWorkType& net);

// The document's redraw: the net in c, the point labels when names or tokens are shown, then
// the selection marks.
void RedrawNet(NetCanvas& canvas, NetWorkType& net, Color c);
// Erases (or redraws) point i together with every edge at it.
void RedrawPointWithEdges(NetCanvas& canvas, NetWorkType& net, int i, bool erase);

// Paints the area white and leaves the canvas as every drawing call expects it: black solid
// pen of width 1, clear brush, "Courier New" 12 pixels high.
void ClearCanvas(QPainter& painter, int width, int height);
void ResetCanvas(QPainter& painter);

} // namespace plax
