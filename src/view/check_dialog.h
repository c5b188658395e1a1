#pragma once

#include "checking/answer_check.h"

#include <string>

class QWidget;

namespace plax {

// What the "Check My Answer" dialog asks: the question and its points, whether to show a right
// answer, the answer typed (empty: mark it on the canvas), and for an exercise whether the
// weights stay hidden until the student has answered.
struct CheckDialogState {
    CheckRequest request;
    std::string answer;
    bool hideWeights = false;
    bool forExercise = false;
};

inline constexpr const char* CheckMyAnswerCaption = "Check My Answer";
inline constexpr const char* SaveAsExerciseCaption = "Save as Exercise...";
// The status line while check mode waits for the answer to be marked.
inline constexpr const char* CheckModePrompt =
    "Check My Answer: mark the answer, then Property > Check My Answer";

// The modal dialog on `state`; false on Cancel.
bool AskCheckQuestion(QWidget* parent, CheckDialogState& state, int points);

} // namespace plax
