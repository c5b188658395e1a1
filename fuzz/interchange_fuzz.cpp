// Feeds arbitrary bytes to one interchange reader (PLAX_FUZZ_FORMAT); whatever it accepts must write
// out in the same format (unless a name has no form there) and read back with the same points and
// the same number of edges.
#include "interchange/interchange_file.h"
#include "model/net_store.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr auto format = plax::InterchangeFormat::PLAX_FUZZ_FORMAT;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    plax::SilentMessages messages;
    const plax::OptionType options;
    plax::NetWorkType net;
    if (!plax::ReadInterchangeBytes(format, bytes, "fuzz", options, messages, net)) return 0;
    if (net.n > plax::MaxPoints) std::abort();
    const auto written = plax::InterchangeBytes(format, net);
    if (!written) return 0;
    plax::NetWorkType again;
    if (!plax::ReadInterchangeBytes(format, *written, "again", options, messages, again)) std::abort();
    if (again.n != net.n || plax::EdgeCount(again) != plax::EdgeCount(net)) std::abort();
    return 0;
}
