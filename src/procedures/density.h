#pragma once

#include "coloring.h"
#include "algorithms/marking_buffer.h"
#include "algorithms/point_set.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

enum class DensityMode { Density = 1, Undensity = 2, PointCover = 3, Coloring = 4 };

inline constexpr const char* TrivialGraphMessage = "Trivial Graph. Procedure terminated!";

// What the exact searches found. Stop can end them early with what they had: a clique or an
// independent set found so far, nothing of a cover or an unfinished colouring.
struct DensityResult {
    PointSet set = 0; // the clique, independent set or cover
    PointColors color{};
    int chromatic = 0;
    bool stopped = false;

    bool Empty(DensityMode mode) const { return mode == DensityMode::Coloring ? chromatic == 0 : set == 0; }
};

// The search alone, polling `control` as the long run does; the caller starts and ends the run.
DensityResult ComputeDensity(const NetWorkType& net, DensityMode mode, RunControl& control);

struct QuickColorResult {
    PointColors color{};
    int colors = 0; // distinct colours given
};

QuickColorResult ComputeQuickColor(const NetWorkType& net, int variant);

// Greatest clique, greatest independent set, smallest point cover or a minimal colouring with the
// chromatic number, as a long run with a gauge that Stop ends. Marks the points found (colour
// index 9) or the colour classes.
void Density(NetWorkType& net, DensityMode mode, MarkingBuffer& marks, const std::string& fileName,
             ProcedureOutput out);

// The two fast colourings: 1 greedy in point order, 2 repeated recolouring. Marks the colours.
void QuickColor(const NetWorkType& net, int variant, MarkingBuffer& marks, const std::string& fileName,
                ProcedureOutput out);

// Why the menu commands refuse to start, if they do. The menu offers them only on nets that are
// not directed; that test is the caller's.
[[nodiscard]] std::optional<std::string> DensityRefusal(const NetWorkType& net);
[[nodiscard]] std::optional<std::string> QuickColorRefusal(const NetWorkType& net);

} // namespace plax
