#pragma once

#include "invocation.h"
#include "net_io.h"

#include <ostream>

namespace plax::cli {

// The options convert takes for picture output.
OptionSpec PictureOptionSpec();

// The view flags --show names (comma-separated, repeatable), or nothing after an unknown name,
// having said so.
std::optional<ViewFlags> ParseShow(const Invocation& inv, std::ostream& err);

// `convert IN OUT` for a picture OUT (.bmp .wmf .png .svg .pdf, any case, or "-" with --to): the
// net's drawing area at --size WxH (default 593x351) on white, with --show adding view flags.
// Renders offscreen, so it needs no display.
int ConvertToPicture(const Invocation& inv, const FileFormat& format, std::ostream& out, std::ostream& err);

} // namespace plax::cli
