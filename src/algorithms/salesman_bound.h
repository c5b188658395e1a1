#pragma once

#include "point_set.h"

#include "model/net_types.h"

#include <vector>

namespace plax {

// The least weight of the rest of a salesman cycle: from a point w through every point of a set
// (w among them) and back to the source. It is the exact minimum (Held-Karp over the subsets of
// the points other than the source), so it is a valid lower bound however the search prunes.
class SalesmanBound {
public:
    SalesmanBound(const NetWorkType& net, int source);

    // Infinity when no such path exists. `rest` holds w and not the source.
    double Rest(PointSet rest, int w) const {
        return table_[Index(rest) * static_cast<std::size_t>(m_) + Slot(w)];
    }

private:
    std::size_t Index(PointSet s) const {
        const unsigned bits = static_cast<unsigned>(s) >> 1;
        return (bits & lowMask_) | ((bits >> source_) << (source_ - 1));
    }
    std::size_t Slot(int p) const { return static_cast<std::size_t>(p < source_ ? p - 1 : p - 2); }

    int source_;
    int m_;            // points other than the source
    unsigned lowMask_; // the points below the source, shifted to bit 0
    std::vector<double> table_;
};

} // namespace plax
