#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMenu;

namespace plexion {
class CResourcePanel;
}

namespace plexion::test {

// Plays the user of a panel: keys on its grid, and answers to the menus and
// dialogs its cells open.

// Polls until `answer` has dealt with the window it waits for (returning
// true). Call before the code that opens the window.
void WhenShown(std::function<bool()> answer);

// Once a cell's popup menu opens, picks its entry `index` with Return.
void ChooseMenuEntry(int index);
// Once the Edit Value dialog opens, types `text` and presses OK.
void AnswerEditValue(const QString& text);

// Gives the panel's window the activation and its grid the focus, as a
// click would; false when the platform refused.
bool FocusGrid(CResourcePanel& panel);
// Presses `key` on the panel's grid.
void PressOnGrid(CResourcePanel& panel, int key, int modifiers = 0);
// Puts the grid cursor on kind column `kindColumn` of `row` and presses
// Return there, which starts the edit of that cell.
void EditWithReturn(CResourcePanel& panel, int kindColumn, int row);

// The "Edi&t" submenu of the panel's context menu, as the MENU button shows
// it; the caller owns the whole menu through `owner`.
QMenu* EditSubmenu(CResourcePanel& panel, std::unique_ptr<QMenu>& owner);

}  // namespace plexion::test
