#pragma once

#include "model/net_types.h"

#include <cstdint>
#include <vector>

namespace plax {

// The automorphism group of a net's structure (renumberings that map edges onto edges), found
// without listing it: its order, the orbits of the points and a set of automorphisms that
// generate it, each as the image of every point, image[p - 1] for point p.
struct SymmetryGroup {
    std::uint64_t order = 1;
    std::vector<std::vector<int>> orbits; // each increasing, ordered by their lowest points
    std::vector<std::vector<int>> generators;
};

// A search tree of individualisation and refinement: the points are split by how many
// neighbours they have in each class until nothing splits; a point of the first class of two or
// more is then set apart and the classes refined again, down to a leaf where every point stands
// alone. One path gives the reference leaf; from the bottom up, every other point of a level's
// class that no automorphism found so far reaches is tried, and the first leaf that matches the
// reference gives a generator. The order is the product of the orbit sizes along the path.
// Cost: at most N - 1 generators, each found in a few refinements of O(N²) on nets whose
// classes refine well; exhaustive only below points no automorphism reaches, which refinement
// makes small. Microseconds on every net of 15 points tried, 15! automorphisms included.
SymmetryGroup ComputeSymmetryGroup(const NetWorkType& net);

} // namespace plax
