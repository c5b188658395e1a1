#pragma once

#include "model/net_types.h"

#include <QString>
#include <QUndoCommand>

#include <utility>
#include <vector>

namespace plax {

// The names of the steps, as the Edit menu shows them after "Undo " and "Redo ".
inline constexpr const char* AddPointStep = "Add Point";
inline constexpr const char* AddEdgeStep = "Add Edge";
inline constexpr const char* DeletePointStep = "Delete Point";
inline constexpr const char* DeleteEdgeStep = "Delete Edge";
inline constexpr const char* DeleteComponentStep = "Delete Component";
inline constexpr const char* DeleteAllStep = "Delete All";
inline constexpr const char* MovePointStep = "Move Point";
inline constexpr const char* MovePointsStep = "Move Points";
inline constexpr const char* MoveLabelStep = "Move Label";
inline constexpr const char* MoveComponentStep = "Move Component";
inline constexpr const char* RetypeStep = "Retype";
inline constexpr const char* MoveGraphStep = "Move Graph";
inline constexpr const char* FitNetStep = "Fit Net to Window";
inline constexpr const char* PasteStep = "Paste";
inline constexpr const char* ClearCustomOptionsStep = "Clear custom Point options";
inline constexpr const char* LayoutStep = "Layout";
inline constexpr const char* NewFromTemplateStep = "New from Template";
inline constexpr const char* PointDialogStep = "Point Attributes";
inline constexpr const char* EdgeDialogStep = "Edge Attributes";
inline constexpr const char* DecomposeEdgeStep = "Decompose Edge";
inline constexpr const char* FireTransitionStep = "Fire Transition";
inline constexpr const char* OptionsStep = "Options";
// Each Change Size command merges with itself from here on, by its code, and so does each
// direction of Move Graph.
inline constexpr int ChangeSizeMerge = 100;
inline constexpr int MoveGraphMerge = 200;

// A level of a document: the decomposed edges (from, to) that lead to it from the top.
using LevelPath = std::vector<std::pair<int, int>>;

// Whether two records of one level hold the same net: the points (their selection aside), the
// edges with everything they hold, sub-nets included, the kind and the default point options.
// Names, view flags and the interaction state are the window's, not the net's.
bool SameLevelContent(const NetWorkType& a, const NetWorkType& b);

// What a step needs of the document it belongs to.
class StepTarget {
public:
    virtual ~StepTarget() = default;
    // Shows the level (leaving and entering sub-nets); false when the level is not there.
    virtual bool GoToLevel(const LevelPath& level) = 0;
    // The record of the level shown.
    virtual NetWorkType& LevelNet() = 0;
    // A step was undone or redone on the level shown.
    virtual void StepApplied() = 0;
};

// One step of a document's history: what its level held before and after the change. A change
// of the points alone keeps only the points; any other keeps the whole net of the level.
class NetEditStep : public QUndoCommand {
public:
    NetEditStep(StepTarget& target, const QString& text, LevelPath level, const NetWorkType& before,
                const NetWorkType& after, int mergeId);

    void undo() override;
    void redo() override;
    int id() const override { return mergeId_; }
    // Repeated presses of a command that merges (Change Size, Move Graph) make one step.
    bool mergeWith(const QUndoCommand* other) override;

    SnapshotKind Kind() const { return kind_; }
    const LevelPath& Level() const { return level_; }

private:
    void Restore(const NetWorkType& snapshot);

    StepTarget& target_;
    LevelPath level_;
    SnapshotKind kind_;
    NetWorkType before_;
    NetWorkType after_;
    int mergeId_;
    // The change is already in the net when the step is pushed.
    bool pushed_ = false;
};

} // namespace plax
