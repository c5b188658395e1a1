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

// The markings found so far, packed in a table of W words a marking, and how they hang
// together: the marking and transition each was first reached by (so the path back is a
// shortest firing sequence) and, only when the state graph is asked for, the arcs of every
// marking whose firings were tried, arcs[firstArc[i]] .. arcs[firstArc[i + 1]].
template <std::size_t W> class Exploration {
public:
    using Key = typename PackedStore<W>::Key;

    Exploration(Rules rules, ReachabilityResult start, PackedLayout layout, std::uint64_t maxMarkings,
                RunControl& control, ReachabilityGraph* out)
        : rules_(std::move(rules)), store_(std::move(layout), out != nullptr),
          maxMarkings_(std::max<std::uint64_t>(1, maxMarkings)), control_(control),
          fired_(rules_.transitions.size(), false), out_(out), result_(std::move(start)) {
        PackMoves();
    }

    ReachabilityResult Run();

private:
    // A transition on packed markings: one token off each place it takes from, one onto each it
    // gives to (a place that is both keeps its count).
    struct PackedMove {
        Key takes{};
        std::vector<Key> gives;
        std::vector<std::uint8_t> givenPlaces;
    };
    // Word-wise with carry: a count may straddle two words, but never leaves its width.
    static Key Plus(Key a, const Key& b) {
        std::uint64_t carry = 0;
        for (std::size_t w = 0; w < W; ++w) {
            const std::uint64_t sum = a[w] + b[w];
            const std::uint64_t out = (sum < a[w] ? 1u : 0u);
            a[w] = sum + carry;
            carry = out | (a[w] < sum ? 1u : 0u);
        }
        return a;
    }
    static Key Minus(Key a, const Key& b) {
        std::uint64_t borrow = 0;
        for (std::size_t w = 0; w < W; ++w) {
            const std::uint64_t difference = a[w] - b[w];
            const std::uint64_t out = (a[w] < b[w] ? 1u : 0u);
            a[w] = difference - borrow;
            borrow = out | (difference < borrow ? 1u : 0u);
        }
        return a;
    }
    void PackMoves() {
        for (const TransitionRule& rule : rules_.transitions) {
            const NetEffect effect = EffectOf(rule);
            PackedMove move;
            Marking unit(store_.Places(), 0);
            for (std::uint8_t p : effect.takes)
                unit[p] = 1;
            move.takes = store_.Pack(unit);
            for (std::uint8_t p : effect.gives) {
                Marking one(store_.Places(), 0);
                one[p] = 1;
                move.gives.push_back(store_.Pack(one));
                move.givenPlaces.push_back(p);
            }
            moves_.push_back(std::move(move));
        }
    }

    struct Successor {
        Key key;
        std::uint64_t hash;
        std::size_t rule;
        bool held;
    };

    // Tries every firing of marking i; false when the bound on stored markings cut it short.
    bool Expand(std::uint32_t i);
    void Store(std::uint32_t from, const Successor& s);
    void Summarise();
    std::vector<int> FiringsTo(std::uint32_t i) const;
    std::uint64_t NotReturningOverArcs() const;
    // The markings that reach the initial one, found from it by firing backwards.
    std::uint64_t NotReturningBackwards();
    void Predecessors(const Marking& m, const NetEffect& effect, std::vector<bool>& reaches,
                      std::vector<std::uint32_t>& queue);

    Rules rules_;
    PackedStore<W> store_;
    BlockArray<std::uint32_t> parent_;
    BlockArray<std::uint8_t> via_;
    std::vector<std::uint32_t> firstArc_;
    BlockArray<std::uint32_t> arcs_;
    std::vector<std::uint32_t> firstDead_;
    std::uint64_t maxMarkings_;
    RunControl& control_;
    std::vector<bool> fired_;
    ReachabilityGraph* out_;
    Marking from_;
    Marking next_;
    std::vector<Successor> successors_;
    std::vector<PackedMove> moves_;
    Marking before_;                   // the backward pass's candidate
    std::vector<std::uint8_t> either_; // its outputs at the ceiling
    ReachabilityResult result_;
};

template <std::size_t W> ReachabilityResult Exploration<W>::Run() {
    result_.largest = result_.initial;
    StepPoller poller(control_, PollEvery);
    try {
        const Key first = store_.Pack(result_.initial);
        store_.Insert(first, store_.Hash(first));
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

// The successors are packed and their slots fetched into the cache first, then stored in the
// order of the transitions.
// The successors are computed on the packed words (the taken tokens subtracted, the given ones
// added), and their slots fetched into the cache first; then they are stored in the order of
// the transitions.
template <std::size_t W> bool Exploration<W>::Expand(std::uint32_t i) {
    const Key from = store_.At(i);
    from_.resize(store_.Places());
    store_.Unpack(from, from_);
    if (out_) firstArc_.push_back(static_cast<std::uint32_t>(arcs_.Size()));
    successors_.clear();
    for (std::size_t k = 0; k < rules_.transitions.size(); ++k) {
        if (!rules_.transitions[k].Enabled(from_)) continue;
        const PackedMove& move = moves_[k];
        Key key = Minus(from, move.takes);
        bool held = false;
        for (std::size_t g = 0; g < move.gives.size(); ++g) {
            if (from_[move.givenPlaces[g]] < TokenCeiling) {
                key = Plus(key, move.gives[g]);
            } else {
                held = true;
            }
        }
        successors_.push_back({key, store_.Hash(key), k, held});
        store_.Prefetch(successors_.back().hash);
    }
    for (const Successor& s : successors_) {
        fired_[s.rule] = true;
        if (s.held) result_.ceilingMet = true;
        if (store_.Size() >= maxMarkings_ && store_.Find(s.key, s.hash) < 0) return false;
        Store(i, s);
    }
    if (successors_.empty()) {
        ++result_.deadMarkings;
        if (firstDead_.size() < ListedDeadMarkings) firstDead_.push_back(i);
    }
    return true;
}

template <std::size_t W> void Exploration<W>::Store(std::uint32_t from, const Successor& s) {
    const auto [index, added] = store_.Insert(s.key, s.hash);
    if (out_) arcs_.PushBack(index);
    if (!added) return;
    parent_.PushBack(from);
    via_.PushBack(static_cast<std::uint8_t>(rules_.transitions[s.rule].point));
    next_.resize(store_.Places());
    store_.Unpack(s.key, next_);
    for (std::size_t k = 0; k < next_.size(); ++k)
        result_.largest[k] = std::max(result_.largest[k], next_[k]);
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
        result_.notReturning = out_ ? NotReturningOverArcs() : NotReturningBackwards();
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
// grows, so its slots stand for the markings.
template <std::size_t W> std::uint64_t Exploration<W>::NotReturningBackwards() {
    std::vector<NetEffect> effects;
    for (const TransitionRule& rule : rules_.transitions)
        effects.push_back(EffectOf(rule));
    std::vector<bool> reaches(store_.Slots(), false);
    const std::int64_t first = store_.Find(store_.At(0), store_.Hash(store_.At(0)));
    std::vector<std::uint32_t> queue;
    queue.reserve(store_.Size());
    queue.push_back(static_cast<std::uint32_t>(first));
    reaches[static_cast<std::size_t>(first)] = true;
    StepPoller poller(control_, PollEvery);
    Marking m(store_.Places());
    for (std::size_t head = 0; head < queue.size(); ++head) {
        if (poller.Step()) {
            result_.end = ExplorationEnd::Stopped;
            return 0;
        }
        store_.Unpack(store_.InSlot(queue[head]), m);
        for (std::size_t k = 0; k < rules_.transitions.size(); ++k)
            if (!rules_.transitions[k].blocked) Predecessors(m, effects[k], reaches, queue);
    }
    return store_.Size() - queue.size();
}

// Every stored marking that the transition of `effect` fires into `m`. An output at the ceiling
// may have held its token back or gained it: each such output gives two candidates.
template <std::size_t W>
void Exploration<W>::Predecessors(const Marking& m, const NetEffect& effect, std::vector<bool>& reaches,
                                  std::vector<std::uint32_t>& queue) {
    Marking& before = before_;
    std::vector<std::uint8_t>& either = either_;
    before = m;
    either.clear();
    for (std::uint8_t p : effect.keeps)
        if (m[p] == 0) return;
    for (std::uint8_t p : effect.gives) {
        if (m[p] == 0) return;
        if (m[p] == TokenCeiling) {
            either.push_back(p);
        } else {
            --before[p];
        }
    }
    for (std::uint8_t p : effect.takes)
        ++before[p];
    for (std::uint32_t choice = 0; choice < (1u << either.size()); ++choice) {
        for (std::size_t b = 0; b < either.size(); ++b)
            before[either[b]] = static_cast<std::uint16_t>(TokenCeiling - ((choice >> b) & 1u));
        if (!store_.Fits(before)) return;
        const Key key = store_.Pack(before);
        const std::int64_t s = store_.Find(key, store_.Hash(key));
        if (s < 0 || reaches[static_cast<std::size_t>(s)]) continue;
        reaches[static_cast<std::size_t>(s)] = true;
        queue.push_back(static_cast<std::uint32_t>(s));
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
    for (std::uint32_t bound : bounds) {
        const auto width = static_cast<std::uint8_t>(std::bit_width(bound));
        layout.offset.push_back(static_cast<std::uint8_t>(layout.bits));
        layout.width.push_back(width);
        layout.bits += width;
    }
    return layout;
}

} // namespace plax
