#pragma once

#include "invocation.h"

#include "interchange/interchange_file.h"
#include "model/net_types.h"
#include "model/user_messages.h"
#include "render/picture_export.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace plax::cli {

// A format plax-cli names by an extension.
struct FileFormat {
    enum class Kind { Net, KrackPlot, Interchange, Picture, Tikz };
    Kind kind = Kind::Net;
    InterchangeFormat interchange = InterchangeFormat::GraphML;
    PictureFormat picture = PictureFormat::Png;
    bool standalone = false; // TikZ: a whole document (--standalone)
    DotLabelParts dotLabels; // DOT: what the edge labels show (--show)
};

// The format an extension names, with or without its dot, in any case of letters.
std::optional<FileFormat> FormatOfExtension(const std::string& extension);
// Every extension plax-cli writes (pictures only when asked), as the refusal of any other lists them.
std::string WritableExtensions(bool pictures);

// Reads the net of `path` as the desktop program opens it: .kp as Krack Plot, the interchange
// extensions (.graphml .json .dot .gv .txt .edgelist) in their formats, anything else as a net
// file; "-" is standard input in the format --from names. A file the system cannot open gets
// "plax-cli: PATH: REASON" before the reader's own message. Answers ExitDone, ExitUsage or
// ExitUnreadable. `ids`, when given, receives the id of each point in a file of another program
// (point 1 first; empty for other files).
using PointIds = std::vector<std::string>;
int ReadInput(const Invocation& inv, const std::string& path, NetWorkType& net, UserMessages& messages,
              std::ostream& err, PointIds* ids = nullptr);

// The point `option` names: a whole number from `lowest` to `highest` first; a word that is no
// number is a point's name or its id in the file (`ids`), and naming none, or several, is
// refused ("plax-cli: --sink: no point is named "z"").
std::optional<int> PointOption(const Invocation& inv, const std::string& option, const NetWorkType& net,
                               const PointIds& ids, long long lowest, long long highest, std::ostream& err);

// The format `path` is written in: by its extension, or for "-" (standard output) by --to. Any
// other extension is refused with the list of known ones, as are pictures unless allowed.
std::optional<FileFormat> OutputFormat(const Invocation& inv, const std::string& path, bool pictures,
                                       std::ostream& err);

// The format of --save OUT: a file (not "-") in any format but a picture. Nothing inside the
// answer when there is no --save; nothing at all (having said why) when OUT cannot be written.
std::optional<std::optional<FileFormat>> SaveFormat(const Invocation& inv, std::ostream& err);

// Writes a net file, Krack Plot or interchange file (not a picture), or its bytes to `out` for
// "-". A file that exists is replaced only when the question before it is answered Yes (--yes),
// whatever the format, as the Krack Plot writer always asked; a file that holds the same bytes
// already is neither asked about nor written. A failed write says the system's reason on `err`
// where it can tell one. Answers ExitDone or ExitRefused.
int WriteOutput(const NetWorkType& net, const std::string& path, const FileFormat& format,
                UserMessages& messages, std::ostream& out, std::ostream& err);

// The question before an existing output is replaced; false (nothing to be written) on No.
[[nodiscard]] bool MayReplace(const std::string& path, const FileFormat& format, UserMessages& messages);

} // namespace plax::cli
