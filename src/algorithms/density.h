#pragma once

#include "coloring.h"
#include "point_set.h"
#include "run_control.h"

#include "model/net_types.h"

namespace plax {

enum class DensityMode { Density = 1, Undensity = 2, PointCover = 3, Coloring = 4 };

// What the exact searches found. Stop can end them early with what they had: a clique or an
// independent set found so far, nothing of a cover or an unfinished colouring.
struct DensityResult {
    PointSet set = 0; // the clique, independent set or cover
    PointColors color{};
    int chromatic = 0;
    bool stopped = false;

    bool Empty(DensityMode mode) const { return mode == DensityMode::Coloring ? chromatic == 0 : set == 0; }
};

// Greatest clique, greatest independent set (a clique of the complement), smallest point cover
// (the points outside one) or a minimal colouring: the blocks of the working graph by a lowpoint
// search, each searched exactly and the colourings made to agree. Polls `control` as the long
// run does and shows the coloured points on its gauge; the caller starts and ends the run.
// Cost: exponential: a backtracking search per block, bounded by Stop.
DensityResult ComputeDensity(const NetWorkType& net, DensityMode mode, RunControl& control);

struct QuickColorResult {
    PointColors color{};
    int colors = 0; // distinct colours given
};

// The two fast colourings: 1 greedy in point order, 2 repeated recolouring. Cost: O(N²) for 1,
// O(N³) for 2.
QuickColorResult ComputeQuickColor(const NetWorkType& net, int variant);

} // namespace plax
