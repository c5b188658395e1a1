#include "generate_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "net_io.h"

#include "model/net_templates.h"

#include <charconv>
#include <cstdlib>
#include <optional>

namespace plax::cli {

const char* const GenerateHelp =
    "  KIND is one of: complete cycle path star wheel bipartite grid hypercube petersen tree\n"
    "  gnp gnm activity flow producer-consumer\n"
    "  --n N                  points of complete, cycle, path, tree, gnp, gnm, activity, flow;\n"
    "                         leaves of a star, rim of a wheel, n of Km,n, rows of a grid, d of Qd\n"
    "  --m M                  m of Km,n, columns of a grid, edges of gnm, buffer slots of\n"
    "                         producer-consumer (default 3)\n"
    "  --p P                  edge chance of gnp, further edges of activity and flow (default 0.5)\n"
    "  --directed             a directed net where the kind allows both\n"
    "  --seed S               the seed of a random kind (default 1): the same seed, the same net\n"
    "  --weights RULE         constant (default), random or euclidean\n"
    "  --weight W             the constant weight (default 1)\n"
    "  --range LO:HI          random whole weights from LO to HI (default 1:10)\n"
    "  --decimals D           euclidean weights rounded to D decimals, 0..6 (default 0)\n"
    "  --names letters        points named A, B, ... instead of 1, 2, ...\n"
    "  --size WxH             the window the net is laid out in (default 593x326)\n"
    "  --to EXT               the format of OUT when it is \"-\" (standard output)\n"
    "  --yes                  replace an existing OUT without asking\n";

OptionSpec GenerateOptionSpec() {
    return {{"--n", "--m", "--p", "--seed", "--weights", "--weight", "--range", "--decimals", "--names",
             "--size"},
            {"--directed", "--yes"}};
}

namespace {

std::optional<double> RealOption(const Invocation& inv, const std::string& option, std::ostream& err) {
    const std::string text = *inv.Value(option);
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        err << "plax-cli: " << option << " takes a number\n";
        return std::nullopt;
    }
    return v;
}

std::optional<std::pair<long long, long long>> PairOption(const Invocation& inv, const std::string& option,
                                                          char between, std::ostream& err) {
    const std::string text = *inv.Value(option);
    const auto cut = text.find(between);
    long long a = 0;
    long long b = 0;
    const char* mid = text.data() + (cut == std::string::npos ? text.size() : cut);
    const auto ra = std::from_chars(text.data(), mid, a);
    const auto rb = cut == std::string::npos ? std::from_chars_result{mid, std::errc::invalid_argument}
                                             : std::from_chars(mid + 1, text.data() + text.size(), b);
    if (ra.ec != std::errc() || ra.ptr != mid || rb.ec != std::errc() ||
        rb.ptr != text.data() + text.size()) {
        err << "plax-cli: " << option << " takes two whole numbers as A" << between << "B\n";
        return std::nullopt;
    }
    return std::pair{a, b};
}

// Fills `p` from the options; false (the reason on `err`) on a malformed one.
bool ReadParams(const Invocation& inv, TemplateParams& p, std::ostream& err) {
    auto whole = [&](const char* option, long long lo, long long hi, auto& field) {
        if (!inv.Value(option)) return true;
        const auto v = NumberOption(inv, option, lo, hi, err);
        if (v) field = static_cast<std::remove_reference_t<decltype(field)>>(*v);
        return v.has_value();
    };
    if (!whole("--n", -1000000, 1000000, p.n) || !whole("--m", -1000000, 1000000, p.m) ||
        !whole("--decimals", -100, 100, p.decimals))
        return false;
    long long seed = 1;
    if (!whole("--seed", 0, 9223372036854775807LL, seed)) return false;
    p.seed = static_cast<std::uint64_t>(seed);
    p.directed = inv.Has("--directed");
    if (inv.Value("--p")) {
        const auto v = RealOption(inv, "--p", err);
        if (!v) return false;
        p.p = *v;
    }
    if (inv.Value("--weight")) {
        const auto v = RealOption(inv, "--weight", err);
        if (!v) return false;
        p.weight = *v;
    }
    if (const auto rule = inv.Value("--weights")) {
        if (*rule != "constant" && *rule != "random" && *rule != "euclidean") {
            err << "plax-cli: --weights takes constant, random or euclidean\n";
            return false;
        }
        p.weights = *rule == "constant" ? WeightRule::Constant
                    : *rule == "random" ? WeightRule::RandomRange
                                        : WeightRule::Euclidean;
    }
    if (inv.Value("--range")) {
        const auto r = PairOption(inv, "--range", ':', err);
        if (!r) return false;
        if (r->first < 0 || r->second > 1000000) {
            err << "plax-cli: --range takes bounds from 0 to 1000000\n";
            return false;
        }
        p.weightMin = static_cast<int>(r->first);
        p.weightMax = static_cast<int>(r->second);
    }
    if (const auto names = inv.Value("--names")) {
        if (*names != "letters" && *names != "numbers") {
            err << "plax-cli: --names takes letters or numbers\n";
            return false;
        }
        p.naming = *names == "letters" ? PointNaming::Letters : PointNaming::Numbers;
    }
    if (inv.Value("--size")) {
        const auto s = PairOption(inv, "--size", 'x', err);
        if (!s || s->first < 1 || s->first > 2000 || s->second < 1 || s->second > 2000) {
            if (s) err << "plax-cli: --size takes WxH from 1x1 to 2000x2000\n";
            return false;
        }
        p.width = static_cast<int>(s->first);
        p.height = static_cast<int>(s->second);
    }
    return true;
}

} // namespace

int RunGenerate(const Invocation& inv, std::ostream& out, std::ostream& err) {
    const auto kind = NetTemplateFromName(inv.positional[0]);
    if (!kind) {
        err << "plax-cli: unknown kind " << inv.positional[0] << '\n';
        return ExitUsage;
    }
    TemplateParams p;
    p.kind = *kind;
    if (!ReadParams(inv, p, err)) return ExitUsage;
    const TemplateResult made = GenerateNet(p, OptionType{});
    if (!made.net) {
        err << made.refusal << '\n';
        return ExitRefused;
    }
    const auto format = OutputFormat(inv, inv.positional[1], false, err);
    if (!format) return ExitUsage;
    CliMessages messages(err, inv.Has("--yes"));
    return WriteOutput(*made.net, inv.positional[1], *format, messages, out, err);
}

} // namespace plax::cli
