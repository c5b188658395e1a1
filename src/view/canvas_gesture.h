#pragma once

#include "model/net_types.h"

#include <utility>
#include <vector>

namespace plax {

// What the mouse is doing on the canvas between a press and its release. One value, so no two
// drags can be half-started at once.
// MarkEdge is check mode's click on an edge's anchor: the press marks the edge, the release ends it
// without touching the selection.
enum class GestureKind { None, RubberBand, LabelDrag, PointDrag, GroupDrag, MarkEdge };

// The gesture of a document's canvas and the data each kind needs (the band's corners, the held
// point, the group's offsets). The drawing learns of a drag from the canvas, not from the net.
class CanvasGesture {
public:
    // One entry of a group drag: a selected point and its offset from the grabbed point.
    struct GroupEntry {
        int point = 0;
        int dx = 0;
        int dy = 0;
    };
    using EdgePairs = std::vector<std::pair<int, int>>;
    // A corner of the rubber band, in canvas pixels.
    struct Corner {
        int x = 0;
        int y = 0;
    };

    GestureKind Kind() const { return kind_; }
    bool Is(GestureKind kind) const { return kind_ == kind; }
    // The point whose label is dragged, or the point a point or group drag holds; 0 otherwise.
    int Point() const { return point_; }
    const std::vector<GroupEntry>& Group() const { return group_; }
    const EdgePairs& GroupEdges() const { return edges_; }
    // Where the band was started and where the mouse has taken its other corner.
    Corner BandFixed() const { return fixed_; }
    Corner BandMoving() const { return moving_; }

    void StartBand(int x, int y) {
        Start(GestureKind::RubberBand, 0);
        fixed_ = moving_ = {x, y};
    }
    void MoveBand(int x, int y) { moving_ = {x, y}; }
    // Clearing the selection takes the band's corners with it, not the gesture.
    void ForgetBandCorners() { fixed_ = moving_ = {}; }
    void StartLabelDrag(int point) { Start(GestureKind::LabelDrag, point); }
    void StartMarkEdge() { Start(GestureKind::MarkEdge, 0); }
    void StartPointDrag(int point) { Start(GestureKind::PointDrag, point); }
    void StartGroupDrag(int point, std::vector<GroupEntry> group, EdgePairs edges) {
        Start(GestureKind::GroupDrag, point);
        group_ = std::move(group);
        edges_ = std::move(edges);
    }
    void End() { Start(GestureKind::None, 0); }

    // The net's drag flags as the gesture has them.
private:
    void Start(GestureKind kind, int point) {
        kind_ = kind;
        point_ = point;
        group_.clear();
        edges_.clear();
        fixed_ = moving_ = {};
    }

    GestureKind kind_ = GestureKind::None;
    int point_ = 0;
    std::vector<GroupEntry> group_;
    EdgePairs edges_;
    Corner fixed_;
    Corner moving_;
};

} // namespace plax
