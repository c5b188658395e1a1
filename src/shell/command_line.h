#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace plax {

// What `plax [options] [FILE...]` asks for, decided before any window system is contacted, so
// that --help, --version and a mistyped option work without a display and open no window.
struct StartRequest {
    std::optional<int> exitStatus; // set: the answer has been printed, end with this status
    std::vector<std::string> files; // otherwise: open these, byte for byte as given
};

// Reads argv as QApplication will see it: Qt's own options (-platform, -style, ...) are
// accepted and left to it. Help and the version go to `out`, a usage error to `err`.
StartRequest ReadCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace plax
