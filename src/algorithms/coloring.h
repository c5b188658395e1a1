#pragma once

#include "long_run.h"
#include "point_set.h"

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

// A minimal colouring of one block (exponential: a backtracking search bounded by Stop): the points of the
// clique `seed` take colours 1, 2, ... in point order, the others are coloured by backtracking in point
// order. Polls on every step and shows the coloured points on the gauge. An unfinished block comes back when
// Stop was pressed.
ColoredBlock ColorBlock(const NeighbourSets& nbr, PointSet block, PointSet seed, StepPoller& poller,
                        RunControl& gauge);

// Makes the blocks that hang together through shared points agree with block `from`: walking out
// from it, each block reached exchanges two colour numbers where it gives a shared point another
// colour than the block it was reached from.
// Cost: O(B²) for B blocks.
void AgreeWith(std::vector<ColoredBlock>& blocks, std::size_t from);

} // namespace plax
