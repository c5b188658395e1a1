#include "about_box.h"

#include "frame_window.h"

#include "model/net_types.h"

#include "view/whole_texts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace plax {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About %1").arg(QString::fromUtf8(ProgramTitle)));
    FitToCaption(*this);

    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(QStringLiteral(":/icons/plax.svg")).pixmap(48, 48));
    auto* title = new QLabel(QString::fromUtf8(ProgramTitle), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addWidget(title, 1);

    auto* maxPoint = new QLineEdit(QString::number(MaxPoints), this);
    maxPoint->setReadOnly(true);
    auto* fields = new QFormLayout;
    fields->addRow(QString::fromUtf8(MaxPointLabel), maxPoint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(new QLabel(QStringLiteral("Version " PLAX_VERSION), this));
    layout->addWidget(new QLabel(tr("Editor and analyser for small networks"), this));
    layout->addLayout(fields);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

} // namespace plax
