#pragma once

#include <QString>

class QMenu;

namespace plax {

// Gives every item of `menu` and of its sub-menus that has no access letter one of its own: the
// first letter of a word not yet taken in that menu, else any letter not yet taken. Items
// that name their letter ("&Save") keep it; the shown text is unchanged.
void GiveAccessLetters(QMenu& menu);

// An item of a numbered list (the open windows, the recent files): "&3 road.net" for the
// first nine, the text alone after them, its own ampersands shown as they are.
QString NumberedItem(int number, QString text);

} // namespace plax
