#pragma once

namespace plexion {

class CResourcePanel;

// What a panel needs of the view that holds it: the refresh-all-panels
// notification, sent when a panel changed data that other panels show,
// bringing the panel to the front before it tells the user about a fault,
// and showing the panel of another group (with its cursor on its last item
// when `lastItem` is set) when a command made something there, and waking
// the game clock when the panel's preview may have started to move.
class IPanelHost {
public:
    virtual ~IPanelHost() = default;
    virtual void RefreshAllPanels() = 0;
    virtual void ShowPanelOf(CResourcePanel* panel) = 0;
    // The cursor item of the panel listing the items of kind `kind`; -1
    // when there is none.
    virtual int CursorItemOf(int kind) const = 0;
    virtual void ShowPanelOfKind(int kind, bool lastItem) = 0;
    virtual void WakeGameClock() = 0;
};

}  // namespace plexion
