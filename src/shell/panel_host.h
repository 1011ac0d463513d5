#pragma once

namespace plexion {

// What a panel needs of the view that holds it: the refresh-all-panels
// notification, sent when a panel changed data that other panels show.
class IPanelHost {
public:
    virtual ~IPanelHost() = default;
    virtual void RefreshAllPanels() = 0;
};

}  // namespace plexion
