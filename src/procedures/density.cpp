#include "density.h"

#include "algorithms/clique_list.h"
#include "coloring.h"
#include "algorithms/graph_utils.h"
#include "algorithms/long_run.h"
#include "accounts/procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>

namespace plax {

namespace {

constexpr Color FoundPointColor = 0x0000FF;
constexpr std::uint16_t FoundPointIndex = 9;

std::string NumberName(DensityMode mode) {
    switch (mode) {
    case DensityMode::Density: return "Density ";
    case DensityMode::Undensity: return "Point-Independence Number ";
    case DensityMode::PointCover: return "Point-Covering Number ";
    case DensityMode::Coloring: return "Chromatic Number ";
    }
    return "";
}

std::string Heading(DensityMode mode, bool stopped) {
    switch (mode) {
    case DensityMode::Density: return stopped ? "    Found Clique is :" : "    Greatest Clique is :";
    case DensityMode::Undensity:
        return stopped ? "    Found Independent Set is :" : "    Greatest Independent Set is :";
    case DensityMode::PointCover:
        return stopped ? "    Cannot Show Point`s cover!" : "    Smallest Point`s cover is :";
    case DensityMode::Coloring:
        return stopped ? "    Cannot Show Point`s Coloration!" : "    Minimal Point`s Coloration is :";
    }
    return "";
}

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

void WritePointList(ResultsSink& sink, PointSet set) {
    const std::vector<int> points = PointsOf(set);
    std::string line = "    {";
    for (std::size_t k = 0; k < points.size(); ++k) {
        const bool last = k + 1 == points.size();
        line += PadLeft(std::to_string(points[k]), 3) + (last ? " }" : ",");
        if ((k + 1) % 14 == 0 || last) {
            sink.AddLine(line);
            line = "     ";
        }
    }
}

void WriteDensityResult(ResultsSink& sink, DensityMode mode, const DensityResult& f, int n) {
    const bool coloring = mode == DensityMode::Coloring;
    if (!f.stopped) {
        sink.AddLine("    " + NumberName(mode) + "= " +
                     std::to_string(coloring ? f.chromatic : SetSize(f.set)));
        sink.AddLine(Heading(mode, false));
        if (coloring) {
            WriteColorTable(sink, f.color, n);
        } else {
            WritePointList(sink, f.set);
        }
        return;
    }
    if (!f.Empty(mode)) {
        sink.AddLine(Heading(mode, true));
        if (mode == DensityMode::Density || mode == DensityMode::Undensity) WritePointList(sink, f.set);
    }
    sink.AddLine("    Procedure terminated! ");
}

void MarkDensityResult(MarkingBuffer& marks, DensityMode mode, const DensityResult& f, int n) {
    if (mode == DensityMode::Coloring) {
        if (f.stopped) return;
        for (int p = 1; p <= n; ++p) {
            const int c = f.color[static_cast<std::size_t>(p)];
            marks.pointColor[static_cast<std::size_t>(p)] = ProcedureColors[static_cast<std::size_t>(c - 1)];
            marks.pointIndex[static_cast<std::size_t>(p)] = static_cast<std::uint16_t>(c);
        }
        return;
    }
    if (f.stopped && mode == DensityMode::PointCover) return;
    for (int p : PointsOf(f.set)) {
        marks.pointColor[static_cast<std::size_t>(p)] = FoundPointColor;
        marks.pointIndex[static_cast<std::size_t>(p)] = FoundPointIndex;
    }
}

} // namespace

DensityResult ComputeDensity(const NetWorkType& net, DensityMode mode, RunControl& control) {
    return EdgeCount(net) == 0 ? WithoutEdges(net.n, mode) : PointSetSearch(net, mode, control).Run();
}

void Density(NetWorkType& net, DensityMode mode, MarkingBuffer& marks, const std::string& fileName,
             ProcedureOutput out) {
    marks.Clear();
    if (net.n < 2) {
        out.messages.Warning(TrivialGraphMessage);
        return;
    }
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("             " + NumberName(mode), net);
        out.sink.AddLine("");
        LongRun run(out.sink, net);
        out.sink.Progress(0);
        const DensityResult found = ComputeDensity(net, mode, out.sink);
        WriteDensityResult(out.sink, mode, found, net.n);
        run.End();
        MarkDensityResult(marks, mode, found, net.n);
    });
}

std::optional<std::string> DensityRefusal(const NetWorkType& net) {
    if (const auto refusal = QuickColorRefusal(net)) return refusal;
    if (net.n < 2) return std::string(TrivialGraphMessage);
    return std::nullopt;
}

std::optional<std::string> QuickColorRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    return std::nullopt;
}

} // namespace plax
