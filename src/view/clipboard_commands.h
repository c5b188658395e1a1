#pragma once

#include "document_context.h"

#include "model/net_types.h"

namespace plax {

inline constexpr const char* PastePrompt = "Select Position for the Clipboard Graph";

// Edit > Plax Clipboard > Copy: the net, or its selected points, into the program's clipboard;
// the enabling follows, since Paste depends on what the clipboard holds.
void CopyNetToClipboard(DocumentContext& document);

// The click that places a waiting paste. A clipboard of another kind pastes nothing and the
// paste stays armed; otherwise the command ends, and a paste past MaxPoints is refused with
// "Too many Points!". The paste takes a full undo snapshot.
void PasteClipboardAt(DocumentContext& document, int x, int y);

} // namespace plax
