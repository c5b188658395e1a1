#pragma once

// What the checks of the several kinds of answer share; not for use outside the checker.
#include "answer_check.h"
#include "algorithms/point_set.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plax::check {

inline constexpr Color FaultColor = 0x0000FF; // what is wrong, in red
inline constexpr Color RightColor = 0x008000; // a right answer, in green

// One check in progress: the net, the question, the run, and the verdict being written.
struct Context {
    const NetWorkType& net;
    const CheckRequest& request;
    RunControl& control;
    Verdict& verdict;
    // A right answer as text, shown when "Show a correct answer" is ticked and the verdict does
    // not already name one.
    std::optional<std::string> correct;
    // Another right answer than the student's, if there is one.
    std::optional<std::string> another;

    void Fault(const std::string& line) { verdict.lines.push_back(line); }
    void FaultPoint(int p) { verdict.points.push_back({p, FaultColor}); }
    void FaultEdge(int from, int to) { verdict.edges.push_back({from, to, FaultColor}); }
    bool Faulty() const { return !verdict.lines.empty(); }
};

std::size_t Ix(int p);
// An edge by its ends; the lower end first when the direction does not count.
using EdgeKey = std::pair<int, int>;
inline EdgeKey UndirectedKey(int a, int b) { return {std::min(a, b), std::max(a, b)}; }
// Every point of `points` is a point of the net; otherwise says which is not.
bool AllPointsValid(Context& c, const std::vector<int>& points);
// The edge between two points in either direction (the questions on undirected nets).
bool Joined(const NetWorkType& net, int a, int b);
double JoinedWeight(const NetWorkType& net, int a, int b);
// Two values equal up to the rounding of sums of weights.
bool SameValue(double a, double b);
// Marks the edges of a walk (or the points of a set) in the right colour.
void MarkWalk(Context& c, const std::vector<int>& walk);
void MarkPoints(Context& c, const std::vector<int>& points);

void CheckWalkQuestion(Context& c, const StudentAnswer& answer);
void CheckSetQuestion(Context& c, const StudentAnswer& answer);
void CheckColoring(Context& c, const StudentAnswer& answer);
void CheckSeparation(Context& c, const StudentAnswer& answer);
void CheckSpanningTree(Context& c, const StudentAnswer& answer);
void CheckFlow(Context& c, const StudentAnswer& answer);

} // namespace plax::check
