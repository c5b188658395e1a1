#include "net_io.h"

#include "cli.h"

#include "checking/point_names.h"
#include "interchange/interchange_messages.h"
#include "interchange/tikz_format.h"

#include "model/edge_list.h"
#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/text_utils.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plax::cli {

namespace {

struct NamedFormat {
    const char* extension;
    FileFormat format;
};

// Pictures and TikZ are drawings of a net: written by convert only, never read.
bool IsDrawing(const FileFormat& format) {
    return format.kind == FileFormat::Kind::Picture || format.kind == FileFormat::Kind::Tikz;
}

const std::vector<NamedFormat>& NamedFormats() {
    using K = FileFormat::Kind;
    static const std::vector<NamedFormat> formats = [] {
        const auto of = [](K kind, InterchangeFormat interchange = {}, PictureFormat picture = {}) {
            FileFormat format;
            format.kind = kind;
            format.interchange = interchange;
            format.picture = picture;
            return format;
        };
        std::vector<NamedFormat> f = {{".net", of(K::Net)}, {".kp", of(K::KrackPlot)}};
        for (const InterchangeExtension& e : InterchangeExtensions())
            f.push_back({e.extension, of(K::Interchange, e.format)});
        for (const auto& [ext, picture] : {std::pair{".bmp", PictureFormat::Bmp},
                                           {".wmf", PictureFormat::Wmf},
                                           {".png", PictureFormat::Png},
                                           {".svg", PictureFormat::Svg},
                                           {".pdf", PictureFormat::Pdf}}) {
            f.push_back({ext, of(K::Picture, {}, picture)});
        }
        f.push_back({".tex", of(K::Tikz)});
        return f;
    }();
    return formats;
}

// The system's reason why `path` cannot be read, or nothing when it can be opened.
std::optional<std::string> SystemReason(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::string(std::strerror(errno));
    struct stat st {};
    const bool directory = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    if (directory) return std::string(std::strerror(EISDIR));
    return std::nullopt;
}

bool ReadBytes(const FileFormat& format, std::string_view bytes, const std::string& name, NetWorkType& net,
               UserMessages& messages, const ImportChoices& choices, PointIds* ids) {
    const OptionType options;
    switch (format.kind) {
    case FileFormat::Kind::KrackPlot: return ReadKrackPlotText(net, bytes, name, options, messages);
    case FileFormat::Kind::Interchange:
        return ReadInterchangeBytes(format.interchange, bytes, name, options, messages, net, choices, ids);
    case FileFormat::Kind::Net:
    case FileFormat::Kind::Picture:
    case FileFormat::Kind::Tikz: break;
    }
    // Pajek's text networks are .net files too.
    if (HoldsPajek(bytes))
        return ReadInterchangeBytes(InterchangeFormat::Pajek, bytes, name, options, messages, net, choices,
                                    ids);
    return ReadNetBytes(net, bytes, name, options, messages);
}

// A net file under another name (a .txt, say) starts with its header record, kind 0: no text does.
std::optional<std::string> FileStart(const std::string& path) {
    std::string bytes;
    if (ReadFileLimited(path, MaxInterchangeFileSize, bytes) != ReadStatus::Ok || bytes.empty())
        return std::nullopt;
    return bytes;
}

bool ReadFile(const FileFormat& format, const std::string& path, NetWorkType& net, UserMessages& messages,
              const ImportChoices& choices, PointIds* ids) {
    const OptionType options;
    const auto bytes = format.kind == FileFormat::Kind::KrackPlot ? std::nullopt : FileStart(path);
    if (format.kind == FileFormat::Kind::Interchange && bytes && (*bytes)[0] == 0)
        return LoadNetFile(net, path, options, messages);
    if (format.kind == FileFormat::Kind::Net && bytes && HoldsPajek(*bytes))
        return ReadInterchangeBytes(InterchangeFormat::Pajek, *bytes, path, options, messages, net, choices,
                                    ids);
    switch (format.kind) {
    case FileFormat::Kind::KrackPlot: return LoadKrackPlot(net, path, options, messages);
    case FileFormat::Kind::Interchange:
        return LoadInterchangeFile(format.interchange, path, options, messages, net, choices, ids);
    case FileFormat::Kind::Net:
    case FileFormat::Kind::Picture:
    case FileFormat::Kind::Tikz: break;
    }
    return LoadNetFile(net, path, options, messages);
}

// Standard input, at most as much as the largest file any reader takes.
std::optional<std::string> ReadStandardInput(std::istream& in) {
    std::string bytes;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        bytes.append(buf, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > MaxNetFileSize) return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> BytesOf(const NetWorkType& net, const FileFormat& format, UserMessages& messages) {
    if (format.kind == FileFormat::Kind::Tikz) return TikzText(net, format.standalone);
    if (format.kind == FileFormat::Kind::KrackPlot) {
        if (net.n != 0) return KrackPlotText(net);
        messages.Warning(TrivialNetWorkMessage);
        return std::nullopt;
    }
    if (format.kind == FileFormat::Kind::Interchange) {
        if (std::string reason = InterchangeRefusal(format.interchange, net); !reason.empty()) {
            messages.Warning(ExportRefusedMessage("-", reason));
            return std::nullopt;
        }
    }
    auto bytes = format.kind == FileFormat::Kind::Interchange
                     ? InterchangeBytes(format.interchange, net, format.dotLabels)
                     : NetFileBytes(net);
    if (!bytes) messages.Warning(CannotSaveMessage("-"));
    return bytes;
}

} // namespace

std::optional<FileFormat> FormatOfExtension(const std::string& extension) {
    std::string ext = extension.empty() || extension[0] == '.' ? extension : "." + extension;
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const NamedFormat& f : NamedFormats()) {
        if (ext == f.extension) return f.format;
    }
    return std::nullopt;
}

std::string WritableExtensions(bool pictures) {
    std::string list;
    for (const NamedFormat& f : NamedFormats()) {
        if (pictures || !IsDrawing(f.format)) list += (list.empty() ? "" : " ") + std::string(f.extension);
    }
    return list;
}

int ReadInput(const Invocation& inv, const std::string& path, NetWorkType& net, UserMessages& messages,
              std::ostream& err, PointIds* ids) {
    const auto from = inv.Value("--from");
    const std::optional<FileFormat> named = from ? FormatOfExtension(*from) : std::nullopt;
    if (from && (!named || IsDrawing(*named))) {
        err << "plax-cli: --from takes one of " << WritableExtensions(false) << "\n";
        return ExitUsage;
    }
    if (inv.Has("--directed") && inv.Has("--undirected")) {
        err << "plax-cli: --directed and --undirected exclude each other\n";
        return ExitUsage;
    }
    ImportChoices choices;
    choices.weight = inv.Value("--weight").value_or("");
    if (inv.Has("--directed") || inv.Has("--undirected")) choices.directed = inv.Has("--directed");
    // A name is read as the desktop program opens it; pictures are no nets, so as net files.
    FileFormat format = FormatOfExtension(UpperExtension(path)).value_or(FileFormat{});
    if (named) format = *named;
    if (IsDrawing(format)) format = FileFormat{};
    if (path != "-") {
        if (const auto reason = SystemReason(path)) err << "plax-cli: " << path << ": " << *reason << '\n';
        return ReadFile(format, path, net, messages, choices, ids) ? ExitDone : ExitUnreadable;
    }
    if (!named) {
        err << "plax-cli: reading standard input needs --from EXT\n";
        return ExitUsage;
    }
    const auto bytes = inv.in != nullptr ? ReadStandardInput(*inv.in) : std::optional<std::string>();
    if (!bytes) {
        err << "plax-cli: -: standard input cannot be read whole\n";
        return ExitUnreadable;
    }
    return ReadBytes(format, *bytes, path, net, messages, choices, ids) ? ExitDone : ExitUnreadable;
}

std::optional<int> PointOption(const Invocation& inv, const std::string& option, const NetWorkType& net,
                               const PointIds& ids, long long lowest, long long highest, std::ostream& err) {
    const std::string value = inv.Value(option).value_or("");
    if (value.empty() || value.find_first_not_of("0123456789+-") == std::string::npos) {
        const auto p = NumberOption(inv, option, lowest, highest, err);
        if (!p) return std::nullopt;
        return static_cast<int>(*p);
    }
    std::string error;
    const auto point = NamedPoint(net, ids, value, error);
    if (!point) err << "plax-cli: " << option << ": " << error << '\n';
    return point;
}

std::optional<FileFormat> OutputFormat(const Invocation& inv, const std::string& path, bool pictures,
                                       std::ostream& err) {
    const auto to = inv.Value("--to");
    if (path == "-" && !to) {
        err << "plax-cli: writing standard output needs --to EXT\n";
        return std::nullopt;
    }
    const std::string name = FileNameOf(path);
    const auto dot = name.rfind('.');
    const std::string ext = path == "-" ? *to : dot == std::string::npos ? std::string() : name.substr(dot);
    const auto format = FormatOfExtension(ext);
    if (!format || (!pictures && IsDrawing(*format))) {
        err << "plax-cli: " << path << ": cannot write "
            << (ext.empty() ? "a name without an extension" : ext)
            << "; known extensions: " << WritableExtensions(pictures) << '\n';
        return std::nullopt;
    }
    auto chosen = *format;
    chosen.standalone = inv.Has("--standalone");
    return chosen;
}

std::optional<std::optional<FileFormat>> SaveFormat(const Invocation& inv, std::ostream& err) {
    const auto path = inv.Value("--save");
    if (!path) return std::optional<FileFormat>();
    if (*path == "-") {
        err << "plax-cli: --save writes a file; standard output carries the text\n";
        return std::nullopt;
    }
    const auto format = OutputFormat(inv, *path, false, err);
    if (!format) return std::nullopt;
    return format;
}

namespace {

// Whether the file at `path` holds exactly `bytes` already.
bool HoldsAlready(const std::string& path, const std::string& bytes) {
    std::string old;
    return ReadFileLimited(path, bytes.size(), old) == ReadStatus::Ok && old == bytes;
}

// Why the system would not let a file be made at `path`, where it can tell.
std::optional<std::string> WriteReason(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return std::string(std::strerror(EISDIR));
    if (::stat(dir.c_str(), &st) != 0) return std::string(std::strerror(errno));
    if (!S_ISDIR(st.st_mode)) return std::string(std::strerror(ENOTDIR));
    if (::access(dir.c_str(), W_OK) != 0) return std::string(std::strerror(errno));
    return std::nullopt;
}

int Saved(bool ok, const std::string& path, std::ostream& err) {
    if (ok) return ExitDone;
    if (const auto reason = WriteReason(path)) err << "plax-cli: " << path << ": " << *reason << '\n';
    return ExitRefused;
}

} // namespace

bool MayReplace(const std::string& path, const FileFormat& format, UserMessages& messages) {
    // The Krack Plot writer asks for itself.
    if (path == "-" || format.kind == FileFormat::Kind::KrackPlot || !FileExists(path)) return true;
    return messages.Confirm(RewriteQuestion(path));
}

int WriteOutput(const NetWorkType& net, const std::string& path, const FileFormat& format,
                UserMessages& messages, std::ostream& out, std::ostream& err) {
    if (path == "-") {
        const auto bytes = BytesOf(net, format, messages);
        if (!bytes) return ExitRefused;
        out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
        return ExitDone;
    }
    // A file that holds these bytes already is left as it is: nothing to ask, nothing to write.
    SilentMessages silent;
    if (const auto bytes = BytesOf(net, format, silent);
        bytes && FileExists(path) && HoldsAlready(path, *bytes))
        return ExitDone;
    if (!MayReplace(path, format, messages)) return ExitRefused;
    switch (format.kind) {
    case FileFormat::Kind::KrackPlot: return Saved(SaveKrackPlot(net, path, messages), path, err);
    case FileFormat::Kind::Interchange:
        return Saved(SaveInterchangeFile(format.interchange, net, path, messages, format.dotLabels), path,
                     err);
    case FileFormat::Kind::Net: return Saved(SaveNetFile(net, path, messages), path, err);
    case FileFormat::Kind::Tikz: {
        const bool saved = WriteFileAtomically(path, TikzText(net, format.standalone)) == WriteStatus::Ok;
        if (!saved) messages.Warning(CannotSaveMessage(path));
        return Saved(saved, path, err);
    }
    case FileFormat::Kind::Picture: break;
    }
    return ExitRefused;
}

} // namespace plax::cli
