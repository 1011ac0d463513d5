#include "resource_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include <memory>

#include "menu_entry.h"
#include "resource_grid.h"
#include "scroll_bar_images.h"

namespace plexion {
namespace {

// What a key does in the panel: a context menu id, one of the key-only
// commands below, or nothing (the key goes on to the grid).
constexpr int kNoKeyCommand = 0;
constexpr int kFocusNextKey = -1;
constexpr int kFocusPreviousKey = -2;
constexpr int kContextMenuKey = -3;

// How the "Edi&t" submenu is found again once an entry of it was chosen.
constexpr const char* kEditMenuName = "editCommands";

int KeyCommand(int key, bool shift, bool control, bool gridFocused) {
    using Panel = CResourcePanel;
    const bool plain = !shift && !control;
    const bool controlOnly = control && !shift;
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (control) {
                return kNoKeyCommand;
            }
            return key == Qt::Key_Tab && !shift ? kFocusNextKey : kFocusPreviousKey;
        case Qt::Key_Space:
            return controlOnly ? kContextMenuKey : kNoKeyCommand;
        default:
            break;
    }
    if (!gridFocused) {
        return kNoKeyCommand;
    }
    if (controlOnly) {
        switch (key) {
            case Qt::Key_Up: return Panel::kMoveIndexUp;
            case Qt::Key_Down: return Panel::kMoveIndexDown;
            case Qt::Key_A: return Panel::kSelectAll;
            case Qt::Key_F: return Panel::kFind;
            case Qt::Key_G: return Panel::kGroupItems;
            case Qt::Key_I: return Panel::kSelectInvert;
            case Qt::Key_N: return Panel::kSelectNone;
            default: return kNoKeyCommand;
        }
    }
    if (key == Qt::Key_F3 && !control) {
        return shift ? Panel::kFindPrevious : Panel::kFindNext;
    }
    if (plain) {
        switch (key) {
            case Qt::Key_Insert: return Panel::kInsertItems;
            case Qt::Key_Delete: return Panel::kDeleteItems;
            case Qt::Key_F5: return Panel::kRefreshItems;
            default: break;
        }
    }
    return kNoKeyCommand;
}

}  // namespace

QMenu* CResourcePanel::BuildContextMenu() {
    const int rows = GetRowCount();
    const int affected = GetAffectedCount();
    const bool anyAffected = affected >= 1;
    const bool anyRows = rows >= 1;
    auto menu = std::make_unique<QMenu>(this);
    AddMenuEntry(*menu, {kInsertItems, "&Insert Item(s)", "INS", "Add new items"}, true);
    AddMenuEntry(*menu,
             {kDeleteItems, "D&elete Items", "DEL",
              "Delete the selected items including the item lying at the cursor position"},
             anyAffected);
    menu->addSeparator();
    QMenu* edit = menu->addMenu(QStringLiteral("Edi&t"));
    edit->setObjectName(kEditMenuName);
    AddEditCommands(edit, kFirstEditCommand);
    menu->addSeparator();
    AddMenuEntry(*menu,
             {kGroupItems, "&Group Items", "Ctrl G", "Group the selected items together"},
             anyAffected && anyRows);
    AddMenuEntry(*menu,
             {kMoveIndexUp, "Move Index &Up", "Ctrl Up", "Move the selected items one step up"},
             anyAffected && anyRows)
        ->setIcon(ScrollBarIcon(ScrollBarImage::StepUp));
    AddMenuEntry(*menu,
             {kMoveIndexDown, "Move Index &Down", "Ctrl Down",
              "Move the selected items one step down"},
             anyAffected && anyRows)
        ->setIcon(ScrollBarIcon(ScrollBarImage::StepDown));
    menu->addSeparator();
    AddMenuEntry(*menu, {kSelectAll, "Select &All", "Ctrl A", "Select all the items"}, anyRows);
    AddMenuEntry(*menu,
             {kSelectInvert, "Select In&vert", "Ctrl I", "Invert the selection of all the items"},
             anyRows);
    AddMenuEntry(*menu, {kSelectNone, "Select &None", "Ctrl N", "Unselect all the items"}, anyRows);
    menu->addSeparator();
    AddMenuEntry(*menu,
             {kFindPrevious, "Find &Previous", "Shift F3", "Find the previous occurence"},
             anyRows);
    AddMenuEntry(*menu, {kFind, "&Find...", "Ctrl F", "Find a given text in the whole grid"},
             anyRows);
    AddMenuEntry(*menu, {kFindNext, "Find Ne&xt", "F3", "Find the next occurence"}, anyRows);
    menu->addSeparator();
    AddMenuEntry(*menu, {kRefreshItems, "&Refresh", "F5", "Refresh the entire list of items"}, true);
    return menu.release();
}

bool CResourcePanel::ShowContextMenu() {
    const std::unique_ptr<QMenu> menu(BuildContextMenu());
    QPoint at = mapToGlobal(QPoint(width() / 2, kTitleHeight));
    if (menuButton_ != nullptr) {
        const QRect button = menuButton_->geometry();
        at = mapToGlobal(
            QPoint(button.center().x() - menu->sizeHint().width() / 2, button.bottom() + 1));
    }
    QAction* chosen = menu->exec(at);
    if (chosen == nullptr || !chosen->data().isValid()) {
        return false;
    }
    const int id = chosen->data().toInt();
    if (id >= kFirstEditCommand) {
        OnEditCommand(menu->findChild<QMenu*>(kEditMenuName), kFirstEditCommand, id);
    } else {
        RunMenuCommand(id);
    }
    return true;
}

void CResourcePanel::RunMenuCommand(int id) {
    switch (id) {
        case kInsertItems: InsertItems(); break;
        case kDeleteItems: DeleteItems(); break;
        case kGroupItems: GroupItems(); break;
        case kMoveIndexUp: MoveItemsUp(); break;
        case kMoveIndexDown: MoveItemsDown(); break;
        case kSelectAll: SetAllMarked(true, true, true); break;
        case kSelectInvert: InvertMarks(true, true); break;
        case kSelectNone: SetAllMarked(true, false, true); break;
        case kRefreshItems: Refresh(true); break;
        case kFindPrevious: FindPrevious(); break;
        case kFind: ShowFindDialog(); break;
        case kFindNext: FindNext(); break;
        default: break;
    }
}

int CResourcePanel::KindKeyCommand(int, bool, bool) const {
    return kNoKeyCommand;
}

bool CResourcePanel::OnKey(int key, bool shift, bool control) {
    const bool gridFocused = grid_ != nullptr && grid_->hasFocus();
    const int command = KeyCommand(key, shift, control, gridFocused);
    switch (command) {
        case kNoKeyCommand: {
            const int kindCommand = KindKeyCommand(key, shift, control);
            return kindCommand != kNoKeyCommand &&
                   OnEditCommand(nullptr, kFirstEditCommand, kindCommand);
        }
        case kFocusNextKey:
        case kFocusPreviousKey:
            FocusNextInPanel(command == kFocusNextKey);
            return true;
        case kContextMenuKey:
            ShowContextMenu();
            return true;
        default:
            RunMenuCommand(command);
            return true;
    }
}

namespace {

bool ShiftOf(const QKeyEvent& event) {
    return event.modifiers() & Qt::ShiftModifier;
}

// Alt with Control is how some layouts type characters: not a command.
bool ControlOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
}

}  // namespace

bool CResourcePanel::HandleKeyPress(const QKeyEvent& event) {
    if (QWidget::mouseGrabber() != nullptr) {
        return false;
    }
    return OnKey(event.key(), ShiftOf(event), ControlOf(event));
}

bool CResourcePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_) {
        auto& key = static_cast<QKeyEvent&>(*event);
        switch (event->type()) {
            case QEvent::ShortcutOverride:
                // The panel's keys come before the window's shortcuts.
                if (KeyCommand(key.key(), ShiftOf(key), ControlOf(key), true) != kNoKeyCommand ||
                    KindKeyCommand(key.key(), ShiftOf(key), ControlOf(key)) != kNoKeyCommand) {
                    event->accept();
                    return true;
                }
                break;
            case QEvent::KeyPress:
                if (HandleKeyPress(key)) {
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CResourcePanel::keyPressEvent(QKeyEvent* event) {
    if (!HandleKeyPress(*event)) {
        QWidget::keyPressEvent(event);
    }
}

bool CResourcePanel::focusNextPrevChild(bool next) {
    FocusNextInPanel(next);
    return true;
}

void CResourcePanel::FocusNextInPanel(bool forward) {
    QWidget* current = QApplication::focusWidget();
    if (current == nullptr || !isAncestorOf(current)) {
        current = grid_ != nullptr ? static_cast<QWidget*>(grid_) : this;
    }
    for (QWidget* candidate = forward ? current->nextInFocusChain()
                                      : current->previousInFocusChain();
         candidate != nullptr && candidate != current;
         candidate = forward ? candidate->nextInFocusChain()
                             : candidate->previousInFocusChain()) {
        if (isAncestorOf(candidate) && (candidate->focusPolicy() & Qt::TabFocus) &&
            candidate->isEnabled() && candidate->isVisibleTo(this)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
    if (grid_ != nullptr) {
        grid_->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
}

}  // namespace plexion
