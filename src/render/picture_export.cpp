#include "picture_export.h"

#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/text_utils.h"
#include "net_render.h"
#include "render_support.h"
#include "wmf_paint_device.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace plax {

namespace {

constexpr int PictureDpi = 96;

std::string ToBytes(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

using Draw = std::function<void(QPainter&)>;

// A PNG goes to slides and papers: drawn smooth. A bitmap stays as the canvas draws it.
std::optional<std::string> RenderImage(const char* format, int width, int height, bool smooth,
                                       const Draw& draw) {
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, smooth);
        painter.setRenderHint(QPainter::TextAntialiasing, smooth);
        draw(painter);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) return std::nullopt;
    return ToBytes(bytes);
}

std::optional<std::string> RenderWmf(int width, int height, const Draw& draw) {
    WmfPaintDevice device(width, height);
    QPainter painter;
    if (!painter.begin(&device)) return std::nullopt;
    draw(painter);
    painter.end();
    return device.Bytes();
}

std::optional<std::string> RenderSvg(int width, int height, const QString& title, const Draw& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(PictureDpi);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) return std::nullopt;
    draw(painter);
    painter.end();
    return ToBytes(bytes);
}

std::optional<std::string> RenderPdf(int width, int height, const QString& title, const Draw& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PictureDpi);
        // One page exactly the picture's size, so device pixels are the canvas's pixels.
        const QSizeF points(width * 72.0 / PictureDpi, height * 72.0 / PictureDpi);
        writer.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(title);
        QPainter painter;
        if (!painter.begin(&writer)) return std::nullopt;
        draw(painter);
        painter.end();
    }
    return ToBytes(bytes);
}

} // namespace

std::optional<PictureFormat> PictureFormatForPath(const std::string& path) {
    const std::string ext = UpperExtension(path);
    if (ext == ".BMP") return PictureFormat::Bmp;
    if (ext == ".WMF") return PictureFormat::Wmf;
    if (ext == ".PNG") return PictureFormat::Png;
    if (ext == ".SVG") return PictureFormat::Svg;
    if (ext == ".PDF") return PictureFormat::Pdf;
    return std::nullopt;
}

void DrawNetPicture(QPainter& painter, const NetWorkType& net, int width, int height, bool subNet) {
    // Drawing stores what it draws in the net; a picture leaves the caller's net as it was.
    NetWorkType copy = net;
    ClearCanvas(painter, width, height);
    NetCanvas canvas{painter, subNet, false, true};
    // The labels of a pass are paired by the anchors the screen shows, every edge's from the start.
    ComputeEdgeAnchors(copy, canvas.Anchors());
    DrawNet(canvas, copy, OwnColor);
    if (copy.view.pointNames != 0 || copy.view.tokens != 0) DrawAllPointLabels(canvas, copy, true);
}

std::optional<std::string> RenderPicture(PictureFormat format, int width, int height, const QString& title,
                                         const std::function<void(QPainter&)>& draw) {
    if (width <= 0 || height <= 0) return std::nullopt;
    switch (format) {
    case PictureFormat::Bmp: return RenderImage("BMP", width, height, false, draw);
    case PictureFormat::Png: return RenderImage("PNG", width, height, true, draw);
    case PictureFormat::Wmf: return RenderWmf(width, height, draw);
    case PictureFormat::Svg: return RenderSvg(width, height, title, draw);
    case PictureFormat::Pdf: return RenderPdf(width, height, title, draw);
    }
    return std::nullopt;
}

std::optional<std::string> RenderNetPicture(const NetWorkType& net, PictureFormat format, int width,
                                            int height, bool subNet) {
    return RenderPicture(format, width, height, CanvasText(net.name),
                         [&](QPainter& painter) { DrawNetPicture(painter, net, width, height, subNet); });
}

bool SavePicture(const std::string& path, const std::optional<std::string>& bytes, UserMessages& messages) {
    if (!bytes) {
        messages.Error(CannotWriteFileMessage(path));
        return false;
    }
    switch (WriteFileAtomically(path, *bytes)) {
    case WriteStatus::Ok: return true;
    case WriteStatus::CannotCreate: messages.Error(CannotCreateFileMessage(path)); return false;
    case WriteStatus::CannotWrite: messages.Error(CannotWriteFileMessage(path)); return false;
    }
    return false;
}

bool SaveNetPicture(const NetWorkType& net, const std::string& path, int width, int height,
                    UserMessages& messages, bool subNet) {
    const auto format = PictureFormatForPath(path);
    return SavePicture(path, format ? RenderNetPicture(net, *format, width, height, subNet) : std::nullopt,
                       messages);
}

} // namespace plax
