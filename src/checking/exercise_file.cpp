#include "exercise_file.h"

#include "model/file_io.h"
#include "model/text_utils.h"

#include <map>

namespace plax {

namespace {

constexpr const char* Magic = "PLAX EXERCISE 1";
constexpr const char* NotExercise = "This is not a Plax exercise file.";
constexpr const char* BadLine = "The exercise file has a line it cannot read: ";
constexpr const char* NoNet = "The exercise file names no net file in its folder.";
constexpr const char* NoQuestion = "The exercise file names no question Plax can check.";
constexpr const char* TooLarge = "The exercise file is too large.";
constexpr const char* CannotRead = "The exercise file cannot be read.";

std::optional<int> PointNumber(const std::string& text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value <= MaxPoints ? std::optional<int>(value) : std::nullopt;
}

// A plain name: no folder, no control character, not "." or "..".
bool PlainFileName(const std::string& name) {
    if (name.empty() || name.size() > 255 || name == "." || name == "..") return false;
    for (char ch : name)
        if (ch == '/' || ch == '\\' || static_cast<unsigned char>(ch) < 0x20) return false;
    return true;
}

std::optional<std::map<std::string, std::string>> Fields(std::string_view text, std::string& error) {
    std::map<std::string, std::string> fields;
    bool first = true;
    for (const std::string_view read : TextLines(text)) {
        const std::string line(read);
        if (first) {
            if (line != Magic) {
                error = NotExercise;
                return std::nullopt;
            }
            first = false;
            continue;
        }
        if (line.empty()) continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos ||
            !fields.emplace(line.substr(0, equals), line.substr(equals + 1)).second) {
            error = BadLine + CutText(line, 40);
            return std::nullopt;
        }
    }
    if (first) error = NotExercise;
    return first ? std::nullopt : std::optional(fields);
}

} // namespace

ReadExercise ParseExercise(std::string_view text) {
    ReadExercise read;
    if (text.size() > MaxExerciseBytes) {
        read.error = TooLarge;
        return read;
    }
    auto fields = Fields(text, read.error);
    if (!fields) return read;
    Exercise e;
    e.netFile = (*fields)["net"];
    const QuestionInfo* q = FindQuestion((*fields)["question"]);
    if (!PlainFileName(e.netFile)) read.error = NoNet;
    if (q == nullptr) read.error = NoQuestion;
    if (!read.error.empty()) return read;
    e.request.question = q->question;
    const auto hide = fields->find("hide-weights");
    if (hide != fields->end() && hide->second != "yes" && hide->second != "no") {
        read.error = BadLine + std::string("hide-weights=") + CutText(hide->second, 20);
        return read;
    }
    e.hideWeights = hide != fields->end() && hide->second == "yes";
    for (const char* key : {"source", "sink"}) {
        const auto it = fields->find(key);
        if (it == fields->end()) continue;
        const auto p = PointNumber(it->second);
        if (!p) {
            read.error = BadLine + std::string(key) + "=" + CutText(it->second, 20);
            return read;
        }
        (std::string_view(key) == "source" ? e.request.source : e.request.sink) = *p;
    }
    for (const auto& [key, value] : *fields)
        if (key != "net" && key != "question" && key != "source" && key != "sink" && key != "hide-weights") {
            read.error = BadLine + CutText(key, 40);
            return read;
        }
    read.exercise = e;
    return read;
}

std::string ExerciseText(const Exercise& e) {
    std::string text = std::string(Magic) + "\nnet=" + e.netFile +
                       "\nquestion=" + std::string(InfoOf(e.request.question).name) + "\n";
    if (e.request.source != 0) text += "source=" + std::to_string(e.request.source) + "\n";
    if (e.request.sink != 0) text += "sink=" + std::to_string(e.request.sink) + "\n";
    text += std::string("hide-weights=") + (e.hideWeights ? "yes" : "no") + "\n";
    return text;
}

ReadExercise LoadExercise(const std::string& path) {
    std::string bytes;
    const ReadStatus status = ReadFileLimited(path, MaxExerciseBytes, bytes);
    if (status == ReadStatus::TooLarge) return {std::nullopt, TooLarge};
    if (status != ReadStatus::Ok) return {std::nullopt, CannotRead};
    return ParseExercise(bytes);
}

std::string ExerciseNetPath(const std::string& exercisePath, const Exercise& exercise) {
    const auto slash = exercisePath.find_last_of('/');
    return slash == std::string::npos ? exercise.netFile
                                      : exercisePath.substr(0, slash + 1) + exercise.netFile;
}

bool SaveExercise(const std::string& path, const Exercise& exercise) {
    return WriteFileAtomically(path, ExerciseText(exercise)) == WriteStatus::Ok;
}

} // namespace plax
