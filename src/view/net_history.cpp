#include "net_history.h"

#include "edit_commands.h"

#include <algorithm>

namespace plax {

namespace {

bool SamePoint(PointType a, PointType b) {
    a.selected = b.selected = 0;
    return a == b;
}

bool SameEdge(const EdgeType& a, const EdgeType& b) {
    if (a.target != b.target || a.weight != b.weight || a.color != b.color || a.reserved != b.reserved ||
        a.name != b.name || a.shape != b.shape || a.lineStyle != b.lineStyle || a.lineWidth != b.lineWidth ||
        a.aux != b.aux || a.decomposedLength != b.decomposedLength || a.flow != b.flow ||
        a.traversed != b.traversed)
        return false;
    if (!a.subNet || !b.subNet) return !a.subNet && !b.subNet;
    return a.subNet == b.subNet || SameLevelContent(*a.subNet, *b.subNet);
}

bool SameLists(const NetWorkType& a, const NetWorkType& b) {
    for (std::size_t i = 1; i <= MaxPoints; ++i) {
        const EdgeList& x = a.lists[i];
        const EdgeList& y = b.lists[i];
        if (!std::equal(x.begin(), x.end(), y.begin(), y.end(), SameEdge)) return false;
    }
    return true;
}

bool SameShape(const NetWorkType& a, const NetWorkType& b) {
    return a.n == b.n && a.kindName == b.kindName && a.kindCode == b.kindCode &&
           a.defaultOptions == b.defaultOptions && SameLists(a, b);
}

bool SamePoints(const NetWorkType& a, const NetWorkType& b) {
    return std::equal(a.points.begin(), a.points.end(), b.points.begin(), SamePoint);
}

// A points-only snapshot owns no edges.
NetWorkType Snapshot(const NetWorkType& net, SnapshotKind kind) {
    if (kind == SnapshotKind::Full) return net;
    NetWorkType points;
    points.points = net.points;
    return points;
}

} // namespace

bool SameLevelContent(const NetWorkType& a, const NetWorkType& b) {
    return SameShape(a, b) && SamePoints(a, b);
}

NetEditStep::NetEditStep(StepTarget& target, const QString& text, LevelPath level, const NetWorkType& before,
                         const NetWorkType& after, int mergeId)
    : QUndoCommand(text), target_(target), level_(std::move(level)),
      kind_(SameShape(before, after) ? SnapshotKind::PointsOnly : SnapshotKind::Full),
      before_(Snapshot(before, kind_)), after_(Snapshot(after, kind_)), mergeId_(mergeId) {}

void NetEditStep::undo() { Restore(before_); }

void NetEditStep::redo() {
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    Restore(after_);
}

void NetEditStep::Restore(const NetWorkType& snapshot) {
    if (!target_.GoToLevel(level_)) return;
    NetWorkType& net = target_.LevelNet();
    if (kind_ == SnapshotKind::Full) {
        net.n = snapshot.n;
        net.kindName = snapshot.kindName;
        net.kindCode = snapshot.kindCode;
        net.defaultOptions = snapshot.defaultOptions;
        net.lists = snapshot.lists;
    }
    net.points = snapshot.points;
    // The selection belongs to the moment it was made, not to the step.
    ClearNetSelection(net);
    target_.StepApplied();
}

bool NetEditStep::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const NetEditStep*>(other);
    if (next == nullptr || next->id() != id() || next->level_ != level_ || next->kind_ != kind_) return false;
    after_ = next->after_;
    // Presses that cancel out leave no step.
    if (kind_ == SnapshotKind::PointsOnly ? SamePoints(before_, after_) : SameLevelContent(before_, after_))
        setObsolete(true);
    return true;
}

} // namespace plax
