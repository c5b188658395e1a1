// Feeds arbitrary bytes to the net file reader; whatever it accepts must save and read back.
#include "model/net_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    plax::SilentMessages messages;
    for (std::int32_t mode = 0; mode <= 2; ++mode) {
        plax::OptionType options;
        options.loadMode = mode;
        plax::NetWorkType net;
        if (!plax::ReadNetBytes(net, bytes, "fuzz.net", options, messages)) continue;
        // A net that loaded must write, and its file must load again to the same file twice over.
        const auto first = plax::NetFileBytes(net);
        if (!first) std::abort();
        plax::NetWorkType again;
        if (!plax::ReadNetBytes(again, *first, "again.net", options, messages)) std::abort();
        plax::NetWorkType third;
        const auto second = plax::NetFileBytes(again);
        if (!second || !plax::ReadNetBytes(third, *second, "third.net", options, messages)) std::abort();
        if (plax::NetFileBytes(third) != first) std::abort();
    }
    return 0;
}
