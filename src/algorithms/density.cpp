#include "density.h"

#include "clique_list.h"
#include "coloring.h"
#include "graph_utils.h"

#include "model/net_store.h"

#include <algorithm>

namespace plax {

namespace {

// Finds the blocks of the working graph (the net, or its complement in modes 2 and 3) with
// Tarjan's lowpoint search and searches each one.
class PointSetSearch {
public:
    PointSetSearch(const NetWorkType& net, DensityMode mode, RunControl& control);
    DensityResult Run();

private:
    bool Stopped() const { return control_.Stopped(); }
    PointSet Neighbours(int p) const { return nbr_[static_cast<std::size_t>(p)]; }
    void Visit(int u, int parent);
    void TakeBlock(int u, int w);
    void SearchClique(PointSet block);
    void ColorTheBlock(PointSet block);
    void Finish();

    const int n_;
    const DensityMode mode_;
    RunControl& control_;
    NeighbourSets nbr_{};
    StepPoller listPoller_;
    StepPoller colorPoller_;
    std::array<int, MaxPoints + 1> discovery_{};
    std::array<int, MaxPoints + 1> low_{};
    int counter_ = 0;
    PointStack stack_;
    std::vector<ColoredBlock> blocks_;
    DensityResult found_;
};

PointSetSearch::PointSetSearch(const NetWorkType& net, DensityMode mode, RunControl& control)
    : n_(net.n), mode_(mode), control_(control), nbr_(OutNeighbours(net)), listPoller_(control, 10),
      colorPoller_(control, 1) {
    if (mode == DensityMode::Undensity || mode == DensityMode::PointCover) nbr_ = ComplementSets(nbr_, n_);
}

DensityResult PointSetSearch::Run() {
    for (int r = 1; r <= n_ && !Stopped(); ++r) {
        if (discovery_[static_cast<std::size_t>(r)] != 0) continue;
        if (mode_ == DensityMode::Coloring && Neighbours(r) == 0) {
            ColoredBlock alone;
            alone.points = PointBit(r);
            alone.color[static_cast<std::size_t>(r)] = 1;
            alone.count = 1;
            blocks_.push_back(alone);
        }
        Visit(r, 0);
    }
    found_.stopped = Stopped();
    if (found_.stopped) stack_.Clear();
    Finish();
    return found_;
}

void PointSetSearch::Visit(int u, int parent) {
    discovery_[static_cast<std::size_t>(u)] = low_[static_cast<std::size_t>(u)] = ++counter_;
    for (int w : PointsIn(Neighbours(u))) {
        if (Stopped()) return;
        const auto uk = static_cast<std::size_t>(u);
        const auto wk = static_cast<std::size_t>(w);
        if (discovery_[wk] == 0) {
            stack_.Push(u);
            stack_.Push(w);
            Visit(w, u);
            if (Stopped()) return;
            low_[uk] = std::min(low_[uk], low_[wk]);
            if (low_[wk] >= discovery_[uk]) TakeBlock(u, w);
        } else if (w != parent && discovery_[wk] < low_[uk]) {
            low_[uk] = discovery_[wk];
        }
    }
}

// Pops the tree edges down to and including (u, w); their points are one block.
void PointSetSearch::TakeBlock(int u, int w) {
    PointSet block = 0;
    while (!stack_.Empty()) {
        const int b = stack_.Top();
        stack_.Pop();
        const int a = stack_.Top();
        stack_.Pop();
        block |= static_cast<PointSet>(PointBit(a) | PointBit(b));
        if (a == u && b == w) break;
    }
    if (mode_ == DensityMode::Coloring) {
        ColorTheBlock(block);
    } else if (SetSize(block) > SetSize(found_.set)) {
        SearchClique(block);
    }
}

void PointSetSearch::SearchClique(PointSet block) {
    const auto gauge = [this](int taken) { control_.Progress(taken * 100 / n_); };
    const PointSet best = BlockClique(nbr_, PointsOf(block), false, listPoller_, gauge);
    if (SetSize(best) > SetSize(found_.set)) found_.set = best;
}

void PointSetSearch::ColorTheBlock(PointSet block) {
    PointSet seed = 0;
    if (SetSize(block) > 2) seed = BlockClique(nbr_, PointsOf(block), true, listPoller_, [](int) {});
    if (Stopped()) return;
    ColoredBlock colored = ColorBlock(nbr_, block, seed, colorPoller_, control_);
    if (colored.count == 0) return;
    blocks_.push_back(colored);
    AgreeWith(blocks_, blocks_.size() - 1);
}

void PointSetSearch::Finish() {
    if (mode_ == DensityMode::Coloring) {
        for (const ColoredBlock& b : blocks_) {
            found_.chromatic = std::max(found_.chromatic, b.count);
            for (int p : PointsIn(b.points))
                found_.color[static_cast<std::size_t>(p)] = b.color[static_cast<std::size_t>(p)];
        }
        return;
    }
    if (found_.stopped) return;
    // The clique list can miss the greatest clique (a block without working edges, or points
    // reached only through one never offered); the exact search settles it.
    const PointSet exact = GreatestClique(nbr_, AllPoints(n_));
    if (SetSize(exact) > SetSize(found_.set)) found_.set = exact;
    if (mode_ == DensityMode::PointCover) found_.set = static_cast<PointSet>(AllPoints(n_) & ~found_.set);
}

// Every point is its own component.
DensityResult WithoutEdges(int n, DensityMode mode) {
    DensityResult f;
    switch (mode) {
    case DensityMode::Density: f.set = PointBit(1); break;
    case DensityMode::Undensity: f.set = AllPoints(n); break;
    case DensityMode::PointCover: f.set = 0; break;
    case DensityMode::Coloring:
        for (int p = 1; p <= n; ++p)
            f.color[static_cast<std::size_t>(p)] = 1;
        f.chromatic = 1;
        break;
    }
    return f;
}

} // namespace

DensityResult ComputeDensity(const NetWorkType& net, DensityMode mode, RunControl& control) {
    return EdgeCount(net) == 0 ? WithoutEdges(net.n, mode) : PointSetSearch(net, mode, control).Run();
}

} // namespace plax
