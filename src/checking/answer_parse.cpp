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
constexpr const char* UnclosedNameError = "a name in quotes needs its closing quote";

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

// Where `ch` first stands outside a quoted name, from `from` on.
std::size_t FindUnquoted(std::string_view text, char ch, std::size_t from = 0) {
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == ch && !quoted) return i;
    }
    return std::string_view::npos;
}

// A point or colour number, or with `word` the point a word names; a quoted word is always a name.
std::optional<int> Item(std::string_view token, bool quoted, const PointWord& word, std::string& error) {
    if (!quoted && token.find_first_not_of("0123456789") == std::string_view::npos) {
        if (token.size() > 4) {
            error = NumberError;
            return std::nullopt;
        }
        int value = 0;
        for (char ch : token)
            value = value * 10 + (ch - '0');
        return value;
    }
    if (!word) {
        error = NumberError;
        return std::nullopt;
    }
    return word(token, error);
}

// Whole numbers (or, with `word`, names of points) between separators.
std::optional<std::vector<int>> Numbers(std::string_view text, std::string& error, const PointWord& word) {
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
        const bool quoted = text[i] == '"';
        const std::size_t start = quoted ? i + 1 : i;
        std::size_t end = start;
        if (quoted) {
            end = text.find('"', start);
            if (end == std::string_view::npos) {
                error = UnclosedNameError;
                return std::nullopt;
            }
            i = end + 1;
        } else {
            while (end < text.size() && !Separator(text[end]))
                ++end;
            i = end;
        }
        const auto item = Item(text.substr(start, end - start), quoted, word, error);
        if (!item) return std::nullopt;
        numbers.push_back(*item);
    }
    if (numbers.size() > MaxAnswerText) error = TooLongError;
    return numbers;
}

std::optional<FlowEntry> FlowOf(std::string_view item, const PointWord& word, std::string& error) {
    const auto dash = FindUnquoted(item, '-');
    const auto equals = dash == std::string_view::npos ? dash : FindUnquoted(item, '=', dash);
    if (dash == std::string_view::npos || equals == std::string_view::npos) return std::nullopt;
    const auto from = Numbers(item.substr(0, dash), error, word);
    const auto to = from ? Numbers(item.substr(dash + 1, equals - dash - 1), error, word) : std::nullopt;
    const auto amount = ParseMark(item.substr(equals + 1));
    if (!from || !to || from->size() != 1 || to->size() != 1 || !amount) return std::nullopt;
    return FlowEntry{from->front(), to->front(), *amount};
}

bool ParseFlow(std::string_view text, StudentAnswer& a, std::string& error, const PointWord& word) {
    const auto semicolon = FindUnquoted(text, ';');
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
        const auto comma = FindUnquoted(rest, ',');
        std::string named;
        const auto entry = FlowOf(TrimText(rest.substr(0, comma)), word, named);
        if (!entry) {
            // A name that names no point says so; any other fault is the entry's form.
            error = named.empty() || named == NumberError ? FlowEntryError : named;
            return false;
        }
        a.flows.push_back(*entry);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return true;
}

} // namespace

ParsedAnswer ParseAnswer(AnswerKind kind, std::string_view text, const PointWord& word) {
    ParsedAnswer parsed;
    if (text.size() > MaxAnswerText) {
        parsed.error = TooLongError;
        return parsed;
    }
    StudentAnswer a;
    if (kind == AnswerKind::Flow) {
        if (ParseFlow(text, a, parsed.error, word)) parsed.answer = a;
        return parsed;
    }
    if (IsNone(text)) {
        a.none = true;
        parsed.answer = a;
        return parsed;
    }
    // Colours are numbers; every other answer names points.
    const auto numbers = Numbers(text, parsed.error, kind == AnswerKind::Coloring ? PointWord() : word);
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
