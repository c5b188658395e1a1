#include "coloring.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <deque>

namespace plax {

namespace {

class BlockColorer {
public:
    BlockColorer(const NeighbourSets& nbr, PointSet block, StepPoller& poller, RunControl& gauge)
        : nbr_(nbr), block_(block), poller_(poller), gauge_(gauge) {}
    ColoredBlock Run(PointSet seed);

private:
    PointSet Neighbours(int p) const {
        return static_cast<PointSet>(nbr_[static_cast<std::size_t>(p)] & block_);
    }
    int UpperBound() const;
    void Give(int p, int c);
    void Take(int p);
    void Colour(std::size_t next, int highest);
    void Keep(int count);
    void ShowProgress(int colored);

    const NeighbourSets& nbr_;
    const PointSet block_;
    StepPoller& poller_;
    RunControl& gauge_;
    std::vector<int> rest_;
    PointColors color_{};
    std::array<PointSet, MaxPoints + 2> classes_{};
    ColoredBlock kept_;
    int seedSize_ = 0;
    int upper_ = MaxPoints;
    int bestCount_ = MaxPoints;
    int shownPercent_ = -1;
    bool done_ = false;
};

void BlockColorer::Give(int p, int c) {
    color_[static_cast<std::size_t>(p)] = c;
    classes_[static_cast<std::size_t>(c)] |= PointBit(p);
}

void BlockColorer::Take(int p) {
    int& c = color_[static_cast<std::size_t>(p)];
    classes_[static_cast<std::size_t>(c)] =
        static_cast<PointSet>(classes_[static_cast<std::size_t>(c)] & ~PointBit(p));
    c = 0;
}

// The smaller of the largest block degree + 1 and (3 + sqrt(8(m - n) + 9)) / 2, which no connected
// net with n points and m edges exceeds.
int BlockColorer::UpperBound() const {
    int degreeSum = 0;
    int largest = 0;
    for (int p : PointsIn(block_)) {
        const int d = SetSize(Neighbours(p));
        degreeSum += d;
        largest = std::max(largest, d);
    }
    const int n = SetSize(block_);
    const int m = degreeSum / 2;
    const double byEdges = std::nearbyint((3.0 + std::sqrt(std::max(0, 8 * (m - n) + 9))) / 2.0);
    return std::min(largest + 1, static_cast<int>(byEdges));
}

ColoredBlock BlockColorer::Run(PointSet seed) {
    kept_.points = block_;
    const std::vector<int> points = PointsOf(block_);
    if (points.size() <= 2) {
        for (std::size_t k = 0; k < points.size(); ++k)
            kept_.color[static_cast<std::size_t>(points[k])] = static_cast<int>(k) + 1;
        kept_.count = static_cast<int>(points.size());
        return kept_;
    }
    for (int p : PointsIn(seed))
        Give(p, ++seedSize_);
    if (seed == block_) {
        kept_.color = color_;
        kept_.count = seedSize_;
        return kept_;
    }
    rest_ = PointsOf(static_cast<PointSet>(block_ & ~seed));
    upper_ = UpperBound();
    Colour(0, seedSize_);
    assert(kept_.count > 0 || poller_.Stopped());
    return kept_;
}

void BlockColorer::Colour(std::size_t next, int highest) {
    if (next == rest_.size()) {
        Keep(highest);
        return;
    }
    const int p = rest_[next];
    // The bounds tighten whenever a colouring is kept, so they are read again for every colour.
    for (int c = 1; c <= std::min({highest + 1, bestCount_, upper_}); ++c) {
        if ((Neighbours(p) & classes_[static_cast<std::size_t>(c)]) != 0) continue;
        Give(p, c);
        if (poller_.Step()) {
            Take(p);
            return;
        }
        ShowProgress(seedSize_ + static_cast<int>(next) + 1);
        Colour(next + 1, std::max(highest, c));
        Take(p);
        if (done_ || poller_.Stopped()) return;
    }
}

// New colours are only ever the next number, so a kept colouring has no gaps to close.
void BlockColorer::Keep(int count) {
    if (count >= bestCount_) return;
    kept_.color = color_;
    kept_.count = count;
    bestCount_ = count;
    upper_ = count - 1;
    if (count == seedSize_) done_ = true;
}

void BlockColorer::ShowProgress(int colored) {
    const int percent = colored * 100 / SetSize(block_);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    gauge_.Progress(percent);
}

void Exchange(ColoredBlock& block, int a, int b) {
    for (int p : PointsIn(block.points)) {
        int& c = block.color[static_cast<std::size_t>(p)];
        if (c == a) {
            c = b;
        } else if (c == b) {
            c = a;
        }
    }
}

} // namespace

ColoredBlock ColorBlock(const NeighbourSets& nbr, PointSet block, PointSet seed, StepPoller& poller,
                        RunControl& gauge) {
    BlockColorer colorer(nbr, block, poller, gauge);
    return colorer.Run(seed);
}

void AgreeWith(std::vector<ColoredBlock>& blocks, std::size_t from) {
    std::vector<bool> reached(blocks.size());
    reached[from] = true;
    std::deque<std::size_t> queue{from};
    while (!queue.empty()) {
        const ColoredBlock& b = blocks[queue.front()];
        queue.pop_front();
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            const auto shared = static_cast<PointSet>(b.points & blocks[k].points);
            if (reached[k] || shared == 0) continue;
            reached[k] = true;
            const auto x = static_cast<std::size_t>(LowestPoint(shared));
            if (blocks[k].color[x] != b.color[x]) Exchange(blocks[k], blocks[k].color[x], b.color[x]);
            queue.push_back(k);
        }
    }
}

} // namespace plax
