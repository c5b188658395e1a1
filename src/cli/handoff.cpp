#include "handoff.h"

#include "cli.h"
#include "net_io.h"

#include "model/text_utils.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

namespace plax::cli {

namespace {

bool NeedsLibraries(const std::optional<FileFormat>& format) {
    return format && (format->kind == FileFormat::Kind::Picture ||
                      (format->kind == FileFormat::Kind::Interchange && NeedsFormatLibraries(format->interchange)));
}

// The folder of the running program, from the kernel's own link to it.
std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    const std::string self(path, static_cast<std::size_t>(n));
    const auto slash = self.rfind('/');
    return slash == std::string::npos ? std::string{} : self.substr(0, slash);
}

} // namespace

bool NeedsFullProgram(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (NeedsLibraries(FormatOfExtension(UpperExtension(args[i])))) return true;
        const bool formatOption = args[i] == "--from" || args[i] == "--to";
        if (formatOption && i + 1 < args.size() && NeedsLibraries(FormatOfExtension(args[i + 1]))) return true;
    }
    return false;
}

int HandOffToFullProgram(char** argv, std::ostream& err) {
    const std::string folder = ProgramFolder();
    if (!folder.empty()) {
        for (const std::string& candidate :
             {folder + "/plax-cli-full", folder + "/" PLAX_FULL_FROM_BIN "/plax-cli-full"}) {
            ::execv(candidate.c_str(), argv);
            // Not there (or not runnable): try the next place.
            if (errno != ENOENT && errno != EACCES && errno != ENOTDIR) break;
        }
    }
    return FullProgramMissing(err);
}

int FullProgramMissing(std::ostream& err) {
    err << "plax-cli: pictures and DOT, GraphML, JSON, GEXF and PNML files are handled by plax-cli-full, "
           "which is not installed\n";
    return ExitRefused;
}

} // namespace plax::cli
