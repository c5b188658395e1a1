#pragma once

#include "point_names.h"

#include "algorithms/marking_buffer.h"
#include "algorithms/run_control.h"

#include "catalogue/question_table.h"

#include "model/net_types.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

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
// Points are numbers, or with `word` also names (in double quotes when they hold blanks or any
// of , ; ( ) { } - =); colours are numbers.
ParsedAnswer ParseAnswer(AnswerKind kind, std::string_view text, const PointWord& word = {});
// The answer written back as ParseAnswer reads it.
std::string AnswerText(AnswerKind kind, const StudentAnswer& answer);

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

// Checks `answer`. The exact searches poll `control`; Stop gives the Stopped outcome.
Verdict CheckAnswer(const NetWorkType& net, const CheckRequest& request, const StudentAnswer& answer,
                    RunControl& control);

} // namespace plax
