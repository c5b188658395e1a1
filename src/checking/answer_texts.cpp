#include "answer_texts.h"

#include "model/text_utils.h"

namespace plax {

namespace {

std::string Joined(const std::vector<int>& points, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i != 0) text += separator;
        text += std::to_string(points[i]);
    }
    return text;
}

std::string N(int p) { return std::to_string(p); }
std::string R(double v) { return ResultNumber(v); }

} // namespace

std::string PointList(const std::vector<int>& points) { return Joined(points, ", "); }
std::string PointSetText(const std::vector<int>& points) { return "{" + Joined(points, ",") + "}"; }
std::string EdgeText(int from, int to) { return "(" + N(from) + "," + N(to) + ")"; }

std::string NotAPointText(int p) { return "point " + N(p) + " is not a point of the net"; }
std::string NotAnEdgeText(int from, int to) { return EdgeText(from, to) + " is not an edge of the net"; }
std::string VisitedTwiceText(int p) { return "point " + N(p) + " is visited twice"; }
std::string ListedTwiceText(int p) { return "point " + N(p) + " is listed twice"; }
std::string EdgeListedTwiceText(int from, int to) {
    return "edge " + EdgeText(from, to) + " is listed twice";
}
std::string NotVisitedText(int p) { return "point " + N(p) + " is not visited"; }
std::string WrongStartText(int start, int source) {
    return "the path starts at " + N(start) + ", not at the source " + N(source);
}
std::string WrongEndText(int end, int sink) {
    return "the path ends at " + N(end) + ", not at the sink " + N(sink);
}
std::string OpenCycleText(int end, int start) {
    return "the cycle ends at " + N(end) + ", not where it starts (" + N(start) + ")";
}
std::string ClosedPathText() { return "the walk ends where it starts: that is a cycle, not a path"; }
std::string EdgeOffWalkText(int from, int to) {
    return "edge " + EdgeText(from, to) + " does not continue the walk of the other edges";
}
std::string EdgeUsedTwiceText(int from, int to) { return "edge " + EdgeText(from, to) + " is used twice"; }
std::string EdgeNotUsedText(int from, int to) { return "edge " + EdgeText(from, to) + " is not used"; }

std::string CompareText(std::string_view what, std::string_view measure, double yours, std::string_view best,
                        double value, const std::vector<int>& bestWalk) {
    const std::string m(measure);
    return "the " + std::string(what) + " has " + m + " " + R(yours) + "; " + std::string(best) + " has " +
           m + " " + R(value) + ": " + PointList(bestWalk);
}
std::string ExistsText(std::string_view what, const std::vector<int>& walk) {
    return std::string(what) + " exists: " + PointList(walk);
}
std::string AnotherAnswerShownText(const std::string& answer) { return "another correct answer: " + answer; }
std::string CorrectAnswerShownText(const std::string& answer) { return "a correct answer: " + answer; }

std::string TreeEdgeCountText(int yours, int points) {
    return "the tree has " + N(yours) + " edges; a spanning tree of " + N(points) + " points has " +
           N(points - 1);
}
std::string TreeCycleText(const std::vector<int>& cycle) {
    return "your edges form a cycle: " + PointList(cycle);
}
std::string NotJoinedText(int p, int root) {
    return "point " + N(p) + " is not joined to point " + N(root) + " by your tree";
}
std::string TreeExchangeText(int from, int to, double weight, int outFrom, int outTo, double outWeight) {
    return "edge " + EdgeText(from, to) + " of weight " + R(weight) + " could replace " +
           EdgeText(outFrom, outTo) + " of weight " + R(outWeight) + ": your tree is not minimal";
}

std::string NotAdjacentText(int a, int b) { return "points " + N(a) + " and " + N(b) + " are not adjacent"; }
std::string AdjacentText(int a, int b) { return "points " + N(a) + " and " + N(b) + " are adjacent"; }
std::string NotCoveredText(int from, int to) { return "edge " + EdgeText(from, to) + " is not covered"; }
std::string NotGreatestText(std::string_view what, int size, const std::vector<int>& better) {
    return "your set of " + N(size) + " is " + std::string(what) +
           " but not the greatest: " + PointSetText(better) + " has " + N(static_cast<int>(better.size()));
}
std::string NotSmallestCoverText(int size, const std::vector<int>& better) {
    return "your set of " + N(size) + " covers every edge but is not the smallest: " + PointSetText(better) +
           " has " + N(static_cast<int>(better.size()));
}

std::string NoColorText(int p) { return "point " + N(p) + " has no colour"; }
std::string SameColorText(int a, int b, int color) {
    return "points " + N(a) + " and " + N(b) + " are adjacent and both have colour " + N(color);
}
std::string MoreColorsText(int least, int yours) {
    return "a proper colouring with " + N(least) + " colours exists; yours uses " + N(yours);
}

std::string NotCutPointText(int p) {
    return "point " + N(p) + " is not a cut point: the net without it stays as connected";
}
std::string MissedCutPointText(int p, int a, int b) {
    return "point " + N(p) + " is a cut point too: without it " + N(a) + " and " + N(b) + " are apart";
}
std::string NotBridgeText(int from, int to) {
    return EdgeText(from, to) + " is not a bridge: the net without it stays as connected";
}
std::string MissedBridgeText(int from, int to) { return EdgeText(from, to) + " is a bridge too"; }

std::string OverCapacityText(int from, int to, double amount, double capacity) {
    return "edge " + EdgeText(from, to) + " carries " + R(amount) + ", more than its capacity " + R(capacity);
}
std::string ConservationText(int p, double in, double out) {
    return "the flow breaks conservation at point " + N(p) + " (in " + R(in) + ", out " + R(out) + ")";
}
std::string FlowValueMismatchText(double carried, double value) {
    return "your flows carry " + R(carried) + " out of the source, not " + R(value);
}
std::string FlowNotMaximalText(double value, double maximal) {
    return "your value " + R(value) + " is not the maximal flow: a flow of " + R(maximal) + " exists";
}
std::string FlowTooLargeText(double value, const std::vector<int>& sourceSide, double capacity) {
    return "no flow of " + R(value) + " exists: the cut around " + PointSetText(sourceSide) +
           " has capacity " + R(capacity);
}

std::string OddDegreeText(const std::vector<int>& points) {
    return "points of odd degree: " + PointList(points);
}
std::string UnbalancedText(const std::vector<int>& points) {
    return "points whose in-degree differs from their out-degree: " + PointList(points);
}
std::string AllEvenText() { return "no point has odd degree, so every Eulerian walk is a cycle"; }
std::string UnreachedText(int p, int from) {
    return "point " + N(p) + " cannot be reached from point " + N(from);
}
std::string OneNeighbourText(const std::vector<int>& points) {
    return "points with fewer than two neighbours: " + PointList(points);
}
std::string CutPointReasonText(int p) { return "point " + N(p) + " is a cut point"; }
std::string BipartiteText(int left, int right) {
    return "the net is bipartite with sides of " + N(left) + " and " + N(right) + " points";
}
std::string ExhaustiveNoneText(std::string_view what) {
    return "an exhaustive search finds no " + std::string(what);
}

std::string DistanceLabelsHeading(int source) {
    return "    Distances from point " + N(source) + "; every edge (u,v) of length w has d(v) <= d(u) + w:";
}
std::string MinimumCutLine(const std::vector<int>& sourceSide) {
    return "    Minimum cut: the points " + PointSetText(sourceSide) + " against the rest";
}
std::string CutCapacityLine(double capacity, double flow) {
    return "    Capacity of the cut = " + R(capacity) + ", value of the flow = " + R(flow);
}
std::string CliqueForcesLine(const std::vector<int>& clique, int colors) {
    return "    The clique " + PointSetText(clique) + " needs " + N(colors) + " colours.";
}
std::string OddCycleForcesLine(const std::vector<int>& cycle) {
    return "    The odd cycle " + PointList(cycle) + " needs 3 colours.";
}
std::string NoFewerColorsLine(int colors, unsigned long long steps) {
    return "    No colouring with " + N(colors) + " colours exists: an exhaustive search of " +
           std::to_string(steps) + " steps finds none.";
}
std::string NoGreaterSetLine(std::string_view what, int size, unsigned long long steps) {
    return "    No " + std::string(what) + " of " + N(size) + " points exists: an exhaustive search of " +
           std::to_string(steps) + " steps finds none.";
}
std::string SetsCoverLine(std::string_view what, int size) {
    const std::string parts = what == "clique" ? "independent sets" : "cliques";
    return "    No " + std::string(what) + " has more than " + N(size) + " points: the points fall into " +
           N(size) + " " + parts + ":";
}
std::string CoverProofLine(int independent) {
    return "    The points outside a cover are independent, and no independent set has more than " +
           N(independent) + " points:";
}
std::string TreeCutLine(int from, int to, double weight, const std::vector<int>& side) {
    return "    " + EdgeText(from, to) + " " + R(weight) + ": " + PointSetText(side);
}
std::string SeparatedLine(std::string_view without, int a, int b) {
    return "    Without " + std::string(without) + ", points " + N(a) + " and " + N(b) + " are apart.";
}
std::string ObstacleLine(const std::string& reason) { return "    None exists: " + reason + "."; }

} // namespace plax
