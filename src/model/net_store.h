#pragma once

#include "net_types.h"
#include "text_utils.h"

#include <cstdint>
#include <string>
#include <utility>

namespace plax {

// What GetEdgeField / SetEdgeField address.
enum EdgeFieldCode : int {
    EdgeFieldColor = 2,
    EdgeFieldReserved = 7,
    EdgeFieldShape = 9,
    EdgeFieldLineStyle = 10,
};

enum EdgeRealWhich : int { EdgeRealWeight = 0, EdgeRealFlow = 1 };

// The attributes an edge dialog edits, read and written as one block.
struct EdgeAttributes {
    double weight = 0.0;
    Color color = 0;
    std::uint32_t reserved = 0;
    std::string name;
    std::uint32_t shape = 0;
    std::uint32_t lineStyle = 0;
    std::uint8_t lineWidth = 0;

    bool operator==(const EdgeAttributes&) const = default;
};

// Construction and release.
void NetInit(NetWorkType& net);
void NetClear(NetWorkType& net);
void FreeEdges(NetWorkType& net);
void FreeNet(NetWorkType& net);
void CopyNet(const NetWorkType& src, NetWorkType& dst);
void CopyEdges(const NetWorkType& src, NetWorkType& dst);

// Kinds and names.
bool IsUndirected(const NetWorkType& net);
void SetNetKind(NetWorkType& net, std::uint16_t code);
// The kind code a file gets for the net's kind name; a name outside the table counts as directed.
std::uint16_t KindCodeOf(const NetWorkType& net);

// A pair names an edge only when both ends are points of the net and differ.
bool ValidPair(const NetWorkType& net, int from, int to);

// Plain look-up of list `from` for target `to`, with no pair ordering.
EdgeType* FindEdge(NetWorkType& net, int from, int to);
const EdgeType* FindEdge(const NetWorkType& net, int from, int to);

// Queries.
bool EdgeExists(const NetWorkType& net, int from, int to);
int OutDegree(const NetWorkType& net, int p);
int EdgeCount(const NetWorkType& net);
int Neighbour(const NetWorkType& net, int p, int k);
double GetEdgeReal(const NetWorkType& net, int which, int from, int to);
std::int64_t GetEdgeField(const NetWorkType& net, int code, int from, int to);
std::string GetEdgeName(const NetWorkType& net, int from, int to);
EdgeAttributes GetEdgeAttributes(const NetWorkType& net, int from, int to);
std::shared_ptr<NetWorkType> GetSubNet(const NetWorkType& net, int from, int to);

// Setters; on an undirected net each keeps both entries of the edge equal.
void SetEdgeReal(NetWorkType& net, int which, int from, int to, double value);
void SetEdgeField(NetWorkType& net, int code, int from, int to, std::int64_t value);
void SetEdgeAttributes(NetWorkType& net, int from, int to, const EdgeAttributes& block);
void SetSubNet(NetWorkType& net, int from, int to, std::shared_ptr<NetWorkType> subNet);

// Puts a new edge at the head of list `from` (and its reverse at the head of list `to` on an
// undirected net). `edge.target` is set here. Returns false, changing nothing, for a rejected
// pair or an edge that exists already.
bool InsertEdge(NetWorkType& net, int from, int to, EdgeType edge);

// Deletes point p and its edges; the last point takes number p, keeping its record and edges,
// so only the last point is renumbered.
void DeleteNetPoint(NetWorkType& net, int p);

// Hit tests.
int PointRadius(const NetWorkType& net, int p);
int PointAt(const NetWorkType& net, std::int32_t x, std::int32_t y);

} // namespace plax
