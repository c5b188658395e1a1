#pragma once

#include "model/net_types.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plax {

inline constexpr const char* NotUndirectedRefusal = "The question is asked of undirected nets only.";
inline constexpr const char* NotDirectedRefusal = "The question is asked of directed nets only.";
inline constexpr const char* NetHasCycleRefusal = "NetWork has a Cycle.\r\nThere isnt Critical Path";
inline constexpr const char* NoSourceRefusal = "The question needs a source point.";
inline constexpr const char* NoSinkRefusal = "The question needs a sink point.";

// The questions a student's answer can be checked against: one for each procedure that
// computes a single right answer.
enum class Question {
    ShortestPath,
    SpanningTree,
    MaximalFlow,
    CriticalPath,
    EulerPath,
    EulerCycle,
    HamiltonianPath,
    HamiltonianCycle,
    Salesman,
    Clique,
    IndependentSet,
    PointCover,
    Coloring,
    CutPoints,
    Bridges,
};

// What an answer is made of.
enum class AnswerKind { Walk, PointSet, EdgeSet, Coloring, Flow };

// What the question needs besides the net.
enum class QuestionPoints { None, SourceOptional, SourceAndSink };

struct QuestionInfo {
    Question question;
    std::string_view name;          // plax-cli check NAME, and the exercise file's question
    std::string_view procedureName; // the procedure whose kinds of net and refusal apply
    std::string_view caption;       // as the question dialog lists it
    AnswerKind kind;
    QuestionPoints points;
    bool noneAllowed; // "none" can be the right answer
};

std::span<const QuestionInfo> Questions();
const QuestionInfo& InfoOf(Question q);
const QuestionInfo* FindQuestion(std::string_view name);

struct CheckRequest {
    Question question = Question::ShortestPath;
    int source = 0;
    int sink = 0;
    bool showCorrect = false; // "Show a correct answer"
};

// Why the question cannot be asked of this net (or of these points), if it cannot: the kind of
// net, the procedure's own refusal, a missing or wrong source or sink.
std::optional<std::string> QuestionRefusal(const NetWorkType& net, const CheckRequest& request);

} // namespace plax
