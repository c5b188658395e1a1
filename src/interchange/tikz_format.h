#pragma once

#include "model/net_types.h"

#include <string>

namespace plax {

// The net as TikZ code to edit by hand: one \node per point at its position (1 cm for 50 canvas
// pixels, y upwards) named by its name, the shapes and colours in use defined once as styles,
// one \draw per edge with arrow tips on a directed net, the two edges of a directed pair bent
// apart, weights as labels beside their own edge, every element in its current colour (so a
// procedure's marks show). `standalone` wraps it in a document pdflatex compiles.
std::string TikzText(const NetWorkType& net, bool standalone);

} // namespace plax
