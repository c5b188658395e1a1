#include "clipboard_commands.h"

#include "model/clipboard.h"
#include "model/undo.h"

namespace plax {

void CopyNetToClipboard(DocumentContext& document) {
    CopyToClipboard(document.Net(), document.Host().State().clipboard);
    document.DefEnableItem();
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
    SaveUndoFull(net);
    MergeClipboard(net, clipboard, x, y);
    document.DefEnableItem();
    document.RepaintNet();
}

} // namespace plax
