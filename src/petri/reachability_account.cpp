#include "marking_graph.h"

#include "exploration_account.h"
#include "petri_lines.h"
#include "petri_net.h"

#include "accounts/item_lines.h"
#include "accounts/procedure_texts.h"
#include "algorithms/long_run.h"

#include <algorithm>
#include <limits>
#include <string>

namespace plax {

namespace {

constexpr std::size_t CountsPerLine = 6;
constexpr std::size_t CountWidth = 6; // the ceiling's five digits and a blank
constexpr std::size_t FiringsPerLine = 15;

} // namespace

void WriteMarkingCounts(ResultsSink& sink, const ReachabilityResult& r) {
    const bool cut = r.end != ExplorationEnd::Complete;
    std::string count =
        "    Reachable markings : " + std::string(cut ? "at least " : "") + std::to_string(r.markings);
    if (r.end == ExplorationEnd::MarkingBound) count += " (the bound on stored markings)";
    if (r.end == ExplorationEnd::Stopped) count += " (stopped)";
    if (r.end == ExplorationEnd::OutOfMemory) count += " (stopped: the memory ran out)";
    sink.AddLine("    Places (the order of a marking) :" + PointList(r.places));
    sink.AddLine("    Initial marking : " + MarkingText(r.initial));
    sink.AddLine(count);
    sink.AddLine("");
}

namespace {

void WriteBoundedness(ResultsSink& sink, const ReachabilityResult& r) {
    const std::string ceiling = std::to_string(TokenCeiling);
    if (r.ceilingMet) {
        sink.AddLine("    Bounded : no, a firing meets the ceiling of " + ceiling + " tokens.");
    } else if (r.end == ExplorationEnd::Complete) {
        sink.AddLine("    Bounded : yes, no firing meets the ceiling of " + ceiling + " tokens.");
    } else {
        sink.AddLine("    Bounded : not known, the exploration was cut.");
    }
    sink.AddLine("    Largest count per place :");
    std::vector<std::string> items;
    for (std::size_t k = 0; k < r.places.size(); ++k)
        items.push_back(CountItem(r.places[k], r.largest[k], CountWidth));
    WriteItemLines(sink, items, CountsPerLine);
    sink.AddLine("");
}

} // namespace

void WriteDeadMarkings(ResultsSink& sink, const ReachabilityResult& r) {
    const std::string among = r.end == ExplorationEnd::Complete ? "" : " among those explored";
    if (r.deadMarkings == 0) {
        sink.AddLine("    Dead markings" + among + " : none");
        sink.AddLine("");
        return;
    }
    sink.AddLine("    Dead markings" + among + " : " + std::to_string(r.deadMarkings));
    for (const DeadMarking& dead : r.firstDead) {
        if (dead.firings.empty()) {
            sink.AddLine("    " + MarkingText(dead.tokens) + " is the initial marking.");
            continue;
        }
        sink.AddLine("    " + MarkingText(dead.tokens) + " after firing :");
        for (std::size_t k = 0; k < dead.firings.size(); k += FiringsPerLine)
            sink.AddLine("       " + PointList(dead.firings, k, k + FiringsPerLine));
    }
    if (r.deadMarkings > r.firstDead.size())
        sink.AddLine("    The first " + std::to_string(r.firstDead.size()) + " of " +
                     std::to_string(r.deadMarkings) + " dead markings are listed.");
    sink.AddLine("");
}

namespace {

void WriteLiveness(ResultsSink& sink, const ReachabilityResult& r) {
    const std::string which = r.end == ExplorationEnd::Complete
                                  ? "    Transitions that never fire :"
                                  : "    Transitions not fired in the markings explored :";
    sink.AddLine(which + PointsOrNone(r.neverFired));
    switch (r.reversibility) {
    case Reversibility::Reversible:
        sink.AddLine(
            "    Reversible : yes, the initial marking is reached again from every reachable marking.");
        break;
    case Reversibility::NotReversible:
        sink.AddLine("    Reversible : no, the initial marking cannot be reached again from " +
                     std::to_string(r.notReturning) + " of the reachable markings.");
        break;
    case Reversibility::Unknown: sink.AddLine("    Reversible : not known, the exploration was cut."); break;
    }
    sink.AddLine("");
}

} // namespace

void WriteReachability(ResultsSink& sink, const ReachabilityResult& result) {
    WriteMarkingCounts(sink, result);
    WriteBoundedness(sink, result);
    WriteDeadMarkings(sink, result);
    WriteLiveness(sink, result);
}

void ReachabilityAnalysis(NetWorkType& net, const std::string& fileName, std::uint64_t maxMarkings,
                          ProcedureOutput out) {
    ExplorationAnalysis(
        net, fileName, ReachabilityTitle, out,
        [&](RunControl& control) { return ExploreMarkings(net, maxMarkings, control); },
        [](ResultsSink& sink, const ReachabilityResult& r) {
            WriteReachability(sink, r);
            return r.end;
        });
}

} // namespace plax
