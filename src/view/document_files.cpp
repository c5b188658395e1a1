#include "document_files.h"

#include "interchange/interchange_file.h"
#include "model/edge_list.h"
#include "model/file_io.h"
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "model/text_utils.h"
#include "render/picture_export.h"

namespace plax {

std::string CannotLoadFileMessage(const std::string& path) { return " Cannot Load file \r\n" + path; }

std::string InterchangeFilter() {
    std::string filter;
    for (const InterchangeExtension& e : InterchangeExtensions()) {
        if (!filter.empty()) filter += "|";
        filter += std::string(e.description) + " (*" + e.extension + ")|*" + e.extension;
    }
    return filter;
}

std::string ImportFilter() {
    std::string patterns;
    for (const InterchangeExtension& e : InterchangeExtensions())
        patterns += (patterns.empty() ? "*" : ";*") + std::string(e.extension);
    return "All graph files|" + patterns + "|" + InterchangeFilter();
}

std::string ExportFilter() {
    return InterchangeFilter() + "|TikZ (*" + TikzExtension + ")|*" + TikzExtension;
}

namespace {

std::string KnownInterchangeExtensions() {
    std::string known;
    for (const InterchangeExtension& e : InterchangeExtensions())
        known += std::string(" ") + e.extension;
    return known;
}

} // namespace

std::string UnknownImportMessage(const std::string& path) {
    return " Cannot import the file\r\n" + path + "\r\nImport reads" + KnownInterchangeExtensions() + ".";
}

std::string UnknownExportMessage(const std::string& path) {
    return " Cannot export the NetWork to\r\n" + path + "\r\nExport writes" + KnownInterchangeExtensions() +
           " " + TikzExtension + ".";
}

std::string DamagedCaption(const std::string& path) { return FileNameOf(path) + " (damaged)"; }

SaveAsKind SaveAsKindForPath(const std::string& path) {
    if (PictureFormatForPath(path)) return SaveAsKind::Picture;
    const std::string ext = UpperExtension(path);
    if (ext == ".KP") return SaveAsKind::KrackPlot;
    if (ext == ".TXT") return SaveAsKind::EdgeList;
    return SaveAsKind::NetFile;
}

bool LoadDocumentNet(NetWorkType& net, const std::string& path, const OptionType& options,
                     UserMessages& messages) {
    if (UpperExtension(path) == ".KP") return LoadKrackPlot(net, path, options, messages);
    // Pajek's text networks are .net files too.
    std::string bytes;
    if (ReadFileLimited(path, MaxInterchangeFileSize, bytes) == ReadStatus::Ok && HoldsPajek(bytes))
        return ReadInterchangeBytes(InterchangeFormat::Pajek, bytes, path, options, messages, net);
    return LoadNetFile(net, path, options, messages);
}

bool AsksPictureScale(const std::string& path) {
    const auto format = PictureFormatForPath(path);
    return format == PictureFormat::Png || format == PictureFormat::Bmp;
}

bool ExportNet(const NetWorkType& net, const std::string& path, QSize picture, bool subNet,
               UserMessages& messages, double scale) {
    switch (SaveAsKindForPath(path)) {
    case SaveAsKind::Picture:
        return SaveNetPicture(net, path, PictureFrame{0, 0, picture.width(), picture.height(), scale},
                              messages, subNet);
    case SaveAsKind::KrackPlot: return SaveKrackPlot(net, path, messages);
    case SaveAsKind::EdgeList: return SaveEdgeList(net, path, messages);
    case SaveAsKind::NetFile: break;
    }
    return false;
}

void NetLevels::Reset(const NetWorkType& top) {
    root_ = top;
    path_.clear();
}

NetWorkType* NetLevels::Home() {
    NetWorkType* level = &root_;
    for (const auto& [from, to] : path_) {
        const auto sub = GetSubNet(*level, from, to);
        if (!sub) return nullptr;
        level = sub.get();
    }
    return level;
}

bool WriteNetHierarchy(NetLevels& levels, const NetWorkType& working, const std::string& path,
                       UserMessages& messages) {
    if (levels.AtTop()) return SaveNetFile(working, path, messages);
    NetWorkType* home = levels.Home();
    if (home == nullptr) {
        messages.Error(InvalidStructureMessage);
        return false;
    }
    CopyNet(working, *home);
    return SaveNetFile(levels.Root(), path, messages);
}

QSizeF FitPictureToPage(QSizeF picture, QSizeF page) {
    double width = picture.width();
    double height = picture.height();
    if (width <= 0.0 || height <= 0.0) return {0.0, 0.0};
    const double ratio = width / height;
    if (page.width() > width && page.height() > height) {
        if (width >= height) {
            width = page.width();
            height = width / ratio;
        } else {
            height = page.height();
            width = height * ratio;
        }
    }
    if (page.width() < width) {
        width = page.width();
        height = width / ratio;
    }
    if (page.height() < height) {
        height = page.height();
        width = height * ratio;
    }
    return {width, height};
}

} // namespace plax
