#include "automorphisms.h"

#include "graph_utils.h"
#include "long_run.h"
#include "point_set.h"
#include "procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>

namespace plax {

namespace {

using Profile = std::array<int, MaxPoints + 1>;

// What a point keeps under every automorphism; points are only exchanged when these agree.
struct Invariants {
    int in = 0;
    int out = 0;
    int eccentricity = 0;
    Profile profile{};   // neighbours by degree (in-degree on a directed net)
    Profile inProfile{}; // directed nets: the points with an edge into the point, by in-degree
    bool operator==(const Invariants&) const = default;
};

std::array<Invariants, MaxPoints + 1> PointInvariants(const NetWorkType& net, const NeighbourSets& out) {
    const Degrees d = ComputeDegrees(net);
    const Eccentricities e = ComputeEccentricities(net);
    const bool directed = !IsUndirected(net);
    std::array<Invariants, MaxPoints + 1> inv{};
    for (int p = 1; p <= net.n; ++p) {
        const auto k = static_cast<std::size_t>(p);
        inv[k].in = d.in[k];
        inv[k].out = d.out[k];
        inv[k].eccentricity = e.of[k];
        for (int t : PointsOf(out[k]))
            ++inv[k].profile[d.in[static_cast<std::size_t>(t)]];
        for (int q = 1; q <= net.n && directed; ++q) {
            if (Contains(out[static_cast<std::size_t>(q)], p))
                ++inv[k].inProfile[d.in[static_cast<std::size_t>(q)]];
        }
    }
    return inv;
}

// The members of one class of equal points, and the order in which they are arranged now.
struct Level {
    std::vector<int> members;     // increasing
    std::vector<int> arrangement; // positions 1..s; [0] unused
    std::vector<int> counter;     // plain changes
    std::vector<int> direction;

    int Size() const { return static_cast<int>(members.size()); }
    bool IsIdentity() const {
        for (int k = 1; k <= Size(); ++k) {
            if (arrangement[static_cast<std::size_t>(k)] != k) return false;
        }
        return true;
    }
    void Reset() {
        for (int k = 1; k <= Size(); ++k)
            arrangement[static_cast<std::size_t>(k)] = k;
    }
};

Level MakeLevel(std::vector<int> members) {
    Level level;
    const std::size_t s = members.size();
    level.members = std::move(members);
    level.arrangement.resize(s + 1);
    level.Reset();
    level.counter.assign(s + 1, 1);
    level.counter[s] = 0;
    level.direction.assign(s + 1, 1);
    return level;
}

std::vector<Level> Levels(const NetWorkType& net, const NeighbourSets& out) {
    const auto inv = PointInvariants(net, out);
    std::vector<Level> levels;
    PointSet classified = 0;
    for (int v = 1; v <= net.n; ++v) {
        if (Contains(classified, v)) continue;
        std::vector<int> members{v};
        for (int w = v + 1; w <= net.n; ++w) {
            if (!Contains(classified, w) &&
                inv[static_cast<std::size_t>(w)] == inv[static_cast<std::size_t>(v)]) {
                members.push_back(w);
                classified |= PointBit(w);
            }
        }
        if (members.size() > 1) levels.push_back(MakeLevel(std::move(members)));
    }
    return levels;
}

// The next arrangement in lexicographic order; after the last one, the identity again.
void AdvanceSorted(Level& level) {
    auto& a = level.arrangement;
    if (!std::next_permutation(a.begin() + 1, a.end())) level.Reset();
}

// The next arrangement by one exchange of neighbours (plain changes); the counters and
// directions run on from one cycle of the level to the next.
void AdvancePlainChanges(Level& level) {
    const int s = level.Size();
    auto at = [](std::vector<int>& v, int j) -> int& { return v[static_cast<std::size_t>(j)]; };
    int j = 1;
    int x = 0;
    while (at(level.counter, j) == s - j + 1) {
        at(level.direction, j) = 1 - at(level.direction, j);
        at(level.counter, j) = 1;
        if (at(level.direction, j) == 1) ++x;
        ++j;
    }
    if (j == s) {
        level.Reset();
        return;
    }
    const int c = at(level.counter, j);
    const int p = at(level.direction, j) == 1 ? c + x : s - j + 1 - c + x;
    std::swap(at(level.arrangement, p), at(level.arrangement, p + 1));
    ++at(level.counter, j);
}

class AutomorphismSearch {
public:
    AutomorphismSearch(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                       const AutomorphismVisitor& onFind)
        : control_(control), onFind_(onFind), n_(net.n), order_(order), out_(OutNeighbours(net)),
          levels_(Levels(net, out_)) {}

    // Answers whether every candidate was tested (false when Stop ended the run).
    bool Run();
    std::uint64_t Count() const { return counter_; }

private:
    bool Advance(std::size_t level);
    bool PreservesEdges(const std::array<int, MaxPoints + 1>& image) const;
    void TestCandidate();

    RunControl& control_;
    const AutomorphismVisitor& onFind_;
    const int n_;
    const AutomorphismOrder order_;
    const NeighbourSets out_;
    std::vector<Level> levels_;
    std::uint64_t counter_ = 1; // the identity
    int advances_ = 0;
};

// Advances one level; true when Stop was pressed.
bool AutomorphismSearch::Advance(std::size_t level) {
    if (order_ == AutomorphismOrder::Sorted) {
        AdvanceSorted(levels_[level]);
    } else {
        AdvancePlainChanges(levels_[level]);
    }
    if (++advances_ % 25 == 0) control_.Poll();
    return control_.Stopped();
}

// An odometer over the levels, the last one turning fastest.
bool AutomorphismSearch::Run() {
    if (levels_.empty()) return true;
    for (;;) {
        std::size_t level = levels_.size() - 1;
        for (;;) {
            if (Advance(level)) return false;
            if (!levels_[level].IsIdentity()) break;
            if (level == 0) return true;
            --level;
        }
        TestCandidate();
    }
}

bool AutomorphismSearch::PreservesEdges(const std::array<int, MaxPoints + 1>& image) const {
    for (int i = 1; i <= n_; ++i) {
        const PointSet targets = out_[static_cast<std::size_t>(image[static_cast<std::size_t>(i)])];
        for (int j : PointsOf(out_[static_cast<std::size_t>(i)])) {
            if (!Contains(targets, image[static_cast<std::size_t>(j)])) return false;
        }
    }
    return true;
}

void AutomorphismSearch::TestCandidate() {
    std::array<int, MaxPoints + 1> image{};
    for (int p = 1; p <= n_; ++p)
        image[static_cast<std::size_t>(p)] = p;
    for (const Level& level : levels_) {
        for (int k = 1; k <= level.Size(); ++k) {
            const int arranged = level.arrangement[static_cast<std::size_t>(k)];
            image[static_cast<std::size_t>(level.members[static_cast<std::size_t>(k - 1)])] =
                level.members[static_cast<std::size_t>(arranged - 1)];
        }
    }
    if (!PreservesEdges(image)) return;
    ++counter_;
    onFind_({counter_, std::span<const int>(image).subspan(1, static_cast<std::size_t>(n_))});
}

void WriteAutomorphism(ResultsSink& sink, const AutomorphismFind& find) {
    const std::size_t n = find.image.size();
    std::string line = "    " + PadLeft(std::to_string(find.counter), 3) + "  (";
    for (std::size_t p = 1; p <= n; ++p) {
        line += PadLeft(std::to_string(find.image[p - 1]), 3) + (p == n ? ")" : ",");
        if (p % 15 == 0 || p == n) {
            sink.AddLine(line);
            line = std::string(10, ' ');
        }
    }
}

} // namespace

AutomorphismsResult SearchAutomorphisms(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                                        const AutomorphismVisitor& onFind) {
    AutomorphismSearch search(net, order, control, onFind);
    const bool complete = search.Run();
    return {search.Count(), complete};
}

void Automorphisms(NetWorkType& net, AutomorphismOrder order, const std::string& fileName,
                   ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader("            Automorphism Group", net);
        LongRun run(out.sink, net);
        const AutomorphismsResult result = SearchAutomorphisms(
            net, order, out.sink, [&](const AutomorphismFind& find) { WriteAutomorphism(out.sink, find); });
        if (!result.complete) {
            out.sink.AddLine(ProcedureTerminatedLine);
        } else if (result.count == 1) {
            out.sink.AddLine("    Identity Automorphism Group!");
        }
        run.End();
    });
}

std::optional<std::string> AutomorphismsRefusal(const NetWorkType& net) {
    if (net.interaction.busy != 0) return std::string(ProcedureInProgressMessage);
    return std::nullopt;
}

} // namespace plax
