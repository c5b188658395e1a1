#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plax {

// Every line a verdict or a proof can hold, defined once. Points are written in decimal, lengths
// and weights in the Result number format.

inline constexpr const char* CorrectText = "Correct";
inline constexpr const char* AnotherAnswerText = "another correct answer exists";
inline constexpr const char* EmptyAnswerText = "the answer is empty";
inline constexpr const char* NoneIsRightText = "there is none";
inline constexpr const char* CheckTitle = "                Check My Answer";
inline constexpr const char* ProofHeading = "    Proof:";

// "1, 2, 5, 9" and "{1,3,6}".
std::string PointList(const std::vector<int>& points);
std::string PointSetText(const std::vector<int>& points);
std::string EdgeText(int from, int to); // "(3,4)"
// "(1,2), (2,5)": any range of edges whose two members are their ends.
template <typename Edges> std::string EdgesText(const Edges& edges) {
    std::string text;
    for (const auto& [from, to] : edges)
        text += (text.empty() ? "" : ", ") + EdgeText(from, to);
    return text;
}

std::string NotAPointText(int p);
std::string NotAnEdgeText(int from, int to);
std::string VisitedTwiceText(int p);
std::string ListedTwiceText(int p);
std::string EdgeListedTwiceText(int from, int to);
std::string NotVisitedText(int p);
std::string WrongStartText(int start, int source);
std::string WrongEndText(int end, int sink);
std::string OpenCycleText(int end, int start);
std::string ClosedPathText();
std::string EdgeOffWalkText(int from, int to);
std::string EdgeUsedTwiceText(int from, int to);
std::string EdgeNotUsedText(int from, int to);
// "the path has length 23; a shortest path has length 21.5: 1, 2, 5, 9"
std::string CompareText(std::string_view what, std::string_view measure, double yours, std::string_view best,
                        double value, const std::vector<int>& bestWalk);
std::string ExistsText(std::string_view what, const std::vector<int>& walk);
std::string AnotherAnswerShownText(const std::string& answer);
std::string CorrectAnswerShownText(const std::string& answer);

std::string TreeEdgeCountText(int yours, int points);
std::string TreeCycleText(const std::vector<int>& cycle);
std::string NotJoinedText(int p, int root);
std::string TreeExchangeText(int from, int to, double weight, int outFrom, int outTo, double outWeight);

std::string NotAdjacentText(int a, int b);
std::string AdjacentText(int a, int b);
std::string NotCoveredText(int from, int to);
std::string NotGreatestText(std::string_view what, int size, const std::vector<int>& better);
std::string NotSmallestCoverText(int size, const std::vector<int>& better);

std::string NoColorText(int p);
std::string SameColorText(int a, int b, int color);
std::string MoreColorsText(int least, int yours);

std::string NotCutPointText(int p);
std::string MissedCutPointText(int p, int a, int b);
std::string NotBridgeText(int from, int to);
std::string MissedBridgeText(int from, int to);

std::string OverCapacityText(int from, int to, double amount, double capacity);
std::string ConservationText(int p, double in, double out);
std::string FlowValueMismatchText(double carried, double value);
std::string FlowNotMaximalText(double value, double maximal);
std::string FlowTooLargeText(double value, const std::vector<int>& sourceSide, double capacity);

std::string OddDegreeText(const std::vector<int>& points);
std::string UnbalancedText(const std::vector<int>& points);
std::string AllEvenText();
std::string UnreachedText(int p, int from);
std::string OneNeighbourText(const std::vector<int>& points);
std::string CutPointReasonText(int p);
std::string BipartiteText(int left, int right);
std::string ExhaustiveNoneText(std::string_view what);

// Proof lines, written as the account's lines are (four blanks first).
inline constexpr const char* StoppedProofLine = "    Stop was pressed before the proof was complete.";
inline constexpr const char* CutEdgesHeading = "    Edges across the cut, with their capacities:";
inline constexpr const char* TreeCutsHeading =
    "    Each tree edge is a lightest edge between the points it parts from the rest and the rest:";
std::string DistanceLabelsHeading(int source);
std::string MinimumCutLine(const std::vector<int>& sourceSide);
std::string CutCapacityLine(double capacity, double flow);
std::string CliqueForcesLine(const std::vector<int>& clique, int colors);
std::string OddCycleForcesLine(const std::vector<int>& cycle);
std::string NoFewerColorsLine(int colors, unsigned long long steps);
std::string NoGreaterSetLine(std::string_view what, int size, unsigned long long steps);
std::string SetsCoverLine(std::string_view what, int size);
std::string CoverProofLine(int independent);
std::string TreeCutLine(int from, int to, double weight, const std::vector<int>& side);
std::string SeparatedLine(std::string_view without, int a, int b);
std::string ObstacleLine(const std::string& reason);

} // namespace plax
