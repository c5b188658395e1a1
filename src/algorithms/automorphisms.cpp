#include "automorphisms.h"

#include "graph_utils.h"
#include "point_set.h"

#include "model/net_store.h"

#include <algorithm>
#include <utility>

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
        for (int t : PointsIn(out[k]))
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

} // namespace

std::vector<std::vector<int>> AutomorphismClasses(const NetWorkType& net) {
    const auto inv = PointInvariants(net, OutNeighbours(net));
    std::vector<std::vector<int>> classes;
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
        if (members.size() > 1) classes.push_back(std::move(members));
    }
    return classes;
}

namespace {

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

// The search: points are exchanged only within a class of points with equal invariants, and a
// partial map is extended only while it keeps the distances between the points mapped so far
// (an automorphism keeps every distance). The candidates are taken in the order of an odometer
// over the classes, the last class turning fastest, each class running through its
// arrangements lexicographically or by plain changes; a candidate is numbered by its place in
// that order (the identity is 0). The polls come where the odometer's would: after every 25th
// step of a wheel, counting the steps of the candidates passed over as well.
class AutomorphismSearch {
public:
    AutomorphismSearch(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                       const AutomorphismVisitor& onFind);

    // Answers whether every candidate was tested (false when Stop ended the run).
    bool Run() { return Descend(0, 0) && !Reach(total_); }
    std::uint64_t Count() const { return counter_; }

private:
    static std::size_t Index(int p) { return static_cast<std::size_t>(p); }

    bool Fits(int point, int target) const;
    bool IsFree(std::size_t c) const;
    void Place(int point, int target) {
        image_[Index(point)] = target;
        placed_[static_cast<std::size_t>(placedCount_++)] = point;
        if (point != target) ++moved_;
    }
    void Unplace(int point) {
        --placedCount_;
        if (image_[Index(point)] != point) --moved_;
        image_[Index(point)] = point;
    }
    std::uint64_t Steps(std::uint64_t place) const;
    bool Reach(std::uint64_t place);
    bool Descend(std::size_t c, std::uint64_t base);
    bool Lexicographic(std::size_t c, std::size_t k, PointSet taken, std::uint64_t base);
    bool Collect(std::size_t c, std::size_t k, PointSet taken, std::uint64_t packed, bool& overflow);
    bool PlainChanges(std::size_t c, std::uint64_t base);
    bool StepPlainChanges(std::size_t c, std::uint64_t base);
    bool Found(std::uint64_t place);

    RunControl& control_;
    const AutomorphismVisitor& onFind_;
    const int n_;
    const AutomorphismOrder order_;
    const std::vector<std::vector<int>> classes_;
    std::vector<std::uint64_t> stride_; // per class, the candidates of one of its arrangements
    std::uint64_t total_ = 1;           // every candidate, the identity included
    std::array<HopCounts, MaxPoints + 1> distance_{};
    std::array<int, MaxPoints + 1> image_{};
    std::array<int, MaxPoints> placed_{};
    int placedCount_ = 0;
    int moved_ = 0;
    std::uint64_t reached_ = 0; // the place of the last candidate passed
    int collectWork_ = 0;
    // Per class, the arrangements that fit with their places in the cycle of plain changes,
    // reused from one arrangement of the earlier classes to the next.
    std::vector<std::vector<std::pair<std::uint64_t, std::uint64_t>>> collected_;
    std::uint64_t counter_ = 1; // the identity
};

constexpr std::uint64_t StepsPerPoll = 25;
// Arrangements of one class kept for sorting by plain changes; a class with more that fit is
// stepped through arrangement by arrangement instead.
constexpr std::size_t CollectLimit = std::size_t{1} << 20;
// While arrangements are collected the odometer's steps are not known; poll by work instead.
constexpr int CollectWorkPerPoll = 1 << 16;

constexpr std::uint64_t Factorial(std::size_t k) {
    std::uint64_t f = 1;
    for (std::size_t i = 2; i <= k; ++i)
        f *= i;
    return f;
}

AutomorphismSearch::AutomorphismSearch(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                                       const AutomorphismVisitor& onFind)
    : control_(control), onFind_(onFind), n_(net.n), order_(order), classes_(AutomorphismClasses(net)),
      stride_(classes_.size()), collected_(classes_.size()) {
    const NeighbourSets out = OutNeighbours(net);
    for (int s = 1; s <= n_; ++s)
        distance_[Index(s)] = HopDistances(out, n_, s);
    for (std::size_t c = classes_.size(); c-- > 0;) {
        stride_[c] = total_;
        total_ *= Factorial(classes_[c].size()); // at most 15!, as the classes share 15 points
    }
    PointSet moving = 0;
    for (const std::vector<int>& members : classes_) {
        for (int p : members)
            moving |= PointBit(p);
    }
    for (int p = 1; p <= n_; ++p) {
        image_[Index(p)] = p;
        if (!Contains(moving, p)) placed_[static_cast<std::size_t>(placedCount_++)] = p;
    }
}

// Whether mapping `point` onto `target` keeps its distances to and from every point placed.
bool AutomorphismSearch::Fits(int point, int target) const {
    const auto& from = distance_[Index(point)];
    const auto& to = distance_[Index(target)];
    for (int i = 0; i < placedCount_; ++i) {
        const int q = placed_[static_cast<std::size_t>(i)];
        const int r = image_[Index(q)];
        if (from[Index(q)] != to[Index(r)] ||
            distance_[Index(q)][Index(point)] != distance_[Index(r)][Index(target)])
            return false;
    }
    return true;
}

// Whether every arrangement of class `c` fits: each member may take the place of any other as
// far as the points placed see, and the members keep one distance among themselves.
bool AutomorphismSearch::IsFree(std::size_t c) const {
    const std::vector<int>& members = classes_[c];
    const std::uint8_t among = distance_[Index(members[0])][Index(members[1])];
    for (const int a : members) {
        for (const int b : members) {
            if (!Fits(a, b) || (a != b && distance_[Index(a)][Index(b)] != among)) return false;
        }
    }
    return true;
}

// The odometer's steps up to the candidate at `place`: one per candidate and one more for each
// wheel that turned over on the way.
std::uint64_t AutomorphismSearch::Steps(std::uint64_t place) const {
    std::uint64_t steps = 0;
    for (const std::uint64_t stride : stride_)
        steps += place / stride;
    return steps;
}

// Every candidate before `place` is done: polls if the odometer would have polled on the way.
// True when Stop was pressed.
bool AutomorphismSearch::Reach(std::uint64_t place) {
    if (place <= reached_) return control_.Stopped();
    const bool poll = Steps(place) / StepsPerPoll != Steps(reached_) / StepsPerPoll;
    reached_ = place;
    if (poll) control_.Poll();
    return control_.Stopped();
}

bool AutomorphismSearch::Found(std::uint64_t place) {
    if (moved_ == 0) return true; // the identity, counted already
    if (Reach(place)) return false;
    ++counter_;
    onFind_({counter_, std::span<const int>(image_).subspan(1, static_cast<std::size_t>(n_))});
    return true;
}

// The candidates from `base` on, with the classes before `c` arranged.
bool AutomorphismSearch::Descend(std::size_t c, std::uint64_t base) {
    if (c == classes_.size()) return Found(base);
    if (order_ == AutomorphismOrder::Sorted) return Lexicographic(c, 0, 0, base);
    return PlainChanges(c, base);
}

// The arrangements of class `c` in lexicographic order from position k on; `taken` holds the
// members (by index) given to the earlier positions.
bool AutomorphismSearch::Lexicographic(std::size_t c, std::size_t k, PointSet taken, std::uint64_t base) {
    const std::vector<int>& members = classes_[c];
    if (k == members.size()) return Descend(c + 1, base);
    const int point = members[k];
    const std::uint64_t span = Factorial(members.size() - k - 1) * stride_[c];
    std::uint64_t place = base;
    for (std::size_t v = 0; v < members.size(); ++v) {
        if (Contains(taken, static_cast<int>(v))) continue;
        if (Fits(point, members[v])) {
            Place(point, members[v]);
            const bool go =
                Lexicographic(c, k + 1, static_cast<PointSet>(taken | PointBit(static_cast<int>(v))), place);
            Unplace(point);
            if (!go) return false;
        } else if (Reach(place + span)) {
            return false;
        }
        place += span;
    }
    return true;
}

// The place of an arrangement (position k holds member index ((packed >> 4k) & 15)) in the cycle
// of plain changes that starts from the identity: the smallest member sweeps fastest, across and
// back, over the arrangement of the larger ones, which runs through its own cycle the same way.
std::uint64_t PlainChangesRank(std::uint64_t packed, std::size_t s) {
    std::array<std::size_t, MaxPoints> position{};
    for (std::size_t k = 0; k < s; ++k)
        position[(packed >> (4 * k)) & 15u] = k;
    std::uint64_t rank = 0;
    for (std::size_t m = s - 1; m-- > 0;) {
        std::uint64_t before = 0; // larger members ahead of m
        for (std::size_t v = m + 1; v < s; ++v)
            before += position[v] < position[m] ? 1u : 0u;
        const std::uint64_t width = s - m;
        rank = rank * width + ((rank & 1u) == 0 ? before : width - 1 - before);
    }
    return rank;
}

// Class `c`'s arrangements that fit, from position k on, into collected_[c]; false when Stop was
// pressed or more than CollectLimit fit (then `overflow`).
bool AutomorphismSearch::Collect(std::size_t c, std::size_t k, PointSet taken, std::uint64_t packed,
                                 bool& overflow) {
    const std::vector<int>& members = classes_[c];
    if (k == members.size()) {
        auto& into = collected_[c];
        if (into.size() == CollectLimit) {
            overflow = true;
            return false;
        }
        into.emplace_back(PlainChangesRank(packed, members.size()), packed);
        return true;
    }
    const int point = members[k];
    for (std::size_t v = 0; v < members.size(); ++v) {
        if (Contains(taken, static_cast<int>(v))) continue;
        if (++collectWork_ == CollectWorkPerPoll) {
            collectWork_ = 0;
            if (control_.Poll()) return false;
        }
        if (!Fits(point, members[v])) continue;
        Place(point, members[v]);
        const bool go = Collect(c, k + 1, static_cast<PointSet>(taken | PointBit(static_cast<int>(v))),
                                packed | (std::uint64_t{v} << (4 * k)), overflow);
        Unplace(point);
        if (!go) return false;
    }
    return true;
}

bool AutomorphismSearch::PlainChanges(std::size_t c, std::uint64_t base) {
    const std::vector<int>& members = classes_[c];
    // Nothing to prune: step through the cycle rather than collect and sort all of it.
    if (IsFree(c)) return StepPlainChanges(c, base);
    auto& list = collected_[c];
    list.clear();
    bool overflow = false;
    if (!Collect(c, 0, 0, 0, overflow)) return overflow && StepPlainChanges(c, base);
    std::sort(list.begin(), list.end());
    for (const auto& [rank, packed] : list) {
        const std::uint64_t place = base + rank * stride_[c];
        if (Reach(place)) return false;
        for (std::size_t k = 0; k < members.size(); ++k)
            Place(members[k], members[(packed >> (4 * k)) & 15u]);
        const bool go = Descend(c + 1, place);
        for (std::size_t k = members.size(); k-- > 0;)
            Unplace(members[k]);
        if (!go) return false;
    }
    return true;
}

// A class with very many arrangements that fit: through its whole cycle of plain changes.
bool AutomorphismSearch::StepPlainChanges(std::size_t c, std::uint64_t base) {
    const std::vector<int>& members = classes_[c];
    Level level = MakeLevel(members);
    std::uint64_t place = base;
    do {
        if (Reach(place)) return false;
        std::size_t placedHere = 0;
        while (placedHere < members.size()) {
            const int point = members[placedHere];
            const int target = members[static_cast<std::size_t>(level.arrangement[placedHere + 1] - 1)];
            if (!Fits(point, target)) break;
            Place(point, target);
            ++placedHere;
        }
        const bool go = placedHere < members.size() || Descend(c + 1, place);
        while (placedHere > 0)
            Unplace(members[--placedHere]);
        if (!go) return false;
        AdvancePlainChanges(level);
        place += stride_[c];
    } while (!level.IsIdentity());
    return true;
}

} // namespace

AutomorphismsResult SearchAutomorphisms(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                                        const AutomorphismVisitor& onFind) {
    AutomorphismSearch search(net, order, control, onFind);
    const bool complete = search.Run();
    return {search.Count(), complete};
}

} // namespace plax
