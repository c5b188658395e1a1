#pragma once

#include "view/command_code.h"

#include <QWidget>

#include <array>
#include <functional>

class QToolButton;

namespace plax {

inline constexpr const char* AlignPaletteTitle = "Align";

// The alignment palette: a tool window, always on top, whose eight buttons send their
// dispatcher code (21..28) to whoever the frame names, the active document.
class TAlignForm : public QWidget {
    Q_OBJECT
public:
    using Send = std::function<void(CommandCode)>;
    explicit TAlignForm(Send send, QWidget* parent = nullptr);

    // The button that sends `code` (21..28).
    QToolButton& Button(CommandCode code) const;
    // Each button as the active document enables its code.
    void Enable(const CommandEnabling& enabled);

private:
    void SBtnAlignLeftClick(CommandCode code);

    Send send_;
    std::array<QToolButton*, 8> buttons_{};
};

} // namespace plax
