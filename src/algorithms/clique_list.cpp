#include "clique_list.h"

namespace plax {

namespace {

class CliqueList {
public:
    CliqueList(const NeighbourSets& nbr, const std::vector<int>& block, bool offerEvery, StepPoller& poller);
    PointSet Run(const std::function<void(int)>& afterPoint);

private:
    PointSet Neighbours(int p) const { return nbr_[static_cast<std::size_t>(p)]; }
    int BlockDegree(int p) const { return SetSize(static_cast<PointSet>(Neighbours(p) & block_)); }
    int DegreeBound() const;
    void Offer(int p);
    std::size_t OfferSet(std::size_t at, PointSet set);
    int BestSize() const { return SetSize(best_); }

    const NeighbourSets& nbr_;
    const std::vector<int>& points_;
    const PointSet block_;
    const bool offerEvery_;
    StepPoller& poller_;
    std::vector<PointSet> list_;
    PointSet best_ = 0;
    PointSet taken_ = 0;
    int remaining_ = 0;
    int q_ = 0;
};

PointSet SetOf(const std::vector<int>& points) {
    PointSet s = 0;
    for (int p : points)
        s |= PointBit(p);
    return s;
}

CliqueList::CliqueList(const NeighbourSets& nbr, const std::vector<int>& block, bool offerEvery,
                       StepPoller& poller)
    : nbr_(nbr), points_(block), block_(SetOf(block)), offerEvery_(offerEvery), poller_(poller) {}

// No clique is larger than the largest k with k points of block degree k - 1 or more.
int CliqueList::DegreeBound() const {
    for (int k = static_cast<int>(points_.size()); k > 1; --k) {
        int enough = 0;
        for (int p : points_) {
            if (BlockDegree(p) >= k - 1) ++enough;
        }
        if (enough >= k) return k;
    }
    return 1;
}

PointSet CliqueList::Run(const std::function<void(int)>& afterPoint) {
    const int first = points_.front();
    list_.assign(1, PointBit(first));
    best_ = taken_ = PointBit(first);
    PointSet reachable = Neighbours(first);
    remaining_ = static_cast<int>(points_.size()) - 1;
    q_ = DegreeBound();
    // A best clique of size q cannot be beaten, so the rest of the block is not searched.
    while (BestSize() < q_) {
        const auto open = static_cast<PointSet>(block_ & reachable & ~taken_);
        if (open == 0) break;
        const int p = LowestPoint(open);
        taken_ |= PointBit(p);
        reachable |= Neighbours(p);
        if (offerEvery_ || BlockDegree(p) >= BestSize() - 1) Offer(p);
        --remaining_;
        afterPoint(SetSize(taken_));
        if (poller_.Stopped()) break;
    }
    return best_;
}

void CliqueList::Offer(int p) {
    const PointSet s = Neighbours(p);
    for (std::size_t i = 0; i < list_.size(); ++i) {
        if (poller_.Step()) return;
        const PointSet c = list_[i];
        if (IsSubset(c, s)) {
            list_[i] = static_cast<PointSet>(c | PointBit(p));
            if (SetSize(list_[i]) > BestSize()) best_ = list_[i];
            if (SetSize(list_[i]) >= q_) return;
            continue;
        }
        const auto x = static_cast<PointSet>(c & s);
        if (x != 0 && SetSize(x) + 1 + remaining_ > BestSize() - 1)
            i = OfferSet(i, static_cast<PointSet>(x | PointBit(p)));
    }
}

// One scan from the head: the first entry that holds `set` makes it superfluous, the first that
// `set` holds is replaced by it; otherwise it goes in right after entry `at`, and the caller's scan
// resumes behind it. Answers where the caller's scan stands.
std::size_t CliqueList::OfferSet(std::size_t at, PointSet set) {
    for (PointSet& entry : list_) {
        if (IsSubset(set, entry)) return at;
        if (IsSubset(entry, set)) {
            entry = set;
            return at;
        }
    }
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(at + 1), set);
    return at + 1;
}

class ExactClique {
public:
    explicit ExactClique(const NeighbourSets& nbr) : nbr_(nbr) {}
    PointSet Run(PointSet among) {
        Extend(0, among);
        return best_;
    }

private:
    // Points are added in increasing order, so cliques are met in lexicographic order and only a
    // strictly larger one replaces the best.
    void Extend(PointSet current, PointSet candidates) {
        if (SetSize(current) > SetSize(best_)) best_ = current;
        while (candidates != 0 && SetSize(current) + SetSize(candidates) > SetSize(best_)) {
            const int v = LowestPoint(candidates);
            candidates = static_cast<PointSet>(candidates & ~PointBit(v));
            Extend(static_cast<PointSet>(current | PointBit(v)),
                   static_cast<PointSet>(candidates & nbr_[static_cast<std::size_t>(v)]));
        }
    }

    const NeighbourSets& nbr_;
    PointSet best_ = 0;
};

} // namespace

PointSet BlockClique(const NeighbourSets& nbr, const std::vector<int>& block, bool offerEvery,
                     StepPoller& poller, const std::function<void(int)>& afterPoint) {
    CliqueList list(nbr, block, offerEvery, poller);
    return list.Run(afterPoint);
}

PointSet GreatestClique(const NeighbourSets& nbr, PointSet among) { return ExactClique(nbr).Run(among); }

} // namespace plax
