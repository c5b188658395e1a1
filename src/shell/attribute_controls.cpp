#include "attribute_controls.h"

#include "render/render_support.h"
#include "view/attribute_dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <vector>
namespace plax {

namespace {

inline constexpr int SwatchSize = 24;

QFrame* MakeSwatch(QWidget* parent, const char* name) {
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(SwatchSize, SwatchSize);
    swatch->setAutoFillBackground(true);
    return swatch;
}

void Paint(QFrame& swatch, Color c) {
    QPalette palette = swatch.palette();
    palette.setColor(QPalette::Window, ToQColor(c));
    swatch.setPalette(palette);
}

} // namespace

MarkEdit::MarkEdit(Dialogs& ui, QWidget* parent) : QLineEdit(parent), ui_(ui) {
    setMaxLength(static_cast<int>(MaxMarkLength));
}

void MarkEdit::ShowWeight() {
    if (weight_ != nullptr) setText(QString::fromStdString(MarkText(*weight_)));
}

bool MarkEdit::Check() {
    if (weight_ == nullptr || checking_) return true;
    checking_ = true;
    const bool valid = CommitMark(*weight_, text().toStdString(), ui_);
    checking_ = false;
    if (!valid) {
        // After the box has gone, whichever control the focus went to.
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
    }
    return valid;
}

void MarkEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The dialog losing activation (to the message box or a colour dialog) is not leaving it.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    Check();
}

ColorChoice::ColorChoice(const QString& title, Pickers& pickers, QWidget* parent)
    : QGroupBox(title, parent), pickers_(pickers) {
    button_ = new QPushButton(tr("Chan&ge..."), this);
    button_->setObjectName(QStringLiteral("ColorButton"));
    newSwatch_ = MakeSwatch(this, "NewColor");
    oldSwatch_ = MakeSwatch(this, "OldColor");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(button_);
    layout->addWidget(new QLabel(tr("New"), this));
    layout->addWidget(newSwatch_);
    layout->addWidget(new QLabel(tr("Old"), this));
    layout->addWidget(oldSwatch_);
    connect(button_, &QPushButton::clicked, this, &ColorChoice::Pick);
}

void ColorChoice::Bind(Color& now, const Color& old) {
    now_ = &now;
    old_ = &old;
}

void ColorChoice::ShowColors() {
    if (now_ == nullptr) return;
    Paint(*newSwatch_, *now_);
    Paint(*oldSwatch_, *old_);
}

void ColorChoice::Pick() {
    if (now_ == nullptr) return;
    if (const auto picked = pickers_.AskColor(*now_)) {
        *now_ = *picked;
        ShowColors();
    }
}

QString NameText(const std::string& name) { return CanvasText(name); }

std::string NameOf(const QString& text) { return text.toLatin1().toStdString(); }

void ChainTabs(const std::vector<QWidget*>& fields, QDialogButtonBox& buttons) {
    std::vector<QWidget*> chain = fields;
    // Help first, then Cancel and the rest: the chain ends on OK.
    for (const QDialogButtonBox::ButtonRole role :
         {QDialogButtonBox::HelpRole, QDialogButtonBox::RejectRole, QDialogButtonBox::AcceptRole}) {
        for (QAbstractButton* button : buttons.buttons())
            if (buttons.buttonRole(button) == role) chain.push_back(button);
    }
    if (QPushButton* ok = buttons.button(QDialogButtonBox::Ok)) ok->setDefault(true);
    for (QWidget* field : fields)
        if (auto* push = qobject_cast<QPushButton*>(field)) push->setAutoDefault(false);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

void ConnectDialogButtons(QDialog& dialog, QDialogButtonBox& buttons, const HelpRequest& help,
                          const char* topic) {
    QObject::connect(&buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(&buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(&buttons, &QDialogButtonBox::helpRequested, &dialog, [&dialog, &help, topic] {
        if (help) help(dialog, topic);
    });
}

} // namespace plax
