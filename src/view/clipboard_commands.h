#pragma once

#include "document_context.h"

#include "model/net_types.h"

#include <QSize>

class QClipboard;

namespace plax {

inline constexpr const char* PastePrompt = "Select Position for the Clipboard Graph";
inline constexpr const char* CannotCopyPictureMessage = " Cannot copy the NetWork picture.";
inline constexpr const char* PngMimeType = "image/png";
inline constexpr const char* SvgMimeType = "image/svg+xml";

// Edit > Plax Clipboard > Copy: the net, or its selected points, into the program's clipboard;
// the enabling follows, since Paste depends on what the clipboard holds.
void CopyNetToClipboard(DocumentContext& document);

// The click that places a waiting paste. A clipboard of another kind pastes nothing and the
// paste stays armed; otherwise the command ends, and a paste past MaxPoints is refused with
// "Too many Points!". The paste takes a full undo snapshot.
void PasteClipboardAt(DocumentContext& document, int x, int y);

// Edit > Copy as Picture: the net drawn as the picture export draws it, as PNG and SVG (and as
// an image for programs that take only their platform's bitmap). False when no picture could be
// made; the clipboard then stays as it was.
[[nodiscard]] bool CopyNetPicture(const NetWorkType& net, QSize size, bool subNet, QClipboard& clipboard);

} // namespace plax
