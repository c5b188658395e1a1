#include "salesman_bound.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace plax {

namespace {

constexpr double NoPath = std::numeric_limits<double>::infinity();

using WeightMatrix = std::array<std::array<double, MaxPoints + 1>, MaxPoints + 1>;

WeightMatrix Weights(const NetWorkType& net) {
    WeightMatrix w;
    for (auto& row : w)
        row.fill(NoPath);
    for (int p = 1; p <= net.n; ++p) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(p)]) {
            if (e.target >= 1 && e.target <= net.n)
                w[static_cast<std::size_t>(p)][e.target] =
                    std::min(w[static_cast<std::size_t>(p)][e.target], e.weight);
        }
    }
    return w;
}

} // namespace

SalesmanBound::SalesmanBound(const NetWorkType& net, int source)
    : source_(source), m_(net.n - 1), lowMask_((1u << (source - 1)) - 1u) {
    const WeightMatrix w = Weights(net);
    const auto m = static_cast<std::size_t>(m_);
    // Weights between slots, and from each slot back to the source.
    std::vector<int> point;
    for (int p = 1; p <= net.n; ++p) {
        if (p != source) point.push_back(p);
    }
    std::vector<double> between(m * m);
    std::vector<double> home(m);
    for (std::size_t v = 0; v < m; ++v) {
        const auto& from = w[static_cast<std::size_t>(point[v])];
        home[v] = from[static_cast<std::size_t>(source)];
        for (std::size_t x = 0; x < m; ++x)
            between[v * m + x] = from[static_cast<std::size_t>(point[x])];
    }
    const std::size_t subsets = std::size_t{1} << m;
    table_.assign(subsets * m, NoPath);
    for (std::size_t mask = 1; mask < subsets; ++mask) {
        for (std::size_t rest = mask; rest != 0; rest &= rest - 1) {
            const auto v = static_cast<std::size_t>(std::countr_zero(rest));
            const std::size_t without = mask & ~(std::size_t{1} << v);
            const double* next = &table_[without * m];
            const double* step = &between[v * m];
            double best = without == 0 ? home[v] : NoPath;
            for (std::size_t left = without; left != 0; left &= left - 1) {
                const auto x = static_cast<std::size_t>(std::countr_zero(left));
                best = std::min(best, step[x] + next[x]);
            }
            table_[mask * m + v] = best;
        }
    }
}

} // namespace plax
