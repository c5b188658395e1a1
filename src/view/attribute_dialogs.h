#pragma once

#include "model/net_store.h"
#include "model/net_types.h"
#include "model/user_messages.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace plax {

inline constexpr const char* PointDialogCaption = "Point Attributes";
inline constexpr const char* EdgeDialogCaption = "Edge Attributes";
inline constexpr const char* PointHelpTopic = "Ystanovutq_atrubytw";
inline constexpr const char* EdgeHelpTopic = "Ystanovutq_atrubytw_rebra";
inline constexpr const char* ReverseEdgeHint = "Select Reverse Arrow to Edit";
inline constexpr std::array<const char*, 8> PointShapeNames = {"Circle",       "Square ",      "Transition V",
                                                               "Transition H", "Diamond",      "Rnd. Square",
                                                               "Triangle Up",  "Triangle Down"};
inline constexpr std::array<const char*, 5> EdgeShapeNames = {"Line", "Ellipse 1", "Ellips 2", "Triangle 1",
                                                              "Triangle 2"};
inline constexpr std::array<const char*, 5> LineStyleNames = {"Solid", "Dash", "Dot", "Dash-Dot",
                                                              "Dash-Dot-Dot"};
inline constexpr std::size_t MaxMarkLength = 15;
inline constexpr int MaxDialogTokens = 10000;
inline constexpr int MaxCustomRadius = 15;
inline constexpr int MaxDialogLineWidth = 4;

// What the point dialog edits: a copy of the point, the net's default options and whether the
// shapes of places are locked (while the document simulates a Petri net).
struct PointDialogState {
    int number = 0;
    PointType point;
    PointOptionType netOptions;
    bool shapeLocked = false;
    Color oldColor = 0;
};

// The copy of point p; a point without custom options starts its custom block from the net's.
PointDialogState PointDialogFor(const NetWorkType& net, int p, bool shapeLocked);
// The mark as the dialogs show it: four places, trailing zeros and point dropped.
std::string MarkText(double weight);
// "Level:" for the transitions (shapes 2 and 3), "Tokens:" otherwise.
const char* TokenLabel(int shape);
// The lock disables the first five shape buttons.
bool ShapeEnabled(const PointDialogState& state, int shape);
// Clearing the custom flag puts the net's block back into the copy's custom block.
void SetCustomOptions(PointDialogState& state, bool on);
// What the custom controls show: the custom block when the flag is set, else the net's.
const PointOptionType& ShownOptions(const PointDialogState& state);

// The mark edit's check on leaving it: a valid text replaces `weight`; anything else shows the
// information box and keeps `weight`. Returns whether the text was valid.
bool CommitMark(double& weight, std::string_view text, UserMessages& ui);

// After OK: the point becomes the copy and the net is changed. The canvas is retained, so the
// old drawing goes with the next paint whatever changed.
void ApplyPointDialog(NetWorkType& net, int p, const PointType& edited);

// What the edge dialog edits: the blocks of (from, to) and, on a directed net with the edge
// both ways, of (to, from), with the colours they had when it opened. The blocks hold what the
// dialog shows (see AsShown), so OK writes what the user saw.
struct EdgeDialogState {
    int from = 0;
    int to = 0;
    EdgeAttributes block;
    EdgeAttributes reverse;
    bool twoWay = false;
    Color oldColor = 0;
    Color oldReverseColor = 0;
};

EdgeDialogState EdgeDialogFor(const NetWorkType& net, int from, int to);
// "( from,to )".
std::string EdgeTitle(const EdgeDialogState& state);
// A stored width above 5 shows as 1 with "Solid", a style outside 1..4 as "Solid", a shape
// outside 1..4 as "Line"; a width of 2 or more has no style.
EdgeAttributes AsShown(EdgeAttributes block);
// Reverse Edge: the dialog turns to the other direction.
void ReverseEdge(EdgeDialogState& state);
// A width of 2 or more sets the style to "Solid" and locks it.
void SetLineWidth(EdgeAttributes& block, int width);
bool StyleEnabled(const EdgeAttributes& block);
// After OK: both directions of a two-way pair are written back, and the net is changed.
void ApplyEdgeDialog(NetWorkType& net, const EdgeDialogState& edited);

} // namespace plax
