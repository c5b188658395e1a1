#include "clipboard_commands.h"

#include "net_history.h"

#include "model/clipboard.h"
#include "render/picture_export.h"

#include <QByteArray>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <memory>
#include <string>

namespace plax {

namespace {

QByteArray Bytes(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

void CopyNetToClipboard(DocumentContext& document) {
    CopyToClipboard(document.Net(), document.Host().State().clipboard);
    document.Notify(ShownChange::Enabling);
}

void PasteClipboardAt(DocumentContext& document, int x, int y) {
    NetWorkType& net = document.Net();
    const NetWorkType& clipboard = document.Host().State().clipboard;
    if (!SameKind(net, clipboard)) return;
    document.ResetCommand();
    if (!PasteFits(net, clipboard)) {
        document.Host().Ui().Error(TooManyPointsMessage);
        return;
    }
    document.Edit(PasteStep, [&](NetWorkType& n) { MergeClipboard(n, clipboard, x, y); });
}

bool CopyNetPicture(const NetWorkType& net, QSize size, bool subNet, QClipboard& clipboard) {
    const auto png = RenderNetPicture(net, PictureFormat::Png, size.width(), size.height(), subNet);
    const auto svg = RenderNetPicture(net, PictureFormat::Svg, size.width(), size.height(), subNet);
    if (!png || !svg) return false;
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(PngMimeType), Bytes(*png));
    data->setData(QString::fromLatin1(SvgMimeType), Bytes(*svg));
    data->setImageData(QImage::fromData(Bytes(*png), "PNG"));
    // The clipboard takes the data over.
    clipboard.setMimeData(data.release());
    return true;
}

} // namespace plax
