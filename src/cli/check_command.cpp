#include "check_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "cli_sink.h"
#include "net_io.h"

#include "checking/answer_account.h"
#include "checking/point_names.h"

namespace plax::cli {

namespace {

constexpr const char* UnreadableAnswer = "plax-cli: the answer cannot be read: ";

// --source and --sink by number or name; whether a number is a point of the net is the question's test.
int PointValue(const Invocation& inv, const char* option, const NetWorkType& net, const PointIds& ids,
               std::ostream& err, bool& bad) {
    if (!inv.Value(option)) return 0;
    const auto p = PointOption(inv, option, net, ids, 0, 65535, err);
    if (!p) bad = true;
    return p.value_or(0);
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
             "                         points 1, 2, ... \"1,2,1\", a flow \"7; 1-2=3, 2-4=3\", or \"none\";\n"
             "                         a point is its number, name or id in the file (a name with\n"
             "                         blanks or , ; ( ) { } - = in double quotes)\n"
             "  --source P, --sink P   the points the question names, by number or by name\n"
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
    const auto limit = TimeLimit(inv, err, bad);
    if (bad) return ExitUsage;

    CliMessages messages(err, false);
    NetWorkType net;
    PointIds ids;
    if (const int read = ReadInput(inv, inv.positional[1], net, messages, err, &ids); read != ExitDone)
        return read;
    CheckRequest request{info->question, PointValue(inv, "--source", net, ids, err, bad),
                         PointValue(inv, "--sink", net, ids, err, bad), inv.Has("--show-correct")};
    if (bad) return ExitUsage;
    if (const auto refusal = QuestionRefusal(net, request)) {
        messages.Warning(*refusal);
        return ExitRefused;
    }
    const ParsedAnswer parsed =
        ParseAnswer(info->kind, *text, [&](std::string_view word, std::string& error) {
            return NamedPoint(net, ids, word, error);
        });
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
