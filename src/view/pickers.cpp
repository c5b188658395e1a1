#include "pickers.h"

#include "render/render_support.h"

#include <QColorDialog>
#include <QFontDialog>

namespace plax {

std::optional<Color> QtPickers::AskColor(Color initial) {
    const QColor picked = QColorDialog::getColor(ToQColor(initial), parent_);
    if (!picked.isValid()) return std::nullopt;
    // Stored as 0x00BBGGRR.
    return static_cast<Color>(picked.red()) | static_cast<Color>(picked.green()) << 8 |
           static_cast<Color>(picked.blue()) << 16;
}

std::optional<QFont> QtPickers::AskFont(const QFont& initial) {
    bool ok = false;
    const QFont picked = QFontDialog::getFont(&ok, initial, parent_);
    if (!ok) return std::nullopt;
    return picked;
}

} // namespace plax
