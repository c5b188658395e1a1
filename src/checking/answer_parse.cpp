// Typed answers: lists of point numbers, of edges, of colours, or a flow value with flows.
#include "answer_check.h"
#include "answer_texts.h"

#include "model/mark_value.h"
#include "model/text_utils.h"

#include <cctype>

namespace plax {

namespace {

constexpr const char* TooLongError = "the answer is longer than 4096 characters";
constexpr const char* NumberError = "a point or colour number must be a whole number from 0 to 9999";
constexpr const char* OddEdgeError = "an edge needs two points";
constexpr const char* FlowEntryError = "a flow is written FROM-TO=AMOUNT, the amount from 0 to 1.0E38";
constexpr const char* FlowValueError = "the flow value must be a number from 0 to 1.0E38";
constexpr int MaxNumber = 9999;

bool Separator(char ch) {
    return std::isspace(static_cast<unsigned char>(ch)) != 0 || ch == ',' || ch == ';' || ch == '(' ||
           ch == ')' || ch == '{' || ch == '}' || ch == '-';
}

bool IsNone(std::string_view text) {
    std::string t = TrimText(text);
    for (char& ch : t)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return t == "none";
}

// Whole numbers between separators.
std::optional<std::vector<int>> Numbers(std::string_view text, std::string& error) {
    std::vector<int> numbers;
    std::size_t i = 0;
    bool afterNumber = false; // a dash joins two numbers; before a number it would be a sign
    while (i < text.size()) {
        if (Separator(text[i])) {
            if (text[i] == '-' && !afterNumber) {
                error = NumberError;
                return std::nullopt;
            }
            afterNumber = afterNumber && std::isspace(static_cast<unsigned char>(text[i])) != 0;
            ++i;
            continue;
        }
        afterNumber = true;
        int value = 0;
        std::size_t digits = 0;
        for (; i < text.size() && !Separator(text[i]); ++i, ++digits) {
            if (std::isdigit(static_cast<unsigned char>(text[i])) == 0 || digits == 4) {
                error = NumberError;
                return std::nullopt;
            }
            value = value * 10 + (text[i] - '0');
        }
        numbers.push_back(value);
    }
    if (numbers.size() > MaxAnswerText) error = TooLongError;
    return numbers;
}

std::optional<FlowEntry> FlowOf(std::string_view item) {
    const auto dash = item.find('-');
    const auto equals = item.find('=');
    if (dash == std::string_view::npos || equals == std::string_view::npos || equals < dash)
        return std::nullopt;
    std::string unused;
    const auto from = Numbers(item.substr(0, dash), unused);
    const auto to = Numbers(item.substr(dash + 1, equals - dash - 1), unused);
    const auto amount = ParseMark(item.substr(equals + 1));
    if (!from || !to || from->size() != 1 || to->size() != 1 || !amount) return std::nullopt;
    return FlowEntry{from->front(), to->front(), *amount};
}

bool ParseFlow(std::string_view text, StudentAnswer& a, std::string& error) {
    const auto semicolon = text.find(';');
    const std::string value = TrimText(text.substr(0, semicolon));
    if (!value.empty()) {
        a.value = ParseMark(value);
        if (!a.value) {
            error = FlowValueError;
            return false;
        }
    }
    if (semicolon == std::string_view::npos) return true;
    std::string_view rest = text.substr(semicolon + 1);
    while (!TrimText(rest).empty()) {
        const auto comma = rest.find(',');
        const auto entry = FlowOf(TrimText(rest.substr(0, comma)));
        if (!entry) {
            error = FlowEntryError;
            return false;
        }
        a.flows.push_back(*entry);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return true;
}

} // namespace

ParsedAnswer ParseAnswer(AnswerKind kind, std::string_view text) {
    ParsedAnswer parsed;
    if (text.size() > MaxAnswerText) {
        parsed.error = TooLongError;
        return parsed;
    }
    StudentAnswer a;
    if (kind == AnswerKind::Flow) {
        if (ParseFlow(text, a, parsed.error)) parsed.answer = a;
        return parsed;
    }
    if (IsNone(text)) {
        a.none = true;
        parsed.answer = a;
        return parsed;
    }
    const auto numbers = Numbers(text, parsed.error);
    if (!numbers || !parsed.error.empty()) return parsed;
    if (kind == AnswerKind::EdgeSet) {
        if (numbers->size() % 2 != 0) {
            parsed.error = OddEdgeError;
            return parsed;
        }
        for (std::size_t i = 0; i < numbers->size(); i += 2)
            a.edges.push_back(
                {static_cast<std::uint16_t>((*numbers)[i]), static_cast<std::uint16_t>((*numbers)[i + 1])});
    } else if (kind == AnswerKind::Coloring) {
        a.colors.push_back(0);
        a.colors.insert(a.colors.end(), numbers->begin(), numbers->end());
    } else {
        a.points = *numbers;
    }
    parsed.answer = a;
    return parsed;
}

std::string AnswerText(AnswerKind kind, const StudentAnswer& a) {
    if (a.none) return "none";
    switch (kind) {
    case AnswerKind::Flow: {
        std::string text = a.value ? ResultNumber(*a.value) : std::string();
        for (std::size_t i = 0; i < a.flows.size(); ++i) {
            const FlowEntry& f = a.flows[i];
            text += std::string(i == 0 ? "; " : ", ") + std::to_string(f.from) + "-" + std::to_string(f.to) +
                    "=" + ResultNumber(f.amount);
        }
        return text;
    }
    case AnswerKind::Coloring:
        return PointList(a.colors.empty() ? std::vector<int>{}
                                          : std::vector<int>(a.colors.begin() + 1, a.colors.end()));
    case AnswerKind::EdgeSet: return EdgesText(a.edges);
    case AnswerKind::PointSet: return PointSetText(a.points);
    case AnswerKind::Walk: return a.points.empty() ? EdgesText(a.edges) : PointList(a.points);
    }
    return {};
}

} // namespace plax
