// Feeds arbitrary text to the Krack Plot reader; whatever it accepts must write out again.
#include "model/krack_plot.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > plax::MaxKrackPlotFileSize) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    plax::SilentMessages messages;
    plax::OptionType options;
    plax::NetWorkType net;
    if (!plax::ReadKrackPlotText(net, text, "fuzz.kp", options, messages)) return 0;
    if (net.n > 15) std::abort();
    if (net.n == 0) return 0;
    // Our own output must read back with the same points and the same kind, unless a name is
    // one the format cannot carry: an empty one (y must be followed by a blank), or one holding
    // a marker or the word that sets the kind.
    for (int i = 1; i <= net.n; ++i) {
        const std::string& name = net.points[static_cast<std::size_t>(i)].name;
        if (name.empty() || name.find("!n") != std::string::npos ||
            name.find("arrows") != std::string::npos) {
            return 0;
        }
    }
    const std::string written = plax::KrackPlotText(net);
    plax::NetWorkType again;
    if (!plax::ReadKrackPlotText(again, written, "again.kp", options, messages)) std::abort();
    if (again.n != net.n || again.kindName != net.kindName) std::abort();
    return 0;
}
