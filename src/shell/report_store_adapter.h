#pragma once

// Stand-ins for the TextStore forms of Add to Report and of reading a report file, with the
// signatures procedures/report_file.h is to declare. Remove this file and its .cpp once
// report_file.h has them, and include report_file.h where this is included.

#include "model/user_messages.h"
#include "procedures/text_store.h"

#include <string>

namespace plax {

bool AddToReport(std::string& reportFile, const std::string& netName, const TextStore& text,
                 UserMessages& messages);

// Streams the file into `store`, one line per line of the file (CR LF or LF); "" on success,
// otherwise why not.
[[nodiscard]] std::string ReadReportText(const std::string& path, TextStore& store);

} // namespace plax
