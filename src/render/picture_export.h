#pragma once

#include "model/net_types.h"
#include "model/user_messages.h"
#include "picture_geometry.h"

#include <functional>
#include <optional>
#include <string>

class QPainter;
class QString;

namespace plax {

enum class PictureFormat { Bmp, Wmf, Png, Svg, Pdf };

// The picture a path asks for by its extension, compared in upper case: ".BMP", ".WMF", ".PNG",
// ".SVG", ".PDF"; nothing for any other name.
std::optional<PictureFormat> PictureFormatForPath(const std::string& path);

// The default picture size: the client area of a new document window.
inline constexpr int DefaultPictureWidth = 593;
inline constexpr int DefaultPictureHeight = 351;

// Draws the net's drawing area (0, 0)-(width, height) on white as a picture shows it: every
// element in its stored colour, with the point labels when names or tokens are shown. The net
// itself is not changed.
void DrawNetPicture(QPainter& painter, const NetWorkType& net, int width, int height, bool subNet = false);

// The bytes of a picture file of `width` x `height` pixels that `draw` paints; `title` names an
// SVG or PDF document. Nothing when it could not be made.
[[nodiscard]] std::optional<std::string> RenderPicture(PictureFormat format, int width, int height,
                                                       const QString& title,
                                                       const std::function<void(QPainter&)>& draw);

// The bytes of the picture file, or nothing when it could not be made.
[[nodiscard]] std::optional<std::string> RenderNetPicture(const NetWorkType& net, PictureFormat format,
                                                          int width, int height, bool subNet = false);

// PNG, SVG and PDF go to slides and papers: drawn smooth, in a face the machine has, each label
// once, the edges of a directed pair bent apart. BMP and WMF show what the canvas shows.
bool IsSmoothPicture(PictureFormat format);

// The scale a picture is drawn at and whether it is cropped to the drawing.
struct PictureOptions {
    double scale = 1.0;
    bool crop = false;
};
// Scales a picture may be drawn at, and the most pixels it may have on a side.
inline constexpr double MinPictureScale = 0.1;
inline constexpr double MaxPictureScale = 10.0;
inline constexpr int MaxPictureSide = 8000;
inline constexpr long long MaxPicturePixels = 20'000'000;
// Whether a picture of `frame` has a size it may be made at.
bool PictureFits(const PictureFrame& frame);
// The largest scale a picture of width x height may be drawn at.
double LargestPictureScale(int width, int height);

// The frame of a picture of the net: the drawing area (0, 0)-(width, height), or when cropped
// the box of what is drawn there (anywhere on the canvas) with a margin; at the options' scale.
PictureFrame NetPictureFrame(const NetWorkType& net, PictureFormat format, int width, int height,
                             const PictureOptions& options, bool subNet = false);

// The bytes of the picture of `frame`, or nothing when it could not be made.
[[nodiscard]] std::optional<std::string> RenderNetPicture(const NetWorkType& net, PictureFormat format,
                                                          const PictureFrame& frame, bool subNet = false);

// Writes the bytes of a picture to `path`, replacing the file atomically; nothing to write, or a
// failed write, is shown through `messages`.
[[nodiscard]] bool SavePicture(const std::string& path, const std::optional<std::string>& bytes,
                               UserMessages& messages);

// Writes the picture that `path` asks for, replacing the file atomically; failures are shown
// through `messages`. Needs a running QGuiApplication (any platform, offscreen included).
[[nodiscard]] bool SaveNetPicture(const NetWorkType& net, const std::string& path, int width, int height,
                                  UserMessages& messages, bool subNet = false);
[[nodiscard]] bool SaveNetPicture(const NetWorkType& net, const std::string& path, const PictureFrame& frame,
                                  UserMessages& messages, bool subNet = false);

} // namespace plax
