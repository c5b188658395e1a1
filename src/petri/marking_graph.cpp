#include "marking_graph.h"

#include "firing_rules.h"
#include "invariants.h"
#include "packed_store.h"
#include "petri_net.h"

#include "algorithms/long_run.h"

#include <algorithm>
#include <bit>
#include <new>
#include <numeric>

namespace plax {

namespace {

// Markings whose firings are tried between two polls of Stop.
constexpr int PollEvery = 256;

using Marking = std::vector<std::uint16_t>;

// The most tokens each place can hold: the ceiling, or less where a place invariant y bounds it
// by y.M0 / y(p). The ceiling only ever holds a token back, so y.M never grows past y.M0.
std::vector<std::uint32_t> PlaceBounds(const NetWorkType& net, const std::vector<std::uint16_t>& initial) {
    std::vector<std::uint32_t> bounds(initial.size(), TokenCeiling);
    const InvariantsResult invariants = ComputeInvariants(net);
    for (const auto& y : invariants.placeInvariants.vectors) {
        std::uint64_t constant = 0;
        for (std::size_t k = 0; k < y.size(); ++k)
            constant += static_cast<std::uint64_t>(y[k]) * initial[k];
        for (std::size_t k = 0; k < y.size(); ++k)
            if (y[k] > 0)
                bounds[k] = static_cast<std::uint32_t>(
                    std::min<std::uint64_t>(bounds[k], constant / static_cast<std::uint64_t>(y[k])));
    }
    return bounds;
}

// Where a transition takes and gives tokens for good: inputs that are no outputs, outputs that
// are no inputs; a place that is both keeps its count but must hold a token.
struct NetEffect {
    std::vector<std::uint8_t> takes;
    std::vector<std::uint8_t> gives;
    std::vector<std::uint8_t> keeps;
};

NetEffect EffectOf(const TransitionRule& rule) {
    NetEffect e;
    const auto has = [](const std::vector<std::uint8_t>& v, std::uint8_t p) {
        return std::find(v.begin(), v.end(), p) != v.end();
    };
    for (std::uint8_t p : rule.inputs)
        (has(rule.outputs, p) ? e.keeps : e.takes).push_back(p);
    for (std::uint8_t p : rule.outputs)
        if (!has(rule.inputs, p)) e.gives.push_back(p);
    return e;
}

// One count in a packed marking: its word and its bits there.
struct FieldAt {
    std::uint8_t word = 0;
    std::uint8_t shift = 0;
    std::uint8_t place = 0;
    std::uint64_t bits = 0; // the field's mask, shifted into place
};

// The markings found so far, packed in a table of W words a marking, and how they hang
// together: the marking and transition each was first reached by (so the path back is a
// shortest firing sequence) and, only when the state graph is asked for, the arcs of every
// marking whose firings were tried, arcs[firstArc[i]] .. arcs[firstArc[i + 1]].
//
// Whether the initial marking is reached again from every marking is mostly settled on the way:
// a marking with a successor that reaches it reaches it too, and so do its parents back to one
// known to. When that leaves a marking unsettled, a pass that fires backwards from the initial
// marking decides.
template <std::size_t W> class Exploration {
public:
    using Table = PackedStore<W>;
    using Key = typename Table::Key;

    Exploration(Rules rules, ReachabilityResult start, PackedLayout layout, std::uint64_t maxMarkings,
                RunControl& control, ReachabilityGraph* out)
        : rules_(std::move(rules)), store_(std::move(layout), out != nullptr),
          maxMarkings_(std::max<std::uint64_t>(1, maxMarkings)), control_(control),
          fired_(rules_.transitions.size(), false), out_(out), result_(std::move(start)) {
        PackMoves();
    }

    ReachabilityResult Run();

private:
    // A transition on packed markings. Fields never straddle words and a firing keeps every
    // count within its width, so taking and giving are plain word sums.
    struct PackedMove {
        std::size_t rule = 0;
        int point = 0;
        std::vector<FieldAt> inputs;  // must hold a token to fire
        std::vector<FieldAt> gives;   // may grow
        std::vector<FieldAt> ceiling; // among the gives, those that can be at the ceiling
        std::vector<Key> ceilingUnit; // one token on each of those
        std::vector<FieldAt> takes;   // lose a token for good
        std::vector<FieldAt> holds;   // gives and keeps: hold a token after firing
        Key taken{};
        Key given{};
        NetEffect effect;
    };
    static bool Holds(const Key& key, const FieldAt& f) { return (key[f.word] & f.bits) != 0; }
    static std::uint64_t Count(const Key& key, const FieldAt& f) { return (key[f.word] & f.bits) >> f.shift; }
    static Key Plus(Key a, const Key& b) {
        for (std::size_t w = 0; w < W; ++w)
            a[w] += b[w];
        return a;
    }
    static Key Minus(Key a, const Key& b) {
        for (std::size_t w = 0; w < W; ++w)
            a[w] -= b[w];
        return a;
    }
    FieldAt Field(std::uint8_t p) const {
        const PackedLayout& l = store_.Layout();
        return {l.word[p], l.shift[p], p, l.Mask(p) << l.shift[p]};
    }
    Key Unit(std::uint8_t p) const {
        Key key{};
        key[store_.Layout().word[p]] = std::uint64_t{1} << store_.Layout().shift[p];
        return key;
    }
    void PackMoves() {
        for (std::size_t k = 0; k < rules_.transitions.size(); ++k) {
            const TransitionRule& rule = rules_.transitions[k];
            if (rule.blocked) continue;
            PackedMove move;
            move.rule = k;
            move.point = rule.point;
            move.effect = EffectOf(rule);
            for (std::uint8_t p : rule.inputs)
                move.inputs.push_back(Field(p));
            for (std::uint8_t p : move.effect.takes) {
                move.takes.push_back(Field(p));
                move.taken = Plus(move.taken, Unit(p));
            }
            for (std::uint8_t p : move.effect.gives) {
                move.gives.push_back(Field(p));
                move.holds.push_back(Field(p));
                move.given = Plus(move.given, Unit(p));
                // Only a place whose bound is the ceiling itself can reach it.
                if (store_.Layout().Mask(p) >= TokenCeiling) {
                    move.ceiling.push_back(Field(p));
                    move.ceilingUnit.push_back(Unit(p));
                }
            }
            for (std::uint8_t p : move.effect.keeps)
                move.holds.push_back(Field(p));
            moves_.push_back(std::move(move));
        }
    }

    struct Successor {
        Key key;
        std::uint64_t hash;
        const PackedMove* move;
        bool held;
    };

    // Tries every firing of marking i; false when the bound on stored markings cut it short.
    bool Expand(std::uint32_t i);
    void Successors(std::uint32_t i, std::vector<Successor>& out);
    void Keep(std::uint32_t from, const Successor& s);
    // Marking i reaches the initial marking, and so do its parents.
    void Returns(std::uint32_t i);
    void Summarise();
    std::vector<int> FiringsTo(std::uint32_t i) const;
    std::uint64_t NotReturningOverArcs() const;
    // The markings that reach the initial one, found from it by firing backwards.
    std::uint64_t NotReturningBackwards();
    // The stored markings `m` is fired into by `move`, into `candidates_`.
    void Predecessors(const Key& m, const PackedMove& move);
    void PredecessorsAtCeiling(const Key& m, const PackedMove& move);

    Rules rules_;
    Table store_;
    BlockArray<std::uint32_t> parent_;
    BlockArray<std::uint8_t> via_;
    std::vector<std::uint32_t> firstArc_;
    BlockArray<std::uint32_t> arcs_;
    std::vector<std::uint32_t> firstDead_;
    std::uint64_t maxMarkings_;
    RunControl& control_;
    std::vector<bool> fired_;
    ReachabilityGraph* out_;
    std::vector<Successor> successors_;       // of the marking being expanded
    std::vector<Successor> ahead_successors_; // of the next one
    std::uint32_t ahead_ = UINT32_MAX;        // whose successors ahead_successors_ holds
    std::vector<PackedMove> moves_;
    std::uint64_t returning_ = 0; // markings known to reach the initial one
    std::vector<std::pair<Key, std::uint64_t>> candidates_;
    Marking before_;                   // the backward pass's candidate at the ceiling
    std::vector<std::uint8_t> either_; // its outputs at the ceiling
    ReachabilityResult result_;
};

template <std::size_t W> ReachabilityResult Exploration<W>::Run() {
    result_.largest = result_.initial;
    StepPoller poller(control_, PollEvery);
    try {
        const Key first = store_.Pack(result_.initial);
        store_.Insert(first, store_.Hash(first));
        store_.Flag(static_cast<std::size_t>(store_.Find(first, store_.Hash(first))));
        returning_ = 1;
        parent_.PushBack(0);
        via_.PushBack(0);
        for (std::uint32_t i = 0; i < store_.Size(); ++i) {
            if (poller.Step()) {
                result_.end = ExplorationEnd::Stopped;
                break;
            }
            if (i % (PollEvery * 16) == 0)
                control_.Progress(static_cast<int>(std::uint64_t{store_.Size()} * 100 / maxMarkings_));
            if (!Expand(i)) {
                result_.end = ExplorationEnd::MarkingBound;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        // The markings found so far are kept for the account; the arcs only serve a complete one.
        result_.end = ExplorationEnd::OutOfMemory;
        out_ = nullptr;
    }
    Summarise();
    return std::move(result_);
}

// The successors are computed on the packed words a marking ahead, so that their slots, and the
// slot of the next marking itself, are on their way into the cache while this marking's are
// stored, in the order of the transitions.
template <std::size_t W> void Exploration<W>::Successors(std::uint32_t i, std::vector<Successor>& out) {
    const Key from = store_.At(i);
    store_.Prefetch(Table::Hash(from));
    out.clear();
    for (const PackedMove& move : moves_) {
        bool enabled = true;
        for (const FieldAt& f : move.inputs)
            enabled = enabled && Holds(from, f);
        if (!enabled) continue;
        Key key = Plus(Minus(from, move.taken), move.given);
        bool held = false;
        for (std::size_t c = 0; c < move.ceiling.size(); ++c) {
            if (Count(from, move.ceiling[c]) >= TokenCeiling) {
                key = Minus(key, move.ceilingUnit[c]);
                held = true;
            }
        }
        out.push_back({key, Table::Hash(key), &move, held});
        store_.Prefetch(out.back().hash);
    }
}

template <std::size_t W> bool Exploration<W>::Expand(std::uint32_t i) {
    if (out_) firstArc_.push_back(static_cast<std::uint32_t>(arcs_.Size()));
    if (ahead_ != i) Successors(i, successors_);
    if (i + 1 < store_.Size()) {
        Successors(i + 1, ahead_successors_);
        ahead_ = i + 1;
    }
    bool returns = false;
    for (const Successor& s : successors_) {
        fired_[s.move->rule] = true;
        if (s.held) result_.ceilingMet = true;
        if (store_.Size() >= maxMarkings_ && store_.Find(s.key, s.hash) < 0) return false;
        const auto [index, added, flagged] = store_.Insert(s.key, s.hash);
        returns = returns || flagged;
        if (out_) arcs_.PushBack(index);
        if (added) Keep(i, s);
    }
    if (returns) Returns(i);
    if (successors_.empty()) {
        ++result_.deadMarkings;
        if (firstDead_.size() < ListedDeadMarkings) firstDead_.push_back(i);
    }
    if (ahead_ == i + 1) successors_.swap(ahead_successors_);
    return true;
}

template <std::size_t W> void Exploration<W>::Keep(std::uint32_t from, const Successor& s) {
    parent_.PushBack(from);
    via_.PushBack(static_cast<std::uint8_t>(s.move->point));
    // Only the places given to can have grown.
    for (const FieldAt& f : s.move->gives) {
        const auto count = static_cast<std::uint16_t>(Count(s.key, f));
        if (count > result_.largest[f.place]) result_.largest[f.place] = count;
    }
}

template <std::size_t W> void Exploration<W>::Returns(std::uint32_t i) {
    for (;;) {
        const Key& key = store_.At(i);
        if (!store_.Flag(static_cast<std::size_t>(store_.Find(key, Table::Hash(key))))) return;
        ++returning_;
        if (i == 0) return;
        i = parent_[i];
    }
}

template <std::size_t W> void Exploration<W>::Summarise() {
    result_.markings = store_.Size();
    Marking tokens(store_.Places());
    for (std::uint32_t dead : firstDead_) {
        store_.Unpack(store_.At(dead), tokens);
        result_.firstDead.push_back({tokens, FiringsTo(dead)});
    }
    for (std::size_t k = 0; k < rules_.transitions.size(); ++k) {
        if (!fired_[k]) result_.neverFired.push_back(rules_.transitions[k].point);
    }
    if (result_.end != ExplorationEnd::Complete) return;
    // The firing sequences are written; their memory serves the pass for reversibility.
    parent_ = {};
    via_ = {};
    try {
        if (out_) firstArc_.push_back(static_cast<std::uint32_t>(arcs_.Size()));
        if (returning_ == store_.Size()) {
            result_.notReturning = 0;
        } else {
            result_.notReturning = out_ ? NotReturningOverArcs() : NotReturningBackwards();
        }
    } catch (const std::bad_alloc&) {
        result_.end = ExplorationEnd::OutOfMemory;
        return;
    }
    if (result_.end != ExplorationEnd::Complete) return;
    result_.reversibility =
        result_.notReturning == 0 ? Reversibility::Reversible : Reversibility::NotReversible;
    if (!out_) return;
    out_->size = static_cast<std::uint32_t>(store_.Size());
    out_->width = store_.Places();
    out_->tokens.resize(std::size_t{out_->size} * out_->width);
    for (std::uint32_t v = 0; v < out_->size; ++v)
        store_.Unpack(store_.At(v),
                      std::span(out_->tokens).subspan(std::size_t{v} * out_->width, out_->width));
    out_->firstArc = std::move(firstArc_);
    out_->arcs.resize(arcs_.Size());
    for (std::size_t a = 0; a < arcs_.Size(); ++a)
        out_->arcs[a] = arcs_[a];
}

template <std::size_t W> std::vector<int> Exploration<W>::FiringsTo(std::uint32_t i) const {
    std::vector<int> firings;
    for (; i != 0; i = parent_[i])
        firings.push_back(via_[i]);
    std::reverse(firings.begin(), firings.end());
    return firings;
}

// The markings that reach the initial one are those the initial one reaches on the arcs turned
// round: one breadth-first pass over the reversed graph.
template <std::size_t W> std::uint64_t Exploration<W>::NotReturningOverArcs() const {
    const std::size_t n = store_.Size();
    std::vector<std::uint32_t> firstIn(n + 1, 0);
    for (std::size_t a = 0; a < arcs_.Size(); ++a)
        ++firstIn[arcs_[a] + 1];
    std::partial_sum(firstIn.begin(), firstIn.end(), firstIn.begin());
    std::vector<std::uint32_t> sources(arcs_.Size());
    std::vector<std::uint32_t> cursor(firstIn.begin(), firstIn.end() - 1);
    for (std::uint32_t from = 0; from < n; ++from) {
        for (std::uint32_t a = firstArc_[from]; a < firstArc_[from + 1]; ++a)
            sources[cursor[arcs_[a]]++] = from;
    }
    std::vector<bool> reaches(n, false);
    std::vector<std::uint32_t> queue{0};
    reaches[0] = true;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::uint32_t m = queue[head];
        for (std::uint32_t a = firstIn[m]; a < firstIn[m + 1]; ++a) {
            if (reaches[sources[a]]) continue;
            reaches[sources[a]] = true;
            queue.push_back(sources[a]);
        }
    }
    return n - queue.size();
}

// Breadth-first from the initial marking over the firings turned round; the table no longer
// grows, so its slots stand for the markings. Each marking's candidates are fetched into the
// cache before they are looked up.
template <std::size_t W> std::uint64_t Exploration<W>::NotReturningBackwards() {
    std::vector<bool> reaches(store_.Slots(), false);
    const std::int64_t first = store_.Find(store_.At(0), Table::Hash(store_.At(0)));
    std::vector<std::uint32_t> queue;
    queue.reserve(store_.Size());
    queue.push_back(static_cast<std::uint32_t>(first));
    reaches[static_cast<std::size_t>(first)] = true;
    StepPoller poller(control_, PollEvery);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        if (poller.Step()) {
            result_.end = ExplorationEnd::Stopped;
            return 0;
        }
        const Key m = store_.InSlot(queue[head]);
        candidates_.clear();
        for (const PackedMove& move : moves_)
            Predecessors(m, move);
        for (const auto& [key, hash] : candidates_) {
            const std::int64_t s = store_.Find(key, hash);
            if (s < 0 || reaches[static_cast<std::size_t>(s)]) continue;
            reaches[static_cast<std::size_t>(s)] = true;
            queue.push_back(static_cast<std::uint32_t>(s));
        }
    }
    return store_.Size() - queue.size();
}

// The marking `move` fires into `m` from holds a token less on each place it gives to and one
// more on each it takes from; none is stored when a place given to is empty in `m` or one taken
// from is full to its width.
template <std::size_t W> void Exploration<W>::Predecessors(const Key& m, const PackedMove& move) {
    for (const FieldAt& f : move.holds)
        if (!Holds(m, f)) return;
    for (const FieldAt& f : move.takes)
        if ((m[f.word] & f.bits) == f.bits) return;
    for (const FieldAt& f : move.ceiling)
        if (Count(m, f) >= TokenCeiling) return PredecessorsAtCeiling(m, move);
    const Key before = Plus(Minus(m, move.given), move.taken);
    candidates_.push_back({before, Table::Hash(before)});
    store_.Prefetch(candidates_.back().second);
}

// An output at the ceiling may have held its token back or gained it: each such output gives
// two candidates.
template <std::size_t W> void Exploration<W>::PredecessorsAtCeiling(const Key& key, const PackedMove& move) {
    Marking m(store_.Places());
    store_.Unpack(key, m);
    Marking& before = before_;
    std::vector<std::uint8_t>& either = either_;
    before = m;
    either.clear();
    for (std::uint8_t p : move.effect.gives) {
        if (m[p] == TokenCeiling) {
            either.push_back(p);
        } else {
            --before[p];
        }
    }
    for (std::uint8_t p : move.effect.takes)
        ++before[p];
    for (std::uint32_t choice = 0; choice < (1u << either.size()); ++choice) {
        for (std::size_t b = 0; b < either.size(); ++b)
            before[either[b]] = static_cast<std::uint16_t>(TokenCeiling - ((choice >> b) & 1u));
        if (!store_.Fits(before)) return;
        const Key candidate = store_.Pack(before);
        candidates_.push_back({candidate, Table::Hash(candidate)});
    }
}

// Each place as wide as its bound needs, the words a marking takes chosen by the sum.
template <std::size_t W>
ReachabilityResult Explore(Rules rules, ReachabilityResult start, PackedLayout layout,
                           std::uint64_t maxMarkings, RunControl& control, ReachabilityGraph* graph) {
    return Exploration<W>(std::move(rules), std::move(start), std::move(layout), maxMarkings, control, graph)
        .Run();
}

} // namespace

ReachabilityResult ExploreMarkings(const NetWorkType& net, std::uint64_t maxMarkings, RunControl& control,
                                   ReachabilityGraph* graph) {
    Rules rules = RulesOf(net);
    ReachabilityResult start;
    start.places = rules.places;
    start.initial = MarkingOf(net, rules);
    PackedLayout layout = PackedLayout::For(PlaceBounds(net, start.initial));
    switch (layout.Words()) {
    case 1:
        return Explore<1>(std::move(rules), std::move(start), std::move(layout), maxMarkings, control, graph);
    case 2:
        return Explore<2>(std::move(rules), std::move(start), std::move(layout), maxMarkings, control, graph);
    default:
        return Explore<4>(std::move(rules), std::move(start), std::move(layout), maxMarkings, control, graph);
    }
}

PackedLayout PackedLayout::For(const std::vector<std::uint32_t>& bounds) {
    PackedLayout layout;
    std::size_t at = 0;
    for (std::uint32_t bound : bounds) {
        const auto width = static_cast<std::uint8_t>(std::bit_width(bound));
        if (at % 64 + width > 64) at += 64 - at % 64;
        layout.word.push_back(static_cast<std::uint8_t>(at / 64));
        layout.shift.push_back(static_cast<std::uint8_t>(at % 64));
        layout.width.push_back(width);
        at += width;
    }
    layout.words = std::max<std::size_t>(1, (at + 63) / 64);
    // The table's two bits at the top of the last word.
    if (at > 64 * layout.words - 2) ++layout.words;
    return layout;
}

} // namespace plax
