#include "net_io.h"

#include "model/edge_list.h"
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/text_utils.h"

namespace plax::cli {

bool ReadNetFile(NetWorkType& net, const std::string& path, const OptionType& options,
                 UserMessages& messages) {
    if (UpperExtension(path) == ".KP") return LoadKrackPlot(net, path, options, messages);
    return LoadNetFile(net, path, options, messages);
}

WriteFormat FormatForPath(const std::string& path) {
    const std::string ext = UpperExtension(path);
    if (ext == ".KP") return WriteFormat::KrackPlot;
    if (ext == ".TXT") return WriteFormat::EdgeList;
    if (ext == ".BMP" || ext == ".WMF" || ext == ".PNG" || ext == ".SVG" || ext == ".PDF") {
        return WriteFormat::Picture;
    }
    return WriteFormat::Net;
}

bool WriteNetFile(const NetWorkType& net, const std::string& path, UserMessages& messages) {
    switch (FormatForPath(path)) {
    case WriteFormat::KrackPlot: return SaveKrackPlot(net, path, messages);
    case WriteFormat::EdgeList: return SaveEdgeList(net, path, messages);
    case WriteFormat::Net: return SaveNetFile(net, path, messages);
    case WriteFormat::Picture: break;
    }
    return false;
}

} // namespace plax::cli
