#pragma once

#include "accounts/results_sink.h"
#include "algorithms/run_control.h"
#include "model/net_types.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plax {

// How many distinct markings an exploration stores unless told otherwise, and at most.
inline constexpr std::uint64_t DefaultMaxMarkings = 100000;
inline constexpr std::uint64_t MaxMarkingsLimit = 10000000;
// How many dead markings the account lists with their firing sequences.
inline constexpr std::size_t ListedDeadMarkings = 20;

inline constexpr const char* ReachabilityTitle = "        Reachable Markings of the Petri Net";

enum class ExplorationEnd { Complete, MarkingBound, Stopped, OutOfMemory };
enum class Reversibility { Reversible, NotReversible, Unknown };

struct DeadMarking {
    std::vector<std::uint16_t> tokens; // in the order of ReachabilityResult::places
    std::vector<int> firings;          // a shortest firing sequence from the initial marking
};

// What the exploration of the markings reachable from the net's current one found. A marking
// counts the tokens of the places of shapes 0 and 1, the only ones a firing changes.
struct ReachabilityResult {
    std::vector<int> places;
    std::vector<std::uint16_t> initial;
    std::uint64_t markings = 0; // distinct markings stored
    ExplorationEnd end = ExplorationEnd::Complete;
    // Some firing found an output place at the ceiling, which kept it from growing.
    bool ceilingMet = false;
    std::vector<std::uint16_t> largest; // per place, over the stored markings
    std::uint64_t deadMarkings = 0;     // among the markings whose firings were tried
    std::vector<DeadMarking> firstDead; // the first ListedDeadMarkings, nearest first
    std::vector<int> neverFired;        // transitions no explored marking enables
    Reversibility reversibility = Reversibility::Unknown;
    std::uint64_t notReturning = 0; // markings from which the initial one cannot be reached
};

// The markings of a complete exploration, numbered breadth-first from the initial one (0), and
// the markings each one's firings lead to: arcs[firstArc[i]] .. arcs[firstArc[i + 1]].
struct ReachabilityGraph {
    std::uint32_t size = 0;
    std::size_t width = 0;             // places in a marking
    std::vector<std::uint16_t> tokens; // marking i at i * width
    std::vector<std::uint32_t> firstArc;
    std::vector<std::uint32_t> arcs;

    std::uint32_t Size() const { return size; }
    std::span<const std::uint16_t> At(std::uint32_t i) const {
        return {tokens.data() + std::size_t{i} * width, width};
    }
};

// Breadth-first over the markings, with the firing rule of the token game (ceiling included):
// stores at most `maxMarkings` of them and polls `control` as it goes, so Stop ends it. When
// the exploration completes, `graph` (if given) receives its markings and arcs.
ReachabilityResult ExploreMarkings(const NetWorkType& net, std::uint64_t maxMarkings, RunControl& control,
                                   ReachabilityGraph* graph = nullptr);

// The account of an exploration, after the header.
void WriteReachability(ResultsSink& sink, const ReachabilityResult& result);
// Its parts the liveness account shares: the places, the initial marking and the count; the dead
// markings with their firing sequences.
void WriteMarkingCounts(ResultsSink& sink, const ReachabilityResult& result);
void WriteDeadMarkings(ResultsSink& sink, const ReachabilityResult& result);

// A command that explores the markings within a bound and writes its account: reachability,
// coverability, liveness.
using MarkingAnalysis = void (*)(NetWorkType& net, const std::string& fileName, std::uint64_t maxMarkings,
                                 ProcedureOutput out);

// The whole command: opens the Results window, runs the exploration as a long run and writes it.
void ReachabilityAnalysis(NetWorkType& net, const std::string& fileName, std::uint64_t maxMarkings,
                          ProcedureOutput out);

} // namespace plax
