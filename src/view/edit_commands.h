#pragma once

#include "model/net_types.h"

#include <string>

namespace plax {

// Prompts and questions of the editing commands.
inline constexpr const char* AddPointPrompt = "Add Point: Select Position for the point and Click";
inline constexpr const char* AddEdgePrompt = "Add Edge: Select first point of the Edge";
inline constexpr const char* DeletePointPrompt = "Delete Point: Select Point  to Delete";
inline constexpr const char* DeleteEdgePrompt = "Delete Edge: Select first Edge point";
inline constexpr const char* DeleteComponentPrompt = "Delete Component: Select Component Point";
inline constexpr const char* MovePointPrompt = "Move Point: Select Point ";
inline constexpr const char* MoveComponentPrompt = "Move Component: Select Point ";
inline constexpr const char* SelectRegionPrompt = "Select Region";

inline constexpr const char* AddPointCaption = "Add Point";
inline constexpr const char* AddEdgeCaption = "Add Edge";
inline constexpr const char* DeletePointCaption = "Delete Point";
inline constexpr const char* DeleteEdgeCaption = "Delete Edge";
inline constexpr const char* DeleteComponentQuestionCaption = "Delete Component ";
inline constexpr const char* MoveComponentCaption = "Move Component";
inline constexpr const char* DeleteAllCaption = "Warning-Delete All";
inline constexpr const char* AddPointQuestion = "Do you wish to Add  Point ?";

std::string AddEdgeFirstPrompt(int p);
std::string AddEdgeAnotherPrompt(int first);
std::string AddEdgeQuestion(int from, int to);
std::string DeleteEdgeFirstPrompt(int p);
std::string DeleteEdgeAnotherPrompt(int first);
std::string DeleteEdgeQuestion(int from, int to);
std::string DeletePointQuestion(int p);
std::string MovePointDragPrompt(int p);
std::string MoveComponentTargetPrompt(int p);
std::string MoveComponentQuestion(int p);
std::string DeleteComponentQuestion(int p);
std::string DeleteAllQuestion(const std::string& netName);

// Point N + 1 at (x, y) with the new-element settings; answers its number, or 0 when the net is
// full.
int AddNewPoint(NetWorkType& net, const OptionType& options, int x, int y);
// A new edge with the new-element settings, both entries on an undirected net (its first anchor,
// until it is drawn, is the painter's). False (nothing changed) when the pair is invalid or the
// edge exists.
bool AddNewEdge(NetWorkType& net, const OptionType& options, int from, int to);
// Removes (from, to); on an undirected net both entries.
void RemoveEdge(NetWorkType& net, int from, int to);
// Deletes every point of p's component (edge directions ignored).
void DeleteComponentOf(NetWorkType& net, int p);
// Moves p's component so that p lands on (x, y).
void MoveComponentTo(NetWorkType& net, int p, int x, int y);
// Swaps "undirNet" and "dirNet"; a directed edge without its reverse gets one. False for other
// kinds.
bool RetypeNet(NetWorkType& net, const OptionType& options);
// Delete All: no edges, no points, except the two end points of a sub-net.
void DeleteAllOf(NetWorkType& net, bool subNet);

// No point selected and no selection; the selection rectangle stays.
void ClearNetSelection(NetWorkType& net);

// Add Edge is offered while the net is not complete; nets of other kinds never take one.
bool CanAddEdge(const NetWorkType& net);
// Any of edge names, weights, flows, point names, tokens is shown.
bool AnyAttributeShown(const ViewFlags& view);

} // namespace plax
