#pragma once

#include "model/net_types.h"
#include "model/user_messages.h"

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

// Writes the bytes of a picture to `path`, replacing the file atomically; nothing to write, or a
// failed write, is shown through `messages`.
[[nodiscard]] bool SavePicture(const std::string& path, const std::optional<std::string>& bytes,
                               UserMessages& messages);

// Writes the picture that `path` asks for, replacing the file atomically; failures are shown
// through `messages`. Needs a running QGuiApplication (any platform, offscreen included).
[[nodiscard]] bool SaveNetPicture(const NetWorkType& net, const std::string& path, int width, int height,
                                  UserMessages& messages, bool subNet = false);

} // namespace plax
