#pragma once

#include "point_set.h"
#include "run_control.h"

#include "model/net_types.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace plax {

enum class TourKind { HamiltonianCycle, HamiltonianPath, Salesman };
enum class HamiltonianMode { Cycle = 0, Path = 1 };

// One find: its number from 1, the points in the order the tour runs (a cycle ends at its first
// point again), and its weight. The points are only valid during the call that hands them over.
struct TourFind {
    std::uint64_t counter = 0;
    std::span<const int> points;
    double weight = 0.0;
};

using TourVisitor = std::function<void(const TourFind&)>;

// A listing can run to millions of finds, so each is handed to the visitor as it is found and
// only the last is kept.
struct TourSearchResult {
    std::uint64_t finds = 0;
    std::vector<int> last; // the points of the last find
    double lastWeight = 0.0;
    bool stopped = false;
};

// Hamiltonian cycles or paths from the net's source point in the order of its lists, or the
// salesman's ever lighter cycles (a branch-and-bound search pruned by SalesmanBound). Polls
// `control`; the caller starts and ends the long run. Cost: exponential: a backtracking search
// over up to (N-1)! orders, bounded by Stop.
TourSearchResult SearchTours(const NetWorkType& net, TourKind kind, RunControl& control,
                             const TourVisitor& onFind);

} // namespace plax
