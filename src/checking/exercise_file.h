#pragma once

#include "answer_check.h"

#include <optional>
#include <string>
#include <string_view>

namespace plax {

// An exercise a teacher hands out: a small text file beside the net, naming the net file, the
// question with its points, and whether the weights stay hidden until the student has answered.
//
//   PLAX EXERCISE 1
//   net=road.net
//   question=shortest-path
//   source=1
//   sink=9
//   hide-weights=yes
//
// Lines end in LF or CR LF; a key appears at most once; net and question are required.
struct Exercise {
    std::string netFile; // a file name in the exercise's folder, without a folder of its own
    CheckRequest request;
    bool hideWeights = false;
};

inline constexpr const char* ExerciseExtension = "pex";
inline constexpr const char* ExerciseFilter = "Plax exercise (*.pex)|*.pex";
inline constexpr std::size_t MaxExerciseBytes = 4096;

// The exercise in the text, or why it is not one. Any bytes are safe to give it.
struct ReadExercise {
    std::optional<Exercise> exercise;
    std::string error;
};
ReadExercise ParseExercise(std::string_view text);
std::string ExerciseText(const Exercise& exercise);

// The file at `path`, read as hostile input; the net's path beside it.
ReadExercise LoadExercise(const std::string& path);
std::string ExerciseNetPath(const std::string& exercisePath, const Exercise& exercise);
// Written atomically; false when it could not be.
[[nodiscard]] bool SaveExercise(const std::string& path, const Exercise& exercise);

} // namespace plax
