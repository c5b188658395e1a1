#include "accounts/euler_account.h"
#include "catalogue/refusals.h"

#include "algorithms/marking_buffer.h"

#include "model/net_store.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

const std::string CycleTitle = "                Eulerian Cycle ";
const std::string PathTitle = "                Eulerian Path ";
const std::string NoCycle = "Eulerian Cycle doesnt Exists!\r\nProcedure terminated! ";
const std::string NoPath = "Eulerian Path doesnt Exists!\r\nProcedure terminated! ";

struct EulerRun {
    bool written = false;
    ProcedureRun run;
};

EulerRun RunEuler(const NetWorkType& net, EulerMode mode, MarkingBuffer& marks) {
    EulerRun r;
    r.run = RunProcedure([&](ProcedureOutput out) { r.written = Euler(net, mode, marks, "e.net", out); });
    return r;
}

std::vector<int> RedPoints(const MarkingBuffer& marks) {
    std::vector<int> points;
    for (int i = 1; i <= MaxPoints; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (marks.pointColor[k] == 0) continue;
        EXPECT_EQ(marks.pointColor[k], 0x0000FFu);
        EXPECT_EQ(marks.pointIndex[k], 9);
        points.push_back(i);
    }
    return points;
}

TEST(Euler, TriangleHasACycleButNoPath) {
    const NetWorkType tri = Triangle();
    MarkingBuffer marks;
    marks.pointColor[2] = 0x0000FF;
    const EulerRun cycle = RunEuler(tri, EulerMode::Cycle, marks);
    EXPECT_TRUE(cycle.written);
    EXPECT_EQ(cycle.run.lines, ResultsText(CycleTitle, tri, "undirNet", 3,
                                           {
                                               "",
                                               "    Source = 1",
                                               "",
                                               "    Eulerian Cycle :",
                                               "      1   3   2   1 ",
                                               "    ",
                                           }));
    EXPECT_TRUE(cycle.run.calls.empty());
    EXPECT_TRUE(RedPoints(marks).empty());

    const EulerRun path = RunEuler(tri, EulerMode::Path, marks);
    EXPECT_FALSE(path.written);
    EXPECT_EQ(path.run.calls, (Calls{{"warning", NoPath}}));
    EXPECT_TRUE(path.run.lines.empty()) << "no Results window is opened";
    EXPECT_FALSE(path.run.finished);
    EXPECT_TRUE(RedPoints(marks).empty());
}

TEST(Euler, PathStartsAtTheHighestOddPoint) {
    const NetWorkType path = PathNet(3);
    MarkingBuffer marks;
    const EulerRun run = RunEuler(path, EulerMode::Path, marks);
    EXPECT_TRUE(run.written);
    EXPECT_EQ(run.run.lines, ResultsText(PathTitle, path, "undirNet", 2,
                                         {
                                             "",
                                             "    Source = 3",
                                             "",
                                             "    Eulerian Path :",
                                             "      3   2   1 ",
                                             "    ",
                                         }));
    EXPECT_TRUE(RedPoints(marks).empty());

    const EulerRun cycle = RunEuler(path, EulerMode::Cycle, marks);
    EXPECT_FALSE(cycle.written);
    EXPECT_EQ(cycle.run.calls, (Calls{{"warning", NoCycle}}));
    EXPECT_EQ(RedPoints(marks), (std::vector<int>{1, 3}));
}

TEST(Euler, StarWithFourLeavesRefusesBoth) {
    NetWorkType star = MakeNet(UndirNetCode, 5, "star");
    for (int leaf = 2; leaf <= 5; ++leaf)
        AddEdge(star, 1, leaf, 1.0);
    MarkingBuffer marks;
    EXPECT_EQ(RunEuler(star, EulerMode::Path, marks).run.calls, (Calls{{"warning", NoPath}}));
    EXPECT_EQ(RedPoints(marks), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(RunEuler(star, EulerMode::Cycle, marks).run.calls, (Calls{{"warning", NoCycle}}));
    EXPECT_EQ(RedPoints(marks), (std::vector<int>{2, 3, 4, 5}));
}

TEST(Euler, DirectedCycleAndDirectedPath) {
    NetWorkType ring = MakeNet(DirNetCode, 3, "ring");
    AddEdge(ring, 1, 2, 1.0);
    AddEdge(ring, 2, 3, 1.0);
    AddEdge(ring, 3, 1, 1.0);
    MarkingBuffer marks;
    const EulerRun cycle = RunEuler(ring, EulerMode::Cycle, marks);
    EXPECT_EQ(cycle.run.lines, ResultsText(CycleTitle, ring, "dirNet", 3,
                                           {"", "    Source = 1", "",
                                            "    Eulerian Cycle :", "      1   2   3   1 ", "    "}));
    const EulerRun path = RunEuler(ring, EulerMode::Path, marks);
    EXPECT_EQ(path.run.calls, (Calls{{"warning", NoPath}}));
    EXPECT_TRUE(RedPoints(marks).empty()) << "every point is balanced";

    // 3 -> 1 -> 2: 3 gives one more than it takes, so the path starts there.
    NetWorkType chain = MakeNet(DirNetCode, 3, "chain");
    AddEdge(chain, 3, 1, 1.0);
    AddEdge(chain, 1, 2, 1.0);
    EXPECT_EQ(BodyOf(RunEuler(chain, EulerMode::Path, marks).run.lines),
              (Lines{"", "    Source = 3", "", "    Eulerian Path :", "      3   1   2 ", "    "}));
    EXPECT_EQ(RunEuler(chain, EulerMode::Cycle, marks).run.calls, (Calls{{"warning", NoCycle}}));
    EXPECT_EQ(RedPoints(marks), (std::vector<int>{2, 3}));

    // 1 gives two more than it takes and 4 takes two more: neither walk, both drawn red.
    NetWorkType fork = MakeNet(DirNetCode, 4, "fork");
    AddEdge(fork, 1, 2, 1.0);
    AddEdge(fork, 3, 4, 1.0);
    AddEdge(fork, 2, 3, 1.0);
    AddEdge(fork, 1, 4, 1.0);
    EXPECT_EQ(RunEuler(fork, EulerMode::Path, marks).run.calls, (Calls{{"warning", NoPath}}));
    EXPECT_EQ(RedPoints(marks), (std::vector<int>{1, 4}));
}

TEST(Euler, NotConnectedAndTrivialNets) {
    NetWorkType net = Triangle();
    net.n = 4; // point 4 stands alone
    MarkingBuffer marks;
    marks.pointColor[1] = 0x0000FF;
    const EulerRun run = RunEuler(net, EulerMode::Cycle, marks);
    EXPECT_FALSE(run.written);
    EXPECT_EQ(
        run.run.calls,
        (Calls{{"warning", "There isnt Eulerian Cycle \r\nGraph not connected.\r\nProcedure terminated! "}}));
    EXPECT_TRUE(RedPoints(marks).empty());
    EXPECT_EQ(
        RunEuler(net, EulerMode::Path, marks).run.calls,
        (Calls{{"warning", "There isnt Eulerian Path \r\nGraph not connected.\r\nProcedure terminated! "}}));

    EXPECT_EQ(EulerRefusal(MakeNet(UndirNetCode, 0)), "Trivial NetWork.");
    const NetWorkType one = MakeNet(UndirNetCode, 1, "one");
    EXPECT_EQ(EulerRefusal(one), std::nullopt);
    EXPECT_EQ(BodyOf(RunEuler(one, EulerMode::Cycle, marks).run.lines),
              (Lines{"", "    Source = 1", "", "    Eulerian Cycle :", "      1 ", "    "}));
}

TEST(Euler, WalkThatClosesEarlyIsSplicedFromTheStacks) {
    // Triangles 1-2-3 and 3-4-5 meet at 3. From 3 the walk first returns to 1 and is stuck there;
    // the second triangle is walked from 3 and spliced in.
    NetWorkType bow = MakeNet(UndirNetCode, 5, "bow");
    AddEdge(bow, 3, 4, 1.0);
    AddEdge(bow, 4, 5, 1.0);
    AddEdge(bow, 5, 3, 1.0);
    AddEdge(bow, 2, 3, 1.0);
    AddEdge(bow, 1, 3, 1.0);
    AddEdge(bow, 1, 2, 1.0);
    EXPECT_EQ(EulerSequence(bow, 1), (std::vector<int>{1, 2, 3, 5, 4, 3, 1}));
    EXPECT_TRUE(EulerSequence(bow, 0).empty());
    EXPECT_TRUE(EulerSequence(bow, 6).empty());
}

TEST(Euler, LongSequencesWrapAfterFourteenItems) {
    // A ring of 15 walked from 1 towards 15 (the head of list 1).
    MarkingBuffer marks;
    EXPECT_EQ(BodyOf(RunEuler(CycleNet(15), EulerMode::Cycle, marks).run.lines),
              (Lines{"", "    Source = 1", "",
                     "    Eulerian Cycle :", "      1  15  14  13  12  11  10   9   8   7   6   5   4   3 ",
                     "      2   1 ", "    "}));
    // Fourteen items fill one line and leave no empty line behind.
    EXPECT_EQ(BodyOf(RunEuler(CycleNet(13), EulerMode::Cycle, marks).run.lines),
              (Lines{"", "    Source = 1", "", "    Eulerian Cycle :",
                     "      1  13  12  11  10   9   8   7   6   5   4   3   2   1 ", "    "}));
}

// True when `walk` steps along existing edges and uses every edge of `net` exactly once.
::testing::AssertionResult UsesEveryEdgeOnce(const NetWorkType& net, const std::vector<int>& walk) {
    const bool undirected = IsUndirected(net);
    std::map<std::pair<int, int>, int> used;
    for (std::size_t k = 1; k < walk.size(); ++k) {
        int a = walk[k - 1];
        int b = walk[k];
        if (!EdgeExists(net, a, b)) return ::testing::AssertionFailure() << a << "-" << b << " is no edge";
        if (undirected && a > b) std::swap(a, b);
        if (++used[{a, b}] > 1) return ::testing::AssertionFailure() << a << "-" << b << " used twice";
    }
    if (static_cast<int>(used.size()) != EdgeCount(net)) {
        return ::testing::AssertionFailure() << used.size() << " of " << EdgeCount(net) << " edges used";
    }
    return ::testing::AssertionSuccess();
}

// Whether the degrees allow the walk: no odd point (cycle) or exactly two (path) in an undirected
// net; every point balanced (cycle) or one start, one end and nothing else unbalanced (path).
bool DegreesAllow(const NetWorkType& net, EulerMode mode) {
    int odd = 0, starts = 0, ends = 0, unbalanced = 0;
    for (int i = 1; i <= net.n; ++i) {
        int out = 0;
        int in = 0;
        for (int j = 1; j <= net.n; ++j) {
            out += EdgeExists(net, i, j) ? 1 : 0;
            in += EdgeExists(net, j, i) ? 1 : 0;
        }
        odd += out % 2;
        starts += out == in + 1 ? 1 : 0;
        ends += in == out + 1 ? 1 : 0;
        unbalanced += in != out ? 1 : 0;
    }
    if (IsUndirected(net)) return mode == EulerMode::Cycle ? odd == 0 : odd == 2;
    return mode == EulerMode::Cycle ? unbalanced == 0 : starts == 1 && ends == 1 && unbalanced == 2;
}

TEST(Euler, RandomNetsGetAWalkExactlyWhenOneExistsAndItUsesEveryEdgeOnce) {
    std::mt19937 rng(77);
    int walks = 0;
    for (int round = 0; round < 1500; ++round) {
        const bool undirected = round % 2 == 0;
        const NetWorkType net = RandomNet(rng, !undirected, 2 + round % 6, round % 5 == 0 ? 0.9 : 0.5);
        SCOPED_TRACE("round " + std::to_string(round));
        for (EulerMode mode : {EulerMode::Cycle, EulerMode::Path}) {
            MarkingBuffer marks;
            const EulerRun run = RunEuler(net, mode, marks);
            ASSERT_EQ(run.written, UnionFindComponents(net) == 1 && DegreesAllow(net, mode));
            if (!run.written) continue;
            ++walks;
            const int start = std::stoi(run.run.lines[12].substr(13));
            const std::vector<int> walk = EulerSequence(net, start);
            EXPECT_TRUE(UsesEveryEdgeOnce(net, walk));
            EXPECT_EQ(walk.back() == start, mode == EulerMode::Cycle);
        }
    }
    EXPECT_GT(walks, 100) << "enough of the random nets should have a walk";
}

} // namespace
} // namespace plax
