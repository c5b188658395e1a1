#pragma once

#include "model/net_types.h"
#include "model/user_messages.h"

#include <string>

namespace plax::cli {

// Reads a net as the desktop program opens it: ".KP" (compared in upper case) with the Krack
// Plot reader, anything else with the net reader.
[[nodiscard]] bool ReadNetFile(NetWorkType& net, const std::string& path, const OptionType& options,
                               UserMessages& messages);

enum class WriteFormat { Net, KrackPlot, EdgeList, Picture };

// The format a file name asks for; picture extensions are .BMP .WMF .PNG .SVG .PDF.
WriteFormat FormatForPath(const std::string& path);

// Writes the net in the format its name asks for (not a picture); the writer reports failures.
[[nodiscard]] bool WriteNetFile(const NetWorkType& net, const std::string& path, UserMessages& messages);

} // namespace plax::cli
