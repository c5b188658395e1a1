#include "undo.h"

#include "net_store.h"

#include <memory>
#include <utility>

namespace plax {

void SaveUndoPoints(NetWorkType& net) {
    auto snapshot = std::make_unique<NetWorkType>();
    NetInit(*snapshot);
    snapshot->points = net.points;
    snapshot->snapshotKind = SnapshotKind::PointsOnly;
    net.undo = ValuePtr<NetWorkType>(std::move(snapshot));
}

void SaveUndoFull(NetWorkType& net) {
    // The old snapshot goes first, so the copy does not carry a snapshot of its own.
    net.undo.reset();
    auto snapshot = std::make_unique<NetWorkType>(net);
    snapshot->snapshotKind = SnapshotKind::Full;
    net.undo = ValuePtr<NetWorkType>(std::move(snapshot));
}

bool Undo(NetWorkType& net) {
    if (!net.undo) return false;
    NetWorkType snapshot = std::move(*net.undo);
    net.undo.reset();
    if (snapshot.snapshotKind == SnapshotKind::Full) {
        // The whole record comes back, changed flag and view state as they were then.
        const SnapshotKind ownKind = net.snapshotKind;
        net = std::move(snapshot);
        net.snapshotKind = ownKind;
        net.undo.reset();
    } else {
        net.points = std::move(snapshot.points);
    }
    return true;
}

bool HasUndo(const NetWorkType& net) { return static_cast<bool>(net.undo); }

std::vector<int> ClearCustomPointOptions(NetWorkType& net) {
    SaveUndoPoints(net);
    std::vector<int> changed;
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = net.points[static_cast<std::size_t>(i)];
        if (p.customOptions == 0) continue;
        p.customOptions = 0;
        p.options = net.defaultOptions;
        changed.push_back(i);
    }
    return changed;
}

} // namespace plax
