#include "menu_letters.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace plax {

namespace {

// The letter an item names with "&", or a null character.
QChar NamedLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toUpper();
        ++i; // "&&" is a shown ampersand
    }
    return {};
}

// Where the item's letter goes: a word's first letter first, then any letter; -1 when every
// letter of the text is taken.
qsizetype FreeLetterAt(const QString& text, const QSet<QChar>& taken) {
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const bool wordStart = i == 0 || !text[i - 1].isLetterOrNumber();
            if ((pass == 0 && !wordStart) || !text[i].isLetterOrNumber()) continue;
            if (!taken.contains(text[i].toUpper())) return i;
        }
    }
    return -1;
}

} // namespace

QString NumberedItem(int number, QString text) {
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(text) : text;
}

void GiveAccessLetters(QMenu& menu) {
    const QList<QAction*> items = menu.actions();
    QSet<QChar> taken;
    for (const QAction* item : items) {
        if (const QChar letter = NamedLetter(item->text()); !letter.isNull()) taken.insert(letter);
    }
    for (QAction* item : items) {
        if (item->isSeparator()) continue;
        if (QMenu* sub = item->menu()) GiveAccessLetters(*sub);
        QString text = item->text();
        if (text.isEmpty() || !NamedLetter(text).isNull()) continue;
        const qsizetype at = FreeLetterAt(text, taken);
        if (at < 0) continue;
        taken.insert(text[at].toUpper());
        text.insert(at, QLatin1Char('&'));
        item->setText(text);
    }
}

} // namespace plax
