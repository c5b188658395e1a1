#pragma once

// The listing as the automorphism search first did it, kept as the reference the pruned search
// must match: an odometer over the classes, the last turning fastest, every arrangement of every
// class tested whole, a poll every 25 advances.
#include "algorithms/automorphisms.h"

#include "model/net_store.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plax::testing {

struct OdometerListing {
    std::vector<std::vector<int>> images; // each automorphism but the identity, in order
    bool complete = true;
};

class AutomorphismOdometer {
public:
    AutomorphismOdometer(const NetWorkType& net, AutomorphismOrder order) : net_(net), order_(order) {
        for (std::vector<int>& members : AutomorphismClasses(net)) {
            Level level;
            const std::size_t s = members.size();
            level.members = std::move(members);
            for (std::size_t k = 0; k <= s; ++k)
                level.arrangement.push_back(static_cast<int>(k));
            level.counter.assign(s + 1, 1);
            level.counter[s] = 0;
            level.direction.assign(s + 1, 1);
            levels_.push_back(std::move(level));
        }
    }

    OdometerListing Run(RunControl& control) {
        OdometerListing out;
        if (levels_.empty()) return out;
        for (;;) {
            std::size_t level = levels_.size() - 1;
            for (;;) {
                Advance(levels_[level]);
                if (++advances_ % 25 == 0) control.Poll();
                if (control.Stopped()) {
                    out.complete = false;
                    return out;
                }
                if (!IsIdentity(levels_[level])) break;
                if (level == 0) return out;
                --level;
            }
            Test(out);
        }
    }

private:
    struct Level {
        std::vector<int> members;
        std::vector<int> arrangement; // [0] unused
        std::vector<int> counter;
        std::vector<int> direction;
    };

    static bool IsIdentity(const Level& l) {
        for (std::size_t k = 1; k < l.arrangement.size(); ++k) {
            if (l.arrangement[k] != static_cast<int>(k)) return false;
        }
        return true;
    }
    static void Reset(Level& l) {
        for (std::size_t k = 1; k < l.arrangement.size(); ++k)
            l.arrangement[k] = static_cast<int>(k);
    }

    void Advance(Level& l) const {
        if (order_ == AutomorphismOrder::Sorted) {
            if (!std::next_permutation(l.arrangement.begin() + 1, l.arrangement.end())) Reset(l);
            return;
        }
        const int s = static_cast<int>(l.members.size());
        auto at = [](std::vector<int>& v, int j) -> int& { return v[static_cast<std::size_t>(j)]; };
        int j = 1;
        int x = 0;
        while (at(l.counter, j) == s - j + 1) {
            at(l.direction, j) = 1 - at(l.direction, j);
            at(l.counter, j) = 1;
            if (at(l.direction, j) == 1) ++x;
            ++j;
        }
        if (j == s) {
            Reset(l);
            return;
        }
        const int c = at(l.counter, j);
        const int p = at(l.direction, j) == 1 ? c + x : s - j + 1 - c + x;
        std::swap(at(l.arrangement, p), at(l.arrangement, p + 1));
        ++at(l.counter, j);
    }

    void Test(OdometerListing& out) const {
        std::vector<int> image(static_cast<std::size_t>(net_.n) + 1);
        for (int p = 1; p <= net_.n; ++p)
            image[static_cast<std::size_t>(p)] = p;
        for (const Level& l : levels_) {
            for (std::size_t k = 0; k < l.members.size(); ++k)
                image[static_cast<std::size_t>(l.members[k])] =
                    l.members[static_cast<std::size_t>(l.arrangement[k + 1] - 1)];
        }
        for (int i = 1; i <= net_.n; ++i) {
            for (int j = 1; j <= net_.n; ++j) {
                if (EdgeExists(net_, i, j) &&
                    !EdgeExists(net_, image[static_cast<std::size_t>(i)], image[static_cast<std::size_t>(j)]))
                    return;
            }
        }
        out.images.emplace_back(image.begin() + 1, image.end());
    }

    const NetWorkType& net_;
    AutomorphismOrder order_;
    std::vector<Level> levels_;
    long long advances_ = 0;
};

} // namespace plax::testing
