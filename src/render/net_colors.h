#pragma once

#include "model/net_types.h"

namespace plax {

// The colour rule of the drawing calls without the drawing: the canvas repaints from the stored
// colours, so a handler that "draws an element in colour c" stores c and schedules a repaint.
// OwnColor and BackColor store nothing.
void ColorPoint(NetWorkType& net, int i, Color c);
// Both stored copies of an undirected edge take the colour.
void ColorEdge(NetWorkType& net, int from, int to, Color c);
// Every point and every edge entry: RedrawNet(c) as far as the stored colours go.
void ColorNet(NetWorkType& net, Color c);

} // namespace plax
