#include "invariants.h"

#include "petri_lines.h"

#include "accounts/procedure_texts.h"

#include <charconv>

namespace plax {

namespace {

constexpr const char* SupportLabel = "    Support :";
constexpr const char* EquationIndent = "        ";

// "2 M(p3)" or "t4": one term of an invariant's sum.
std::string Term(std::int64_t weight, const std::string& name) {
    return (weight == 1 ? std::string() : std::to_string(weight) + " ") + name;
}

std::string Sum(const std::vector<int>& points, const std::vector<std::int64_t>& v, const char* before,
                const char* after) {
    std::string text;
    for (std::size_t k = 0; k < v.size(); ++k) {
        if (v[k] == 0) continue;
        text += (text.empty() ? "" : " + ") + Term(v[k], before + std::to_string(points[k]) + after);
    }
    return text;
}

std::vector<int> SupportPoints(const std::vector<int>& points, const std::vector<std::int64_t>& v) {
    std::vector<int> support;
    for (std::size_t k = 0; k < v.size(); ++k)
        if (v[k] != 0) support.push_back(points[k]);
    return support;
}

std::string GaveUp(InvariantsEnd end) {
    return end == InvariantsEnd::Overflow
               ? " not found, the integers outgrew 64 bits"
               : " not found, more than " + std::to_string(MaxInvariantRows) + " intermediate rows";
}

void WritePlaceInvariants(ResultsSink& sink, const InvariantsResult& r) {
    const SemiPositiveSolutions& s = r.placeInvariants;
    if (s.end != InvariantsEnd::Complete) {
        sink.AddLine("    Place invariants :" + GaveUp(s.end));
    } else {
        sink.AddLine("    Place invariants : " +
                     (s.vectors.empty() ? std::string("none") : std::to_string(s.vectors.size())));
        for (const auto& y : s.vectors) {
            sink.AddLine(SupportLabel + PointList(SupportPoints(r.places, y)));
            sink.AddLine(EquationIndent + PlaceEquation(r, y));
        }
        sink.AddLine("    Places covered by a place invariant (so bounded) :" + PointsOrNone(r.covered));
        sink.AddLine("    Places not covered :" + PointsOrNone(r.uncovered));
    }
    switch (r.structurallyBounded) {
    case Structural::Yes:
        sink.AddLine("    Structurally bounded : yes, bounded from every initial marking.");
        break;
    case Structural::No:
        sink.AddLine("    Structurally bounded : no, some initial marking lets a place grow without bound.");
        break;
    case Structural::Unknown: sink.AddLine("    Structurally bounded : not known."); break;
    }
    sink.AddLine("");
}

void WriteTransitionInvariants(ResultsSink& sink, const InvariantsResult& r) {
    const SemiPositiveSolutions& s = r.transitionInvariants;
    if (s.end != InvariantsEnd::Complete) {
        sink.AddLine("    Transition invariants :" + GaveUp(s.end));
        sink.AddLine("");
        return;
    }
    sink.AddLine("    Transition invariants : " +
                 (s.vectors.empty() ? std::string("none") : std::to_string(s.vectors.size())));
    for (const auto& x : s.vectors) {
        sink.AddLine(SupportLabel + PointList(SupportPoints(r.transitions, x)));
        sink.AddLine(EquationIndent + TransitionSum(r, x));
    }
    std::vector<int> others;
    for (int t : r.transitions)
        if (std::find(r.repetitive.begin(), r.repetitive.end(), t) == r.repetitive.end()) others.push_back(t);
    sink.AddLine("    Transitions in no transition invariant :" + PointsOrNone(others));
    sink.AddLine("");
}

// The number that starts `text` at `at`, moving `at` past it.
std::optional<int> NumberAt(const std::string& text, std::size_t& at) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (ec != std::errc() || value < 1 || value > MaxPoints) return std::nullopt;
    at = static_cast<std::size_t>(end - text.data());
    return value;
}

// The points of "    Support :  1,  3." or nothing.
std::optional<std::vector<int>> SupportLinePoints(const std::string& line) {
    const std::string label = SupportLabel;
    if (line.rfind(label, 0) != 0) return std::nullopt;
    std::vector<int> points;
    std::size_t at = label.size();
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == ',' || line[at] == '.'))
            ++at;
        if (at == line.size()) break;
        const auto p = NumberAt(line, at);
        if (!p) return std::nullopt;
        points.push_back(*p);
    }
    if (points.empty()) return std::nullopt;
    return points;
}

// The points of an equation line: every "M(pN)" or "tN" term, weights before them skipped.
std::optional<std::vector<int>> EquationLinePoints(const std::string& line) {
    if (line.rfind(EquationIndent, 0) != 0) return std::nullopt;
    std::string sum = line.substr(std::string(EquationIndent).size());
    if (const auto eq = sum.find(" = "); eq != std::string::npos) sum.resize(eq);
    std::vector<int> points;
    std::size_t at = 0;
    while (at <= sum.size()) {
        std::size_t end = sum.find(" + ", at);
        if (end == std::string::npos) end = sum.size();
        std::string term = sum.substr(at, end - at);
        if (const auto blank = term.find(' '); blank != std::string::npos) term = term.substr(blank + 1);
        std::size_t digits = term.rfind("M(p", 0) == 0 ? 3 : term.rfind('t', 0) == 0 ? 1 : 0;
        if (digits == 0) return std::nullopt;
        const auto p = NumberAt(term, digits);
        if (!p) return std::nullopt;
        points.push_back(*p);
        at = end + 3;
    }
    if (points.empty()) return std::nullopt;
    return points;
}

} // namespace

std::string PlaceEquation(const InvariantsResult& r, const std::vector<std::int64_t>& y) {
    std::int64_t constant = 0;
    bool fits = true;
    for (std::size_t k = 0; k < y.size(); ++k) {
        std::int64_t term = 0;
        fits = fits && !__builtin_mul_overflow(y[k], std::int64_t{r.marking[k]}, &term) &&
               !__builtin_add_overflow(constant, term, &constant);
    }
    return Sum(r.places, y, "M(p", ")") + " = " + (fits ? std::to_string(constant) : "(beyond 64 bits)");
}

std::string TransitionSum(const InvariantsResult& r, const std::vector<std::int64_t>& x) {
    return Sum(r.transitions, x, "t", "");
}

void WriteInvariants(ResultsSink& sink, const InvariantsResult& result) {
    sink.AddLine("    Places (the order of a marking) :" + PointsOrNone(result.places));
    sink.AddLine("    Transitions :" + PointsOrNone(result.transitions));
    sink.AddLine("    Marking now : " + MarkingText(result.marking));
    sink.AddLine("");
    WritePlaceInvariants(sink, result);
    WriteTransitionInvariants(sink, result);
}

std::optional<std::vector<int>> InvariantLinePoints(const std::string& line) {
    if (auto points = SupportLinePoints(line)) return points;
    return EquationLinePoints(line);
}

void InvariantsAnalysis(NetWorkType& net, const std::string& fileName, ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return;
    WriteAccount(out.sink, out.messages, [&] {
        out.sink.WriteReportHeader(InvariantsTitle, net);
        WriteInvariants(out.sink, ComputeInvariants(net));
    });
}

} // namespace plax
