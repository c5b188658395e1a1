#include "petri/invariants.h"

#include "model/net_file.h"
#include "procedure_run.h"

#include "petri_nets.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace plax {
namespace {

using namespace plax::testing;
using Vectors = IntegerMatrix;

Lines Account(NetWorkType net) {
    const FixedClock clock("12:00", "10.12.2026");
    RunFlags flags;
    StoppingSink sink(clock, flags);
    RecordingMessages messages;
    InvariantsAnalysis(net, "/tmp/x.net", {sink, messages});
    EXPECT_EQ(sink.Lines()[1], InvariantsTitle);
    return Lines(sink.Lines().begin() + 11, sink.Lines().end());
}

TEST(Invariants, TextbookNetsWorkedByHand) {
    NetWorkType buffer;
    SilentMessages silent;
    ASSERT_TRUE(LoadNetFile(buffer, std::string(PLAX_EXAMPLES_DIR) + "/petri.net", OptionType{}, silent));
    // The producer is Ready or has Made an item, the buffer's slots are full or Free, the
    // consumer has Got an item or is Idle; one cycle of all four transitions gives the marking back.
    EXPECT_EQ(Account(buffer),
              (Lines{"    Places (the order of a marking) :  1,  3,  5,  6,  8, 10.",
                     "    Transitions :  2,  4,  7,  9.",
                     "    Marking now : ( 1, 0, 0, 3, 0, 1 )",
                     "",
                     "    Place invariants : 3",
                     "    Support :  1,  3.",
                     "        M(p1) + M(p3) = 1",
                     "    Support :  5,  6.",
                     "        M(p5) + M(p6) = 3",
                     "    Support :  8, 10.",
                     "        M(p8) + M(p10) = 1",
                     "    Places covered by a place invariant (so bounded) :  1,  3,  5,  6,  8, 10.",
                     "    Places not covered : none",
                     "    Structurally bounded : yes, bounded from every initial marking.",
                     "",
                     "    Transition invariants : 1",
                     "    Support :  2,  4,  7,  9.",
                     "        t2 + t4 + t7 + t9",
                     "    Transitions in no transition invariant : none",
                     "",
                     "    Procedure complete. "}));

    const InvariantsResult mutex = ComputeInvariants(MutualExclusion());
    EXPECT_EQ(mutex.placeInvariants.vectors, (Vectors{{1, 1, 0, 0, 0}, {0, 1, 1, 0, 1}, {0, 0, 0, 1, 1}}));
    EXPECT_EQ(PlaceEquation(mutex, mutex.placeInvariants.vectors[1]), "M(p3) + M(p5) + M(p8) = 1");
    EXPECT_EQ(mutex.transitionInvariants.vectors, (Vectors{{1, 1, 0, 0}, {0, 0, 1, 1}}));
    EXPECT_EQ(mutex.structurallyBounded, Structural::Yes);

    // A token passed on once has no transition invariant; the pump keeps its token for ever, and
    // bounded or not by its marking, some marking makes it grow.
    const InvariantsResult once =
        ComputeInvariants(PetriNet({{Place, 1}, {TransitionV, 0}, {Place, 0}}, {{1, 2}, {2, 3}}));
    EXPECT_EQ(once.placeInvariants.vectors, (Vectors{{1, 1}}));
    EXPECT_TRUE(once.transitionInvariants.vectors.empty());
    EXPECT_EQ(once.structurallyBounded, Structural::Yes);
    const Lines pump = Account(Pump(0));
    const Lines expected = {
        "    Place invariants : 1",
        "    Support :  1.",
        "        M(p1) = 0",
        "    Places covered by a place invariant (so bounded) :  1.",
        "    Places not covered :  3.",
        "    Structurally bounded : no, some initial marking lets a place grow without bound.",
        "",
        "    Transition invariants : none",
        "    Transitions in no transition invariant :  2."};
    EXPECT_EQ(Lines(pump.begin() + 4, pump.begin() + 13), expected);

    // 1 p, 2 t (p to q and r), 3 q, 4 r, 5 u (q and r back to p).
    const InvariantsResult split =
        ComputeInvariants(PetriNet({{Place, 2}, {TransitionV, 0}, {Place, 0}, {Place, 0}, {TransitionV, 0}},
                                   {{1, 2}, {2, 3}, {2, 4}, {3, 5}, {4, 5}, {5, 1}}));
    EXPECT_EQ(split.placeInvariants.vectors, (Vectors{{1, 1, 0}, {1, 0, 1}}));
    // A weight of two: 1 A, 2 t (A to B and C), 3 B, 4 C, 5 u (C to B), 6 v (B and C to A).
    const InvariantsResult twice = ComputeInvariants(
        PetriNet({{Place, 1}, {TransitionV, 0}, {Place, 0}, {Place, 0}, {TransitionV, 0}, {TransitionV, 0}},
                 {{1, 2}, {2, 3}, {2, 4}, {4, 5}, {5, 3}, {3, 6}, {4, 6}, {6, 1}}));
    ASSERT_EQ(twice.placeInvariants.vectors, (Vectors{{2, 1, 1}}));
    EXPECT_EQ(PlaceEquation(twice, twice.placeInvariants.vectors[0]), "2 M(p1) + M(p3) + M(p4) = 2");
}

TEST(Invariants, LinesThatNameTheirPointsAndHostileRows) {
    const std::vector<std::pair<std::string, std::optional<std::vector<int>>>> lines = {
        {"    Support :  1,  3.", std::vector<int>{1, 3}},
        {"    Support :  8, 10, 15.", std::vector<int>{8, 10, 15}},
        {"        M(p1) + 2 M(p13) = 3", std::vector<int>{1, 13}},
        {"        t2 + 12 t4 + t7", std::vector<int>{2, 4, 7}},
        {"    Support : 16.", std::nullopt},
        {"        M(p0) = 1", std::nullopt},
        {"        M(p1) + x = 1", std::nullopt},
        {"    Places not covered : none", std::nullopt},
        {"", std::nullopt}};
    for (const auto& [line, points] : lines)
        EXPECT_EQ(InvariantLinePoints(line), points) << line;

    // The identity has 2^k - 1 semi-positive solutions of a zero matrix but only k minimal ones;
    // a wider one is cut by the bound on rows, and huge entries by 64 bits.
    const IntegerMatrix zero(6, std::vector<std::int64_t>(1, 0));
    EXPECT_EQ(MinimalSemiPositive(zero).vectors.size(), 6u);
    IntegerMatrix halves;
    for (int k = 0; k < 12; ++k)
        halves.push_back({k < 6 ? 1 : -1});
    EXPECT_EQ(MinimalSemiPositive(halves).vectors.size(), 36u);
    EXPECT_EQ(MinimalSemiPositive(halves, 20).end, InvariantsEnd::TooManyRows);
    const std::int64_t big = std::int64_t{1} << 62;
    EXPECT_EQ(MinimalSemiPositive({{big, 3}, {-3, big}, {-big, -big}}).end, InvariantsEnd::Overflow);
}

using Vector = std::vector<std::int64_t>;

bool SolvesLeft(const IntegerMatrix& a, const Vector& y) {
    for (std::size_t j = 0; j < (a.empty() ? 0 : a[0].size()); ++j) {
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            sum += y[i] * a[i][j];
        if (sum != 0) return false;
    }
    return std::all_of(y.begin(), y.end(), [](std::int64_t v) { return v >= 0; }) &&
           std::any_of(y.begin(), y.end(), [](std::int64_t v) { return v > 0; });
}

std::uint32_t Support(const Vector& v) {
    std::uint32_t s = 0;
    for (std::size_t k = 0; k < v.size(); ++k)
        s |= v[k] != 0 ? 1u << k : 0u;
    return s;
}

// Every vector of entries 0..3 that solves y^T a = 0: the minimal supports among them.
std::set<std::uint32_t> BruteMinimalSupports(const IntegerMatrix& a) {
    std::set<std::uint32_t> supports;
    Vector y(a.size(), 0);
    for (;;) {
        std::size_t k = 0;
        while (k < y.size() && y[k] == 3)
            y[k++] = 0;
        if (k == y.size()) break;
        ++y[k];
        if (SolvesLeft(a, y)) supports.insert(Support(y));
    }
    std::set<std::uint32_t> minimal;
    for (std::uint32_t s : supports)
        if (std::none_of(supports.begin(), supports.end(),
                         [s](std::uint32_t t) { return t != s && (t & s) == t; }))
            minimal.insert(s);
    return minimal;
}

void CheckSolutions(const IntegerMatrix& a, const SemiPositiveSolutions& found) {
    ASSERT_EQ(found.end, InvariantsEnd::Complete);
    std::set<std::uint32_t> supports;
    for (const Vector& y : found.vectors) {
        EXPECT_TRUE(SolvesLeft(a, y));
        std::int64_t g = 0;
        for (std::int64_t v : y)
            g = std::gcd(g, v);
        EXPECT_EQ(g, 1);
        EXPECT_TRUE(supports.insert(Support(y)).second) << "one vector per support";
    }
    for (std::uint32_t s : supports)
        for (std::uint32_t t : supports)
            EXPECT_FALSE(t != s && (t & s) == t) << "minimal supports only";
    // Minimal supports are found in full whatever their weights; brute force sees small weights.
    for (std::uint32_t s : BruteMinimalSupports(a))
        EXPECT_TRUE(supports.count(s)) << "missing support " << s;
}

TEST(Invariants, ByTheirDefinitionOnRandomNets) {
    std::mt19937 random(1210);
    std::size_t placeInvariants = 0;
    std::size_t transitionInvariants = 0;
    for (int k = 0; k < 150; ++k) {
        const NetWorkType net = RandomSmallPetriNet(random);
        SCOPED_TRACE("net " + std::to_string(k));
        const InvariantsResult r = ComputeInvariants(net);
        CheckSolutions(r.incidence, r.placeInvariants);
        IntegerMatrix transposed(r.transitions.size(), Vector(r.places.size()));
        for (std::size_t i = 0; i < r.places.size(); ++i)
            for (std::size_t j = 0; j < r.transitions.size(); ++j)
                transposed[j][i] = r.incidence[i][j];
        CheckSolutions(transposed, r.transitionInvariants);
        placeInvariants += r.placeInvariants.vectors.size();
        transitionInvariants += r.transitionInvariants.vectors.size();
        // Every place covered by a place invariant is structurally bounded in it.
        if (r.uncovered.empty()) {
            EXPECT_EQ(r.structurallyBounded, Structural::Yes);
        }
    }
    EXPECT_GT(placeInvariants, 100u);
    EXPECT_GT(transitionInvariants, 30u);
}

} // namespace
} // namespace plax
