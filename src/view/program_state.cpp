#include "program_state.h"

namespace plax {

QFont ProgramState::TextWindowFont() {
    // "Courier New" is Liberation Mono through fontconfig; the style hint keeps a monospaced
    // face where neither is installed.
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace plax
