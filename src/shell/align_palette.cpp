#include "align_palette.h"

#include <QGridLayout>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include <utility>

namespace plax {

namespace {

using C = CommandCode;

constexpr int FirstCode = 21;
constexpr int ButtonSize = 26;
constexpr int IconSize = 20;

// A button in the palette's two rows; the picture shows where the points go.
struct AlignButton {
    const char* name;
    CommandCode code;
    const char* tip;
    int row;
    int column;
};

constexpr std::array<AlignButton, 8> AlignButtons = {{
    {"SBtnAlignLeft", C::AlignLeft, "Align left Edges (Ctrl+Alt+L)", 0, 0},
    {"SBtnAlignTop", C::AlignTop, "Align Tops (Ctrl+Alt+T)", 0, 1},
    {"SBtnAlignBottom", C::AlignBottom, "Align Bottoms (Ctrl+Alt+B)", 0, 2},
    {"SBtnAlignRight", C::AlignRight, "Align right Edges (Ctrl+Alt+R)", 0, 3},
    {"SBtnAlignSpaceVert", C::SpaceHorizontally, "Space equally, horizontally (Ctrl+Alt+H)", 1, 0},
    {"SBtnAlignSpaceHor", C::SpaceVertically, "Space equally, vertically (Ctrl+Alt+V)", 1, 1},
    {"SBtnAlignSpaceRect", C::FillRectangle, "Fill to rectangle", 1, 2},
    {"SBtnAlignSpaceSircle", C::FitEllipse, "Fill to Ellipse", 1, 3},
}};

std::size_t SlotOf(CommandCode code) { return static_cast<std::size_t>(IndexOf(code) - FirstCode); }

// Two blocks against a guide line, or three spread evenly, or dots on an ellipse.
void DrawPicture(QPainter& p, CommandCode code) {
    p.setPen(Qt::black);
    switch (code) {
    case C::AlignLeft:
        p.drawLine(3, 2, 3, 18);
        p.fillRect(4, 4, 11, 4, Qt::blue);
        p.fillRect(4, 12, 7, 4, Qt::blue);
        break;
    case C::AlignRight:
        p.drawLine(17, 2, 17, 18);
        p.fillRect(6, 4, 11, 4, Qt::blue);
        p.fillRect(10, 12, 7, 4, Qt::blue);
        break;
    case C::AlignTop:
        p.drawLine(2, 3, 18, 3);
        p.fillRect(4, 4, 4, 11, Qt::blue);
        p.fillRect(12, 4, 4, 7, Qt::blue);
        break;
    case C::AlignBottom:
        p.drawLine(2, 17, 18, 17);
        p.fillRect(4, 6, 4, 11, Qt::blue);
        p.fillRect(12, 10, 4, 7, Qt::blue);
        break;
    case C::SpaceHorizontally:
        for (int x : {2, 8, 14})
            p.fillRect(x, 7, 4, 6, Qt::blue);
        break;
    case C::SpaceVertically:
        for (int y : {2, 8, 14})
            p.fillRect(7, y, 6, 4, Qt::blue);
        break;
    case C::FillRectangle: p.drawRect(3, 5, 14, 10); break;
    default:
        p.drawEllipse(3, 5, 14, 10);
        for (const QPoint& at : {QPoint(17, 10), QPoint(10, 15), QPoint(3, 10), QPoint(10, 5)})
            p.fillRect(at.x() - 1, at.y() - 1, 3, 3, Qt::blue);
        break;
    }
}

QIcon Picture(CommandCode code) {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    DrawPicture(p, code);
    return QIcon(pixmap);
}

} // namespace

TAlignForm::TAlignForm(Send send, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), send_(std::move(send)) {
    setWindowTitle(QString::fromLatin1(AlignPaletteTitle));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    for (const AlignButton& entry : AlignButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setToolTip(QString::fromLatin1(entry.tip));
        button->setAccessibleName(QString::fromLatin1(entry.tip));
        button->setIcon(Picture(entry.code));
        button->setIconSize(QSize(IconSize, IconSize));
        button->setFixedSize(ButtonSize, ButtonSize);
        button->setAutoRaise(true);
        grid->addWidget(button, entry.row, entry.column);
        connect(button, &QToolButton::clicked, this, [this, code = entry.code] { SBtnAlignLeftClick(code); });
        buttons_[SlotOf(entry.code)] = button;
    }
    // "Fill to rectangle" has no behaviour yet.
    Button(C::FillRectangle).setEnabled(false);
    setFixedSize(4 * ButtonSize, 2 * ButtonSize);
}

QToolButton& TAlignForm::Button(CommandCode code) const { return *buttons_.at(SlotOf(code)); }

void TAlignForm::Enable(const CommandEnabling& enabled) {
    for (const AlignButton& entry : AlignButtons)
        Button(entry.code).setEnabled(enabled[entry.code]);
}

void TAlignForm::SBtnAlignLeftClick(CommandCode code) { send_(code); }

} // namespace plax
