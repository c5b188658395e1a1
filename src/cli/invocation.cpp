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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') {
            inv.positional.push_back(a);
        } else if (accepted.bare.count(a) != 0) {
            inv.flags.insert(a);
        } else if (accepted.withValue.count(a) != 0) {
            if (i + 1 >= args.size()) {
                err << "plax-cli: " << a << " needs a value\n";
                return std::nullopt;
            }
            inv.values[a].push_back(args[++i]);
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

} // namespace plax::cli
