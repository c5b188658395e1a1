#pragma once

#include <chrono>
#include <istream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace plax::cli {

// A command line taken apart: positional words, options with a value, and bare flags.
struct Invocation {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> values;
    std::set<std::string> flags;
    std::istream* in = nullptr; // standard input, for a file named "-"

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
};

struct OptionSpec {
    std::set<std::string> withValue;
    std::set<std::string> bare;
};

// Splits `args`: "--opt value" and "--opt=value" alike, "--" ends the options, and "-" is a
// word (standard input or output). On an unknown option or a missing value it says why on `err`
// and answers nothing.
[[nodiscard]] std::optional<Invocation> ParseInvocation(const std::vector<std::string>& args,
                                                        const OptionSpec& accepted, std::ostream& err);

// A whole number within [lo, hi] given to `option`; says why on `err` when it is not.
[[nodiscard]] std::optional<long long> NumberOption(const Invocation& inv, const std::string& option,
                                                    long long lo, long long hi, std::ostream& err);

// The seconds given to --time-limit, if any; a bad value says why on `err` and sets `bad`.
[[nodiscard]] std::optional<std::chrono::steady_clock::duration> TimeLimit(const Invocation& inv,
                                                                           std::ostream& err, bool& bad);

} // namespace plax::cli
