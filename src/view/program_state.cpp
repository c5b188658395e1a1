#include "program_state.h"

#include <QStringList>

namespace plax {

namespace {

// "Courier New" is Liberation Mono through fontconfig; the style hint keeps a monospaced face
// where neither is installed.
QFont CourierFont(const QStringList& families, int pixels) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

QFont ProgramState::TextWindowFont() {
    return CourierFont({QStringLiteral("Courier New Cyr"), QStringLiteral("Courier New")}, 15);
}

QFont ProgramState::OptionsDialogFont() { return CourierFont({QStringLiteral("Courier New")}, 13); }

void TakeOptionsFonts(ProgramState& state) {
    if (state.optionsFonts) return;
    state.optionsFonts = true;
    state.resultFont = ProgramState::OptionsDialogFont();
    state.reportFont = ProgramState::OptionsDialogFont();
}

} // namespace plax
