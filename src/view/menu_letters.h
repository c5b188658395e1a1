#pragma once

class QMenu;

namespace plax {

// Gives every item of `menu` and of its sub-menus that has no access letter one of its own: the
// first letter of a word not yet taken in that menu, else any letter not yet taken. Items
// that name their letter ("&Save") keep it; the shown text is unchanged.
void GiveAccessLetters(QMenu& menu);

} // namespace plax
