#include "frame_list_commands.h"

namespace plexion {
namespace {

constexpr int Id(FrameListCommand command) {
    return static_cast<int>(command);
}

}  // namespace

const std::array<CMenuEntry, kFrameListCommandCount>& FrameListCommandEntries() {
    using C = FrameListCommand;
    static const std::array<CMenuEntry, kFrameListCommandCount> entries = {{
        {Id(C::AddToList), "Add to List", "Space Bar",
         "Add the current bitmap to the list of bitmaps"},
        {Id(C::MoveUp), "Move Index &Up", "Ctrl Up",
         "Move the current bitmap one step up in the list"},
        {Id(C::MoveDown), "Move Index &Down", "Ctrl Down",
         "Move the current bitmap one step down in the list"},
        {Id(C::ReverseAll), "&Reverse All Indexs Order", "", "Reverse the items order of the list"},
        {Id(C::RemoveFromList), "Remove From List", "Space Bar",
         "Remove the current bitmap from the list of bitmaps"},
        {Id(C::IncrementDelay), "Increment Delay", "Num +",
         "Increment the delay of the selected bitmap"},
        {Id(C::DecrementDelay), "Decrement Delay", "Num -",
         "Decrement the delay of the selected bitmap"},
        {Id(C::IncrementAllDelays), "Increment All Delays", "Shift Num +",
         "Increment the delay of all the bitmaps"},
        {Id(C::DecrementAllDelays), "Decrement All Delays", "Shift Num -",
         "Decrement the delay of all the bitmaps"},
    }};
    return entries;
}

const CMenuEntry& FrameListCommandEntry(FrameListCommand command) {
    return FrameListCommandEntries()[static_cast<std::size_t>(Id(command))];
}

QString FrameListCommandName(FrameListCommand command) {
    return QString::fromLatin1(FrameListCommandEntry(command).label).remove(QLatin1Char('&'));
}

std::optional<FrameListCommand> FrameListKeyCommand(int key, Qt::KeyboardModifiers modifiers,
                                                    bool onBitmapsList) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
        case Qt::Key_Space:
            if (held == Qt::NoModifier) {
                return onBitmapsList ? FrameListCommand::AddToList
                                     : FrameListCommand::RemoveFromList;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (held == Qt::ControlModifier) {
                return key == Qt::Key_Up ? FrameListCommand::MoveUp : FrameListCommand::MoveDown;
            }
            break;
        case Qt::Key_Plus:
        case Qt::Key_Minus:
            // Only the keypad's: Shift with the main keyboard's '=' types '+'.
            if (keypad && held == Qt::NoModifier) {
                return key == Qt::Key_Plus ? FrameListCommand::IncrementDelay
                                           : FrameListCommand::DecrementDelay;
            }
            if (keypad && held == Qt::ShiftModifier) {
                return key == Qt::Key_Plus ? FrameListCommand::IncrementAllDelays
                                           : FrameListCommand::DecrementAllDelays;
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace plexion
