#include "check_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "cli_sink.h"
#include "net_io.h"

#include "procedures/answer_account.h"

namespace plax::cli {

namespace {

constexpr const char* UnreadableAnswer = "plax-cli: the answer cannot be read: ";

// --source and --sink as whole numbers; whether they are points of the net is the question's test.
std::optional<int> PointOption(const Invocation& inv, const char* option, std::ostream& err, bool& bad) {
    if (!inv.Value(option)) return 0;
    const auto p = NumberOption(inv, option, 0, 65535, err);
    if (!p) bad = true;
    return p ? static_cast<int>(*p) : 0;
}

int StatusOf(Outcome outcome) {
    switch (outcome) {
    case Outcome::Correct: return ExitDone;
    case Outcome::Incorrect: return ExitIncorrect;
    case Outcome::Stopped: return ExitRefused;
    }
    return ExitRefused;
}

} // namespace

const OptionSpec& CheckOptionSpec() {
    static const OptionSpec accepted{{"--answer", "--source", "--sink", "--time-limit", "--time", "--date"},
                                     {"--show-correct"}};
    return accepted;
}

int RunCheck(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const QuestionInfo* info = FindQuestion(inv.positional[0]);
    if (info == nullptr) {
        err << "plax-cli: unknown question " << inv.positional[0] << " (plax-cli --help lists them)\n";
        return ExitUsage;
    }
    const auto text = inv.Value("--answer");
    if (!text) {
        err << "plax-cli: check needs --answer TEXT\n";
        return ExitUsage;
    }
    bool bad = false;
    CheckRequest request{info->question, *PointOption(inv, "--source", err, bad),
                         *PointOption(inv, "--sink", err, bad), inv.Has("--show-correct")};
    std::optional<std::chrono::steady_clock::duration> limit;
    if (inv.Value("--time-limit")) {
        const auto seconds = NumberOption(inv, "--time-limit", 0, 1000000, err);
        if (seconds) limit = std::chrono::seconds(*seconds);
        bad = bad || !seconds;
    }
    if (bad) return ExitUsage;

    CliMessages messages(err, false);
    NetWorkType net;
    if (!ReadNetFile(net, inv.positional[1], OptionType{}, messages)) return ExitUnreadable;
    if (const auto refusal = QuestionRefusal(net, request)) {
        messages.Warning(*refusal);
        return ExitRefused;
    }
    const ParsedAnswer parsed = ParseAnswer(info->kind, *text);
    if (!parsed.answer) {
        err << UnreadableAnswer << parsed.error << '\n';
        return ExitRefused;
    }
    const FixedClock clock(inv.Value("--time").value_or(""), inv.Value("--date").value_or(""));
    RunFlags flags;
    CliSink sink(clock, flags, out, limit);
    const auto verdict = CheckMyAnswer(net, request, *parsed.answer, inv.positional[1], {sink, messages});
    if (sink.OutputFailed() || !out.flush() || !verdict) return ExitRefused;
    return StatusOf(verdict->outcome);
}

} // namespace plax::cli
