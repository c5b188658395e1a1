#pragma once

#include "marking_graph.h"

#include "accounts/results_sink.h"
#include "algorithms/run_control.h"
#include "model/net_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plax {

inline constexpr const char* LivenessTitle = "        Liveness and Deadlocks of the Petri Net";

// What the reachable markings say of the transitions and of the markings one always returns
// to. The live transitions and home markings need the whole state graph; they are known only
// when the exploration completed.
struct LivenessResult {
    ReachabilityResult reachability;
    std::vector<int> firedOnce; // transitions some reachable marking enables (L1)
    std::vector<int> live;      // enabled again from every reachable marking (L4)
    std::uint64_t terminalComponents = 0;
    std::uint64_t homeMarkings = 0; // the markings of the one terminal component, if one
    bool initialIsHome = false;
    bool known = false; // the state graph was complete and its components found
};

// The components of a state graph (Tarjan's, without recursion): for every marking its
// component's number, components numbered in the order they close.
std::vector<std::uint32_t> StrongComponents(const ReachabilityGraph& graph, std::uint32_t& count);

LivenessResult ExploreLiveness(const NetWorkType& net, std::uint64_t maxMarkings, RunControl& control);

// The account, after the header.
void WriteLiveness(ResultsSink& sink, const LivenessResult& result);

// The whole command: opens the Results window, explores as a long run and writes the account.
void LivenessAnalysis(NetWorkType& net, const std::string& fileName, std::uint64_t maxMarkings,
                      ProcedureOutput out);

} // namespace plax
