#include "accounts/net_info_account.h"
#include "catalogue/refusals.h"

#include "model/net_store.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace plax {
namespace {

using namespace plax::testing;

const std::string Title = "                Information";
const std::string PointsHeading = "    Point Name                 Type    Value         ";
const std::string EdgesHeading = "    Edge      Name                 Type    Weight        Flow          ";

std::string Blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

ProcedureRun Info(const NetWorkType& net, int failAt = 0) {
    return RunProcedure([&](ProcedureOutput out) { GetInfo(net, "i.net", out); }, failAt);
}

void SetPoint(NetWorkType& net, int p, const std::string& name, std::uint16_t shape) {
    net.points[static_cast<std::size_t>(p)].name = name;
    net.points[static_cast<std::size_t>(p)].shape = shape;
}

void SetEdge(NetWorkType& net, int from, int to, const std::string& name, std::uint32_t shape, double flow) {
    EdgeAttributes a = GetEdgeAttributes(net, from, to);
    a.name = name;
    a.shape = shape;
    SetEdgeAttributes(net, from, to, a);
    SetEdgeReal(net, EdgeRealFlow, from, to, flow);
}

TEST(NetInfo, EmptyNetHasBothHeadingsOnly) {
    const NetWorkType empty = MakeNet(DirNetCode, 0, "empty");
    const ProcedureRun run = Info(empty);
    EXPECT_EQ(run.lines, ResultsText(Title, empty, "dirNet", 0,
                                     {"", "    Information about  the Points", PointsHeading, "",
                                      "    Information about the Edges", EdgesHeading, "    "}));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_TRUE(run.finished);
}

TEST(NetInfo, UndirectedNetListsEachEdgeOnceFromItsLowerEnd) {
    NetWorkType net = MakeNet(UndirNetCode, 5, "list");
    SetPoint(net, 1, "Alpha", 0);
    SetPoint(net, 2, "ABCDEFGHIJKLMNOPQRST", 4); // the full 20 characters
    SetPoint(net, 3, "", 2);
    SetPoint(net, 4, "Node four", 7);
    SetPoint(net, 5, "x", 9); // no file holds this shape; the listing still names it
    AddEdge(net, 5, 2, 0.25);
    SetEdge(net, 5, 2, "Long way", 3, 0.0);
    AddEdge(net, 1, 3, 3.0);
    SetEdge(net, 1, 3, "", 6, 1.5);
    const ProcedureRun run = Info(net);
    EXPECT_EQ(run.lines,
              ResultsText(Title, net, "undirNet", 2,
                          {
                              "",
                              "    Information about  the Points",
                              PointsHeading,
                              "    1     Alpha" + Blanks(16) + "Circle  1" + Blanks(13),
                              "    2     ABCDEFGHIJKLMNOPQRST Diamond 1" + Blanks(13),
                              "    3" + Blanks(26) + "Trans.V 1" + Blanks(13),
                              "    4     Node four" + Blanks(12) + "Trngl 2 1" + Blanks(13),
                              "    5     x" + Blanks(20) + "Unknown 1" + Blanks(13),
                              "",
                              "    Information about the Edges",
                              EdgesHeading,
                              "    (1,3)" + Blanks(26) + "Unknown 3" + Blanks(13) + "1.5",
                              "    (2,5)     Long way" + Blanks(13) + "Tr. 1   0.25" + Blanks(10) + "0",
                              "    ",
                          }));
}

TEST(NetInfo, AWideWeightStillLeavesABlankBeforeTheFlow) {
    NetWorkType net = MakeNet(DirNetCode, 2, "wide");
    AddEdge(net, 1, 2, MaxWeight);
    SetEdge(net, 1, 2, "Road", 0, 3.0);
    const ProcedureRun run = Info(net);
    ASSERT_GE(run.lines.size(), 3u);
    const std::string& line = run.lines[run.lines.size() - 3];
    EXPECT_EQ(line.substr(0, 43), "    (1,2)     Road" + Blanks(17) + "Line    ");
    EXPECT_EQ(line.substr(line.size() - 2), " 3");
    EXPECT_GT(line.size(), 43u + 14u);
}

TEST(NetInfo, DirectedNetListsBothDirectionsWithWiderNumbers) {
    NetWorkType net = MakeNet(DirNetCode, 12, "wide");
    AddEdge(net, 2, 1, 1.5);
    AddEdge(net, 1, 2, 2.0);
    AddEdge(net, 12, 10, 1000000.0);
    SetEdgeReal(net, EdgeRealFlow, 1, 2, 0.004);
    SetEdgeReal(net, EdgeRealFlow, 12, 10, 2.0);
    const ProcedureRun run = Info(net);
    const auto edges = std::find(run.lines.begin(), run.lines.end(), EdgesHeading);
    ASSERT_NE(edges, run.lines.end());
    EXPECT_EQ(Lines(edges + 1, run.lines.end()),
              (Lines{
                  "    ( 1, 2)   No Name" + Blanks(14) + "Line    2" + Blanks(13) + "0",
                  "    ( 2, 1)   No Name" + Blanks(14) + "Line    1.5" + Blanks(11) + "0",
                  "    (12,10)   No Name" + Blanks(14) + "Line    1000000" + Blanks(7) + "2",
                  "    ",
                  CompleteLine,
              }));
    EXPECT_EQ(run.lines[23], "    10" + Blanks(25) + "Circle  1" + Blanks(13));
}

TEST(NetInfo, ShapeNamesRefusalAndWriteFailure) {
    EXPECT_EQ(PointShapeName(5), "Rnd.Sqr");
    EXPECT_EQ(PointShapeName(6), "Trngl 1");
    EXPECT_EQ(PointShapeName(3), "Trans.H");
    EXPECT_EQ(PointShapeName(8), "Unknown");
    EXPECT_EQ(EdgeShapeName(1), "El. 1");
    EXPECT_EQ(EdgeShapeName(2), "El. 2");
    EXPECT_EQ(EdgeShapeName(4), "Tr. 2");
    EXPECT_EQ(EdgeShapeName(5), "Unknown");

    NetWorkType net = PathNet(2);

    const ProcedureRun broken = Info(PathNet(2), 12);
    EXPECT_EQ(broken.calls, (Calls{{"warning", CannotWriteText}}));
    EXPECT_TRUE(broken.finished);
    EXPECT_EQ(broken.lines.size(), 11u);
}

} // namespace
} // namespace plax
