#pragma once

#include "accounts/results_sink.h"
#include "model/net_types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plax {

inline constexpr const char* InvariantsTitle = "        Invariants of the Petri Net";
// Rows the elimination may hold after any of its steps; beyond it the computation gives up.
inline constexpr std::size_t MaxInvariantRows = 20000;

using IntegerMatrix = std::vector<std::vector<std::int64_t>>;

enum class InvariantsEnd { Complete, TooManyRows, Overflow };

// The minimal-support semi-positive integer vectors y (each with coprime entries), the
// generators of { y >= 0 : y^T a = 0 }, and why the search gave up if it did.
struct SemiPositiveSolutions {
    IntegerMatrix vectors;
    InvariantsEnd end = InvariantsEnd::Complete;
};

// Farkas' elimination with Martinez-Silva's pruning of rows whose support is not minimal, in
// checked 64-bit arithmetic; `a` has one row per unknown. Ordered by support, then by weights.
SemiPositiveSolutions MinimalSemiPositive(const IntegerMatrix& a, std::size_t maxRows = MaxInvariantRows);

enum class Structural { Yes, No, Unknown };

// The invariants of the net's places of shapes 0 and 1 and its transitions. The incidence of
// place p and transition t is the token t gives p less the token it takes (a place that is both
// input and output is 0).
struct InvariantsResult {
    std::vector<int> places;
    std::vector<int> transitions;
    std::vector<std::uint16_t> marking; // now, per place
    IntegerMatrix incidence;            // places x transitions
    SemiPositiveSolutions placeInvariants;
    SemiPositiveSolutions transitionInvariants;
    std::vector<int> covered;   // places in the support of a place invariant
    std::vector<int> uncovered; // the other places
    // Some y > 0 with y^T C <= 0: bounded from every initial marking.
    Structural structurallyBounded = Structural::Unknown;
    std::vector<int> repetitive; // transitions in the support of a transition invariant
};

InvariantsResult ComputeInvariants(const NetWorkType& net);

// "M(p1) + 2 M(p3) = 3" of a place invariant with the net's marking; "t2 + t4" of a transition
// invariant.
std::string PlaceEquation(const InvariantsResult& result, const std::vector<std::int64_t>& y);
std::string TransitionSum(const InvariantsResult& result, const std::vector<std::int64_t>& x);

// The account of the invariants, after the header.
void WriteInvariants(ResultsSink& sink, const InvariantsResult& result);

// The points a line of the account names when it is an invariant's line: its places or its
// transitions, for the canvas to colour.
std::optional<std::vector<int>> InvariantLinePoints(const std::string& line);

// The whole command: opens the Results window and writes the account.
void InvariantsAnalysis(NetWorkType& net, const std::string& fileName, ProcedureOutput out);

} // namespace plax
