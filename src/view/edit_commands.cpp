#include "edit_commands.h"

#include "algorithms/graph_utils.h"
#include "model/net_store.h"
#include "model/text_utils.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace plax {

namespace {

std::string Num(int v) { return std::to_string(v); }

PointType& PointOf(NetWorkType& net, int i) { return net.points[static_cast<std::size_t>(i)]; }
EdgeList& ListOf(NetWorkType& net, int i) { return net.lists[static_cast<std::size_t>(i)]; }

void EraseTarget(EdgeList& list, int target) {
    std::erase_if(list, [target](const EdgeType& e) { return e.target == target; });
}

EdgeType NewEdge(const OptionType& options) {
    EdgeType e;
    e.weight = 1.0;
    e.flow = 0.0;
    e.color = options.foreDefaultColor;
    e.reserved = static_cast<std::uint32_t>(options.newReserved);
    e.name = CutText(options.newEdgeName, MaxNameLength);
    e.shape = static_cast<std::uint32_t>(options.newEdgeShape);
    e.lineStyle = static_cast<std::uint32_t>(options.newLineStyle);
    e.lineWidth = static_cast<std::uint8_t>(options.newLineWidth);
    return e;
}

} // namespace

std::string AddEdgeFirstPrompt(int p) {
    return "Add Edge: Has been selected point " + Num(p) + ". Select second point";
}
std::string AddEdgeAnotherPrompt(int first) {
    return "Add Edge: Select another second point for point " + Num(first) + ".";
}
std::string AddEdgeQuestion(int from, int to) {
    return "Do you wish to Add  Edge\r\nfrom " + Num(from) + " to " + Num(to) + "?";
}
std::string DeleteEdgeFirstPrompt(int p) {
    return "Delete Edge: Has been selected point " + Num(p) + ". Select second point";
}
std::string DeleteEdgeAnotherPrompt(int first) {
    return "Delete Edge: Select second Edge point for point " + Num(first) + ".";
}
std::string DeleteEdgeQuestion(int from, int to) {
    return "Do you wish to Delete  Edge\r\nfrom " + Num(from) + " to " + Num(to) + "?";
}
std::string DeletePointQuestion(int p) { return "Do you wish to Delete  Point " + Num(p) + "?"; }
std::string MovePointDragPrompt(int p) {
    return "Move Point: Drag point " + Num(p) + " to another position.";
}
std::string MoveComponentTargetPrompt(int p) {
    return "Move Component: Select new position for point " + Num(p);
}
std::string MoveComponentQuestion(int p) {
    return "Do you wish to Move  Component With Point " + Num(p) + "?";
}
std::string DeleteComponentQuestion(int p) {
    return "Do you wish to Delete  Component With Point " + Num(p) + "?";
}
std::string DeleteAllQuestion(const std::string& netName) {
    return "Are You sure? Do you wish to Delete \r\nNetWork   " + netName + " ?";
}

int AddNewPoint(NetWorkType& net, const OptionType& options, int x, int y) {
    if (net.n >= MaxPoints) return 0;
    const int i = ++net.n;
    PointType& p = PointOf(net, i);
    p = PointType{};
    p.x = x;
    p.y = y;
    p.name = CutText(options.newPointName, MaxNameLength);
    p.color = options.foreDefaultColor;
    p.shape = static_cast<std::uint16_t>(options.newPointShape);
    p.tokens = 1;
    p.weight = 1.0;
    ListOf(net, i).clear();
    return i;
}

bool AddNewEdge(NetWorkType& net, const OptionType& options, int from, int to) {
    return InsertEdge(net, from, to, NewEdge(options));
}

void RemoveEdge(NetWorkType& net, int from, int to) {
    if (!ValidPair(net, from, to)) return;
    EraseTarget(ListOf(net, from), to);
    if (IsUndirected(net)) EraseTarget(ListOf(net, to), from);
}

void DeleteComponentOf(NetWorkType& net, int p) {
    if (p < 1 || p > net.n) return;
    const Components c = CountComponents(net);
    const auto component = c.number[static_cast<std::size_t>(p)];
    // From the top down, so the numbers still to visit stay valid.
    for (int i = net.n; i >= 1; --i) {
        if (c.number[static_cast<std::size_t>(i)] == component) DeleteNetPoint(net, i);
    }
}

void MoveComponentTo(NetWorkType& net, int p, int x, int y) {
    if (p < 1 || p > net.n) return;
    const Components c = CountComponents(net);
    const auto component = c.number[static_cast<std::size_t>(p)];
    const int dx = x - PointOf(net, p).x;
    const int dy = y - PointOf(net, p).y;
    for (int i = 1; i <= net.n; ++i) {
        if (c.number[static_cast<std::size_t>(i)] != component) continue;
        PointOf(net, i).x += dx;
        PointOf(net, i).y += dy;
    }
}

bool RetypeNet(NetWorkType& net, const OptionType& options) {
    if (net.kindName == NetKind[UndirNetCode]) {
        // The two entries of each edge simply become the two directions.
        SetNetKind(net, DirNetCode);
        return true;
    }
    if (net.kindName != NetKind[DirNetCode]) return false;
    std::vector<std::pair<int, int>> missing;
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : ListOf(net, i))
            if (!EdgeExists(net, e.target, i)) missing.emplace_back(e.target, i);
    }
    for (const auto& [from, to] : missing)
        InsertEdge(net, from, to, NewEdge(options));
    SetNetKind(net, UndirNetCode);
    return true;
}

void DeleteAllOf(NetWorkType& net, bool subNet) {
    net.lists.Clear();
    const int keep = subNet ? std::min<int>(net.n, 2) : 0;
    for (int i = keep + 1; i <= MaxPoints; ++i)
        PointOf(net, i) = PointType{};
    net.n = static_cast<std::uint8_t>(keep);
}

bool CanAddEdge(const NetWorkType& net) {
    const int n = net.n;
    if (n <= 1) return false;
    const int edges = EdgeCount(net);
    if (net.kindName == NetKind[DirNetCode]) return edges < n * (n - 1);
    if (net.kindName == NetKind[UndirNetCode]) return edges < n * (n - 1) / 2;
    return false;
}

bool AnyAttributeShown(const ViewFlags& view) {
    return view.edgeNames != 0 || view.edgeMarks != 0 || view.flows != 0 || view.pointNames != 0 ||
           view.tokens != 0;
}

void ClearNetSelection(NetWorkType& net) {
    for (PointType& p : net.points)
        p.selected = 0;
    net.selection.exists = 0;
    net.selection.count = 0;
}

} // namespace plax
