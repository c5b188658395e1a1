#include "accounts/metrics_account.h"
#include "catalogue/refusals.h"

#include "algorithms/graph_utils.h"
#include "algorithms/marking_buffer.h"

#include "model/net_store.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

const std::string Title = "                Metrics of the Graph";
constexpr Color Green = 0x008000;
constexpr Color Red = 0x0000FF;

ProcedureRun Metrics(const NetWorkType& net, MarkingBuffer& marks, int failAt = 0) {
    return RunProcedure([&](ProcedureOutput out) { QuickMetrics(net, marks, "/nets/m.net", out); }, failAt);
}

// The colour of every point 1..n, and its colour index.
std::vector<std::pair<Color, int>> PointMarks(const MarkingBuffer& marks, int n) {
    std::vector<std::pair<Color, int>> out;
    for (int i = 1; i <= n; ++i)
        out.emplace_back(marks.pointColor[static_cast<std::size_t>(i)],
                         marks.pointIndex[static_cast<std::size_t>(i)]);
    return out;
}

TEST(QuickMetrics, EmptyNetAndSinglePoint) {
    MarkingBuffer marks;
    marks.pointColor[1] = Red; // left from an earlier run
    const NetWorkType empty = MakeNet(UndirNetCode, 0, "none");
    const ProcedureRun none = Metrics(empty, marks);
    EXPECT_EQ(none.lines, ResultsText(Title, empty, "undirNet", 0,
                                      {
                                          "    Number of Connected Component : 0",
                                          "      Radius :  Undefined (only for connected graph)",
                                          "    Diameter :  Undefined (only for connected graph)",
                                          "    ",
                                          "    Degrees of the Points:",
                                          " ",
                                          "    Sorted Degrees:",
                                          "    ",
                                      }));
    EXPECT_TRUE(none.finished);
    EXPECT_TRUE(none.calls.empty());
    EXPECT_EQ(marks.pointColor[1], 0u);

    const NetWorkType one = MakeNet(UndirNetCode, 1, "one");
    const ProcedureRun single = Metrics(one, marks);
    EXPECT_EQ(single.lines, ResultsText(Title, one, "undirNet", 0,
                                        {
                                            "    Number of Connected Component : 1",
                                            "      Radius : 0",
                                            "    Diameter : 0",
                                            "    Radius and Diameter Points - Green Color Points",
                                            "    ",
                                            "    Graph is Regular. Deg(G) = 0",
                                            "    ",
                                            "    Degrees of the Points:",
                                            "    Point       1",
                                            "    Degree      0",
                                            " ",
                                            "    Sorted Degrees:",
                                            "    ",
                                        }));
    EXPECT_EQ(PointMarks(marks, 1), (std::vector<std::pair<Color, int>>{{Green, 2}}));
}

TEST(QuickMetrics, PathOfThreeMarksTheMiddleGreenAndTheEndsRedOnceWritten) {
    const NetWorkType path = PathNet(3);
    MarkingBuffer marks;
    const ProcedureRun run = Metrics(path, marks);
    EXPECT_EQ(run.lines, ResultsText(Title, path, "undirNet", 2,
                                     {
                                         "    Number of Connected Component : 1",
                                         "      Radius : 1",
                                         "    Diameter : 2",
                                         "    Center   Points - Green Color Points",
                                         "    Diameter Points -   Red Color Points",
                                         "    ",
                                         "    Graph is Not Regular.",
                                         "    ",
                                         "    Degrees of the Points:",
                                         "    Point       1    2    3",
                                         "    Degree      1    2    1",
                                         " ",
                                         "    Sorted Degrees:",
                                         "        1    1    2",
                                         "    ",
                                     }));
    EXPECT_EQ(PointMarks(marks, 3), (std::vector<std::pair<Color, int>>{{Red, 9}, {Green, 2}, {Red, 9}}));
    EXPECT_TRUE(marks.MarkedEdges(3).empty());

    // The radius line cannot be written: the warning, and no marks.
    const ProcedureRun broken = Metrics(path, marks, 13);
    EXPECT_EQ(broken.calls, (Calls{{"warning", CannotWriteText}}));
    EXPECT_TRUE(broken.finished);
    EXPECT_EQ(broken.lines.size(), 12u);
    EXPECT_EQ(PointMarks(marks, 3), (std::vector<std::pair<Color, int>>(3, {0, 0})));
}

TEST(QuickMetrics, DegreeTableComesInBlocksOfTen) {
    // Ten points fill one block: its " " line, then the " " before the sorted degrees.
    const NetWorkType ring = CycleNet(10);
    MarkingBuffer marks;
    const ProcedureRun ten = Metrics(ring, marks);
    EXPECT_EQ(BodyOf(ten.lines), (Lines{
                                     "    Number of Connected Component : 1",
                                     "      Radius : 5",
                                     "    Diameter : 5",
                                     "    Radius and Diameter Points - Green Color Points",
                                     "    ",
                                     "    Graph is Regular. Deg(G) = 2",
                                     "    ",
                                     "    Degrees of the Points:",
                                     "    Point       1    2    3    4    5    6    7    8    9   10",
                                     "    Degree      2    2    2    2    2    2    2    2    2    2",
                                     " ",
                                     " ",
                                     "    Sorted Degrees:",
                                     "        2    2    2    2    2    2    2    2    2    2",
                                     "    ",
                                 }));
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(marks.pointColor[static_cast<std::size_t>(i)], Green) << i;

    // Twelve points: a second block without its " " line; the sorted cells wrap after ten.
    // Eccentricities of the path run 11, 10, ..., 6, 6, ..., 11: centre 6 and 7, ends 1 and 12.
    const NetWorkType twelve = PathNet(12);
    const ProcedureRun run = Metrics(twelve, marks);
    EXPECT_EQ(BodyOf(run.lines), (Lines{
                                     "    Number of Connected Component : 1",
                                     "      Radius : 6",
                                     "    Diameter : 11",
                                     "    Center   Points - Green Color Points",
                                     "    Diameter Points -   Red Color Points",
                                     "    ",
                                     "    Graph is Not Regular.",
                                     "    ",
                                     "    Degrees of the Points:",
                                     "    Point       1    2    3    4    5    6    7    8    9   10",
                                     "    Degree      1    2    2    2    2    2    2    2    2    2",
                                     " ",
                                     "    Point      11   12",
                                     "    Degree      2    1",
                                     " ",
                                     "    Sorted Degrees:",
                                     "        1    1    2    2    2    2    2    2    2    2",
                                     "        2    2",
                                     "    ",
                                 }));
    for (int i = 1; i <= 12; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const Color expected = (i == 6 || i == 7) ? Green : (i == 1 || i == 12) ? Red : 0;
        EXPECT_EQ(marks.pointColor[k], expected) << i;
        EXPECT_EQ(marks.pointIndex[k], expected == Green ? 2 : expected == Red ? 9 : 0) << i;
    }
}

TEST(QuickMetrics, DirectedNetsGetInAndOutDegreesAndNoMarks) {
    // 1 -> 2 <- 3: connected only when directions are ignored.
    NetWorkType weak = MakeNet(DirNetCode, 3, "weak");
    AddEdge(weak, 1, 2, 1.0);
    AddEdge(weak, 3, 2, 1.0);
    MarkingBuffer marks;
    const ProcedureRun run = Metrics(weak, marks);
    EXPECT_EQ(run.lines, ResultsText(Title, weak, "dirNet", 2,
                                     {
                                         "    Number of Connected Component : 1",
                                         "      Radius :  Undefined (only for undirected graph)",
                                         "    Diameter :  Undefined (only for undirected graph)",
                                         "    ",
                                         "    Degrees of the Points:",
                                         "    Point          1    2    3",
                                         "    Degree In      0    2    0",
                                         "    Degree Out     1    0    1",
                                         " ",
                                         "    Sorted Degrees:",
                                         "    Sorted In Degrees",
                                         "        2",
                                         "    Sorted Out Degrees",
                                         "        1    1",
                                         "    ",
                                     }));
    EXPECT_EQ(PointMarks(marks, 3), (std::vector<std::pair<Color, int>>(3, {0, 0})));

    // Two components: the "connected" wording; the sorted lists of an edgeless net stay empty.
    const NetWorkType apart = MakeNet(DirNetCode, 2, "apart");
    EXPECT_EQ(BodyOf(Metrics(apart, marks).lines), (Lines{
                                                       "    Number of Connected Component : 2",
                                                       "      Radius :  Undefined (only for connected graph)",
                                                       "    Diameter :  Undefined (only for connected graph)",
                                                       "    ",
                                                       "    Degrees of the Points:",
                                                       "    Point          1    2",
                                                       "    Degree In      0    0",
                                                       "    Degree Out     0    0",
                                                       " ",
                                                       "    Sorted Degrees:",
                                                       "    Sorted In Degrees",
                                                       "    Sorted Out Degrees",
                                                       "    ",
                                                   }));
}

// All-pairs distances along the lists by Floyd-Warshall; -1 where there is no path.
std::vector<std::vector<int>> Distances(const NetWorkType& net) {
    const int n = net.n;
    const int far = 1000;
    std::vector<std::vector<int>> d(static_cast<std::size_t>(n) + 1,
                                    std::vector<int>(static_cast<std::size_t>(n) + 1, far));
    for (int i = 1; i <= n; ++i) {
        d[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)] = 0;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            d[static_cast<std::size_t>(i)][e.target] = 1;
    }
    for (std::size_t k = 1; k <= static_cast<std::size_t>(n); ++k)
        for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i)
            for (std::size_t j = 1; j <= static_cast<std::size_t>(n); ++j)
                d[i][j] = std::min(d[i][j], d[i][k] + d[k][j]);
    return d;
}

// The numbers on the lines after `heading` up to the next line that holds no digit.
std::vector<int> NumbersAfter(const Lines& lines, const std::string& heading) {
    std::vector<int> numbers;
    auto it = std::find(lines.begin(), lines.end(), heading);
    for (++it; it < lines.end() && it->find_first_of("0123456789") != std::string::npos; ++it) {
        std::istringstream in(*it);
        for (int v = 0; in >> v;)
            numbers.push_back(v);
    }
    return numbers;
}

TEST(QuickMetrics, RandomNetsAgreeWithBruteForce) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + round % MaxPoints;
        const NetWorkType net = RandomNet(rng, false, n, round % 3 == 0 ? 0.15 : 0.4);
        SCOPED_TRACE("round " + std::to_string(round));
        MarkingBuffer marks;
        const Lines lines = Metrics(net, marks).lines;
        const int components = UnionFindComponents(net);
        EXPECT_EQ(lines[11], "    Number of Connected Component : " + std::to_string(components));

        // Degrees: their sum is twice the number of edges, and the sorted list holds the non-zero ones.
        const Degrees d = ComputeDegrees(net);
        std::vector<int> nonZero;
        int sum = 0;
        for (int i = 1; i <= n; ++i) {
            sum += d.in[static_cast<std::size_t>(i)];
            if (d.in[static_cast<std::size_t>(i)] > 0) nonZero.push_back(d.in[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(sum, 2 * EdgeCount(net));
        std::sort(nonZero.begin(), nonZero.end());
        EXPECT_EQ(NumbersAfter(lines, "    Sorted Degrees:"), nonZero);

        // A connected net marks exactly its centre green and, when wider, its periphery red.
        if (components != 1) continue;
        const auto dist = Distances(net);
        std::vector<int> ecc(static_cast<std::size_t>(n) + 1, 0);
        for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i)
            ecc[i] = *std::max_element(dist[i].begin() + 1, dist[i].end());
        const int radius = *std::min_element(ecc.begin() + 1, ecc.end());
        const int diameter = *std::max_element(ecc.begin() + 1, ecc.end());
        EXPECT_EQ(lines[12], "      Radius : " + std::to_string(radius));
        EXPECT_EQ(lines[13], "    Diameter : " + std::to_string(diameter));
        for (int i = 1; i <= n; ++i) {
            const int e = ecc[static_cast<std::size_t>(i)];
            const Color expected = e == radius ? Green : e == diameter ? Red : 0;
            EXPECT_EQ(marks.pointColor[static_cast<std::size_t>(i)], expected) << "point " << i;
        }
    }
}

} // namespace
} // namespace plax
