#include "answer_account.h"

#include "answer_texts.h"
#include "algorithms/long_run.h"
#include "accounts/procedure_texts.h"

namespace plax {

namespace {

constexpr const char* QuestionLabel = "    Question : ";
constexpr const char* AnswerLabel = "    Your answer : ";

void WriteVerdict(ResultsSink& sink, const NetWorkType& net, const CheckRequest& request,
                  const StudentAnswer& answer, const Verdict& verdict) {
    sink.WriteReportHeader(CheckTitle, net);
    sink.AddLine(QuestionLabel + QuestionText(request));
    sink.AddLine(AnswerLabel + AnswerText(InfoOf(request.question).kind, answer));
    sink.AddLine("");
    if (verdict.outcome == Outcome::Stopped) {
        sink.AddLine(ProcedureTerminatedLine);
        return;
    }
    for (const std::string& line : verdict.lines)
        sink.AddLine("    " + line);
    if (verdict.proof.empty()) return;
    sink.AddLine("");
    sink.AddLine(ProofHeading);
    for (const std::string& line : verdict.proof)
        sink.AddLine(line);
}

} // namespace

std::optional<Verdict> CheckMyAnswer(NetWorkType& net, const CheckRequest& request,
                                     const StudentAnswer& answer, const std::string& fileName,
                                     ProcedureOutput out) {
    if (!out.sink.OpenResults(net.name, fileName, out.messages)) return std::nullopt;
    Verdict verdict;
    {
        LongRun run(out.sink, net);
        verdict = CheckAnswer(net, request, answer, out.sink);
    }
    WriteAccount(out.sink, out.messages, [&] { WriteVerdict(out.sink, net, request, answer, verdict); });
    return verdict;
}

} // namespace plax
