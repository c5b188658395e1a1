#include "invocation.h"

#include <charconv>

namespace plax::cli {

std::optional<std::string> Invocation::Value(const std::string& option) const {
    const auto it = values.find(option);
    if (it == values.end() || it->second.empty()) return std::nullopt;
    return it->second.back();
}

std::optional<Invocation> ParseInvocation(const std::vector<std::string>& args, const OptionSpec& accepted,
                                          std::ostream& err) {
    Invocation inv;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!options || a.size() < 2 || a[0] != '-') {
            inv.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            options = false;
            continue;
        }
        const auto equals = a.find('=');
        const std::string name = a.substr(0, equals);
        if (accepted.bare.count(name) != 0 && equals == std::string::npos) {
            inv.flags.insert(name);
        } else if (accepted.withValue.count(name) != 0) {
            if (equals == std::string::npos && i + 1 >= args.size()) {
                err << "plax-cli: " << name << " needs a value\n";
                return std::nullopt;
            }
            inv.values[name].push_back(equals == std::string::npos ? args[++i] : a.substr(equals + 1));
        } else {
            err << "plax-cli: unknown option " << a << '\n';
            return std::nullopt;
        }
    }
    return inv;
}

std::optional<long long> NumberOption(const Invocation& inv, const std::string& option, long long lo,
                                      long long hi, std::ostream& err) {
    const auto text = inv.Value(option);
    if (!text) return std::nullopt;
    long long v = 0;
    const auto [ptr, ec] = std::from_chars(text->data(), text->data() + text->size(), v);
    if (ec != std::errc() || ptr != text->data() + text->size() || v < lo || v > hi) {
        err << "plax-cli: " << option << " takes a whole number from " << lo << " to " << hi << '\n';
        return std::nullopt;
    }
    return v;
}

std::optional<std::chrono::steady_clock::duration> TimeLimit(const Invocation& inv, std::ostream& err,
                                                             bool& bad) {
    if (!inv.Value("--time-limit")) return std::nullopt;
    const auto seconds = NumberOption(inv, "--time-limit", 0, 1000000, err);
    if (!seconds) {
        bad = true;
        return std::nullopt;
    }
    return std::chrono::seconds(*seconds);
}

} // namespace plax::cli
