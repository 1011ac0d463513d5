#pragma once

#include <QString>
#include <Qt>

#include <array>
#include <optional>

#include "menu_entry.h"

namespace plexion {

// The commands of the frame-list editor, in the order its menus list them.
enum class FrameListCommand {
    AddToList,
    MoveUp,
    MoveDown,
    ReverseAll,
    RemoveFromList,
    IncrementDelay,
    DecrementDelay,
    IncrementAllDelays,
    DecrementAllDelays,
};
inline constexpr int kFrameListCommandCount = 9;

// Each command's menu entry; its id is the command's number.
const std::array<CMenuEntry, kFrameListCommandCount>& FrameListCommandEntries();
const CMenuEntry& FrameListCommandEntry(FrameListCommand command);
// The name an edit by the command goes by: its menu text without the
// accelerator mark.
QString FrameListCommandName(FrameListCommand command);

// The command a key runs in one of the editor's two lists (Space adds on
// the bitmaps list and removes on the frames list), or none.
std::optional<FrameListCommand> FrameListKeyCommand(int key, Qt::KeyboardModifiers modifiers,
                                                    bool onBitmapsList);

}  // namespace plexion
