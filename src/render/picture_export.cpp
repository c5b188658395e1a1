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

#include <algorithm>
#include <cmath>

namespace plax {

namespace {

constexpr int PictureDpi = 96;
constexpr int CanvasSide = 2000;
constexpr int CropReach = 200;

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

// The net on white as a picture shows it: every element in its stored colour, with the point
// labels when names or tokens are shown. Drawing writes anchors into the net; a picture leaves
// the caller's net as it was.
void DrawFramedNet(QPainter& painter, const NetWorkType& net, const PictureFrame& frame, bool smooth,
                   bool subNet) {
    NetWorkType copy = net;
    ClearCanvas(painter, FramedWidth(frame), FramedHeight(frame));
    painter.save();
    painter.scale(frame.scale, frame.scale);
    painter.translate(-frame.left, -frame.top);
    NetCanvas canvas{painter, subNet, false, true, smooth};
    // The labels of a pass are paired by the anchors the screen shows, every edge's from the start.
    ComputeEdgeAnchors(copy, canvas.Anchors());
    DrawNet(canvas, copy, OwnColor);
    if (!smooth) {
        if (copy.view.pointNames != 0 || copy.view.tokens != 0) DrawAllPointLabels(canvas, copy, true);
    } else {
        // The labels the points did not write, each once, over the edges.
        for (int i = 1; i <= copy.n; ++i)
            DrawPointLabel(canvas, copy, i, true);
    }
    painter.restore();
}

// The box of every pixel the drawing sets, drawn plain at scale 1: on the canvas and a border
// around it, where labels and curves of points at its edges reach.
PixelBox DrawnBox(const NetWorkType& net, bool smooth, bool subNet) {
    constexpr int side = CanvasSide + 2 * CropReach;
    QImage image(side, side, QImage::Format_RGB32);
    if (image.isNull()) return {0, 0, CanvasSide, CanvasSide};
    {
        QPainter painter(&image);
        DrawFramedNet(painter, net, {-CropReach, -CropReach, side, side, 1.0}, smooth, subNet);
    }
    PixelBox box{side, side, 0, 0};
    for (int y = 0; y < side; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < side; ++x) {
            if ((row[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    }
    if (box.right == 0) return {0, 0, 0, 0};
    return {box.left - CropReach, box.top - CropReach, box.right - CropReach, box.bottom - CropReach};
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
    DrawFramedNet(painter, net, {0, 0, width, height, 1.0}, false, subNet);
}

bool PictureFits(const PictureFrame& frame) {
    const long long width = FramedWidth(frame);
    const long long height = FramedHeight(frame);
    return width >= 1 && height >= 1 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height <= MaxPicturePixels;
}

double LargestPictureScale(int width, int height) {
    if (width <= 0 || height <= 0) return MaxPictureScale;
    // A little under the bound, so rounding the sides cannot pass it.
    const double bySides = (MaxPictureSide - 0.5) / std::max(width, height);
    const double byPixels =
        std::sqrt(static_cast<double>(MaxPicturePixels) / (double{1} * width * height)) * 0.999;
    return std::max(MinPictureScale, std::min({MaxPictureScale, bySides, byPixels}));
}

bool IsSmoothPicture(PictureFormat format) {
    return format == PictureFormat::Png || format == PictureFormat::Svg || format == PictureFormat::Pdf;
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
    return RenderNetPicture(net, format, PictureFrame{0, 0, width, height, 1.0}, subNet);
}

PictureFrame NetPictureFrame(const NetWorkType& net, PictureFormat format, int width, int height,
                             const PictureOptions& options, bool subNet) {
    if (!options.crop) return {0, 0, width, height, options.scale};
    return CroppedFrame(DrawnBox(net, IsSmoothPicture(format), subNet), options.scale);
}

std::optional<std::string> RenderNetPicture(const NetWorkType& net, PictureFormat format,
                                            const PictureFrame& frame, bool subNet) {
    if (!PictureFits(frame)) return std::nullopt;
    const bool smooth = IsSmoothPicture(format);
    return RenderPicture(format, FramedWidth(frame), FramedHeight(frame), CanvasText(net.name),
                         [&](QPainter& painter) { DrawFramedNet(painter, net, frame, smooth, subNet); });
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
    return SaveNetPicture(net, path, PictureFrame{0, 0, width, height, 1.0}, messages, subNet);
}

bool SaveNetPicture(const NetWorkType& net, const std::string& path, const PictureFrame& frame,
                    UserMessages& messages, bool subNet) {
    const auto format = PictureFormatForPath(path);
    return SavePicture(path, format ? RenderNetPicture(net, *format, frame, subNet) : std::nullopt, messages);
}

} // namespace plax
