#include "accounts/symmetry_group_account.h"

#include "algorithms/graph_utils.h"

#include "procedure_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

using namespace plax::testing;

const std::string Title = "            Symmetry Group";

// The texts and marks worked out by hand: the path swaps its ends, the square turns and flips,
// a net without symmetry says so.
TEST(SymmetryGroup, AccountsAndOrbitColours) {
    NetWorkType path = MakeNet(UndirNetCode, 3, "path");
    Connect(path, 1, 2);
    Connect(path, 2, 3);
    NetWorkType square = MakeNet(UndirNetCode, 4, "square");
    for (int p = 1; p <= 4; ++p)
        Connect(square, p, p % 4 + 1);
    NetWorkType chain = MakeNet(DirNetCode, 2, "chain");
    Connect(chain, 1, 2);
    struct Case {
        NetWorkType& net;
        const char* type;
        int edges;
        Lines body;
        std::vector<std::uint16_t> colourIndex; // of points 1..n, 0 for none
    };
    const std::vector<Case> cases = {
        {path,
         "undirNet",
         2,
         {"    Order of the group : 2", "        Orbits of the Points:", "    {1,3}", "    {2}",
          "        Generators:", "    (1 3)"},
         {1, 0, 1}},
        {square,
         "undirNet",
         4,
         {"    Order of the group : 8", "        Orbits of the Points:", "    {1,2,3,4}",
          "        Generators:", "    (1 2)(3 4)", "    (2 4)"},
         {1, 1, 1, 1}},
        {chain,
         "dirNet",
         1,
         {"    Order of the group : 1", "        Orbits of the Points:", "    {1}", "    {2}",
          "    Identity Automorphism Group!"},
         {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.net.name);
        MarkingBuffer marks;
        const ProcedureRun run =
            RunProcedure([&](ProcedureOutput out) { FindSymmetryGroup(c.net, marks, "s.net", out); });
        EXPECT_EQ(run.lines, ResultsText(Title, c.net, c.type, c.edges, c.body));
        for (int p = 1; p <= c.net.n; ++p) {
            const auto k = static_cast<std::size_t>(p);
            EXPECT_EQ(marks.pointIndex[k], c.colourIndex[k - 1]) << p;
            EXPECT_EQ(marks.pointColor[k], c.colourIndex[k - 1] == 0 ? 0u : ProcedureColors[0]) << p;
        }
    }
    EXPECT_EQ(CycleNotation({1, 2, 3}), "()");
    EXPECT_EQ(CycleNotation({3, 1, 2, 5, 4}), "(1 3 2)(4 5)");
    EXPECT_EQ(LongListingQuestion(square), std::nullopt);
    EXPECT_EQ(LongListingQuestion(MakeNet(UndirNetCode, 9, "nine")),
              "The group has 362880 automorphisms. List them all?");
}

} // namespace
} // namespace plax
