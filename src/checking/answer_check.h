#pragma once

#include "algorithms/marking_buffer.h"
#include "algorithms/run_control.h"

#include "model/net_types.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

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

struct FlowEntry {
    int from = 0;
    int to = 0;
    double amount = 0.0;
};

// A student's answer as it was marked on the canvas or typed. Each question reads the parts its
// kind names: a walk is its points in order, or its edges, which are then followed from the start.
struct StudentAnswer {
    std::vector<int> points;
    std::vector<EdgeMark> edges;
    std::vector<int> colors; // colour number by point, from index 1; 0 or missing: none
    std::optional<double> value;
    std::vector<FlowEntry> flows;
    bool none = false; // "there is none"
};

// A typed answer taken apart, or why it cannot be. Bounded: at most MaxAnswerText characters.
inline constexpr std::size_t MaxAnswerText = 4096;
struct ParsedAnswer {
    std::optional<StudentAnswer> answer;
    std::string error;
};
ParsedAnswer ParseAnswer(AnswerKind kind, std::string_view text);
// The answer written back as ParseAnswer reads it.
std::string AnswerText(AnswerKind kind, const StudentAnswer& answer);

struct CheckRequest {
    Question question = Question::ShortestPath;
    int source = 0;
    int sink = 0;
    bool showCorrect = false; // "Show a correct answer"
};

enum class Outcome { Correct, Incorrect, Stopped };

struct MarkedPoint {
    int point = 0;
    Color color = 0;
};
struct MarkedEdge {
    int from = 0;
    int to = 0;
    Color color = 0;
};

// The checker's finding: "Correct" or what is wrong, each line with its evidence, the proof of
// the right answer where one exists, and what the canvas marks.
struct Verdict {
    Outcome outcome = Outcome::Incorrect;
    std::vector<std::string> lines;
    std::vector<std::string> proof;
    std::vector<MarkedPoint> points;
    std::vector<MarkedEdge> edges;
};

// "shortest path from 1 to 9": the question as the verdict names it.
std::string QuestionText(const CheckRequest& request);

// Why the question cannot be asked of this net (or of these points), if it cannot: the kind of
// net, the procedure's own refusal, a missing or wrong source or sink.
std::optional<std::string> QuestionRefusal(const NetWorkType& net, const CheckRequest& request);

// Checks `answer`. The exact searches poll `control`; Stop gives the Stopped outcome.
Verdict CheckAnswer(const NetWorkType& net, const CheckRequest& request, const StudentAnswer& answer,
                    RunControl& control);

} // namespace plax
