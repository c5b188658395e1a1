#include "check_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "cli_sink.h"
#include "net_io.h"

#include "checking/answer_account.h"

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

std::string_view CheckHelp() {
    static const std::string help = [] {
        std::string h = "  QUESTION is one of:";
        for (const QuestionInfo& q : Questions())
            h.append(" ").append(q.name);
        h += "\n"
             "  --answer TEXT          the answer: points \"1,2,5,9\", edges \"(1,2),(2,5)\", colours of\n"
             "                         points 1, 2, ... \"1,2,1\", a flow \"7; 1-2=3, 2-4=3\", or \"none\"\n"
             "  --source N, --sink N   the points the question names\n"
             "  --show-correct         name a right answer in the verdict\n"
             "  --time T, --date D, --time-limit S   as for run\n"
             "  --from EXT             the format of FILE when it is \"-\" (standard input)\n"
             "  (exit 0: the answer is right, 4: it is wrong, 1: refused)\n";
        return h;
    }();
    return help;
}

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
    const auto limit = TimeLimit(inv, err, bad);
    if (bad) return ExitUsage;

    CliMessages messages(err, false);
    NetWorkType net;
    if (const int read = ReadInput(inv, inv.positional[1], net, messages, err); read != ExitDone) return read;
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
