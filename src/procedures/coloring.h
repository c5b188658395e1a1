#pragma once

#include "algorithms/long_run.h"
#include "algorithms/point_set.h"
#include "accounts/results_sink.h"

#include <array>
#include <vector>

namespace plax {

// A colour number per point 1..15; 0 = not coloured.
using PointColors = std::array<int, MaxPoints + 1>;

struct ColoredBlock {
    PointSet points = 0;
    PointColors color{};
    int count = 0; // colours the block needs
};

// A minimal colouring of one block: the points of the clique `seed` take colours 1, 2, ... in point
// order, the others are coloured by backtracking in point order. Polls on every step and shows the
// coloured points on the gauge. An unfinished block comes back when Stop was pressed.
ColoredBlock ColorBlock(const NeighbourSets& nbr, PointSet block, PointSet seed, StepPoller& poller,
                        RunControl& gauge);

// Makes the blocks that hang together through shared points agree with block `from`: walking out
// from it, each block reached exchanges two colour numbers where it gives a shared point another
// colour than the block it was reached from.
void AgreeWith(std::vector<ColoredBlock>& blocks, std::size_t from);

// The coloured points in rows of fourteen: point numbers, colours, and a line of two blanks.
void WriteColorTable(ResultsSink& sink, const PointColors& color, int n);

} // namespace plax
